#pragma once
// The order of the items of a catalogue tree among their siblings, shared by the
// document windows' tree and the compare wizard's.

#include <QString>

// The key siblings are sorted by: the label without accents and case, so "été" sits
// with the e's and "Zoé" after "zèbre"; equal keys fall back on the label itself.
QString cleTriLibelle(const QString& libelle);

// True when the label `a`, of key `cleA`, goes before `b`, of key `cleB`.
inline bool libelleAvant(const QString& cleA, const QString& a, const QString& cleB, const QString& b)
{
    const int c = QString::compare(cleA, cleB);
    return c != 0 ? c < 0 : QString::compare(a, b) < 0;
}
