// The list pane's core: which field a column sorts on, how two rows compare, how a
// header click changes the stored sort, the texts of the cells, and the nodes a view
// is told about when they are destroyed.

#include "tests/core/Factices.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <tuple>

#include "model/Arene.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/TexteCellule.h"
#include "model/TriListe.h"

namespace {

enum { kListeClasseur = 0, kListeFichiers = 1 };

CDateHeure dateHeure(std::uint32_t annee, std::uint32_t mois, std::uint32_t jour, std::uint32_t h = 0,
                     std::uint32_t m = 0, std::uint32_t s = 0)
{
    CDateHeure d;
    d.date.annee = annee;
    d.date.mois = mois;
    d.date.jour = jour;
    d.heure = h;
    d.minute = m;
    d.seconde = s;
    return d;
}

CDate date(std::uint32_t annee, std::uint32_t mois, std::uint32_t jour)
{
    return dateHeure(annee, mois, jour).date;
}

class TriListe : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        doc = std::make_unique<CDoc>();
        ouvert(*doc);
        classeur = new CClasseur(doc.get(), "Photos");
        doc->classeurs().ajouter(classeur);
        q = nouvelleRequete("Vacances", "/m/vacances");
        ete = new CDossier(q, "/m/vacances/été", false);
        q->sousDossiers().ajouter(ete);
        plage = new CDossier(q, "/m/vacances/été/plage", false);
        ete->sousDossiers().ajouter(plage);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    CRequete* nouvelleRequete(const std::string& nom, const std::string& chemin)
    {
        auto* r = new CRequete(classeur);
        r->definirNom(nom);
        r->definirChemin(chemin);
        classeur->requetes().ajouter(r);
        return r;
    }
    CFichier* fichier(CDossier& d, const std::string& nom)
    {
        auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "/" + nom);
        d.fichiers().ajouter(f);
        return f;
    }
    // <0, 0 or >0, whatever the magnitude.
    static int signe(int v) { return (v > 0) - (v < 0); }
    int cmp(int cle, CElement* a, CElement* b) { return signe(comparerLignes(kListeFichiers, cle, a, b)); }

    std::unique_ptr<CDoc> doc;
    CClasseur* classeur = nullptr;
    CRequete* q = nullptr;
    CDossier *ete = nullptr, *plage = nullptr;
};

// --- Column to field ---------------------------------------------------------------------

TEST_F(TriListe, ColonneVersChampPourToutesLesValeursStockees)
{
    bool CRequete::*const interrupteurs[] = {&CRequete::stockerTaille, &CRequete::stockerCree,
                                             &CRequete::stockerModifie, &CRequete::stockerAccede,
                                             &CRequete::stockerAttributs};
    for (int masque = 0; masque < 32; ++masque) {
        // The fields the query stores, in column order after the name.
        std::vector<int> stockes;
        for (int i = 0; i < 5; ++i) {
            q->*interrupteurs[i] = (masque >> i & 1) != 0;
            if (q->*interrupteurs[i])
                stockes.push_back(i + 1);
        }
        EXPECT_EQ(champDeColonne(kListeFichiers, 0, q), 0) << "masque " << masque;
        for (int colonne = 1; colonne <= 8; ++colonne) {
            const std::size_t n = static_cast<std::size_t>(colonne);
            const int attendu = n <= stockes.size() ? stockes[n - 1] : 6;
            EXPECT_EQ(champDeColonne(kListeFichiers, colonne, q), attendu)
                << "masque " << masque << ", colonne " << colonne;
        }
    }
}

TEST_F(TriListe, ColonneVersChampSansRequeteOuColonneNegative)
{
    // Without a query nothing is stored: every column after the name is the folder.
    EXPECT_EQ(champDeColonne(kListeFichiers, 0, nullptr), 0);
    EXPECT_EQ(champDeColonne(kListeFichiers, 1, nullptr), 6);
    // A negative column sorts on the name, never on a field that does not exist.
    EXPECT_EQ(champDeColonne(kListeFichiers, -1, q), 0);
    EXPECT_EQ(champDeColonne(kListeFichiers, -7, nullptr), 0);
    EXPECT_EQ(champDeColonne(kListeClasseur, -1, nullptr), 0);
}

TEST_F(TriListe, ColonneVersChampDUnClasseurDirecte)
{
    q->stockerTaille = false;   // the query's switches play no part in a binder's list
    EXPECT_EQ(champDeColonne(kListeClasseur, 0, q), 0);
    EXPECT_EQ(champDeColonne(kListeClasseur, 1, q), 1);
    EXPECT_EQ(champDeColonne(kListeClasseur, 1, nullptr), 1);
    EXPECT_EQ(champDeColonne(kListeClasseur, 2, nullptr), 2);
}

TEST_F(TriListe, DispositionDesColonnesSelonLeNoeud)
{
    EXPECT_EQ(dispositionColonnes(*classeur, true), 0);
    EXPECT_EQ(dispositionColonnes(*classeur, false), 0);
    EXPECT_EQ(dispositionColonnes(*ete, true), 1);
    EXPECT_EQ(dispositionColonnes(*ete, false), 1);
    EXPECT_EQ(dispositionColonnes(*q, true), 1);
    EXPECT_EQ(dispositionColonnes(*q, false), 2);
}

// --- Comparing rows ----------------------------------------------------------------------

TEST_F(TriListe, NomsOctetParOctetEtSensiblesALaCasse)
{
    CFichier* accent = fichier(*q, "Été.txt");   // 0xC3 0x89: after every ASCII byte
    CFichier* z = fichier(*q, "Z.txt");
    CFichier* a = fichier(*q, "a.txt");
    CFichier* b = fichier(*q, "b.txt");
    CFichier* a2 = fichier(*plage, "a.txt");
    EXPECT_EQ(cmp(1, z, a), -1);        // capitals first
    EXPECT_EQ(cmp(1, a, accent), -1);
    EXPECT_EQ(cmp(1, z, accent), -1);
    EXPECT_EQ(cmp(1, accent, a), 1);
    EXPECT_EQ(cmp(1, a, b), -1);
    EXPECT_EQ(cmp(1, b, a), 1);
    // Only the name counts, not the folder.
    EXPECT_EQ(cmp(1, a, a2), 0);
}

TEST_F(TriListe, NomPrefixeAvantLeNomPlusLong)
{
    CFichier* court = fichier(*q, "abc");
    CFichier* longue = fichier(*q, "abcd");
    EXPECT_EQ(cmp(1, court, longue), -1);
    EXPECT_EQ(cmp(1, longue, court), 1);
}

TEST_F(TriListe, TaillesNonSignees)
{
    CFichier* enorme = fichier(*q, "enorme");
    CFichier* un = fichier(*q, "un");
    CFichier* zero = fichier(*q, "zero");
    CFichier* aussiUn = fichier(*q, "aussi");
    enorme->taille = 0xFFFFFFFFu;
    un->taille = 1;
    aussiUn->taille = 1;
    EXPECT_EQ(cmp(2, enorme, un), 1);
    EXPECT_EQ(cmp(2, un, enorme), -1);
    EXPECT_EQ(cmp(2, zero, un), -1);
    EXPECT_EQ(cmp(2, un, aussiUn), 0);
    // 0x80000000 would come first if read as a signed number.
    un->taille = 0x80000000u;
    EXPECT_EQ(cmp(2, zero, un), -1);
}

TEST_F(TriListe, DatesHeuresEnOrdreChronologique)
{
    CFichier* x = fichier(*q, "x");
    CFichier* y = fichier(*q, "y");
    // Creation is key 3, modification key 4: the same comparison on their own member.
    for (auto membre : {&CFichier::definirCree, &CFichier::definirModifie}) {
        const int cle = membre == &CFichier::definirCree ? 3 : 4;
        const auto fixer = [&](const CDateHeure& dx, const CDateHeure& dy) {
            (x->*membre)(dx);
            (y->*membre)(dy);
        };
        // The year comes before month and day.
        fixer(dateHeure(2001, 1, 1), dateHeure(2000, 12, 31, 23, 59, 59));
        EXPECT_EQ(cmp(cle, x, y), 1) << cle;
        EXPECT_EQ(cmp(cle, y, x), -1) << cle;
        // Then the month before the day.
        fixer(dateHeure(2000, 2, 1), dateHeure(2000, 1, 31));
        EXPECT_EQ(cmp(cle, x, y), 1) << cle;
        // Then the time of day, down to the second.
        fixer(dateHeure(2000, 5, 5, 10, 0, 0), dateHeure(2000, 5, 5, 9, 59, 59));
        EXPECT_EQ(cmp(cle, x, y), 1) << cle;
        fixer(dateHeure(2000, 5, 5, 10, 0, 0), dateHeure(2000, 5, 5, 10, 0, 1));
        EXPECT_EQ(cmp(cle, x, y), -1) << cle;
        fixer(dateHeure(2000, 5, 5, 10, 0, 0), dateHeure(2000, 5, 5, 10, 0, 0));
        EXPECT_EQ(cmp(cle, x, y), 0) << cle;
    }
    // Each key reads its own date.
    x->definirCree(dateHeure(2020, 1, 1));
    y->definirCree(dateHeure(1990, 1, 1));
    x->definirModifie(dateHeure(1990, 1, 1));
    y->definirModifie(dateHeure(2020, 1, 1));
    EXPECT_EQ(cmp(3, x, y), 1);
    EXPECT_EQ(cmp(4, x, y), -1);
}

TEST_F(TriListe, DatesDAccesSansHeure)
{
    CFichier* x = fichier(*q, "x");
    CFichier* y = fichier(*q, "y");
    x->definirAccede(date(2001, 1, 1));
    y->definirAccede(date(2000, 12, 31));
    EXPECT_EQ(cmp(5, x, y), 1);
    x->definirAccede(date(2000, 3, 1));
    y->definirAccede(date(2000, 2, 28));
    EXPECT_EQ(cmp(5, x, y), 1);
    EXPECT_EQ(cmp(5, y, x), -1);
    y->definirAccede(x->accede());
    // The times of the other dates play no part.
    x->definirCree(dateHeure(2000, 3, 1, 23));
    EXPECT_EQ(cmp(5, x, y), 0);
    // "No date" (day 0) comes before any date of the same year and month.
    y->definirAccede(date(2000, 3, 0));
    EXPECT_EQ(cmp(5, y, x), -1);
}

TEST_F(TriListe, LettresDAttributsOctetParOctet)
{
    CFichier* sans = fichier(*q, "sans");
    CFichier* archive = fichier(*q, "archive");
    CFichier* lecture = fichier(*q, "lecture");
    CFichier* cache = fichier(*q, "cache");
    std::strcpy(archive->lettres, "A");
    std::strcpy(lecture->lettres, "R");
    std::strcpy(cache->lettres, "RH");
    EXPECT_EQ(cmp(6, sans, archive), -1);
    EXPECT_EQ(cmp(6, archive, lecture), -1);
    EXPECT_EQ(cmp(6, lecture, cache), -1);
    EXPECT_EQ(cmp(6, cache, lecture), 1);
    std::strcpy(sans->lettres, "RH");
    EXPECT_EQ(cmp(6, sans, cache), 0);
}

TEST_F(TriListe, CheminsDesDossiers)
{
    CFichier* racine = fichier(*q, "z");
    CFichier* dansEte = fichier(*ete, "a");
    CFichier* dansPlage = fichier(*plage, "a");
    CFichier* voisin = fichier(*q, "a");
    // "/m/vacances" < "/m/vacances/été" < "/m/vacances/été/plage".
    EXPECT_EQ(cmp(7, racine, dansEte), -1);
    EXPECT_EQ(cmp(7, dansEte, dansPlage), -1);
    EXPECT_EQ(cmp(7, dansPlage, racine), 1);
    EXPECT_EQ(cmp(7, racine, voisin), 0);
    // An entry without a folder has an empty folder path, and comes first.
    CArene arene;
    std::unique_ptr<CFichier> orphelin(CFichier::creer(arene, nullptr, "/nulle/part"));
    EXPECT_EQ(cmp(7, orphelin.get(), racine), -1);
    EXPECT_EQ(cmp(7, orphelin.get(), orphelin.get()), 0);
}

TEST_F(TriListe, CleNegativeInverseLesLignes)
{
    CFichier* x = fichier(*q, "b");
    CFichier* y = fichier(*ete, "a");
    x->taille = 10;
    y->taille = 20;
    x->definirCree(dateHeure(2000, 1, 1));
    y->definirCree(dateHeure(1999, 1, 1));
    x->definirModifie(dateHeure(2000, 1, 1, 12));
    y->definirModifie(dateHeure(2000, 1, 1, 11));
    x->definirAccede(date(2000, 1, 2));
    y->definirAccede(date(2000, 1, 1));
    std::strcpy(x->lettres, "A");
    std::strcpy(y->lettres, "R");
    for (int cle = 1; cle <= 7; ++cle) {
        const int croissant = cmp(cle, x, y);
        EXPECT_NE(croissant, 0) << cle;   // the pair differs on every field
        EXPECT_EQ(cmp(-cle, x, y), -croissant) << cle;
        EXPECT_EQ(cmp(-cle, x, y), cmp(cle, y, x)) << cle;
        EXPECT_EQ(cmp(-cle, y, x), croissant) << cle;
    }
}

TEST_F(TriListe, LignesNullesEtClesInconnuesEgales)
{
    CFichier* x = fichier(*q, "a");
    CFichier* y = fichier(*q, "b");
    for (int cle : {-7, -1, 1, 2, 7}) {
        EXPECT_EQ(comparerLignes(kListeFichiers, cle, nullptr, y), 0) << cle;
        EXPECT_EQ(comparerLignes(kListeFichiers, cle, x, nullptr), 0) << cle;
        EXPECT_EQ(comparerLignes(kListeFichiers, cle, nullptr, nullptr), 0) << cle;
        EXPECT_EQ(comparerLignes(kListeClasseur, cle, nullptr, q), 0) << cle;
    }
    for (int cle : {0, 8, -8, 100, -100})
        EXPECT_EQ(comparerLignes(kListeFichiers, cle, x, y), 0) << cle;
    auto* autre = nouvelleRequete("Zèbre", "/z");
    for (int cle : {0, 3, -3, 7})
        EXPECT_EQ(comparerLignes(kListeClasseur, cle, q, autre), 0) << cle;
    // A list kind that does not exist, and rows of the wrong kind for a file list.
    EXPECT_EQ(comparerLignes(2, 1, x, y), 0);
    EXPECT_EQ(comparerLignes(-1, 1, x, y), 0);
    EXPECT_EQ(comparerLignes(kListeFichiers, 1, ete, plage), 0);
    EXPECT_EQ(comparerLignes(kListeFichiers, 1, x, ete), 0);
}

TEST_F(TriListe, RequetesDUnClasseurParNomEtParDossier)
{
    auto* b = nouvelleRequete("Été", "/a/disque");
    auto* c = nouvelleRequete("musique", "/m/vacances/été");
    auto cmpClasseur = [](int cle, CElement* x, CElement* y) { return signe(comparerLignes(kListeClasseur, cle, x, y)); };
    // Names: "Vacances" < "musique" < "Été", byte-wise.
    EXPECT_EQ(cmpClasseur(1, q, c), -1);
    EXPECT_EQ(cmpClasseur(1, c, b), -1);
    EXPECT_EQ(cmpClasseur(1, b, q), 1);
    EXPECT_EQ(cmpClasseur(-1, q, c), 1);
    // Folders: "/a/disque" < "/m/vacances" < "/m/vacances/été".
    EXPECT_EQ(cmpClasseur(2, b, q), -1);
    EXPECT_EQ(cmpClasseur(2, q, c), -1);
    EXPECT_EQ(cmpClasseur(2, c, b), 1);
    EXPECT_EQ(cmpClasseur(-2, b, q), 1);
    EXPECT_EQ(cmpClasseur(2, q, q), 0);
}

// --- Header clicks -----------------------------------------------------------------------

TEST_F(TriListe, ClicsSurLesEnTetesDepuisLEtatInitial)
{
    STriListe tri;
    EXPECT_EQ(tri.colonne, 0);
    EXPECT_TRUE(tri.croissant);
    tri = triApresClic(tri, 1, std::nullopt);   // "Taille": a new column keeps the direction
    EXPECT_EQ(tri.colonne, 1);
    EXPECT_TRUE(tri.croissant);
    tri = triApresClic(tri, 1, std::nullopt);   // again: inverted
    EXPECT_EQ(tri.colonne, 1);
    EXPECT_FALSE(tri.croissant);
    tri = triApresClic(tri, 0, std::nullopt);   // "Nom": still descending
    EXPECT_EQ(tri.colonne, 0);
    EXPECT_FALSE(tri.croissant);
    tri = triApresClic(tri, 0, std::nullopt);
    EXPECT_TRUE(tri.croissant);
}

TEST_F(TriListe, SensForceEtAucuneColonne)
{
    // A forced direction wins on the same column (no inversion) and on another one.
    STriListe tri = triApresClic({2, true}, 2, true);
    EXPECT_EQ(tri.colonne, 2);
    EXPECT_TRUE(tri.croissant);
    tri = triApresClic({2, true}, 2, false);
    EXPECT_FALSE(tri.croissant);
    tri = triApresClic({2, true}, 4, false);
    EXPECT_EQ(tri.colonne, 4);
    EXPECT_FALSE(tri.croissant);
    tri = triApresClic({2, false}, 4, true);
    EXPECT_TRUE(tri.croissant);
    // No column: the stored sort again, unchanged, unless a direction is forced.
    tri = triApresClic({3, false}, std::nullopt, std::nullopt);
    EXPECT_EQ(tri.colonne, 3);
    EXPECT_FALSE(tri.croissant);
    tri = triApresClic({3, false}, std::nullopt, true);
    EXPECT_EQ(tri.colonne, 3);
    EXPECT_TRUE(tri.croissant);
}

// --- Sorting rows ------------------------------------------------------------------------

TEST_F(TriListe, OrdreStableDansLesDeuxSens)
{
    const std::uint32_t tailles[] = {3, 1, 3, 2, 1};
    std::vector<CElement*> lignes;
    for (std::uint32_t t : tailles) {
        CFichier* f = fichier(*q, "f" + std::to_string(lignes.size()));
        f->taille = t;
        lignes.push_back(f);
    }
    // Equal sizes keep their listing order, whichever the direction.
    EXPECT_EQ(ordreTri(lignes, kListeFichiers, 1, true), (std::vector<int>{1, 4, 3, 0, 2}));
    EXPECT_EQ(ordreTri(lignes, kListeFichiers, 1, false), (std::vector<int>{0, 2, 3, 1, 4}));
    // A field every row shares: the listing order.
    EXPECT_EQ(ordreTri(lignes, kListeFichiers, 5, false), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(ordreTri({}, kListeFichiers, 0, true).empty());
}

TEST_F(TriListe, OrdreDesRequetesDUnClasseur)
{
    auto* b = nouvelleRequete("Archives", "/z");
    auto* c = nouvelleRequete("Musique", "/a");
    const std::vector<CElement*> lignes{q, b, c};
    EXPECT_EQ(ordreTri(lignes, kListeClasseur, 0, true), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(ordreTri(lignes, kListeClasseur, 1, true), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(ordreTri(lignes, kListeClasseur, 1, false), (std::vector<int>{1, 0, 2}));
}

// The ascending order of field `champ`, written here without the code under test.
bool avant(const CFichier& a, const CFichier& b, int champ)
{
    auto dh = [](const CDateHeure& d) {
        return std::make_tuple(d.date.annee, d.date.mois, d.date.jour, d.heure, d.minute, d.seconde);
    };
    auto dj = [](const CDate& d) { return std::make_tuple(d.annee, d.mois, d.jour); };
    switch (champ) {
    case 0: return std::string(a.nom()) < std::string(b.nom());
    case 1: return a.taille < b.taille;
    case 2: return dh(a.cree()) < dh(b.cree());
    case 3: return dh(a.modifie()) < dh(b.modifie());
    case 4: return dj(a.accede()) < dj(b.accede());
    case 5: return std::string(a.lettres) < std::string(b.lettres);
    case 6: return a.parent()->chemin() < b.parent()->chemin();
    case 7: return a.marque < b.marque;
    }
    return false;
}

TEST_F(TriListe, OrdreConformeAUnTriStableDeReference)
{
    std::mt19937 alea(20261207);
    CDossier* dossiers[] = {q, ete, plage};
    // Short names, and long ones that share their first eight bytes or more.
    const char* noms[] = {"a", "B", "b", "Été", "été", "Z", "ab", "a b", "日本", "IMG_1234.JPG", "IMG_1234.jpg",
                          "IMG_12345.JPG", "IMG_1234", "IMG_1234 copie.JPG", "Été à Montréal", "Été à Montréal 2"};
    const char* lettres[] = {"", "A", "R", "RH", "RHSA", "HS"};
    std::vector<CElement*> lignes;
    for (int i = 0; i < 600; ++i) {
        // Few distinct values per field: many ties, which the order must keep.
        CFichier* f = fichier(*dossiers[alea() % 3], noms[alea() % std::size(noms)]);
        f->taille = alea() % 4 == 0 ? 0xFFFFFFF0u + alea() % 16 : alea() % 50;
        CDateHeure cree = dateHeure(1999 + alea() % 3, 1 + alea() % 12, 1 + alea() % 28, alea() % 24, alea() % 2,
                                    alea() % 2);
        // A damaged catalogue may hold any value in any field.
        if (alea() % 10 == 0)
            cree.heure = 0xFFFFFFFFu - alea() % 2;
        f->definirCree(cree);
        f->definirModifie(dateHeure(2000, 1 + alea() % 2, 1 + alea() % 3, alea() % 3));
        CDate accede = date(2000 + alea() % 2, 1 + alea() % 12, 1 + alea() % 3);
        if (alea() % 10 == 0)
            accede.jour = 0x80000000u + alea() % 2;
        f->definirAccede(accede);
        std::strcpy(f->lettres, lettres[alea() % 6]);
        f->marque = static_cast<std::int32_t>(alea() % 4) - 1;
        lignes.push_back(f);
    }
    // The marks as a comparison leaves them, then spread over every 32-bit value.
    for (int champ = 0; champ <= 8; ++champ) {
        if (champ == 8) {
            lignes[0]->commeFichier()->marque = INT32_MIN;
            lignes[1]->commeFichier()->marque = INT32_MAX;
        }
        for (bool croissant : {true, false}) {
            std::vector<int> attendu(lignes.size());
            for (std::size_t i = 0; i < attendu.size(); ++i)
                attendu[i] = static_cast<int>(i);
            std::stable_sort(attendu.begin(), attendu.end(), [&](int i, int j) {
                const CFichier& a = *lignes[static_cast<std::size_t>(i)]->commeFichier();
                const CFichier& b = *lignes[static_cast<std::size_t>(j)]->commeFichier();
                return croissant ? avant(a, b, std::min(champ, 7)) : avant(b, a, std::min(champ, 7));
            });
            EXPECT_EQ(ordreTri(lignes, kListeFichiers, std::min(champ, 7), croissant), attendu)
                << "champ " << champ << (croissant ? " croissant" : " décroissant");
            // The same keys read a slice at a time, of uneven sizes, then ordered.
            CClesTri cles(std::min(champ, 7));
            std::vector<const CFichier*> fichiers;
            for (CElement* e : lignes)
                fichiers.push_back(e->commeFichier());
            for (std::size_t lus = 0, tranche = 1; lus < fichiers.size(); lus += tranche, tranche = tranche * 3 + 1)
                cles.lire(fichiers.data() + lus, std::min(tranche, fichiers.size() - lus));
            EXPECT_EQ(cles.nombre(), fichiers.size());
            EXPECT_EQ(cles.ordonner(croissant), attendu)
                << "par tranches, champ " << champ << (croissant ? " croissant" : " décroissant");
        }
    }
}

// The keys are ordered on another thread, when the files may be gone: they hold copies.
TEST_F(TriListe, ClesOrdonneesApresLaDestructionDesFichiers)
{
    const std::pair<const char*, CDossier*> rangs[] = {{"b.txt", plage}, {"a.txt", q}, {"c.txt", ete}, {"a.txt", plage}};
    std::vector<const CFichier*> fichiers;
    for (const auto& [nom, dossier] : rangs)
        fichiers.push_back(fichier(*dossier, nom));
    std::vector<CClesTri> parChamp;
    for (int champ : {0, 6})
        parChamp.emplace_back(champ).lire(fichiers.data(), fichiers.size());
    doc.reset();
    EXPECT_EQ(parChamp[0].ordonner(true), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_EQ(parChamp[1].ordonner(false), (std::vector<int>{0, 3, 2, 1}));
    EXPECT_TRUE(CClesTri(3).ordonner(true).empty());
}

// --- Column orders -----------------------------------------------------------------------

TEST_F(TriListe, ArrangementsDesColonnes)
{
    const int identite[] = {0, 1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(estPermutation(identite, 7));
    EXPECT_TRUE(estPermutation(identite, 3));     // only the first n entries count
    const int melange[] = {2, 0, 1, 9, 9};
    EXPECT_TRUE(estPermutation(melange, 3));
    EXPECT_FALSE(estPermutation(melange, 4));
    const int doublon[] = {0, 1, 1};
    EXPECT_FALSE(estPermutation(doublon, 3));
    const int horsBornes[] = {0, 1, 3};
    EXPECT_FALSE(estPermutation(horsBornes, 3));
    const int negatif[] = {0, -1, 1};
    EXPECT_FALSE(estPermutation(negatif, 3));
    // Seven columns of a stored order whose first three are an arrangement: not one of 7.
    const int partiel[] = {1, 2, 0, 0, 0, 0, 0};
    EXPECT_TRUE(estPermutation(partiel, 3));
    EXPECT_FALSE(estPermutation(partiel, 7));
    EXPECT_TRUE(estPermutation(nullptr, 0));
}

// --- Cell texts --------------------------------------------------------------------------

TEST_F(TriListe, TextesDUneLigneDeFichier)
{
    CFichier* f = fichier(*plage, "Été 2003.jpg");
    f->taille = 1536;
    f->definirCree(dateHeure(2003, 7, 14, 9, 5, 59));
    f->definirModifie(dateHeure(2004, 12, 1, 23, 0, 1));
    f->definirAccede(date(2005, 2, 3));
    std::strcpy(f->lettres, "RA");
    EXPECT_EQ(texteCellule(*f, EChamp::Nom), "Été 2003.jpg");
    EXPECT_EQ(texteCellule(*f, EChamp::Taille), "1,50 Ko");
    EXPECT_EQ(texteCellule(*f, EChamp::Cree), "14/07/2003 09:05");   // no seconds
    EXPECT_EQ(texteCellule(*f, EChamp::Modifie), "01/12/2004 23:00");
    EXPECT_EQ(texteCellule(*f, EChamp::Accede), "03/02/2005");
    EXPECT_EQ(texteCellule(*f, EChamp::Attribut), "RA");
    EXPECT_EQ(texteCellule(*f, EChamp::Dossier), "/m/vacances/été/plage");
    // A row of a binder's list only.
    EXPECT_EQ(texteCellule(*f, EChamp::NomRequete), "");
    EXPECT_EQ(texteCellule(*f, EChamp::DossierRequete), "");

    f->taille = 0;
    EXPECT_EQ(texteCellule(*f, EChamp::Taille), "0 octets");
    CFichier* racine = fichier(*q, "a");
    EXPECT_EQ(texteCellule(*racine, EChamp::Dossier), "/m/vacances");
    EXPECT_EQ(texteCellule(*racine, EChamp::Attribut), "");
    CArene arene;
    std::unique_ptr<CFichier> orphelin(CFichier::creer(arene, nullptr, "/nulle/part"));
    EXPECT_EQ(texteCellule(*orphelin, EChamp::Dossier), "");
}

TEST_F(TriListe, TextesDUneLigneDeClasseur)
{
    EXPECT_EQ(texteCellule(*q, EChamp::NomRequete), "Vacances");
    EXPECT_EQ(texteCellule(*q, EChamp::DossierRequete), "/m/vacances");
    for (EChamp c : {EChamp::Nom, EChamp::Taille, EChamp::Cree, EChamp::Modifie, EChamp::Accede, EChamp::Attribut,
                     EChamp::Dossier})
        EXPECT_EQ(texteCellule(*q, c), "") << static_cast<int>(c);
    // A binder carries no query.
    EXPECT_EQ(texteCellule(*classeur, EChamp::NomRequete), "");
}

} // namespace
