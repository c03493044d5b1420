#pragma once
// Criteria given on the command line: --pattern, --created/--modified/--accessed
// FROM..TO, --size EXPR, --attr SPEC, --duplicates KEYS, --no-subfolders,
// --no-hidden-folders.

#include "cli/Arguments.h"

class CCriteres;

// The options that describe criteria (with or without --pattern), for CArguments.
#define NORVANEL_OPTIONS_CRITERES                                                              \
    {"created", true}, {"modified", true}, {"accessed", true}, {"size", true}, {"attr", true}, \
        {"duplicates", true}

// Writes what the options say into `criteres`; SErreurDonnees for a bad value.
void lireCriteres(const CArguments& args, CCriteres& criteres);
