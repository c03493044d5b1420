#pragma once
// The options and operands of one command. Options are "--nom" or "--nom VALEUR"
// ("--nom=VALEUR" too); anything else is an operand. "--" ends the options.

#include <initializer_list>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A misuse of the command line: exit code 1 with the command's usage.
struct SErreurUsage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Bad input (unreadable catalogue, unknown node, invalid value): exit code 2.
struct SErreurDonnees : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct SOption {
    const char* nom;      // without the dashes
    bool avecValeur;
};

class CArguments {
public:
    CArguments(const std::vector<std::string>& mots, std::initializer_list<SOption> options);

    bool drapeau(const std::string& nom) const { return valeurs_.count(nom) != 0; }
    std::optional<std::string> valeur(const std::string& nom) const;
    const std::vector<std::string>& valeurs(const std::string& nom) const;
    // The whole number the option gives, from `minimum` to `maximum` (decimal digits
    // only), or a usage error; `absent` when it is not given.
    int entier(const std::string& nom, int minimum, int maximum, int absent) const;
    const std::vector<std::string>& operandes() const { return operandes_; }
    // Exactly `minimum` to `maximum` operands, or a usage error.
    void exigerOperandes(std::size_t minimum, std::size_t maximum) const;

private:
    std::map<std::string, std::vector<std::string>> valeurs_;
    std::vector<std::string> operandes_;
};
