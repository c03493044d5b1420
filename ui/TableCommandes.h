#pragma once
// What the user sees of each command: its menu text (the accelerator's name after a
// tab, as the menu shows it), the key that runs it, its prompt (the status-bar text,
// then, after a newline, the tooltip) and its toolbar picture.

#include <span>

struct SCommande {
    int id;
    const char* texte;      // menu text, "&" before the mnemonic
    const char* touche;     // QKeySequence text of the accelerator, or ""
    const char* invite;     // status text "\n" tooltip, or ""
    const char* icone;      // resource name of the toolbar picture, or ""
    bool cochable;
};

// Every command of the menus and accelerators, F6 included.
std::span<const SCommande> tableCommandes();
// The entry of `id`, or nullptr.
const SCommande* commande(int id);

// Toolbar 100, left to right; 0 is a separator.
std::span<const int> boutonsBarreOutils();
