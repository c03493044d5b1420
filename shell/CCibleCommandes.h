#pragma once
// A link of the command route: the active view, then its document window, then the
// main window, then the application. The first target that knows a command decides
// whether it is enabled and carries it out; a command that no target knows is
// unavailable.

struct SEtatCommande {
    bool actif = true;
    bool coche = false;
};

class CCibleCommandes {
public:
    virtual ~CCibleCommandes() = default;
    // True when this target handles `id`; `etat` then says whether it is enabled and
    // checked.
    virtual bool etatCommande(int id, SEtatCommande& etat) = 0;
    // Carries out `id` if this target handles it; false otherwise.
    virtual bool executerCommande(int id) = 0;
};
