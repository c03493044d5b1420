// The comparison of two queries: the counterpart test, the statuses and rows of a run,
// the shared options slot, the pair and its end when a query goes.

#include "tests/core/Factices.h"

#include <cctype>
#include <random>
#include <utility>

#include "capture/MiseAJour.h"
#include "model/CResultatsComparaison.h"
#include "compare/Comparaison.h"
#include "compare/StatutsComparaison.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

// The results window as the tests see it: its rows with the status and the slot each
// row found, and every call in order.
class CComparaisonEspion : public CResultatsComparaison {
public:
    struct SLigne {
        CFichier* fichier;
        int statut;
    };

    void vider() override
    {
        lignes.clear();
        journal.push_back("vider");
    }
    void ajouterLigne(CFichier* f, std::int32_t statut) override
    {
        lignes.push_back({f, statut});
        journal.push_back("ligne");
    }
    void definirPaire(CRequete* a, CRequete* b) override
    {
        paires.emplace_back(a, b);
        journal.push_back(a ? "paire" : "aucune paire");
    }
    void retirerFichier(const CFichier* f) override
    {
        std::erase_if(lignes, [f](const SLigne& l) { return l.fichier == f; });
        journal.push_back("retirer");
    }

    std::vector<CFichier*> fichiers() const
    {
        std::vector<CFichier*> r;
        for (const SLigne& l : lignes)
            r.push_back(l.fichier);
        return r;
    }
    std::vector<int> statuts() const
    {
        std::vector<int> r;
        for (const SLigne& l : lignes)
            r.push_back(l.statut);
        return r;
    }

    std::vector<SLigne> lignes;
    std::vector<std::pair<CRequete*, CRequete*>> paires;
    std::vector<std::string> journal;
};

// Values of a file entry; the defaults are the same for every file.
struct SValeurs {
    std::uint32_t taille = 100;
    CDateHeure cree{{1, 2, 2003}, 10, 20, 30};
    CDateHeure modifie{{2, 2, 2003}, 11, 21, 31};
    CDate accede{3, 2, 2003};
    const char* lettres = "A";
};

SOptionsComparaison toutesLesOptions()
{
    return {true, true, true, true, true, true};
}

class Comparaison : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        contexte().resultatsComparaison = &fenetre;
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        qa = ajouterRequete("A", "/a");
        qb = ajouterRequete("B", "/b");
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    CRequete* ajouterRequete(const std::string& nom, const std::string& chemin)
    {
        CClasseur* classeur = doc->classeurs().elementA(0);
        auto* q = new CRequete(classeur);
        q->definirNom(nom);
        q->definirChemin(chemin);
        classeur->requetes().ajouter(q);
        return q;
    }
    static CDossier* sousDossier(CDossier& parent, const std::string& nom)
    {
        auto* d = new CDossier(parent.requete(), parent.chemin() + "/" + nom, false);
        parent.sousDossiers().ajouter(d);
        return d;
    }
    static CFichier* ajouterFichier(CDossier& d, const std::string& nom, const SValeurs& v = {})
    {
        auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "/" + nom);
        f->taille = v.taille;
        f->definirCree(v.cree);
        f->definirModifie(v.modifie);
        f->definirAccede(v.accede);
        std::snprintf(f->lettres, sizeof f->lettres, "%s", v.lettres);
        d.fichiers().ajouter(f);
        return f;
    }
    SDecompteComparaison comparer(const SOptionsComparaison& options)
    {
        return comparerRequetes(*qa, *qb, options, &fenetre);
    }

    CComparaisonEspion fenetre;
    std::unique_ptr<CDoc> doc;
    CRequete* qa = nullptr;
    CRequete* qb = nullptr;
};

// --- The counterpart test ---------------------------------------------------------

TEST_F(Comparaison, ChaqueOptionTesteSaValeurEtSeulementElle)
{
    const CFichier* x = ajouterFichier(*qa, "f");
    struct SCas {
        const char* libelle;
        bool SOptionsComparaison::*option;
        SValeurs valeurs;
        const char* nom;
    };
    SValeurs autreTaille, autreCree, autreModifie, autreAcces, autresLettres;
    autreTaille.taille = 101;
    autreCree.cree.seconde = 31;
    autreModifie.modifie.date.annee = 2004;
    autreAcces.accede.mois = 3;
    autresLettres.lettres = "RA";
    const SCas cas[] = {{"nom", &SOptionsComparaison::nom, {}, "g"},
                        {"taille", &SOptionsComparaison::taille, autreTaille, "f"},
                        {"création", &SOptionsComparaison::cree, autreCree, "f"},
                        {"modification", &SOptionsComparaison::modifie, autreModifie, "f"},
                        {"accès", &SOptionsComparaison::accede, autreAcces, "f"},
                        {"attributs", &SOptionsComparaison::attributs, autresLettres, "f"}};
    for (const SCas& k : cas) {
        const CFichier* y = ajouterFichier(*qb, k.nom, k.valeurs);
        SOptionsComparaison seule;
        seule.*k.option = true;
        EXPECT_FALSE(sontContreparties(*x, *y, seule)) << k.libelle;
        EXPECT_FALSE(sontContreparties(*y, *x, seule)) << k.libelle;
        SOptionsComparaison sauf = toutesLesOptions();
        sauf.*k.option = false;
        EXPECT_TRUE(sontContreparties(*x, *y, sauf)) << k.libelle;
    }
}

TEST_F(Comparaison, NomsEtAttributsSansCasseAccentsCompris)
{
    SValeurs ra, RA;
    ra.lettres = "ra";
    RA.lettres = "RA";
    const CFichier* lettre = ajouterFichier(*qa, "lettre.doc", ra);
    const CFichier* LETTRE = ajouterFichier(*qb, "LETTRE.DOC", RA);
    const CFichier* ete = ajouterFichier(*qa, "été.txt");
    const CFichier* ETE = ajouterFichier(*qb, "ÉTÉ.TXT");
    const CFichier* sansAccent = ajouterFichier(*qb, "ete.txt");
    const SOptionsComparaison o = toutesLesOptions();
    EXPECT_TRUE(sontContreparties(*lettre, *LETTRE, o));
    EXPECT_TRUE(sontContreparties(*ete, *ETE, o));
    EXPECT_FALSE(sontContreparties(*ete, *sansAccent, o));
    EXPECT_FALSE(sontContreparties(*lettre, *ete, o));
    // Every script, through the run's hashing too.
    CFichier* dom = ajouterFichier(*qa, "дом Σοφός.txt");
    CFichier* DOM = ajouterFichier(*qb, "ДОМ ΣΟΦΌΣ.TXT");
    comparerRequetes(*qa, *qb, o, nullptr);
    EXPECT_EQ(dom->marque, 2u);
    EXPECT_EQ(DOM->marque, 2u);
}

// --- Statuses and rows of a run ---------------------------------------------------

TEST_F(Comparaison, DeuxCapturesDuMemeDossierToutesOptions)
{
    p.insererDisque("/media/cd", "CD", 0x1234);
    p.ajouterFichier("/media/cd/a.txt", 10, kAttrArchive);
    p.ajouterFichier("/media/cd/sous/b.txt", 20, kAttrLectureSeule).ecriture = tempsFichierDepuisUnix(1000000000);
    p.ajouterFichier("/media/cd/sous/c.txt", 20);
    qa->definirChemin("/media/cd");
    qb->definirChemin("/media/cd");
    ASSERT_EQ(mettreAJourRequete(*qa, nullptr), EResultatMiseAJour::Capturee);
    ASSERT_EQ(mettreAJourRequete(*qb, nullptr), EResultatMiseAJour::Capturee);

    comparer(toutesLesOptions());
    ASSERT_EQ(fenetre.lignes.size(), 6u);
    EXPECT_EQ(fenetre.statuts(), std::vector<int>(6, kStatutDansLesDeux));
    // Each file twice: once as a file of A, once as its copy in B.
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(fenetre.lignes[i].fichier->requete(), qa);
        EXPECT_EQ(fenetre.lignes[i + 3].fichier->requete(), qb);
        EXPECT_EQ(fenetre.lignes[i].fichier->chemin(), fenetre.lignes[i + 3].fichier->chemin());
    }
}

TEST_F(Comparaison, LettreDocEtLETTREDOCSontContrepartiesParLeNom)
{
    CFichier* a = ajouterFichier(*qa, "lettre.doc");
    CFichier* b = ajouterFichier(*qb, "LETTRE.DOC");
    comparer({.nom = true});
    EXPECT_EQ(a->marque, kStatutDansLesDeux);
    EXPECT_EQ(b->marque, kStatutDansLesDeux);
}

TEST_F(Comparaison, LeDossierNeCompteJamais)
{
    SValeurs autres;
    autres.taille = 1;
    CFichier* a = ajouterFichier(*sousDossier(*qa, "photos"), "vacances.jpg");
    CFichier* b = ajouterFichier(*sousDossier(*sousDossier(*qb, "archives"), "2003"), "vacances.jpg", autres);
    CFichier* seul = ajouterFichier(*sousDossier(*qb, "vacances.jpg"), "autre.jpg");
    comparer({.nom = true});
    EXPECT_EQ(a->marque, kStatutDansLesDeux);
    EXPECT_EQ(b->marque, kStatutDansLesDeux);
    EXPECT_EQ(seul->marque, kStatutSeulDansSeconde);
}

TEST_F(Comparaison, ModificationDecaleeDUneSecondeListeeUneFoisDeChaqueCote)
{
    CFichier* ancien = ajouterFichier(*qa, "rapport.doc");
    SValeurs plusTard;
    plusTard.modifie.seconde += 1;
    CFichier* nouveau = ajouterFichier(*qb, "rapport.doc", plusTard);
    comparer({.nom = true, .modifie = true, .taille = true});
    EXPECT_EQ(fenetre.fichiers(), (std::vector<CFichier*>{ancien, nouveau}));
    EXPECT_EQ(fenetre.statuts(), (std::vector<int>{kStatutSeulDansPremiere, kStatutSeulDansSeconde}));
    EXPECT_EQ(ancien->marque, kStatutSeulDansPremiere);
    EXPECT_EQ(nouveau->marque, kStatutSeulDansSeconde);
}

TEST_F(Comparaison, PlusieursFichiersPourUneSeuleContrepartie)
{
    CFichier* a1 = ajouterFichier(*qa, "x");
    CFichier* a2 = ajouterFichier(*sousDossier(*qa, "d"), "X");
    CFichier* b = ajouterFichier(*qb, "x");
    comparer({.nom = true});
    EXPECT_EQ(fenetre.fichiers(), (std::vector<CFichier*>{a1, a2, b}));
    EXPECT_EQ(fenetre.statuts(), std::vector<int>(3, kStatutDansLesDeux));
}

TEST_F(Comparaison, SansOptionToutEstEnCommunDesQueBContientUnFichier)
{
    ajouterFichier(*qa, "x");
    ajouterFichier(*sousDossier(*qa, "d"), "y");
    comparer({});
    // B empty: no counterpart for anyone, no row for B.
    EXPECT_EQ(fenetre.statuts(), std::vector<int>(2, kStatutSeulDansPremiere));
    ajouterFichier(*sousDossier(*qb, "e"), "z");
    comparer({});
    EXPECT_EQ(fenetre.statuts(), std::vector<int>(3, kStatutDansLesDeux));
}

TEST_F(Comparaison, RequeteAVideTousLesFichiersDeBSeuls)
{
    ajouterFichier(*qb, "x");
    ajouterFichier(*qb, "y");
    comparer(toutesLesOptions());
    EXPECT_EQ(fenetre.statuts(), std::vector<int>(2, kStatutSeulDansSeconde));
    comparer({});
    EXPECT_EQ(fenetre.statuts(), std::vector<int>(2, kStatutSeulDansSeconde));
}

TEST_F(Comparaison, LignesDeAPuisDeBChacuneDansLOrdreDeCollecte)
{
    // Sub-folders made before the query's own files: collection still takes a folder's
    // own files first, then each sub-folder in list order.
    CDossier* d1 = sousDossier(*qa, "d1");
    CDossier* d2 = sousDossier(*qa, "d2");
    CFichier* a3 = ajouterFichier(*d1, "trois");
    CFichier* a5 = ajouterFichier(*d2, "cinq");
    CFichier* a4 = ajouterFichier(*sousDossier(*d1, "d11"), "quatre");
    CFichier* a1 = ajouterFichier(*qa, "un");
    CFichier* a2 = ajouterFichier(*qa, "deux");
    CFichier* b2 = ajouterFichier(*sousDossier(*qb, "e"), "cinq");
    CFichier* b1 = ajouterFichier(*qb, "zéro");
    comparer({.nom = true});
    EXPECT_EQ(fenetre.fichiers(), (std::vector<CFichier*>{a1, a2, a3, a4, a5, b1, b2}));
    EXPECT_EQ(fenetre.statuts(), (std::vector<int>{0, 0, 0, 0, 2, 1, 2}));
}

TEST_F(Comparaison, UneRequeteAvecElleMemeToutEnCommun)
{
    ajouterFichier(*qa, "x");
    ajouterFichier(*qa, "y");
    const SDecompteComparaison d = comparerRequetes(*qa, *qa, toutesLesOptions(), &fenetre);
    EXPECT_EQ(fenetre.statuts(), std::vector<int>(4, kStatutDansLesDeux));
    EXPECT_EQ(d, (SDecompteComparaison{0, 0, 2}));
}

TEST_F(Comparaison, SansFenetreLesStatutsSontEcritsQuandMeme)
{
    CFichier* a = ajouterFichier(*qa, "x");
    CFichier* b = ajouterFichier(*qb, "y");
    comparerRequetes(*qa, *qb, {.nom = true}, nullptr);
    EXPECT_EQ(a->marque, kStatutSeulDansPremiere);
    EXPECT_EQ(b->marque, kStatutSeulDansSeconde);
    EXPECT_TRUE(fenetre.journal.empty());
}

// --- Values a query does not store ------------------------------------------------

TEST_F(Comparaison, UneValeurQuUneRequeteNeStockePasNeComptePas)
{
    SValeurs autre;
    autre.taille = 5;
    autre.lettres = "H";
    CFichier* a = ajouterFichier(*qa, "x");
    CFichier* b = ajouterFichier(*qb, "X", autre);
    const SOptionsComparaison options{.nom = true, .taille = true, .attributs = true};
    comparer(options);
    EXPECT_EQ(a->marque, kStatutSeulDansPremiere);

    qb->stockerTaille = false;
    qa->stockerAttributs = false;
    comparer(options);
    EXPECT_EQ(a->marque, kStatutDansLesDeux);
    EXPECT_EQ(b->marque, kStatutDansLesDeux);
}

TEST_F(Comparaison, OptionsApplicablesSelonLesDeuxRequetes)
{
    qa->stockerCree = false;
    qb->stockerAccede = false;
    qa->stockerModifie = qb->stockerModifie = false;
    const SOptionsComparaison r = optionsApplicables(*qa, *qb, toutesLesOptions());
    EXPECT_TRUE(r.nom);
    EXPECT_FALSE(r.cree);
    EXPECT_FALSE(r.modifie);
    EXPECT_FALSE(r.accede);
    EXPECT_TRUE(r.taille);
    EXPECT_TRUE(r.attributs);
    // An option left unset stays unset.
    EXPECT_FALSE(optionsApplicables(*qa, *qb, {}).taille);
}

// --- The pair and its end ---------------------------------------------------------

TEST_F(Comparaison, LaFenetreEstVideeRempliePuisApprendLaPaire)
{
    ajouterFichier(*qa, "x");
    ajouterFichier(*qb, "y");
    comparer({.nom = true});
    EXPECT_EQ(fenetre.journal, (std::vector<std::string>{"vider", "ligne", "ligne", "paire"}));
}

TEST_F(Comparaison, LaFenetreApprendLaPaire)
{
    CRequete* qc = ajouterRequete("C", "/c");
    comparer({});
    comparerRequetes(*qb, *qc, {}, &fenetre);
    using Paire = std::pair<CRequete*, CRequete*>;
    EXPECT_EQ(fenetre.paires, (std::vector<Paire>{{qa, qb}, {qb, qc}}));
    EXPECT_FALSE(fenetre.montre(*qa));
    EXPECT_TRUE(fenetre.montre(*qb) && fenetre.montre(*qc));
}

TEST_F(Comparaison, DetruireLUneDesDeuxRequetesVideLaFenetre)
{
    for (bool premiere : {true, false}) {
        CRequete* a = ajouterRequete("A2", "/a2");
        CRequete* b = ajouterRequete("B2", "/b2");
        ajouterFichier(*a, "x");
        ajouterFichier(*b, "x");
        comparerRequetes(*a, *b, {.nom = true}, &fenetre);
        fenetre.journal.clear();
        fenetre.paires.clear();
        ASSERT_TRUE(doc->supprimerNoeud(*(premiere ? a : b)));
        // The window let go of every row before the query's files went.
        ASSERT_GE(fenetre.journal.size(), 2u) << premiere;
        EXPECT_EQ(fenetre.journal[0], "vider") << premiere;
        EXPECT_EQ(fenetre.journal[1], "aucune paire") << premiere;
        EXPECT_TRUE(fenetre.lignes.empty()) << premiere;
        EXPECT_EQ(fenetre.paires, (std::vector<std::pair<CRequete*, CRequete*>>{{nullptr, nullptr}}));
        EXPECT_FALSE(fenetre.montre(*(premiere ? b : a)));
        ASSERT_TRUE(doc->supprimerNoeud(*(premiere ? b : a)));
    }
}

TEST_F(Comparaison, DetruireUneAutreRequeteGardeLaPaire)
{
    CRequete* autre = ajouterRequete("C", "/c");
    ajouterFichier(*autre, "x");
    ajouterFichier(*qa, "x");
    comparer({.nom = true});
    fenetre.journal.clear();
    ASSERT_TRUE(doc->supprimerNoeud(*autre));
    EXPECT_EQ(fenetre.journal, (std::vector<std::string>{"retirer"}));
    EXPECT_EQ(fenetre.lignes.size(), 1u);
    EXPECT_TRUE(fenetre.montre(*qa) && fenetre.montre(*qb));
}

TEST_F(Comparaison, FermerLeDocumentOublieLaPaire)
{
    ajouterFichier(*qa, "x");
    comparer({});
    doc.reset();
    EXPECT_TRUE(fenetre.lignes.empty());
    EXPECT_EQ(fenetre.paires.back(), (std::pair<CRequete*, CRequete*>{nullptr, nullptr}));
}

// --- Against the pairwise rule ----------------------------------------------------

TEST_F(Comparaison, ClassesDUneMemeCleSepareesParLeVraiTest)
{
    // x, X, y and Y share one hash, as if theirs collided; z has its own. Only the real
    // test may put files in one class.
    const char* noms[] = {"x", "X", "y", "Y", "z"};
    std::mt19937 alea(19790214);
    for (int essai = 0; essai < 300; ++essai) {
        qa->vider();
        qb->vider();
        std::vector<SEntreeComparaison> entrees;
        for (int i = std::uniform_int_distribution<int>(0, 10)(alea); i > 0; --i) {
            const bool seconde = std::uniform_int_distribution<int>(0, 1)(alea) != 0;
            const std::string nom = noms[std::uniform_int_distribution<int>(0, 4)(alea)];
            CFichier* f = ajouterFichier(seconde ? *qb : *qa, nom);
            entrees.push_back({cleDeComparaison(nom == "z" ? 8 : 7, seconde), f});
        }
        deciderStatuts(entrees, {.nom = true});
        auto plie = [](const CFichier* f) { return std::tolower(static_cast<unsigned char>(f->nom()[0])); };
        for (CRequete* q : {qa, qb}) {
            const CRequete* autre = q == qa ? qb : qa;
            for (const CFichier* f : q->fichiers()) {
                const bool trouve = std::any_of(autre->fichiers().begin(), autre->fichiers().end(),
                                                [&](const CFichier* g) { return plie(f) == plie(g); });
                const int seul = q == qa ? kStatutSeulDansPremiere : kStatutSeulDansSeconde;
                EXPECT_EQ(f->marque, trouve ? kStatutDansLesDeux : seul) << essai << " " << f->nom();
            }
        }
    }
}

// The test alphabet folded by hand: ASCII letters and É/é.
std::string plierPourReference(std::string_view texte)
{
    std::string r;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte.substr(i, 2) == "É") {
            r += "é";
            ++i;
        } else {
            r += char(std::tolower(static_cast<unsigned char>(texte[i])));
        }
    }
    return r;
}

// The rule as first stated: each file against the files of the other query in order.
bool contrepartiesDeReference(const CFichier& x, const CFichier& y, const SOptionsComparaison& o,
                              const CRequete& a, const CRequete& b)
{
    if (o.nom && plierPourReference(x.nom()) != plierPourReference(y.nom()))
        return false;
    if (o.taille && a.stockerTaille && b.stockerTaille && x.taille != y.taille)
        return false;
    if (o.cree && a.stockerCree && b.stockerCree && x.cree() != y.cree())
        return false;
    if (o.modifie && a.stockerModifie && b.stockerModifie && x.modifie() != y.modifie())
        return false;
    if (o.accede && a.stockerAccede && b.stockerAccede && x.accede() != y.accede())
        return false;
    return !(o.attributs && a.stockerAttributs && b.stockerAttributs &&
             plierPourReference(x.lettres) != plierPourReference(y.lettres));
}

void collecterDansLOrdre(const CDossier& d, std::vector<CFichier*>& r)
{
    for (CFichier* f : d.fichiers())
        r.push_back(f);
    for (const CDossier* s : d.sousDossiers())
        collecterDansLOrdre(*s, r);
}

std::vector<CComparaisonEspion::SLigne> lignesDeReference(const CRequete& a, const CRequete& b,
                                                          const SOptionsComparaison& o)
{
    std::vector<CFichier*> la, lb;
    collecterDansLOrdre(a, la);
    collecterDansLOrdre(b, lb);
    std::vector<CComparaisonEspion::SLigne> r;
    for (CFichier* x : la) {
        bool trouve = false;
        for (std::size_t j = 0; j < lb.size() && !trouve; ++j)
            trouve = contrepartiesDeReference(*x, *lb[j], o, a, b);
        r.push_back({x, trouve ? 2 : 0});
    }
    for (CFichier* y : lb) {
        bool trouve = false;
        for (std::size_t i = 0; i < la.size() && !trouve; ++i)
            trouve = contrepartiesDeReference(*la[i], *y, o, a, b);
        r.push_back({y, trouve ? 2 : 1});
    }
    return r;
}

TEST_F(Comparaison, CommeLaRegleDeChaqueFichierContreTousLesAutres)
{
    const char* morceaux[] = {"a", "A", "é", "É", "e", "b"};
    const char* extensions[] = {"", ".txt", ".TXT"};
    const char* lettres[] = {"", "R", "r", "RA", "ra", "Ra", "H"};
    std::mt19937 alea(20030310);
    auto jusqua = [&alea](int n) { return std::uniform_int_distribution<int>(0, n)(alea); };
    for (int essai = 0; essai < 400; ++essai) {
        for (CRequete* q : {qa, qb}) {
            q->vider();
            std::vector<CDossier*> dossiers{q};
            for (int k = jusqua(2); k > 0; --k)
                dossiers.push_back(sousDossier(*dossiers[std::size_t(jusqua(int(dossiers.size()) - 1))], "d"));
            for (int i = jusqua(8); i > 0; --i) {
                SValeurs v;
                v.taille = std::uint32_t(jusqua(1));
                v.cree.seconde = std::uint32_t(jusqua(1));
                v.modifie.date.jour = 1 + std::uint32_t(jusqua(1));
                v.accede.annee = 2003 + std::uint32_t(jusqua(1));
                v.lettres = lettres[jusqua(int(std::size(lettres)) - 1)];
                std::string nom = morceaux[jusqua(int(std::size(morceaux)) - 1)];
                if (jusqua(1))
                    nom += morceaux[jusqua(int(std::size(morceaux)) - 1)];
                nom += extensions[jusqua(int(std::size(extensions)) - 1)];
                ajouterFichier(*dossiers[std::size_t(jusqua(int(dossiers.size()) - 1))], nom, v);
            }
            q->stockerTaille = jusqua(4) != 0;
            q->stockerAttributs = jusqua(4) != 0;
        }
        const SOptionsComparaison o{jusqua(1) != 0, jusqua(1) != 0, jusqua(1) != 0,
                                    jusqua(1) != 0, jusqua(1) != 0, jusqua(1) != 0};
        const SDecompteComparaison decompte = comparer(o);
        const auto attendues = lignesDeReference(*qa, *qb, o);
        ASSERT_EQ(fenetre.lignes.size(), attendues.size()) << essai;
        // The counts agree with the rows: a's alone, b's alone, a's in both.
        SDecompteComparaison compte;
        for (const auto& l : attendues) {
            if (l.statut != kStatutDansLesDeux)
                ++(l.statut == kStatutSeulDansPremiere ? compte.seulsDansPremiere : compte.seulsDansSeconde);
            else if (l.fichier->requete() == qa)
                ++compte.premiereDansLesDeux;
        }
        EXPECT_EQ(decompte, compte) << essai;
        for (std::size_t i = 0; i < attendues.size(); ++i) {
            EXPECT_EQ(fenetre.lignes[i].fichier, attendues[i].fichier) << essai << " " << i;
            EXPECT_EQ(fenetre.lignes[i].statut, attendues[i].statut)
                << essai << " " << fenetre.lignes[i].fichier->nom() << " " << fenetre.lignes[i].fichier->lettres;
        }
    }
}

} // namespace
