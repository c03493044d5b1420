// The query parameters dialog, opened by "Nouvelle requête..." and "Modifier la
// requête...": what it proposes, what it refuses, and that the query changes only on OK.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <deque>
#include <functional>
#include <sstream>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "dialogs/CParametresDlg.h"
#include "ui/IdCommandes.h"

namespace {

using Etape = std::function<void(CParametresDlg&)>;

template <class T>
T* controle(CParametresDlg& d, int id)
{
    return d.findChild<T*>(QStringLiteral("c%1").arg(id));
}

bool estCoche(CParametresDlg& d, int id)
{
    return controle<QAbstractButton>(d, id)->isChecked();
}

// A button whose click opens another modal window is clicked from the dialog's own
// event loop, so that the responder can answer that window.
void cliquerEnsuite(CParametresDlg& d, int id)
{
    QTimer::singleShot(0, controle<QAbstractButton>(d, id), &QAbstractButton::click);
}

// Every parameter of a query, in one comparable text.
std::string parametres(const CRequete& q)
{
    std::ostringstream s;
    s << q.chemin() << '|' << q.filtre << '|' << q.modeFiltre << '|' << q.inclureSousDossiers
      << q.inclureDossiersVides << q.inclureCaches << '|' << q.stockerCree << q.stockerModifie
      << q.stockerAccede << q.stockerTaille << q.stockerAttributs;
    return s.str();
}

class Parametres : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        general = doc().classeurs().elementA(0);
        selectionner(general);
    }

    // Runs `commande`; each time its parameters dialog is in front, the next step acts
    // on it. A step must close the dialog or leave it for the next one.
    void executerAvec(int commande, std::deque<Etape> etapes)
    {
        int vus = 0;
        repondeur->autreDialogue = [&](QDialog& d) {
            auto* p = qobject_cast<CParametresDlg*>(&d);
            if (!p)
                return;
            ++vus;
            if (etapes.empty()) {
                ADD_FAILURE() << "le dialogue est resté ouvert";
                p->reject();
                return;
            }
            const Etape etape = etapes.front();
            etapes.pop_front();
            etape(*p);
        };
        executer(commande);
        repondeur->autreDialogue = nullptr;
        EXPECT_GT(vus, 0) << "le dialogue des paramètres n'est pas apparu";
        EXPECT_TRUE(etapes.empty()) << "le dialogue s'est fermé trop tôt";
    }

    // An existing query over /media/cd, selected, with none of the new-query values.
    CRequete* requeteModifiee()
    {
        CRequete* q = ajouterClasseur("Disques", {"cd"})->requetes().elementA(0);
        q->inclureSousDossiers = false;
        q->inclureDossiersVides = true;
        q->inclureCaches = false;
        q->modeFiltre = kFiltreExclure;
        q->filtre = "*.tmp;*.bak";
        q->stockerAccede = false;
        q->stockerAttributs = false;
        selectionner(static_cast<CDossier*>(q));
        return q;
    }

    CClasseur* general = nullptr;
};

TEST_F(Parametres, UneNouvelleRequeteProposeLesValeursParDefautSousSonTitre)
{
    executerAvec(cmd::NouvelleRequete, {[](CParametresDlg& d) {
                     EXPECT_EQ(d.windowTitle(), QStringLiteral("Créer de nouvelles requêtes"));
                     EXPECT_TRUE(d.champDossier()->text().isEmpty());
                     EXPECT_TRUE(d.champFiltre()->text().isEmpty());
                     EXPECT_TRUE(estCoche(d, 1012));
                     EXPECT_FALSE(estCoche(d, 1024));
                     EXPECT_TRUE(estCoche(d, 1023));
                     EXPECT_TRUE(estCoche(d, 1014));
                     for (int id : {1019, 1018, 1020, 1021, 1022})
                         EXPECT_TRUE(estCoche(d, id)) << id;
                     EXPECT_TRUE(controle<QPushButton>(d, 1)->isDefault());
                     QPushButton* avance = controle<QPushButton>(d, 1070);
                     ASSERT_NE(avance, nullptr);
                     EXPECT_EQ(avance->text(), QStringLiteral("Ava&ncé..."));
                     EXPECT_TRUE(avance->isEnabled());
                     QTest::keyClick(&d, Qt::Key_Escape);
                 }});
    EXPECT_TRUE(general->requetes().estVide());
    EXPECT_FALSE(doc().estModifie());
}

TEST_F(Parametres, UneRequeteExistanteMontreSesValeursEtNeChangePasSansOK)
{
    CRequete* q = requeteModifiee();
    const std::string avant = parametres(*q);
    executerAvec(cmd::ModifierRequete, {[](CParametresDlg& d) {
                     EXPECT_EQ(d.windowTitle(), QStringLiteral("Paramètres de la requête"));
                     EXPECT_EQ(d.champDossier()->text(), QStringLiteral("/media/cd"));
                     EXPECT_EQ(d.champFiltre()->text(), QStringLiteral("*.tmp;*.bak"));
                     EXPECT_FALSE(estCoche(d, 1012));
                     EXPECT_TRUE(estCoche(d, 1024));
                     EXPECT_FALSE(estCoche(d, 1023));
                     EXPECT_TRUE(estCoche(d, 1016));
                     EXPECT_FALSE(estCoche(d, 1014));
                     EXPECT_TRUE(estCoche(d, 1019));
                     EXPECT_FALSE(estCoche(d, 1020));
                     EXPECT_FALSE(estCoche(d, 1022));
                     // Everything changed, then the close box.
                     d.champDossier()->setText(QStringLiteral("/ailleurs"));
                     d.champFiltre()->setText(QStringLiteral("*.jpg"));
                     for (int id : {1012, 1024, 1023, 1015, 1019, 1018, 1020, 1021, 1022})
                         controle<QAbstractButton>(d, id)->click();
                     d.close();
                 }});
    EXPECT_EQ(parametres(*q), avant);
    EXPECT_FALSE(doc().estModifie());
}

TEST_F(Parametres, OKEcritChaqueValeurDansLaRequeteEtLaCaptureDeNouveau)
{
    creerFichier(QStringLiteral("disque/a.tmp"));
    creerFichier(QStringLiteral("disque/b.txt"));
    CRequete* q = requeteModifiee();
    const QString disque = chemin(QStringLiteral("disque"));
    executerAvec(cmd::ModifierRequete, {[&](CParametresDlg& d) {
                     d.champDossier()->setText(disque);
                     d.champFiltre()->setText(QStringLiteral("*.txt"));
                     for (int id : {1012, 1024, 1023, 1015, 1019, 1018, 1020, 1021, 1022})
                         controle<QAbstractButton>(d, id)->click();
                     controle<QPushButton>(d, 1)->click();
                 }});
    EXPECT_EQ(QString::fromStdString(q->chemin()), disque);
    EXPECT_EQ(q->filtre, "*.txt");
    EXPECT_EQ(q->modeFiltre, kFiltreInclure);
    EXPECT_TRUE(q->inclureSousDossiers);
    EXPECT_FALSE(q->inclureDossiersVides);
    EXPECT_TRUE(q->inclureCaches);
    EXPECT_FALSE(q->stockerCree);
    EXPECT_FALSE(q->stockerModifie);
    EXPECT_TRUE(q->stockerAccede);
    EXPECT_FALSE(q->stockerTaille);
    EXPECT_TRUE(q->stockerAttributs);
    // Captured again with its new filter: only the .txt file.
    ASSERT_EQ(q->fichiers().nombre(), 1);
    EXPECT_EQ(q->fichiers().elementA(0)->nom(), "b.txt");
}

TEST_F(Parametres, UnDossierVideEstRefuseEtLeDialogueResteOuvertSurLeChamp)
{
    creerFichier(QStringLiteral("disque/a.txt"));
    const QString disque = chemin(QStringLiteral("disque"));
    repondeur->reponses.push_back(QMessageBox::Ok);
    executerAvec(cmd::NouvelleRequete,
                 {[](CParametresDlg& d) {
                      d.champFiltre()->setFocus();
                      cliquerEnsuite(d, 1);
                  },
                  [&](CParametresDlg& d) {
                      ASSERT_EQ(repondeur->boites.size(), 1u);
                      EXPECT_EQ(repondeur->boites[0].texte, QStringLiteral("Entrez un texte"));
                      EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Warning);
                      EXPECT_TRUE(d.isVisible());
                      EXPECT_EQ(d.focusWidget(), d.champDossier());
                      d.champDossier()->setText(disque);
                      controle<QPushButton>(d, 1)->click();
                  }});
    // Accepted the second time: named after its folder, captured, in the binder.
    ASSERT_EQ(general->requetes().nombre(), 1);
    CRequete* q = general->requetes().elementA(0);
    EXPECT_EQ(QString::fromStdString(q->nom()), disque);
    EXPECT_EQ(q->fichiers().nombre(), 1);
    EXPECT_TRUE(doc().estModifie());
}

TEST_F(Parametres, LeNavigateurRemplitLeDossierEtSonAnnulationLeLaisse)
{
    const QString disque = chemin(QStringLiteral("disque"));
    creerFichier(QStringLiteral("disque/a.txt"));
    repondeur->chemins = {disque, QString()};
    executerAvec(cmd::NouvelleRequete, {[](CParametresDlg& d) { cliquerEnsuite(d, 1011); },
                                        [&](CParametresDlg& d) {
                                            EXPECT_EQ(d.champDossier()->text(), disque);
                                            cliquerEnsuite(d, 1011);
                                        },
                                        [&](CParametresDlg& d) {
                                            EXPECT_EQ(d.champDossier()->text(), disque);
                                            controle<QPushButton>(d, 2)->click();
                                        }});
    EXPECT_TRUE(repondeur->chemins.empty());
    EXPECT_TRUE(general->requetes().estVide());
}

TEST_F(Parametres, LaSaisieSArreteA260CaracteresMaisUnLongCheminResteEntier)
{
    executerAvec(cmd::NouvelleRequete, {[](CParametresDlg& d) {
                     for (QLineEdit* champ : {d.champDossier(), d.champFiltre()}) {
                         QTest::keyClicks(champ, QString(300, u'a'));
                         EXPECT_EQ(champ->text().size(), 260);
                     }
                     d.reject();
                 }});

    // A folder deeper than the typing limit, kept whole through the dialog.
    CRequete* q = requeteModifiee();
    std::string profond = "/media/cd";
    while (profond.size() < 300)
        profond += "/sous-dossier";
    q->definirChemin(profond);
    // The folder is not there: the update after OK says so.
    repondeur->reponses.push_back(QMessageBox::Ok);
    executerAvec(cmd::ModifierRequete, {[&](CParametresDlg& d) {
                     EXPECT_EQ(d.champDossier()->text().toStdString(), profond);
                     controle<QPushButton>(d, 1)->click();
                 }});
    EXPECT_EQ(q->chemin(), profond);
}

TEST_F(Parametres, DesOctetsHorsUTF8ReviennentIntactsSiLeChampNAPasChange)
{
    CRequete* q = requeteModifiee();
    const std::string dossier = "/media/cd/caf\xe9";     // Latin-1 name on an old disk
    const std::string filtre = "*.\xff;*.txt";
    q->definirChemin(dossier);
    q->filtre = filtre;
    // The folder is not there: each update after OK says so.
    repondeur->reponses = {QMessageBox::Ok, QMessageBox::Ok};
    executerAvec(cmd::ModifierRequete, {[](CParametresDlg& d) { controle<QPushButton>(d, 1)->click(); }});
    EXPECT_EQ(q->chemin(), dossier);
    EXPECT_EQ(q->filtre, filtre);

    // Typed over, the field gives what it shows.
    executerAvec(cmd::ModifierRequete, {[](CParametresDlg& d) {
                     d.champFiltre()->setText(QStringLiteral("*.doc"));
                     controle<QPushButton>(d, 1)->click();
                 }});
    EXPECT_EQ(q->chemin(), dossier);
    EXPECT_EQ(q->filtre, "*.doc");
}

TEST_F(Parametres, LaTabulationSuitLOrdreDeLaFenetre)
{
    executerAvec(cmd::NouvelleRequete, {[](CParametresDlg& d) {
                     QStringList ordre;
                     QWidget* w = d.champDossier();
                     do {
                         if (w->objectName().startsWith(u'c') && (w->focusPolicy() & Qt::TabFocus))
                             ordre.append(w->objectName());
                         w = w->nextInFocusChain();
                     } while (w != d.champDossier());
                     EXPECT_EQ(ordre.join(u' ').toStdString(),
                               "c1010 c1011 c1012 c1024 c1023 c1014 c1015 c1016 c1017 "
                               "c1019 c1018 c1020 c1021 c1022 c1070 c2 c1");
                     // The labels' letters lead to their fields.
                     QStringList compagnons;
                     for (QLabel* l : d.findChildren<QLabel*>())
                         if (l->buddy())
                             compagnons.append(l->text() + u'>' + l->buddy()->objectName());
                     compagnons.sort();
                     EXPECT_EQ(compagnons, (QStringList{QStringLiteral("&Dossier:>c1010"),
                                                        QStringLiteral("&Filtre:>c1017")}));
                     d.reject();
                 }});
}

} // namespace
