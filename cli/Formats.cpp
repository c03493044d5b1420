#include "cli/Formats.h"

#include <cstdio>

#include "model/CDateHeure.h"
#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"
#include "platform/PliCasse.h"
#include "platform/TexteAffichable.h"

namespace {

// Characters on screen, for aligning columns.
std::size_t largeurAffichee(std::string_view t)
{
    std::size_t n = 0;
    for (char c : t)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string dossierReelDe(const CFichier& f)
{
    return std::string(f.dossierReel());
}

} // namespace

std::string jsonTexte(std::string_view texte)
{
    std::string r = "\"";
    auto* p = reinterpret_cast<const pli::Octet*>(texte.data());
    const pli::Octet* fin = p + texte.size();
    while (p < fin) {
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        char echappe[8];
        if (c.code >= 0xDC80 && c.code <= 0xDCFF && c.longueur == 1) {
            std::snprintf(echappe, sizeof echappe, "\\u%04X", unsigned(c.code));
            r += echappe;
        } else if (c.code == '"' || c.code == '\\') {
            r += '\\';
            r += static_cast<char>(c.code);
        } else if (c.code < 0x20 || c.code == 0x7F || (c.code >= 0x80 && c.code <= 0x9F) ||
                   estFormatTrompeur(c.code)) {
            // Controls, DEL and C1 too: printed raw they would drive a terminal; and the
            // format characters that would make one name show as another.
            std::snprintf(echappe, sizeof echappe, "\\u%04X", unsigned(c.code));
            r += echappe;
        } else {
            r.append(reinterpret_cast<const char*>(p), c.longueur);
        }
        p += c.longueur;
    }
    return r + "\"";
}

std::vector<std::string> cellulesTexte(const CFichier& f)
{
    const CRequete* q = f.requete();
    auto si = [](bool stocke, std::string valeur) { return stocke ? valeur : std::string(); };
    return {std::string(f.nom()),
            si(q && q->stockerTaille, plateforme().texteTaille(f.taille)),
            si(q && q->stockerCree, f.cree().texte()),
            si(q && q->stockerModifie, f.modifie().texte()),
            si(q && q->stockerAccede, f.accede().texte()),
            si(q && q->stockerAttributs, f.lettres),
            dossierReelDe(f)};
}

std::string ligneJson(const CFichier& f, int statut)
{
    static constexpr const char* kCles[] = {"name", "size", "created", "modified", "accessed", "attributes", "folder"};
    const std::vector<std::string> cellules = cellulesBrutes(f);
    const CRequete* q = f.requete();
    const bool stockes[] = {true, q && q->stockerTaille, q && q->stockerCree, q && q->stockerModifie,
                            q && q->stockerAccede, q && q->stockerAttributs, true};
    std::string r = "{";
    if (statut >= 0)
        r += "\"status\": " + std::to_string(statut) + ", ";
    for (int i = 0; i < 7; ++i) {
        if (i)
            r += ", ";
        r += std::string("\"") + kCles[i] + "\": ";
        if (!stockes[i])
            r += "null";
        else if (i == 1)
            r += cellules[i];
        else
            r += jsonTexte(cellules[i]);
    }
    return r + "}";
}

std::string tableauTexte(const std::vector<std::string>& titres, const std::vector<std::vector<std::string>>& lignes)
{
    std::vector<std::size_t> largeurs(titres.size());
    for (std::size_t i = 0; i < titres.size(); ++i)
        largeurs[i] = largeurAffichee(titres[i]);
    for (const auto& l : lignes)
        for (std::size_t i = 0; i < l.size() && i < largeurs.size(); ++i)
            largeurs[i] = std::max(largeurs[i], largeurAffichee(l[i]));
    auto ecrire = [&](const std::vector<std::string>& cellules) {
        std::string r;
        for (std::size_t i = 0; i < cellules.size(); ++i) {
            r += cellules[i];
            if (i + 1 < cellules.size())
                r += std::string(largeurs[i] - largeurAffichee(cellules[i]) + 2, ' ');
        }
        return r + "\n";
    };
    std::string r = ecrire(titres);
    for (const auto& l : lignes)
        r += ecrire(l);
    return r;
}
