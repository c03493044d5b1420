#pragma once

class CFichier;

// A list of file rows (search results, comparison results) that must forget a file
// entry before it is destroyed.
class CListeResultats {
public:
    virtual ~CListeResultats() = default;
    virtual void retirerFichier(const CFichier* fichier) = 0;
};
