// Damaged and hostile catalogue files: every one is either refused with a message or
// read into a valid tree, never a crash, and never a partial document.

#include "tests/core/Factices.h"

#include <thread>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "storage/FichierCatalogue.h"

namespace {

std::string mot32(std::uint32_t v)
{
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

class CataloguesEndommages : public AvecPlateformeFactice {
protected:
    // A catalogue of a few hundred entries in nested folders, with every kind of text.
    std::string catalogueReel()
    {
        CDoc doc;
        doc.initialiserNouveau();
        doc.classeurs().ajouter(new CClasseur(&doc, "Disques 日本"));
        for (CClasseur* c : doc.classeurs()) {
            auto* q = new CRequete(c);
            q->definirNom(c->nom() + " q");
            q->definirChemin("/m");
            q->nomVolume = "VOL";
            c->requetes().ajouter(q);
            CDossier* d = q;
            for (int i = 0; i < 75; ++i) {
                if (i % 10 == 9) {
                    auto* s = new CDossier(q, d->chemin() + "/s" + std::to_string(i), i % 20 == 9);
                    d->sousDossiers().ajouter(s);
                    d = s;
                }
                auto* f = CFichier::creer(d->arene(), d, d->chemin() + (i % 3 ? "/é" : "/€\xFF") + std::to_string(i));
                f->taille = static_cast<std::uint32_t>(i * 977);
                f->marque = i % 3;
                d->fichiers().ajouter(f);
            }
        }
        return ecrireCatalogue(doc);
    }

    // Reads `octets`; when accepted, the tree must write back and read again the same.
    void lireSansDommage(std::string_view octets)
    {
        CDoc doc;
        if (!lireCatalogue(doc, octets)) {
            ASSERT_TRUE(doc.classeurs().estVide());
            return;
        }
        const std::string ecrit = ecrireCatalogue(doc);
        CDoc relu;
        ASSERT_TRUE(lireCatalogue(relu, ecrit));
        ASSERT_EQ(ecrireCatalogue(relu), ecrit);
    }
};

TEST_F(CataloguesEndommages, ToutesLesTroncaturesEtTousLesOctetsInverses)
{
    const std::string image = catalogueReel();
    ASSERT_GT(image.size(), 10000u);
    for (std::size_t l = 0; l < image.size(); ++l)
        lireSansDommage(std::string_view(image).substr(0, l));
    std::string abime = image;
    for (std::size_t i = 0; i < abime.size(); ++i) {
        abime[i] = static_cast<char>(~abime[i]);
        lireSansDommage(abime);
        abime[i] = image[i];
        if (HasFatalFailure())
            FAIL() << "octet " << i;
    }
}

TEST_F(CataloguesEndommages, NombresEnormesRefusesSansAllocation)
{
    const std::string image = catalogueReel();
    // Every 32-bit word of the file in turn replaced by 0x7FFFFFFF: whatever it was (a
    // count, a length, a date), the reader refuses or reads a valid tree.
    for (std::size_t i = 0; i + 4 <= image.size(); i += 4) {
        std::string abime = image;
        abime.replace(i, 4, mot32(0x7FFFFFFF));
        lireSansDommage(abime);
    }
    CDoc doc;
    const auto resultat = lireCatalogue(doc, std::string(16, '\x01') + mot32(0x7FFFFFFF));
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("tronqué"), std::string::npos);
}

TEST_F(CataloguesEndommages, SurrogatsSeulsEtLongueursImpaires)
{
    CDoc modele;
    modele.initialiserNouveau();
    const std::string image = ecrireCatalogue(modele);
    const std::string avant = image.substr(0, image.size() - 4 - 8);  // up to the binder name
    // A high surrogate alone, a low one alone, a pair reversed.
    for (const std::string& unites : {std::string("\x00\xD8", 2), std::string("\x34\xDD", 2),
                                      std::string("\x00\xDC\x00\xD8", 4)}) {
        const std::string texte = std::string("\xFF\xFE\xFF", 3) + char(unites.size() / 2) + unites;
        CDoc doc;
        ASSERT_TRUE(lireCatalogue(doc, avant + texte + mot32(0)));
        const std::string nom = doc.classeurs().elementA(0)->nom();
        EXPECT_FALSE(nom.empty());
        CDoc relu;
        ASSERT_TRUE(lireCatalogue(relu, ecrireCatalogue(doc)));
        EXPECT_EQ(relu.classeurs().elementA(0)->nom(), nom);  // stable from the first load on
    }
    // A wide text one byte short of its announced length.
    CDoc doc;
    const auto resultat = lireCatalogue(doc, avant + std::string("\xFF\xFE\xFF\x02\x41\x00\x42", 7));
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("dépasse la fin"), std::string::npos) << resultat.raison();
}

TEST_F(CataloguesEndommages, ImbricationProfondeDansUnFilSecondaire)
{
    CDoc modele;
    modele.initialiserNouveau();
    auto* q = new CRequete(modele.classeurs().elementA(0));
    q->definirChemin("/");
    modele.classeurs().elementA(0)->requetes().ajouter(q);
    std::string image = ecrireCatalogue(modele);
    image.resize(image.size() - 4);
    image += mot32(1);
    const std::string niveau = std::string("\x01" "d\x00", 3) + mot32(0) + mot32(1);
    for (int i = 0; i < 1000000; ++i)
        image += niveau;
    CResultat<> resultat;
    // The default stack of a thread is all a load in the background would have.
    std::thread fil([&] {
        CDoc doc;
        resultat = lireCatalogue(doc, image);
    });
    fil.join();
    ASSERT_FALSE(resultat);
    EXPECT_NE(resultat.raison().find("imbriqués"), std::string::npos);

    // Just under the limit, the tree is read, and destroyed, without trouble.
    std::string accepte = ecrireCatalogue(modele);
    accepte.resize(accepte.size() - 4);
    accepte += mot32(1);
    for (int i = 0; i < 9999; ++i)
        accepte += niveau;
    accepte += std::string("\x01" "d\x00", 3) + mot32(0) + mot32(0);
    fil = std::thread([&] {
        CDoc doc;
        resultat = lireCatalogue(doc, accepte);
    });
    fil.join();
    EXPECT_TRUE(resultat) << resultat.raison();
}

} // namespace
