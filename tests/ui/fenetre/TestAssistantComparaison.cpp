// The compare wizard (F7): the query chosen first from the tree's selection, the two
// steps of the choice and what going back keeps, the values offered by what both
// queries store, and what "Terminer" leaves (statuses, results window, status bar).

#include "tests/ui/fenetre/AvecNorvanel.h"
#include "tests/ui/fenetre/SondeTravailLong.h"

#include <array>
#include <tuple>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "compare/ui/CChampsDlg.h"
#include "compare/ui/CChoixRequetesDlg.h"
#include "compare/ui/CComparaisonDlg.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CBarreEtat.h"
#include "shell/CMainFrame.h"
#include "ui/IdCommandes.h"

namespace {

using Etape = std::function<void(QDialog&)>;

// The new document's "Général" stays, empty.
constexpr const char* kCatalogue = R"(
classeur Disques
  requete CD /media/cd
    fichier a.doc taille=5
    fichier b.txt
    dossier photos
      fichier c.jpg
  requete Sauvegarde /media/sauve
    fichier a.doc taille=7
    fichier d.txt
classeur Archives
  requete Vieux /media/vieux
    fichier a.doc
)";

// Every item of the wizard's tree, "binder" or "binder/query", in display order.
QStringList contenu(const QTreeWidget& arbre)
{
    QStringList l;
    for (int i = 0; i < arbre.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* c = arbre.topLevelItem(i);
        l.append(c->text(0));
        EXPECT_TRUE(c->childCount() == 0 || c->isExpanded()) << c->text(0).toStdString();
        for (int j = 0; j < c->childCount(); ++j)
            l.append(c->text(0) + u'/' + c->child(j)->text(0));
    }
    return l;
}

QString selection(const QTreeWidget& arbre)
{
    const QList<QTreeWidgetItem*> s = arbre.selectedItems();
    return s.isEmpty() ? QString() : s.front()->text(0);
}

void choisir(CChoixRequetesDlg& d, const char* libelle)
{
    const QList<QTreeWidgetItem*> t =
        d.arbre().findItems(QString::fromUtf8(libelle), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(t.size(), 1) << libelle;
    d.arbre().setCurrentItem(t.front());
}

class AssistantComparaison : public AvecCatalogue {
protected:
    AssistantComparaison() : AvecCatalogue(kCatalogue) {}

    // The step that checks the first dialog's state: its step, the selected label
    // (empty: none), whether "Suivant >" is enabled.
    static void verifierChoix(CChoixRequetesDlg& d, int etape, const char* choisi)
    {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Comparer deux requêtes"));
        EXPECT_EQ(d.etape(), etape);
        EXPECT_EQ(selection(d.arbre()), QString::fromUtf8(choisi));
        EXPECT_EQ(d.boutonSuivant().isEnabled(), *choisi != 0);
        EXPECT_EQ(d.boutonPrecedent().text(), etape == 0 ? QStringLiteral("Annuler") : QStringLiteral("< Précédent"));
        EXPECT_EQ(d.invite().text(), QStringLiteral("Sélectionnez dans l'arborescence la %1 requête de la comparaison.")
                                         .arg(etape == 0 ? QStringLiteral("première") : QStringLiteral("seconde")));
    }

    QString messageEtat() { return cadre().barreEtat().texteMessage(); }

    // "Suivant >" with the query chosen as it stands; the same after choosing `libelle`.
    static Etape suivant(const char* libelle = nullptr)
    {
        return etapeSur<CChoixRequetesDlg>([libelle](CChoixRequetesDlg& d) {
            if (libelle)
                choisir(d, libelle);
            d.boutonSuivant().click();
        });
    }

    // Every mark is still 1, as ajouterCatalogue left it: nothing was compared.
    void rienCompare()
    {
        for (const char* f : {"CD/a.doc", "CD/photos/c.jpg", "Sauvegarde/d.txt"})
            EXPECT_EQ(catalogue.fichier(f).marque, 1) << f;
        EXPECT_FALSE(app->resultatsComparaison().isVisible());
        EXPECT_EQ(messageEtat(), QStringLiteral("Prêt"));
    }

};

TEST_F(AssistantComparaison, AllerEtRetourGardentLesChoixPuisTerminerCompare)
{
    const QStringList tout = QStringLiteral("Archives|Archives/Vieux|Disques|Disques/CD|Disques/Sauvegarde|Général")
                                 .split(u'|');
    QStringList sansCD = tout, sansSauvegarde = tout;
    sansCD.removeAll(QStringLiteral("Disques/CD"));
    sansSauvegarde.removeAll(QStringLiteral("Disques/Sauvegarde"));
    // A folder selected: its query comes first.
    selectionner(&catalogue.dossier("CD/photos"));
    executerAvec(
        cmd::ComparerRequetes,
        {etapeSur<CChoixRequetesDlg>([&](CChoixRequetesDlg& d) {
             verifierChoix(d, 0, "CD");
             // Binders and queries only, whatever the document shows.
             EXPECT_EQ(contenu(d.arbre()), tout);
             d.boutonSuivant().click();
         }),
         etapeSur<CChoixRequetesDlg>([&](CChoixRequetesDlg& d) {
             verifierChoix(d, 1, "");
             EXPECT_EQ(contenu(d.arbre()), sansCD);
             choisir(d, "Disques");
             EXPECT_FALSE(d.boutonSuivant().isEnabled());
             choisir(d, "Sauvegarde");
             EXPECT_TRUE(d.boutonSuivant().isEnabled());
             d.boutonSuivant().click();
         }),
         etapeSur<CChampsDlg>([](CChampsDlg& d) { d.boutonPrecedent().click(); }),
         // Back at the second step, the second query selected; Escape goes back.
         etapeSur<CChoixRequetesDlg>([](CChoixRequetesDlg& d) {
             verifierChoix(d, 1, "Sauvegarde");
             QTest::keyClick(&d, Qt::Key_Escape);
         }),
         // The first query offered again, selected; the second taken as first.
         etapeSur<CChoixRequetesDlg>([&](CChoixRequetesDlg& d) {
             verifierChoix(d, 0, "CD");
             EXPECT_EQ(contenu(d.arbre()), tout);
             choisir(d, "Sauvegarde");
             d.boutonSuivant().click();
         }),
         // It is no second query any more: nothing chosen at the second step.
         etapeSur<CChoixRequetesDlg>([&](CChoixRequetesDlg& d) {
             verifierChoix(d, 1, "");
             EXPECT_EQ(contenu(d.arbre()), sansSauvegarde);
         }),
         suivant("CD"),
         // Without the size, both a.doc are counterparts.
         etapeSur<CChampsDlg>([](CChampsDlg& d) {
             d.caseChamp(4).setChecked(false);
             d.boutonTerminer().click();
         })});
    EXPECT_EQ(catalogue.fichier("Sauvegarde/a.doc").marque, 2);
    EXPECT_EQ(catalogue.fichier("Sauvegarde/d.txt").marque, 0);
    EXPECT_EQ(catalogue.fichier("CD/a.doc").marque, 2);
    EXPECT_EQ(catalogue.fichier("CD/photos/c.jpg").marque, 1);
    EXPECT_EQ(catalogue.fichier("Vieux/a.doc").marque, 1);
    EXPECT_TRUE(app->resultatsComparaison().isVisible());
    EXPECT_EQ(messageEtat(), QStringLiteral("1 seulement dans « Sauvegarde », 2 seulement dans « CD », 1 dans les deux"));
    EXPECT_TRUE(doc().afficherSousDossiers);
}

TEST_F(AssistantComparaison, SansRequeteChoisieSuivantResteGriseEtLeRetourAnnule)
{
    // A binder selected: no query is chosen first; the close box cancels.
    selectionner(&catalogue.classeur("Disques"));
    executerAvec(cmd::ComparerRequetes, {etapeSur<CChoixRequetesDlg>([](CChoixRequetesDlg& d) {
                     verifierChoix(d, 0, "");
                     choisir(d, "Archives");
                     EXPECT_FALSE(d.boutonSuivant().isEnabled());
                     d.close();
                 })});
    rienCompare();

    // A document without queries: Enter does nothing, only "Annuler" acts.
    cadre().executer(cmd::Nouveau);
    laisserTourner();
    executerAvec(cmd::ComparerRequetes, {etapeSur<CChoixRequetesDlg>([](CChoixRequetesDlg& d) {
                     EXPECT_EQ(contenu(d.arbre()), QStringList{QStringLiteral("Général")});
                     verifierChoix(d, 0, "");
                     choisir(d, "Général");
                     EXPECT_FALSE(d.boutonSuivant().isEnabled());
                     QTest::keyClick(&d.arbre(), Qt::Key_Return);
                     EXPECT_TRUE(d.isVisible());
                     EXPECT_EQ(d.etape(), 0);
                     d.boutonPrecedent().click();
                 })});
    rienCompare();
}

TEST_F(AssistantComparaison, LesChampsProposesSontCeuxQueLesDeuxRequetesStockent)
{
    // What CD and Sauvegarde store (creation, modification, access, size, attributes),
    // and the boxes then checked (and enabled), name first.
    struct SCas {
        const char* nom;
        std::array<bool, 5> cd, sauvegarde;
        std::array<bool, 6> coches, actives;
    } const cas[] = {
        {"tout", {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}},
        {"taille d'un seul côté", {1, 1, 1, 1, 1}, {1, 1, 1, 0, 1}, {1, 1, 1, 1, 0, 1}, {1, 1, 1, 1, 0, 1}},
        {"dates d'un côté, attributs de l'autre", {0, 0, 0, 1, 1}, {1, 1, 1, 1, 0}, {1, 0, 0, 0, 1, 0},
         {1, 0, 0, 0, 1, 0}},
        {"les noms seuls", {0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
    };
    const auto stocker = [](CRequete& q, const std::array<bool, 5>& v) {
        std::tie(q.stockerCree, q.stockerModifie, q.stockerAccede, q.stockerTaille, q.stockerAttributs) =
            std::tuple{v[0], v[1], v[2], v[3], v[4]};
    };
    const auto verifier = [](CChampsDlg& d, const SCas& k) {
        EXPECT_EQ(d.focusWidget(), &d.boutonTerminer());
        EXPECT_TRUE(d.boutonTerminer().isDefault());
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(d.caseChamp(i).isChecked(), k.coches[i]) << i;
            EXPECT_EQ(d.caseChamp(i).isEnabled(), k.actives[i]) << i;
        }
    };
    selectionner(&catalogue.requete("CD"));
    for (const SCas& k : cas) {
        SCOPED_TRACE(k.nom);
        stocker(catalogue.requete("CD"), k.cd);
        stocker(catalogue.requete("Sauvegarde"), k.sauvegarde);
        // The boxes changed, then a return and "Suivant >": the defaults again. Then
        // back twice, and the wizard is cancelled.
        executerAvec(cmd::ComparerRequetes,
                     {suivant(), suivant("Sauvegarde"), etapeSur<CChampsDlg>([&](CChampsDlg& d) {
                          verifier(d, k);
                          for (int i = 0; i < 6; ++i)
                              d.caseChamp(i).setChecked(!d.caseChamp(i).isChecked());
                          d.boutonPrecedent().click();
                      }),
                      suivant(), etapeSur<CChampsDlg>([&](CChampsDlg& d) {
                          verifier(d, k);
                          d.reject();
                      }),
                      etapeSur<CChoixRequetesDlg>([](CChoixRequetesDlg& d) { d.reject(); }),
                      etapeSur<CChoixRequetesDlg>([](CChoixRequetesDlg& d) { d.boutonPrecedent().click(); })});
        rienCompare();
    }
}

TEST_F(AssistantComparaison, UneComparaisonEstUnTravailQuiLaisseLesFenetresVivesEtSAnnuleSansRienChanger)
{
    // f0..f29999 in CD, f10000..f39999 in Sauvegarde: 20 000 in common. A name is
    // shown as it stands.
    catalogue.requete("CD").definirNom("CD %2");
    for (auto [q, premier] : {std::pair{&catalogue.requete("CD"), 0}, {&catalogue.requete("Sauvegarde"), 10000}})
        for (int i = premier; i < premier + 30000; ++i)
            q->fichiers().ajouter(CFichier::creer(q->arene(), q, q->chemin() + "/f" + std::to_string(i)));
    const auto comparer = [&](bool annuler) {
        CSondeTravailLong sonde(*app, doc(), annuler);
        selectionner(&catalogue.requete("CD"));
        executerAvec(cmd::ComparerRequetes, {suivant(), suivant("Sauvegarde"), etapeSur<CChampsDlg>([&](CChampsDlg& d) {
                                                 d.boutonTerminer().click();
                                             })});
        EXPECT_GT(sonde.tours, 0) << "aucun événement traité pendant la comparaison";
        EXPECT_TRUE(sonde.occupe) << "ni curseur occupé ni document tenu pendant la comparaison";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        return sonde.titre;
    };
    // Cancelled: nothing compared.
    EXPECT_EQ(comparer(true), QStringLiteral("Comparaison"));
    rienCompare();

    comparer(false);
    // a.doc differs by its size; b.txt and c.jpg, d.txt are alone.
    EXPECT_EQ(messageEtat(), QStringLiteral("10\u00a0003 seulement dans « CD %2 », 10\u00a0002 seulement dans "
                                            "« Sauvegarde », 20\u00a0000 dans les deux"));
    EXPECT_TRUE(app->resultatsComparaison().isVisible());
}

} // namespace
