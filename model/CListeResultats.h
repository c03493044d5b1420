#pragma once

#include <vector>

class CFichier;

// A list of file rows (search results, comparison results) that must forget a file
// entry before it is destroyed.
class CListeResultats {
public:
    virtual ~CListeResultats() = default;
    virtual void retirerFichier(const CFichier* fichier) = 0;
    // The same for many files at once (a document closed, a snapshot replaced): a
    // window takes its list again once rather than after each row.
    virtual void retirerFichiers(const std::vector<const CFichier*>& fichiers)
    {
        for (const CFichier* f : fichiers)
            retirerFichier(f);
    }
};
