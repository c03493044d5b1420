// "Propriétés..." on a binder, a query or a folder: the volume of the snapshot and the
// folders, files and bytes beneath the node, in a window closed by "Fermer".

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <functional>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "model/CClasseur.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"
#include "shell/CArboView.h"
#include "dialogs/CProprietesDlg.h"
#include "ui/IdCommandes.h"

namespace {

constexpr std::uint32_t kGio = 1u << 30;

// What the window showed.
struct SVu {
    QString titre;
    QStringList valeurs;      // volume name, serial, folders, files, size
    bool volumeVisible = false;
    int hauteur = 0;
};

QString texteTaille(std::uint32_t taille)
{
    return QString::fromStdString(plateforme().texteTaille(taille));
}

class Proprietes : public AvecNorvanel {
protected:
    // "Propriétés..." on `noeud`; the window is read, then closed with `fermer`.
    SVu afficher(const CElement* noeud, const std::function<void(CProprietesDlg&)>& fermer = {})
    {
        selectionner(noeud);
        SVu vu;
        bool ouvert = false;
        repondeur->autreDialogue = [&](QDialog& d) {
            auto* p = qobject_cast<CProprietesDlg*>(&d);
            if (!p || ouvert)
                return;
            ouvert = true;
            vu.titre = p->windowTitle();
            for (int id = 1071; id <= 1075; ++id) {
                auto* valeur = p->findChild<QLabel*>(QStringLiteral("valeur%1").arg(id));
                vu.valeurs.append(valeur ? valeur->text() : QStringLiteral("?"));
                if (id == 1071 && valeur)
                    vu.volumeVisible = valeur->isVisible();
            }
            vu.hauteur = p->height();
            if (fermer)
                fermer(*p);
            else
                p->findChild<QPushButton*>(QStringLiteral("c2"))->click();
        };
        executer(cmd::Proprietes);
        repondeur->autreDialogue = nullptr;
        EXPECT_TRUE(ouvert) << "la fenêtre des propriétés n'est pas apparue";
        return vu;
    }

    CRequete* requete(CClasseur& classeur, const char* nom)
    {
        auto* q = new CRequete(&classeur);
        q->definirNom(nom);
        q->definirChemin(std::string("/media/") + nom);
        classeur.requetes().ajouter(q);
        return q;
    }

    void ajouterFichiers(CDossier& dossier, int nombre, std::uint32_t taille)
    {
        for (int i = 0; i < nombre; ++i) {
            auto* f = CFichier::creer(dossier.arene(), &dossier, dossier.chemin() + "/f" + std::to_string(i));
            f->taille = taille;
            dossier.fichiers().ajouter(f);
        }
    }
};

TEST_F(Proprietes, UneRequeteCompteLesDossiersSousSaRacineEtMontreSonVolume)
{
    CRequete* q = ajouterClasseur("Disques", {"cd"})->requetes().elementA(0);
    q->nomVolume = "SAUVEGARDE";
    q->numeroSerie = 0x0012ABCD;
    for (const char* nom : {"Photos", "Musique"})
        ajouterDossier(*ajouterDossier(*q, nom), "Anciens");
    ajouterFichiers(*q, 2, 100);
    ajouterFichiers(*q->sousDossiers().elementA(1)->sousDossiers().elementA(0), 1, 1000);
    arbre().reconstruire();

    const SVu vu = afficher(static_cast<CDossier*>(q));
    EXPECT_EQ(vu.titre, QStringLiteral("Propriétés de la requête \"cd\""));
    EXPECT_TRUE(vu.volumeVisible);
    EXPECT_EQ(vu.valeurs, (QStringList{QStringLiteral("SAUVEGARDE"), QStringLiteral("12-ABCD"),
                                       QStringLiteral("4"), QStringLiteral("3"), texteTaille(1200)}));
}

TEST_F(Proprietes, UnDossierMontreLeVolumeDeSaRequeteEtSesPropresTotaux)
{
    CRequete* q = ajouterClasseur("Disques", {"cd"})->requetes().elementA(0);
    q->nomVolume = "PHOTOS";
    q->numeroSerie = 0xA1B2C3D4;
    CDossier* photos = ajouterDossier(*q, "Photos");
    ajouterDossier(*photos, "2003");
    ajouterFichiers(*photos, 1, 2048);
    ajouterFichiers(*q, 5, 1);
    arbre().reconstruire();

    const SVu vu = afficher(photos);
    EXPECT_EQ(vu.titre, QStringLiteral("Propriétés du dossier \"/media/cd/Photos\""));
    EXPECT_TRUE(vu.volumeVisible);
    EXPECT_EQ(vu.valeurs, (QStringList{QStringLiteral("PHOTOS"), QStringLiteral("A1B2-C3D4"),
                                       QStringLiteral("1"), QStringLiteral("1"), texteTaille(2048)}));
}

TEST_F(Proprietes, UnClasseurAdditionneSesRequetesSansLignesDeVolume)
{
    CClasseur* c = ajouterClasseur("Disques d'été", {});
    CRequete* a = requete(*c, "a");
    CRequete* b = requete(*c, "b");
    a->nomVolume = "A";
    ajouterDossier(*a, "x");
    ajouterFichiers(*a, 2, 1000);
    ajouterFichiers(*ajouterDossier(*b, "y"), 3, 10);
    ajouterDossier(*b, "z");
    arbre().reconstruire();

    // Closed with Escape; "Fermer" is the default button.
    bool fermerParDefaut = false;
    const SVu classeur = afficher(c, [&](CProprietesDlg& d) {
        auto* fermer = d.findChild<QPushButton*>(QStringLiteral("c2"));
        fermerParDefaut = fermer && fermer->isDefault() && fermer->text() == QStringLiteral("Fermer");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_TRUE(fermerParDefaut);
    EXPECT_EQ(classeur.titre, QStringLiteral("Propriétés du classeur 'Disques d'été'"));
    EXPECT_FALSE(classeur.volumeVisible);
    EXPECT_EQ(classeur.valeurs.mid(2),
              (QStringList{QStringLiteral("3"), QStringLiteral("5"), texteTaille(2030)}));

    // Shorter than a query's window by the two hidden lines.
    const SVu avecVolume = afficher(static_cast<CDossier*>(a));
    EXPECT_GT(avecVolume.hauteur - classeur.hauteur, 2 * QFontMetrics(QApplication::font()).height());
}

TEST_F(Proprietes, LaTailleTotaleRepartDeZeroAuDelaDe4Gio)
{
    CRequete* q = ajouterClasseur("Disques", {"cd"})->requetes().elementA(0);
    ajouterFichiers(*q, 3, kGio);
    ajouterFichiers(*ajouterDossier(*q, "Films"), 2, kGio);
    arbre().reconstruire();
    const SVu vu = afficher(static_cast<CDossier*>(q));
    EXPECT_EQ(vu.valeurs.value(4), texteTaille(kGio));
    EXPECT_EQ(vu.valeurs.value(4), QStringLiteral("1,00 Go"));
}

TEST_F(Proprietes, UneRequeteSansTaillesStockeesMontreZero)
{
    CRequete* q = ajouterClasseur("Disques", {"cd"})->requetes().elementA(0);
    q->stockerTaille = false;
    ajouterFichiers(*q, 2, 5000);
    arbre().reconstruire();
    const SVu vu = afficher(static_cast<CDossier*>(q));
    EXPECT_EQ(vu.valeurs.value(3), QStringLiteral("2"));
    EXPECT_EQ(vu.valeurs.value(4), texteTaille(0));
}

} // namespace
