// The catalogue builder of the tests: what it builds is a catalogue the program itself
// would write and read back, and a description it cannot read is refused, never
// half-built.

#include "tests/commun/ConstructeurCatalogue.h"

#include "tests/core/Factices.h"

#include "model/CClasseur.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "storage/FichierCatalogue.h"

namespace {

using ConstructeurCatalogue = AvecPlateformeFactice;

TEST_F(ConstructeurCatalogue, ConstruitCeQuIlDecritEtLeFichierLeGarde)
{
    const CCatalogueConstruit c = construireCatalogue(R"(
classeur Disques
  requete CD /media/cd
    fichier a.txt taille=5 lettres=RA modifie=10/03/2003 accede=12/03/2003 marque=1
    dossier photos cache
      fichier b.jpg
classeur Vide
)");
    ASSERT_EQ(c.doc->classeurs().nombre(), 2);
    CRequete& q = c.requete("CD");
    EXPECT_EQ(q.classeur(), &c.classeur("Disques"));
    EXPECT_EQ(q.chemin(), "/media/cd");
    const CFichier& a = c.fichier("CD/a.txt");
    EXPECT_EQ(a.chemin(), "/media/cd/a.txt");
    EXPECT_EQ(a.taille, 5u);
    EXPECT_STREQ(a.lettres, "RA");
    EXPECT_EQ(a.modifie(), (CDateHeure{{10, 3, 2003}, 0, 0, 0}));
    EXPECT_EQ(a.accede(), (CDate{12, 3, 2003}));
    EXPECT_EQ(a.marque, 1);
    CDossier& photos = c.dossier("CD/photos");
    EXPECT_TRUE(photos.estCache());
    EXPECT_EQ(photos.requete(), &q);
    EXPECT_EQ(c.fichier("CD/photos/b.jpg").parent(), &photos);

    // Written and read back, the same bytes again.
    const std::string octets = ecrireCatalogue(*c.doc);
    CDoc relu;
    ASSERT_TRUE(lireCatalogue(relu, octets));
    EXPECT_EQ(ecrireCatalogue(relu), octets);
}

TEST_F(ConstructeurCatalogue, DescriptionIlisibleRefusee)
{
    const char* const refusees[] = {
        "requete Q /d",                                   // a query outside a binder
        "classeur C\n  dossier d",                        // a folder outside a query
        "classeur C\n  requete Q",                        // a query without its folder
        "classeur C\n  requete Q /d\n     fichier f",     // odd indentation
        "classeur C\n  requete Q /d\n      fichier f",    // two levels at once
        "classeur C\n  requete Q /d\n    fichier f\n      fichier g",  // beneath a file
        "classeur C\n  requete Q /d\n    fichier f taille",            // value without =
        "classeur C\n  requete Q /d\n    fichier f poids=3",           // unknown value
        "classeur C\n  requete Q /d\n    fichier f modifie=2003-03-10",
        "classeur C\n  requete Q /d\n    fichier f\n    fichier f",    // same place twice
    };
    for (const char* d : refusees)
        EXPECT_THROW(construireCatalogue(d), std::invalid_argument) << d;
    EXPECT_THROW(construireCatalogue("classeur C").fichier("C/x"), std::invalid_argument);
}

} // namespace
