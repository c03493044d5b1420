#pragma once
// The contenders of the capture benchmarks, each timed once over a tree: our capture,
// the minimal walk (ParcoursPlancher) and find. Each run is a process of its own, as
// find is, so that none inherits what another left in the allocator. A failed run
// gives NaN times.

#include <cstddef>
#include <string>

#include "bench/Mesure.h"

// Our capture into a new query with the default switches and `fils` threads (0: the
// platform's choice); the document is destroyed outside the measure. `empreinte`, when
// given, receives the snapshot as text (EmpreinteRequete.h, creation times included or
// not).
SMesure mesurerCapture(const std::string& racine, int fils, std::size_t& fichiers, std::string* empreinte = nullptr,
                       bool avecCreation = true);

SMesure mesurerPlancher(const std::string& racine, std::size_t& fichiers);

// find ROOT -printf '%p %s %T@ %A@ %C@ %m\n' > /dev/null, start and wait included; the
// CPU time is the child's.
SMesure mesurerFind(const std::string& racine);
