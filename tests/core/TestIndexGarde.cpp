// The kept quick-search index: written from a catalogue, read back as the same search
// and the same records; anything else in its place is refused, never trusted.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/SommeRapide.h"
#include "search/IndexGarde.h"
#include "search/MotsRapides.h"
#include "storage/FichierCatalogue.h"
#include "storage/SerialisationNoeuds.h"
#include "tests/commun/ConstructeurCatalogue.h"
#include "tests/core/Factices.h"

namespace {

// Bytes at an address a mapping would have (8-byte aligned).
struct SAligne {
    explicit SAligne(const std::string& o) : mots((o.size() + 7) / 8 + 1)
    {
        std::memcpy(mots.data(), o.data(), o.size());
        taille = o.size();
    }
    std::string_view vue() const { return {reinterpret_cast<const char*>(mots.data()), taille}; }
    std::vector<std::uint64_t> mots;
    std::size_t taille;
};

class IndexGarde : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        c = construireCatalogue(R"(classeur Disques
  requete CD /media/Disque
    fichier lisez-moi.txt taille=5
    dossier Vide
    dossier Vacances
      fichier plage.JPG taille=70 lettres=RA
      fichier Été-Nice.jpg
  requete Autre /media/Autre
    fichier plage.doc
)");
        image = ecrireCatalogue(*c.doc, &debuts);
        identite.fichier = {1, 2, std::int64_t(image.size()), 3, 4};
        identite.changementNanos = 5;
        identite.sommeEntete = sommeRapide(std::string_view(image).substr(0, 4096));
        for (CClasseur* cl : c.doc->classeurs())
            for (CRequete* q : cl->requetes())
                index.push_back(std::make_unique<CIndexRapide>(*q));
        octets = ecrireIndexGardeDocument(*c.doc, identite, "/media/catalogues/Disques.kbt", debuts);
        ASSERT_FALSE(octets.empty());
    }

    CCatalogueConstruit c;
    std::string image;
    std::vector<std::uint64_t> debuts;
    SIdentiteCatalogue identite;
    std::vector<std::unique_ptr<CIndexRapide>> index;
    std::string octets;
};

TEST_F(IndexGarde, ReluIlCherchePareilEtRetrouveLesEnregistrements)
{
    // Record starts that are not the document's make no index.
    EXPECT_TRUE(ecrireIndexGardeDocument(*c.doc, identite, "", {debuts.begin(), debuts.end() - 1}).empty());
    const SAligne aligne(octets);
    const auto lues = lireIndexGarde(aligne.vue(), identite);
    ASSERT_TRUE(lues);
    ASSERT_EQ(lues->size(), 2u);
    EXPECT_EQ(cheminCatalogueGarde(aligne.vue()), "/media/catalogues/Disques.kbt");
    EXPECT_EQ((*lues)[0].nom, "CD");
    EXPECT_EQ((*lues)[0].drapeaux, kGardeTaille | kGardeCree | kGardeModifie | kGardeAccede | kGardeAttributs);
    std::atomic<bool> arret{false};
    for (std::size_t r = 0; r < lues->size(); ++r) {
        const SRequeteGardee& q = (*lues)[r];
        const auto sur = CIndexRapide::surBlocs(q.blocs);
        ASSERT_TRUE(sur);
        for (const char* saisie : {"plage", "vacances", "*.jpg", "disque/lisez"}) {
            const auto mots = analyserMots(saisie);
            const auto numeros = sur->chercherNumeros(mots, arret);
            ASSERT_EQ(numeros, index[r]->chercherNumeros(mots, arret)) << saisie;
            // Each file found read from the catalogue alone, where the index says.
            std::uint32_t d = 0;
            for (std::uint32_t f : numeros) {
                while (q.blocs.premierFichier[d + 1] <= f)
                    ++d;
                CDossier dossier(nullptr, std::string(q.cheminDossier(d)), false);
                const CFichier& lu =
                    lireFichierSeul(std::string_view(image).substr(q.debutFichier(d, f)), dossier);
                EXPECT_EQ(lu.chemin(), index[r]->fichier(f)->chemin()) << saisie;
                EXPECT_EQ(lu.taille, index[r]->fichier(f)->taille);
            }
        }
    }
}

// Whatever lies in the cache in the index's place is refused, and none of it is read
// out of bounds (the address sanitizer watches): another catalogue's index, another
// version, a misaligned or short read, every cut, every byte changed (its checksum
// made right again, as a crafted file would be).
TEST_F(IndexGarde, UnIndexQuiNeConvientPasEstRefuse)
{
    SIdentiteCatalogue autre = identite;
    autre.fichier.modificationNanos += 1;
    EXPECT_FALSE(lireIndexGarde(SAligne(octets).vue(), autre));
    autre = identite;
    autre.changementNanos += 1;
    EXPECT_FALSE(lireIndexGarde(SAligne(octets).vue(), autre));
    autre = identite;
    autre.sommeEntete ^= 1;
    EXPECT_FALSE(lireIndexGarde(SAligne(octets).vue(), autre));
    std::string version = octets;
    version[8] = char(kVersionIndexGarde - 1);
    EXPECT_FALSE(lireIndexGarde(SAligne(version).vue(), identite));
    const SAligne decale(" " + octets);
    EXPECT_FALSE(lireIndexGarde(decale.vue().substr(1), identite));
    for (std::size_t n = 0; n < octets.size(); ++n)
        ASSERT_FALSE(lireIndexGarde(SAligne(octets.substr(0, n)).vue(), identite)) << n;

    const auto sommeRefaite = [](std::string o) {
        const std::uint64_t s = sommeRapide(std::string_view(o).substr(32));
        for (int i = 0; i < 8; ++i)
            o[24 + std::size_t(i)] = char(s >> (8 * i));
        return o;
    };
    int refuses = 0;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        std::string change = octets;
        change[i] = char(change[i] ^ 0x5A);
        EXPECT_FALSE(lireIndexGarde(SAligne(change).vue(), identite)) << "octet " << i << " sans sa somme";
        const SAligne refait(sommeRefaite(change));  // what is read points into it
        const auto lues = lireIndexGarde(refait.vue(), identite);
        if (!lues) {
            ++refuses;
            continue;
        }
        // Read anyway: then it holds what a search takes for granted.
        for (const SRequeteGardee& q : *lues)
            EXPECT_TRUE(CIndexRapide::surBlocs(q.blocs)) << i;
    }
    // Counts, offsets and sizes are most of the header and tables.
    EXPECT_GT(refuses, 300);
}

} // namespace
