#pragma once
// Opening a path with the desktop's program for it, through xdg-open.

#include <string>

// True when `chemin` exists (a link counts, even dangling) and xdg-open was started on
// it. xdg-open is started with an argument vector, never through a shell, and is not
// waited for: a background thread collects it when it ends, so it leaves no zombie.
// False when the path does not exist or xdg-open is not installed.
bool ouvrirAvecLeBureau(const std::string& chemin);
