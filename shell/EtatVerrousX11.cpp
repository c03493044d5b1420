// The X11 part of the lock-key state, apart: Xlib's macros (None, Bool, Status...)
// must not reach the rest of the program.

#include "shell/EtatVerrous.h"

#ifdef NORVANEL_AVEC_X11

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

std::optional<bool> indicateur(Display* affichage, const char* nom)
{
    const Atom atome = XInternAtom(affichage, nom, True);
    Bool allume = False;
    if (atome == 0 || !XkbGetNamedIndicator(affichage, atome, nullptr, &allume, nullptr, nullptr))
        return std::nullopt;
    return allume != False;
}

} // namespace

std::optional<SEtatVerrous> lireVerrousX11()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* affichage = x11 ? x11->display() : nullptr;
    if (!affichage)
        return std::nullopt;
    const std::optional<bool> majuscules = indicateur(affichage, "Caps Lock");
    const std::optional<bool> numerique = indicateur(affichage, "Num Lock");
    if (!majuscules || !numerique)
        return SEtatVerrous{};
    return SEtatVerrous{true, *majuscules, *numerique};
}

#else

std::optional<SEtatVerrous> lireVerrousX11()
{
    return std::nullopt;
}

#endif
