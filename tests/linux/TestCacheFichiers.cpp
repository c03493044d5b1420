// The cache of kept files: written whole or not at all, read only when it is a regular
// file of ours in a folder of ours alone, cleaned oldest first.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/CacheFichiers.h"
#include "tests/commun/CDossierTemporaire.h"

namespace {

std::string contenu(const CFichierCache& f)
{
    return f ? std::string(reinterpret_cast<const char*>(f.donnees()), f.taille()) : std::string("<rien>");
}

void vieillir(const std::string& chemin, int secondes)
{
    const timespec t[2] = {{std::time(nullptr) - secondes, 0}, {std::time(nullptr) - secondes, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, chemin.c_str(), t, AT_SYMLINK_NOFOLLOW), 0);
}

class CacheFichiers : public ::testing::Test {
protected:
    CDossierTemporaire tmp;
    std::string cache = tmp.sous("cache");
    void SetUp() override { ASSERT_EQ(::mkdir(cache.c_str(), 0700), 0); }
};

TEST_F(CacheFichiers, EcritToutPuisRemplaceSansToucherACeQuiEstLu)
{
    ASSERT_TRUE(ecrireCache(cache, "index-1", "premier"));
    CFichierCache ancien = lireCache(cache, "index-1");
    EXPECT_EQ(contenu(ancien), "premier");
    struct stat st {};
    ASSERT_EQ(::stat((cache + "/index-1").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ASSERT_TRUE(ecrireCache(cache, "index-1", "le second, plus long"));
    EXPECT_EQ(contenu(ancien), "premier");  // a reader keeps the file it mapped
    EXPECT_EQ(contenu(lireCache(cache, "index-1")), "le second, plus long");
    for (const char* nom : {"", "../index-1", ".cache", "a/b", "index 1"}) {
        EXPECT_FALSE(ecrireCache(cache, nom, "x")) << nom;
        EXPECT_FALSE(lireCache(cache, nom)) << nom;
    }
}

// Every way a kept file may be other than ours is ignored, and none makes the reader
// wait or follow a link.
TEST_F(CacheFichiers, CeQuiNEstPasUnFichierANousEstIgnore)
{
    std::ofstream(tmp.sous("vrai")) << "contenu";
    const std::string f = cache + "/index";
    const struct {
        const char* cas;
        std::function<void()> preparer;
        bool rootSeulement;
    } cas[] = {
        {"un lien", [&] { ASSERT_EQ(::symlink(tmp.sous("vrai").c_str(), f.c_str()), 0); }, false},
        {"une FIFO", [&] { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, false},
        {"un dossier", [&] { ASSERT_EQ(::mkdir(f.c_str(), 0700), 0); }, false},
        {"vide", [&] { std::ofstream(f.c_str()); }, false},
        {"ouvert au groupe",
         [&] {
             std::ofstream(f.c_str()) << "x";
             ASSERT_EQ(::chmod(f.c_str(), 0620), 0);
         },
         false},
        {"d'un autre utilisateur",
         [&] {
             std::ofstream(f.c_str()) << "x";
             ASSERT_EQ(::chown(f.c_str(), 65534, 65534), 0);
         },
         true},
        {"dans un dossier ouvert aux autres",
         [&] {
             std::ofstream(f.c_str()) << "x";
             ASSERT_EQ(::chmod(cache.c_str(), 0755), 0);
         },
         false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        if (c.rootSeulement && ::geteuid() != 0)
            continue;
        ::chmod(cache.c_str(), 0700);
        ::unlink(f.c_str());
        ::rmdir(f.c_str());
        c.preparer();
        EXPECT_FALSE(lireCache(cache, "index"));
    }
    // The folder open to others is not written to either.
    EXPECT_FALSE(ecrireCache(cache, "autre", "x"));
    EXPECT_NE(::access((cache + "/autre").c_str(), F_OK), 0);
}

TEST_F(CacheFichiers, LeNettoyageOteCeQuiNeSertPlusPuisLesPlusAnciens)
{
    for (const char* nom : {"vieux", "moyen", "recent", "orphelin"})
        ASSERT_TRUE(ecrireCache(cache, nom, std::string(100, 'x')));
    vieillir(cache + "/vieux", 300);
    vieillir(cache + "/moyen", 200);
    vieillir(cache + "/orphelin", 400);
    // What a crash left: an old temporary goes, a fresh one (a write under way) stays.
    std::ofstream(cache + "/.temp-vieux-1") << "x";
    std::ofstream(cache + "/.temp-recent-2") << "x";
    vieillir(cache + "/.temp-vieux-1", 120);
    ASSERT_EQ(::symlink("/etc/passwd", (cache + "/lien").c_str()), 0);

    nettoyerCache(cache, 250, [](const std::string& nom) { return nom != "orphelin"; });
    const auto existe = [&](const char* nom) { return ::access((cache + "/" + nom).c_str(), F_OK) == 0; };
    EXPECT_FALSE(existe("orphelin"));
    EXPECT_FALSE(existe("vieux"));
    EXPECT_TRUE(existe("moyen"));
    EXPECT_TRUE(existe("recent"));
    EXPECT_FALSE(existe(".temp-vieux-1"));
    EXPECT_TRUE(existe(".temp-recent-2"));
    struct stat st {};
    EXPECT_EQ(::lstat((cache + "/lien").c_str(), &st), 0);
}

TEST_F(CacheFichiers, LeDossierDuCacheEstAuSeulUtilisateur)
{
    const char* avant = std::getenv("XDG_CACHE_HOME");
    const std::optional<std::string> garde = avant ? std::optional<std::string>(avant) : std::nullopt;
    ::setenv("XDG_CACHE_HOME", tmp.sous("xdg").c_str(), 1);
    const std::string dossier = dossierCache();
    EXPECT_EQ(dossier, tmp.sous("xdg/norvanel"));
    struct stat st {};
    ASSERT_EQ(::stat(dossier.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // Left open by someone: refused, and left as it was.
    ASSERT_EQ(::chmod(dossier.c_str(), 0775), 0);
    EXPECT_EQ(dossierCache(), "");
    ASSERT_EQ(::stat(dossier.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0775u);
    if (garde)
        ::setenv("XDG_CACHE_HOME", garde->c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
}

} // namespace
