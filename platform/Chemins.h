#pragma once
// Path arithmetic on texts only (no file-system call).
//
// Two kinds of path meet in a catalogue: Linux paths, which begin with '/' and whose
// only separator is '/' ('\' is an ordinary character of a Linux name), and paths
// captured on Windows ("C:\Photos\a.jpg", "\\serveur\partage\a.jpg"), whose separators
// are '\' and '/'.

#include <cstddef>
#include <string>
#include <string_view>

// True for a path of the Windows kind: a drive letter and ':' ("C:", "C:\x"), or a
// leading '\' ("\\srv\share", "\x").
bool estCheminDos(std::string_view chemin);

// `chemin` and `composant` joined by exactly one separator: '\' for a Windows path,
// '/' otherwise. Separators at the end of `chemin` and at the start of `composant` are
// not doubled. An empty `chemin` gives `composant`; a component made of nothing but
// separators gives `chemin` unchanged.
std::string ajouterAuChemin(std::string_view chemin, std::string_view composant);

// The last component, separators at the end ignored: "/a/b/" -> "b", "C:\x\y.doc" ->
// "y.doc". A root is its own last component: "/" -> "/", "C:\" -> "C:\".
std::string dernierComposant(std::string_view chemin);

// The root of a Windows path: "C:\x\y" -> "C:\", "C:" -> "C:\", "\\srv\share\x" ->
// "\\srv\share", "\x" -> "\". Empty when the path has no root ("", "x\y", "/x").
std::string racineDos(std::string_view chemin);

// True when the Windows path is its own root ("C:\", "C:", "\\srv\share\").
bool estRacineDos(std::string_view chemin);

// `chemin` without the separators at its end, for comparing paths: "/a/" -> "/a",
// "C:\" -> "C:", and "/" -> "" (only '/' counts for a path that begins with '/').
std::string_view sansSeparateursFinaux(std::string_view chemin);

// Where the name starts: after the last separator ('/' only in a path that begins with
// '/', '\' or '/' in any other), 0 without one: "/a/b\c" -> 3, "C:\x\y" -> 5.
std::size_t debutDuNom(std::string_view chemin);

// The folder part of a path, before its last separator: "/etc/passwd" -> "/etc",
// "/a" -> "/", "C:\x\a.doc" -> "C:\x", "C:\a.doc" -> "C:\". Empty without a separator.
std::string_view dossierDuChemin(std::string_view chemin);

// True when `a` and `b` name the same folder, separators at their ends ignored.
bool memeDossier(std::string_view a, std::string_view b);

// True when `chemin` lies strictly below the folder `dossier`: "/a/b" in "/a" and in
// "/", but not "/ab" in "/a" nor "/a" in "/a".
bool estSousDossier(std::string_view chemin, std::string_view dossier);
