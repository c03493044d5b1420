// The file test, the search run and its options, and duplicate detection.

#include "tests/core/Factices.h"

#include <random>

#include "model/Arene.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/CCriteres.h"
#include "search/Doublons.h"
#include "workspace/TravailRecherche.h"

namespace {

class Recherche : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        contexte().resultatsRecherche = &resultats;
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        classeur = doc->classeurs().elementA(0);
        q1 = nouvelleRequete("C:\\a");
        q2 = nouvelleRequete("C:\\b");
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }
    CRequete* nouvelleRequete(const std::string& chemin)
    {
        auto* q = new CRequete(classeur);
        q->definirNom(chemin);
        q->definirChemin(chemin);
        classeur->requetes().ajouter(q);
        return q;
    }
    CFichier* fichier(CDossier& d, const std::string& nom, std::uint32_t taille = 0, const char* lettres = "")
    {
        auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "\\" + nom);
        f->taille = taille;
        std::snprintf(f->lettres, sizeof f->lettres, "%s", lettres);
        d.fichiers().ajouter(f);
        return f;
    }
    CDossier* dossier(CDossier& d, const std::string& nom, bool cache = false)
    {
        auto* s = new CDossier(d.requete(), d.chemin() + "\\" + nom, cache);
        d.sousDossiers().ajouter(s);
        return s;
    }
    std::vector<std::string> noms() const
    {
        std::vector<std::string> r;
        for (const CFichier* f : resultats.lignes)
            r.emplace_back(f->nom());
        return r;
    }
    void chercher(CElement* cible)
    {
        contexte().criteresRecherche.cible = cible;
        reappliquerRecherche(contexte());
    }

    CResultatsEspion resultats;
    std::unique_ptr<CDoc> doc;
    CClasseur* classeur = nullptr;
    CRequete *q1 = nullptr, *q2 = nullptr;
    CCriteres& c = contexte().criteresRecherche;
};

TEST_F(Recherche, CriteresParDefautTrouventTout)
{
    fichier(*q1, "x");
    fichier(*dossier(*q1, "s"), "y");
    chercher(doc.get());
    EXPECT_EQ(noms(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(resultats.tris, 1 + 1);  // one re-sort per query
}

TEST_F(Recherche, MotifSurLeCheminComplet)
{
    CFichier* doc1 = fichier(*q1, "b.doc");
    CFichier* txt = fichier(*q1, "c.txt");
    struct SCas {
        const char* motif;
        bool doc, txt;
    } cas[] = {{"*.DOC", true, false}, {"b.doc", false, false}, {"*\\b.doc", true, false},
               {"*.doc;*.txt", true, true}, {"*.doc; *.txt", true, true}, {"", true, true}};
    for (const auto& k : cas) {
        c.motif = k.motif;
        chercher(static_cast<CDossier*>(q1));
        EXPECT_EQ(doc1->marque, k.doc) << k.motif;
        EXPECT_EQ(txt->marque, k.txt) << k.motif;
    }
}

TEST_F(Recherche, PlagesDeDatesBornesComprises)
{
    CFichier* f = fichier(*q1, "f");
    f->definirCree(CDateHeure{{10, 3, 2003}, 23, 59, 59});
    c.cree.actif = true;
    c.cree.du = c.cree.au = CDate{10, 3, 2003};
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(f->marque, 1);
    c.cree.du = CDate{11, 3, 2003};  // from after to: nothing
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(f->marque, 0);
    // Not stored: the criterion is skipped.
    q1->stockerCree = false;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(f->marque, 1);
}

TEST_F(Recherche, TestDeTaille)
{
    CFichier* vide = fichier(*q1, "vide", 0);
    CFichier* k2047 = fichier(*q1, "2047", 2047);
    CFichier* k2048 = fichier(*q1, "2048", 2048);
    c.testTaille = 1;
    c.comparaisonTaille = kTailleEgale;
    c.valeurTaille = 0;
    c.uniteTaille = 0;
    c.accepter();
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(std::vector<int>({vide->marque, k2047->marque, k2048->marque}), std::vector<int>({1, 0, 0}));
    c.valeurTaille = 1;
    c.uniteTaille = 1;
    c.accepter();
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(std::vector<int>({vide->marque, k2047->marque, k2048->marque}), std::vector<int>({0, 1, 0}));
    c.comparaisonTaille = kTailleAuPlus;
    c.valeurTaille = 0;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(std::vector<int>({vide->marque, k2047->marque, k2048->marque}), std::vector<int>({1, 0, 0}));
    // A damaged record with a zero divisor counts in bytes instead of dividing by zero.
    c.diviseurTaille = 0;
    c.comparaisonTaille = kTailleAuMoins;
    c.valeurTaille = 2048;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(std::vector<int>({vide->marque, k2047->marque, k2048->marque}), std::vector<int>({0, 0, 1}));
}

TEST_F(Recherche, TestsDAttributs)
{
    CFichier* ra = fichier(*q1, "ra", 0, "RA");
    CFichier* a = fichier(*q1, "a", 0, "A");
    c.attributs[0] = kAttributPresent;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(ra->marque, 1);
    EXPECT_EQ(a->marque, 0);
    c.attributs[0] = kAttributAbsent;
    c.attributs[3] = kAttributPresent;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(ra->marque, 0);
    EXPECT_EQ(a->marque, 1);
    // No read-only file: nothing found; attributes not stored: everything found.
    c.attributs[0] = kAttributPresent;
    c.attributs[3] = kAttributIndifferent;
    ra->lettres[0] = 'A';
    ra->lettres[1] = 0;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_TRUE(noms().empty());
    q1->stockerAttributs = false;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(noms().size(), 2u);
}

TEST_F(Recherche, DossiersCachesEtSousDossiers)
{
    CFichier* haut = fichier(*q1, "haut");
    CDossier* cache = dossier(*q1, "cache", true);
    CFichier* dedans = fichier(*cache, "dedans");
    CDossier* s = dossier(*q1, "s");
    CFichier* bas = fichier(*s, "bas");
    c.motif = "*\\nulle-part";
    c.rechercherDossiersCaches = 0;
    chercher(static_cast<CDossier*>(q1));
    // The hidden folder is not tested: its file keeps the mark of the reset.
    EXPECT_EQ(dedans->marque, 1);
    EXPECT_EQ(haut->marque, 0);
    EXPECT_EQ(bas->marque, 0);

    c.motif = "";
    chercher(cache);  // the target itself is hidden: nothing tested, nothing listed
    EXPECT_TRUE(noms().empty());

    c.rechercherDossiersCaches = 1;
    c.rechercherSousDossiers = 0;
    c.motif = "*\\nulle-part";
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(haut->marque, 0);
    EXPECT_EQ(bas->marque, 1);  // not tested
    c.motif = "";
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(noms(), (std::vector<std::string>{"haut"}));  // sub-folders not listed
}

TEST_F(Recherche, LesMarquesHorsDeLaCibleRestentA1)
{
    CFichier* f1 = fichier(*q1, "un");
    CFichier* f2 = fichier(*q2, "deux");
    CDoc autre;
    ouvert(autre).initialiserNouveau();
    auto* q3 = new CRequete(autre.classeurs().elementA(0));
    q3->definirChemin("D:\\");
    autre.classeurs().elementA(0)->requetes().ajouter(q3);
    CFichier* f3 = fichier(*q3, "trois");
    f2->marque = f3->marque = 0;
    c.motif = "*\\rien";
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(f1->marque, 0);
    EXPECT_EQ(f2->marque, 1);
    EXPECT_EQ(f3->marque, 1);
    // "Tous les classeurs" searches the target's document only.
    c.motif = "";
    chercher(doc.get());
    EXPECT_EQ(noms(), (std::vector<std::string>{"un", "deux"}));
}

TEST_F(Recherche, UnClasseurListeSesRequetesDansLOrdre)
{
    fichier(*q2, "b");
    fichier(*q1, "a");
    fichier(*q2, "c");
    chercher(classeur);
    EXPECT_EQ(noms(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(Recherche, SansCibleLesResultatsRestent)
{
    fichier(*q1, "a");
    chercher(static_cast<CDossier*>(q1));
    ASSERT_EQ(resultats.lignes.size(), 1u);
    const int vidages = resultats.vidages;
    chercher(nullptr);
    EXPECT_EQ(resultats.lignes.size(), 1u);
    EXPECT_EQ(resultats.vidages, vidages);
}

TEST_F(Recherche, LaCibleDetruiteNEstPlusCherchee)
{
    CDossier* s = dossier(*q1, "s");
    fichier(*s, "a");
    c.cible = s;
    ASSERT_TRUE(doc->supprimerNoeud(*q1));
    q1 = nullptr;
    EXPECT_EQ(c.cible, nullptr);
    reappliquerRecherche(contexte());  // nothing to search, nothing touched
    EXPECT_TRUE(resultats.lignes.empty());
}

TEST_F(Recherche, DoublonsDansUneRecherche)
{
    // Same name only: case matters; folders do not.
    CFichier* maj = fichier(*q1, "LISEZMOI.TXT");
    CFichier* min1 = fichier(*dossier(*q1, "x"), "lisezmoi.txt");
    CFichier* min2 = fichier(*dossier(*q1, "y"), "lisezmoi.txt");
    CFichier* autre = fichier(*q2, "lisezmoi.txt");  // another query: never a twin
    c.doublons = 1;
    c.memeNom = 1;
    chercher(doc.get());
    EXPECT_EQ(maj->marque, 0);
    EXPECT_EQ(min1->marque, 1);
    EXPECT_EQ(min2->marque, 1);
    EXPECT_EQ(autre->marque, 0);
    EXPECT_EQ(noms(), (std::vector<std::string>{"lisezmoi.txt", "lisezmoi.txt"}));

    // A file the pattern did not match is never a twin of a found file.
    c.motif = "*\\x\\*";
    chercher(doc.get());
    EXPECT_EQ(min1->marque, 0);
    EXPECT_EQ(min2->marque, 0);
}

TEST_F(Recherche, DoublonsSansCleEtFichierSeul)
{
    CFichier* a = fichier(*q1, "a");
    CFichier* b = fichier(*q1, "b");
    CFichier* seul = fichier(*q2, "c");
    c.doublons = 1;
    chercher(doc.get());
    EXPECT_EQ(a->marque, 1);
    EXPECT_EQ(b->marque, 1);
    EXPECT_EQ(seul->marque, 0);
}

TEST_F(Recherche, DoublonsSurDesValeursNonStockeesLesIgnorent)
{
    CFichier* a = fichier(*q1, "a", 1);
    CFichier* b = fichier(*q1, "a", 2);
    c.doublons = 1;
    c.memeNom = 1;
    c.memeTaille = 1;
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(a->marque + b->marque, 0);
    q1->stockerTaille = false;  // sizes as loaded from a file, never captured
    chercher(static_cast<CDossier*>(q1));
    EXPECT_EQ(a->marque + b->marque, 2);
}

TEST_F(Recherche, FiltreDeCaptureEtElagage)
{
    CDossier* perdu = dossier(*q1, "perdu");
    fichier(*perdu, "seul1");
    CDossier* parent = dossier(*q1, "parent");
    CDossier* enfant = dossier(*parent, "enfant");
    fichier(*enfant, "seul2");
    CDossier* garde = dossier(*q1, "garde");
    fichier(*garde, "double");
    dossier(*garde, "vide");  // stays: its parent still holds a file
    CDossier* autre = dossier(*q1, "autre");
    fichier(*autre, "double");

    CCriteres filtre = CCriteres::pourCapture();
    filtre.doublons = 1;
    filtre.memeNom = 1;
    executerCriteres(*q1, filtre, nullptr);
    // "perdu" lost its only file; "parent" lost its only sub-folder.
    ASSERT_EQ(q1->sousDossiers().nombre(), 2);
    EXPECT_EQ(q1->sousDossiers().elementA(0), garde);
    EXPECT_EQ(q1->sousDossiers().elementA(1), autre);
    EXPECT_EQ(garde->sousDossiers().nombre(), 1);
    EXPECT_EQ(garde->fichiers().elementA(0)->marque, 1);

    // A folder that still holds a file is left as it is, sub-folders included: here
    // the root keeps a twin, so its emptied sub-folder is not examined.
    fichier(*q2, "double");
    fichier(*q2, "double");
    fichier(*dossier(*q2, "d"), "seul");
    executerCriteres(*q2, filtre, nullptr);
    EXPECT_EQ(q2->fichiers().nombre(), 2);
    ASSERT_EQ(q2->sousDossiers().nombre(), 1);
    EXPECT_TRUE(q2->sousDossiers().elementA(0)->fichiers().estVide());
}

TEST_F(Recherche, FiltreDeCaptureSansAucunJumeauGardeLaRacine)
{
    fichier(*q1, "x");
    fichier(*dossier(*q1, "d"), "y");
    CCriteres filtre = CCriteres::pourCapture();
    filtre.doublons = 1;
    filtre.memeNom = 1;
    executerCriteres(*q1, filtre, nullptr);
    EXPECT_TRUE(q1->fichiers().estVide());
    EXPECT_TRUE(q1->sousDossiers().estVide());
    EXPECT_EQ(classeur->requetes().nombre(), 2);
}

TEST_F(Recherche, FiltreDeCaptureGardeLesDossiersVidesSiDemande)
{
    fichier(*dossier(*q1, "perdu"), "seul");
    q1->inclureDossiersVides = true;
    CCriteres filtre = CCriteres::pourCapture();
    filtre.doublons = 1;
    filtre.memeNom = 1;
    executerCriteres(*q1, filtre, nullptr);
    ASSERT_EQ(q1->sousDossiers().nombre(), 1);
    EXPECT_TRUE(q1->sousDossiers().elementA(0)->fichiers().estVide());
}

// The pass exactly as first described: each candidate in turn looks for a twin among
// the candidates of that moment; marks change in place.
void passeDeReference(std::vector<CFichier*>& l, const CCriteres& c)
{
    const bool tous = c.portee == kPorteeFiltreCapture;
    std::vector<bool> candidat(l.size());
    for (std::size_t i = 0; i < l.size(); ++i)
        candidat[i] = tous || l[i]->marque != 0;
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (!candidat[i])
            continue;
        bool trouve = false;
        for (std::size_t j = 0; j < l.size() && !trouve; ++j) {
            if (j == i || !(tous || l[j]->marque != 0))
                continue;
            const CFichier& a = *l[i];
            const CFichier& b = *l[j];
            trouve = (!c.memeNom || a.nom() == b.nom()) && (!c.memeCreation || a.cree() == b.cree()) &&
                     (!c.memeModification || a.modifie() == b.modifie()) &&
                     (!c.memeAcces || a.accede() == b.accede()) && (!c.memeTaille || a.taille == b.taille);
        }
        l[i]->marque = trouve ? 1 : 0;
    }
}

TEST_F(Recherche, PasseDesDoublonsCommeLaReferencePaireAPaire)
{
    std::mt19937 alea(20031003);
    for (int essai = 0; essai < 300; ++essai) {
        q1->vider();
        const int n = std::uniform_int_distribution<int>(0, 14)(alea);
        auto petit = [&](int k) { return std::uniform_int_distribution<int>(0, k)(alea); };
        for (int i = 0; i < n; ++i) {
            CFichier* f = fichier(*q1, std::string(1, char('a' + petit(2))) + (petit(1) ? "" : "A"));
            f->taille = petit(2);
            f->definirCree(CDateHeure{{1u + petit(1), 1, 2003}, 0, 0, 0});
            f->definirModifie(CDateHeure{{1, 1, 2003}, 0, 0, static_cast<std::uint32_t>(petit(1))});
            f->definirAccede(CDate{1u + petit(1), 1, 2003});
            f->marque = petit(3) ? 1 : 0;
        }
        CCriteres cr = CCriteres::pourRecherche();
        cr.doublons = 1;
        cr.portee = petit(1) ? kPorteeFiltreCapture : kPorteeObjetSelectionne;
        cr.memeNom = petit(1);
        cr.memeCreation = petit(1);
        cr.memeModification = petit(1);
        cr.memeAcces = petit(1);
        cr.memeTaille = petit(1);

        std::vector<CFichier*> reference;
        std::vector<int> marquesAvant;
        CArene arene;
        for (CFichier* f : q1->fichiers()) {
            reference.push_back(CFichier::copier(arene, f->parent(), *f));
            marquesAvant.push_back(f->marque);
        }
        passeDeReference(reference, cr);
        passeDoublons(std::vector<CFichier*>(q1->fichiers().begin(), q1->fichiers().end()), cr);
        int i = 0;
        for (CFichier* f : q1->fichiers()) {
            EXPECT_EQ(f->marque, reference[i]->marque) << "essai " << essai << " fichier " << i;
            delete reference[i++];
        }
    }
}

} // namespace
