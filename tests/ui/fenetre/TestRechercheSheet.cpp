// The search sheet in its two forms: "Rechercher" (F3) on the application's
// criteria, and "Propriétés avancées" behind the "Ava&ncé..." button of the query
// parameters dialog. What can break: the pages each form shows, what OK writes and
// Annuler does not, the enabling rules, the refusals that keep the sheet open, the
// scope and target with and without a selection, and what an accepted search leaves
// (marks, lists, the status bar's count, the busy cursor of a long search).

#include "tests/ui/fenetre/AvecNorvanel.h"
#include "tests/ui/fenetre/SondeTravailLong.h"

#include <array>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <sstream>
#include <thread>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include "dialogs/CParametresDlg.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/ui/CPageRecherche.h"
#include "search/ui/CPageTaille.h"
#include "search/ui/CRechercheSheet.h"
#include "shell/CArboView.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "tests/commun/ConstructeurCatalogue.h"
#include "ui/CResultatsDlg.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "workspace/CContexte.h"
#include "workspace/MisesAJour.h"
#include "workspace/TravailRecherche.h"

namespace {

using Etape = std::function<void(QDialog&)>;
using EtapeFeuille = std::function<void(CRechercheSheet&)>;

// Binder "Disques": query CD (two .doc twins by name, a hidden folder) and query
// Sauvegarde; binder "Archives": one query. The new document's "Général" stays first.
constexpr const char* kCatalogue = R"(
classeur Disques
  requete CD /media/cd
    fichier a.doc taille=5 lettres=RA modifie=10/03/2003
    fichier b.txt taille=2048
    dossier photos
      fichier a.doc taille=7 modifie=10/03/2003
      fichier c.jpg taille=1024
    dossier .cache cache
      fichier d.doc
  requete Sauvegarde /media/sauve
    fichier e.doc
classeur Archives
  requete Vieux /media/vieux
    fichier f.doc
)";

// Every field of a record, in one comparable text.
std::string image(const CCriteres& c)
{
    std::ostringstream s;
    const auto plage = [&s](const CPlageDates& p) {
        s << p.actif << ' ' << p.du.jour << '/' << p.du.mois << '/' << p.du.annee << '-' << p.au.jour << '/'
          << p.au.mois << '/' << p.au.annee << '|';
    };
    s << c.motif << '|' << c.portee << '|' << c.cible << '|';
    plage(c.cree);
    plage(c.modifie);
    plage(c.accede);
    s << c.testTaille << c.comparaisonTaille << ' ' << c.valeurTaille << ' ' << c.uniteTaille << ' '
      << c.diviseurTaille << '|' << c.attributs[0] << c.attributs[1] << c.attributs[2] << c.attributs[3] << '|'
      << c.doublons << c.memeNom << c.memeCreation << c.memeModification << c.memeAcces << c.memeTaille << '|'
      << c.rechercherSousDossiers << c.rechercherDossiersCaches;
    return s.str();
}

CPageRecherche* pageNumero(CRechercheSheet& s, int id)
{
    for (CPageRecherche* p : s.pages())
        if (p->objectName() == QStringLiteral("page%1").arg(id))
            return p;
    return nullptr;
}

// The page brings itself in front, as a click on its tab does.
CPageRecherche& allerA(CRechercheSheet& s, int id)
{
    CPageRecherche* p = pageNumero(s, id);
    if (!p)
        throw std::runtime_error("page absente : " + std::to_string(id));
    s.onglets().setCurrentWidget(p);
    return *p;
}

template <class T = QWidget>
T& champ(CPageRecherche& p, int id)
{
    T* t = p.controle<T>(id);
    if (!t)
        throw std::runtime_error("contrôle absent : " + std::to_string(id));
    return *t;
}

void saisir(CPageRecherche& p, int id, const char* texte)
{
    champ<QLineEdit>(p, id).setText(QString::fromUtf8(texte));
}

QStringList onglets(CRechercheSheet& s)
{
    QStringList l;
    for (int i = 0; i < s.onglets().count(); ++i)
        l.append(s.onglets().tabText(i));
    return l;
}

// A click that may open a message box, made from the dialog's own loop so that the
// responder can answer it.
void cliquerEnsuite(QAbstractButton* b)
{
    QTimer::singleShot(0, b, &QAbstractButton::click);
}

// One change a user makes on a page, and what OK must then have written.
struct SEdition {
    const char* nom;
    int page;
    std::function<void(CPageRecherche&)> faire;
    std::function<void(const CCriteres&)> verifier;
};

// Every field of the four pages both forms show, away from the defaults.
const std::vector<SEdition>& editionsCommunes()
{
    static const std::vector<SEdition> e = {
        {"plage de modification", 105,
         [](CPageRecherche& p) {
             champ<QCheckBox>(p, 1038).click();
             for (auto [id, t] : {std::pair{1039, "01"}, {1040, "01"}, {1041, "2003"}, {1042, "31"}, {1043, "12"},
                                  {1044, "2003"}})
                 saisir(p, id, t);
         },
         [](const CCriteres& c) {
             EXPECT_TRUE(c.modifie.actif);
             EXPECT_EQ(c.modifie.du, (CDate{1, 1, 2003}));
             EXPECT_EQ(c.modifie.au, (CDate{31, 12, 2003}));
             EXPECT_FALSE(c.cree.actif);
             EXPECT_FALSE(c.accede.actif);
         }},
        {"taille au moins 2 Ko", 107,
         [](CPageRecherche& p) {
             champ<QRadioButton>(p, 1055).click();
             champ<QComboBox>(p, 1051).setCurrentIndex(1);
             saisir(p, 1052, "2");
             champ<QComboBox>(p, 1053).setCurrentIndex(1);
         },
         [](const CCriteres& c) {
             EXPECT_EQ(c.testTaille, 1);
             EXPECT_EQ(c.comparaisonTaille, kTailleAuMoins);
             EXPECT_EQ(c.valeurTaille, 2u);
             EXPECT_EQ(c.uniteTaille, 1);
             EXPECT_EQ(c.diviseurTaille, 1024u);
         }},
        {"attributs à trois états", 106,
         [](CPageRecherche& p) {
             champ<QCheckBox>(p, 1055).setCheckState(Qt::Checked);
             champ<QCheckBox>(p, 1056).setCheckState(Qt::Unchecked);
             champ<QCheckBox>(p, 1045).setCheckState(Qt::Checked);
         },
         [](const CCriteres& c) {
             EXPECT_EQ(c.attributs[0], kAttributPresent);
             EXPECT_EQ(c.attributs[1], kAttributAbsent);
             EXPECT_EQ(c.attributs[2], kAttributIndifferent);
             EXPECT_EQ(c.attributs[3], kAttributPresent);
         }},
        {"doublons par nom et taille", 109,
         [](CPageRecherche& p) {
             champ<QRadioButton>(p, 1055).click();
             champ<QCheckBox>(p, 1061).click();
             champ<QCheckBox>(p, 1065).click();
         },
         [](const CCriteres& c) {
             EXPECT_EQ(c.doublons, 1);
             EXPECT_EQ(c.memeNom, 1);
             EXPECT_EQ(c.memeCreation, 0);
             EXPECT_EQ(c.memeModification, 0);
             EXPECT_EQ(c.memeAcces, 0);
             EXPECT_EQ(c.memeTaille, 1);
         }},
    };
    return e;
}

class FeuilleRecherche : public AvecCatalogue {
protected:
    FeuilleRecherche() : AvecCatalogue(kCatalogue) {}

    void aucuneSelection()
    {
        arbre().selectionModel()->clearCurrentIndex();
        arbre().selectionModel()->clearSelection();
        laisserTourner();
        ASSERT_EQ(arbre().noeudSelectionne(), nullptr);
    }

    static Etape feuille(EtapeFeuille etape) { return etapeSur<CRechercheSheet>(std::move(etape)); }

    // F3 with these steps on the sheet.
    void rechercher(std::deque<EtapeFeuille> etapes)
    {
        std::deque<Etape> e;
        for (EtapeFeuille& f : etapes)
            e.push_back(feuille(std::move(f)));
        executerAvec(cmd::Rechercher, std::move(e));
    }

    // "M&odifier la requête..." on `q`, "Ava&ncé...", `etape` on the advanced sheet,
    // then OK or Annuler on the parameters dialog.
    void editerAvance(CRequete& q, EtapeFeuille etape, bool okParametres)
    {
        selectionner(static_cast<CDossier*>(&q));
        const auto bouton = [](QDialog& d, int id) { return d.findChild<QPushButton*>(QStringLiteral("c%1").arg(id)); };
        executerAvec(cmd::ModifierRequete,
                     {[&](QDialog& d) {
                          ASSERT_NE(qobject_cast<CParametresDlg*>(&d), nullptr);
                          ASSERT_TRUE(bouton(d, 1070)->isEnabled());
                          cliquerEnsuite(bouton(d, 1070));
                      },
                      feuille(etape),
                      [&](QDialog& d) {
                          ASSERT_NE(qobject_cast<CParametresDlg*>(&d), nullptr);
                          bouton(d, okParametres ? 1 : 2)->click();
                      }});
    }

    // A query over a real folder of the test, so that OK of its parameters dialog
    // captures it again quietly.
    CRequete& requeteSurDisque()
    {
        creerFichier(QStringLiteral("disque/a.txt"));
        CRequete& q = catalogue.requete("Sauvegarde");
        q.definirChemin(chemin(QStringLiteral("disque")).toStdString());
        return q;
    }

    QString messageEtat() { return cadre().barreEtat().texteMessage(); }

};

TEST_F(FeuilleRecherche, ChaqueFormeMontreSesPagesSousSonTitreAvecOKEtAnnulerADroite)
{
    struct {
        const char* forme;
        QString titre;
        QStringList pages;
    } const formes[] = {
        {"recherche", QStringLiteral("Rechercher"),
         {QStringLiteral("Domaine"), QStringLiteral("Date"), QStringLiteral("Taille"), QStringLiteral("Attributs"),
          QStringLiteral("Doublons"), QStringLiteral("Options")}},
        {"avancée", QStringLiteral("Propriétés avancées"),
         {QStringLiteral("Date"), QStringLiteral("Taille"), QStringLiteral("Attributs"), QStringLiteral("Doublons")}},
    };
    for (const auto& f : formes) {
        SCOPED_TRACE(f.forme);
        int vues = 0;
        const EtapeFeuille regarder = [&](CRechercheSheet& s) {
            ++vues;
            EXPECT_EQ(s.windowTitle(), f.titre);
            EXPECT_EQ(onglets(s), f.pages);
            EXPECT_EQ(s.onglets().currentIndex(), 0);
            // OK and Annuler only (no Apply), side by side at the right, OK the default.
            auto* boite = s.findChild<QDialogButtonBox*>();
            ASSERT_NE(boite, nullptr);
            EXPECT_EQ(boite->buttons().size(), 2);
            EXPECT_EQ(s.boutonOK()->text(), QStringLiteral("OK"));
            EXPECT_EQ(s.boutonAnnuler()->text(), QStringLiteral("Annuler"));
            EXPECT_TRUE(s.boutonOK()->isDefault());
            const QRect ok = s.boutonOK()->geometry();
            const QRect annuler = s.boutonAnnuler()->geometry();
            EXPECT_GT(std::max(ok.right(), annuler.right()), boite->width() - ok.width() / 2);
            EXPECT_LT(std::min(std::abs(annuler.left() - ok.right()), std::abs(ok.left() - annuler.right())),
                      ok.width() / 2);
            EXPECT_EQ(ok.top(), annuler.top());
            s.reject();
        };
        if (f.pages.size() == 6)
            rechercher({regarder});
        else
            editerAvance(catalogue.requete("CD"), regarder, false);
        EXPECT_EQ(vues, 1);
    }
}

TEST_F(FeuilleRecherche, OKEcritChaquePageEtLaFeuilleRevientAvecLesDerniersCriteres)
{
    CRequete& cd = catalogue.requete("CD");
    selectionner(static_cast<CDossier*>(&cd));
    rechercher({[](CRechercheSheet& s) {
        CPageRecherche& domaine = allerA(s, 103);
        saisir(domaine, 1017, "*.doc");
        champ<QRadioButton>(domaine, 1029).click();
        for (const SEdition& e : editionsCommunes()) {
            SCOPED_TRACE(e.nom);
            e.faire(allerA(s, e.page));
        }
        CPageRecherche& options = allerA(s, 108);
        champ<QCheckBox>(options, 1013).click();
        s.boutonOK()->click();
    }});
    const CCriteres& c = contexte().criteresRecherche;
    EXPECT_EQ(c.motif, "*.doc");
    EXPECT_EQ(c.portee, kPorteeObjetSelectionne);
    EXPECT_EQ(c.cible, static_cast<CElement*>(static_cast<CDossier*>(&cd)));
    for (const SEdition& e : editionsCommunes()) {
        SCOPED_TRACE(e.nom);
        e.verifier(c);
    }
    EXPECT_EQ(c.rechercherSousDossiers, 1);
    EXPECT_EQ(c.rechercherDossiersCaches, 0);

    // The same criteria come back, on the same selection.
    rechercher({[](CRechercheSheet& s) {
        CPageRecherche& domaine = allerA(s, 103);
        EXPECT_EQ(champ<QLineEdit>(domaine, 1017).text(), QStringLiteral("*.doc"));
        EXPECT_TRUE(champ<QRadioButton>(domaine, 1029).isChecked());
        CPageRecherche& date = allerA(s, 105);
        EXPECT_TRUE(champ<QCheckBox>(date, 1038).isChecked());
        EXPECT_FALSE(champ<QCheckBox>(date, 1031).isChecked());
        EXPECT_EQ(champ<QLineEdit>(date, 1042).text(), QStringLiteral("31"));
        EXPECT_EQ(champ<QLineEdit>(date, 1044).text(), QStringLiteral("2003"));
        CPageRecherche& taille = allerA(s, 107);
        EXPECT_TRUE(champ<QRadioButton>(taille, 1055).isChecked());
        EXPECT_EQ(champ<QComboBox>(taille, 1051).currentIndex(), 1);
        EXPECT_EQ(champ<QLineEdit>(taille, 1052).text(), QStringLiteral("2"));
        EXPECT_EQ(champ<QComboBox>(taille, 1053).currentText(), QStringLiteral("Ko"));
        CPageRecherche& attributs = allerA(s, 106);
        EXPECT_EQ(champ<QCheckBox>(attributs, 1055).checkState(), Qt::Checked);
        EXPECT_EQ(champ<QCheckBox>(attributs, 1056).checkState(), Qt::Unchecked);
        EXPECT_EQ(champ<QCheckBox>(attributs, 1057).checkState(), Qt::PartiallyChecked);
        CPageRecherche& doublons = allerA(s, 109);
        EXPECT_TRUE(champ<QRadioButton>(doublons, 1055).isChecked());
        EXPECT_TRUE(champ<QCheckBox>(doublons, 1065).isChecked());
        CPageRecherche& options = allerA(s, 108);
        EXPECT_TRUE(champ<QCheckBox>(options, 1012).isChecked());
        EXPECT_FALSE(champ<QCheckBox>(options, 1013).isChecked());
        s.reject();
    }});
}

TEST_F(FeuilleRecherche, AnnulerNEcritRienEtNeRechercheRien)
{
    selectionner(static_cast<CDossier*>(&catalogue.requete("CD")));
    const std::string avant = image(contexte().criteresRecherche);
    for (const bool parEchap : {false, true}) {
        SCOPED_TRACE(parEchap ? "Échap" : "Annuler");
        rechercher({[parEchap](CRechercheSheet& s) {
            CPageRecherche& domaine = allerA(s, 103);
            saisir(domaine, 1017, "*.zzz");
            champ<QRadioButton>(domaine, 1029).click();
            for (const SEdition& e : editionsCommunes())
                e.faire(allerA(s, e.page));
            champ<QCheckBox>(allerA(s, 108), 1012).click();
            if (parEchap)
                s.reject();
            else
                s.boutonAnnuler()->click();
        }});
        EXPECT_EQ(image(contexte().criteresRecherche), avant);
        EXPECT_EQ(catalogue.fichier("CD/a.doc").marque, 1);
        EXPECT_EQ(catalogue.fichier("CD/b.txt").marque, 1);
        EXPECT_EQ(messageEtat(), QStringLiteral("Prêt"));
        EXPECT_FALSE(app->resultatsRecherche().isVisible());
    }
}

TEST_F(FeuilleRecherche, LaFormeAvanceeNEcritQueSiLesDeuxDialoguesSontAcceptes)
{
    CRequete& q = requeteSurDisque();
    // What the advanced form may not change: scope 3, the pattern and the options.
    q.criteres.motif = "*.conserve";
    q.criteres.rechercherSousDossiers = 1;
    q.criteres.rechercherDossiersCaches = 0;
    const std::string recherche = image(contexte().criteresRecherche);
    struct {
        bool okFeuille, okParametres;
    } const cas[] = {{true, true}, {false, true}, {true, false}, {false, false}};
    for (const auto& k : cas) {
        SCOPED_TRACE(std::string("feuille ") + (k.okFeuille ? "OK" : "Annuler") + ", paramètres " +
                     (k.okParametres ? "OK" : "Annuler"));
        const CCriteres avant = q.criteres;
        editerAvance(
            q,
            [&](CRechercheSheet& s) {
                EXPECT_EQ(pageNumero(s, 103), nullptr);
                EXPECT_EQ(pageNumero(s, 108), nullptr);
                for (const SEdition& e : editionsCommunes())
                    e.faire(allerA(s, e.page));
                (k.okFeuille ? s.boutonOK() : s.boutonAnnuler())->click();
            },
            k.okParametres);
        if (k.okFeuille && k.okParametres) {
            for (const SEdition& e : editionsCommunes()) {
                SCOPED_TRACE(e.nom);
                e.verifier(q.criteres);
            }
            EXPECT_EQ(q.criteres.portee, kPorteeFiltreCapture);
            EXPECT_EQ(q.criteres.cible, nullptr);
            EXPECT_EQ(q.criteres.motif, "*.conserve");
            EXPECT_EQ(q.criteres.rechercherSousDossiers, 1);
            EXPECT_EQ(q.criteres.rechercherDossiersCaches, 0);
            q.criteres = avant;
        } else {
            EXPECT_EQ(image(q.criteres), image(avant));
        }
        // The application's search criteria are another record.
        EXPECT_EQ(image(contexte().criteresRecherche), recherche);
    }
}

TEST_F(FeuilleRecherche, LesCasesEtLesBoutonsRadioActiventLeursControles)
{
    struct SRegle {
        const char* nom;
        int page;
        int allume, eteint;   // the governing box (twice), or the two radios
        std::vector<int> dependants;
    };
    const SRegle regles[] = {
        {"création", 105, 1031, 1031, {1032, 1033, 1034, 1035, 1036, 1037}},
        {"modification", 105, 1038, 1038, {1039, 1040, 1041, 1042, 1043, 1044}},
        {"accès", 105, 1045, 1045, {1046, 1047, 1048, 1049, 1050, 1051}},
        {"taille", 107, 1055, 1054, {1051, 1052, 1053}},
        {"doublons", 109, 1055, 1054, {1061, 1062, 1063, 1064, 1065}},
    };
    const auto verifier = [](CPageRecherche& p, const SRegle& r, bool attendu, const char* quand) {
        for (int id : r.dependants)
            EXPECT_EQ(champ(p, id).isEnabled(), attendu) << r.nom << ' ' << quand << ' ' << id;
    };
    // Shown off, then clicked on and off again; then shown on.
    rechercher({[&](CRechercheSheet& s) {
        for (const SRegle& r : regles) {
            CPageRecherche& p = allerA(s, r.page);
            verifier(p, r, false, "à l'ouverture");
            champ<QAbstractButton>(p, r.allume).click();
            verifier(p, r, true, "après un clic");
            champ<QAbstractButton>(p, r.eteint).click();
            verifier(p, r, false, "après un second clic");
        }
        s.reject();
    }});
    CCriteres& c = contexte().criteresRecherche;
    c.cree.actif = c.modifie.actif = c.accede.actif = true;
    c.testTaille = 1;
    c.doublons = 1;
    rechercher({[&](CRechercheSheet& s) {
        for (const SRegle& r : regles)
            verifier(allerA(s, r.page), r, true, "ouvert allumé");
        s.reject();
    }});
}

TEST_F(FeuilleRecherche, UneValeurRefuseeGardeLaFeuilleOuverteSurSonChamp)
{
    const QString dateInvalide = QStringLiteral("Date invalide");
    const QString valeurInvalide = QString::fromUtf8(CPageTaille::kMessageValeur);
    struct SRefus {
        const char* nom;
        int page;
        std::function<void(CPageRecherche&)> preparer;
        QString message;
        int champFautif;
        std::function<void(CPageRecherche&)> corriger;
    };
    const auto date = [](int base, std::array<const char*, 6> textes) {
        return [base, textes](CPageRecherche& p) {
            champ<QCheckBox>(p, base).setChecked(true);
            for (int i = 0; i < 6; ++i)
                saisir(p, base + 1 + i, textes[i]);
        };
    };
    const std::array<const char*, 6> annee2003 = {"01", "01", "2003", "31", "12", "2003"};
    const std::vector<SRefus> refus = {
        {"jour du 31 février", 105, date(1031, {"31", "02", "2003", "10", "03", "2003"}), dateInvalide, 1032,
         date(1031, annee2003)},
        {"mois 13", 105, date(1031, {"10", "13", "2003", "10", "03", "2003"}), dateInvalide, 1033,
         date(1031, annee2003)},
        {"année 1969", 105, date(1031, {"10", "03", "1969", "10", "03", "2003"}), dateInvalide, 1034,
         date(1031, annee2003)},
        {"fin sans mois", 105, date(1038, {"10", "03", "2003", "10", "", "2003"}), dateInvalide, 1043,
         date(1038, annee2003)},
        {"début d'accès vide", 105, date(1045, {"", "", "", "10", "03", "2003"}), dateInvalide, 1046,
         date(1045, annee2003)},
        {"taille sans valeur", 107,
         [](CPageRecherche& p) {
             champ<QRadioButton>(p, 1055).click();
             saisir(p, 1052, "");
         },
         valeurInvalide, 1052, [](CPageRecherche& p) { saisir(p, 1052, "99999"); }},
    };
    for (const SRefus& r : refus) {
        for (const bool parOnglet : {false, true}) {
            SCOPED_TRACE(std::string(r.nom) + (parOnglet ? ", en changeant d'onglet" : ", par OK"));
            const std::string avant = image(contexte().criteresRecherche);
            repondeur->boites.clear();
            repondeur->reponses.push_back(QMessageBox::Ok);
            rechercher({[&](CRechercheSheet& s) {
                            CPageRecherche& p = allerA(s, r.page);
                            r.preparer(p);
                            if (parOnglet)
                                QTimer::singleShot(0, &s, [&s] { s.onglets().setCurrentIndex(0); });
                            else
                                cliquerEnsuite(s.boutonOK());
                        },
                        [&](CRechercheSheet& s) {
                            ASSERT_EQ(repondeur->boites.size(), 1u);
                            EXPECT_EQ(repondeur->boites[0].texte, r.message);
                            EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Warning);
                            EXPECT_TRUE(s.isVisible());
                            CPageRecherche* p = pageNumero(s, r.page);
                            EXPECT_EQ(s.onglets().currentWidget(), p);
                            EXPECT_EQ(s.focusWidget(), &champ(*p, r.champFautif));
                            EXPECT_EQ(image(contexte().criteresRecherche), avant);
                            // Corrected, the page is left and the sheet accepted.
                            r.corriger(*p);
                            if (parOnglet)
                                s.onglets().setCurrentIndex(0);
                            EXPECT_EQ(s.onglets().currentIndex(), parOnglet ? 0 : s.onglets().indexOf(p));
                            s.boutonOK()->click();
                            EXPECT_FALSE(s.isVisible());
                        }});
            EXPECT_NE(image(contexte().criteresRecherche), avant);
            contexte().criteresRecherche = CCriteres::pourRecherche();
        }
    }
}

TEST_F(FeuilleRecherche, CeQuiEstEteintNEstPasVerifie)
{
    // An inactive row with impossible dates, and a size value left empty while all
    // sizes are searched: OK goes through, and the record keeps its value.
    contexte().criteresRecherche.valeurTaille = 12;
    rechercher({[](CRechercheSheet& s) {
        CPageRecherche& date = allerA(s, 105);
        for (int id = 1032; id <= 1037; ++id)
            saisir(date, id, "99");
        CPageRecherche& taille = allerA(s, 107);
        saisir(taille, 1052, "");
        s.boutonOK()->click();
        EXPECT_FALSE(s.isVisible());
    }});
    EXPECT_TRUE(repondeur->boites.empty());
    EXPECT_FALSE(contexte().criteresRecherche.cree.actif);
    EXPECT_EQ(contexte().criteresRecherche.testTaille, 0);
    EXPECT_EQ(contexte().criteresRecherche.valeurTaille, 12u);
}

TEST_F(FeuilleRecherche, LaPorteeEtLaCibleSuiventLaSelection)
{
    CDoc* racine = &doc();
    struct SCas {
        const char* nom;
        CElement* selection;   // none: no item selected
        int radio;
        QString texteRadio;
        bool radioActive;
        CElement* cible;
        QString etat;
    };
    CElement* disques = &catalogue.classeur("Disques");
    CElement* cd = static_cast<CDossier*>(&catalogue.requete("CD"));
    CElement* photos = &catalogue.dossier("CD/photos");
    const QString prefixe = QStringLiteral("&Objet sélectionné: ");
    const SCas cas[] = {
        {"aucune sélection", nullptr, 1028, prefixe + QStringLiteral("Aucune sélection"), false, racine,
         QStringLiteral("5 fichiers trouvés")},
        {"classeur, tous les classeurs", disques, 1028, prefixe + QStringLiteral("Classeur \"Disques\""), true, racine,
         QStringLiteral("5 fichiers trouvés")},
        {"classeur", disques, 1029, prefixe + QStringLiteral("Classeur \"Disques\""), true, disques,
         QStringLiteral("4 fichiers trouvés")},
        {"requête", cd, 1029, prefixe + QStringLiteral("Requête \"CD\""), true, cd,
         QStringLiteral("3 fichiers trouvés")},
        {"dossier", photos, 1029, prefixe + QStringLiteral("Dossier \"/media/cd/photos\""), true, photos,
         QStringLiteral("1 fichier trouvé")},
    };
    for (const SCas& k : cas) {
        SCOPED_TRACE(k.nom);
        if (k.selection)
            selectionner(k.selection);
        else
            aucuneSelection();
        rechercher({[&](CRechercheSheet& s) {
            CPageRecherche& domaine = allerA(s, 103);
            auto& objet = champ<QRadioButton>(domaine, 1029);
            EXPECT_EQ(objet.text(), k.texteRadio);
            EXPECT_EQ(objet.isEnabled(), k.radioActive);
            // With nothing selected, the first radio is the one chosen.
            if (!k.radioActive) {
                EXPECT_TRUE(champ<QRadioButton>(domaine, 1028).isChecked());
            }
            saisir(domaine, 1017, "*.doc");
            champ<QRadioButton>(domaine, k.radio).click();
            s.boutonOK()->click();
        }});
        EXPECT_EQ(contexte().criteresRecherche.cible, k.cible);
        EXPECT_EQ(contexte().criteresRecherche.portee, k.radio == 1029 ? 1 : 0);
        EXPECT_EQ(messageEtat(), k.etat);
        EXPECT_TRUE(app->resultatsRecherche().isVisible());
        app->resultatsRecherche().hide();
    }

    // Accepted on a folder, reopened on a binder: the binder's title, and the binder
    // searched when accepted unchanged.
    selectionner(disques);
    rechercher({[&](CRechercheSheet& s) {
        auto& objet = champ<QRadioButton>(allerA(s, 103), 1029);
        EXPECT_TRUE(objet.isChecked());
        EXPECT_EQ(objet.text(), prefixe + QStringLiteral("Classeur \"Disques\""));
        s.boutonOK()->click();
    }});
    EXPECT_EQ(contexte().criteresRecherche.cible, disques);
    EXPECT_EQ(messageEtat(), QStringLiteral("4 fichiers trouvés"));
}

TEST_F(FeuilleRecherche, LaBarreDEtatCompteCeQueLaRechercheAListe)
{
    struct SCas {
        const char* nom;
        std::function<void(CRechercheSheet&)> choisir;
        QString etat;
    };
    const auto motif = [](const char* m) {
        return [m](CPageRecherche& p) { saisir(p, 1017, m); };
    };
    const SCas cas[] = {
        {"tous les .doc", [&](CRechercheSheet& s) { motif("*.doc")(allerA(s, 103)); },
         QStringLiteral("5 fichiers trouvés")},
        {"un seul .jpg", [&](CRechercheSheet& s) { motif("*.jpg")(allerA(s, 103)); },
         QStringLiteral("1 fichier trouvé")},
        {"rien", [&](CRechercheSheet& s) { motif("*.zzz")(allerA(s, 103)); }, QStringLiteral("Aucun fichier trouvé")},
        {"sans les dossiers cachés",
         [&](CRechercheSheet& s) {
             motif("*.doc")(allerA(s, 103));
             champ<QCheckBox>(allerA(s, 108), 1013).setChecked(false);
         },
         QStringLiteral("4 fichiers trouvés")},
        {"sans les sous-dossiers",
         [&](CRechercheSheet& s) {
             motif("*.doc")(allerA(s, 103));
             champ<QCheckBox>(allerA(s, 108), 1012).setChecked(false);
         },
         QStringLiteral("3 fichiers trouvés")},
        {"doublons de nom",
         [&](CRechercheSheet& s) {
             motif("*.doc")(allerA(s, 103));
             CPageRecherche& d = allerA(s, 109);
             champ<QRadioButton>(d, 1055).click();
             champ<QCheckBox>(d, 1061).setChecked(true);
         },
         QStringLiteral("2 fichiers trouvés")},
    };
    aucuneSelection();
    for (const SCas& k : cas) {
        SCOPED_TRACE(k.nom);
        contexte().criteresRecherche = CCriteres::pourRecherche();
        rechercher({[&](CRechercheSheet& s) {
            k.choisir(s);
            s.boutonOK()->click();
        }});
        EXPECT_EQ(messageEtat(), k.etat);
    }

    // Thousands apart, as the French write them.
    std::string gros = "classeur Gros\n  requete G /media/g\n";
    for (int i = 0; i < 1234; ++i)
        gros += "    fichier f" + std::to_string(i) + ".dat\n";
    ajouterCatalogue(gros);
    aucuneSelection();
    contexte().criteresRecherche = CCriteres::pourRecherche();
    rechercher({[](CRechercheSheet& s) {
        saisir(allerA(s, 103), 1017, "*.dat");
        s.boutonOK()->click();
    }});
    EXPECT_EQ(messageEtat(), QStringLiteral("1\u00a0234 fichiers trouvés"));
    EXPECT_EQ(CBarreEtat::texteFichiersTrouves(1234567), QStringLiteral("1\u00a0234\u00a0567 fichiers trouvés"));
    EXPECT_EQ(CBarreEtat::texteFichiersTrouves(999), QStringLiteral("999 fichiers trouvés"));

    // The search applied again after an update says its count again, even when the
    // update kept the snapshot (the made-up folder is not there, which it says).
    cadre().barreEtat().showMessage(QStringLiteral("autre chose"));
    repondeur->reponses.push_back(QMessageBox::Ok);
    mettreAJour(contexte(), catalogue.requete("CD"));
    EXPECT_EQ(messageEtat(), QStringLiteral("1\u00a0234 fichiers trouvés"));
}

TEST_F(FeuilleRecherche, LaListeFiltreeMontreLesNouvellesMarques)
{
    executer(cmd::FiltreRecherche);
    ASSERT_TRUE(contexte().filtreRecherche);
    selectionner(static_cast<CDossier*>(&catalogue.requete("CD")));
    const auto noms = [this] {
        QStringList l;
        const QAbstractItemModel* m = fenetre().liste().model();
        for (int r = 0; r < m->rowCount(); ++r)
            l.append(m->index(r, 0).data().toString());
        l.sort();
        return l;
    };
    EXPECT_EQ(noms(), (QStringList{QStringLiteral("a.doc"), QStringLiteral("b.txt")}));
    rechercher({[](CRechercheSheet& s) {
        saisir(allerA(s, 103), 1017, "*.doc");
        s.boutonOK()->click();
    }});
    EXPECT_EQ(noms(), QStringList{QStringLiteral("a.doc")});
    executer(cmd::FiltreRecherche);
}

TEST_F(FeuilleRecherche, UneRechercheEstUnTravailQuiLaisseLesFenetresVivesEtSAnnuleSansRienChanger)
{
    CRequete& g = catalogue.requete("Vieux");
    for (int i = 0; i < 60000; ++i) {
        auto* f = CFichier::creer(g.arene(), &g, g.chemin() + "/f" + std::to_string(i));
        f->taille = std::uint32_t(i % 1000);
        f->marque = 1;
        g.fichiers().ajouter(f);
    }
    aucuneSelection();
    // Duplicates by size, or (second run) only the files named *.doc.
    const auto chercher = [&](bool annuler) {
        CSondeTravailLong sonde(*app, doc(), annuler);
        rechercher({[&](CRechercheSheet& s) {
            if (annuler) {
                saisir(allerA(s, 103), 1017, "*.doc");
            } else {
                CPageRecherche& d = allerA(s, 109);
                champ<QRadioButton>(d, 1055).click();
                champ<QCheckBox>(d, 1065).setChecked(true);
            }
            s.boutonOK()->click();
        }});
        EXPECT_GT(sonde.tours, 0) << "aucun événement traité pendant la recherche";
        EXPECT_TRUE(sonde.occupe) << "ni curseur occupé ni document tenu pendant la recherche";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(CTravailLong::occupe(&doc()));
        return sonde.titre;
    };
    chercher(false);
    // The 60 000 files and the lone f.doc of "Vieux" share their sizes 60 by 60.
    EXPECT_EQ(messageEtat(), QStringLiteral("60\u00a0001 fichiers trouvés"));
    const int lignes = app->resultatsRecherche().findChild<QAbstractItemView*>()->model()->rowCount();
    EXPECT_EQ(lignes, 60001);
    std::vector<std::int32_t> marques;
    for (const CFichier* f : g.fichiers())
        marques.push_back(f->marque);

    // Cancelled: every mark and the results as they were, no count told.
    EXPECT_EQ(chercher(true), QStringLiteral("Recherche"));
    std::size_t i = 0;
    for (const CFichier* f : g.fichiers())
        ASSERT_EQ(f->marque, marques[i++]) << f->chemin();
    EXPECT_EQ(app->resultatsRecherche().findChild<QAbstractItemView*>()->model()->rowCount(), lignes);
    EXPECT_FALSE(messageEtat().endsWith(QStringLiteral("trouvés"))) << messageEtat().toStdString();
}

TEST_F(FeuilleRecherche, DeuxPassesNeMarquentJamaisEnMemeTemps)
{
    // The first pass is held on its thread; the second, asked meanwhile (a capture's
    // end while F3 runs), waits its turn with the documents already held.
    std::atomic<int> commencees{0};
    std::atomic<bool> libre{false};
    app->travaux().calculDesTests = [&](SAvancement&) {
        ++commencees;
        for (int i = 0; i < 2000 && !libre.load(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    contexte().criteresRecherche.cible = &doc();
    relancerRecherche(app->travaux(), contexte());
    relancerRecherche(app->travaux(), contexte());
    for (int i = 0; i < 200 && commencees.load() == 0; ++i)
        laisserTourner();
    laisserTourner();
    EXPECT_EQ(commencees.load(), 1);
    EXPECT_EQ(app->travaux().nombre(), 2u);
    EXPECT_TRUE(CTravailLong::occupe(&doc()));
    libre = true;
    attendreTravaux();
    EXPECT_EQ(commencees.load(), 2);
    EXPECT_FALSE(CTravailLong::occupe(&doc()));
    app->travaux().calculDesTests = {};
}

} // namespace
