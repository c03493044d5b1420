#pragma once
// Limits that keep damaged or hostile input from exhausting the program.

// How deep folders may nest below their query's root (the root is level 0, its
// sub-folders level 1...). The tree is walked recursively, so a catalogue that nests
// deeper is refused; the capture therefore never keeps a folder deeper than this, and
// whatever it captured is read back.
inline constexpr int kProfondeurMaxDossiers = 10000;

inline constexpr bool niveauDossierPermis(int niveau)
{
    return niveau <= kProfondeurMaxDossiers;
}
