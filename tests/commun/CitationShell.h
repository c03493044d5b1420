#pragma once
// A path written into a stand-in shell script: between single quotes, each quote in it
// closed, escaped and reopened, so that any temporary folder's name stays one word.

#include <string>
#include <string_view>

inline std::string citerPourShell(std::string_view texte)
{
    std::string cite = "'";
    for (const char c : texte) {
        if (c == '\'')
            cite += "'\\''";
        else
            cite += c;
    }
    return cite + "'";
}
