#pragma once
// The recent-file list of the "Fichier" menu: four entries, most recent first, kept
// in the settings after every change.

#include <QString>
#include <QStringList>

class CAccesReglages;

class CFichiersRecents {
public:
    explicit CFichiersRecents(CAccesReglages& reglages);

    const QStringList& fichiers() const { return fichiers_; }
    // Puts `chemin` first (once), dropping the oldest entry beyond four.
    void ajouter(const QString& chemin);
    void retirer(const QString& chemin);

    // Menu text of entry `index` (from 0): "&1 " and the path, shortened in its middle
    // when it is long.
    static QString libelle(int index, const QString& chemin);

private:
    void enregistrer();

    CAccesReglages& reglages_;
    QStringList fichiers_;
};
