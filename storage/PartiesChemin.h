#pragma once
// The folder and the last name of a path written with '/', as the file system reads
// it: "." for a bare name, "/" for a name at the root.

#include <string>

inline std::string dossierDe(const std::string& chemin)
{
    const std::size_t sep = chemin.rfind('/');
    if (sep == std::string::npos)
        return ".";
    return sep == 0 ? "/" : chemin.substr(0, sep);
}

inline std::string nomDe(const std::string& chemin)
{
    const std::size_t sep = chemin.rfind('/');
    return sep == std::string::npos ? chemin : chemin.substr(sep + 1);
}
