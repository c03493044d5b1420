// The words of a quick search: folding across scripts, the word rules (blanks,
// quotes, patterns on the name), and bytes that are not UTF-8.

#include <gtest/gtest.h>

#include "search/MotsRapides.h"

namespace {

TEST(MotsRapides, PliageEtReglesDesMots)
{
    struct SCas {
        const char* saisie;
        const char* chemin;  // full path as stored; its last component is the name
        bool trouve;
    };
    const SCas cas[] = {
        {"ecole", "/média/École Normale/liste.txt", true},
        {"ÉCOLE", "/d/école", true},
        {"strasse", "/d/Straße 12.pdf", true},
        {"fichier", "/d/\xEF\xAC\x81" "chier.txt", true},   // the fi ligature
        {"asa", "/d/Åsa.jpg", true},
        {"øre", "/d/ØRE.txt", true},
        {"ore", "/d/ØRE.txt", false},                          // ø is a letter, not o with a mark
        {"ωμεγα", "/d/ΩΜΈΓΑ.pdf", true},
        {"документы", "/d/ДОКУМЕНТЫ", true},
        {"abc", "/d/ＡＢＣ.txt", true},                         // full-width forms
        {"日本", "/d/日本語.txt", true},
        {"photos 2003", "/media/Photos/été 2003/a.jpg", true},   // any order, any component
        {"2003 photos", "/media/Photos/été 2003/a.jpg", true},
        {"photos 2004", "/media/Photos/été 2003/a.jpg", false},
        {"\"été 2003\"", "/media/Photos/été 2003/a.jpg", true},  // quotes keep the blank
        {"\"été  2003\"", "/media/Photos/été 2003/a.jpg", false},
        {"\"ete 2003", "/media/Photos/été 2003/a.jpg", true},    // an unclosed quote runs on
        {"*.jpg vacances", "/d/Vacances/plage.JPG", true},        // a pattern on the name
        {"*.jpg", "/d/a.jpg.txt", false},
        {"vac*", "/d/Vacances/plage.jpg", false},                 // the name, not the folder
        {"photos/a", "/Photos/a.jpg", true},                      // across the separator
        {"", "/d/a", false},                                      // no word: nothing
        {"   ", "/d/a", false},
        {"\xCC\x81", "/d/a", false},                                 // a lone accent: no word
        {"caf", "/d/caf\xE9.txt", true},                          // a stray byte
        {"café", "/d/caf\xE9.txt", false},                        // matches only itself
    };
    for (const SCas& c : cas) {
        const std::string chemin = c.chemin;
        const std::string nom = chemin.substr(chemin.rfind('/') + 1);
        EXPECT_EQ(correspondMots(analyserMots(c.saisie), plierPourRecherche(chemin), nom), c.trouve)
            << "« " << c.saisie << " » dans " << c.chemin;
    }
}

TEST(MotsRapides, UnOctetIsoleResteTelQuel)
{
    EXPECT_EQ(plierPourRecherche("A\xFF" "É\xC3"), "a\xFF" "e\xC3");
    EXPECT_EQ(plierPourRecherche(""), "");
}

} // namespace

#include <atomic>
#include <functional>

#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/IndexRapide.h"
#include "tests/commun/ConstructeurCatalogue.h"
#include "tests/core/Factices.h"

namespace {

class IndexRapide : public AvecPlateformeFactice {};

TEST_F(IndexRapide, LesMotsSeTrouventDansLeDossierLeNomOuAcheval)
{
    const CCatalogueConstruit c = construireCatalogue(R"(classeur Disques
  requete CD /media/Disque
    fichier lisez-moi.txt
    dossier Vacances
      fichier plage.JPG
      fichier Été-Nice.jpg
      dossier .cache
        fichier plage.jpg
    dossier École
      fichier Photo-classe.png
)");
    const CIndexRapide index(c.requete("CD"));
    EXPECT_EQ(index.nombreFichiers(), 5u);
    std::atomic<bool> arret{false};
    const auto chemins = [&](const char* saisie) {
        std::vector<std::string> liste;
        for (const CFichier* f : index.chercher(analyserMots(saisie), arret))
            liste.push_back(f->chemin());
        return liste;
    };
    // Typing on narrows the former answer: the same files as a search from scratch.
    const auto affinee = [&](const char* avant, const char* apres) {
        const auto anciens = analyserMots(avant), mots = analyserMots(apres);
        EXPECT_TRUE(affinent(mots, anciens)) << avant << " → " << apres;
        const auto parmi = index.chercherNumeros(anciens, arret);
        EXPECT_EQ(index.chercherNumeros(mots, arret, &parmi), index.chercherNumeros(mots, arret)) << apres;
    };
    affinee("vac", "vacances pla");
    affinee("*.jpg", "*.jpg vacances");
    affinee("e", "ecole photo");
    affinee("vacances", "vacances/ete");
    EXPECT_FALSE(affinent(analyserMots("plage"), analyserMots("plages")));
    EXPECT_FALSE(affinent(analyserMots("*.jpg"), analyserMots("*.jp")));
    EXPECT_FALSE(affinent(analyserMots("plage"), {}));
    using V = std::vector<std::string>;
    EXPECT_EQ(chemins("vacances plage"), (V{"/media/Disque/Vacances/plage.JPG", "/media/Disque/Vacances/.cache/plage.jpg"}));
    EXPECT_EQ(chemins("*.jpg vacances"), (V{"/media/Disque/Vacances/plage.JPG", "/media/Disque/Vacances/Été-Nice.jpg",
                                            "/media/Disque/Vacances/.cache/plage.jpg"}));
    EXPECT_EQ(chemins("ecole photo"), (V{"/media/Disque/École/Photo-classe.png"}));
    EXPECT_EQ(chemins("vacances/ete"), (V{"/media/Disque/Vacances/Été-Nice.jpg"}));
    EXPECT_EQ(chemins("disque/lisez"), (V{"/media/Disque/lisez-moi.txt"}));
    EXPECT_EQ(chemins("nice plage"), V{});
    EXPECT_EQ(chemins(""), V{});
    arret = true;
    EXPECT_EQ(chemins("plage"), V{});  // stopped before it began
}

// An index over blocks kept elsewhere answers as the index they were taken from; blocks
// that break what the search takes for granted are refused, one fault at a time.
TEST_F(IndexRapide, DesBlocsLusAilleursRepondentPareilOuSontRefuses)
{
    const CCatalogueConstruit c = construireCatalogue(R"(classeur Disques
  requete CD /media/Disque
    fichier lisez-moi.txt
    dossier Vide
    dossier Vacances
      fichier plage.JPG
      fichier Été-Nice.jpg
)");
    const CIndexRapide source(c.requete("CD"));
    const SBlocsIndexRapide& b = source.blocs();
    std::string noms(b.noms), chemins(b.chemins);
    std::vector<std::uint32_t> debutNoms(b.debutNoms.begin(), b.debutNoms.end());
    std::vector<std::uint32_t> debutChemins(b.debutChemins.begin(), b.debutChemins.end());
    std::vector<std::uint32_t> premiers(b.premierFichier.begin(), b.premierFichier.end());
    const auto blocs = [&] { return SBlocsIndexRapide{noms, debutNoms, chemins, debutChemins, premiers}; };
    const auto copie = CIndexRapide::surBlocs(blocs());
    ASSERT_TRUE(copie);
    std::atomic<bool> arret{false};
    for (const char* saisie : {"plage", "vacances", "*.jpg", "disque/lisez", "e"})
        EXPECT_EQ(copie->chercherNumeros(analyserMots(saisie), arret),
                  source.chercherNumeros(analyserMots(saisie), arret))
            << saisie;
    EXPECT_EQ(copie->fichier(0), nullptr);

    const std::function<void()> fautes[] = {
        [&] { debutNoms.front() = 1; },
        [&] { debutNoms.back() += 1; },
        [&] { std::swap(debutNoms[1], debutNoms[2]); },
        [&] { debutNoms.pop_back(); },
        [&] { noms[debutNoms[1] - 1] = 'x'; },
        [&] { chemins[debutChemins[1] - 2] = 'x'; },
        [&] { debutChemins[1] = debutChemins[0] + 1; },
        [&] { premiers.back() = 2; },
        [&] { premiers.back() = 99; },
        [&] { std::swap(premiers[1], premiers[2]); premiers[1] = 3; },
        [&] { premiers.pop_back(); },
        [&] { debutNoms.clear(); },
    };
    for (std::size_t i = 0; i < std::size(fautes); ++i) {
        noms = b.noms, chemins = b.chemins;
        debutNoms.assign(b.debutNoms.begin(), b.debutNoms.end());
        debutChemins.assign(b.debutChemins.begin(), b.debutChemins.end());
        premiers.assign(b.premierFichier.begin(), b.premierFichier.end());
        fautes[i]();
        EXPECT_FALSE(blocsCoherents(blocs())) << "faute " << i;
        EXPECT_FALSE(CIndexRapide::surBlocs(blocs())) << "faute " << i;
    }
}

} // namespace

#include "search/RechercheRapide.h"

namespace {

TEST_F(IndexRapide, PlusieursFilsDonnentLaMemeReponseQuUnSeul)
{
    // Enough files for the work to be cut in parts: folders of every size, words in
    // folder paths and in names.
    CRequete q(nullptr);
    q.definirChemin("/media/Grand");
    std::uint32_t n = 0;
    for (int d = 0; d < 60; ++d) {
        auto* dossier = new CDossier(&q, "/media/Grand/" + std::string(d % 7 == 0 ? "Été " : "d") + std::to_string(d), false);
        q.sousDossiers().ajouter(dossier);
        for (int i = 0; i < (d % 5) * 1500 + (d == 30 ? 40000 : 0); ++i, ++n)
            dossier->fichiers().ajouter(
                CFichier::creer(dossier->arene(), dossier, dossier->chemin() + "/" + (n % 11 == 0 ? "Plage-" : "f") + std::to_string(n) + ".jpg"));
    }
    const CIndexRapide index(q);
    ASSERT_GT(index.nombreFichiers(), 100000u);
    std::atomic<bool> arret{false};
    for (const char* saisie : {"plage", "ete plage", "*.jpg 7", "grand/ete", "rien du tout", "e-1", "77.j"}) {
        const auto mots = analyserMots(saisie);
        const auto seul = index.chercherNumeros(mots, arret);
        // What each path, folded on its own, says.
        NumerosTrouves attendus;
        std::uint32_t numero = 0;
        for (const CDossier* d : q.sousDossiers())
            for (const CFichier* f : d->fichiers()) {
                if (correspondMots(mots, plierPourRecherche(f->chemin()), f->nom()))
                    attendus.push_back(numero);
                ++numero;
            }
        EXPECT_EQ(seul, attendus) << saisie;
        for (unsigned fils : {1U, 2U, 8U}) {
            const auto partout = chercherPartout({{&index}, {&index, &seul}}, mots, arret, fils);
            EXPECT_EQ(partout[0], seul) << saisie << ", " << fils << " fils";
            EXPECT_EQ(partout[1], seul) << saisie << ", " << fils << " fils, affinée";
        }
    }
    arret = true;
    EXPECT_TRUE(chercherPartout({{&index}}, analyserMots("plage"), arret, 2)[0].empty());
}

} // namespace
