#pragma once
// Why a system call failed, in French, for the messages the user reads.

#include <string>

// The reason behind `erreur` (an errno value) in French, without a capital or a final
// full stop ("le disque est plein"). Never the system's own English text.
std::string raisonSysteme(int erreur);
