#pragma once
// Opening a path with the desktop's program for it, through xdg-open.

#include <chrono>
#include <functional>
#include <string>

// How long a failure of xdg-open counts. It returns once it has handed the file over,
// but on desktops where it runs the program itself it returns only when the program
// ends: still running after this long, it counts as launched, whatever its end.
inline constexpr std::chrono::milliseconds kDelaiOuvreur{10000};

// Told when the opener failed within the delay: it found no program for the file,
// failed, or was killed.
using FonctionEchecOuvreur = std::function<void()>;

// Starts xdg-open on `chemin` and returns at once: true once it is started. A
// background thread collects it when it ends, so it leaves no zombie, and calls
// `echec` from that thread when it failed within `delai`. False, and nothing is
// started, when `chemin` is not an absolute path or does not exist (a link counts,
// even dangling), or when xdg-open cannot be started. It gets `chemin` as the one
// argument of an argument vector, never through a shell.
bool lancerAvecLeBureau(const std::string& chemin, FonctionEchecOuvreur echec,
                        std::chrono::milliseconds delai = kDelaiOuvreur);

// The same, waited for on the calling thread: `echec` is called there, before the
// return, when the opener failed within `delai`.
bool ouvrirAvecLeBureau(const std::string& chemin, const FonctionEchecOuvreur& echec,
                        std::chrono::milliseconds delai = kDelaiOuvreur);
