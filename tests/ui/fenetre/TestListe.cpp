// The list pane of a document window: what it lists for each kind of node, its sort
// by header clicks, the column order kept per layout in the document and its file,
// the search filter, and rows that go away with their nodes.

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "dialogs/CParametresDlg.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CModeleListe.h"
#include "storage/FichierCatalogue.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "ui/CImagesApplication.h"
#include "ui/IdCommandes.h"
#include "workspace/CContexte.h"

namespace {

class Liste : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        testeur = std::make_unique<QAbstractItemModelTester>(
            &liste().modele(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override
    {
        testeur.reset();
        AvecNorvanel::TearDown();
    }

    CListeView& liste() { return fenetre().liste(); }
    CModeleListe& modele() { return liste().modele(); }
    static CElement* comme(CDossier* d) { return d; }

    // A binder "Disques" with query "cd" over /media/cd: three files at the root and a
    // folder "Photos" with two files, itself holding "Noël" with one file.
    CRequete* requeteExemple()
    {
        CClasseur* c = ajouterClasseur("Disques", {"cd"});
        CRequete* q = c->requetes().elementA(0);
        fichier(*q, "b.txt", 300, 2003, 0);
        fichier(*q, "a.txt", 1000, 2001, 1);
        fichier(*q, "C.txt", 20, 2002, 0);
        photos = ajouterDossier(*q, "Photos");
        fichier(*photos, "plage.jpg", 5, 2010, 1);
        fichier(*photos, "été.jpg", 7, 2011, 0);
        noel = ajouterDossier(*photos, "Noël");
        fichier(*noel, "sapin.jpg", 9, 2012, 1);
        arbre().reconstruire();
        return q;
    }

    CFichier* fichier(CDossier& d, const std::string& nom, std::uint32_t taille, std::uint32_t annee, int marque)
    {
        auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "/" + nom);
        f->taille = taille;
        f->definirCree(CDateHeure{{1, 2, annee}, 0, 0, 0});
        f->definirModifie(CDateHeure{{3, 4, annee}, 0, 0, 0});
        f->definirAccede({5, 6, annee});
        std::snprintf(f->lettres, sizeof f->lettres, "%s", taille % 2 ? "R" : "A");
        f->marque = marque;
        d.fichiers().ajouter(f);
        return f;
    }

    QStringList titres()
    {
        QStringList t;
        for (int c = 0; c < modele().columnCount(); ++c)
            t << modele().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return t;
    }
    // The column titles left to right as the header shows them.
    QStringList titresAffiches()
    {
        QStringList t;
        for (int v = 0; v < modele().columnCount(); ++v)
            t << modele().headerData(liste().header()->logicalIndex(v), Qt::Horizontal, Qt::DisplayRole).toString();
        return t;
    }
    QStringList colonne(int c)
    {
        QStringList t;
        for (int r = 0; r < modele().rowCount(); ++r)
            t << modele().index(r, c).data().toString();
        return t;
    }
    int colonneTitree(const QString& titre) { return static_cast<int>(titres().indexOf(titre)); }
    void cliquerEntete(const QString& titre)
    {
        QHeaderView* h = liste().header();
        const int c = colonneTitree(titre);
        ASSERT_GE(c, 0) << titre.toStdString();
        const QPoint p(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }
    // Which column shows a sort image, and which one.
    std::pair<int, bool> imageTri()
    {
        for (int c = 0; c < modele().columnCount(); ++c) {
            const QVariant v = modele().headerData(c, Qt::Horizontal, Qt::DecorationRole);
            if (v.isValid())
                return {c, v.value<QIcon>().cacheKey() == app->images().tri()[0].cacheKey()};
        }
        return {-1, false};
    }

    std::unique_ptr<QAbstractItemModelTester> testeur;
    CDossier* photos = nullptr;
    CDossier* noel = nullptr;
};

TEST_F(Liste, UnClasseurListeSesRequetesQuelQueSoitLeFiltre)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd", "dvd"});
    contexte().filtreRecherche = true;
    selectionner(c);
    EXPECT_EQ(titres(), (QStringList{QStringLiteral("Nom"), QStringLiteral("Dossier")}));
    // At least their own widths (wider where the font needs it).
    EXPECT_GE(liste().header()->sectionSize(0), 100);
    EXPECT_GE(liste().header()->sectionSize(1), 300);
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("cd"), QStringLiteral("dvd")}));
    EXPECT_EQ(colonne(1), (QStringList{QStringLiteral("/media/cd"), QStringLiteral("/media/dvd")}));
}

TEST_F(Liste, UneRequeteListeSesFichiersAvecUneColonneParValeurStockee)
{
    CRequete* q = requeteExemple();
    selectionner(comme(q));
    EXPECT_EQ(titres(), (QStringList{QStringLiteral("Nom"), QStringLiteral("Taille"), QStringLiteral("Créé"),
                                     QStringLiteral("Modifié"), QStringLiteral("Accédé"), QStringLiteral("Attribut")}));
    const int largeurs[] = {175, 100, 100, 100, 70, 50};
    for (int c = 0; c < 6; ++c)
        EXPECT_GE(liste().header()->sectionSize(c), largeurs[c]) << c;
    // Sorted by name, ascending, byte-wise: capitals first.
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("C.txt"), QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    const QModelIndex taille = modele().index(0, 1);
    EXPECT_TRUE(taille.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_EQ(taille.data().toString(), QString::fromStdString(plateforme().texteTaille(20)));
    EXPECT_EQ(modele().index(0, 5).data().toString(), QStringLiteral("A"));

    // Fewer values stored, fewer columns.
    q->stockerCree = q->stockerAccede = false;
    selectionner(comme(photos));
    selectionner(comme(q));
    EXPECT_EQ(titres(), (QStringList{QStringLiteral("Nom"), QStringLiteral("Taille"), QStringLiteral("Modifié"),
                                     QStringLiteral("Attribut")}));
}

TEST_F(Liste, SansSousDossiersLesFichiersDeToutLArbreSuiventAvecLeurDossier)
{
    CRequete* q = requeteExemple();
    doc().colonneTri[1] = 6;   // by folder: the listing order shows through
    executer(cmd::SousDossiers);
    ASSERT_FALSE(doc().afficherSousDossiers);
    selectionner(comme(q));
    ASSERT_EQ(titres().size(), 7);
    EXPECT_EQ(titres().last(), QStringLiteral("Dossier"));
    EXPECT_GE(liste().header()->sectionSize(6), 200);
    // Folder by folder, depth first; ties keep the listing order.
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("b.txt"), QStringLiteral("a.txt"), QStringLiteral("C.txt"),
                                       QStringLiteral("plage.jpg"), QStringLiteral("été.jpg"),
                                       QStringLiteral("sapin.jpg")}));
    EXPECT_EQ(colonne(6).last(), QStringLiteral("/media/cd/Photos/Noël"));

    // Shown again, a folder lists its own files only.
    executer(cmd::SousDossiers);
    selectionner(comme(photos));
    EXPECT_EQ(titres().size(), 6);
    EXPECT_EQ(modele().rowCount(), 2);
}

TEST_F(Liste, LeFiltreDeRechercheCacheLesFichiersNonTrouves)
{
    CRequete* q = requeteExemple();
    executer(cmd::SousDossiers);
    selectionner(comme(q));
    EXPECT_EQ(modele().rowCount(), 6);
    executer(cmd::FiltreRecherche);
    ASSERT_TRUE(contexte().filtreRecherche);
    laisserTourner();
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("a.txt"), QStringLiteral("plage.jpg"),
                                       QStringLiteral("sapin.jpg")}));
    executer(cmd::FiltreRecherche);
    laisserTourner();
    EXPECT_EQ(modele().rowCount(), 6);
}

TEST_F(Liste, UneNotificationSansNoeudVideLesLignesEtGardeLesColonnes)
{
    CRequete* q = requeteExemple();
    selectionner(comme(q));
    const QStringList avant = titres();
    liste().miseAJour(nullptr, nullptr);
    EXPECT_EQ(modele().rowCount(), 0);
    EXPECT_EQ(titres(), avant);
    EXPECT_EQ(liste().noeudListe(), nullptr);
    EXPECT_FALSE(actif(cmd::OuvrirElement));
}

TEST_F(Liste, TailleDeuxFoisPuisNom)
{
    CRequete* q = requeteExemple();
    selectionner(comme(q));
    EXPECT_EQ(imageTri(), std::make_pair(0, true));

    cliquerEntete(QStringLiteral("Taille"));
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("C.txt"), QStringLiteral("b.txt"), QStringLiteral("a.txt")}));
    EXPECT_EQ(imageTri(), std::make_pair(1, true));

    cliquerEntete(QStringLiteral("Taille"));
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("C.txt")}));
    EXPECT_EQ(imageTri(), std::make_pair(1, false));

    // Another column keeps the direction.
    cliquerEntete(QStringLiteral("Nom"));
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("b.txt"), QStringLiteral("a.txt"), QStringLiteral("C.txt")}));
    EXPECT_EQ(imageTri(), std::make_pair(0, false));
    EXPECT_EQ(doc().colonneTri[1], 0);
    EXPECT_FALSE(doc().triCroissant[1]);

    // The binders' sort is a state of its own.
    selectionner(q->classeur());
    EXPECT_EQ(imageTri(), std::make_pair(0, true));
    // And the file list sorts as it was left when listed again.
    selectionner(comme(q));
    EXPECT_EQ(colonne(0).first(), QStringLiteral("b.txt"));
}

TEST_F(Liste, LesDatesSeTrientDansLeTempsEtLaSelectionSuitSaLigne)
{
    CRequete* q = requeteExemple();
    selectionner(comme(q));
    liste().setCurrentIndex(modele().index(0, 0));
    CElement* choisi = liste().noeudSelectionne();
    ASSERT_NE(choisi, nullptr);
    cliquerEntete(QStringLiteral("Modifié"));
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("a.txt"), QStringLiteral("C.txt"), QStringLiteral("b.txt")}));
    EXPECT_EQ(liste().noeudSelectionne(), choisi);
    EXPECT_EQ(modele().ligne(liste().currentIndex().row()), choisi);
}

TEST_F(Liste, SansValeurStockeeLaColonneDossierTrieParChemin)
{
    CRequete* q = requeteExemple();
    q->stockerTaille = q->stockerCree = q->stockerModifie = q->stockerAccede = q->stockerAttributs = false;
    executer(cmd::SousDossiers);
    selectionner(comme(q));
    EXPECT_EQ(titres(), (QStringList{QStringLiteral("Nom"), QStringLiteral("Dossier")}));
    cliquerEntete(QStringLiteral("Dossier"));
    cliquerEntete(QStringLiteral("Dossier"));
    EXPECT_EQ(colonne(1).first(), QStringLiteral("/media/cd/Photos/Noël"));
    EXPECT_EQ(colonne(1).last(), QStringLiteral("/media/cd"));
}

TEST_F(Liste, LOrdreDesColonnesEstPartageParUneDispositionEtEnregistre)
{
    CRequete* q = requeteExemple();
    selectionner(comme(photos));
    // The user drags the second column's header to the first place.
    liste().header()->moveSection(1, 0);
    EXPECT_EQ(doc().ordreColonnes[1][0], 1);
    EXPECT_EQ(doc().ordreColonnes[1][1], 0);

    // Another folder of the same layout takes that order...
    selectionner(comme(noel));
    EXPECT_EQ(titresAffiches().mid(0, 2), (QStringList{QStringLiteral("Taille"), QStringLiteral("Nom")}));
    // ...a query with sub-folders shown too (same layout)...
    selectionner(comme(q));
    EXPECT_EQ(titresAffiches().first(), QStringLiteral("Taille"));
    // ...but not a query without sub-folders, nor a binder.
    executer(cmd::SousDossiers);
    selectionner(comme(q));
    EXPECT_EQ(titresAffiches().first(), QStringLiteral("Nom"));
    selectionner(q->classeur());
    EXPECT_EQ(titresAffiches().first(), QStringLiteral("Nom"));

    // Kept in the catalogue file.
    const std::string fichier = chemin(QStringLiteral("ordre.kbt")).toStdString();
    ASSERT_TRUE(enregistrerCatalogue(doc(), fichier));
    CDoc relu;
    ASSERT_TRUE(chargerCatalogue(relu, fichier));
    EXPECT_EQ(relu.ordreColonnes, doc().ordreColonnes);
    EXPECT_EQ(relu.ordreColonnes[1][0], 1);
}

TEST_F(Liste, UnOrdreQuiNEstPasUnArrangementLaisseLOrdreNaturel)
{
    CRequete* q = requeteExemple();
    doc().ordreColonnes[1] = {1, 1, 2, 3, 4, 5, 6};
    selectionner(comme(q));
    EXPECT_EQ(titresAffiches(), titres());
    // Entries past the columns present do not matter.
    doc().ordreColonnes[1] = {5, 4, 3, 2, 1, 0, 99};
    selectionner(comme(photos));
    EXPECT_EQ(titresAffiches().first(), QStringLiteral("Attribut"));
    // Absurd sort state read from a damaged file: no crash, no image.
    doc().colonneTri[1] = 1000;
    selectionner(comme(q));
    EXPECT_EQ(modele().rowCount(), 3);
    EXPECT_EQ(imageTri().first, -1);
}

TEST_F(Liste, LesLignesDontLesNoeudsDisparaissentSontRetirees)
{
    CRequete* q = requeteExemple();
    selectionner(comme(photos));
    ASSERT_EQ(modele().rowCount(), 2);
    // The snapshot about to be replaced, as a capture does: the rows go at once,
    // before anything can paint them.
    doc().annoncer({EChangement::InstantaneVaPartir, comme(photos)});
    EXPECT_EQ(modele().rowCount(), 0);
    photos->fichiers().supprimerElements();
    EXPECT_EQ(modele().rowCount(), 0);
    liste().viewport()->repaint();

    // A query deleted from a listed binder.
    CClasseur* c = q->classeur();
    ajouterClasseur("Autre", {"x"});
    selectionner(c);
    ASSERT_EQ(modele().rowCount(), 1);
    ASSERT_TRUE(doc().supprimerNoeud(*q));
    EXPECT_EQ(modele().rowCount(), 0);
    laisserTourner();
    EXPECT_EQ(modele().rowCount(), 0);
}

TEST_F(Liste, UneRequeteCreeeDepuisLaFenetreSeListeEtSuitSesMisesAJour)
{
    creerFichier(QStringLiteral("disque/b.txt"));
    creerFichier(QStringLiteral("disque/a.txt"));
    const QString disque = chemin(QStringLiteral("disque"));
    repondeur->autreDialogue = [disque](QDialog& d) {
        if (auto* p = qobject_cast<CParametresDlg*>(&d)) {
            p->champDossier()->setText(disque);
            p->accept();
        }
    };
    selectionner(doc().classeurs().elementA(0));
    executer(cmd::NouvelleRequete);
    laisserTourner();
    CRequete* q = doc().classeurs().elementA(0)->requetes().elementA(0);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(liste().noeudListe(), comme(q));
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));

    // Captured again, the query's new snapshot is listed: the old rows are gone.
    creerFichier(QStringLiteral("disque/c.txt"));
    executer(cmd::MettreAJour);
    laisserTourner();
    liste().viewport()->repaint();
    EXPECT_EQ(colonne(0), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
    executer(cmd::ToutMettreAJour);
    laisserTourner();
    EXPECT_EQ(liste().noeudListe(), comme(q));
    EXPECT_EQ(modele().rowCount(), 3);
}

} // namespace
