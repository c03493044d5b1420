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
    // nullptr when `dossier` cannot be opened as a folder.
    static std::unique_ptr<CEnumeration> ouvrir(const std::string& dossier);
    ~CEnumerationLinux() override;

    CEnumerationLinux(const CEnumerationLinux&) = delete;
    CEnumerationLinux& operator=(const CEnumerationLinux&) = delete;

    // An entry that vanishes between readdir and statx is skipped. One that cannot be
    // examined (a folder that may be listed but not searched) keeps its name and its
    // directory bit, with zero times and size, rather than being lost.
    bool suivante(SEntreeDossier& entree) override;

    SIdentiteDossier identite() const override { return m_identite; }

    // Opened with openat on this folder's descriptor, so no path length limit applies.
    // Only a name of this folder is accepted: an entry whose path does not begin with
    // this folder's gives nullptr.
    std::unique_ptr<CEnumeration> ouvrirSousDossier(const SEntreeDossier& entree) override;

private:
    // Takes `fd`, a folder open for reading, whose entries' paths begin with `prefixe`;
    // closes it when it cannot be listed. `parent`: the folder it was opened from.
    static std::unique_ptr<CEnumeration> depuisDescripteur(int fd, std::string prefixe,
                                                           const CEnumerationLinux* parent = nullptr);
    CEnumerationLinux(int fd, std::string prefixe, SIdentiteDossier identite, ELectureAttributsDos lectureDos);

    int m_fd;
    CLecteurEntrees m_entrees;
    std::string m_prefixe; // the folder's path and one '/'
    SIdentiteDossier m_identite;
    ELectureAttributsDos m_lectureDos; // decided once for the folder
};
