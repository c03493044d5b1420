// The row store of the results windows: sorted merges of added rows, and removals
// that leave holes, checked against a plain vector after every step.

#include "tests/core/Factices.h"

#include <algorithm>
#include <random>

#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CLignesResultats.h"
#include "model/TriListe.h"

namespace {

class LignesResultats : public AvecPlateformeFactice {
protected:
    CFichier* fichier(const std::string& nom, std::uint32_t taille)
    {
        auto* f = CFichier::creer(dossier.arene(), &dossier, dossier.chemin() + "/" + nom);
        f->taille = taille;
        dossier.fichiers().ajouter(f);
        return f;
    }
    static std::vector<CFichier*> lignes(const CLignesResultats& l)
    {
        std::vector<CFichier*> r;
        for (int i = 0; i < l.nombre(); ++i)
            r.push_back(l.ligne(i));
        return r;
    }
    CDossier dossier{nullptr, "/d", false};
};

// Random additions (merged into the sorted rows), sorts and removals; after each step the rows and every rank match
// a plain vector sorted the slow way.
TEST_F(LignesResultats, RetraitsEtTrisSuiventUnVecteurSimple)
{
    std::mt19937 alea(7);
    for (bool statut : {false, true}) {
        CLignesResultats l(statut);
        std::vector<CFichier*> attendu;
        std::vector<CFichier*> tous;
        for (int i = 0; i < 300; ++i) {
            CFichier* f = fichier("f" + std::to_string(alea() % 50), alea() % 20);
            f->marque = static_cast<int>(alea() % 3);
            tous.push_back(f);
        }
        std::size_t suivant = 0;
        for (int etape = 0; etape < 200; ++etape) {
            const unsigned choix = alea() % 4;
            if (choix == 0 && suivant < tous.size()) {
                const std::size_t n = std::min<std::size_t>(tous.size() - suivant, 1 + alea() % 20);
                for (std::size_t k = 0; k < n; ++k) {
                    l.ajouter(tous[suivant], tous[suivant]->marque);
                    attendu.push_back(tous[suivant++]);
                }
                l.trier();
            } else if (choix == 1) {
                l.trierSur(static_cast<int>(alea() % static_cast<unsigned>(l.nombreColonnes())));
            } else if (!attendu.empty()) {
                CFichier* f = attendu[alea() % attendu.size()];
                const int r = l.rangDe(f);
                ASSERT_GE(r, 0);
                ASSERT_EQ(l.ligne(r), f);
                l.retirerRang(r);
                attendu.erase(std::find(attendu.begin(), attendu.end(), f));
                EXPECT_EQ(l.rangDe(f), -1);
            }
            const int champ = l.champDeColonne(l.colonneTri());
            std::vector<CFichier*> trie = attendu;
            std::stable_sort(trie.begin(), trie.end(), [&](const CFichier* a, const CFichier* b) {
                const int c = comparerFichiers(*a, *b, champ);
                return l.croissant() ? c < 0 : c > 0;
            });
            // Ties may be in any order the history left; the keys may not.
            const std::vector<CFichier*> vu = lignes(l);
            ASSERT_EQ(vu.size(), trie.size());
            for (std::size_t i = 0; i < vu.size(); ++i) {
                ASSERT_EQ(comparerFichiers(*vu[i], *trie[i], champ), 0) << "étape " << etape << " rang " << i;
                ASSERT_EQ(l.rangDe(vu[i]), static_cast<int>(i));
                // Each row's status travels with it through sorts and removals.
                ASSERT_EQ(l.statut(static_cast<int>(i)), vu[i]->marque);
            }
            attendu = vu;
        }
    }
}

TEST_F(LignesResultats, UnFichierCompareADeuxLignesQuiPartentToutes)
{
    CLignesResultats l(true);
    CFichier* f = fichier("f", 1);
    CFichier* g = fichier("g", 1);
    l.ajouter(f);
    l.ajouter(g);
    l.ajouter(f);
    l.trier();
    ASSERT_EQ(l.nombre(), 3);
    for (int r = l.rangDe(f); r >= 0; r = l.rangDe(f))
        l.retirerRang(r);
    EXPECT_EQ(lignes(l), std::vector<CFichier*>{g});
}

} // namespace
