// Updating a query whose folder is gone (a disk unmounted under /media): the window
// says so, keeps the snapshot, and leaves the document unmodified.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QDir>
#include <QMessageBox>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "ui/IdCommandes.h"

namespace {

class MiseAJourDossierDisparu : public AvecNorvanel {};

} // namespace

TEST_F(MiseAJourDossierDisparu, LeDitEtNeModifiePasLeDocument)
{
    creerFichier(QStringLiteral("disque/a.txt"));
    CClasseur* classeur = ajouterClasseur("Disques", {"cd"});
    CRequete& q = *classeur->requetes().elementA(0);
    const QString dossier = chemin(QStringLiteral("disque"));
    q.definirChemin(dossier.toStdString());
    executer(cmd::ToutMettreAJour);
    ASSERT_EQ(q.fichiers().nombre(), 1);
    ASSERT_TRUE(QDir(dossier).removeRecursively());

    const std::pair<int, const char*> commandes[] = {{cmd::MettreAJour, "F5"}, {cmd::ToutMettreAJour, "Ctrl+F5"}};
    for (const auto& [commande, nom] : commandes) {
        SCOPED_TRACE(nom);
        doc().definirModifie(false);
        selectionner(static_cast<CDossier*>(&q));
        repondeur->boites.clear();
        repondeur->reponses.push_back(QMessageBox::Ok);
        executer(commande);
        ASSERT_EQ(repondeur->boites.size(), 1u);
        EXPECT_EQ(repondeur->boites[0].texte, QStringLiteral("Le dossier « %1 » de la requête « cd » est illisible ; "
                                                             "son contenu précédent est gardé.")
                                                  .arg(dossier));
        EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Warning);
        EXPECT_FALSE(doc().estModifie());
        ASSERT_EQ(q.fichiers().nombre(), 1);
        EXPECT_EQ(q.fichiers().elementA(0)->nom(), "a.txt");
    }
    // The folder back, the update captures it and the document has changed.
    creerFichier(QStringLiteral("disque/b.txt"));
    repondeur->boites.clear();
    executer(cmd::MettreAJour);
    EXPECT_TRUE(repondeur->boites.empty());
    EXPECT_TRUE(doc().estModifie());
    EXPECT_EQ(q.fichiers().nombre(), 1);
    EXPECT_EQ(q.fichiers().elementA(0)->nom(), "b.txt");
}
