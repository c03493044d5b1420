#pragma once
// The program's only stored settings: the recent-file list and the number of pages
// print preview shows, in the settings file of CReglages. Every read and write of
// stored settings goes through here; each one reads the file afresh, so nothing else
// that the file holds is lost. A settings file that cannot be read or written is
// reported once per run; the program goes on with the defaults.

#include <QStringList>

#include "platform/Resultat.h"

class CUtilisateur;

class CAccesReglages {
public:
    // A file that fails is told to `utilisateur`.
    explicit CAccesReglages(CUtilisateur& utilisateur) : utilisateur_(utilisateur) {}

    // The recent files, most recent first (at most four).
    QStringList fichiersRecents();
    void enregistrerFichiersRecents(const QStringList& fichiers);
    // "PreviewPages" of the "Settings" section; 0 when absent.
    int pagesApercu();

private:
    void signaler(const CResultat<>& resultat);

    CUtilisateur& utilisateur_;
    bool signale_ = false;
};
