// "&Exporter..." of the list pane: a query's files as listed (sort order, columns in
// their shown order), a file's values raw; a binder's queries as shown.

#include <QFile>
#include <QHeaderView>

#include "model/CClasseur.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CHoteResultatsQt.h"
#include "shell/CListeView.h"
#include "shell/ExportListe.h"
#include "tests/ui/fenetre/AvecNorvanel.h"

namespace {

class ExportListe : public AvecCatalogue {
protected:
    ExportListe()
        : AvecCatalogue("classeur Disques\n  requete CD /media/cd\n    fichier b,virgule.txt taille=20\n"
                        "    fichier a.txt taille=1234567 lettres=RA modifie=10/03/2003\n")
    {
    }
    // The list pane's export, as CSV rows (the mark and the last CRLF aside).
    QStringList exporter()
    {
        const QString fichier = chemin(QStringLiteral("liste.csv"));
        app->hoteResultats().dialogueExport = [&](QWidget*) { return SChoixExport{fichier, EFormatExport::Csv}; };
        app->hoteResultats().exporter(fenetre().liste().tableauAffiche());
        QFile f(fichier);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QStringList lignes = QString::fromUtf8(f.readAll().mid(3)).split(QStringLiteral("\r\n"));
        lignes.removeLast();
        return lignes;
    }
};

TEST_F(ExportListe, LesLignesCommeLaListeLesMontre)
{
    selectionner(static_cast<CDossier*>(&catalogue.requete("CD")));
    fenetre().liste().trier(0, false);  // by name, descending
    fenetre().liste().header()->moveSection(1, 0);  // the size first
    const QStringList lignes = exporter();
    ASSERT_EQ(lignes.size(), 3);
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("Taille,Nom,Créé,Modifié,Accédé,Attribut"))) << lignes[0].toStdString();
    EXPECT_TRUE(lignes[1].startsWith(QStringLiteral("20,\"b,virgule.txt\","))) << lignes[1].toStdString();
    EXPECT_TRUE(lignes[2].startsWith(QStringLiteral("1234567,a.txt,"))) << lignes[2].toStdString();
    EXPECT_TRUE(lignes[2].contains(QStringLiteral(",2003-03-10 00:00:00,"))) << lignes[2].toStdString();

    selectionner(&catalogue.classeur("Disques"));
    const QStringList requetes = exporter();
    ASSERT_EQ(requetes.size(), 2);
    EXPECT_TRUE(requetes[1].startsWith(QStringLiteral("CD,/media/cd"))) << requetes[1].toStdString();
}

} // namespace
