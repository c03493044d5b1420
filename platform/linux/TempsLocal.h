#pragma once
// Local calendar time of file times and of the clock, through the C library's time zone
// rules (TZ, /etc/localtime).

#include "platform/CPlateforme.h"

// The local calendar time of `t`, with the offset in force at that instant (a summer
// date keeps its summer offset when converted in winter).
// A time before 1601 (negative) or one the C library cannot convert gives all fields 0,
// which the catalogue shows as an unset date; a leap second is shown as second 59.
SCalendrier calendrierLocal(TempsFichier t);

// The local calendar time now.
SCalendrier calendrierLocalMaintenant();

// Reads TZ again and forgets the offsets kept: for whoever changes TZ while running.
void oublierFuseau();
