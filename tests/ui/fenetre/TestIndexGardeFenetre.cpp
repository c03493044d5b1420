// A catalogue's kept quick-search index in the window program: read when the catalogue
// opens, so that the quick search answers from it without building its own; written
// again, off the interface thread, after each save.

#include <fcntl.h>
#include <unistd.h>

#include <fstream>

#include <QFile>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/ui/CRechercheRapide.h"
#include "shell/CChildFrame.h"
#include "shell/CGestionnaireDocuments.h"
#include "shell/CMainFrame.h"
#include "storage/FichierCatalogue.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "ui/CChampRechercheRapide.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"
#include "ui/IdCommandes.h"
#include "workspace/CContexte.h"
#include "workspace/IndexGardeCatalogue.h"
#include "workspace/OuvertureIndexGarde.h"
#include "workspace/RechercheIndexGarde.h"

namespace {

using IndexGardeFenetre = AvecNorvanel;

// The identity of the file at `chemin` now.
SIdentiteCatalogue identiteDe(const std::string& chemin)
{
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    const auto identite = identiteCatalogue(fd);
    ::close(fd);
    return identite.value_or(SIdentiteCatalogue{});
}

TEST_F(IndexGardeFenetre, LuALOuvertureEtEcritApresLEnregistrement)
{
    const std::string cache = dossierCacheIndex(false);  // the test program's own
    ASSERT_FALSE(cache.empty());
    const std::string fichier = chemin(QStringLiteral("disques.kbt")).toStdString();
    CCatalogueConstruit c = construireCatalogue("classeur Disques\n  requete CD /media/cd\n    dossier Été\n"
                                                "      fichier plage.iso\n      fichier note.txt\n"
                                                "  requete DVD /media/dvd\n    fichier plage.mkv\n");
    std::vector<std::uint64_t> debuts;
    std::ofstream(fichier, std::ios::binary) << ecrireCatalogue(*c.doc, &debuts);
    ASSERT_TRUE(garderIndex(cache, *c.doc, fichier, identiteDe(fichier), debuts));

    CChildFrame* ouverte = app->documents().ouvrir(QString::fromStdString(fichier));
    ASSERT_NE(ouverte, nullptr);
    CDoc& lu = ouverte->document();
    laisserTourner();
    ASSERT_EQ(&doc(), &lu);
    ASSERT_EQ(contexte().indexGardes.count(&lu), 1u);
    const CIndexGardeDocument& garde = *contexte().indexGardes.at(&lu);
    for (CRequete* q : lu.classeurs().elementA(0)->requetes())
        EXPECT_NE(garde.indexDe(*q), nullptr) << q->nom();
    const auto rapide = [&](const QString& texte) {
        cadre().champRechercheRapide().setText(texte);
        for (int i = 0; i < 2000 && app->rechercheRapide().enCours(); ++i)
            laisserTourner(10);
        QStringList trouves;
        const CModeleResultats& m = app->resultatsRecherche().modele();
        for (int i = 0; i < m.rowCount(); ++i)
            trouves << QString::fromStdString(m.fichier(i)->chemin());
        trouves.sort();
        return trouves.join(u'|').toStdString();
    };

    // A query deleted: the other one's part is still read while its snapshot is the one
    // read, and the answer follows.
    CRequete* dvd = lu.classeurs().elementA(0)->requetes().elementA(1);
    CRequete* cd = lu.classeurs().elementA(0)->requetes().elementA(0);
    ASSERT_TRUE(lu.supprimerNoeud(*dvd));
    laisserTourner();
    ASSERT_EQ(lu.classeurs().elementA(0)->requetes().nombre(), 1);
    EXPECT_NE(garde.indexDe(*cd), nullptr);
    EXPECT_EQ(rapide(QStringLiteral("plage")), "/media/cd/Été/plage.iso");
    EXPECT_EQ(rapide(QStringLiteral("ete note")), "/media/cd/Été/note.txt");

    // Saved: the kept index follows the file saved.
    executer(cmd::Enregistrer);
    ASSERT_FALSE(lu.estModifie());
    const SIdentiteCatalogue apres = identiteDe(fichier);
    std::unique_ptr<SIndexGardeOuvert> nouveau;
    for (int i = 0; i < 1000 && !nouveau; ++i) {
        laisserTourner(10);
        nouveau = ouvrirIndexGarde(cache, fichier, apres);
    }
    ASSERT_NE(nouveau, nullptr);
    ASSERT_EQ(nouveau->requetes.size(), 1u);
    const int fd = ::open(fichier.c_str(), O_RDONLY | O_CLOEXEC);
    const auto reponse =
        chercherParIndexGarde(fd, std::uint64_t(apres.fichier.taille), *nouveau, analyserMots("plage"));
    ::close(fd);
    ASSERT_TRUE(reponse);
    ASSERT_EQ(reponse->fichiers().size(), 1u);
    EXPECT_EQ(reponse->fichiers()[0]->chemin(), "/media/cd/Été/plage.iso");
}

} // namespace
