#pragma once
// A link of the command route: the active view, then its document window, then the
// main window, then the application. The first target that knows a command decides
// whether it is enabled and carries it out; a command that no target knows is
// unavailable.
//
// A target fills its table once: for each command, what it does and the rules that
// enable and check it. The table, not the target, answers the route, so that no
// target can forget the long operations: while one runs (CTravailLong), a command is
// disabled, unchecked and not carried out, unless its entry offers it even then; and
// so are the commands of a document's windows while a job works on that document.

#include <functional>
#include <map>

class CDoc;

struct SEtatCommande {
    bool actif = true;
    bool coche = false;
};

struct SCommandeCible {
    std::function<void()> agir = {};
    std::function<bool()> actif = {};   // none: always enabled
    std::function<bool()> coche = {};   // none: never checked
    bool pendantTravailLong = false;
};

class CCibleCommandes {
public:
    // Adds the entry of `id`, or replaces it.
    void definirCommande(int id, SCommandeCible commande);
    // True when this target handles `id`; `etat` then says whether it is enabled and
    // checked.
    bool etatCommande(int id, SEtatCommande& etat) const;
    // Carries out `id` when it is enabled. False when this target does not handle it.
    bool executerCommande(int id);

protected:
    CCibleCommandes() = default;
    ~CCibleCommandes() = default;
    // The document whose window this target is; none for the main window and the
    // application.
    virtual const CDoc* documentDesCommandes() const { return nullptr; }

private:
    std::map<int, SCommandeCible> commandes_;
};
