// Updates started from the tree and from the document.

#include "tests/core/Factices.h"

#include "capture/CSuiviCapture.h"
#include "capture/MiseAJour.h"
#include "model/Arene.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/Totaux.h"
#include "workspace/MisesAJour.h"
#include "workspace/TravailCapture.h"

#include <functional>
#include <string>
#include <thread>

namespace {

class MiseAJour : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        p.insererDisque("/media/a", "A", 1);
        p.insererDisque("/media/b", "B", 2);
        p.ajouterFichier("/media/a/un");
        p.ajouterFichier("/media/b/deux");
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        qa = requete("/media/a");
        qb = requete("/media/b");
        doc->ajouterObservateur(&journal);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }
    CRequete* requete(const std::string& chemin)
    {
        CClasseur* c = doc->classeurs().elementA(0);
        auto* q = new CRequete(c);
        q->definirNom(chemin);
        q->definirChemin(chemin);
        c->requetes().ajouter(q);
        return q;
    }

    CJournalChangements journal;
    std::unique_ptr<CDoc> doc;
    CRequete *qa = nullptr, *qb = nullptr;
};

TEST_F(MiseAJour, CommandeSurUneRequete)
{
    p.ajouterFichier("/media/a/sous/trois");
    EXPECT_EQ(mettreAJour(contexte(), *qa), EResultatMiseAJour::Capturee);
    EXPECT_EQ(qa->fichiers().nombre(), 1);
    EXPECT_EQ(qa->nomVolume, "A");
    EXPECT_TRUE(doc->estModifie());
    EXPECT_EQ(libellesSous(*qa), (std::vector<std::string>{"sous"}));
    EXPECT_TRUE(qb->fichiers().estVide());  // only that query is captured
}

TEST_F(MiseAJour, SeulLePlacementChangeLaVersionDeLInstantane)
{
    // The quick search builds a query's index again when its version moves. A capture
    // fills a folder of its own, on its own thread: only placing it counts, and a
    // capture that places nothing changes nothing.
    const std::uint64_t avant = qa->versionInstantane();
    SCaptureFaite faite = capturerRequete(*qa, false, nullptr, 2);
    EXPECT_EQ(qa->versionInstantane(), avant);
    EXPECT_EQ(placerCapture(*qa, std::move(faite)), EResultatMiseAJour::Capturee);
    EXPECT_GT(qa->versionInstantane(), avant);

    CRequete* absente = requete("/media/absente");
    const std::uint64_t versionAbsente = absente->versionInstantane();
    EXPECT_EQ(placerCapture(*absente, capturerRequete(*absente, false, nullptr, 2)),
              EResultatMiseAJour::RacineIllisible);
    EXPECT_EQ(absente->versionInstantane(), versionAbsente);
}

// Each capture fills an arena of its own, even when it reads the live query: the one
// it replaces goes with the old entries, so that updates do not pile up memory.
TEST_F(MiseAJour, LesMisesAJourNEmpilentPasLaMemoire)
{
    for (int i = 0; i < 300; ++i)
        p.ajouterFichier("/media/a/sous/fichier numéro " + std::to_string(i));
    for (int fils : {1, 2}) {
        SCOPED_TRACE(fils);
        ASSERT_EQ(mettreAJourRequete(*qa, nullptr, fils), EResultatMiseAJour::Capturee);
        const std::size_t apresUne = qa->arene().octetsReserves();
        for (int i = 0; i < 5; ++i)
            ASSERT_EQ(mettreAJourRequete(*qa, nullptr, fils), EResultatMiseAJour::Capturee);
        EXPECT_EQ(qa->arene().octetsReserves(), apresUne);
        EXPECT_EQ(qa->sousDossiers().elementA(0)->fichiers().nombre(), 300);
    }
}

TEST_F(MiseAJour, ToutMettreAJourCaptureChaqueRequete)
{
    toutMettreAJour(contexte(), *doc);
    EXPECT_EQ(qa->fichiers().nombre(), 1);
    EXPECT_EQ(qb->fichiers().nombre(), 1);
    EXPECT_EQ(qb->numeroSerie, 2u);
    EXPECT_TRUE(doc->estModifie());

    CDoc vide;
    vide.initialiserNouveau();
    toutMettreAJour(contexte(), vide);
    EXPECT_FALSE(vide.estModifie());
}

TEST_F(MiseAJour, ModifierLaRequeteLaCaptureDeNouveau)
{
    p.remplir = [](CRequete& q) { q.inclureSousDossiers = false; };
    p.ajouterFichier("/media/a/sous/trois");
    p.accepter = false;
    modifierRequete(contexte(), *qa);
    EXPECT_TRUE(qa->fichiers().estVide());
    EXPECT_FALSE(doc->estModifie());

    p.accepter = true;
    mettreAJour(contexte(), *qa);
    ASSERT_EQ(qa->sousDossiers().nombre(), 1);
    modifierRequete(contexte(), *qa->sousDossiers().elementA(0)->requete());  // a folder edits its query
    EXPECT_EQ(p.creations, (std::vector<bool>{false, false}));
    EXPECT_TRUE(qa->sousDossiers().estVide());
    EXPECT_EQ(qa->fichiers().nombre(), 1);
}

TEST_F(MiseAJour, Proprietes)
{
    p.ajouterFichier("/media/a/sous/trois", 10);
    toutMettreAJour(contexte(), *doc);
    for (CElement* n : {static_cast<CElement*>(qa->classeur()), static_cast<CElement*>(static_cast<CDossier*>(qa)),
                        static_cast<CElement*>(qa->sousDossiers().elementA(0))})
        p.proprietes.push_back(proprietesDe(*n).value());
    EXPECT_FALSE(proprietesDe(*doc).has_value());
    ASSERT_EQ(p.proprietes.size(), 3u);
    const SProprietes& c = p.proprietes[0];
    EXPECT_EQ(c.titre, "Propriétés du classeur 'Général'");
    EXPECT_FALSE(c.avecVolume);
    EXPECT_EQ(c.fichiers, 3u);
    EXPECT_EQ(c.dossiers, 1u);
    EXPECT_EQ(c.tailleTotale, 10u);
    const SProprietes& r = p.proprietes[1];
    EXPECT_EQ(r.titre, "Propriétés de la requête \"/media/a\"");
    EXPECT_TRUE(r.avecVolume);
    EXPECT_EQ(r.nomVolume, "A");
    EXPECT_EQ(r.numeroSerie, 1u);
    EXPECT_EQ(r.fichiers, 2u);
    const SProprietes& d = p.proprietes[2];
    EXPECT_EQ(d.titre, "Propriétés du dossier \"/media/a/sous\"");
    EXPECT_EQ(d.fichiers, 1u);
    EXPECT_EQ(d.dossiers, 0u);
}

// A job's captures run on a thread of their own; whatever happens to the document
// meanwhile, on its own thread, the job places only what still has a place, and the
// document stays whole. Cancelling leaves it as it was.
TEST_F(MiseAJour, UnTravailSuitSonDocumentPendantQuIlCapture)
{
    struct SAnnulation : CSuiviCapture {
        bool progression(const SProgressionCapture&) override { return false; }
    } annulation;
    const struct {
        const char* cas;
        std::function<void()> pendant;   // on the document's thread, while the thread captures
        CSuiviCapture* suivi;
        std::size_t placees;             // captures put in place (of qa, qb)
    } cas[] = {
        {"rien", [] {}, nullptr, 2},
        {"annulée", [] {}, &annulation, 0},
        {"requête supprimée", [&] { ASSERT_TRUE(doc->supprimerNoeud(*qa)); }, nullptr, 1},
        {"classeur supprimé", [&] { ASSERT_TRUE(doc->supprimerNoeud(*doc->classeurs().elementA(0))); }, nullptr, 0},
        {"document vidé", [&] { doc->viderContenu(); }, nullptr, 0},
        {"document fermé", [&] { doc.reset(); }, nullptr, 0},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.cas);
        SetUp();
        p.ajouterFichier("/media/a/sous/nouveau");
        const bool modifie = doc->estModifie();
        auto travail = std::make_shared<CTravailCapture>(*doc, std::vector<CRequete*>{qa, qb});
        std::thread fil([&] {
            for (std::size_t i = 0; i < travail->nombre(); ++i)
                travail->capturer(i, k.suivi, 1);
        });
        k.pendant();
        fil.join();
        for (std::size_t i = 0; i < travail->nombre(); ++i)
            travail->placer(i);
        EXPECT_EQ(travail->terminer(), "");
        EXPECT_EQ(travail->annule(), k.suivi != nullptr);
        std::size_t placees = 0;
        for (std::size_t i = 0; i < travail->nombre(); ++i)
            if (CRequete* q = travail->requete(i)) {
                const bool placee = !q->nomVolume.empty();
                placees += placee;
                EXPECT_EQ(q->fichiers().nombre(), placee ? 1 : 0);
                // The folders made from a copy of its parameters are the query's own.
                if (placee && q == qa) {
                    ASSERT_EQ(q->sousDossiers().nombre(), 1);
                    EXPECT_EQ(q->sousDossiers().elementA(0)->requete(), q);
                }
            }
        EXPECT_EQ(placees, k.placees);
        if (k.suivi)
            EXPECT_EQ(doc->estModifie(), modifie);
        travail.reset();
        TearDown();
    }
}

} // namespace
