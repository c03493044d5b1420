// Folder enumeration on real temporary trees.

#include "platform/linux/CPlateformeLinux.h"
#include "tests/commun/CDossierTemporaire.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// name -> entry, and the number of times each name came.
struct SListe {
    std::map<std::string, SEntreeDossier> entrees;
    std::map<std::string, int> occurrences;
};

std::string nomDe(const std::string& chemin) { return chemin.substr(chemin.rfind('/') + 1); }

SListe lister(const std::string& dossier)
{
    CPlateformeLinux p;
    SListe liste;
    std::unique_ptr<CEnumeration> e = p.enumerer(dossier);
    EXPECT_NE(e, nullptr) << dossier.substr(0, 200);
    if (e == nullptr)
        return liste;
    SEntreeDossier entree;
    while (e->suivante(entree)) {
        liste.entrees[nomDe(entree.chemin)] = entree;
        ++liste.occurrences[nomDe(entree.chemin)];
    }
    return liste;
}

void creerFichier(const std::string& chemin, mode_t mode = 0644)
{
    const int fd = open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    ASSERT_GE(fd, 0) << chemin;
    close(fd);
}

// Runs `verification` in a child process without root's right to ignore permissions
// (as the user "nobody" when the tests run as root); true when it returned true.
bool sansPrivileges(bool (*verification)(const std::string&), const std::string& argument)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(verification(argument) ? 0 : 1);
    }
    int statut = 0;
    return pid > 0 && waitpid(pid, &statut, 0) == pid && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
}

} // namespace

TEST(EnumerationLinux, donneChaqueEntreeUneFoisAvecPointEtPointPoint)
{
    CDossierTemporaire d;
    for (int i = 0; i < 100; ++i)
        creerFichier(d.sous("f" + std::to_string(i)));
    const SListe liste = lister(d.chemin() + "/"); // a final '/' is not doubled
    EXPECT_EQ(liste.entrees.size(), 102u);
    for (const auto& [nom, fois] : liste.occurrences)
        EXPECT_EQ(fois, 1) << nom;
    EXPECT_EQ(liste.entrees.at(".").attributs, kAttrDossier | kAttrCache);
    EXPECT_EQ(liste.entrees.at("..").attributs, kAttrDossier | kAttrCache);
    EXPECT_EQ(liste.entrees.at("f7").chemin, d.chemin() + "/f7");
}

TEST(EnumerationLinux, sousDossierLuEntierAuMilieuDuDossierParent)
{
    // As the one-thread walk does: the parent is read again after each sub-folder read
    // whole on the same thread, and each keeps its place; every folder here takes
    // several reads of the system's entries.
    CDossierTemporaire d;
    for (int i = 0; i < 600; ++i)
        creerFichier(d.sous("f" + std::to_string(i) + std::string(100, 'p')));
    for (int s = 0; s < 3; ++s) {
        ASSERT_EQ(mkdir(d.sous("s" + std::to_string(s)).c_str(), 0755), 0);
        for (int i = 0; i < 400; ++i)
            creerFichier(d.sous("s" + std::to_string(s) + "/g" + std::to_string(i) + std::string(100, 'q')));
    }
    CPlateformeLinux p;
    std::unique_ptr<CEnumeration> parent = p.enumerer(d.chemin());
    ASSERT_NE(parent, nullptr);
    std::map<std::string, int> vus;
    SEntreeDossier e, f;
    while (parent->suivante(e)) {
        ++vus[nomDe(e.chemin)];
        if (nomDe(e.chemin)[0] != 's')
            continue;
        std::unique_ptr<CEnumeration> sous = parent->ouvrirSousDossier(e);
        ASSERT_NE(sous, nullptr);
        while (sous->suivante(f))
            ++vus[nomDe(e.chemin) + "/" + nomDe(f.chemin)];
    }
    EXPECT_EQ(vus.size(), 2u + 600u + 3u + 3u * (2u + 400u));
    for (const auto& [nom, fois] : vus)
        EXPECT_EQ(fois, 1) << nom;
}

TEST(EnumerationLinux, attributsCacheLectureSeuleEtDossier)
{
    CDossierTemporaire d;
    creerFichier(d.sous(".cache"));
    creerFichier(d.sous("visible"), 0644); // one write bit is enough
    creerFichier(d.sous("protege"), 0444);
    ASSERT_EQ(mkdir(d.sous(".config").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(d.sous("dossier").c_str(), 0555), 0);
    const SListe liste = lister(d.chemin());
    EXPECT_EQ(liste.entrees.at(".cache").attributs, kAttrCache);
    EXPECT_EQ(liste.entrees.at("visible").attributs, 0u);
    EXPECT_EQ(liste.entrees.at("protege").attributs, kAttrLectureSeule);
    EXPECT_EQ(liste.entrees.at(".config").attributs, kAttrCache | kAttrDossier);
    EXPECT_EQ(liste.entrees.at("dossier").attributs, kAttrLectureSeule | kAttrDossier);
}

TEST(EnumerationLinux, liensNonSuivis)
{
    CDossierTemporaire d;
    ASSERT_EQ(mkdir(d.sous("cible").c_str(), 0755), 0);
    creerFichier(d.sous("cible/dedans"));
    ASSERT_EQ(symlink("cible", d.sous("lien").c_str()), 0);
    ASSERT_EQ(symlink("nulle-part", d.sous("casse").c_str()), 0);
    const SListe liste = lister(d.chemin());
    EXPECT_FALSE(liste.entrees.at("lien").attributs & kAttrDossier);
    EXPECT_EQ(liste.entrees.at("lien").taille, 5u); // the link's own length, not the folder's
    EXPECT_EQ(liste.entrees.at("casse").taille, 10u);
    EXPECT_EQ(liste.entrees.count("dedans"), 0u);
}

TEST(EnumerationLinux, tubeListeSansEtreOuvert)
{
    CDossierTemporaire d;
    ASSERT_EQ(mkfifo(d.sous("tube").c_str(), 0644), 0);
    // Opening the FIFO would block this test for ever: nobody writes to it.
    const SListe liste = lister(d.chemin());
    ASSERT_EQ(liste.entrees.count("tube"), 1u);
    EXPECT_EQ(liste.entrees.at("tube").attributs, 0u);
}

TEST(EnumerationLinux, tailleSurSoixanteQuatreBits)
{
    CDossierTemporaire d;
    const int fd = open(d.sous("creux").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 4294967301LL), 0); // sparse: no disk space used
    close(fd);
    EXPECT_EQ(lister(d.chemin()).entrees.at("creux").taille, 4294967301ULL);
}

TEST(EnumerationLinux, dossierImpossibleAOuvrirDonneNull)
{
    CDossierTemporaire d;
    creerFichier(d.sous("fichier"));
    ASSERT_EQ(mkfifo(d.sous("tube").c_str(), 0644), 0);
    CPlateformeLinux p;
    EXPECT_EQ(p.enumerer(d.sous("absent")), nullptr);
    EXPECT_EQ(p.enumerer(d.sous("fichier")), nullptr);
    EXPECT_EQ(p.enumerer(d.sous("tube")), nullptr); // and does not wait on it
    EXPECT_EQ(p.enumerer(""), nullptr);
}

TEST(EnumerationLinux, dossierIlisibleDonneNullSansPrivileges)
{
    CDossierTemporaire d;
    ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
    ASSERT_EQ(mkdir(d.sous("ferme").c_str(), 0000), 0);
    EXPECT_TRUE(sansPrivileges(
        [](const std::string& dossier) { return CPlateformeLinux().enumerer(dossier) == nullptr; }, d.sous("ferme")));
}

TEST(EnumerationLinux, dossierLisibleMaisNonTraversableGardeLesNoms)
{
    // Read permission without search permission: the names can be read, the entries
    // cannot be examined. They are kept, with their directory bit, rather than lost.
    CDossierTemporaire d;
    ASSERT_EQ(chmod(d.chemin().c_str(), 0755), 0);
    ASSERT_EQ(mkdir(d.sous("noms").c_str(), 0755), 0);
    creerFichier(d.sous("noms/fichier"));
    ASSERT_EQ(mkdir(d.sous("noms/sous").c_str(), 0755), 0);
    ASSERT_EQ(chmod(d.sous("noms").c_str(), 0744), 0);
    EXPECT_TRUE(sansPrivileges(
        [](const std::string& dossier) {
            std::unique_ptr<CEnumeration> e = CPlateformeLinux().enumerer(dossier);
            if (e == nullptr)
                return false;
            std::map<std::string, SEntreeDossier> vus;
            SEntreeDossier entree;
            while (e->suivante(entree))
                vus[nomDe(entree.chemin)] = entree;
            return vus.size() == 4 && vus.count("fichier") == 1 && vus.count("sous") == 1 &&
                   vus["sous"].attributs == kAttrDossier && vus["fichier"].attributs == 0 &&
                   vus["fichier"].ecriture == 0;
        },
        d.sous("noms")));
}

TEST(EnumerationLinux, nomsEnOctetsInvalidesRendusTelsQuels)
{
    CDossierTemporaire d;
    const std::string noms[] = {"caf\xe9", "\xff\xfe", "a\\b", "ligne\nsuivante", "clé", " espace "};
    for (const std::string& nom : noms)
        creerFichier(d.sous(nom));
    const SListe liste = lister(d.chemin());
    for (const std::string& nom : noms) {
        ASSERT_EQ(liste.entrees.count(nom), 1u) << nom;
        EXPECT_EQ(liste.entrees.at(nom).chemin, d.sous(nom));
    }
}

namespace {

// Makes a chain of folders whose full path passes `longueurMin` bytes and puts a file
// "fond" at the bottom; returns the path of the deepest folder.
std::string creerArborescenceProfonde(const std::string& base, std::size_t longueurMin)
{
    const std::string composant(100, 'p');
    std::string chemin = base;
    int fd = open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd >= 0 && chemin.size() < longueurMin) {
        mkdirat(fd, composant.c_str(), 0755);
        const int sous = openat(fd, composant.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = sous;
        chemin += '/' + composant;
    }
    if (fd >= 0) {
        close(openat(fd, "fond", O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        close(fd);
    }
    return chemin;
}

} // namespace

TEST(EnumerationLinux, cheminsLongsRendusEntiers)
{
    // Past PATH_MAX the kernel refuses the whole path: the folder is opened step by step.
    for (const std::size_t longueur : {std::size_t{1000}, std::size_t{PATH_MAX + 500}}) {
        CDossierTemporaire d;
        const std::string profond = creerArborescenceProfonde(d.chemin(), longueur);
        ASSERT_GE(profond.size(), longueur);
        const SListe liste = lister(profond);
        ASSERT_EQ(liste.entrees.count("fond"), 1u) << longueur;
        EXPECT_EQ(liste.entrees.at("fond").chemin, profond + "/fond");
    }
}

TEST(EnumerationLinux, reutiliseLaMemoireDuChemin)
{
    CDossierTemporaire d;
    creerFichier(d.sous("a"));
    creerFichier(d.sous("b"));
    CPlateformeLinux p;
    std::unique_ptr<CEnumeration> e = p.enumerer(d.chemin());
    ASSERT_NE(e, nullptr);
    SEntreeDossier entree;
    entree.chemin.reserve(4096);
    const char* tampon = entree.chemin.data();
    int n = 0;
    while (e->suivante(entree)) {
        EXPECT_EQ(entree.chemin.data(), tampon);
        ++n;
    }
    EXPECT_EQ(n, 4);
}

TEST(EnumerationLinux, datesDEcritureEtDAccesExactes)
{
    CDossierTemporaire d;
    creerFichier(d.sous("date"));
    creerFichier(d.sous("ancien"));
    // 7 March 2003 09:05:30.1234567 UTC written, 1 January 2004 accessed.
    const timespec temps[2] = {{1072915200, 0}, {1047027930, 123456700}};
    ASSERT_EQ(utimensat(AT_FDCWD, d.sous("date").c_str(), temps, 0), 0);
    // 1 January 1960: before the Unix epoch.
    const timespec avant1970[2] = {{-315619200, 0}, {-315619200, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, d.sous("ancien").c_str(), avant1970, 0), 0);

    const SListe liste = lister(d.chemin());
    EXPECT_EQ(liste.entrees.at("date").ecriture, tempsFichierDepuisUnix(1047027930, 123456700));
    EXPECT_EQ(liste.entrees.at("date").acces, tempsFichierDepuisUnix(1072915200));
    EXPECT_EQ(liste.entrees.at("ancien").ecriture, tempsFichierDepuisUnix(-315619200));
}

TEST(EnumerationLinux, creationEstLaNaissanceQuandLeSystemeLaGarde)
{
    CDossierTemporaire d;
    const std::time_t avant = std::time(nullptr);
    creerFichier(d.sous("ne"));
    const std::time_t apres = std::time(nullptr);
    const timespec ancien[2] = {{1047027930, 0}, {1047027930, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, d.sous("ne").c_str(), ancien, 0), 0);

    struct statx sx {};
    ASSERT_EQ(statx(AT_FDCWD, d.sous("ne").c_str(), 0, STATX_BTIME, &sx), 0);
    const SEntreeDossier entree = lister(d.chemin()).entrees.at("ne");
    if ((sx.stx_mask & STATX_BTIME) == 0) {
        EXPECT_EQ(entree.creation, entree.ecriture); // no birth time: the write time stands in
        return;
    }
    EXPECT_GE(entree.creation, tempsFichierDepuisUnix(avant));
    EXPECT_LT(entree.creation, tempsFichierDepuisUnix(apres + 1));
}
