// Printing from the windows: the catalogue's pages on a printer (here Qt's PDF
// output), the chosen page range, print preview with the "PreviewPages" setting, and
// the message for a catalogue without files.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "ui/IdCommandes.h"
#include "shell/ImpressionDocument.h"

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

class ImpressionFenetre : public AvecNorvanel {
protected:
    void remplir(int fichiers)
    {
        CClasseur* c = doc().classeurs().elementA(0);
        auto* q = new CRequete(c);
        q->definirNom("/media/cd");
        q->definirChemin("/media/cd");
        c->requetes().ajouter(q);
        for (int i = 0; i < fichiers; ++i)
            q->fichiers().ajouter(new CFichier(q, "/media/cd/fichier" + std::to_string(i) + ".txt"));
    }
    QString versPdf(QPrinter& p, const QString& nom)
    {
        const QString c = chemin(nom);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(c);
        return c;
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
    int pages = 0;
    QPrintPreviewWidget::ViewMode mode = QPrintPreviewWidget::AllPagesView;
    repondeur->autreDialogue = [&](QDialog& d) {
        if (auto* apercu = qobject_cast<QPrintPreviewDialog*>(&d)) {
            if (auto* vue = apercu->findChild<QPrintPreviewWidget*>()) {
                pages = vue->pageCount();
                mode = vue->viewMode();
            }
            d.reject();
        }
    };
    executer(cmd::ApercuImpression);
    EXPECT_GT(pages, 2);
    EXPECT_EQ(mode, QPrintPreviewWidget::FacingPagesView);
}

} // namespace
