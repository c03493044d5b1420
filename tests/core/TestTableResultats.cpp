// Rows of the results windows: sorting, and rows of destroyed entries.

#include "tests/core/Factices.h"

#include "compare/CResultatsComparaisonTable.h"
#include "model/CDossier.h"
#include "model/CFichier.h"
#include "search/CResultatsRechercheTable.h"

namespace {

class TableResultats : public AvecPlateformeFactice {
protected:
    CFichier* fichier(CDossier& d, const std::string& nom, std::uint32_t taille)
    {
        auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "/" + nom);
        f->taille = taille;
        d.fichiers().ajouter(f);
        return f;
    }
    std::vector<std::string> noms(CTableResultats& t)
    {
        std::vector<std::string> r;
        for (const CFichier* f : t.lignes())
            r.emplace_back(f->nom());
        return r;
    }
    CDossier dossier{nullptr, "/d", false};
};

TEST_F(TableResultats, TriParColonneEtSens)
{
    CTableResultats t(false);
    t.ajouter(fichier(dossier, "b", 3000000000u));
    t.ajouter(fichier(dossier, "a", 1000000000u));
    t.ajouter(fichier(dossier, "C", 2000000000u));
    t.trier();  // by name, ascending, byte order: capitals first
    EXPECT_EQ(noms(t), (std::vector<std::string>{"C", "a", "b"}));
    t.trier(1);  // size: a new column keeps the direction
    EXPECT_EQ(noms(t), (std::vector<std::string>{"a", "C", "b"}));
    EXPECT_TRUE(t.croissant());
    t.trier(1);  // the same column again: descending
    EXPECT_EQ(noms(t), (std::vector<std::string>{"b", "C", "a"}));
    t.trier(0);  // name, still descending
    EXPECT_FALSE(t.croissant());
    EXPECT_EQ(noms(t), (std::vector<std::string>{"b", "a", "C"}));
    t.vider();
    EXPECT_TRUE(t.lignes().empty());
    EXPECT_EQ(t.colonneTri(), 0);  // the sort stays for the next search
    EXPECT_FALSE(t.croissant());
}

TEST_F(TableResultats, DatesEtDossiers)
{
    CDossier autre(nullptr, "/c", false);
    CFichier* x = fichier(dossier, "x", 0);
    CFichier* y = fichier(autre, "y", 0);
    x->definirModifie(CDateHeure{{1, 1, 2003}, 10, 0, 1});
    y->definirModifie(CDateHeure{{1, 1, 2003}, 10, 0, 0});
    CTableResultats t(false);
    t.ajouter(x);
    t.ajouter(y);
    t.definirTri(3, true);
    EXPECT_EQ(noms(t), (std::vector<std::string>{"y", "x"}));
    t.definirTri(6, true);
    EXPECT_EQ(noms(t), (std::vector<std::string>{"y", "x"}));  // "/c" before "/d"
    t.definirTri(2, true);  // equal creation dates: the order stays
    EXPECT_EQ(noms(t), (std::vector<std::string>{"y", "x"}));
}

TEST_F(TableResultats, LesEntreesDetruitesQuittentLaListe)
{
    CResultatsRechercheTable resultats;
    auto* d = new CDossier(nullptr, "/d", false);
    CFichier* a = fichier(*d, "a", 1);
    CFichier* b = fichier(*d, "b", 2);
    resultats.ajouterLigne(a);
    resultats.ajouterLigne(b);
    CFichier* garde = fichier(dossier, "garde", 3);
    resultats.ajouterLigne(garde);
    // As the program's context lets go of them when their document announces they go.
    resultats.retirerFichier(a);
    resultats.retirerFichier(b);
    delete d;
    // A new entry may reuse a destroyed one's address: it must still be listed.
    CFichier* nouveau = fichier(dossier, "nouveau", 4);
    resultats.ajouterLigne(nouveau);
    EXPECT_EQ(noms(resultats.table), (std::vector<std::string>{"garde", "nouveau"}));
}

TEST_F(TableResultats, ComparaisonTrieeParStatutEtPaire)
{
    CResultatsComparaisonTable resultats;
    CFichier* deux = fichier(dossier, "deux", 0);
    CFichier* zero = fichier(dossier, "zero", 0);
    CFichier* un = fichier(dossier, "un", 0);
    deux->marque = 2;
    zero->marque = 0;
    un->marque = 1;
    for (CFichier* f : {deux, zero, un, deux})
        resultats.ajouterLigne(f, f->marque);
    CRequete* a = reinterpret_cast<CRequete*>(0x10);  // only remembered, never used
    resultats.definirPaire(a, a);
    EXPECT_EQ(noms(resultats.table), (std::vector<std::string>{"zero", "un", "deux", "deux"}));
    resultats.retirerFichier(deux);
    EXPECT_EQ(noms(resultats.table), (std::vector<std::string>{"zero", "un"}));
    resultats.definirPaire(nullptr, nullptr);
    EXPECT_TRUE(resultats.table.lignes().empty());
}

} // namespace
