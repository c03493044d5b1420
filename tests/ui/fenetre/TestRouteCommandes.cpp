// The command tables on the route: a new entry is found in the route's order, and
// while a long operation runs every target refuses its commands but those offered then.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <algorithm>

#include "model/CClasseur.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "ui/TableCommandes.h"

namespace {

using RouteCommandes = AvecNorvanel;

TEST_F(RouteCommandes, UneEntreeAjouteeEstRouteeMaisRefuseePendantUnTravailLongSaufSiOfferte)
{
    constexpr int kEssai = 1, kEssaiOffert = 2;   // no command of the menus
    // A row to open in the list, so that its commands are enabled too.
    selectionner(ajouterClasseur("Disques", {"cd"}));
    fenetre().liste().setCurrentIndex(fenetre().liste().model()->index(0, 0));
    // The route's targets from the last, then the list, which the route passes by
    // while the tree is the active pane.
    const std::vector<std::pair<std::string, CCibleCommandes*>> cibles = {
        {"application", app.get()}, {"principale", &cadre()}, {"document", &fenetre()},
        {"arbre", &arbre()}, {"liste", &fenetre().liste()}};
    std::vector<int> ids;
    for (int n = 0; n < cmd::kNombreFichiersRecents; ++n)
        ids.push_back(cmd::FichierRecent1 + n);
    for (const SCommande& commande : tableCommandes())
        ids.push_back(commande.id);
    // Per command: 1 when enabled, 2 when checked.
    const auto etats = [&ids](const CCibleCommandes& cible) {
        std::vector<int> liste;
        for (int id : ids) {
            SEtatCommande e;
            liste.push_back(cible.etatCommande(id, e) ? e.actif + 2 * e.coche : 0);
        }
        return liste;
    };
    std::vector<std::string> executees, attendues;
    int offertes = 0;
    for (const auto& [nom, cible] : cibles) {
        cible->definirCommande(kEssai, {.agir = [&executees, n = nom] { executees.push_back(n); }});
        cible->definirCommande(kEssaiOffert, {.agir = [&offertes] { ++offertes; }, .pendantTravailLong = true});
        const std::vector<int> avant = etats(*cible);
        EXPECT_TRUE(std::any_of(avant.begin(), avant.end(), [](int e) { return e & 1; })) << nom;
        {
            CTravailLong travail(app->suivi(), &cadre());
            EXPECT_EQ(etats(*cible), std::vector<int>(ids.size(), 0)) << nom;
            EXPECT_TRUE(cible->executerCommande(kEssai) && cible->executerCommande(kEssaiOffert)) << nom;
            executer(kEssai);
        }
        EXPECT_EQ(etats(*cible), avant) << nom;
        executer(kEssai);
        attendues.push_back(nom == "liste" ? "arbre" : nom);
    }
    EXPECT_EQ(executees, attendues);
    EXPECT_EQ(offertes, static_cast<int>(cibles.size()));
}

} // namespace
