#include "storage/TexteIni.h"

#include "platform/PliCasse.h"

namespace {

bool estHexa(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned valeurHexa(char c)
{
    if (c <= '9')
        return static_cast<unsigned>(c - '0');
    return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

void ajouterHexa(std::string& s, unsigned v)
{
    static constexpr char kChiffres[] = "0123456789abcdef";
    std::string chiffres;
    do {
        chiffres.insert(chiffres.begin(), kChiffres[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    s += chiffres;
}

// Appends code point `c`; U+DC80..U+DCFF give back the stray byte they carry. False for
// what no path holds: a zero, another surrogate, a value past U+10FFFF.
bool ajouterCode(std::string& s, char32_t c)
{
    if (c >= 0xDC80 && c <= 0xDCFF) {
        s += static_cast<char>(c & 0xFF);
        return true;
    }
    if (c == 0 || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return false;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return true;
}

// Reads the escape after a backslash at `v[i]` (i is moved past it) into `s`.
bool lireEchappement(std::string_view v, std::size_t& i, std::string& s)
{
    if (i == v.size())
        return false;
    const char c = v[i++];
    switch (c) {
    case 'a': s += '\a'; return true;
    case 'b': s += '\b'; return true;
    case 'f': s += '\f'; return true;
    case 'n': s += '\n'; return true;
    case 'r': s += '\r'; return true;
    case 't': s += '\t'; return true;
    case 'v': s += '\v'; return true;
    case '"':
    case '\'':
    case '?':
    case '\\': s += c; return true;
    case 'x': {
        char32_t code = 0;
        const std::size_t debut = i;
        while (i < v.size() && estHexa(v[i])) {
            code = code * 16 + valeurHexa(v[i++]);
            if (code > 0x10FFFF)
                return false;
        }
        return i > debut && ajouterCode(s, code);
    }
    }
    if (c >= '0' && c <= '7') {
        char32_t code = static_cast<char32_t>(c - '0');
        for (int n = 1; n < 3 && i < v.size() && v[i] >= '0' && v[i] <= '7'; ++n)
            code = code * 8 + static_cast<char32_t>(v[i++] - '0');
        return ajouterCode(s, code);
    }
    return true;  // an unknown escape stands for nothing, as Qt reads it
}

// "@ByteArray(...)", "@Variant(...)" and the like: Qt's forms of values that are not texts.
bool estFormeNonTexte(const std::string& s)
{
    if (s.size() < 3 || s[0] != '@' || s.back() != ')')
        return false;
    std::size_t i = 1;
    while (i < s.size() && ((s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= 'a' && s[i] <= 'z')))
        ++i;
    return i > 1 && i < s.size() && s[i] == '(';
}

} // namespace

std::string echapperValeurIni(std::string_view texte)
{
    std::string r;
    if (!texte.empty() && texte.front() == '@')
        r += '@';
    bool guillemets = false;
    // After a \x or \0 escape, a hex digit would be read as part of it: escaped as well.
    bool chiffreAEchapper = false;
    auto hexa = [&](unsigned v) {
        r += "\\x";
        ajouterHexa(r, v);
        chiffreAEchapper = true;
    };
    const auto* p = reinterpret_cast<const pli::Octet*>(texte.data());
    const auto* fin = p + texte.size();
    while (p < fin) {
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        if (c.longueur > 1) {
            r.append(reinterpret_cast<const char*>(p), c.longueur);
            p += c.longueur;
            chiffreAEchapper = false;
            continue;
        }
        ++p;
        const char32_t u = c.code;
        if (u >= 0x80 || (chiffreAEchapper && u < 0x80 && estHexa(static_cast<char>(u)))) {
            hexa(static_cast<unsigned>(u));  // a stray byte comes as U+DC80..U+DCFF
            continue;
        }
        chiffreAEchapper = false;
        if (u == ';' || u == ',' || u == '=')
            guillemets = true;
        switch (u) {
        case '\0': r += "\\0"; chiffreAEchapper = true; break;
        case '\a': r += "\\a"; break;
        case '\b': r += "\\b"; break;
        case '\f': r += "\\f"; break;
        case '\n': r += "\\n"; break;
        case '\r': r += "\\r"; break;
        case '\t': r += "\\t"; break;
        case '\v': r += "\\v"; break;
        case '"':
        case '\\': r += '\\'; r += static_cast<char>(u); break;
        default:
            if (u < 0x20)
                hexa(static_cast<unsigned>(u));
            else
                r += static_cast<char>(u);
        }
    }
    if (guillemets || (!r.empty() && (r.front() == ' ' || r.back() == ' ')))
        return '"' + r + '"';
    return r;
}

std::optional<std::string> lireValeurIni(std::string_view v)
{
    std::string texte;
    std::string blancs;  // unquoted blanks, kept only when something follows them
    bool commence = false;
    bool entre = false;  // between double quotes
    std::size_t i = 0;
    while (i < v.size()) {
        const char c = v[i++];
        if (c == '"') {
            entre = !entre;
            texte += blancs;
            blancs.clear();
            commence = true;
            continue;
        }
        if (!entre) {
            if (c == ';')
                break;
            if (c == ',')
                return std::nullopt;
            if (c == ' ' || c == '\t') {
                if (commence)
                    blancs += c;
                continue;
            }
        }
        texte += blancs;
        blancs.clear();
        commence = true;
        if (c != '\\')
            texte += c;
        else if (!lireEchappement(v, i, texte))
            return std::nullopt;
    }
    if (entre || estFormeNonTexte(texte))
        return std::nullopt;
    if (texte.size() >= 2 && texte[0] == '@' && texte[1] == '@')
        texte.erase(0, 1);
    return texte;
}

std::string lireClefIni(std::string_view brut)
{
    std::string r;
    for (std::size_t i = 0; i < brut.size(); ++i) {
        const char c = brut[i];
        if (c == '\\') {
            r += '/';
            continue;
        }
        if (c == '%') {
            const bool large = i + 1 < brut.size() && brut[i + 1] == 'U';
            const std::size_t chiffres = large ? 4 : 2;
            const std::size_t debut = i + 1 + (large ? 1 : 0);
            char32_t code = 0;
            std::size_t n = 0;
            while (n < chiffres && debut + n < brut.size() && estHexa(brut[debut + n]))
                code = code * 16 + valeurHexa(brut[debut + n++]);
            if (n == chiffres && ajouterCode(r, code)) {
                i = debut + n - 1;
                continue;
            }
        }
        r += c;
    }
    return r;
}
