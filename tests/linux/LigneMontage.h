#pragma once
// Mount-table fields written as the kernel writes them in /proc/self/mountinfo: space,
// tab, newline and backslash as \040, \011, \012, \134, so that a test's temporary
// folder may hold any of them.

#include <cstdio>
#include <string>
#include <string_view>

inline std::string champMontage(std::string_view texte)
{
    std::string champ;
    for (const char c : texte) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            char code[5];
            std::snprintf(code, sizeof code, "\\%03o", static_cast<unsigned char>(c));
            champ += code;
        } else {
            champ += c;
        }
    }
    return champ;
}
