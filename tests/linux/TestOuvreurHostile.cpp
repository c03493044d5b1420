// What reaches the desktop's opener, checked with a stand-in xdg-open that records
// every call it gets, in a throwaway home folder.

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/linux/OuvertureBureau.h"
#include "tests/commun/CitationShell.h"
#include "tests/linux/CCaptureReelle.h"
#include "tests/commun/CDossierTemporaire.h"
#include "tests/linux/ScenarioEnfant.h"
#include "workspace/Ouverture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Lignes = std::vector<std::string>;

class OuvreurJournalise : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_ancienPath = variable("PATH");
        m_ancienHome = variable("HOME");
        installerOuvreur("exit 0");
        setenv("PATH", (m_outils.chemin() + ":" + m_ancienPath).c_str(), 1);
        setenv("HOME", m_maison.chemin().c_str(), 1);
        // A shell run by mistake on a name would create its files here.
        ASSERT_EQ(chdir(m_donnees.chemin().c_str()), 0);
    }
    void TearDown() override
    {
        setenv("PATH", m_ancienPath.c_str(), 1);
        setenv("HOME", m_ancienHome.c_str(), 1);
        EXPECT_EQ(chdir("/"), 0);
    }

    static std::string variable(const char* nom)
    {
        const char* valeur = std::getenv(nom);
        return valeur != nullptr ? valeur : "";
    }

    // The stand-in: appends its argument count and its arguments, each ended by a NUL
    // byte, to the journal, then runs `fin` (its exit).
    void installerOuvreur(const std::string& fin)
    {
        const std::string script = m_outils.sous("xdg-open");
        std::ofstream(script) << "#!/bin/sh\n"
                              << "{ printf '%s\\0' \"$#\"; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } >> "
                              << citerPourShell(m_outils.sous("journal")) << "\n"
                              << fin << "\n";
        ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    }

    // Each call the stand-in got, as its list of arguments.
    std::vector<Lignes> appels() const
    {
        std::ifstream f(m_outils.sous("journal"));
        std::ostringstream texte;
        texte << f.rdbuf();
        const Lignes champs = decouper(texte.str());
        std::vector<Lignes> resultat;
        for (std::size_t i = 0; i < champs.size();) {
            const std::size_t n = std::stoul(champs[i++]);
            resultat.emplace_back(champs.begin() + i, champs.begin() + std::min(i + n, champs.size()));
            i += n;
        }
        return resultat;
    }

    std::string creerFichier(const std::string& nom)
    {
        std::ofstream(m_donnees.sous(nom)) << "x";
        return m_donnees.sous(nom);
    }

    // Nothing a shell would have made of the names.
    void verifierQueRienNAEteExecute() const
    {
        EXPECT_NE(access(m_donnees.sous("pirate").c_str(), F_OK), 0);
        EXPECT_NE(access(m_donnees.sous("pirate2").c_str(), F_OK), 0);
    }

    CDossierTemporaire m_outils;
    CDossierTemporaire m_maison;
    CDossierTemporaire m_donnees;
    CPlateformeLinux m_plateforme;

private:
    std::string m_ancienPath;
    std::string m_ancienHome;
};

TEST_F(OuvreurJournalise, chaqueNomArriveEntierCommeUnSeulArgument)
{
    const Lignes noms = {"$(touch pirate)", "`touch pirate`", "a;touch pirate", "a|touch pirate2", "a&&touch pirate2",
                         "'quote", "\"guillemets\"", "ligne\ntouch pirate", "#diese", "%s%n%20", "-rf", "--help",
                         " espace ", "caf\xE9", "*", "~"};
    std::vector<Lignes> attendus;
    for (const std::string& nom : noms) {
        const std::string chemin = creerFichier(nom);
        EXPECT_TRUE(m_plateforme.ouvrir(chemin, {})) << nom;
        attendus.push_back({chemin});
    }
    EXPECT_EQ(appels(), attendus);
    verifierQueRienNAEteExecute();
}

TEST_F(OuvreurJournalise, cheminRelatifNeLanceRien)
{
    // Even a relative name that exists here: it would be read as an option.
    creerFichier("--help");
    creerFichier("relatif");
    for (const char* chemin : {"--help", "relatif", "./relatif", "../x", "~/x", "C:\\x", "http://x", ""})
        EXPECT_FALSE(m_plateforme.ouvrir(chemin, {})) << chemin;
    EXPECT_FALSE(m_plateforme.ouvrir(m_donnees.chemin() + std::string("\0/etc", 5), {}));
    EXPECT_TRUE(appels().empty());
}

TEST_F(OuvreurJournalise, ouvreurEnEchecLeDitUneFois)
{
    const std::string chemin = creerFichier("a.txt");
    for (const char* fin : {"exit 3", "kill -KILL $$"}) {
        installerOuvreur(fin);
        int echecs = 0;
        EXPECT_TRUE(m_plateforme.ouvrir(chemin, [&] { ++echecs; })) << fin;
        EXPECT_EQ(echecs, 1) << fin;
        // Not waited for: told from the thread that collects it.
        struct SVu {
            std::atomic<int> echecs{0};
            std::atomic<bool> ailleurs{false};
        };
        // Shared with the thread, which may outlive a failed wait.
        const auto vu = std::make_shared<SVu>();
        const auto ici = std::this_thread::get_id();
        EXPECT_TRUE(lancerAvecLeBureau(chemin, [vu, ici] {
            vu->ailleurs = std::this_thread::get_id() != ici;
            ++vu->echecs;
        })) << fin;
        for (int i = 0; i < 500 && vu->echecs.load() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(vu->echecs.load(), 1) << fin;
        EXPECT_TRUE(vu->ailleurs.load()) << fin;
    }
    EXPECT_EQ(appels(), (std::vector<Lignes>(4, Lignes{chemin})));
}

TEST_F(OuvreurJournalise, ouvreurQuiTournEncoreCompteCommeLance)
{
    // On desktops where xdg-open runs the program itself, it returns only when the
    // program ends.
    const std::string chemin = creerFichier("a.txt");
    installerOuvreur("sleep 5; exit 3");
    bool echec = false;
    EXPECT_TRUE(ouvrirAvecLeBureau(chemin, [&] { echec = true; }, std::chrono::milliseconds(200)));
    EXPECT_FALSE(echec);
    EXPECT_EQ(appels(), (std::vector<Lignes>{{chemin}}));
}

// A snapshot of the data folder, for opening its files as the program does.
class OuverturePourLUtilisateur : public OuvreurJournalise {
protected:
    void SetUp() override
    {
        OuvreurJournalise::SetUp();
        m_fichier = creerFichier("photo $(touch pirate).jpg");
        m_capture = std::make_unique<CCaptureReelle>(m_donnees.chemin());
        ASSERT_EQ(m_capture->capturer(), EResultatMiseAJour::Capturee);
        ASSERT_EQ(m_capture->requete().fichiers().nombre(), 1);
    }
    void TearDown() override
    {
        m_capture.reset();
        OuvreurJournalise::TearDown();
    }

    CFichier& fichier() { return *m_capture->requete().fichiers().elementA(0); }

    std::string m_fichier;
    std::unique_ptr<CCaptureReelle> m_capture;
};

TEST_F(OuverturePourLUtilisateur, ouvreurReussiPasDeQuestion)
{
    ouvrir(m_capture->utilisateur(), fichier());
    EXPECT_EQ(appels(), (std::vector<Lignes>{{m_fichier}}));
    EXPECT_TRUE(m_capture->messages().empty());
    verifierQueRienNAEteExecute();
}

TEST_F(OuverturePourLUtilisateur, ouvreurEnEchecLeDitSansDemanderLeDisque)
{
    installerOuvreur("exit 3");
    ouvrir(m_capture->utilisateur(), fichier());
    EXPECT_EQ(appels(), (std::vector<Lignes>{{m_fichier}}));
    ASSERT_EQ(m_capture->messages().size(), 1u);
    EXPECT_EQ(m_capture->messages()[0].rfind("Impossible d'ouvrir « " + m_fichier + " » : ", 0), 0u)
        << m_capture->messages()[0];
}

TEST_F(OuverturePourLUtilisateur, cheminsQuiNeSontPasLocauxVontALaQuestionSansLOuvreur)
{
    // From a catalogue made on Windows, or crafted: the opener never sees them, even
    // where a file of that name exists.
    const Lignes chemins = {"C:\\Photos\\a.jpg", "\\\\serveur\\partage\\a.jpg", "http://exemple.org/a.jpg",
                            "file:///etc/hostname", "../x", "relatif", "-x", "~/x", "//etc/hostname",
                            "/etc/../etc/hostname", m_donnees.sous("./photo $(touch pirate).jpg"),
                            m_fichier + std::string("\0/etc/hostname", 14)};
    for (const std::string& chemin : chemins) {
        auto* f = CFichier::creer(m_capture->requete().arene(), &m_capture->requete(), chemin);
        m_capture->requete().fichiers().ajouter(f);
        ouvrir(m_capture->utilisateur(), *f);
    }
    EXPECT_TRUE(appels().empty());
    EXPECT_EQ(m_capture->messages().size(), chemins.size());
    verifierQueRienNAEteExecute();
}

} // namespace
