#include "ui/TraductionsComplementaires.h"

#include <cstring>

namespace {

struct STexte {
    const char* contexte;
    const char* source;
    const char* francais;
};

// The types Qt's file icon provider gives a file system entry.
constexpr STexte kTextes[] = {
    {"QAbstractFileIconProvider", "Folder", "Dossier"},
    {"QAbstractFileIconProvider", "File Folder", "Dossier"},
    {"QAbstractFileIconProvider", "Drive", "Lecteur"},
    {"QAbstractFileIconProvider", "File", "Fichier"},
    {"QAbstractFileIconProvider", "Shortcut", "Lien"},
    {"QAbstractFileIconProvider", "Alias", "Alias"},
    {"QAbstractFileIconProvider", "Unknown", "Inconnu"},
};

} // namespace

QString CTraductionsComplementaires::translate(const char* contexte, const char* source, const char*,
                                               int) const
{
    if (!contexte || !source)
        return {};
    for (const STexte& t : kTextes)
        if (std::strcmp(t.contexte, contexte) == 0 && std::strcmp(t.source, source) == 0)
            return QString::fromUtf8(t.francais);
    return {};
}
