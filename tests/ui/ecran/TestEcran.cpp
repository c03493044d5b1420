// The window program on a real X display (Xvfb): started as a user starts it, on a
// catalogue made by norvanel-cli; a second start hands its file to the first; a binder
// renamed from the keyboard. Screenshots go to the build folder (captures/) to be
// looked at.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "capture/CSuiviCapture.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CApp.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CExecuteurTravauxQt.h"
#include "workspace/MisesAJour.h"
#include "dialogs/CApercuImpressionDlg.h"
#include "dialogs/CDialogueProgression.h"
#include "dialogs/CVuePagesApercu.h"
#include "model/CFichier.h"
#include "shell/CGestionnaireDocuments.h"
#include "shell/CInstanceUnique.h"
#include "shell/CListeView.h"
#include "shell/CModeleListe.h"
#include "shell/CMainFrame.h"
#include "ui/CChampRechercheRapide.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"
#include "ui/IdCommandes.h"
#include "shell/LigneCommande.h"
#include "tests/ui/ecran/Ecran.h"

namespace {

#define SANS_ECRAN_PASSER()                                                  \
    if (!ecran::raisonSansEcran().empty())                                   \
    GTEST_SKIP() << ecran::raisonSansEcran()

QString dossierCaptures()
{
    const QString d = QStringLiteral(NORVANEL_CAPTURES);
    QDir().mkpath(d);
    return d;
}

void attendre(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Runs norvanel-cli; its standard output.
QByteArray cli(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral(NORVANEL_CLI), arguments);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

// Number of different colours in an image: a blank screen has one or two.
int couleurs(const QImage& image)
{
    QSet<QRgb> vues;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            vues.insert(image.pixel(x, y));
    return vues.size();
}

// Pixels of our folder yellow (binder and folder icons) in the image.
int pixelsJaunes(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 220 && c.green() > 170 && c.green() < 225 && c.blue() < 120)
                ++n;
        }
    return n;
}

// Every label of the window shows its whole text (none cut by a window too small).
bool texteEntierementVisible(QWidget& fenetre)
{
    for (QLabel* l : fenetre.findChildren<QLabel*>()) {
        if (!l->isVisible() || l->text().isEmpty())
            continue;
        const QSize besoin = l->wordWrap() ? QSize(l->width(), l->heightForWidth(l->width())) : l->sizeHint();
        if (besoin.width() > l->width() || besoin.height() > l->height())
            return false;
    }
    return true;
}

class Ecran : public ::testing::Test {
protected:
    void SetUp() override
    {
        SANS_ECRAN_PASSER();
        ASSERT_TRUE(dossier.isValid());
        const QString arbre = dossier.filePath(QStringLiteral("disque"));
        for (const char* d : {"Photos/Été 2003", "Photos/Noël", "Documents/Factures", "Musique"})
            QDir().mkpath(arbre + u'/' + QString::fromUtf8(d));
        for (const char* f : {"Photos/Été 2003/plage.jpg", "Documents/lettre à Zoé.txt", "Musique/a.mp3"}) {
            QFile fichier(arbre + u'/' + QString::fromUtf8(f));
            ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
        }
        catalogue = dossier.filePath(QStringLiteral("disques.kbt"));
        cli({QStringLiteral("new"), catalogue});
        cli({QStringLiteral("add"), catalogue, arbre, QStringLiteral("--quiet")});
        cli({QStringLiteral("mkbinder"), catalogue, QStringLiteral("Disques durs")});
    }

    // The catalogue opened in `app`, its window in front and active; its document window.
    CChildFrame* ouvrirEnAvant(CApp& app)
    {
        SLigneCommande ligne;
        ligne.action = SLigneCommande::EAction::Ouvrir;
        ligne.fichiers = {catalogue};
        if (!app.demarrer(ligne))
            return nullptr;
        CMainFrame& cadre = app.cadre();
        cadre.resize(900, 560);
        cadre.activateWindow();
        if (!QTest::qWaitForWindowActive(&cadre))
            return nullptr;
        return cadre.cadreActif();
    }

    // The query the catalogue was made with.
    static CRequete* requeteDuCatalogue(CDoc& doc)
    {
        CRequete* q = nullptr;
        for (CClasseur* c : doc.classeurs())
            if (!c->requetes().estVide())
                q = c->requetes().elementA(0);
        return q;
    }

    QTemporaryDir dossier;
    QString catalogue;
};

TEST_F(Ecran, LeProgrammeSAfficheEtUnSecondLancementLuiConfieSonFichier)
{
    // The program on this display, under X11.
    // Its socket goes in a folder of its own in the runtime folder, which must be ours alone.
    const QString execution = dossier.filePath(QStringLiteral("execution"));
    QDir().mkpath(execution);
    QFile::setPermissions(execution, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString socket = CInstanceUnique::nomPour(execution + QStringLiteral("/norvanel"), QStringLiteral("xcb"),
                                                    qEnvironmentVariable("DISPLAY"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), execution);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dossier.filePath(QStringLiteral("configuration")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    QProcess premier;
    premier.setProcessEnvironment(env);
    premier.start(QStringLiteral(NORVANEL_PROGRAMME), {catalogue});
    ASSERT_TRUE(premier.waitForStarted());
    // Ready once it answers on its socket.
    QElapsedTimer t;
    t.start();
    bool pret = false;
    while (!pret && t.elapsed() < 20000 && premier.state() == QProcess::Running) {
        attendre(100);
        pret = QFile::exists(socket) && CInstanceUnique::transmettre(socket, {});
    }
    ASSERT_TRUE(pret) << premier.readAllStandardError().toStdString();
    attendre(1500);
    const QImage principale = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    ASSERT_TRUE(principale.save(dossierCaptures() + QStringLiteral("/fenetre-principale.png")));
    EXPECT_GT(couleurs(principale), 20);
    EXPECT_GT(pixelsJaunes(principale), 20) << "les icônes de classeurs n'apparaissent pas";

    // A second start with another catalogue: it hands it over and stops.
    const QString second = dossier.filePath(QStringLiteral("second.kbt"));
    cli({QStringLiteral("new"), second});
    QProcess deuxieme;
    deuxieme.setProcessEnvironment(env);
    deuxieme.start(QStringLiteral(NORVANEL_PROGRAMME), {second});
    ASSERT_TRUE(deuxieme.waitForFinished(20000));
    EXPECT_EQ(deuxieme.exitCode(), 0);
    attendre(1500);
    const QImage deux = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    ASSERT_TRUE(deux.save(dossierCaptures() + QStringLiteral("/second-document.png")));
    EXPECT_EQ(premier.state(), QProcess::Running);

    premier.terminate();
    if (!premier.waitForFinished(5000)) {
        premier.kill();
        premier.waitForFinished(5000);
    }
}

// Holds a capture job at its second report, once it has counted something, until the
// test lets it go.
class CCaptureRetenue : public CSuiviCapture {
public:
    bool progression(const SProgressionCapture&) override
    {
        if (++rapports_ >= 2)
            while (!libre)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return true;
    }
    std::atomic<bool> libre{false};

private:
    int rapports_ = 0;
};

TEST_F(Ecran, UnAutreDocumentSeParcourtEtSeTriePendantUneCapture)
{
    CApp app;
    CChildFrame* parcouru = ouvrirEnAvant(app);
    ASSERT_NE(parcouru, nullptr);
    CMainFrame& cadre = app.cadre();
    cadre.resize(1000, 640);

    // A second document captures a large tree: the system's own programs and libraries.
    CCaptureRetenue retenue;
    app.travaux().suiviDesTests = &retenue;
    app.travaux().delaiAffichage = 0;
    CChildFrame* capture = app.documents().nouveau();
    ASSERT_NE(capture, nullptr);
    CDoc& docCapture = capture->document();
    CClasseur* general = docCapture.classeurs().elementA(0);
    auto requete = std::make_unique<CRequete>(general);
    requete->definirChemin("/usr");
    ASSERT_NE(ajouterRequete(app.travaux(), app.contexte(), docCapture, *general, std::move(requete)), nullptr);
    cadre.zoneMdi().tileSubWindows();

    // Meanwhile the first document is browsed: its query listed, sorted by name, down.
    QElapsedTimer t;
    t.start();
    while (!app.travaux().dialogue() && t.elapsed() < 20000)
        attendre(20);
    ASSERT_NE(app.travaux().dialogue(), nullptr);
    cadre.zoneMdi().setActiveSubWindow(parcouru);
    CDoc& doc = parcouru->document();
    CRequete* q = requeteDuCatalogue(doc);
    ASSERT_NE(q, nullptr);
    // Every file below the query in its list, to have something to sort.
    doc.basculerSousDossiers();
    parcouru->arbre().selectionner(static_cast<CDossier*>(q));
    attendre(100);
    CListeView& liste = parcouru->liste();
    QHeaderView* entete = liste.header();
    // Listed by name, up: a click on the name's header turns it down.
    QTest::mouseClick(entete->viewport(), Qt::LeftButton, {},
                      QPoint(entete->sectionViewportPosition(0) + 10, entete->height() / 2));
    attendre(100);
    QStringList noms;
    for (int r = 0; r < liste.modele().rowCount(); ++r)
        noms << liste.modele().index(r, 0).data().toString();
    QStringList decroissants = noms;
    std::sort(decroissants.begin(), decroissants.end(), [](const QString& a, const QString& b) {
        return QString::localeAwareCompare(a, b) > 0;
    });
    EXPECT_GE(noms.size(), 3);
    EXPECT_EQ(noms, decroissants);
    attendre(500);
    const QImage image = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    ASSERT_TRUE(image.save(dossierCaptures() + QStringLiteral("/parcours-pendant-capture.png")));
    // All of it while the capture still ran, its window up but not in the way.
    EXPECT_EQ(app.travaux().nombre(), 1u);
    ASSERT_NE(app.travaux().dialogue(), nullptr);
    EXPECT_TRUE(app.travaux().dialogue()->isVisible());
    EXPECT_FALSE(app.travaux().dialogue()->isModal());
    EXPECT_GT(couleurs(image), 20);
    // The browsed document's own commands stay: its query may be deleted.
    parcouru->definirPanneauActif(&parcouru->arbre());
    cadre.mettreAJourCommandes();
    EXPECT_TRUE(cadre.action(cmd::Supprimer)->isEnabled());

    retenue.libre = true;
    t.restart();
    while (app.travaux().nombre() > 0 && t.elapsed() < 120000)
        attendre(50);
    app.travaux().suiviDesTests = nullptr;
    ASSERT_EQ(app.travaux().nombre(), 0u);
    ASSERT_EQ(general->requetes().nombre(), 1);
    EXPECT_FALSE(general->requetes().elementA(0)->sousDossiers().estVide());
    doc.definirModifie(false);
    docCapture.definirModifie(false);
}

TEST_F(Ecran, ClasseurRenommeAuClavier)
{
    CApp app;
    CChildFrame* f = ouvrirEnAvant(app);
    ASSERT_NE(f, nullptr);
    CMainFrame& cadre = app.cadre();
    CArboView& arbre = f->arbre();
    CDoc& doc = f->document();
    CClasseur* disques = nullptr;
    for (CClasseur* c : doc.classeurs())
        if (c->nom() == "Disques durs")
            disques = c;
    ASSERT_NE(disques, nullptr);
    arbre.setFocus();
    arbre.selectionner(disques);
    attendre(100);
    // Show the query's folders too.
    arbre.expandAll();

    QTest::keyClick(&arbre, Qt::Key_F2);
    attendre(100);
    QWidget* editeur = QApplication::focusWidget();
    ASSERT_NE(editeur, &arbre) << "l'édition du libellé n'a pas commencé";
    QTest::keyClick(editeur, Qt::Key_A, Qt::ControlModifier);
    for (QChar c : QStringLiteral("Disques été"))
        QTest::sendKeyEvent(QTest::Click, editeur, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(editeur, Qt::Key_Return);
    attendre(300);
    EXPECT_EQ(disques->nom(), "Disques été");
    EXPECT_TRUE(doc.estModifie());

    const QImage image = cadre.grab().toImage();
    ASSERT_TRUE(image.save(dossierCaptures() + QStringLiteral("/classeur-renomme.png")));
    EXPECT_GT(pixelsJaunes(image), 20);
    doc.definirModifie(false);
}

TEST_F(Ecran, MenusEtDialoguesEnImages)
{
    CApp app;
    CChildFrame* f = ouvrirEnAvant(app);
    ASSERT_NE(f, nullptr);
    CMainFrame& cadre = app.cadre();
    f->arbre().setFocus();
    f->arbre().selectionner(f->document().classeurs().elementA(0));
    attendre(100);

    // Each menu of the bar, opened.
    int n = 0;
    for (QAction* m : cadre.menuBar()->actions()) {
        QMenu* menu = m->menu();
        cadre.mettreAJourCommandes();
        menu->popup(cadre.mapToGlobal(QPoint(10 + 90 * n, 30)));
        attendre(200);
        const QImage image = menu->grab().toImage();
        EXPECT_GT(couleurs(image), 3);
        ASSERT_TRUE(image.save(dossierCaptures() + QStringLiteral("/menu-%1.png").arg(++n)));
        menu->hide();
    }

    // The question before closing a modified document, and the about box.
    f->document().definirModifie();
    QImage question, apropos;
    bool texteEntier = false;
    // Late enough for the box to have taken its final size.
    QTimer::singleShot(1000, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            question = m->grab().toImage();
            texteEntier = texteEntierementVisible(*m);
            static_cast<QMessageBox*>(m)->button(QMessageBox::Cancel)->click();
        }
    });
    cadre.executer(cmd::Fermer);
    ASSERT_FALSE(question.isNull());
    ASSERT_TRUE(question.save(dossierCaptures() + QStringLiteral("/question-enregistrer.png")));
    EXPECT_TRUE(texteEntier) << "le texte de la question est coupé";
    QTimer::singleShot(1000, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            apropos = m->grab().toImage();
            static_cast<QDialog*>(m)->accept();
        }
    });
    cadre.executer(cmd::APropos);
    ASSERT_FALSE(apropos.isNull());
    ASSERT_TRUE(apropos.save(dossierCaptures() + QStringLiteral("/a-propos.png")));
    f->document().definirModifie(false);

    // The progress window of a capture, a long folder path shortened in its middle.
    CDialogueProgression progression(QStringLiteral("Photos de famille"), &cadre);
    progression.afficherEtat(1234, 56789,
                             QStringLiteral("/media/disque externe/Photos de famille/2003/Été à Montréal/"
                                            "Séance du 14 juillet/sous-dossier très long/encore plus loin"));
    progression.show();
    attendre(500);
    EXPECT_TRUE(texteEntierementVisible(progression));
    ASSERT_TRUE(progression.grab().toImage().save(dossierCaptures() + QStringLiteral("/progression.png")));
}

} // namespace

namespace {

TEST_F(Ecran, ApercuAvantImpressionDUnGrandCatalogue)
{
    CApp app;
    CChildFrame* f = ouvrirEnAvant(app);
    ASSERT_NE(f, nullptr);
    CDoc& doc = f->document();
    // Six-digit line numbers on the last pages.
    CClasseur* c = doc.classeurs().elementA(0);
    auto* q = new CRequete(c);
    q->definirNom("/media/archives");
    q->definirChemin("/media/archives");
    c->requetes().ajouter(q);
    for (int i = 1; i <= 120000; ++i)
        q->fichiers().ajouter(CFichier::creer(q->arene(), q, "/media/archives/Photos de famille/2003/image" + std::to_string(i) + ".jpg"));

    QImage premiere, derniere, largeur;
    QString texte;
    QTimer::singleShot(1000, [&] {
        auto* apercu = qobject_cast<CApercuImpressionDlg*>(QApplication::activeModalWidget());
        if (!apercu)
            return;
        apercu->resize(900, 760);
        attendre(500);
        premiere = apercu->grab().toImage();
        texte = apercu->textePage();
        apercu->vue().afficherPage(0xFFFFFFFFu);
        apercu->vue().definirZoom(CVuePagesApercu::EZoom::Largeur);
        attendre(300);
        largeur = apercu->grab().toImage();
        apercu->vue().definirZoom(CVuePagesApercu::EZoom::PageEntiere);
        apercu->vue().definirPagesCote(2);
        apercu->vue().afficherPage(1);
        attendre(300);
        derniere = apercu->grab().toImage();
        apercu->reject();
    });
    app.cadre().executer(cmd::ApercuImpression);
    ASSERT_FALSE(premiere.isNull());
    EXPECT_TRUE(texte.startsWith(QStringLiteral("Page 1 sur "))) << texte.toStdString();
    EXPECT_GT(couleurs(premiere), 20);
    ASSERT_TRUE(premiere.save(dossierCaptures() + QStringLiteral("/apercu.png")));
    ASSERT_TRUE(largeur.save(dossierCaptures() + QStringLiteral("/apercu-largeur-derniere-page.png")));
    ASSERT_TRUE(derniere.save(dossierCaptures() + QStringLiteral("/apercu-deux-pages.png")));
    doc.definirModifie(false);

    // The progress window of a print job.
    auto progression = CDialogueProgression::pourImpression(&app.cadre());
    progression->afficherPages(1234, 4591);
    progression->show();
    attendre(300);
    EXPECT_TRUE(texteEntierementVisible(*progression));
    ASSERT_TRUE(progression->grab().toImage().save(dossierCaptures() + QStringLiteral("/progression-impression.png")));
}

TEST_F(Ecran, ListeDesFichiersAvecToutesSesColonnes)
{
    CApp app;
    CChildFrame* f = ouvrirEnAvant(app);
    ASSERT_NE(f, nullptr);
    CMainFrame& cadre = app.cadre();
    CDoc& doc = f->document();
    CRequete* q = requeteDuCatalogue(doc);
    ASSERT_NE(q, nullptr);
    // Every file of the tree, with its folder.
    cadre.executer(cmd::SousDossiers);
    f->arbre().setFocus();
    f->arbre().selectionner(static_cast<CDossier*>(q));
    attendre(200);
    CListeView& liste = f->liste();
    ASSERT_EQ(liste.modele().columnCount(), 7);
    ASSERT_GT(liste.modele().rowCount(), 2);
    liste.trier(1);
    liste.setCurrentIndex(liste.modele().index(1, 0));
    attendre(200);

    // Each title and each cell shows whole.
    QHeaderView* entete = liste.header();
    const int marge = entete->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, entete);
    for (int c = 0; c < liste.modele().columnCount(); ++c) {
        const QString titre = liste.modele().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const int besoin = entete->fontMetrics().horizontalAdvance(titre) + 2 * marge;
        EXPECT_LE(besoin, entete->sectionSize(c)) << titre.toStdString();
        if (c == 0 || c == 6)
            continue;   // names and folders are as long as they are
        // As the item delegate elides: the section less a margin on each side.
        const int margeCellule = 2 * (liste.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &liste) + 1);
        for (int r = 0; r < liste.modele().rowCount(); ++r) {
            const QString texte = liste.modele().index(r, c).data().toString();
            EXPECT_EQ(liste.fontMetrics().elidedText(texte, Qt::ElideRight, entete->sectionSize(c) - margeCellule),
                      texte)
                << titre.toStdString();
        }
    }
    const QImage image = cadre.grab().toImage();
    ASSERT_TRUE(image.save(dossierCaptures() + QStringLiteral("/liste-fichiers.png")));
    EXPECT_GT(couleurs(image), 20);
}

} // namespace

namespace {

TEST_F(Ecran, RechercheRapideEnTapant)
{
    CApp app;
    ASSERT_NE(ouvrirEnAvant(app), nullptr);
    CMainFrame& cadre = app.cadre();
    // Ctrl+F, then a word typed key by key: the answer shows beside the field, which
    // keeps the keyboard all along.
    QTest::keyClick(&cadre, Qt::Key_F, Qt::ControlModifier);
    attendre(100);
    CChampRechercheRapide& champ = cadre.champRechercheRapide();
    ASSERT_EQ(QApplication::focusWidget(), &champ);
    for (QChar c : QStringLiteral("ete plage")) {
        QTest::sendKeyEvent(QTest::Click, &champ, Qt::Key_unknown, QString(c), Qt::NoModifier);
        attendre(40);
    }
    attendre(500);
    CResultatsDlg& resultats = app.resultatsRecherche();
    resultats.move(cadre.geometry().right() - 560, cadre.geometry().bottom() - 220);
    resultats.resize(560, 200);
    attendre(300);
    EXPECT_TRUE(resultats.isVisible());
    EXPECT_EQ(resultats.modele().rowCount(), 1);
    EXPECT_EQ(QApplication::focusWidget(), &champ);
    const QImage ecran = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    ASSERT_TRUE(ecran.save(dossierCaptures() + QStringLiteral("/recherche-rapide.png")));
    EXPECT_GT(couleurs(ecran), 20);
}

} // namespace
