#pragma once
// Save calls that fail where a test says: the calls given, except that the `rang`-th
// call (from 1) of one kind fails with `erreur`, as a full disk, a failing disk or a
// dropped share would make it fail. The other calls, before and after, go through.

#include "platform/AppelsEcriture.h"

enum class EAppelEcriture { ecrire, synchroniser, renommer, tronquer, lire, verrouiller };

SAppelsEcriture appelsEnEchec(SAppelsEcriture reels, EAppelEcriture appel, int rang, int erreur);
