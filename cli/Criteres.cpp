#include "cli/Criteres.h"

#include <charconv>
#include <cstring>

#include "model/CCriteres.h"
#include "platform/TexteAffichable.h"

namespace {

// "YYYY-MM-DD", a valid date, or "Date invalide".
CDate lireDate(std::string_view texte)
{
    unsigned a = 0, m = 0, j = 0;
    auto nombre = [&texte](std::size_t debut, std::size_t longueur, unsigned& v) {
        const char* d = texte.data() + debut;
        const auto r = std::from_chars(d, d + longueur, v);
        return r.ec == std::errc() && r.ptr == d + longueur;
    };
    const bool forme = texte.size() == 10 && texte[4] == '-' && texte[7] == '-' && nombre(0, 4, a) &&
                       nombre(5, 2, m) && nombre(8, 2, j);
    const CDate d{j, m, a};
    if (!forme || d.valider() != EValiditeDate::Valide)
        throw SErreurDonnees("Date invalide : " + std::string(texte));
    return d;
}

void lirePlage(const CArguments& args, const char* nom, CPlageDates& plage)
{
    const auto valeur = args.valeur(nom);
    if (!valeur)
        return;
    const std::size_t sep = valeur->find("..");
    if (sep == std::string::npos)
        throw SErreurDonnees("Date invalide : --" + std::string(nom) + " attend DEBUT..FIN, par exemple 2003-03-10..2003-03-31");
    plage.actif = true;
    plage.du = lireDate(std::string_view(*valeur).substr(0, sep));
    plage.au = lireDate(std::string_view(*valeur).substr(sep + 2));
}

void lireTaille(const std::string& expr, CCriteres& c)
{
    auto refus = [&expr]() {
        return SErreurDonnees("taille invalide : " + entreGuillemets(expr) +
                              " (par exemple '>=2Mo' : =, >= ou <=, un nombre de 0 à 99999, octets, Ko, Mo ou Go)");
    };
    std::string_view t = expr;
    if (t.rfind(">=", 0) == 0) {
        c.comparaisonTaille = kTailleAuMoins;
        t.remove_prefix(2);
    } else if (t.rfind("<=", 0) == 0) {
        c.comparaisonTaille = kTailleAuPlus;
        t.remove_prefix(2);
    } else if (t.rfind("=", 0) == 0) {
        c.comparaisonTaille = kTailleEgale;
        t.remove_prefix(1);
    } else {
        throw refus();
    }
    unsigned valeur = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), valeur);
    if (r.ec != std::errc() || r.ptr == t.data() || valeur > 99999)
        throw refus();
    const std::string_view unite(r.ptr, static_cast<std::size_t>(t.data() + t.size() - r.ptr));
    static constexpr const char* kUnites[] = {"octets", "Ko", "Mo", "Go"};
    c.uniteTaille = -1;
    for (int i = 0; i < 4; ++i)
        if (unite == kUnites[i])
            c.uniteTaille = i;
    if (c.uniteTaille < 0)
        throw refus();
    c.testTaille = 1;
    c.valeurTaille = valeur;
    c.accepter();
}

void lireAttributs(const std::string& spec, CCriteres& c)
{
    if (spec.empty() || spec.size() % 2)
        throw SErreurDonnees("attributs invalides : " + entreGuillemets(spec) + " (par exemple +R-H)");
    for (std::size_t i = 0; i < spec.size(); i += 2) {
        const char* lettre = std::strchr("RHSA", spec[i + 1]);
        if ((spec[i] != '+' && spec[i] != '-') || !lettre || !spec[i + 1])
            throw SErreurDonnees("attributs invalides : " + entreGuillemets(spec) + " (par exemple +R-H)");
        c.attributs[lettre - "RHSA"] = spec[i] == '+' ? kAttributPresent : kAttributAbsent;
    }
}

void lireDoublons(const std::string& cles, CCriteres& c)
{
    c.doublons = 1;
    if (cles == "any")
        return;
    std::size_t debut = 0;
    while (debut <= cles.size()) {
        const std::size_t fin = std::min(cles.find(',', debut), cles.size());
        const std::string cle = cles.substr(debut, fin - debut);
        if (cle == "name")
            c.memeNom = 1;
        else if (cle == "created")
            c.memeCreation = 1;
        else if (cle == "modified")
            c.memeModification = 1;
        else if (cle == "accessed")
            c.memeAcces = 1;
        else if (cle == "size")
            c.memeTaille = 1;
        else
            throw SErreurDonnees("clé de doublons inconnue : " + entreGuillemets(cle) +
                                 " (name, created, modified, accessed, size, ou any)");
        debut = fin + 1;
    }
}

} // namespace

void lireCriteres(const CArguments& args, CCriteres& c)
{
    lirePlage(args, "created", c.cree);
    lirePlage(args, "modified", c.modifie);
    lirePlage(args, "accessed", c.accede);
    if (auto t = args.valeur("size"))
        lireTaille(*t, c);
    if (auto a = args.valeur("attr"))
        lireAttributs(*a, c);
    if (auto d = args.valeur("duplicates"))
        lireDoublons(*d, c);
}
