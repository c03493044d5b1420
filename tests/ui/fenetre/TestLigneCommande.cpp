// The window program's command line.

#include <gtest/gtest.h>

#include <QDir>

#include "shell/ChoixAffichage.h"
#include "shell/LigneCommande.h"

using A = SLigneCommande::EAction;

TEST(LigneCommande, RienUnNouveauDocument)
{
    EXPECT_EQ(analyserLigneCommande({}).action, A::Nouveau);
}

TEST(LigneCommande, DesFichiersAOuvrirEnCheminsAbsolus)
{
    const SLigneCommande l = analyserLigneCommande({QStringLiteral("a.kbt"), QStringLiteral("/x/b.kbt")});
    EXPECT_EQ(l.action, A::Ouvrir);
    EXPECT_EQ(l.fichiers, (QStringList{QDir::current().absoluteFilePath(QStringLiteral("a.kbt")),
                                       QStringLiteral("/x/b.kbt")}));
    // After "--", a name that looks like an option is a file.
    EXPECT_EQ(analyserLigneCommande({QStringLiteral("--"), QStringLiteral("-x.kbt")}).fichiers.size(), 1);
}

TEST(LigneCommande, ImprimerUnSeulFichier)
{
    const SLigneCommande l = analyserLigneCommande({QStringLiteral("--print"), QStringLiteral("/x/b.kbt")});
    EXPECT_EQ(l.action, A::Imprimer);
    EXPECT_EQ(l.fichiers, QStringList{QStringLiteral("/x/b.kbt")});
    EXPECT_EQ(analyserLigneCommande({QStringLiteral("--print")}).action, A::Erreur);
    EXPECT_EQ(analyserLigneCommande({QStringLiteral("--print"), QStringLiteral("a"), QStringLiteral("b")}).action,
              A::Erreur);
}

TEST(LigneCommande, OptionInconnueEtAide)
{
    const SLigneCommande l = analyserLigneCommande({QStringLiteral("--vite")});
    EXPECT_EQ(l.action, A::Erreur);
    EXPECT_EQ(l.message, QStringLiteral("Option inconnue : --vite"));
    EXPECT_EQ(analyserLigneCommande({QStringLiteral("--help")}).action, A::Aide);
    EXPECT_TRUE(texteAide().contains(QStringLiteral("--print")));
    EXPECT_TRUE(texteAide().startsWith(texteUsage()));
    EXPECT_TRUE(texteUsage().contains(QStringLiteral("--version")));
}

// The line is read before Qt's application, which takes its own options out later: ours
// must step over them, and keep the platform and the display they name.
TEST(LigneCommande, OptionsDeQtEnjambees)
{
    struct SCas {
        QStringList arguments;
        A action;
        int fichiers;
        QString plateforme, affichage;
    };
    const QString kbt = QStringLiteral("a.kbt");
    const SCas cas[] = {
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), kbt}, A::Ouvrir, 1, QStringLiteral("offscreen"), {}},
        {{QStringLiteral("--platform"), QStringLiteral("xcb")}, A::Nouveau, 0, QStringLiteral("xcb"), {}},
        {{QStringLiteral("-display"), QStringLiteral(":1"), QStringLiteral("--print"), kbt}, A::Imprimer, 1, {},
         QStringLiteral(":1")},
        // The value of an option of Qt is taken whatever it looks like, as Qt does.
        {{QStringLiteral("-style"), QStringLiteral("--help"), kbt}, A::Ouvrir, 1, {}, {}},
        {{QStringLiteral("-style=fusion"), QStringLiteral("-reverse"), kbt}, A::Ouvrir, 1, {}, {}},
        {{QStringLiteral("-platformtheme"), QStringLiteral("gtk3")}, A::Nouveau, 0, {}, {}},
        {{QStringLiteral("-v")}, A::Version, 0, {}, {}},
        {{kbt, QStringLiteral("--version")}, A::Version, 1, {}, {}},
        // After "--", a name of Qt's options is a file.
        {{QStringLiteral("--"), QStringLiteral("-reverse")}, A::Ouvrir, 1, {}, {}},
        // Close to one of Qt's, not one.
        {{QStringLiteral("-platforme"), QStringLiteral("x")}, A::Erreur, 0, {}, {}},
        {{QStringLiteral("-styles=x")}, A::Erreur, 0, {}, {}},
    };
    for (const SCas& c : cas) {
        const SLigneCommande l = analyserLigneCommande(c.arguments);
        const QString quoi = c.arguments.join(u' ');
        EXPECT_EQ(l.action, c.action) << quoi.toStdString();
        EXPECT_EQ(l.fichiers.size(), c.fichiers) << quoi.toStdString();
        EXPECT_EQ(l.plateforme, c.plateforme) << quoi.toStdString();
        EXPECT_EQ(l.affichage, c.affichage) << quoi.toStdString();
    }
}

TEST(LigneCommande, AffichageChoisiAvantQt)
{
    using E = EAffichage;
    struct SCas {
        A action;
        QString optionPlateforme, optionAffichage;
        SEnvironnementAffichage environnement;
        E attendu;
    };
    const QString x = QStringLiteral(":0"), w = QStringLiteral("wayland-0"), hors = QStringLiteral("offscreen");
    const SCas cas[] = {
        {A::Nouveau, {}, {}, {}, E::Aucun},
        {A::Ouvrir, {}, {}, {}, E::Aucun},
        {A::Imprimer, {}, {}, {}, E::HorsEcran},
        {A::Nouveau, {}, {}, {{}, x, {}}, E::Ordinaire},
        {A::Nouveau, {}, {}, {{}, {}, w}, E::Ordinaire},
        {A::Nouveau, {}, x, {}, E::Ordinaire},
        {A::Imprimer, {}, {}, {{}, x, {}}, E::OrdinaireSinonHorsEcran},
        {A::Imprimer, {}, {}, {{}, {}, w}, E::OrdinaireSinonHorsEcran},
        // A platform the user named is his choice, display or not.
        {A::Nouveau, {}, {}, {hors, {}, {}}, E::Ordinaire},
        {A::Imprimer, {}, {}, {QStringLiteral("xcb"), {}, {}}, E::Ordinaire},
        {A::Nouveau, hors, {}, {}, E::Ordinaire},
        {A::Imprimer, QStringLiteral("vnc"), {}, {{}, x, {}}, E::Ordinaire},
    };
    for (const SCas& c : cas) {
        SLigneCommande l;
        l.action = c.action;
        l.plateforme = c.optionPlateforme;
        l.affichage = c.optionAffichage;
        EXPECT_EQ(choisirAffichage(l, c.environnement), c.attendu)
            << static_cast<int>(c.action) << " " << c.optionPlateforme.toStdString() << " "
            << c.environnement.plateformeQt.toStdString() << " " << c.environnement.x11.toStdString();
    }
}

TEST(LigneCommande, CeQuiAEteEssayeEstNomme)
{
    SLigneCommande l;
    const std::string xcb = texteAffichageInjoignable(l, {QStringLiteral("xcb"), QStringLiteral(":9"), {}});
    EXPECT_NE(xcb.find("(plateforme « xcb », DISPLAY « :9 »)"), std::string::npos) << xcb;
    EXPECT_EQ(xcb.find("WAYLAND_DISPLAY"), std::string::npos) << xcb;
    EXPECT_TRUE(xcb.ends_with(".\n")) << xcb;
    // The option wins over the variable, as in Qt; a control character stays harmless.
    l.affichage = QStringLiteral(":1\x1b]0;x");
    const std::string texte = texteAffichageInjoignable(l, {{}, QStringLiteral(":9"), QStringLiteral("w")});
    EXPECT_NE(texte.find("DISPLAY « :1\\x1b]0;x », WAYLAND_DISPLAY « w »"), std::string::npos) << texte;
}
