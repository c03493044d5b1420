#pragma once
// What the save tests share: catalogues of a chosen size built without a scan, and a
// look at the bytes and the names a save leaves on disk.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

// One binder, one query of `entrees` files whose paths are about `longueur` bytes of
// `lettre`: two letters give two different catalogues of the same size.
inline void remplirCatalogue(CDoc& doc, int entrees, std::size_t longueur, char lettre)
{
    doc.initialiserNouveau();
    CClasseur* c = doc.classeurs().elementA(0);
    auto* q = new CRequete(c);
    q->definirNom(std::string("Disque ") + lettre);
    q->definirChemin("/m");
    c->requetes().ajouter(q);
    const std::string base = "/m/" + std::string(longueur, lettre);
    for (int i = 0; i < entrees; ++i) {
        auto* f = CFichier::creer(q->arene(), q, base + std::to_string(i));
        f->taille = static_cast<std::uint32_t>(i);
        q->fichiers().ajouter(f);
    }
    doc.definirModifie();
}

// The whole file; empty when it cannot be read.
inline std::string lireTout(const std::string& chemin)
{
    std::ifstream f(chemin, std::ios::binary | std::ios::ate);
    if (!f)
        return {};
    std::string s(static_cast<std::size_t>(f.tellg()), '\0');
    f.seekg(0);
    f.read(s.data(), static_cast<std::streamsize>(s.size()));
    s.resize(static_cast<std::size_t>(f.gcount()));
    return s;
}

inline bool existe(const std::string& chemin)
{
    std::error_code e;
    return std::filesystem::exists(std::filesystem::symlink_status(chemin, e));
}

// The names in `dossier`, sorted.
inline std::vector<std::string> entreesDe(const std::string& dossier)
{
    std::vector<std::string> r;
    for (const auto& e : std::filesystem::directory_iterator(dossier))
        r.push_back(e.path().filename().string());
    std::sort(r.begin(), r.end());
    return r;
}
