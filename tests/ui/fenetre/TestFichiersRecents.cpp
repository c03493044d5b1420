// The recent-file list: four entries, most recent first, kept in the settings under
// "Recent File List" (File1 to File4), offered in the "Fichier" menu and opened from
// it; a file that has gone leaves the list once it fails to open.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>

#include "shell/CChildFrame.h"
#include "shell/LigneCommande.h"
#include "shell/CFichiersRecents.h"
#include "shell/CGestionnaireDocuments.h"
#include "shell/CMainFrame.h"
#include "ui/IdCommandes.h"

namespace {

QStringList reglagesRecents()
{
    QSettings s(QStringLiteral("VESKA"), QStringLiteral("Norvanel"));
    QStringList l;
    for (int n = 1; n <= 4; ++n)
        l.append(s.value(QStringLiteral("Recent File List/File%1").arg(n)).toString());
    return l;
}

} // namespace

using FichiersRecents = AvecNorvanel;

TEST_F(FichiersRecents, QuatreAuPlusLePlusRecentEnTeteDansLesReglagesEtLeMenu)
{
    EXPECT_FALSE(cadre().action(cmd::FichierRecent1)->isVisible());
    QStringList fichiers;
    for (int n = 1; n <= 5; ++n)
        fichiers.append(creerCatalogue(QStringLiteral("liste%1.kbt").arg(n), {QStringLiteral("Général")}));
    for (const QString& f : fichiers)
        ASSERT_NE(app->documents().ouvrir(f), nullptr);
    const QStringList attendu = {fichiers[4], fichiers[3], fichiers[2], fichiers[1]};
    EXPECT_EQ(app->recents().fichiers(), attendu);
    EXPECT_EQ(reglagesRecents(), attendu);

    cadre().mettreAJourCommandes();
    for (int n = 0; n < 4; ++n) {
        QAction* a = cadre().action(cmd::FichierRecent1 + n);
        EXPECT_TRUE(a->isVisible());
        EXPECT_TRUE(a->text().startsWith(QStringLiteral("&%1 ").arg(n + 1))) << a->text().toStdString();
        EXPECT_TRUE(a->text().endsWith(QStringLiteral("liste%1.kbt").arg(5 - n))) << a->text().toStdString();
        EXPECT_EQ(a->statusTip(), QStringLiteral("Ouvre ce document"));
    }

    // Opening one of them again puts it first, without a second window.
    const int fenetres = cadre().cadres().size();
    executer(cmd::FichierRecent1 + 2);
    EXPECT_EQ(cadre().cadres().size(), fenetres);
    EXPECT_EQ(app->recents().fichiers().first(), fichiers[2]);
    EXPECT_EQ(fenetre().titre(), QStringLiteral("liste3.kbt"));
}

TEST_F(FichiersRecents, LaListeSurvitALApplication)
{
    const QString f = creerCatalogue(QStringLiteral("garde.kbt"), {QStringLiteral("Général")});
    ASSERT_NE(app->documents().ouvrir(f), nullptr);
    for (CChildFrame* c : cadre().cadres())
        c->close();
    app.reset();
    app = std::make_unique<CApp>();
    EXPECT_EQ(app->recents().fichiers(), QStringList{f});
    executer(cmd::FichierRecent1);
    ASSERT_EQ(cadre().cadres().size(), 1);
    EXPECT_EQ(fenetre().titre(), QStringLiteral("garde.kbt"));
}

TEST_F(FichiersRecents, UnFichierDisparuLeDitEtQuitteLaListe)
{
    const QString f = creerCatalogue(QStringLiteral("parti.kbt"), {QStringLiteral("Général")});
    ASSERT_NE(app->documents().ouvrir(f), nullptr);
    fenetre().close();
    ASSERT_TRUE(QFile::remove(f));
    repondeur->reponses.push_back(QMessageBox::Ok);
    executer(cmd::FichierRecent1);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_TRUE(repondeur->boites[0].texte.contains(QStringLiteral("parti.kbt")));
    EXPECT_TRUE(app->recents().fichiers().isEmpty());
    EXPECT_FALSE(cadre().action(cmd::FichierRecent1)->isVisible());
}

TEST(LibelleFichierRecent, NumeroEtCheminRaccourciAuMilieu)
{
    EXPECT_EQ(CFichiersRecents::libelle(0, QStringLiteral("/home/a/cd.kbt")), QStringLiteral("&1 /home/a/cd.kbt"));
    const QString long_ = QStringLiteral("/home/utilisateur/Documents/catalogues/anciens/2003/disques.kbt");
    const QString l = CFichiersRecents::libelle(3, long_);
    EXPECT_TRUE(l.startsWith(QStringLiteral("&4 /home/")));
    EXPECT_TRUE(l.endsWith(QStringLiteral(".../disques.kbt")));
    EXPECT_LT(l.size(), long_.size());
    // An ampersand of the path is not a mnemonic.
    EXPECT_EQ(CFichiersRecents::libelle(1, QStringLiteral("/a&b.kbt")), QStringLiteral("&2 /a&&b.kbt"));
}

TEST_F(FichiersRecents, DesReglagesIllisiblesLeDisentUneFoisEtLeProgrammeContinue)
{
    app.reset();
    const QString fichier = QSettings(QStringLiteral("VESKA"), QStringLiteral("Norvanel")).fileName();
    QFile::remove(fichier);
    // A folder where the settings file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir().mkpath(fichier));
    repondeur->reponses.push_back(QMessageBox::Ok);
    app = std::make_unique<CApp>();
    ASSERT_TRUE(app->demarrer(SLigneCommande{}));
    laisserTourner();
    const QString f = creerCatalogue(QStringLiteral("x.kbt"), {QStringLiteral("Général")});
    ASSERT_NE(app->documents().ouvrir(f), nullptr);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_TRUE(repondeur->boites[0].texte.contains(QStringLiteral("Norvanel.conf")))
        << repondeur->boites[0].texte.toStdString();
    EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Warning);
    EXPECT_EQ(cadre().cadres().size(), 2);
    for (CChildFrame* c : cadre().cadres())
        c->close();
    app.reset();
    ASSERT_TRUE(QDir(fichier).removeRecursively());
}
