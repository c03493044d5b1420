#pragma once
// Whether caps lock and num lock are on, read from the keyboard LEDs the kernel shows
// in /sys/class/leds; off when no keyboard shows its LEDs there (a remote display).

struct SEtatVerrous {
    bool majuscules = false;
    bool numerique = false;
};

SEtatVerrous lireEtatVerrous();
