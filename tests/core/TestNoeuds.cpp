// Catalogue nodes: naming, name checks, ownership, destruction, copies, interfaces.

#include "tests/core/Factices.h"

#include <cstring>
#include <algorithm>
#include <random>
#include <vector>

#include "model/Arene.h"
#include "model/CResultatsComparaison.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

class Noeuds : public AvecPlateformeFactice {
protected:
    CClasseur* ajouterClasseur(CDoc& doc, const std::string& nom)
    {
        auto* c = new CClasseur(&doc, nom);
        doc.classeurs().ajouter(c);
        return c;
    }
    CRequete* ajouterRequete(CClasseur& c, const std::string& nom, const std::string& chemin = "/d")
    {
        auto* q = new CRequete(&c);
        q->definirNom(nom);
        q->definirChemin(chemin);
        c.requetes().ajouter(q);
        return q;
    }
    CFichier* ajouterFichier(CDossier& d, const std::string& chemin)
    {
        auto* f = CFichier::creer(d.arene(), &d, chemin);
        d.fichiers().ajouter(f);
        return f;
    }
    CDossier* ajouterSousDossier(CDossier& d, const std::string& chemin, bool cache = false)
    {
        auto* s = new CDossier(d.requete(), chemin, cache);
        d.sousDossiers().ajouter(s);
        return s;
    }
};

TEST_F(Noeuds, NouveauDocumentAUnClasseurGeneralCourant)
{
    CDoc doc;
    contexte().classeurCourant = ouvert(doc).initialiserNouveau();
    ASSERT_EQ(doc.classeurs().nombre(), 1);
    EXPECT_EQ(doc.classeurs().elementA(0)->nom(), "Général");
    EXPECT_EQ(contexte().classeurCourant, doc.classeurs().elementA(0));
    EXPECT_FALSE(doc.estModifie());
}

TEST_F(Noeuds, NomsDeNouveauxClasseurs)
{
    CDoc doc;
    ouvert(doc);
    EXPECT_EQ(doc.nomNouveauClasseur(), "Classeur");
    ajouterClasseur(doc, "Classeur 2");
    // "Classeur 2" alone does not push the first new binder away from "Classeur".
    EXPECT_EQ(doc.nomNouveauClasseur(), "Classeur");
    ajouterClasseur(doc, "Classeur");
    std::vector<std::string> noms;
    for (int i = 0; i < 3; ++i)
        noms.push_back(ajouterClasseur(doc, doc.nomNouveauClasseur())->nom());
    EXPECT_EQ(noms, (std::vector<std::string>{"Classeur 3", "Classeur 4", "Classeur 5"}));
    // Exact comparison: another case is another name.
    CDoc autre;
    ouvert(autre);
    ajouterClasseur(autre, "classeur");
    EXPECT_EQ(autre.nomNouveauClasseur(), "Classeur");
}

TEST_F(Noeuds, NomsDeNouvellesRequetesUniquesDansToutLeDocument)
{
    CDoc doc;
    ouvert(doc);
    CClasseur* a = ajouterClasseur(doc, "A");
    CClasseur* b = ajouterClasseur(doc, "B");
    ajouterRequete(*a, doc.nomNouvelleRequete("C:\\Photos"));
    ajouterRequete(*b, doc.nomNouvelleRequete("C:\\Photos"));
    ajouterRequete(*b, doc.nomNouvelleRequete("C:\\Photos"));
    EXPECT_EQ(a->requetes().elementA(0)->nom(), "C:\\Photos");
    EXPECT_EQ(b->requetes().elementA(0)->nom(), "C:\\Photos 2");
    EXPECT_EQ(b->requetes().elementA(1)->nom(), "C:\\Photos 3");
}

TEST_F(Noeuds, VerificationDuNomDUnClasseur)
{
    CDoc doc;
    ouvert(doc);
    CClasseur* c = ajouterClasseur(doc, "Classeur");
    ajouterClasseur(doc, "Autre");
    EXPECT_EQ(c->verifierNouveauNom("").raison(), "Un classeur doit avoir un nom.");
    EXPECT_EQ(c->verifierNouveauNom("Autre").raison(), "Un classeur de ce nom existe déjà.");
    // Its own current name is refused too: the tree accepts an unchanged name itself.
    EXPECT_EQ(c->verifierNouveauNom("Classeur").raison(), "Un classeur de ce nom existe déjà.");
    EXPECT_TRUE(c->verifierNouveauNom("classeur"));
    EXPECT_EQ(c->nom(), "Classeur");  // the check never renames
    // The node tells nobody: the caller does.
    EXPECT_TRUE(p.messages.empty());
}

TEST_F(Noeuds, VerificationDuNomDUneRequeteSurTousLesClasseurs)
{
    CDoc doc;
    ouvert(doc);
    CRequete* q = ajouterRequete(*ajouterClasseur(doc, "A"), "Photos");
    ajouterRequete(*ajouterClasseur(doc, "B"), "Musique");
    EXPECT_EQ(q->verifierNouveauNom("").raison(), "Une requête doit avoir un nom.");
    EXPECT_EQ(q->verifierNouveauNom("Musique").raison(), "Une requête de ce nom existe déjà.");
    EXPECT_EQ(q->verifierNouveauNom("Photos").raison(), "Une requête de ce nom existe déjà.");
    EXPECT_TRUE(q->verifierNouveauNom("musique"));
    // The document itself refuses any name and cannot be deleted.
    EXPECT_FALSE(doc.verifierNouveauNom("x"));
    EXPECT_FALSE(doc.supprimerNoeud(doc));
}

TEST_F(Noeuds, CodesTitresEtAppartenance)
{
    CDoc doc;
    ouvert(doc);
    CClasseur* c = ajouterClasseur(doc, "Disques");
    CRequete* q = ajouterRequete(*c, "Photos", "/media/photos");
    CDossier* d = ajouterSousDossier(*q, "/media/photos/2003");
    CFichier* f = ajouterFichier(*d, "/media/photos/2003/été.jpg");

    EXPECT_EQ(c->codeType(), kTypeClasseur);
    EXPECT_EQ(q->codeType(), kTypeRequete);
    EXPECT_EQ(d->codeType(), kTypeDossier);
    EXPECT_EQ(f->codeType(), kTypeAucun);
    EXPECT_EQ(c->titre(), "Classeur \"Disques\"");
    EXPECT_EQ(q->titre(), "Requête \"Photos\"");
    EXPECT_EQ(d->titre(), "Dossier \"/media/photos/2003\"");
    EXPECT_EQ(f->titre(), "");

    EXPECT_EQ(d->document(), &doc);
    EXPECT_EQ(d->classeur(), c);
    EXPECT_EQ(d->requete(), q);
    EXPECT_EQ(f->requete(), q);
    EXPECT_EQ(q->requete(), q);
    EXPECT_EQ(c->requete(), nullptr);
    EXPECT_EQ(c->classeur(), c);
    EXPECT_EQ(f->nom(), "été.jpg");

    EXPECT_TRUE(doc.estModifiable());
    EXPECT_TRUE(c->estModifiable());
    EXPECT_TRUE(q->estModifiable());
    EXPECT_FALSE(d->estModifiable());
    EXPECT_EQ(c->typeListe(), 0);
    EXPECT_EQ(q->typeListe(), 1);
    EXPECT_EQ(d->typeListe(), 1);
}

TEST_F(Noeuds, LesInterfacesSeRejoignentParLeursAccesseurs)
{
    CDoc doc;
    ouvert(doc);
    CClasseur* c = ajouterClasseur(doc, "C");
    CRequete* q = ajouterRequete(*c, "Q");
    CFichier* f = ajouterFichier(*q, "/d/a");

    CElement* eq = static_cast<CDossier*>(q);
    ASSERT_NE(eq->commeAffichable(), nullptr);
    EXPECT_EQ(eq->commeAffichable()->commeNomme(), static_cast<CNomme*>(q));
    EXPECT_EQ(eq->commeOuvrable(), static_cast<COuvrable*>(q));
    EXPECT_EQ(eq->commeDossier(), static_cast<CDossier*>(q));
    EXPECT_EQ(eq->commeFichier(), nullptr);

    CElement* ec = c;
    EXPECT_EQ(ec->commeAffichable()->commeNomme(), c);
    EXPECT_EQ(ec->commeOuvrable(), nullptr);
    EXPECT_EQ(ec->commeDossier(), nullptr);

    CElement* ef = f;
    EXPECT_EQ(ef->commeAffichable(), nullptr);
    EXPECT_EQ(ef->commeFichier(), f);
    EXPECT_EQ(ef->commeOuvrable(), f);
}

TEST_F(Noeuds, MarquerTousTrouvesDescendPartout)
{
    CDoc doc;
    ouvert(doc);
    CRequete* q = ajouterRequete(*ajouterClasseur(doc, "C"), "Q");
    CFichier* a = ajouterFichier(*q, "/d/a");
    CFichier* b = ajouterFichier(*ajouterSousDossier(*ajouterSousDossier(*q, "/d/x"), "/d/x/y"), "/d/x/y/b");
    doc.marquerTousTrouves();
    EXPECT_EQ(a->marque, 1);
    EXPECT_EQ(b->marque, 1);
}

TEST_F(Noeuds, SupprimerUnClasseurDetruitSesRequetesEtDeplaceLeClasseurCourant)
{
    CDoc doc;
    ouvert(doc);
    CClasseur* a = ajouterClasseur(doc, "A");
    CClasseur* b = ajouterClasseur(doc, "B");
    CRequete* q = ajouterRequete(*a, "Q");
    CDossier* d = ajouterSousDossier(*q, "/d/x");
    ajouterFichier(*d, "/d/x/f");
    contexte().classeurCourant = a;
    contexte().criteresRecherche.cible = d;

    EXPECT_TRUE(doc.supprimerNoeud(*a));
    EXPECT_EQ(doc.classeurs().nombre(), 1);
    EXPECT_EQ(contexte().classeurCourant, b);
    EXPECT_EQ(contexte().criteresRecherche.cible, nullptr);

    // Deleting the last binder leaves an empty document and no current binder.
    EXPECT_TRUE(doc.supprimerNoeud(*b));
    EXPECT_TRUE(doc.classeurs().estVide());
    EXPECT_EQ(contexte().classeurCourant, nullptr);
}

TEST_F(Noeuds, SupprimerUneRequeteLaRetireDeSonClasseur)
{
    CDoc doc;
    ouvert(doc);
    CClasseur* c = ajouterClasseur(doc, "C");
    CRequete* q1 = ajouterRequete(*c, "Q1");
    CRequete* q2 = ajouterRequete(*c, "Q2");
    contexte().criteresRecherche.cible = static_cast<CDossier*>(q1);
    EXPECT_TRUE(doc.supprimerNoeud(*q1));
    ASSERT_EQ(c->requetes().nombre(), 1);
    EXPECT_EQ(c->requetes().elementA(0), q2);
    EXPECT_EQ(contexte().criteresRecherche.cible, nullptr);
}

TEST_F(Noeuds, FermerUnDocumentNeLaisseAucuneReference)
{
    auto doc = std::make_unique<CDoc>();
    contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
    CRequete* q = ajouterRequete(*doc->classeurs().elementA(0), "Q");
    ajouterFichier(*q, "/d/f");
    contexte().criteresRecherche.cible = doc.get();
    ASSERT_EQ(contexte().documents.size(), 1u);
    doc.reset();
    EXPECT_TRUE(contexte().documents.empty());
    EXPECT_EQ(contexte().classeurCourant, nullptr);
    EXPECT_EQ(contexte().criteresRecherche.cible, nullptr);
}

// A comparison results list that records what it was told to forget.
class CComparaisonEspion : public CResultatsComparaison {
public:
    void vider() override {}
    void ajouterLigne(CFichier*, std::int32_t) override {}
    void definirPaire(CRequete*, CRequete*) override {}
    void retirerFichier(const CFichier* f) override { retires.push_back(f); }
    std::vector<const CFichier*> retires;
};

TEST_F(Noeuds, UnFichierDetruitQuitteLesListesDeResultats)
{
    CResultatsEspion recherche;
    CComparaisonEspion comparaison;
    contexte().resultatsRecherche = &recherche;
    contexte().resultatsComparaison = &comparaison;
    CDoc doc;
    ouvert(doc);
    CRequete* q = ajouterRequete(*ajouterClasseur(doc, "C"), "Q");
    CFichier* f = ajouterFichier(*q, "/d/f");
    recherche.ajouterLigne(f);
    ASSERT_TRUE(doc.supprimerNoeud(*q));
    EXPECT_TRUE(recherche.lignes.empty());
    ASSERT_EQ(comparaison.retires.size(), 1u);
    EXPECT_EQ(comparaison.retires[0], f);
}

TEST_F(Noeuds, CopieDUnFichier)
{
    CDoc doc;
    ouvert(doc);
    CRequete* q = ajouterRequete(*ajouterClasseur(doc, "C"), "Q");
    CFichier* f = ajouterFichier(*q, "/d/lisezmoi.txt");
    f->definirCree(CDateHeure{{10, 3, 2003}, 23, 59, 58});
    f->definirModifie(CDateHeure{{11, 3, 2003}, 8, 1, 2});
    f->definirAccede(CDate{12, 3, 2003});
    f->taille = 4096;
    std::strcpy(f->lettres, "RA");
    f->marque = 1;
    CArene arene;
    std::unique_ptr<CFichier> tenue(CFichier::copier(arene, f->parent(), *f));
    const CFichier& copie = *tenue;
    EXPECT_EQ(copie.parent(), f->parent());
    EXPECT_EQ(copie.chemin(), f->chemin());
    EXPECT_EQ(copie.nom(), "lisezmoi.txt");
    EXPECT_EQ(copie.cree(), f->cree());
    EXPECT_EQ(copie.modifie(), f->modifie());
    EXPECT_EQ(copie.accede(), f->accede());
    EXPECT_EQ(copie.taille, 4096u);
    EXPECT_STREQ(copie.lettres, "RA");
    EXPECT_EQ(copie.marque, 1);
}

TEST_F(Noeuds, CopieCompleteDUneRequete)
{
    CDoc doc;
    ouvert(doc);
    CRequete* q = ajouterRequete(*ajouterClasseur(doc, "C"), "Photos", "/m/p");
    q->nomVolume = "VACANCES";
    q->numeroSerie = 0x12ABCDEF;
    q->inclureCaches = false;
    q->modeFiltre = kFiltreExclure;
    q->filtre = "*.tmp";
    q->stockerAccede = false;
    q->criteres.doublons = 1;
    q->criteres.memeNom = 1;
    ajouterFichier(*q, "/m/p/a.jpg")->taille = 7;
    CDossier* d = ajouterSousDossier(*q, "/m/p/.cache", true);
    ajouterFichier(*d, "/m/p/.cache/b")->marque = 1;

    std::unique_ptr<CRequete> copie = q->copier();
    EXPECT_EQ(copie->nom(), "Photos");
    EXPECT_EQ(copie->chemin(), "/m/p");
    EXPECT_EQ(copie->classeur(), nullptr);
    EXPECT_EQ(copie->nomVolume, "VACANCES");
    EXPECT_EQ(copie->numeroSerie, 0x12ABCDEFu);
    EXPECT_FALSE(copie->inclureCaches);
    EXPECT_EQ(copie->modeFiltre, kFiltreExclure);
    EXPECT_EQ(copie->filtre, "*.tmp");
    EXPECT_FALSE(copie->stockerAccede);
    EXPECT_EQ(copie->criteres.memeNom, 1);
    ASSERT_EQ(copie->fichiers().nombre(), 1);
    ASSERT_EQ(copie->sousDossiers().nombre(), 1);
    CFichier* a = copie->fichiers().elementA(0);
    EXPECT_NE(a, q->fichiers().elementA(0));
    EXPECT_EQ(a->parent(), copie.get());
    EXPECT_EQ(a->requete(), copie.get());
    EXPECT_EQ(a->taille, 7u);
    CDossier* dc = copie->sousDossiers().elementA(0);
    EXPECT_TRUE(dc->estCache());
    EXPECT_EQ(dc->requete(), copie.get());
    EXPECT_EQ(dc->fichiers().elementA(0)->marque, 1);
    EXPECT_EQ(dc->fichiers().elementA(0)->parent(), dc);

    // The copy lives on its own once the original is gone.
    ASSERT_TRUE(doc.supprimerNoeud(*q));
    EXPECT_EQ(copie->sousDossiers().elementA(0)->fichiers().elementA(0)->nom(), "b");
}

TEST_F(Noeuds, NomDUnFichierCaptureSousWindows)
{
    CDoc doc;
    ouvert(doc);
    CRequete* q = ajouterRequete(*ajouterClasseur(doc, "C"), "Q", "C:\\Photos");
    EXPECT_EQ(ajouterFichier(*q, "C:\\Photos\\a.jpg")->nom(), "a.jpg");
    // In a Linux path a backslash is part of the name.
    EXPECT_EQ(ajouterFichier(*q, "/d/un\\nom")->nom(), "un\\nom");
    EXPECT_EQ(ajouterFichier(*q, "/a")->nom(), "a");
    EXPECT_EQ(ajouterFichier(*q, "/")->nom(), "");
    EXPECT_EQ(ajouterFichier(*q, "sans-separateur")->nom(), "sans-separateur");
}

TEST_F(Noeuds, ListeElementsAccesParIndexEtRetrait)
{
    CListeElements<int> l;
    int v[5] = {0, 1, 2, 3, 4};
    for (int& x : v)
        l.ajouter(&x);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(l.elementA(i), &v[i]);
    EXPECT_EQ(l.elementA(5), nullptr);
    EXPECT_EQ(l.elementA(-1), nullptr);
    EXPECT_TRUE(l.contient(&v[3]));
    EXPECT_TRUE(l.retirerElement(&v[0]));
    EXPECT_TRUE(l.retirerElement(&v[4]));
    EXPECT_FALSE(l.retirerElement(&v[4]));
    EXPECT_FALSE(l.contient(&v[4]));
    EXPECT_EQ(l.nombre(), 3);
    EXPECT_EQ(l.elementA(0), &v[1]);
    EXPECT_EQ(l.elementA(2), &v[3]);
    CListeElements<int> copie;
    copie.ajouterListe(l);
    copie.ajouterListe(l);
    EXPECT_EQ(copie.nombre(), 6);
    EXPECT_EQ(copie.elementA(3), &v[1]);
    copie.retirerTout();
    EXPECT_TRUE(copie.estVide());
    EXPECT_EQ(l.nombre(), 3);
}

// Adding and removing anywhere keeps the others in order: the list is walked and read
// by index after every step, against a vector doing the same.
TEST_F(Noeuds, ListeElementsRetraitsEnToutePosition)
{
    int v[8] = {};
    std::mt19937 alea(12);
    for (int tour = 0; tour < 200; ++tour) {
        CListeElements<int> l;
        std::vector<int*> attendu;
        for (int pas = 0; pas < 40; ++pas) {
            const auto n = static_cast<int>(attendu.size());
            const unsigned choix = alea() % 6;
            if (n == 0 || choix < 3) {
                int* e = &v[alea() % 8];
                l.ajouter(e);
                attendu.push_back(e);
            } else if (choix < 5) {
                // The first one holding that element goes.
                int* e = attendu[alea() % static_cast<unsigned>(n)];
                EXPECT_TRUE(l.retirerElement(e));
                attendu.erase(std::find(attendu.begin(), attendu.end(), e));
            } else {
                int* e = &v[alea() % 8];
                l.retirerSi([e](int* x) { return x == e; });
                attendu.erase(std::remove(attendu.begin(), attendu.end(), e), attendu.end());
            }
            ASSERT_EQ(l.nombre(), static_cast<int>(attendu.size()));
            EXPECT_EQ(std::vector<int*>(l.begin(), l.end()), attendu);
            for (int i = 0; i < static_cast<int>(attendu.size()); ++i)
                EXPECT_EQ(l.elementA(i), attendu[i]);
        }
    }
}

// The elements a list owns are destroyed in order, each once the list no longer holds
// it: a destructor that looks at the list sees no dead element.
TEST_F(Noeuds, ListeElementsSupprimesApresLeurRetrait)
{
    struct SElement {
        CListeElements<SElement>* liste;
        std::vector<int>* ordre;
        int rang;
        ~SElement()
        {
            for (SElement* autre : *liste)
                EXPECT_NE(autre, this);
            ordre->push_back(rang);
        }
    };
    CListeElements<SElement> l;
    std::vector<int> ordre;
    for (int i = 0; i < 5; ++i)
        l.ajouter(new SElement{&l, &ordre, i});
    l.supprimerElements();
    EXPECT_TRUE(l.estVide());
    EXPECT_EQ(ordre, (std::vector<int>{0, 1, 2, 3, 4}));
}

} // namespace
