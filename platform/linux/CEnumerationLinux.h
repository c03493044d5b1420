#pragma once
// The entries of one folder, read with getdents64 and statx relative to the folder's
// descriptor. Links are never followed and no entry is opened (FIFOs, sockets and
// devices included), except files and folders on vfat and exFAT for their DOS bits,
// and the sub-folders a walk asks for.
//
// Hidden: on a file system that keeps DOS bits (vfat, exFAT, NTFS) and exposes them,
// the hidden bit, as Windows shows the disk; elsewhere, or for an entry whose bits
// cannot be read, a name that begins with a dot.

#include "platform/CPlateforme.h"
#include "platform/linux/AttributsDos.h"
#include "platform/linux/LecteurEntrees.h"

#include <memory>
#include <string>

class CEnumerationLinux : public CEnumeration {
public:
    // nullptr when `dossier` cannot be opened as a folder, with errno's value in `*erreur`.
    static std::unique_ptr<CEnumeration> ouvrir(const std::string& dossier, int* erreur = nullptr);
    ~CEnumerationLinux() override;

    CEnumerationLinux(const CEnumerationLinux&) = delete;
    CEnumerationLinux& operator=(const CEnumerationLinux&) = delete;

    // An entry that vanishes between readdir and statx is skipped. One that may not be
    // examined (a folder that may be listed but not searched, an entry the file system
    // cannot describe) keeps its name and its directory bit, with zero times and size,
    // rather than being lost. A file system that no longer answers ends the reading
    // with its error.
    bool suivante(SEntreeDossier& entree) override;
    int erreur() const override { return m_erreur; }

    SIdentiteDossier identite() const override { return m_identite; }

    // Opened with openat on this folder's descriptor, so no path length limit applies.
    // Only a name of this folder is accepted: an entry whose path does not begin with
    // this folder's gives nullptr.
    std::unique_ptr<CEnumeration> ouvrirSousDossier(const SEntreeDossier& entree, int* erreur = nullptr) override;
    std::unique_ptr<CEnumeration> ouvrirParent(int* erreur = nullptr) override;

private:
    // Takes `fd`, a folder open for reading, whose entries' paths begin with `prefixe`;
    // closes it when it cannot be listed. `voisin`: an open folder it was reached from.
    static std::unique_ptr<CEnumeration> depuisDescripteur(int fd, std::string prefixe, const CEnumerationLinux* voisin,
                                                           int* erreur);
    static std::unique_ptr<CEnumeration> echec(int code, int* erreur);
    CEnumerationLinux(int fd, std::string prefixe, SIdentiteDossier identite, ELectureAttributsDos lectureDos);

    int m_fd;
    CLecteurEntrees m_entrees;
    std::string m_prefixe; // the folder's path and one '/'
    SIdentiteDossier m_identite;
    ELectureAttributsDos m_lectureDos; // decided once for the folder
    int m_erreur = 0;
};
