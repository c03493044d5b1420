// The tree's item model: checked by QAbstractItemModelTester through insertions,
// deletions, renames that move items, and batches; sorted siblings; items that keep
// what they show once their node is gone.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QIcon>
#include <QSignalSpy>
#include <QTreeView>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "shell/CModeleArbre.h"

namespace {

// Collects the tester's complaints, which it reports as warnings.
class CPlaintes {
public:
    CPlaintes() { precedent_ = qInstallMessageHandler(&CPlaintes::recevoir); instance_ = this; }
    ~CPlaintes() { qInstallMessageHandler(precedent_); instance_ = nullptr; }
    QStringList messages;

private:
    static void recevoir(QtMsgType type, const QMessageLogContext&, const QString& m)
    {
        if (instance_ && type != QtDebugMsg && type != QtInfoMsg)
            instance_->messages.append(m);
    }
    static inline CPlaintes* instance_ = nullptr;
    QtMessageHandler precedent_ = nullptr;
};

QStringList enfants(const CModeleArbre& m, const QModelIndex& parent = {})
{
    QStringList l;
    for (int r = 0; r < m.rowCount(parent); ++r)
        l.append(m.index(r, 0, parent).data().toString());
    return l;
}

class ModeleArbre : public ::testing::Test {
protected:
    CPlateformeLinux plateforme;
    CPlateforme* precedente = definirPlateforme(&plateforme);
    QList<QIcon> images{QIcon(), QIcon(), QIcon(), QIcon()};
    CModeleArbre modele{images};
    CPlaintes plaintes;
    QAbstractItemModelTester testeur{&modele, QAbstractItemModelTester::FailureReportingMode::Warning};
    CDoc doc;
    CClasseur* classeur = new CClasseur(&doc, "Général");

    void SetUp() override { doc.classeurs().ajouter(classeur); }
    void TearDown() override
    {
        EXPECT_TRUE(plaintes.messages.isEmpty()) << plaintes.messages.join(u'\n').toStdString();
    }
    ~ModeleArbre() override { definirPlateforme(precedente); }
};

TEST_F(ModeleArbre, InsertionsTrieesSuppressionsEtRenommagesSousLeTesteur)
{
    auto* b = modele.inserer(nullptr, QStringLiteral("Zèbre"), 0, 1, classeur);
    auto* a = modele.inserer(nullptr, QStringLiteral("abeille"), 0, 1, classeur);
    auto* e = modele.inserer(nullptr, QStringLiteral("Été"), 0, 1, classeur);
    modele.inserer(nullptr, QStringLiteral("Fourmi"), 0, 1, classeur);
    EXPECT_EQ(enfants(modele), (QStringList{QStringLiteral("abeille"), QStringLiteral("Été"), QStringLiteral("Fourmi"),
                                            QStringLiteral("Zèbre")}));
    for (int i = 0; i < 30; ++i)
        modele.inserer(e, QStringLiteral("dossier %1").arg(29 - i, 2, 10, QLatin1Char('0')), 0, 1, nullptr);
    EXPECT_EQ(modele.rowCount(modele.indexDe(e)), 30);
    EXPECT_EQ(modele.indexDe(e).row(), 1);
    EXPECT_EQ(modele.index(0, 0, modele.indexDe(e)).data().toString(), QStringLiteral("dossier 00"));

    modele.changerLibelle(a, QStringLiteral("zzz"));   // from first to last
    EXPECT_EQ(enfants(modele).last(), QStringLiteral("zzz"));
    modele.changerLibelle(a, QStringLiteral("Aaa"));   // back to first
    EXPECT_EQ(enfants(modele).first(), QStringLiteral("Aaa"));
    modele.changerLibelle(b, QStringLiteral("Zèbres"));  // stays in place
    EXPECT_EQ(enfants(modele).last(), QStringLiteral("Zèbres"));

    modele.definirGras(e, true);
    EXPECT_TRUE(modele.indexDe(e).data(Qt::FontRole).value<QFont>().bold());
    modele.supprimer(e);
    EXPECT_EQ(enfants(modele), (QStringList{QStringLiteral("Aaa"), QStringLiteral("Fourmi"), QStringLiteral("Zèbres")}));
    modele.supprimerTout();
    EXPECT_EQ(modele.rowCount(), 0);
}

TEST_F(ModeleArbre, UnLotTrieUneFoisEtNeDitRienAuxVuesAvantSaFin)
{
    modele.commencerLot();
    auto* racine = modele.inserer(nullptr, QStringLiteral("Général"), 0, 1, classeur);
    for (int i = 999; i >= 0; --i)
        modele.inserer(racine, QStringLiteral("d%1").arg(i, 4, 10, QLatin1Char('0')), 0, 1, nullptr);
    // Inside the batch the items are there, in any order, and can be found.
    EXPECT_EQ(modele.premierEnfant(nullptr), racine);
    modele.terminerLot();
    const QModelIndex r = modele.indexDe(racine);
    ASSERT_EQ(modele.rowCount(r), 1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(modele.index(i, 0, r).data().toString(), QStringLiteral("d%1").arg(i, 4, 10, QLatin1Char('0')));
    // Siblings walk in order.
    int n = 0;
    for (auto* i = modele.premierEnfant(racine); i; i = modele.suivant(i))
        ++n;
    EXPECT_EQ(n, 1000);
}

TEST_F(ModeleArbre, LesItemsGardentCeQuIlsMontrentSansConsulterLeurNoeud)
{
    auto* q = new CRequete(classeur);
    q->definirNom("cd");
    classeur->requetes().ajouter(q);
    auto* item = modele.inserer(nullptr, QStringLiteral("cd"), 2, 3, static_cast<CDossier*>(q));
    EXPECT_EQ(item->type, kTypeRequete);
    EXPECT_TRUE(item->modifiable);
    EXPECT_TRUE(modele.flags(modele.indexDe(item)) & Qt::ItemIsDragEnabled);
    EXPECT_TRUE(modele.flags(modele.indexDe(item)) & Qt::ItemIsEditable);
    // The node goes (a capture replaces a snapshot before the tree is rebuilt).
    ASSERT_TRUE(doc.supprimerNoeud(*q));
    EXPECT_EQ(modele.indexDe(item).data().toString(), QStringLiteral("cd"));
    EXPECT_TRUE(modele.flags(modele.indexDe(item)) & Qt::ItemIsEditable);
    auto* dossier = modele.inserer(item, QStringLiteral("Photos"), 0, 1, nullptr);
    EXPECT_FALSE(modele.flags(modele.indexDe(dossier)) & Qt::ItemIsEditable);
}

TEST(ModeleArbreSansTesteur, LesEnfantsQuAucuneVueNAVusSontTriesALeurPremierUsage)
{
    CPlateformeLinux plateforme;
    CPlateforme* precedente = definirPlateforme(&plateforme);
    QList<QIcon> images{QIcon(), QIcon(), QIcon(), QIcon()};
    CModeleArbre modele(images);
    QTreeView vue;
    vue.setModel(&modele);
    vue.show();
    auto* classeur = modele.inserer(nullptr, QStringLiteral("Général"), 0, 1, nullptr);
    QCoreApplication::processEvents();
    vue.expand(modele.indexDe(classeur));
    QCoreApplication::processEvents();
    // A query just inserted, then its folders: the view has not looked at them.
    auto* requete = modele.inserer(classeur, QStringLiteral("cd"), 2, 3, nullptr);
    EXPECT_FALSE(requete->enfantsVus);
    for (const char* n : {"zèbre", "Été", "abeille", "Noël"})
        modele.inserer(requete, QString::fromUtf8(n), 0, 1, nullptr);
    EXPECT_TRUE(requete->aTrier);
    // The first look finds them sorted, and from then on insertions are announced.
    EXPECT_EQ(enfants(modele, modele.indexDe(requete)),
              (QStringList{QStringLiteral("abeille"), QStringLiteral("Été"), QStringLiteral("Noël"),
                           QStringLiteral("zèbre")}));
    EXPECT_TRUE(requete->enfantsVus);
    QSignalSpy insertions(&modele, &QAbstractItemModel::rowsInserted);
    modele.inserer(requete, QStringLiteral("Musique"), 0, 1, nullptr);
    EXPECT_EQ(insertions.count(), 1);
    EXPECT_EQ(modele.index(2, 0, modele.indexDe(requete)).data().toString(), QStringLiteral("Musique"));
    vue.expand(modele.indexDe(requete));
    QCoreApplication::processEvents();
    EXPECT_TRUE(vue.visualRect(modele.index(4, 0, modele.indexDe(requete))).isValid());
    definirPlateforme(precedente);
}

TEST(CleTriLibelle, SansAccentsNiCasse)
{
    const auto avant = [](const char* a, const char* b) {
        return cleTriLibelle(QString::fromUtf8(a)) < cleTriLibelle(QString::fromUtf8(b));
    };
    EXPECT_TRUE(avant("été", "f"));
    EXPECT_TRUE(avant("e", "été"));
    EXPECT_TRUE(avant("zèbre", "Zoé"));
    EXPECT_TRUE(avant("abc", "ABD"));
    EXPECT_EQ(cleTriLibelle(QStringLiteral("Noël")), cleTriLibelle(QStringLiteral("noel")));
}

} // namespace
