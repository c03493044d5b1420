#include "compare/ui/AssistantComparaison.h"

#include "compare/ui/CChampsDlg.h"
#include "compare/ui/CChoixRequetesDlg.h"

std::optional<SChoixComparaison> choisirComparaison(CDoc& doc, CRequete* premiere, const QList<QIcon>& imagesArbre,
                                                    QWidget* parent)
{
    CChoixRequetesDlg choix(doc, premiere, imagesArbre, parent);
    CChampsDlg champs(choix, parent);
    do {
        if (choix.exec() != QDialog::Accepted)
            return std::nullopt;
    } while (champs.exec() != QDialog::Accepted);
    return SChoixComparaison{choix.premiere(), choix.seconde(), champs.options()};
}
