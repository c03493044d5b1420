#pragma once
// Running part of a test in a forked child: what the scenario changes there (its mount
// namespace, its user, its limits) goes with the child, and a child that hangs is
// killed instead of the test.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

enum class EFinEnfant { Terminee, NonPermise, Echouee, Bloquee };

struct SResultatEnfant {
    EFinEnfant fin = EFinEnfant::Echouee;
    // What the work returned; the reason when it was not permitted or failed.
    std::string sortie;
};

// Runs `travail` in a child process and brings back the text it returns. The child is
// killed after `delai`.
SResultatEnfant executerDansEnfant(const std::function<std::string()>& travail,
                                   std::chrono::seconds delai = std::chrono::seconds(30));

// In the child: the system does not allow what the scenario needs. Ends the child; the
// test is skipped with `raison`.
[[noreturn]] void scenarioNonPermis(const std::string& raison);

// In the child: a private mount namespace, so that what is mounted next is seen by the
// child alone and vanishes with it.
void espaceMontagePrive();
// In the child: mount(2), or the scenario is not permitted.
void monter(const std::string& source, const std::string& cible, const char* type, unsigned long drapeaux,
            const char* options = nullptr);
// In the child: uid and gid 65534 with no other group when run as root, so that
// permissions apply (root ignores them).
void devenirPersonne();

// Texts joined with, and split at, NUL bytes: names may hold any other byte.
std::string joindre(const std::vector<std::string>& textes);
std::vector<std::string> decouper(const std::string& texte);

// Skips the current test when the child said the system does not allow the scenario;
// fails it when the child failed or hung.
#define VERIFIER_ENFANT(resultat)                                                                  \
    do {                                                                                           \
        if ((resultat).fin == EFinEnfant::NonPermise)                                              \
            GTEST_SKIP() << (resultat).sortie;                                                     \
        ASSERT_EQ((resultat).fin, EFinEnfant::Terminee) << (resultat).sortie;                      \
    } while (false)
