#pragma once
// Whether caps lock and num lock are on. Under X11 the server's keyboard indicators
// tell it (when the program was built with libX11); elsewhere the keyboard LEDs the
// kernel shows in /sys/class/leds. Where neither can be read (no display, a remote
// one, a Wayland session with no local keyboard), the state is unknown.

#include <optional>

struct SEtatVerrous {
    bool lisible = false;     // false: the state is unknown, show no indicator
    bool majuscules = false;
    bool numerique = false;
};

SEtatVerrous lireEtatVerrous();

// The X11 server's indicators; nullopt when the program does not run on X11 or was
// built without libX11.
std::optional<SEtatVerrous> lireVerrousX11();
