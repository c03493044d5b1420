#pragma once
// Opening a path with the desktop's program for it, through xdg-open.

#include <chrono>
#include <functional>
#include <string>

// How long xdg-open is waited for. It returns once it has handed the file over, but on
// desktops where it runs the program itself it returns only when the program ends:
// still running after this long, it counts as launched.
inline constexpr std::chrono::milliseconds kDelaiOuvreur{10000};

// True when xdg-open was started on `chemin` and reported success (exit status 0), or
// was still running after `delai`. False, and xdg-open is not started, when `chemin`
// is not an absolute path or does not exist (a link counts, even dangling); false when
// xdg-open is missing, fails, or is killed. It gets `chemin` as the one argument of an
// argument vector, never through a shell; an opener still running after `delai` is
// collected by a background thread when it ends, so it leaves no zombie.
//
// While xdg-open runs, `patienter` is called with short pauses to spend (by default the
// thread sleeps): the window program keeps its windows painted meanwhile.
using FonctionPatience = std::function<void(std::chrono::milliseconds)>;
bool ouvrirAvecLeBureau(const std::string& chemin, std::chrono::milliseconds delai = kDelaiOuvreur,
                        const FonctionPatience& patienter = {});
