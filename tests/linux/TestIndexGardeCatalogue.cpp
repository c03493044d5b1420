// A catalogue's kept index in the cache: a record that is not the file the index names
// is never shown, and the clean-up takes the indexes of catalogues gone.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/CFichier.h"
#include "platform/linux/CPlateformeLinux.h"
#include "storage/FichierCatalogue.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/commun/ConstructeurCatalogue.h"
#include "workspace/IndexGardeCatalogue.h"
#include "workspace/RechercheIndexGarde.h"

namespace {

class IndexGardeCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        definirPlateforme(&plateforme);
        ASSERT_EQ(::mkdir(cache.c_str(), 0700), 0);
    }
    void TearDown() override { definirPlateforme(nullptr); }

    // Writes a catalogue at `chemin` and keeps its index; its identity then.
    SIdentiteCatalogue ecrireEtGarder(const std::string& chemin)
    {
        const CCatalogueConstruit c = construireCatalogue(
            "classeur C\n  requete Q /media/q\n    dossier Vacances\n      fichier plage.jpg\n      fichier note.txt\n");
        std::vector<std::uint64_t> debuts;
        std::ofstream(chemin, std::ios::binary) << ecrireCatalogue(*c.doc, &debuts);
        const SIdentiteCatalogue identite = identiteDe(chemin);
        EXPECT_TRUE(garderIndex(cache, *c.doc, chemin, identite, debuts)) << chemin;
        return identite;
    }
    static SIdentiteCatalogue identiteDe(const std::string& chemin)
    {
        const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
        const auto identite = identiteCatalogue(fd);
        ::close(fd);
        return identite.value_or(SIdentiteCatalogue{});
    }

    CPlateformeLinux plateforme;
    CDossierTemporaire tmp;
    std::string cache = tmp.sous("cache");
};

// Even taken for the catalogue it names (a change its identity would not tell), an
// index answers only with records that hold the files it names.
TEST_F(IndexGardeCatalogue, UnEnregistrementQuiNEstPasLeFichierNommeNEstJamaisMontre)
{
    const std::string chemin = tmp.sous("a.kbt");
    const SIdentiteCatalogue identite = ecrireEtGarder(chemin);
    const auto chercher = [&](const char* mots) {
        const auto index = ouvrirIndexGarde(cache, chemin, identite);
        EXPECT_NE(index, nullptr);
        const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
        auto r = index ? chercherParIndexGarde(fd, std::uint64_t(identiteDe(chemin).fichier.taille), *index,
                                               analyserMots(mots))
                       : std::nullopt;
        ::close(fd);
        return r;
    };
    const auto trouve = chercher("plage");
    ASSERT_TRUE(trouve);
    ASSERT_EQ(trouve->fichiers().size(), 1u);
    EXPECT_EQ(trouve->fichiers()[0]->chemin(), "/media/q/Vacances/plage.jpg");

    // The name changed in place, same length: the record is not the file named.
    std::string octets;
    {
        std::ifstream f(chemin, std::ios::binary);
        octets.assign(std::istreambuf_iterator<char>(f), {});
    }
    for (std::size_t p; (p = octets.find("plage.jpg")) != std::string::npos;)
        octets.replace(p, 9, "plagf.jpg");
    std::ofstream(chemin, std::ios::binary) << octets;
    EXPECT_FALSE(chercher("plage"));
}

TEST_F(IndexGardeCatalogue, LeNettoyageOteLesIndexDeCataloguesPartis)
{
    const std::string reste = tmp.sous("reste.kbt"), parti = tmp.sous("parti.kbt");
    ASSERT_EQ(::mkdir(tmp.sous("disque").c_str(), 0700), 0);
    const std::string debranche = tmp.sous("disque/debranche.kbt");
    for (const std::string& c : {reste, parti, debranche})
        ecrireEtGarder(c);
    const std::string nomParti = nomIndexGarde(parti), nomDebranche = nomIndexGarde(debranche);
    std::ofstream(cache + "/autre-chose") << "x";
    ::chmod((cache + "/autre-chose").c_str(), 0600);
    // One catalogue deleted; the other's disk unplugged (its folder gone with it).
    ASSERT_EQ(::unlink(parti.c_str()), 0);
    ASSERT_EQ(::unlink(debranche.c_str()), 0);
    ASSERT_EQ(::rmdir(tmp.sous("disque").c_str()), 0);
    nettoyerIndexGardes(cache, kLimiteCacheIndex);
    const auto present = [&](const std::string& nom) { return ::access((cache + "/" + nom).c_str(), F_OK) == 0; };
    EXPECT_TRUE(present(nomIndexGarde(reste)));
    EXPECT_FALSE(present(nomParti));
    EXPECT_TRUE(present(nomDebranche));
    EXPECT_TRUE(present("autre-chose"));
}

} // namespace
