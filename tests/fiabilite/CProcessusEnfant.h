#pragma once
// A child process whose output (standard output and error together) the test reads,
// and can kill at any moment.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// This test program's own path, to run it again as a helper (AideEnregistrement.h).
std::string cheminDuProgramme();

class CProcessusEnfant {
public:
    // Starts argv[0] (a full path) with argv; its input is what envoyer() sends, or
    // /dev/null.
    explicit CProcessusEnfant(const std::vector<std::string>& argv, bool avecEntree = false);
    // A child still running is killed and waited for.
    ~CProcessusEnfant();
    CProcessusEnfant(const CProcessusEnfant&) = delete;
    CProcessusEnfant& operator=(const CProcessusEnfant&) = delete;

    bool lance() const { return pid_ > 0; }
    bool envoyer(const std::string& texte);
    // Reads the output until a line holding `motif` has come; false when the output
    // ended first.
    bool attendreLigne(const std::string& motif);
    // The line attendreLigne() found last.
    const std::string& ligneTrouvee() const { return ligneTrouvee_; }
    void tuer();
    // Reads the rest of the output and waits for the end: the exit status, or 128 plus
    // the signal that ended it.
    int attendre();
    const std::string& sortie() const { return sortie_; }

private:
    bool lirePlus();

    pid_t pid_ = -1;
    int lecture_ = -1;
    int entree_ = -1;
    std::string ligneTrouvee_;
    std::string sortie_;
    std::size_t vu_ = 0;  // output already searched for complete lines
};

// The "key=value" lines of a helper's output.
std::map<std::string, std::string> lireRapport(const std::string& sortie);
