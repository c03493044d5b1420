// A catalogue open in the window that another program saves meanwhile: saving over it
// asks first (Oui / Non); Non leaves the other program's file and keeps the document
// modified, Oui replaces it.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QFile>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "shell/CChildFrame.h"
#include "shell/CGestionnaireDocuments.h"
#include "storage/FichierCatalogue.h"
#include "ui/IdCommandes.h"

namespace {

class ModificationExterieure : public AvecNorvanel {};

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(ModificationExterieure, EnregistrerDemandeAvantDeRemplacer)
{
    const QString fichier = creerCatalogue(QStringLiteral("partage.kbt"), {QStringLiteral("Disques")});
    const std::string cheminFichier = QFile::encodeName(fichier).toStdString();
    ASSERT_NE(app->documents().ouvrir(fichier), nullptr);
    // Another program adds a binder and saves.
    {
        CDoc autre;
        ASSERT_TRUE(chargerCatalogue(autre, cheminFichier));
        autre.classeurs().ajouter(new CClasseur(&autre, "Autre programme"));
        autre.definirModifie();
        ASSERT_TRUE(enregistrerCatalogue(autre, cheminFichier));
    }
    const QByteArray deAutre = contenu(fichier);
    ASSERT_TRUE(deAutre.contains("Autre programme"));
    doc().definirModifie();

    repondeur->reponses.push_back(QMessageBox::No);
    executer(cmd::Enregistrer);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    const CRepondeur::SBoite& b = repondeur->boites[0];
    EXPECT_EQ(b.texte, QStringLiteral("Le catalogue « %1 » a été modifié par un autre programme depuis son "
                                      "ouverture. Voulez-vous le remplacer ?")
                           .arg(fichier));
    EXPECT_EQ(b.boutons, (QStringList{QStringLiteral("Oui"), QStringLiteral("Non")}));
    EXPECT_EQ(contenu(fichier), deAutre);
    EXPECT_TRUE(doc().estModifie());

    repondeur->reponses.push_back(QMessageBox::Yes);
    executer(cmd::Enregistrer);
    EXPECT_EQ(repondeur->boites.size(), 2u);
    EXPECT_FALSE(doc().estModifie());
    EXPECT_EQ(contenu(fichier).toStdString(), ecrireCatalogue(doc()));
    EXPECT_EQ(repondeur->inattendues, 0);
}

} // namespace
