// Renaming binders and queries from the tree: the node checks the name; each of the
// four refusals shows its message with the stop icon, the name stays, and editing
// starts again on the same item. A folder cannot be renamed.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QLineEdit>
#include <QTest>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CApp.h"
#include "shell/CArboView.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"

namespace {

class Renommage : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        general = doc().classeurs().elementA(0);
        disques = ajouterClasseur("Disques", {"cd1"});
        auto* q = new CRequete(general);
        q->definirNom("photos");
        general->requetes().ajouter(q);
        photos = q;
        arbre().reconstruire();
        laisserTourner();
    }

    // Renames the node through F2's command, answering the refusal's message box;
    // what the box said, or an empty text when none was shown.
    QString renommerRefuse(const CElement* noeud, const QString& nom)
    {
        selectionner(noeud);
        executer(cmd::Renommer);
        repondeur->reponses.push_back(QMessageBox::Ok);
        validerLibelle(nom);
        laisserTourner(50);
        return repondeur->boites.empty() ? QString() : repondeur->boites.back().texte;
    }

    CClasseur* general = nullptr;
    CClasseur* disques = nullptr;
    CRequete* photos = nullptr;
};

TEST_F(Renommage, LesQuatreRefusAvecLeurMessageEtLEditionQuiReprend)
{
    struct SCas {
        const CElement* noeud;
        QString nom;
        QString message;
    };
    const SCas cas[] = {
        {disques, QString(), QStringLiteral("Un classeur doit avoir un nom.")},
        {disques, QStringLiteral("Général"), QStringLiteral("Un classeur de ce nom existe déjà.")},
        {static_cast<CDossier*>(photos), QString(), QStringLiteral("Une requête doit avoir un nom.")},
        // A query of another binder of the same document has the name.
        {static_cast<CDossier*>(photos), QStringLiteral("cd1"), QStringLiteral("Une requête de ce nom existe déjà.")},
    };
    for (const SCas& c : cas) {
        repondeur->boites.clear();
        EXPECT_EQ(renommerRefuse(c.noeud, c.nom), c.message);
        ASSERT_EQ(repondeur->boites.size(), 1u);
        EXPECT_EQ(repondeur->boites[0].titre, QStringLiteral("Norvanel"));
        EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Critical);
        // Editing starts again on the same item, showing the name it keeps.
        QLineEdit* e = editeurLibelle();
        ASSERT_NE(e, nullptr) << c.message.toStdString();
        EXPECT_EQ(arbre().noeudSelectionne(), c.noeud);
        EXPECT_TRUE(arbre().editionLibelleEnCours());
        QTest::keyClick(e, Qt::Key_Escape);
        laisserTourner();
    }
    EXPECT_EQ(disques->nom(), "Disques");
    EXPECT_EQ(photos->nom(), "photos");
    EXPECT_FALSE(doc().estModifie());
}

TEST_F(Renommage, LeMemeNomNeChangeRienNiNeDemandeRien)
{
    selectionner(disques);
    executer(cmd::Renommer);
    validerLibelle(QStringLiteral("Disques"));
    EXPECT_TRUE(repondeur->boites.empty());
    EXPECT_FALSE(doc().estModifie());
    EXPECT_EQ(editeurLibelle(), nullptr);
}

TEST_F(Renommage, UneRequeteRenommeeChangeDePlaceParmiSesSoeurs)
{
    auto* q = new CRequete(general);
    q->definirNom("archives");
    general->requetes().ajouter(q);
    arbre().reconstruire();
    const QModelIndex i = indexDe(general);
    EXPECT_EQ(libelles(i), (QStringList{QStringLiteral("archives"), QStringLiteral("photos")}));
    selectionner(static_cast<CDossier*>(q));
    executer(cmd::Renommer);
    validerLibelle(QStringLiteral("vidéos"));
    EXPECT_EQ(q->nom(), "vidéos");
    EXPECT_EQ(libelles(indexDe(general)), (QStringList{QStringLiteral("photos"), QStringLiteral("vidéos")}));
    EXPECT_TRUE(doc().estModifie());
    EXPECT_EQ(arbre().noeudSelectionne(), static_cast<CElement*>(static_cast<CDossier*>(q)));
}

TEST_F(Renommage, UnDossierNeSeRenommePas)
{
    CDossier* sous = ajouterDossier(*photos, "Noël");
    arbre().reconstruire();
    selectionner(sous);
    EXPECT_FALSE(actif(cmd::Renommer));
    arbre().edit(indexDe(sous));
    laisserTourner();
    EXPECT_EQ(editeurLibelle(), nullptr);
    EXPECT_FALSE(arbre().editionLibelleEnCours());
}

TEST_F(Renommage, UnNomValideAttendLaFinDUneOperationLongue)
{
    selectionner(static_cast<CDossier*>(photos));
    executer(cmd::Renommer);
    {
        // A capture's window may take the editor's focus: the name waits for it to end.
        CTravailLong travail(app->suivi(), &cadre());
        validerLibelle(QStringLiteral("images"));
        EXPECT_EQ(photos->nom(), "photos");
    }
    for (int i = 0; i < 200 && photos->nom() != "images"; ++i)
        laisserTourner(10);
    EXPECT_EQ(photos->nom(), "images");
}

} // namespace

TEST_F(Renommage, UneEditionInterrompueSeTermineVraiment)
{
    const struct {
        const char* cas;
        std::function<void()> interruption;
    } cas[] = {
        {"arbre reconstruit (capture finie, Ctrl+F5)", [&] { arbre().reconstruire(); }},
        {"nœud édité détruit", [&] {
             ASSERT_TRUE(doc().supprimerNoeud(*disques));
         }},
    };
    for (const auto& k : cas) {
        selectionner(disques);
        executer(cmd::Renommer);
        ASSERT_TRUE(arbre().editionLibelleEnCours()) << k.cas;
        k.interruption();
        laisserTourner();
        EXPECT_FALSE(arbre().editionLibelleEnCours()) << k.cas;
        EXPECT_EQ(editeurLibelle(), nullptr) << k.cas;
        selectionner(static_cast<CDossier*>(photos));
        EXPECT_TRUE(actif(cmd::Supprimer)) << k.cas;
    }
    EXPECT_EQ(doc().classeurs().nombre(), 1);
}
