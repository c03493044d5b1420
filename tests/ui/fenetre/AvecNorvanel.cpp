#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include "capture/MiseAJour.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CDossier.h"
#include "model/CRequete.h"
#include "shell/CApp.h"
#include "shell/CExecuteurTravauxQt.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/LigneCommande.h"
#include "storage/FichierCatalogue.h"
#include "workspace/CContexte.h"

void AvecNorvanel::SetUp()
{
    ASSERT_TRUE(dossier.isValid());
    // Each test starts with no recent file.
    QSettings(QStringLiteral("VESKA"), QStringLiteral("Norvanel")).clear();
    repondeur = std::make_unique<CRepondeur>();
    app = std::make_unique<CApp>();
    ASSERT_TRUE(app->demarrer(SLigneCommande{}));
    laisserTourner();
}

void AvecNorvanel::TearDown()
{
    if (app) {
        // What a test left modified closes without a question.
        for (CChildFrame* c : app->cadre().cadres())
            c->document().definirModifie(false);
        app.reset();
    }
    QString dites;
    for (const CRepondeur::SBoite& b : repondeur->boites)
        dites += b.texte + QStringLiteral("\n");
    EXPECT_EQ(repondeur->inattendues, 0) << "une boîte de message inattendue est apparue :\n" << dites.toStdString();
    repondeur.reset();
}

CMainFrame& AvecNorvanel::cadre()
{
    return app->cadre();
}

CChildFrame& AvecNorvanel::fenetre()
{
    CChildFrame* c = app->cadre().cadreActif();
    if (!c)
        throw std::runtime_error("aucune fenêtre de document");
    return *c;
}

CArboView& AvecNorvanel::arbre()
{
    return fenetre().arbre();
}

CDoc& AvecNorvanel::doc()
{
    return fenetre().document();
}

void AvecNorvanel::executer(int id)
{
    app->cadre().executer(id);
    attendreTravaux();
    laisserTourner();
}

void AvecNorvanel::attendreTravaux()
{
    QElapsedTimer t;
    t.start();
    while (app->travaux().nombre() > 0 && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(app->travaux().nombre(), 0u) << "une capture n'a pas fini en une minute";
}

void AvecNorvanel::executerAvec(int id, std::deque<std::function<void(QDialog&)>> etapes)
{
    repondeur->autreDialogue = [&](QDialog& d) {
        if (etapes.empty()) {
            ADD_FAILURE() << "le dialogue « " << d.windowTitle().toStdString() << " » est resté ouvert";
            d.reject();
            return;
        }
        const auto etape = etapes.front();
        etapes.pop_front();
        etape(d);
    };
    executer(id);
    repondeur->autreDialogue = nullptr;
    EXPECT_TRUE(etapes.empty()) << etapes.size() << " étape(s) sans dialogue";
}

bool AvecNorvanel::actif(int id)
{
    app->cadre().mettreAJourCommandes();
    return app->cadre().action(id)->isEnabled();
}

bool AvecNorvanel::coche(int id)
{
    app->cadre().mettreAJourCommandes();
    return app->cadre().action(id)->isChecked();
}

QStringList AvecNorvanel::libelles(const QModelIndex& parent)
{
    QStringList l;
    const QAbstractItemModel* m = arbre().model();
    for (int r = 0; r < m->rowCount(parent); ++r)
        l.append(m->index(r, 0, parent).data().toString());
    return l;
}

QModelIndex AvecNorvanel::indexDe(const CElement* noeud)
{
    CArboView& a = arbre();
    return a.modele().indexDe(a.itemDuNoeud(noeud));
}

void AvecNorvanel::selectionner(const CElement* noeud)
{
    const QModelIndex i = indexDe(noeud);
    ASSERT_TRUE(i.isValid());
    arbre().setCurrentIndex(i);
    laisserTourner();
}

QString AvecNorvanel::chemin(const QString& relatif)
{
    return QDir(dossier.path()).filePath(relatif);
}

void AvecNorvanel::creerFichier(const QString& relatif, const QByteArray& contenu)
{
    const QString c = chemin(relatif);
    QDir().mkpath(QFileInfo(c).absolutePath());
    QFile f(c);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

QString AvecNorvanel::creerCatalogue(const QString& nom, const QStringList& classeurs,
                                     const QString& dossierRequete)
{
    CDoc catalogue;
    for (const QString& n : classeurs)
        catalogue.classeurs().ajouter(new CClasseur(&catalogue, n.toStdString()));
    if (!dossierRequete.isEmpty() && !catalogue.classeurs().estVide()) {
        CClasseur* premier = catalogue.classeurs().elementA(0);
        auto* q = new CRequete(premier);
        q->definirChemin(QFile::encodeName(dossierRequete).toStdString());
        q->definirNom(q->chemin());
        premier->requetes().ajouter(q);
        EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    }
    const QString c = chemin(nom);
    const auto resultat = enregistrerCatalogue(catalogue, QFile::encodeName(c).toStdString());
    EXPECT_TRUE(resultat) << resultat.raison();
    return c;
}

QLineEdit* AvecNorvanel::editeurLibelle()
{
    for (QLineEdit* e : arbre().findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

void AvecNorvanel::validerLibelle(const QString& texte)
{
    QLineEdit* e = editeurLibelle();
    ASSERT_NE(e, nullptr) << "aucune édition de libellé en cours";
    e->setText(texte);
    QTest::keyClick(e, Qt::Key_Return);
    laisserTourner();
}

CClasseur* AvecNorvanel::ajouterClasseur(const std::string& nom, std::initializer_list<const char*> requetes)
{
    auto* c = new CClasseur(&doc(), nom);
    doc().classeurs().ajouter(c);
    for (const char* r : requetes) {
        auto* q = new CRequete(c);
        q->definirNom(r);
        q->definirChemin(std::string("/media/") + r);
        c->requetes().ajouter(q);
    }
    arbre().reconstruire();
    return c;
}

CCatalogueConstruit AvecNorvanel::ajouterCatalogue(const std::string& description)
{
    CCatalogueConstruit c = construireCatalogue(description);
    for (CClasseur* classeur : c.doc->classeurs()) {
        classeur->definirDocument(&doc());
        doc().classeurs().ajouter(classeur);
    }
    c.doc->classeurs().retirerTout();
    c.doc.reset();
    doc().marquerTousTrouves();
    arbre().reconstruire();
    laisserTourner();
    return c;
}

CDossier* AvecNorvanel::ajouterDossier(CDossier& parent, const std::string& nom)
{
    auto* d = new CDossier(parent.requete(), parent.chemin() + "/" + nom, false);
    parent.sousDossiers().ajouter(d);
    return d;
}

void AvecNorvanel::laisserTourner(int ms)
{
    QElapsedTimer t;
    t.start();
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    while (t.elapsed() < ms);
}

QString AvecNorvanel::titreAffiche(const QWidget& fenetre)
{
    QString titre = fenetre.windowTitle();
    return titre.replace(QStringLiteral("[*]"), fenetre.isWindowModified() ? QStringLiteral("*") : QString());
}
