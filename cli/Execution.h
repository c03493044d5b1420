#pragma once
// How a command of norvanel-cli ends: its output flushed, or its error told on the
// error output with the command's name, and the exit code of either (0 or the
// command's own, 1 misuse, 2 bad input or failure). The print program ends the same way.

#include <functional>
#include <string>

// Runs `commande`; `usage` writes the command's usage after a misuse.
int executerCommande(const std::string& nom, const std::function<int()>& commande,
                     const std::function<void()>& usage);
