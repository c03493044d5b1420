#include "ui/TriLibelles.h"

QString cleTriLibelle(const QString& libelle)
{
    const QString decompose = libelle.normalized(QString::NormalizationForm_D);
    QString cle;
    cle.reserve(decompose.size());
    for (QChar c : decompose)
        if (c.category() != QChar::Mark_NonSpacing)
            cle.append(c);
    return cle.toCaseFolded();
}
