// The query parameters dialog, the properties window and the search sheet on a real X
// display: every text shown whole, the pictures saved in the build folder (captures/)
// to be looked at.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QCursor>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include "compare/ui/CChampsDlg.h"
#include "compare/ui/CChoixRequetesDlg.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CUtilisateur.h"
#include "model/CRequete.h"
#include "search/ui/CPageRecherche.h"
#include "search/ui/CRechercheSheet.h"
#include "shell/CApp.h"
#include "shell/CMainFrame.h"
#include "ui/CToolBarEx.h"
#include "ui/IdCommandes.h"
#include "dialogs/CParametresDlg.h"
#include "dialogs/CProprietesDlg.h"
#include "ui/CImagesApplication.h"
#include "shell/LigneCommande.h"
#include "tests/ui/ecran/Ecran.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "search/Recherche.h"
#include "shell/CChildFrame.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"
#include "compare/Comparaison.h"
#include "compare/ui/CComparaisonDlg.h"
#include "workspace/CContexte.h"
#include "workspace/TravailRecherche.h"

namespace {

// The texts of the window that do not fit in their control.
QStringList textesCoupes(QWidget& fenetre)
{
    QStringList coupes;
    const auto verifier = [&](QWidget* w, const QString& texte, QSize besoin) {
        if (w->isVisible() && !texte.isEmpty() && (besoin.width() > w->width() || besoin.height() > w->height()))
            coupes.append(texte);
    };
    // A label that wraps needs its width's height for its lines.
    for (QLabel* l : fenetre.findChildren<QLabel*>())
        verifier(l, l->text(), l->wordWrap() ? QSize(l->width(), l->heightForWidth(l->width())) : l->sizeHint());
    for (QAbstractButton* b : fenetre.findChildren<QAbstractButton*>())
        verifier(b, b->text(), b->sizeHint());
    for (QGroupBox* g : fenetre.findChildren<QGroupBox*>())
        verifier(g, g->title(), g->minimumSizeHint());
    return coupes;
}

class EcranDialogues : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ecran::raisonSansEcran().empty())
            GTEST_SKIP() << ecran::raisonSansEcran();
        app = std::make_unique<CApp>();
        ASSERT_TRUE(app->demarrer(SLigneCommande{}));
    }

    void TearDown() override { app.reset(); }

    static void attendre(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    // Checks the texts of `dialogue`, on screen, and saves its picture.
    static void enregistrer(QDialog& dialogue, const QString& nom)
    {
        EXPECT_EQ(textesCoupes(dialogue), QStringList()) << nom.toStdString();
        const QString dossier = QStringLiteral(NORVANEL_CAPTURES);
        QDir().mkpath(dossier);
        ASSERT_TRUE(dialogue.grab().toImage().save(dossier + u'/' + nom + QStringLiteral(".png")));
    }

    // Shows `dialogue` as the user sees it, checks its texts and saves its picture.
    void photographier(QDialog& dialogue, const QString& nom)
    {
        dialogue.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialogue));
        attendre(300);
        enregistrer(dialogue, nom);
        dialogue.reject();
    }

    // The same for each page of the sheet in turn ("NOM-domaine"...); the sheet keeps
    // its size from page to page.
    void photographierPages(CRechercheSheet& feuille, const QString& nom)
    {
        feuille.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&feuille));
        const QSize taille = feuille.size();
        for (CPageRecherche* p : feuille.pages()) {
            feuille.onglets().setCurrentWidget(p);
            attendre(200);
            enregistrer(feuille, nom + u'-' + p->titre().toLower());
            EXPECT_EQ(feuille.size(), taille) << p->titre().toStdString();
        }
        feuille.reject();
    }

    // A query of the document's first binder holding `noms` in its root, with sizes,
    // dates and attribute letters; `toutesValeurs` false: it stores the attributes alone.
    static CRequete& ajouterRequete(CDoc& doc, const char* nom, const char* chemin, bool toutesValeurs,
                                    const std::vector<const char*>& noms)
    {
        CClasseur* c = doc.classeurs().elementA(0);
        auto* q = new CRequete(c);
        q->definirNom(nom);
        q->definirChemin(chemin);
        q->stockerTaille = q->stockerCree = q->stockerModifie = q->stockerAccede = toutesValeurs;
        c->requetes().ajouter(q);
        for (std::size_t i = 0; i < noms.size(); ++i) {
            auto* f = CFichier::creer(q->arene(), q, q->chemin() + "/" + noms[i]);
            const auto n = static_cast<std::uint32_t>(i);
            f->taille = 1000u << (5 * n);
            f->definirCree(CDateHeure{{3 + n, 7, 2003}, 14, 5 * n, 0});
            f->definirModifie(f->cree());
            f->definirAccede(CDate{12, 3, 2004});
            std::snprintf(f->lettres, sizeof f->lettres, "%s", i % 2 ? "RA" : "A");
            q->fichiers().ajouter(f);
        }
        return *q;
    }

    std::unique_ptr<CApp> app;
};

TEST_F(EcranDialogues, ParametresDUneNouvelleRequeteEtDUneRequeteExistante)
{
    CRequete nouvelle(nullptr);
    CParametresDlg creation(nouvelle, true, &app->cadre());
    photographier(creation, QStringLiteral("parametres-nouvelle-requete"));

    CRequete existante(nullptr);
    existante.definirChemin("/media/disque externe/Photos de famille/Été 2003");
    existante.modeFiltre = kFiltreExclure;
    existante.filtre = "*.tmp;*.bak;Thumbs.db";
    existante.inclureDossiersVides = true;
    existante.stockerAccede = false;
    CParametresDlg modification(existante, false, &app->cadre());
    photographier(modification, QStringLiteral("parametres-requete"));
    // Both windows have the same size: the texts do not change it.
    EXPECT_EQ(creation.size(), modification.size());
}

TEST_F(EcranDialogues, ProprietesDUnClasseurEtDUneRequete)
{
    SProprietes classeur;
    classeur.titre = "Propriétés du classeur 'Disques durs'";
    classeur.dossiers = 1234;
    classeur.fichiers = 56789;
    classeur.tailleTotale = 3'500'000'000u;
    CProprietesDlg sansVolume(classeur, &app->cadre());
    photographier(sansVolume, QStringLiteral("proprietes-classeur"));

    SProprietes requete = classeur;
    requete.titre = "Propriétés de la requête \"/media/disque\"";
    requete.avecVolume = true;
    requete.nomVolume = "SAUVEGARDES";
    requete.numeroSerie = 0x0012ABCD;
    CProprietesDlg avecVolume(requete, &app->cadre());
    photographier(avecVolume, QStringLiteral("proprietes-requete"));
    EXPECT_GT(avecVolume.height(), sansVolume.height());
    // Each as wide as its layout, and wider for a long title, which shows whole.
    for (const QDialog* d : {static_cast<QDialog*>(&sansVolume), static_cast<QDialog*>(&avecVolume)})
        EXPECT_GT(d->width(), d->fontMetrics().horizontalAdvance(d->windowTitle())) << d->windowTitle().toStdString();
}

TEST_F(EcranDialogues, FeuilleDeRechercheEtProprietesAvanceesPageParPage)
{
    // A long folder of a query as the selected object, some criteria on.
    CDoc doc;
    auto* classeur = new CClasseur(&doc, "Disques durs");
    doc.classeurs().ajouter(classeur);
    auto* requete = new CRequete(classeur);
    requete->definirNom("Photos");
    requete->definirChemin("/media/disque externe");
    classeur->requetes().ajouter(requete);
    auto* dossier = new CDossier(requete, "/media/disque externe/Photos de famille/Été 2003/Vacances", false);
    requete->sousDossiers().ajouter(dossier);

    CCriteres criteres = CCriteres::pourRecherche();
    criteres.motif = "*.jpg;*.png";
    criteres.portee = kPorteeObjetSelectionne;
    criteres.modifie.actif = true;
    criteres.testTaille = 1;
    criteres.comparaisonTaille = kTailleAuMoins;
    criteres.valeurTaille = 250;
    criteres.uniteTaille = 1;
    criteres.attributs[0] = kAttributAbsent;
    criteres.attributs[3] = kAttributPresent;
    criteres.doublons = 1;
    criteres.memeNom = criteres.memeTaille = 1;
    CRechercheSheet recherche(criteres, *dossier, &app->cadre());
    photographierPages(recherche, QStringLiteral("recherche"));

    CRechercheSheet sansSelection(criteres, doc, &app->cadre());
    sansSelection.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sansSelection));
    attendre(200);
    enregistrer(sansSelection, QStringLiteral("recherche-domaine-sans-selection"));
    // Every tab in sight, the last one whole.
    const QTabBar* barre = sansSelection.onglets().tabBar();
    EXPECT_LE(barre->tabRect(barre->count() - 1).right(), barre->width());
    sansSelection.reject();

    CCriteres avancees = CCriteres::pourCapture();
    avancees.cree.actif = true;
    CRechercheSheet avance(avancees, &app->cadre());
    photographierPages(avance, QStringLiteral("avance"));
}

} // namespace

namespace {

TEST_F(EcranDialogues, ResultatsDeLaRecherche)
{
    // Two queries of the document: one stores every value, the other none but the
    // attributes, whose rows show empty cells.
    CDoc& doc = app->cadre().cadreActif()->document();
    const std::vector<const char*> noms = {"Été à Montréal.jpg", "rapport annuel 2003.pdf", "IMG_0042.JPG",
                                           "lettre à Noël.doc"};
    ajouterRequete(doc, "Photos", "/media/disque/Photos de famille", true, noms);
    ajouterRequete(doc, "Archives", "/media/archives", false, noms);
    CCriteres criteres = CCriteres::pourRecherche();
    criteres.cible = &doc;
    app->contexte().criteresRecherche = criteres;
    reappliquerRecherche(app->contexte());
    CResultatsDlg& resultats = app->resultatsRecherche();
    resultats.trierSur(1);
    ASSERT_EQ(resultats.modele().rowCount(), 8);
    photographier(resultats, QStringLiteral("resultats-recherche"));
    doc.definirModifie(false);
}

TEST_F(EcranDialogues, AssistantDeComparaisonEtapeParEtape)
{
    // Three binders, one without queries; long names; the second query stores no size.
    CDoc doc;
    const auto classeur = [&doc](const char* nom) {
        auto* c = new CClasseur(&doc, nom);
        doc.classeurs().ajouter(c);
        return c;
    };
    const auto requete = [](CClasseur* c, const char* nom) {
        auto* q = new CRequete(c);
        q->definirNom(nom);
        c->requetes().ajouter(q);
        return q;
    };
    CClasseur* disques = classeur("Disques durs");
    CRequete* photos = requete(disques, "/media/disque externe/Photos de famille");
    requete(disques, "/media/disque externe/Photos de famille (sauvegarde de l'été 2003)")->stockerTaille = false;
    requete(classeur("CD-ROM"), "Logiciels");
    classeur("Général");

    CChoixRequetesDlg choix(doc, photos, app->images().arbre(), &app->cadre());
    choix.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&choix));
    attendre(300);
    EXPECT_EQ(choix.focusWidget(), &choix.arbre());
    enregistrer(choix, QStringLiteral("comparaison-premiere-requete"));
    const QSize taille = choix.size();
    choix.boutonSuivant().click();
    const auto seconde = choix.arbre().findItems(QStringLiteral("/media/disque externe/Photos de famille (sauvegarde "
                                                                "de l'été 2003)"),
                                                 Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(seconde.size(), 1);
    choix.arbre().setCurrentItem(seconde.front());
    attendre(200);
    enregistrer(choix, QStringLiteral("comparaison-seconde-requete"));
    EXPECT_EQ(choix.size(), taille);
    choix.accept();
    ASSERT_EQ(choix.result(), QDialog::Accepted);

    CChampsDlg champs(choix, &app->cadre());
    photographier(champs, QStringLiteral("comparaison-champs"));
}

} // namespace

namespace {

TEST_F(EcranDialogues, ResultatsDeLaComparaison)
{
    // A long second name: its legend is shortened in its middle, whole in its tooltip.
    CDoc& doc = app->cadre().cadreActif()->document();
    CRequete& photos = ajouterRequete(doc, "Photos", "/media/disque/Photos de famille", true,
                                      {"Été à Montréal.jpg", "rapport annuel 2003.pdf", "IMG_0042.JPG", "plage.jpg"});
    CRequete& archives =
        ajouterRequete(doc, "Archives de la famille Dupont-Lefebvre, disque externe n°2 de 2003 à 2011",
                       "/media/archives", true, {"Été à Montréal.jpg", "rapport annuel 2003.pdf", "Noël.jpg"});
    comparerRequetes(photos, archives, {.nom = true}, app->contexte().resultatsComparaison);
    // Then a search that finds everything: the rows keep the statuses of the comparison.
    CCriteres criteres = CCriteres::pourRecherche();
    criteres.cible = &doc;
    app->contexte().criteresRecherche = criteres;
    reappliquerRecherche(app->contexte());
    CComparaisonDlg& fenetre = app->resultatsComparaison();
    ASSERT_EQ(fenetre.modele().rowCount(), 7);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    attendre(300);
    // Each picture of the legend beside its line, centred on it; the list at (8, 8),
    // the last picture 6 pixels above the bottom.
    const QList<QLabel*> etiquettes = fenetre.zoneLegende().findChildren<QLabel*>();
    ASSERT_EQ(etiquettes.size(), 6);
    for (int i = 0; i < 3; ++i) {
        const QRect image = etiquettes[2 * i]->geometry();
        const QRect texte = etiquettes[2 * i + 1]->geometry();
        EXPECT_LE(std::abs(image.center().y() - texte.center().y()), 1) << i;
        EXPECT_EQ(texte.left() - image.right() - 1, 6) << i;
    }
    EXPECT_EQ(fenetre.liste().geometry().topLeft(), QPoint(8, 8));
    EXPECT_EQ(fenetre.height() - fenetre.zoneLegende().geometry().bottom() - 1, 6);
    photographier(fenetre, QStringLiteral("resultats-comparaison"));
    // Narrowed, the long legend is shortened, whole in its tooltip; the window never
    // gets wider for it.
    fenetre.show();
    fenetre.resize(420, fenetre.height());
    attendre(200);
    EXPECT_EQ(fenetre.width(), 420);
    EXPECT_EQ(etiquettes[3]->toolTip(), fenetre.legende(1));
    EXPECT_NE(etiquettes[3]->text(), fenetre.legende(1));
    enregistrer(fenetre, QStringLiteral("resultats-comparaison-etroite"));
    doc.definirModifie(false);
}

} // namespace

namespace {

// The toolbar painted at `echelle` (1 or 2) into an image.
QImage peindreBarre(QWidget& barre, int echelle)
{
    QPixmap image(barre.size() * echelle);
    image.setDevicePixelRatio(echelle);
    image.fill(Qt::transparent);
    barre.render(&image);
    // Only the buttons, pixel for pixel: the rest of the bar is empty.
    QImage resultat = image.toImage().copy(0, 0, barre.childrenRect().right() * echelle + 8, image.height());
    resultat.setDevicePixelRatio(1);
    return resultat;
}

TEST_F(EcranDialogues, BarreDOutilsDansSesEtatsAUnEtADeuxFois)
{
    CMainFrame& cadre = app->cadre();
    cadre.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre));
    CToolBarEx& barre = cadre.barreOutils();
    const auto bouton = [&](int id) {
        for (QAction* a : barre.actions())
            if (auto* b = qobject_cast<QToolButton*>(barre.widgetForAction(a)); b && b->defaultAction() == cadre.action(id))
                return b;
        return static_cast<QToolButton*>(nullptr);
    };
    // Sub-folders and the search filter checked (sunken, dithered), "Modifier la
    // requête" disabled (embossed); the pointer on "Nouveau" (raised), then on the
    // search filter (sunken, no dither).
    cadre.executer(cmd::FiltreRecherche);
    attendre(50);
    ASSERT_TRUE(cadre.action(cmd::SousDossiers)->isChecked());
    ASSERT_TRUE(cadre.action(cmd::FiltreRecherche)->isChecked());
    ASSERT_FALSE(cadre.action(cmd::ModifierRequete)->isEnabled());
    QList<QImage> etats;
    for (int survole : {cmd::Nouveau, cmd::FiltreRecherche}) {
        QToolButton* b = bouton(survole);
        ASSERT_TRUE(b);
        QCursor::setPos(b->mapToGlobal(b->rect().center()));
        barre.entrerDans(b);
        attendre(20);
        ASSERT_EQ(barre.boutonChaud(), b);
        for (int echelle : {1, 2})
            etats.append(peindreBarre(barre, echelle));
    }
    // A checked button looks different hot and not hot, at both scales.
    EXPECT_NE(etats[0], etats[2]);
    EXPECT_NE(etats[1], etats[3]);
    EXPECT_EQ(etats[1].height(), etats[0].height() * 2);
    int hauteur = 0;
    for (const QImage& i : etats)
        hauteur += i.height() + 4;
    QImage planche(etats[1].width(), hauteur, QImage::Format_ARGB32);
    planche.fill(Qt::white);
    QPainter p(&planche);
    int y = 0;
    for (const QImage& i : etats) {
        p.drawImage(0, y, i);
        y += i.height() + 4;
    }
    p.end();
    const QString dossier = QStringLiteral(NORVANEL_CAPTURES);
    QDir().mkpath(dossier);
    ASSERT_TRUE(planche.save(dossier + QStringLiteral("/barre-outils.png")));
}

TEST_F(EcranDialogues, DialogueDeFichiersEnFrancais)
{
    // Qt's own file dialog, as the program shows it where the desktop offers none.
    QFileDialog fichiers(&app->cadre(), QStringLiteral("Ouvrir"), QDir::tempPath(),
                         QStringLiteral("Liste de fichiers (*.kbt)"));
    fichiers.setOption(QFileDialog::DontUseNativeDialog);
    fichiers.resize(640, 400);
    fichiers.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fichiers));
    attendre(300);
    QStringList anglais;
    for (const QLabel* l : fichiers.findChildren<QLabel*>())
        if (l->isVisible())
            for (const char* mot : {"Look in", "File name", "Files of type"})
                if (l->text().contains(QLatin1String(mot)))
                    anglais << l->text();
    for (const QAbstractButton* b : fichiers.findChildren<QAbstractButton*>())
        if (b->isVisible() && (b->text() == QStringLiteral("&Open") || b->text() == QStringLiteral("Cancel")))
            anglais << b->text();
    EXPECT_EQ(anglais, QStringList());
    const QString dossier = QStringLiteral(NORVANEL_CAPTURES);
    QDir().mkpath(dossier);
    ASSERT_TRUE(fichiers.grab().toImage().save(dossier + QStringLiteral("/dialogue-fichiers.png")));
    fichiers.reject();
}

} // namespace
