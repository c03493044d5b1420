// What each operation on a document tells those who show it.

#include "tests/core/Factices.h"

#include <functional>

#include "compare/Comparaison.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "workspace/MisesAJour.h"

namespace {

class Annonces : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        p.ajouterFichier("/media/cd/sous/f.txt");
        p.ajouterFichier("/media/dvd/g.txt");
        preparer();
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }
    // A document of two binders, "Général" holding the queries "CD" and "DVD", each
    // captured, and the journal listening to it from then on.
    void preparer()
    {
        doc.reset();
        journal = CJournalChangements();
        p.insererDisque("/media/cd", "CD", 0x1234);
        p.insererDisque("/media/dvd", "DVD", 0x99);
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        general = doc->classeurs().elementA(0);
        autre = new CClasseur(doc.get(), "Autre");
        doc->classeurs().ajouter(autre);
        cd = ajouterRequete("CD", "/media/cd");
        dvd = ajouterRequete("DVD", "/media/dvd");
        doc->ajouterObservateur(&journal);
    }
    CRequete* ajouterRequete(const std::string& nom, const std::string& chemin)
    {
        auto* q = new CRequete(general);
        q->definirNom(nom);
        q->definirChemin(chemin);
        general->requetes().ajouter(q);
        EXPECT_EQ(mettreAJour(contexte(), *q), EResultatMiseAJour::Capturee);
        return q;
    }

    std::unique_ptr<CDoc> doc;
    CClasseur *general = nullptr, *autre = nullptr;
    CRequete *cd = nullptr, *dvd = nullptr;
    CJournalChangements journal;
};

using Lignes = std::vector<std::string>;

TEST_F(Annonces, ChaqueOperationDitCeQuiAChange)
{
    p.remplir = [](CRequete& q) { q.definirChemin("/media/cd"); };
    const struct {
        const char* operation;
        std::function<void()> faire;
        Lignes attendu;
    } cas[] = {
        {"nouveau classeur", [&] { doc->nouveauClasseur(); }, {"ajout Classeur"}},
        {"nouvelle requête", [&] { ASSERT_NE(nouvelleRequete(contexte(), *doc), nullptr); },
         {"ajout /media/cd", "instantané va partir /media/cd", "instantané /media/cd", "marques"}},
        {"mise à jour", [&] { (void)mettreAJour(contexte(), *cd); }, {"instantané va partir CD", "instantané CD", "marques"}},
        {"mise à jour, disque absent",
         [&] {
             p.retirerDisque("/media/cd");
             EXPECT_NE(mettreAJour(contexte(), *cd), EResultatMiseAJour::Capturee);
         },
         {"marques"}},
        {"tout mettre à jour", [&] { toutMettreAJour(contexte(), *doc); },
         {"instantané va partir CD", "instantané CD", "instantané va partir DVD", "instantané DVD", "marques"}},
        {"renommage", [&] { EXPECT_TRUE(doc->renommer(*cd, "Neuf")); }, {"renommage Neuf"}},
        {"renommage au même nom", [&] { EXPECT_TRUE(doc->renommer(*cd, "CD")); }, {}},
        {"renommage refusé", [&] { EXPECT_FALSE(doc->renommer(*cd, "DVD")); }, {}},
        {"suppression d'une requête", [&] { EXPECT_TRUE(doc->supprimerNoeud(*cd)); }, {"va partir CD", "suppression de Général"}},
        {"suppression d'un classeur", [&] { EXPECT_TRUE(doc->supprimerNoeud(*general)); },
         {"va partir Général", "suppression de le document"}},
        {"le document ne se supprime pas", [&] { EXPECT_FALSE(doc->supprimerNoeud(*doc)); }, {}},
        {"déplacement", [&] { EXPECT_TRUE(doc->deplacerRequete(*cd, *autre)); }, {"déplacement CD de Général"}},
        {"déplacement dans son classeur", [&] { EXPECT_FALSE(doc->deplacerRequete(*cd, *general)); }, {}},
        {"copie", [&] { doc->copierRequete(*cd, *general); }, {"ajout CD 2"}},
        {"sous-dossiers", [&] { doc->basculerSousDossiers(); }, {"tout"}},
        {"comparaison", [&] { comparerRequetes(*cd, *dvd, {}, nullptr); }, {"marques"}},
    };
    for (const auto& k : cas) {
        preparer();
        k.faire();
        EXPECT_EQ(journal.lignes, k.attendu) << k.operation;
    }
}

TEST_F(Annonces, UnNoeudSupprimeEstNommeParSonAdresse)
{
    CElement* adresse = static_cast<CDossier*>(cd);
    ASSERT_TRUE(doc->supprimerNoeud(*cd));
    ASSERT_EQ(journal.derniers.size(), 2u);
    EXPECT_EQ(journal.derniers[1].noeud, adresse);
    EXPECT_EQ(journal.derniers[1].ancienParent, static_cast<CElement*>(general));
}

// Which nodes go with each notice that announces a destruction: what the windows and
// the program's context let go of.
TEST_F(Annonces, CeQuiPartAvecChaqueAnnonce)
{
    CDossier* sous = cd->sousDossiers().elementA(0);
    CFichier* fichierSous = sous->fichiers().elementA(0);
    CFichier* fichierDvd = dvd->fichiers().elementA(0);
    CElement* const noeuds[] = {doc.get(), general, autre, static_cast<CDossier*>(cd), sous, fichierSous,
                                static_cast<CDossier*>(dvd), fichierDvd};
    const struct {
        SChangement annonce;
        const char* partent;   // one mark per node above, in order
    } cas[] = {
        {{EChangement::NoeudVaPartir, doc.get()}, "xxxxxxxx"},
        {{EChangement::NoeudVaPartir, general}, ".x.xxxxx"},
        {{EChangement::NoeudVaPartir, autre}, "..x....."},
        {{EChangement::NoeudVaPartir, static_cast<CDossier*>(cd)}, "...xxx.."},
        {{EChangement::InstantaneVaPartir, static_cast<CDossier*>(cd)}, "....xx.."},
        {{EChangement::InstantaneRemplace, static_cast<CDossier*>(cd)}, "........"},
        {{EChangement::NoeudSupprime, static_cast<CDossier*>(cd)}, "........"},
    };
    for (const auto& k : cas)
        for (std::size_t i = 0; i < std::size(noeuds); ++i)
            EXPECT_EQ(partAvec(*noeuds[i], k.annonce), k.partent[i] == 'x')
                << static_cast<int>(k.annonce.quoi) << " " << CJournalChangements::nomDe(*k.annonce.noeud) << " / "
                << CJournalChangements::nomDe(*noeuds[i]);
}

TEST_F(Annonces, UnObservateurRetirePendantUneAnnonceNEstPlusPrevenu)
{
    struct CQuiRetire : CObservateurDocument {
        CDoc* doc = nullptr;
        CObservateurDocument* autre = nullptr;
        void documentChange(const SChangement&) override { doc->retirerObservateur(autre); }
    } retire;
    CJournalChangements second;
    retire.doc = doc.get();
    retire.autre = &second;
    doc->retirerObservateur(&journal);
    doc->ajouterObservateur(&retire);
    doc->ajouterObservateur(&second);
    doc->basculerSousDossiers();
    EXPECT_TRUE(second.lignes.empty());
    doc->retirerObservateur(&retire);
}

} // namespace
