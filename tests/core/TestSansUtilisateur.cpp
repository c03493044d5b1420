// With nobody installed to answer, every question gets the answer that does nothing
// that was not asked for.

#include "tests/core/Factices.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "workspace/MisesAJour.h"

namespace {

using SansUtilisateur = AvecPlateformeFactice;

TEST_F(SansUtilisateur, PersonneNAccepteRien)
{
    CUtilisateur personne;
    const struct {
        EBoutons boutons;
        EReponse attendue;
    } table[] = {{EBoutons::Ok, EReponse::Ok}, {EBoutons::OkAnnuler, EReponse::Annuler},
                 {EBoutons::OuiNon, EReponse::Non}};
    for (const auto& c : table)
        EXPECT_EQ(personne.message("Date invalide", c.boutons, EIcone::Exclamation), c.attendue);
    EXPECT_FALSE(personne.choisirDossier("Dossier à lister:").has_value());
    EXPECT_EQ(personne.suiviCapture(), nullptr);

    // Nobody fills in the parameters of a new query: it is not created.
    CDoc doc;
    CContexte contexte;
    contexte.classeurCourant = doc.initialiserNouveau();
    EXPECT_EQ(nouvelleRequete(contexte, doc), nullptr);
    EXPECT_TRUE(doc.classeurs().elementA(0)->requetes().estVide());
    EXPECT_TRUE(p.messages.empty() && p.creations.empty());
}

} // namespace
