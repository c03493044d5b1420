// The window program's command line.

#include <gtest/gtest.h>

#include <QDir>

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
}
