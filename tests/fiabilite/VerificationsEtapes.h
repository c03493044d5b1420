#pragma once
// What each step reported by the helper (AideEnregistrement.h) must show.

#include <gtest/gtest.h>

#include <map>
#include <string>

using Rapport = std::map<std::string, std::string>;

inline std::string valeurDe(const Rapport& r, const std::string& cle)
{
    const auto i = r.find(cle);
    return i == r.end() ? "(absent)" : i->second;
}

// The save of step `etape` ("prefixe.N") worked: the file holds the new catalogue,
// the document is no longer modified, nothing is left beside it.
inline void attendreSucces(const Rapport& r, const std::string& etape)
{
    SCOPED_TRACE(etape);
    EXPECT_EQ(valeurDe(r, etape + ".resultat"), "ok") << valeurDe(r, etape + ".message");
    EXPECT_EQ(valeurDe(r, etape + ".conforme"), "1");
    EXPECT_EQ(valeurDe(r, etape + ".modifie"), "0");
    EXPECT_EQ(valeurDe(r, etape + ".temporaires"), "0");
}

// The save of step `etape` failed for `raison`, said so in French, and left the old
// file as it was, the document modified and no temporary file.
inline void attendreEchec(const Rapport& r, const std::string& etape, const std::string& raison)
{
    SCOPED_TRACE(etape);
    EXPECT_EQ(valeurDe(r, etape + ".resultat"), "echec");
    const std::string message = valeurDe(r, etape + ".message");
    EXPECT_EQ(message.rfind("Impossible d'enregistrer le catalogue « ", 0), 0u) << message;
    EXPECT_NE(message.find(" » : " + raison + ". Le fichier précédent est intact."), std::string::npos) << message;
    EXPECT_EQ(valeurDe(r, etape + ".modifie"), "1");
    EXPECT_EQ(valeurDe(r, etape + ".intact"), "1");
    EXPECT_EQ(valeurDe(r, etape + ".temporaires"), "0");
}
