// The main window's toolbar: its layout machinery switched off (insert and delete
// refused, a stored default taken only whole), the raised look of the button under the
// pointer dropped soon after the pointer leaves, disabled buttons never rising, and a
// refresh of the commands' states repainting only the buttons whose state changed.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <map>

#include <QAction>
#include <QCursor>
#include <QElapsedTimer>
#include <QTest>
#include <QToolButton>

#include "shell/CMainFrame.h"
#include "ui/CToolBarEx.h"
#include "ui/IdCommandes.h"
#include "ui/TableCommandes.h"

namespace {

std::vector<std::byte> enregistrements(std::initializer_list<int> commandes, std::size_t enPlus = 0)
{
    std::vector<std::byte> octets;
    for (int c : commandes) {
        std::byte b[SBoutonBarre::kTaille] = {};
        b[4] = std::byte(c & 0xFF);
        b[5] = std::byte((c >> 8) & 0xFF);
        b[9] = std::byte(c == 0 ? SBoutonBarre::kStyleSeparateur : 0);
        octets.insert(octets.end(), std::begin(b), std::end(b));
    }
    octets.resize(octets.size() + enPlus);
    return octets;
}

std::vector<int> commandes(const std::vector<SBoutonBarre>& boutons)
{
    std::vector<int> ids;
    for (const SBoutonBarre& b : boutons)
        ids.push_back(b.commande);
    return ids;
}

TEST(DispositionBarre, PersonnalisationFermeeEtDefautPrisSeulementEntier)
{
    const int ids[] = {cmd::Nouveau, 0, cmd::Rechercher, cmd::SousDossiers};
    CDispositionBarre d = CDispositionBarre::depuisCommandes(ids);
    EXPECT_FALSE(d.insertionPermise());
    EXPECT_FALSE(d.suppressionPermise());
    EXPECT_EQ(commandes(d.disponibles()), (std::vector<int>{cmd::Nouveau, cmd::Rechercher, cmd::SousDossiers}));
    EXPECT_EQ(d.disponible(2)->commande, cmd::SousDossiers);
    EXPECT_FALSE(d.disponible(3));

    struct SCas {
        const char* quoi;
        std::vector<std::byte> octets;
        bool pris;
    } cas[] = {
        {"un octet de trop", enregistrements({cmd::Rechercher}, 1), false},
        {"deux enregistrements entiers", enregistrements({cmd::Rechercher, cmd::Nouveau}), true},
        {"tronqué", std::vector<std::byte>(19), false},
    };
    for (const SCas& c : cas) {
        CDispositionBarre essai = d;
        EXPECT_EQ(essai.prendreDefaut(c.octets), c.pris) << c.quoi;
        const std::vector<int> attendu = c.pris ? std::vector<int>{cmd::Rechercher, cmd::Nouveau}
                                                : std::vector<int>{cmd::Nouveau, 0, cmd::Rechercher, cmd::SousDossiers};
        EXPECT_EQ(commandes(essai.boutons()), attendu) << c.quoi;
        essai.reinitialiser();
        EXPECT_EQ(essai.boutons().size(), c.pris ? 2u : 4u) << c.quoi;
    }
}

class BarreOutils : public AvecNorvanel {
protected:
    QToolButton* bouton(int id)
    {
        CToolBarEx& barre = cadre().barreOutils();
        for (QAction* a : barre.actions())
            if (auto* b = qobject_cast<QToolButton*>(barre.widgetForAction(a)); b && b->defaultAction() == cadre().action(id))
                return b;
        return nullptr;
    }
};

TEST_F(BarreOutils, LeBoutonSurvoleRetombeQuandLePointeurPartEtUnBoutonGriseNeMontePas)
{
    cadre().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre()));
    CToolBarEx& barre = cadre().barreOutils();
    QToolButton* nouveau = bouton(cmd::Nouveau);
    ASSERT_TRUE(nouveau);
    QCursor::setPos(nouveau->mapToGlobal(nouveau->rect().center()));
    barre.entrerDans(nouveau);
    EXPECT_EQ(barre.boutonChaud(), nouveau);
    // The pointer goes far away at once: the raised look drops on the next check.
    QCursor::setPos(cadre().mapToGlobal(QPoint(-500, -500)));
    QElapsedTimer attente;
    attente.start();
    while (barre.boutonChaud() && attente.elapsed() < 500)
        laisserTourner(10);
    EXPECT_EQ(barre.boutonChaud(), nullptr);
    EXPECT_LT(attente.elapsed(), 200);

    cadre().action(cmd::Proprietes)->setEnabled(false);
    QToolButton* grise = bouton(cmd::Proprietes);
    barre.entrerDans(grise);
    EXPECT_EQ(barre.boutonChaud(), nullptr);
}

// Counts the paint events each toolbar button gets.
class CCompteurPeintures : public QObject {
public:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++peintures[objet];
        return false;
    }
    std::map<QObject*, int> peintures;
};

TEST_F(BarreOutils, UnRafraichissementNeRepeintQueLesBoutonsChanges)
{
    CCompteurPeintures compteur;
    for (QToolButton* b : cadre().barreOutils().findChildren<QToolButton*>())
        b->installEventFilter(&compteur);
    laisserTourner(50);
    compteur.peintures.clear();
    cadre().mettreAJourCommandes();
    laisserTourner(50);
    EXPECT_TRUE(compteur.peintures.empty());

    QAction* sousDossiers = cadre().action(cmd::SousDossiers);
    sousDossiers->setChecked(!sousDossiers->isChecked());
    laisserTourner(50);
    ASSERT_EQ(compteur.peintures.size(), 1u);
    EXPECT_EQ(compteur.peintures.begin()->first, bouton(cmd::SousDossiers));
}

} // namespace
