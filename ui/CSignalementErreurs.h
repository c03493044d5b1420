#pragma once
// What the window program tells the user when something failed outside the usual
// messages: an operation ended on an exception (memory or threads ran short), or
// several files handed over could not be opened. One message box at a time: what fails
// while one is on screen (its loop keeps the program running) is gathered and shown
// in one more box once it closes, so that a run of failures never piles boxes up.

#include <exception>
#include <string>
#include <vector>

// The reason, in French, of the exception `e`: "la mémoire est insuffisante", the
// system's reason for a system error, else a general one.
std::string raisonException(std::exception_ptr e);

class CUtilisateur;

class CSignalementErreurs {
public:
    // Who is told; nobody (the standard error only) until set. Not owned.
    void definirUtilisateur(CUtilisateur* utilisateur) { utilisateur_ = utilisateur; }

    // Tells `texte` (one line or several) to the user now, or after the box on screen.
    // Never throws: short of memory even for that, the standard error hears of it.
    void signaler(const std::string& texte) noexcept;
    // "<quoi> n'a pas abouti : <raison>." The operation has put back what it had begun.
    void signalerEchec(const std::string& quoi, std::exception_ptr e) noexcept;

    // Past this many lines, a gathered message names the first ones and counts the rest.
    static constexpr std::size_t kLignesMax = 20;

private:
    CUtilisateur* utilisateur_ = nullptr;
    bool enAffichage_ = false;
    std::vector<std::string> enAttente_;
};
