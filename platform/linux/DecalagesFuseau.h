#pragma once
// The offset from UTC in force at an instant of the local time zone, read from the C
// library once per stretch of time and then without it. localtime_r takes a lock all
// threads share and looks the zone's rules up on every call; a capture converts three
// times per file, on several threads.

#include <cstdint>
#include <optional>

// The offset, in seconds, such that the library's local fields for `secondes` (from
// 1970) are those of `secondes` plus it; nullopt where only the library converts: out
// of 1900–2100, or in a stretch where that does not hold (a zone counting leap seconds).
std::optional<std::int64_t> decalageFuseau(std::int64_t secondes);

// Forgets the offsets read: for whoever changes TZ while running, with no conversion
// under way on another thread.
void oublierDecalages();
