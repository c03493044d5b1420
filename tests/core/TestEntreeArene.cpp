// A file entry keeps its name only while its folder's path makes its path again; what
// moves it (a new folder, a folder renamed, a copy elsewhere) keeps the path it had.
// A destroyed entry stays poisoned under the address sanitizer.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/Arene.h"
#include "model/CDossier.h"
#include "model/CFichier.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define AVEC_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define AVEC_ASAN 1
#endif
#ifdef AVEC_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace {

TEST(EntreeArene, LeCheminResteCeluiQuiAEteDonne)
{
    const struct {
        const char* dossier;
        const char* chemin;
        const char* nom;
    } cas[] = {
        {"/m/a", "/m/a/x.txt", "x.txt"},     {"/", "/x", "x"},
        {"/m/a/", "/m/a/x", "x"},            {"C:\\d", "C:\\d\\x", "x"},
        {"C:", "C:\\x", "x"},                {"C:\\", "C:\\x", "x"},
        {"", "\\x", "x"},                    {"/m/a", "/m/a/b\\c", "b\\c"},
        {"/m/a", "/m/a/", ""},               {"/m/a", "/m/b/x", "x"},
        {"C:\\d", "C:/d/x", "x"},            {"/m/a", "x", "x"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.dossier) + " | " + c.chemin);
        CDossier d(nullptr, c.dossier, false);
        CFichier* f = d.nouveauFichier(c.chemin);
        EXPECT_EQ(f->chemin(), c.chemin);
        EXPECT_EQ(f->nom(), c.nom);

        // Its folder renamed, then moved to another folder, then copied to a third.
        d.definirChemin("/renomme");
        EXPECT_EQ(f->chemin(), c.chemin);
        CDossier autre(nullptr, "/autre", false);
        d.fichiers().retirerElement(f);
        f->definirParent(&autre);
        autre.fichiers().ajouter(f);
        EXPECT_EQ(f->chemin(), c.chemin);
        EXPECT_EQ(f->nom(), c.nom);
        CDossier troisieme(nullptr, "/trois", false);
        troisieme.fichiers().ajouter(CFichier::copier(troisieme.arene(), &troisieme, *f));
        EXPECT_EQ(troisieme.fichiers().elementA(0)->chemin(), c.chemin);
    }
}

// A date that does not pack goes aside with the others, which keep their values.
TEST(EntreeArene, UneDateHorsCalendrierGardeLesAutres)
{
    CDossier d(nullptr, "/m", false);
    CFichier* f = d.nouveauFichier("/m/x");
    const CDateHeure cree{{1, 2, 2003}, 4, 5, 6};
    const CDate accede{7, 8, 2009};
    f->definirCree(cree);
    f->definirAccede(accede);
    const CDateHeure abimee{{1, 2, 2003}, 0xFFFFFFFFu, 5, 6};
    f->definirModifie(abimee);
    EXPECT_EQ(f->cree(), cree);
    EXPECT_EQ(f->modifie(), abimee);
    EXPECT_EQ(f->accede(), accede);
    EXPECT_EQ(f->chemin(), "/m/x");
    f->definirModifie(cree);
    EXPECT_EQ(f->modifie(), cree);
}

// An entry turned down by the capture gives its memory to the next one; a destroyed
// entry is poisoned, so that a window still holding it is caught under ASan.
TEST(EntreeArene, UneEntreeDetruiteEstRendueEtEmpoisonnee)
{
    CArene arene;
    CFichier* refusee = CFichier::creer(arene, nullptr, "/m/refusee");
    CFichier::abandonner(arene, refusee);
    CFichier* suivante = CFichier::creer(arene, nullptr, "/m/suivante");
    EXPECT_EQ(static_cast<void*>(suivante), static_cast<void*>(refusee));
    delete suivante;
#ifdef AVEC_ASAN
    EXPECT_TRUE(__asan_address_is_poisoned(&suivante->taille));
#endif
    CFichier* autre = CFichier::creer(arene, nullptr, "/m/autre");
    EXPECT_NE(static_cast<void*>(autre), static_cast<void*>(suivante));
    delete autre;
}

} // namespace
