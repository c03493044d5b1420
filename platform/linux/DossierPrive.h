#pragma once
// A folder only we may enter, for what other users must not reach or replace (the
// window program's socket): ours, a real folder (not a link), closed to group and
// others.

#include <string>

// True when `chemin` is such a folder. Checked on the folder itself (no link
// followed), so that nobody can swap another one in under its name.
bool dossierAMoiSeul(const std::string& chemin);

// Makes `chemin` (mode 0700) when it is missing; true when it is then a folder of ours
// alone. A folder of the same name that another user made, or left open, is refused,
// never changed: its owner could still put things in it.
bool preparerDossierPrive(const std::string& chemin);
