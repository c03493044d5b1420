// Printing from the windows: the catalogue's pages on a printer (here Qt's PDF
// output), the chosen page range, print preview with the "PreviewPages" setting, the
// preview of a large catalogue drawing only the pages shown, printing from it through
// the progress window, and the message for a catalogue without files.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "dialogs/CApercuImpressionDlg.h"
#include "dialogs/CDialogueProgression.h"
#include "dialogs/CVuePagesApercu.h"
#include "impression/CContexteImpressionQt.h"
#include "impression/CSuiviImpression.h"
#include "model/Impression.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CImpressionsQt.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/CTravailLong.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "ui/IdCommandes.h"
#include "shell/ImpressionDocument.h"

#include <atomic>
#include <new>
#include <chrono>
#include <thread>

namespace {

int pagesPdf(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page>") +
                            pdf.count("/Type /Page /"));
}

// Holds a print job on its first page until let go, while the test looks at the windows.
struct SPageRetenue : CSuiviImpression {
    bool pagesImprimees(std::uint32_t, std::uint32_t) override
    {
        while (!libre)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    }
    std::atomic<bool> libre{false};
};

class ImpressionFenetre : public AvecNorvanel {
protected:
    void TearDown() override
    {
        // A test stopped short lets its job end with the application.
        retenue.libre = true;
        AvecNorvanel::TearDown();
    }

    SPageRetenue retenue;

    void remplir(int fichiers)
    {
        CClasseur* c = doc().classeurs().elementA(0);
        auto* q = new CRequete(c);
        q->definirNom("/media/cd");
        q->definirChemin("/media/cd");
        c->requetes().ajouter(q);
        for (int i = 0; i < fichiers; ++i)
            q->fichiers().ajouter(CFichier::creer(q->arene(), q, "/media/cd/fichier" + std::to_string(i) + ".txt"));
    }
    QString versPdf(QPrinter& p, const QString& nom)
    {
        const QString c = chemin(nom);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(c);
        return c;
    }
    // Lines per page on the application's printer, from the layout alone.
    int lignesParPage()
    {
        QImage mesure(1, 1, QImage::Format_RGB32);
        QPainter peintre(&mesure);
        CContexteImpressionQt dc(peintre, app->imprimante());
        STravailImpression t;
        EXPECT_EQ(commencerImpression(doc(), dc, t), std::nullopt);
        return t.n;
    }
    static QAction* commande(QDialog& d, const QString& texte)
    {
        for (QAction* a : d.findChild<QToolBar*>()->actions())
            if (a->text().remove(QLatin1Char('&')) == texte)
                return a;
        ADD_FAILURE() << "pas de commande " << texte.toStdString();
        return nullptr;
    }
    // Lets the preview paint what it shows.
    static void peindre(CApercuImpressionDlg& apercu)
    {
        apercu.vue().viewport()->grab();
    }
};

TEST_F(ImpressionFenetre, ToutesLesPagesPuisUnePlageChoisie)
{
    remplir(400);
    QPrinter p(QPrinter::HighResolution);
    const QString tout = versPdf(p, QStringLiteral("tout.pdf"));
    ASSERT_FALSE(imprimerDocument(doc(), p));
    const int pages = pagesPdf(tout);
    EXPECT_GT(pages, 2);

    QPrinter plage(QPrinter::HighResolution);
    const QString deux = versPdf(plage, QStringLiteral("deux.pdf"));
    plage.setPrintRange(QPrinter::PageRange);
    plage.setFromTo(2, 3);
    ASSERT_FALSE(imprimerDocument(doc(), plage));
    EXPECT_EQ(pagesPdf(deux), 2);
}

TEST_F(ImpressionFenetre, UnCatalogueSansFichierNeSImprimePas)
{
    QPrinter p(QPrinter::HighResolution);
    versPdf(p, QStringLiteral("vide.pdf"));
    const auto erreur = imprimerDocument(doc(), p);
    ASSERT_TRUE(erreur);
    EXPECT_NE(erreur->find("Le catalogue ne contient aucun fichier à imprimer."), std::string::npos) << *erreur;
}

TEST_F(ImpressionFenetre, LApercuMontreLesPagesCommeLeDitLeReglage)
{
    remplir(400);
    QSettings(QStringLiteral("VESKA"), QStringLiteral("Norvanel")).setValue(QStringLiteral("Settings/PreviewPages"), 2);
    int cote = 0;
    std::vector<std::uint32_t> dessinees;
    repondeur->autreDialogue = [&](QDialog& d) {
        if (auto* apercu = qobject_cast<CApercuImpressionDlg*>(&d)) {
            peindre(*apercu);
            cote = apercu->vue().pagesCote();
            dessinees = apercu->vue().pagesDessinees();
            d.reject();
        }
    };
    executer(cmd::ApercuImpression);
    EXPECT_EQ(cote, 2);
    EXPECT_EQ(dessinees, (std::vector<std::uint32_t>{1, 2}));
}

TEST_F(ImpressionFenetre, LApercuDUnGrandCatalogueNeDessineQueLesPagesMontrees)
{
    constexpr int kFichiers = 280000;
    remplir(kFichiers);
    const int n = lignesParPage();
    ASSERT_GT(n, 10);
    const std::uint32_t attendues = (kFichiers + n - 1) / n;
    QString texte, texteDerniere;
    bool retourAuDebut = true, suiteALaFin = true;
    std::vector<std::uint32_t> premiereVue, apresSuivante, apresRepeinte, apresFin;
    repondeur->autreDialogue = [&](QDialog& d) {
        auto* apercu = qobject_cast<CApercuImpressionDlg*>(&d);
        if (!apercu)
            return;
        CVuePagesApercu& vue = apercu->vue();
        peindre(*apercu);
        texte = apercu->textePage();
        retourAuDebut = commande(d, QStringLiteral("Page précédente"))->isEnabled();
        premiereVue = vue.pagesDessinees();
        commande(d, QStringLiteral("Page suivante"))->trigger();
        peindre(*apercu);
        apresSuivante = vue.pagesDessinees();
        // Shown again: kept, not drawn again.
        peindre(*apercu);
        apresRepeinte = vue.pagesDessinees();
        QTest::keyClick(&vue, Qt::Key_End);
        peindre(*apercu);
        apresFin = vue.pagesDessinees();
        texteDerniere = apercu->textePage();
        suiteALaFin = commande(d, QStringLiteral("Page suivante"))->isEnabled();
        d.reject();
    };
    executer(cmd::ApercuImpression);
    const QString total = QLocale(QLocale::French).toString(attendues);
    EXPECT_EQ(texte, QStringLiteral("Page 1 sur %1").arg(total));
    EXPECT_EQ(premiereVue, std::vector<std::uint32_t>{1});
    EXPECT_EQ(apresSuivante, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(apresRepeinte, apresSuivante);
    EXPECT_EQ(apresFin, (std::vector<std::uint32_t>{1, 2, attendues}));
    EXPECT_EQ(texteDerniere, QStringLiteral("Page %1 sur %1").arg(total));
    EXPECT_FALSE(retourAuDebut);
    EXPECT_FALSE(suiteALaFin);
}

TEST_F(ImpressionFenetre, ImprimerDepuisLApercuPuisAnnulerNeLaisseAucunPdf)
{
    remplir(60000);
    app->suivi().delaiAffichage = 0;
    app->impressions().suiviDesTests = &retenue;
    versPdf(app->imprimante(), QStringLiteral("annule.pdf"));
    const auto fichiers = [this] { return QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden); };
    const QStringList avant = fichiers();
    bool impressionLancee = false, progressionVue = false, documentTenu = false, apercuRetenu = false;
    int apercusVus = 0;
    QString titre;
    CApercuImpressionDlg* apercu = nullptr;
    // What the interface sees while the pages print, from a timer of its own.
    QTimer regard;
    QObject::connect(&regard, &QTimer::timeout, [&] {
        CDialogueProgression* progression = app->impressions().dialogue();
        if (!progression || !progression->isVisible() || progression->estAnnule())
            return;
        progressionVue = !progression->isModal();
        titre = progression->windowTitle();
        // No command may change the document while its pages print, nor close it; the
        // preview stays too.
        documentTenu = CTravailLong::occupe(&doc()) && !actif(cmd::Imprimer) && !fenetre().close();
        apercu->reject();
        apercuRetenu = apercu->isVisible() && apercu->enImpression();
        progression->findChild<QPushButton*>()->click();   // "Annuler"
        retenue.libre = true;
    });
    repondeur->autreDialogue = [&](QDialog& d) {
        if (qobject_cast<QPrintDialog*>(&d)) {
            d.accept();
        } else if (auto* a = qobject_cast<CApercuImpressionDlg*>(&d)) {
            ++apercusVus;
            if (impressionLancee) {
                if (!a->enImpression())
                    d.reject();
                return;
            }
            impressionLancee = true;
            apercu = a;
            regard.start(0);
            // Out of the responder's turn, which must answer the dialogs to come.
            QTimer::singleShot(0, &d, [&d] { commande(d, QStringLiteral("Imprimer..."))->trigger(); });
        }
    };
    executer(cmd::ApercuImpression);
    regard.stop();
    EXPECT_TRUE(progressionVue);
    EXPECT_TRUE(documentTenu);
    EXPECT_TRUE(apercuRetenu);
    // Cancelled: the preview came back to the user, who closed it.
    EXPECT_GT(apercusVus, 1);
    EXPECT_FALSE(app->impressions().enCours());
    EXPECT_FALSE(CTravailLong::occupe(&doc()));
    EXPECT_TRUE(actif(cmd::Imprimer));
    EXPECT_EQ(titre, QStringLiteral("Impression"));
    // Neither the PDF nor its temporary, and no message for a cancel asked for.
    EXPECT_EQ(fichiers(), avant);
    EXPECT_TRUE(repondeur->boites.empty());
}

TEST_F(ImpressionFenetre, LesFenetresViventPendantLImpressionEtUneSeuleALaFois)
{
    remplir(3000);
    app->impressions().suiviDesTests = &retenue;
    const QString pdf = versPdf(app->imprimante(), QStringLiteral("long.pdf"));
    repondeur->autreDialogue = [](QDialog& d) {
        if (qobject_cast<QPrintDialog*>(&d))
            d.accept();
    };
    executer(cmd::Imprimer);
    // Back while the job runs: the interface thread is free for a timer.
    ASSERT_TRUE(app->impressions().enCours());
    bool tourne = false;
    QTimer::singleShot(0, [&] { tourne = app->impressions().enCours(); });
    laisserTourner();
    EXPECT_TRUE(tourne) << "la minuterie n'a tourné qu'après l'impression";
    EXPECT_TRUE(CTravailLong::occupe(&doc()));
    EXPECT_FALSE(actif(cmd::NouveauClasseur));
    EXPECT_FALSE(fenetre().close());
    EXPECT_FALSE(cadre().close());
    // Told why, naming the document.
    EXPECT_EQ(cadre().barreEtat().currentMessage(), CBarreEtat::texteImpression(fenetre().titre()));
    // A second print would share the printer: refused, said.
    repondeur->reponses = {QMessageBox::Ok};
    EXPECT_FALSE(imprimerAvecDialogue(doc(), app->imprimante(), app->impressions(), app->suivi(), &cadre()));
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_EQ(repondeur->boites[0].texte, QStringLiteral("Une impression est déjà en cours : attendez qu'elle se termine."));

    EXPECT_FALSE(QFile::exists(pdf));
    retenue.libre = true;
    for (int i = 0; i < 6000 && app->impressions().enCours(); ++i)
        laisserTourner(10);
    ASSERT_FALSE(app->impressions().enCours());
    EXPECT_FALSE(CTravailLong::occupe(&doc()));
    EXPECT_TRUE(actif(cmd::NouveauClasseur));
    EXPECT_NE(cadre().barreEtat().currentMessage(), CBarreEtat::texteImpression(fenetre().titre()));
    EXPECT_GT(pagesPdf(pdf), 1);
    EXPECT_EQ(repondeur->boites.size(), 1u);
}

TEST_F(ImpressionFenetre, UneMemoireQuiManqueEnImprimantLeDitSansRienLaisser)
{
    struct SMemoireEpuisee : CSuiviImpression {
        bool pagesImprimees(std::uint32_t, std::uint32_t) override { throw std::bad_alloc(); }
    } epuisee;
    remplir(100);
    app->impressions().suiviDesTests = &epuisee;
    versPdf(app->imprimante(), QStringLiteral("panne.pdf"));
    const auto fichiers = [this] { return QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden); };
    const QStringList avant = fichiers();
    repondeur->autreDialogue = [](QDialog& d) {
        if (qobject_cast<QPrintDialog*>(&d))
            d.accept();
    };
    repondeur->reponses = {QMessageBox::Ok};
    executer(cmd::Imprimer);
    for (int i = 0; i < 6000 && app->impressions().enCours(); ++i)
        laisserTourner(10);
    ASSERT_FALSE(app->impressions().enCours());
    ASSERT_EQ(repondeur->boites.size(), 1u);
    // The safe write says it in its own words.
    EXPECT_TRUE(repondeur->boites[0].texte.endsWith(QStringLiteral(" : la mémoire est insuffisante.")))
        << repondeur->boites[0].texte.toStdString();
    EXPECT_EQ(fichiers(), avant);
    EXPECT_FALSE(CTravailLong::occupe(&doc()));
}

TEST_F(ImpressionFenetre, ImprimerDepuisLApercuDonneSesPagesEtLeFerme)
{
    remplir(1);
    const int n = lignesParPage();
    remplir(2 * n);   // 2n + 1 files
    const QString pdf = versPdf(app->imprimante(), QStringLiteral("apercu.pdf"));
    QString texte;
    int apercus = 0;
    repondeur->autreDialogue = [&](QDialog& d) {
        if (qobject_cast<QPrintDialog*>(&d)) {
            d.accept();
        } else if (auto* apercu = qobject_cast<CApercuImpressionDlg*>(&d)) {
            // Seen again while it prints, or left open once printed.
            if (apercus++ > 0) {
                if (!apercu->enImpression()) {
                    ADD_FAILURE() << "l'aperçu est resté ouvert";
                    d.reject();
                }
                return;
            }
            texte = apercu->textePage();
            QTimer::singleShot(0, &d, [&d] { commande(d, QStringLiteral("Imprimer..."))->trigger(); });
        }
    };
    executer(cmd::ApercuImpression);
    EXPECT_EQ(texte, QStringLiteral("Page 1 sur 3"));
    EXPECT_EQ(pagesPdf(pdf), 3);
    EXPECT_TRUE(repondeur->boites.empty());
}

TEST_F(ImpressionFenetre, LApercuDUnCatalogueSansFichierLeDitSansSOuvrir)
{
    repondeur->reponses.push_back(QMessageBox::Ok);
    bool ouvert = false;
    repondeur->autreDialogue = [&](QDialog& d) {
        ouvert = true;
        d.reject();
    };
    executer(cmd::ApercuImpression);
    EXPECT_FALSE(ouvert);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_EQ(repondeur->boites[0].texte, QStringLiteral("Le catalogue ne contient aucun fichier à imprimer."));
}

} // namespace
