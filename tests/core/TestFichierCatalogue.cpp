// The catalogue file, byte for byte, and what reading does with damaged files.

#include "tests/core/Factices.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "storage/CArchive.h"
#include "storage/FichierCatalogue.h"
#include "storage/SerialisationNoeuds.h"
#include "storage/SuiteInconnue.h"

namespace {

std::string octets(std::initializer_list<int> l)
{
    std::string s;
    for (int o : l)
        s += static_cast<char>(o);
    return s;
}

std::string mot32(std::uint32_t v)
{
    return octets({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
}

// The document record of a new document, up to (not including) the binder count.
std::string enteteNouveauDocument()
{
    std::string s = octets({1}) + mot32(0) + mot32(0) + octets({1, 1});
    for (int rang = 0; rang < 3; ++rang)
        for (int i = 0; i < 7; ++i)
            s += mot32(i);
    return s;
}

class FichierCatalogue : public AvecPlateformeFactice {
protected:
    CRequete* requete(CDoc& doc, const std::string& nom, const std::string& chemin)
    {
        CClasseur* c = doc.classeurs().elementA(0);
        auto* q = new CRequete(c);
        q->definirNom(nom);
        q->definirChemin(chemin);
        c->requetes().ajouter(q);
        return q;
    }
    CFichier* fichier(CDossier& d, const std::string& nom)
    {
        auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "/" + nom);
        d.fichiers().ajouter(f);
        return f;
    }
    // Saves, loads into a fresh document, and checks the second save is the same.
    std::string allerRetour(CDoc& doc, CDoc& relu)
    {
        const std::string image = ecrireCatalogue(doc);
        const auto resultat = lireCatalogue(relu, image);
        EXPECT_TRUE(resultat) << resultat.raison();
        EXPECT_EQ(ecrireCatalogue(relu), image);
        return image;
    }
};

TEST_F(FichierCatalogue, NouveauDocumentFait111Octets)
{
    CDoc doc;
    doc.initialiserNouveau();
    const std::string image = ecrireCatalogue(doc);
    const std::string attendu =
        enteteNouveauDocument() + mot32(1) + octets({7, 0x47, 0xE9, 0x6E, 0xE9, 0x72, 0x61, 0x6C}) + mot32(0);
    EXPECT_EQ(image.size(), 111u);
    EXPECT_EQ(image, attendu);
    CDoc relu;
    ASSERT_TRUE(lireCatalogue(relu, image));
    ASSERT_EQ(relu.classeurs().nombre(), 1);
    EXPECT_EQ(relu.classeurs().elementA(0)->nom(), "Général");
}

TEST_F(FichierCatalogue, PrefixesDeLongueur)
{
    CDoc doc;
    doc.initialiserNouveau();
    CClasseur* c = doc.classeurs().elementA(0);
    const std::size_t debut = enteteNouveauDocument().size() + 4;
    const std::string large = octets({0xFF, 0xFE, 0xFF});
    struct SCas {
        std::size_t longueur;
        bool estLarge;  // 'Ω' does not fit the code page: the wide form, two bytes each
        std::string prefixe;
    } cas[] = {{254, false, octets({0xFE})},
               {255, false, octets({0xFF, 0xFF, 0x00})},
               {65533, false, octets({0xFF, 0xFD, 0xFF})},
               {65534, false, octets({0xFF, 0xFF, 0xFF}) + mot32(65534)},
               {254, true, large + octets({0xFE})},
               {65533, true, large + octets({0xFF, 0xFD, 0xFF})},
               {65534, true, large + octets({0xFF, 0xFF, 0xFF}) + mot32(65534)},
               {65535, true, large + octets({0xFF, 0xFF, 0xFF}) + mot32(65535)}};
    for (const auto& k : cas) {
        std::string nom;
        for (std::size_t i = 0; i < k.longueur; ++i)
            nom += k.estLarge ? "Ω" : "x";
        c->definirNom(nom);
        const std::string image = ecrireCatalogue(doc);
        EXPECT_EQ(image.substr(debut, k.prefixe.size()), k.prefixe) << k.longueur;
        CDoc relu;
        ASSERT_TRUE(lireCatalogue(relu, image));
        EXPECT_EQ(relu.classeurs().elementA(0)->nom(), nom);
    }
    // After the wide marker a 16-bit length may be 65 534: only 65 535 announces the
    // longer form. Other programs write it so.
    std::string unites;
    for (int i = 0; i < 65534; ++i)
        unites += octets({0xA9, 0x03});
    CDoc relu;
    ASSERT_TRUE(lireCatalogue(relu, enteteNouveauDocument() + mot32(1) + large + octets({0xFF, 0xFE, 0xFF}) +
                                          unites + mot32(0)));
    EXPECT_EQ(relu.classeurs().elementA(0)->nom().size(), 2u * 65534);
}

TEST_F(FichierCatalogue, TextesLargesEtOctetsInvalides)
{
    CDoc doc;
    doc.initialiserNouveau();
    CClasseur* c = doc.classeurs().elementA(0);
    c->definirNom("日本");
    const std::string image = ecrireCatalogue(doc);
    const std::size_t debut = enteteNouveauDocument().size() + 4;
    EXPECT_EQ(image.substr(debut, 8), octets({0xFF, 0xFE, 0xFF, 2, 0xE5, 0x65, 0x2C, 0x67}));

    // Names of every kind come back exactly: Latin-1 bytes that are not UTF-8, byte
    // sequences that look like encoded surrogates (alone, before a stray byte, as the two
    // halves of a pair, a run of them before a carried byte), the five undefined
    // code-page bytes, characters beyond the basic plane.
    const std::vector<std::string> noms = {"caf\xE9", "\xED\xB2\x80", "a\xED\xA0\x80", "\xED\xA0\x80\xFF",
                                           "\xED\xA0\x80\xED\xB0\x80", "\xED\xA0\x80\xED\xAF\xBF\xED\xB2\x80",
                                           "\xC2\x81\xC2\x8D", "€‰œŸ", "😀 x", "a\xFF\xFE", ""};
    CRequete* q = requete(doc, "q", "/d");
    for (const auto& n : noms)
        fichier(*q, n);
    CDoc relu;
    const std::string relue = allerRetour(doc, relu);
    int i = 0;
    for (const CFichier* f : relu.classeurs().elementA(0)->requetes().elementA(0)->fichiers())
        EXPECT_EQ(f->chemin(), "/d/" + noms[i++]);
    // The lone one went out as the single unit U+D800.
    EXPECT_NE(relue.find(octets({'a', 0, 0x00, 0xD8})), std::string::npos);
}

TEST_F(FichierCatalogue, TexteLargeLuEtConverti)
{
    // A binder named "Été" written by another program in the wide form.
    const std::string image = enteteNouveauDocument() + mot32(1) +
                              octets({0xFF, 0xFE, 0xFF, 3, 0xC9, 0x00, 0x74, 0x00, 0xE9, 0x00}) + mot32(0);
    CDoc doc;
    ASSERT_TRUE(lireCatalogue(doc, image));
    EXPECT_EQ(doc.classeurs().elementA(0)->nom(), "Été");
    // Written back in Windows-1252, since it can hold it.
    EXPECT_EQ(ecrireCatalogue(doc).substr(enteteNouveauDocument().size() + 4, 4),
              octets({3, 0xC9, 0x74, 0xE9}));
}

// A binder record whose name is in the wide form, from UTF-16 code units.
std::string classeurLarge(std::initializer_list<int> unites)
{
    std::string s = octets({0xFF, 0xFE, 0xFF, int(unites.size())});
    for (int u : unites)
        s += octets({u & 0xFF, u >> 8});
    return s + mot32(0);
}

// Lone surrogates that another program wrote go back out as the same code units:
// a load and a save leave the file byte for byte as it was.
TEST_F(FichierCatalogue, SubstitutsIsolesRelusEtReecritsALIdentique)
{
    struct SCas {
        const char* quoi;
        std::string classeur;
    } cas[] = {
        {"haut seul puis lettre", classeurLarge({0xD800, 'a'})},
        {"haut seul en fin", classeurLarge({'x', 0xDBFF})},
        {"deux hauts", classeurLarge({0xD800, 0xDBFF})},
        {"bas seuls hors des octets", classeurLarge({0xDC00, 0xDC7F, 0xDD00, 0xDFFF})},
        {"bas puis haut", classeurLarge({0xDD00, 0xD800})},
        {"paire valide puis bas seul", classeurLarge({0xD83D, 0xDE00, 0xDC00})},
        {"octet porté puis haut seul", classeurLarge({0xDCFF, 0xD800, 0x65E5})},
    };
    for (const auto& k : cas) {
        const std::string image = enteteNouveauDocument() + mot32(1) + k.classeur;
        CDoc doc;
        ASSERT_TRUE(lireCatalogue(doc, image)) << k.quoi;
        EXPECT_EQ(ecrireCatalogue(doc), image) << k.quoi;
    }
}

// What follows the last binder (written by a newer program) is kept and written back
// after it, even once the document has changed; a file without any leaves none.
TEST_F(FichierCatalogue, OctetsApresLeDernierClasseurGardes)
{
    const std::string suite = octets({0, 1, 0xFF, 0xFE}) + "plus tard" + std::string(3 << 20, 'z');
    const std::string image = enteteNouveauDocument() + mot32(1) + octets({1, 'A'}) + mot32(0) + suite;
    CDoc doc;
    ASSERT_TRUE(lireCatalogue(doc, image));
    EXPECT_EQ(ecrireCatalogue(doc), image);
    doc.classeurs().ajouter(new CClasseur(&doc, "B"));
    const std::string change = ecrireCatalogue(doc);
    EXPECT_EQ(change.substr(change.size() - suite.size()), suite);
    EXPECT_EQ(change.size(), image.size() + 2 + 4);

    CDoc neuf;
    neuf.initialiserNouveau();
    ASSERT_TRUE(lireCatalogue(doc, ecrireCatalogue(neuf)));
    EXPECT_TRUE(!doc.suiteInconnue || doc.suiteInconnue->vide());
}

TEST_F(FichierCatalogue, ChampsDeLaRequeteEtDesFichiers)
{
    CDoc doc;
    doc.initialiserNouveau();
    CRequete* q = requete(doc, "Photos", "/m");
    q->nomVolume = "ABCDEFGHIJK";  // 11 characters: no room for the zero in the file
    q->numeroSerie = 0xDEADBEEF;
    q->modeFiltre = kFiltreExclure;
    q->filtre = "*.tmp";
    q->inclureDossiersVides = true;
    q->stockerAccede = false;
    q->criteres.motif = "*.jpg";
    q->criteres.doublons = 1;
    q->criteres.memeTaille = 1;
    q->criteres.modifie.actif = true;
    q->criteres.modifie.du = CDate{1, 2, 2003};
    q->criteres.attributs[2] = kAttributAbsent;
    CFichier* f = fichier(*q, "a");
    f->lettres[0] = 'R';
    f->lettres[1] = 'A';
    f->taille = 77;
    f->marque = 2;
    f->definirCree(CDateHeure{{10, 3, 2003}, 23, 59, 58});
    auto* sous = new CDossier(q, "/m/.x", true);
    q->sousDossiers().ajouter(sous);
    fichier(*sous, "b");

    CDoc relu;
    const std::string image = allerRetour(doc, relu);
    CRequete* r = relu.classeurs().elementA(0)->requetes().elementA(0);
    EXPECT_EQ(r->nom(), "Photos");
    EXPECT_EQ(r->chemin(), "/m");
    EXPECT_EQ(r->nomVolume, "ABCDEFGHIJK");
    EXPECT_EQ(r->numeroSerie, 0xDEADBEEFu);
    EXPECT_EQ(r->modeFiltre, kFiltreExclure);
    EXPECT_EQ(r->filtre, "*.tmp");
    EXPECT_TRUE(r->inclureDossiersVides);
    EXPECT_FALSE(r->stockerAccede);
    EXPECT_EQ(r->criteres.motif, "");  // the pattern is not stored
    EXPECT_EQ(r->criteres.portee, kPorteeFiltreCapture);
    EXPECT_EQ(r->criteres.doublons, 1);
    EXPECT_EQ(r->criteres.memeTaille, 1);
    EXPECT_TRUE(r->criteres.modifie.actif);
    EXPECT_EQ(r->criteres.modifie.du, (CDate{1, 2, 2003}));
    EXPECT_EQ(r->criteres.attributs[2], kAttributAbsent);
    EXPECT_EQ(r->classeur(), relu.classeurs().elementA(0));
    const CFichier* g = r->fichiers().elementA(0);
    EXPECT_EQ(g->nom(), "a");
    EXPECT_STREQ(g->lettres, "RA");
    EXPECT_EQ(g->taille, 77u);
    EXPECT_EQ(g->marque, 2);
    EXPECT_EQ(g->cree(), f->cree());
    EXPECT_EQ(g->parent(), r);
    const CDossier* s = r->sousDossiers().elementA(0);
    EXPECT_TRUE(s->estCache());
    EXPECT_EQ(s->requete(), r);
    EXPECT_EQ(s->fichiers().elementA(0)->parent(), s);

    // The mask of R and A is 0x21.
    const std::string motifMasque = octets({0x4D, 0, 0, 0}) + mot32(0x21) + mot32(2);
    EXPECT_NE(image.find(motifMasque), std::string::npos);
}

TEST_F(FichierCatalogue, NomDeVolumeEnWindows1252)
{
    CDoc doc;
    doc.initialiserNouveau();
    CRequete* q = requete(doc, "Photos", "/m");
    q->numeroSerie = 0xDEADBEEF;
    const auto champ = [](const std::string& image) { return image.find(mot32(0xDEADBEEF)) + 4; };
    // Written: in the code page, '?' for what it cannot hold, cut within 11 bytes.
    struct SEcrit {
        std::string enMemoire, octets, relu;
    } ecrits[] = {
        {"ÉTÉ", "\xC9T\xC9", "ÉTÉ"},
        {"Фото €", "???? \x80", "???? €"},
        {"ÉTÉ À PARIS 2", "\xC9T\xC9 \xC0 PARIS", "ÉTÉ À PARIS"},
        {"a\xFF", "a?", "a?"},
    };
    for (const SEcrit& e : ecrits) {
        q->nomVolume = e.enMemoire;
        const std::string image = ecrireCatalogue(doc);
        EXPECT_EQ(image.substr(champ(image), 11), e.octets + std::string(11 - e.octets.size(), '\0')) << e.enMemoire;
        CDoc relu;
        ASSERT_TRUE(lireCatalogue(relu, image));
        EXPECT_EQ(relu.classeurs().elementA(0)->requetes().elementA(0)->nomVolume, e.relu) << e.enMemoire;
    }
    // Read: Windows-1252 from other programs; UTF-8 as earlier versions of ours wrote it,
    // unless the label it gives would be saved as bytes read back otherwise ("Ã©t" is
    // saved C3 A9 74, which reads "ét"): then as Windows-1252, and the next save and
    // load keep it.
    struct SLu {
        std::string octets, relu;
    } lus[] = {{"\xC9T\xC9", "ÉTÉ"}, {"\xC3\x89T\xC3\x89", "ÉTÉ"}, {"\xC3T\xC3", "ÃTÃ"}, {"", ""},
               {"\xC3\x83\xC2\xA9t", "ÃƒÂ©t"}};
    q->nomVolume.clear();
    const std::string modele = ecrireCatalogue(doc);
    for (const SLu& l : lus) {
        std::string image = modele;
        image.replace(champ(image), l.octets.size(), l.octets);
        CDoc relu;
        ASSERT_TRUE(lireCatalogue(relu, image));
        EXPECT_EQ(relu.classeurs().elementA(0)->requetes().elementA(0)->nomVolume, l.relu);
        CDoc encore;
        ASSERT_TRUE(lireCatalogue(encore, ecrireCatalogue(relu)));
        EXPECT_EQ(encore.classeurs().elementA(0)->requetes().elementA(0)->nomVolume, l.relu) << l.relu;
    }
}

TEST_F(FichierCatalogue, MasqueCompletEtModeDeFiltreSigne)
{
    CDoc doc;
    doc.initialiserNouveau();
    CRequete* q = requete(doc, "q", "/m");
    q->modeFiltre = -1;
    fichier(*q, "f");
    std::string image = ecrireCatalogue(doc);
    // The attribute mask of the only file comes 8 bytes before the end.
    const std::size_t masque = image.size() - 4 /*sub-folders*/ - 4 /*mark*/ - 4;
    image.replace(masque, 4, mot32(0xFFFFFFFF));
    CDoc relu;
    ASSERT_TRUE(lireCatalogue(relu, image));
    CRequete* r = relu.classeurs().elementA(0)->requetes().elementA(0);
    EXPECT_STREQ(r->fichiers().elementA(0)->lettres, "RHSA");
    EXPECT_EQ(r->modeFiltre, -1);
}

TEST_F(FichierCatalogue, ReglagesDeVue)
{
    CDoc doc;
    doc.initialiserNouveau();
    doc.afficherSousDossiers = false;
    doc.colonneTri = {1, 4};
    doc.triCroissant = {false, true};
    doc.ordreColonnes[2] = {6, 5, 4, 3, 2, 1, 0};
    CDoc relu;
    allerRetour(doc, relu);
    EXPECT_FALSE(relu.afficherSousDossiers);
    EXPECT_EQ(relu.colonneTri, doc.colonneTri);
    EXPECT_EQ(relu.triCroissant, doc.triCroissant);
    EXPECT_EQ(relu.ordreColonnes, doc.ordreColonnes);
}

TEST_F(FichierCatalogue, CataloguesAleatoiresAllerRetour)
{
    std::mt19937 alea(1601);
    auto n = [&](int k) { return std::uniform_int_distribution<int>(0, k)(alea); };
    const std::vector<std::string> morceaux = {"a", "É", "日本", "\xE9", "x y", "\\", ";", "😀", "\x81"};
    auto nom = [&] {
        std::string s;
        for (int i = n(3); i >= 0; --i)
            s += morceaux[n(static_cast<int>(morceaux.size()) - 1)];
        return s;
    };
    for (int essai = 0; essai < 40; ++essai) {
        CDoc doc;
        doc.initialiserNouveau();
        for (int b = n(2); b > 0; --b)
            doc.classeurs().ajouter(new CClasseur(&doc, nom()));
        for (CClasseur* c : doc.classeurs()) {
            for (int k = n(2); k > 0; --k) {
                auto* q = new CRequete(c);
                q->definirNom(nom());
                q->definirChemin("/" + nom());
                q->numeroSerie = alea();
                q->stockerTaille = n(1);
                c->requetes().ajouter(q);
                std::vector<CDossier*> dossiers = {q};
                for (int f = n(12); f > 0; --f) {
                    CDossier* d = dossiers[n(static_cast<int>(dossiers.size()) - 1)];
                    if (n(3) == 0) {
                        auto* s = new CDossier(q, d->chemin() + "/" + nom(), n(1));
                        d->sousDossiers().ajouter(s);
                        dossiers.push_back(s);
                    } else {
                        CFichier* x = fichier(*d, nom());
                        x->taille = alea();
                        x->marque = n(2);
                        x->definirModifie(CDateHeure{{std::uint32_t(n(31)), 3, 2003}, 1, 2, std::uint32_t(n(59))});
                    }
                }
            }
        }
        CDoc relu;
        allerRetour(doc, relu);
    }
}

// A damaged or crafted catalogue may file any path in any folder: each entry keeps the
// path it was stored with, and the catalogue is written back byte for byte. Some read
// as in their folder without being its path and a name joined by one separator ("/m/a/",
// "/m/a//x.txt"): they too come back as stored.
TEST_F(FichierCatalogue, CheminsHorsDeLeurDossierGardesALOctetPres)
{
    const struct {
        std::string chemin;
        bool aSaPlace;
    } cas[] = {
        {"/m/a/x.txt", true},  {"/etc/passwd", false},  {"", false},
        {"/m/a", false},       {"/m/ab/x.txt", false},  {"/m/a/b/x.txt", false},
        {"x.txt", false},      {"/m/a/", true},         {"/m/a//x.txt", true},
        {"C:\\a\\x.txt", false}, {"/m/a/\xE9\x81", true}, {"/m/a/../x", false},
        {"/m/a/" + std::string(70000, 'n'), true},
    };
    CDoc doc;
    doc.initialiserNouveau();
    CRequete* q = requete(doc, "Disque", "/m");
    auto* a = new CDossier(q, "/m/a", false);
    q->sousDossiers().ajouter(a);
    // A folder outside its query too.
    auto* ailleurs = new CDossier(q, "/ailleurs", false);
    q->sousDossiers().ajouter(ailleurs);
    // Dates no calendar holds, as a damaged file may give them, one field at a time.
    const auto datesAbimees = [](int i, CFichier& f) {
        CDateHeure d{{1, 2, 2003}, 4, 5, 6};
        CDate j{7, 8, 2009};
        switch (i % 4) {
        case 0: d.heure = 0xFFFFFFFFu; break;
        case 1: j.jour = 40; break;
        case 2: d.date.annee = 0xFFFFFFFFu, d.date.mois = 13; break;
        case 3: j.annee = 1u << 23, d.seconde = 64; break;
        }
        f.definirCree(d);
        f.definirModifie(CDateHeure{{31, 12, 1999}, 23, 59, 59});
        f.definirAccede(j);
    };
    int i = 0;
    for (const auto& c : cas)
        datesAbimees(i++, *a->nouveauFichier(c.chemin));
    ailleurs->nouveauFichier("/ailleurs/y");

    CDoc relu;
    allerRetour(doc, relu);
    const CDossier* aRelu = relu.classeurs().elementA(0)->requetes().elementA(0)->sousDossiers().elementA(0);
    ASSERT_EQ(aRelu->fichiers().nombre(), int(std::size(cas)));
    i = 0;
    for (const CFichier* f : aRelu->fichiers()) {
        SCOPED_TRACE(cas[i].chemin.substr(0, 20));
        EXPECT_EQ(f->chemin(), cas[i].chemin);
        EXPECT_EQ(f->estALaPlaceAnnoncee(), cas[i].aSaPlace);
        const CFichier* original = a->fichiers().elementA(i);
        EXPECT_EQ(f->nom(), original->nom());
        EXPECT_EQ(f->cree(), original->cree());
        EXPECT_EQ(f->modifie(), original->modifie());
        EXPECT_EQ(f->accede(), original->accede());
        ++i;
    }
}

// Each file record is found again where the save (and the load) said it starts, and
// read alone gives the same entry: what a kept index reads instead of the catalogue.
TEST_F(FichierCatalogue, ChaqueFichierSeRelitSeulASaPosition)
{
    CDoc doc;
    doc.initialiserNouveau();
    CRequete* q = requete(doc, "Disque", "/m");
    auto* sous = new CDossier(q, "/m/sous", false);
    q->sousDossiers().ajouter(sous);
    CRequete* autre = requete(doc, "Autre", "C:\\d");
    const char* chemins[] = {"/m/a.txt", "/m/\xE6\x97\xA5\xE6\x9C\xAC.doc", "/etc/passwd"};
    int i = 0;
    for (const char* c : chemins) {
        CFichier* f = q->nouveauFichier(c);
        f->taille = 100u + i;
        f->definirModifie(CDateHeure{{1, 2, 2000u + i}, 3, 4, 5});
        f->definirAccede(CDate{40, 1, 2001});  // aside: no calendar has it
        f->marque = i++;
    }
    sous->nouveauFichier("/m/sous/" + std::string(300, 'n'));
    autre->nouveauFichier("C:\\d\\x.txt");
    std::vector<CFichier*> ordre;
    for (CFichier* f : q->fichiers())
        ordre.push_back(f);
    ordre.push_back(sous->fichiers().elementA(0));
    ordre.push_back(autre->fichiers().elementA(0));

    std::vector<std::uint64_t> ecrits, lus;
    const std::string image = ecrireCatalogue(doc, &ecrits);
    EXPECT_EQ(image, ecrireCatalogue(doc));
    CDoc relu;
    ASSERT_TRUE(lireCatalogue(relu, image, &lus));
    EXPECT_EQ(lus, ecrits);
    ASSERT_EQ(ecrits.size(), ordre.size());
    CDossier dossier(nullptr, "/m", false);
    for (std::size_t k = 0; k < ordre.size(); ++k) {
        SCOPED_TRACE(k);
        const CFichier& seul = lireFichierSeul(std::string_view(image).substr(ecrits[k]), dossier);
        EXPECT_EQ(seul.chemin(), ordre[k]->chemin());
        EXPECT_EQ(seul.taille, ordre[k]->taille);
        EXPECT_EQ(seul.modifie(), ordre[k]->modifie());
        EXPECT_EQ(seul.accede(), ordre[k]->accede());
        EXPECT_EQ(std::int32_t(seul.marque), std::int32_t(ordre[k]->marque));
        // Cut short, it fails as a damaged file does.
        EXPECT_THROW(lireFichierSeul(std::string_view(image).substr(ecrits[k], 10), dossier), CErreurLecture);
    }
}

// Every way of cutting a small catalogue short must fail cleanly and leave the
// document as it was.
TEST_F(FichierCatalogue, ToutesLesTroncaturesEchouentProprement)
{
    CDoc doc;
    doc.initialiserNouveau();
    CRequete* q = requete(doc, "q", "/m");
    fichier(*q, "f");
    auto* s = new CDossier(q, "/m/s", false);
    q->sousDossiers().ajouter(s);
    fichier(*s, "g");
    const std::string image = ecrireCatalogue(doc);

    CDoc cible;
    cible.initialiserNouveau();
    cible.classeurs().elementA(0)->definirNom("Avant");
    for (std::size_t l = 0; l < image.size(); ++l) {
        const auto resultat = lireCatalogue(cible, std::string_view(image).substr(0, l));
        ASSERT_FALSE(resultat) << "longueur " << l;
        EXPECT_NE(resultat.raison().find("tronqué"), std::string::npos) << resultat.raison();
        ASSERT_EQ(cible.classeurs().nombre(), 1);
        EXPECT_EQ(cible.classeurs().elementA(0)->nom(), "Avant");
    }
    EXPECT_TRUE(lireCatalogue(cible, image));
}

TEST_F(FichierCatalogue, ValeursAbsurdesRefusees)
{
    struct SCas {
        const char* quoi;
        std::string image;
        const char* message;
    } cas[] = {
        {"nombre énorme de classeurs", enteteNouveauDocument() + mot32(0x7FFFFFFF),
         "il annonce 2147483647 classeurs, plus"},
        {"nombre énorme de requêtes", enteteNouveauDocument() + mot32(1) + octets({1, 'a'}) + mot32(0x7FFFFFFF),
         "il annonce 2147483647 requêtes, plus"},
        {"longueur 64 bits au-delà de 2^31", enteteNouveauDocument() + mot32(1) +
                                                 octets({0xFF, 0xFF, 0xFF}) + mot32(0xFFFFFFFF) + mot32(0x80000000) +
                                                 mot32(0),
         "longueur"},
        {"texte plus long que le fichier", enteteNouveauDocument() + mot32(1) + octets({0xFF, 0x00, 0x10}) + "abc",
         "dépasse la fin"},
        {"texte large trop long", enteteNouveauDocument() + mot32(1) + octets({0xFF, 0xFE, 0xFF, 200}) + "ab",
         "dépasse la fin"},
        {"texte large de 65 534 unités tronqué",
         enteteNouveauDocument() + mot32(1) + octets({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 1}), "dépasse la fin"},
    };
    for (const auto& k : cas) {
        CDoc doc;
        const auto resultat = lireCatalogue(doc, k.image);
        ASSERT_FALSE(resultat) << k.quoi;
        EXPECT_NE(resultat.raison().find(k.message), std::string::npos) << k.quoi << ": " << resultat.raison();
        EXPECT_TRUE(doc.classeurs().estVide()) << k.quoi;
    }
    // A negative count is no record at all.
    CDoc doc;
    EXPECT_TRUE(lireCatalogue(doc, enteteNouveauDocument() + mot32(0x80000000)));
    EXPECT_TRUE(doc.classeurs().estVide());
}

TEST_F(FichierCatalogue, ImbricationTropProfondeRefusee)
{
    // One query whose folders nest a million deep: each level has no file and one
    // sub-folder. Refused at the limit, without exhausting the stack.
    CDoc modele;
    modele.initialiserNouveau();
    requete(modele, "q", "/");
    std::string image = ecrireCatalogue(modele);
    image.resize(image.size() - 4);  // drop the root's sub-folder count (0)
    const std::string niveau = octets({1, 'd', 0}) + mot32(0) + mot32(1);
    image += mot32(1);
    image.reserve(image.size() + niveau.size() * 1000000);
    for (int i = 0; i < 1000000; ++i)
        image += niveau;
    CDoc doc;
    const auto resultat = lireCatalogue(doc, image);
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("imbriqués"), std::string::npos) << resultat.raison();
    EXPECT_TRUE(doc.classeurs().estVide());
}

class FichierSurDisque : public FichierCatalogue {
protected:
    void SetUp() override
    {
        FichierCatalogue::SetUp();
        char modele[] = "/tmp/norvanel-catalogue-XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        dossier = modele;
    }
    void TearDown() override
    {
        std::system(("rm -rf '" + dossier + "'").c_str());
        FichierCatalogue::TearDown();
    }
    static std::string contenu(const std::string& chemin)
    {
        std::ifstream f(chemin, std::ios::binary);
        std::ostringstream s;
        s << f.rdbuf();
        return s.str();
    }
    std::vector<std::string> entrees() const
    {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(dossier))
            r.push_back(e.path().filename().string());
        std::sort(r.begin(), r.end());
        return r;
    }
    std::string dossier;
};

TEST_F(FichierSurDisque, EnregistrerPuisOuvrir)
{
    CDoc doc;
    doc.initialiserNouveau();
    fichier(*requete(doc, "q", "/m"), "f");
    doc.definirModifie();
    const std::string chemin = dossier + "/cd.kbt";
    ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
    EXPECT_FALSE(doc.estModifie());
    EXPECT_EQ(doc.chemin, chemin);
    EXPECT_EQ(entrees(), (std::vector<std::string>{"cd.kbt"}));  // no temporary left

    CDoc relu;
    ASSERT_TRUE(chargerCatalogue(relu, chemin));
    EXPECT_EQ(relu.chemin, chemin);
    EXPECT_EQ(ecrireCatalogue(relu), contenu(chemin));
}

TEST_F(FichierSurDisque, GardeLesDroitsEtLesLiens)
{
    CDoc doc;
    doc.initialiserNouveau();
    const std::string vrai = dossier + "/vrai.kbt";
    const std::string lien = dossier + "/lien.kbt";
    ASSERT_TRUE(enregistrerCatalogue(doc, vrai));
    ASSERT_EQ(chmod(vrai.c_str(), 0640), 0);
    ASSERT_EQ(symlink("vrai.kbt", lien.c_str()), 0);
    doc.classeurs().elementA(0)->definirNom("Changé");
    ASSERT_TRUE(enregistrerCatalogue(doc, lien));
    struct stat st {};
    ASSERT_EQ(lstat(lien.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(vrai.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(contenu(vrai), ecrireCatalogue(doc));
}

TEST_F(FichierSurDisque, EchecDEnregistrementLaisseLAncienFichier)
{
    CDoc doc;
    doc.initialiserNouveau();
    const std::string chemin = dossier + "/absent/cd.kbt";
    doc.definirModifie();
    const auto resultat = enregistrerCatalogue(doc, chemin);
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("Impossible d'enregistrer le catalogue « " + chemin + " »"), std::string::npos);
    EXPECT_NE(resultat.raison().find("n'existe pas"), std::string::npos) << resultat.raison();
    EXPECT_TRUE(doc.estModifie());

    // Saving over a folder fails at the rename: the temporary is removed.
    ASSERT_EQ(mkdir((dossier + "/dossier.kbt").c_str(), 0755), 0);
    ASSERT_FALSE(enregistrerCatalogue(doc, dossier + "/dossier.kbt"));
    EXPECT_EQ(entrees(), (std::vector<std::string>{"dossier.kbt"}));
}

TEST_F(FichierSurDisque, OuvrirUnFichierEndommage)
{
    const std::string chemin = dossier + "/abime.kbt";
    std::ofstream(chemin, std::ios::binary) << enteteNouveauDocument().substr(0, 50);
    CDoc doc;
    doc.initialiserNouveau();
    const auto resultat = chargerCatalogue(doc, chemin);
    ASSERT_FALSE(resultat);
    EXPECT_EQ(resultat.raison(), "Impossible d'ouvrir le catalogue « " + chemin +
                           " » : le fichier est tronqué (à l'octet 47).");
    EXPECT_EQ(doc.classeurs().nombre(), 1);
    EXPECT_TRUE(doc.chemin.empty());
    EXPECT_FALSE(chargerCatalogue(doc, dossier));  // a folder
    EXPECT_FALSE(chargerCatalogue(doc, dossier + "/absent.kbt"));
}

} // namespace

namespace {

// Through a real file (read in blocks, not from memory): a lone surrogate and bytes
// after the last binder, more of them than the reading buffer holds, come back out.
TEST_F(FichierSurDisque, OuvrirPuisEnregistrerRendLeMemeFichier)
{
    const std::string image = enteteNouveauDocument() + mot32(2) + classeurLarge({'x', 0xD800}) +
                              octets({1, 'B'}) + mot32(0) + std::string(3 << 20, '\x5A') + "fin";
    const std::string chemin = dossier + "/futur.kbt";
    std::ofstream(chemin, std::ios::binary) << image;
    CDoc doc;
    ASSERT_TRUE(chargerCatalogue(doc, chemin));
    ASSERT_TRUE(enregistrerCatalogue(doc, chemin));
    EXPECT_TRUE(contenu(chemin) == image);
}

} // namespace
