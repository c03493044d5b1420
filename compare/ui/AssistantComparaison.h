#pragma once
// The compare wizard: the first query, the second, then the values to compare, in the
// two dialogs CChoixRequetesDlg and CChampsDlg. "< Précédent" of the values goes back
// to the choice of the second query.

#include <optional>

#include <QIcon>
#include <QList>

#include "compare/OptionsComparaison.h"

class CDoc;
class CRequete;
class QWidget;

struct SChoixComparaison {
    CRequete* premiere;
    CRequete* seconde;
    SOptionsComparaison options;
};

// Runs the wizard over the binders and queries of `doc`, `premiere` (a query of `doc`,
// or none) chosen first; `imagesArbre` is the tree image list. Two different queries of
// `doc` and the values chosen, or nothing when the user cancelled.
std::optional<SChoixComparaison> choisirComparaison(CDoc& doc, CRequete* premiere, const QList<QIcon>& imagesArbre,
                                                    QWidget* parent);
