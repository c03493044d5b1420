// Each system call of a save failing in turn, through the failable calls of the fake
// platform: the catalogue on disk is the one the message says it is, the message names
// the reason in French, and no temporary or backup is left beside it. A read failing
// during a load leaves the document as it was. And the lock of the writers, whose
// failures are not mistaken for another program holding it.

#include "tests/core/Factices.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

#include "platform/fake/AppelsEcritureFactice.h"
#include "storage/FichierCatalogue.h"
#include "storage/VerrouCatalogue.h"
#include "tests/core/CataloguesDeTest.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

// A catalogue on disk in a fresh folder, for the calls to fail on.
class AvecCatalogueSurDisque : public AvecPlateformeFactice {
protected:
    // Saves a catalogue of `entrees` files at `chemin`: its bytes.
    std::string ecrireSurDisque(int entrees)
    {
        CDoc doc;
        remplirCatalogue(doc, entrees, 40, 'a');
        EXPECT_TRUE(enregistrerCatalogue(doc, chemin));
        return lireTout(chemin);
    }

    CDossierTemporaire dossier;
    const std::string chemin = dossier.sous("cd.kbt");
};

enum class EApres { ancien, nouveau };

struct SPanne {
    const char* cas;
    EAppelEcriture appel;
    int rang;
    int erreur;
    bool autreNom;  // a second name (hard link): the save rewrites the file in place
    const char* suite;  // what the message says after "Impossible d'enregistrer ... : "
    EApres contenu;
};

const SPanne kPannes[] = {
    {"ecriture", EAppelEcriture::ecrire, 1, ENOSPC, false,
     "le disque est plein. Le fichier précédent est intact.", EApres::ancien},
    {"synchronisation du fichier", EAppelEcriture::synchroniser, 1, EIO, false,
     "erreur de lecture ou d'écriture sur le support. Le fichier précédent est intact.", EApres::ancien},
    {"renommage", EAppelEcriture::renommer, 1, EROFS, false,
     "le support est en lecture seule. Le fichier précédent est intact.", EApres::ancien},
    {"renommage, partage perdu", EAppelEcriture::renommer, 1, ESTALE, false,
     "le fichier réseau n'est plus accessible. Le fichier précédent est intact.", EApres::ancien},
    {"synchronisation du dossier", EAppelEcriture::synchroniser, 2, EIO, false,
     "le dossier n'a pas pu être synchronisé (erreur de lecture ou d'écriture sur le support). Le nouveau "
     "contenu est en place mais pourrait ne pas survivre à une coupure de courant.", EApres::nouveau},
    // In place: the backup is emptied first, then the file itself; the old content goes back.
    {"en place, vidage de la copie", EAppelEcriture::tronquer, 1, EIO, true,
     "erreur de lecture ou d'écriture sur le support. Le fichier précédent est intact.", EApres::ancien},
    {"en place, vidage du fichier", EAppelEcriture::tronquer, 2, EFBIG, true,
     "le fichier dépasse la taille permise. Le fichier précédent est intact.", EApres::ancien},
    {"en place, synchronisation de la copie", EAppelEcriture::synchroniser, 2, EIO, true,
     "erreur de lecture ou d'écriture sur le support. Le fichier précédent est intact.", EApres::ancien},
};

class PannesEnregistrement : public AvecCatalogueSurDisque, public ::testing::WithParamInterface<SPanne> {};

TEST_P(PannesEnregistrement, LeCatalogueEstCeQueDitLeMessage)
{
    const SPanne& panne = GetParam();
    ecrireSurDisque(2000);
    CDoc nouveau;
    remplirCatalogue(nouveau, 1500, 40, 'b');
    std::vector<std::string> noms{"cd.kbt"};
    if (panne.autreNom) {
        ASSERT_EQ(::link(chemin.c_str(), dossier.sous("lien.kbt").c_str()), 0);
        noms.push_back("lien.kbt");
    }
    const std::string avant = lireTout(chemin);

    const auto resultat = enregistrerCatalogue(
        nouveau, chemin, appelsEnEchec(SAppelsEcriture::systeme(), panne.appel, panne.rang, panne.erreur));

    ASSERT_FALSE(resultat);
    EXPECT_EQ(resultat.raison(), "Impossible d'enregistrer le catalogue « " + chemin + " » : " + panne.suite);
    const std::string attendu = panne.contenu == EApres::ancien ? avant : ecrireCatalogue(nouveau);
    EXPECT_TRUE(lireTout(chemin) == attendu);
    if (panne.autreNom) {
        EXPECT_TRUE(lireTout(dossier.sous("lien.kbt")) == attendu);
    }
    EXPECT_TRUE(nouveau.estModifie());
    EXPECT_EQ(entreesDe(dossier.chemin()), noms);
    // The next save, with nothing failing, goes through.
    EXPECT_TRUE(enregistrerCatalogue(nouveau, chemin));
    EXPECT_TRUE(lireTout(chemin) == ecrireCatalogue(nouveau));
}

struct SPanneVerrou {
    const char* cas;
    int erreur;
    const char* refus;  // nullptr: the lock is taken all the same
};

const SPanneVerrou kPannesVerrou[] = {
    {"occupe un instant", EWOULDBLOCK, nullptr},
    {"interrompu", EINTR, nullptr},
    {"systeme sans verrous", ENOLCK, nullptr},
    {"disque defaillant", EIO, "erreur de lecture ou d'écriture sur le support"},
    {"memoire", ENOMEM, "la mémoire est insuffisante"},
};

class PannesVerrou : public AvecCatalogueSurDisque, public ::testing::WithParamInterface<SPanneVerrou> {};

TEST_P(PannesVerrou, UneDefaillanceNEstPasUnDetenteur)
{
    const SPanneVerrou& panne = GetParam();
    const std::string avant = ecrireSurDisque(100);

    CVerrouCatalogue verrou;
    // Long enough that a failure taken for a holder would be waited out, and said so.
    const auto pris = verrou.prendre(chemin, std::chrono::milliseconds(300),
                                      appelsEnEchec(SAppelsEcriture::systeme(), EAppelEcriture::verrouiller, 1, panne.erreur));

    if (panne.refus) {
        ASSERT_FALSE(pris);
        EXPECT_EQ(pris.raison(), panne.refus);
        EXPECT_FALSE(verrou.tenu());
    } else {
        EXPECT_TRUE(pris) << pris.raison();
        EXPECT_TRUE(verrou.tenu());
    }
    verrou.rendre();
    EXPECT_TRUE(lireTout(chemin) == avant);
    // Nothing failing any more, the lock is taken.
    EXPECT_TRUE(verrou.prendre(chemin, std::chrono::milliseconds(0)));
}

struct SPanneLecture {
    const char* cas;
    int rang;
    int erreur;
    const char* raison;  // nullptr: the load goes through
};

const SPanneLecture kPannesLecture[] = {
    {"debut", 1, EIO, "erreur de lecture ou d'écriture sur le support"},
    {"milieu partage perdu", 2, ESTALE, "le fichier réseau n'est plus accessible"},
    {"interrompue", 1, EINTR, nullptr},
};

class PannesLecture : public AvecCatalogueSurDisque, public ::testing::WithParamInterface<SPanneLecture> {};

TEST_P(PannesLecture, LeDocumentResteCeQuIlEtait)
{
    const SPanneLecture& panne = GetParam();
    // Several read buffers, so that a read may fail in the middle.
    ecrireSurDisque(50000);
    CDoc doc;
    remplirCatalogue(doc, 10, 10, 'b');
    const std::string avant = ecrireCatalogue(doc);

    const auto resultat = chargerCatalogue(
        doc, chemin, appelsEnEchec(SAppelsEcriture::systeme(), EAppelEcriture::lire, panne.rang, panne.erreur));

    if (!panne.raison) {
        EXPECT_TRUE(resultat) << resultat.raison();
        EXPECT_TRUE(ecrireCatalogue(doc) == lireTout(chemin));
        return;
    }
    ASSERT_FALSE(resultat);
    const std::string debut = "Impossible d'ouvrir le catalogue « " + chemin + " » : erreur de lecture du fichier (" +
                              panne.raison + ") (à l'octet ";
    EXPECT_EQ(resultat.raison().substr(0, debut.size()), debut);
    EXPECT_TRUE(ecrireCatalogue(doc) == avant);
    EXPECT_TRUE(doc.estModifie());
    EXPECT_TRUE(doc.chemin.empty());
}

template <typename T>
std::string nomDeCas(const ::testing::TestParamInfo<T>& info)
{
    std::string nom;
    for (const char* c = info.param.cas; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            nom += *c;
    return nom;
}

INSTANTIATE_TEST_SUITE_P(, PannesEnregistrement, ::testing::ValuesIn(kPannes), nomDeCas<SPanne>);
INSTANTIATE_TEST_SUITE_P(, PannesVerrou, ::testing::ValuesIn(kPannesVerrou), nomDeCas<SPanneVerrou>);
INSTANTIATE_TEST_SUITE_P(, PannesLecture, ::testing::ValuesIn(kPannesLecture), nomDeCas<SPanneLecture>);

} // namespace
