// The slow FUSE mirror of the capture benchmark shows the source tree exactly: our
// capture through it equals the capture of the source, whatever the thread count.
// Skipped, saying why, where FUSE cannot mount (no /dev/fuse, no right to it).

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "bench/EmpreinteRequete.h"
#include "bench/MontageMiroir.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"

#ifndef NORVANEL_MIROIR_LENT
#define NORVANEL_MIROIR_LENT ""
#endif

namespace {

struct SEntree {
    const char* chemin;  // a trailing '/' makes a folder
    off_t taille;
    mode_t mode;
    time_t modifie;
};

// Sizes past 4 GiB (sparse), accented and hidden names, a read-only file, times far
// apart, a link, and a folder longer than one readdir reply (the mirror resumes it).
const SEntree kArbre[] = {
    {"Été 2003/", 0, 0755, 1057000000},
    {"Été 2003/photo 1.jpg", 123456, 0644, 1057000001},
    {"Été 2003/.cachée", 7, 0644, 1700000000},
    {"Été 2003/lecture seule.txt", 42, 0444, 946684800},
    {"Été 2003/日本/", 0, 0755, 1600000000},
    {"Été 2003/日本/image disque.iso", 5368709120LL, 0644, 1795996800},
    {".dossier caché/", 0, 0700, 1200000000},
    {".dossier caché/vide", 0, 0600, 1200000001},
    {"racine.txt", 1, 0644, 1000000000},
};

void creerArbre(const std::string& racine)
{
    mkdir(racine.c_str(), 0755);
    for (const SEntree& e : kArbre) {
        std::string chemin = racine + "/" + e.chemin;
        if (chemin.back() == '/') {
            chemin.pop_back();
            ASSERT_EQ(mkdir(chemin.c_str(), 0755), 0) << chemin;
        } else {
            const int fd = open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            ASSERT_GE(fd, 0) << chemin;
            ASSERT_EQ(ftruncate(fd, e.taille), 0);
            close(fd);
        }
        const timespec temps[2] = {{e.modifie + 86400, 0}, {e.modifie, 500000000}};
        ASSERT_EQ(utimensat(AT_FDCWD, chemin.c_str(), temps, 0), 0);
        ASSERT_EQ(chmod(chemin.c_str(), e.mode), 0);
    }
    const std::string longue = racine + "/Été 2003/longue";
    ASSERT_EQ(mkdir(longue.c_str(), 0755), 0);
    for (int i = 0; i < 1000; ++i)
        close(open((longue + "/un nom assez long pour remplir vite une réponse " + std::to_string(i)).c_str(),
                   O_WRONLY | O_CREAT, 0644));
    ASSERT_EQ(symlink("racine.txt", (racine + "/lien").c_str()), 0);
}

std::string capturer(const std::string& dossier, int fils)
{
    CCaptureReelle capture(dossier);
    EXPECT_EQ(mettreAJourRequete(capture.requete(), nullptr, fils), EResultatMiseAJour::Capturee) << dossier;
    // The mirror does not pass creation times on: the capture stores the modification.
    return empreinteRequete(capture.requete(), false);
}

} // namespace

TEST(MiroirLent, LaCaptureATraversLeMiroirEgaleCelleDeLaSource)
{
    CDossierTemporaire dossier;
    const std::string source = dossier.sous("source");
    ASSERT_NO_FATAL_FAILURE(creerArbre(source));
    const std::string attendu = capturer(source, 1);
    ASSERT_NE(attendu.find("image disque.iso"), std::string::npos);

    CMontageMiroir montage(NORVANEL_MIROIR_LENT, source, dossier.sous("montage"), 0);
    if (!montage.monte())
        GTEST_SKIP() << montage.erreur();
    for (const int fils : {1, 4, 0})
        EXPECT_EQ(capturer(dossier.sous("montage"), fils), attendu) << fils << " fils";
    EXPECT_TRUE(montage.demonter());
}

// A mirror left by a run that was cut short is replaced, whatever bytes the mount point's
// name holds (/proc/self/mounts writes blanks and backslashes as octal escapes); ending
// the older one then leaves the newer one in place.
TEST(MiroirLent, UnMontagePrecedentEstRemplace)
{
    CDossierTemporaire dossier;
    const std::string source = dossier.sous("source");
    ASSERT_NO_FATAL_FAILURE(creerArbre(source));
    const std::string attendu = capturer(source, 1);
    for (const char* nom : {"montage", "point de\tmontage\\ été"}) {
        const std::string point = dossier.sous(nom);
        CMontageMiroir ancien(NORVANEL_MIROIR_LENT, source, point, 0);
        if (!ancien.monte())
            GTEST_SKIP() << ancien.erreur();
        CMontageMiroir nouveau(NORVANEL_MIROIR_LENT, source, point, 0);
        ASSERT_TRUE(nouveau.monte()) << nom << " : " << nouveau.erreur();
        EXPECT_TRUE(ancien.demonter()) << nom;
        EXPECT_EQ(capturer(point, 0), attendu) << nom;
        EXPECT_TRUE(nouveau.demonter()) << nom;
        struct statfs systeme {};
        ASSERT_EQ(statfs(point.c_str(), &systeme), 0) << nom;
        EXPECT_NE(systeme.f_type, FUSE_SUPER_MAGIC) << nom << " : toujours monté";
    }
}
