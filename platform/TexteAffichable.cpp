#include "platform/TexteAffichable.h"

#include "platform/PliCasse.h"

namespace {

// Whether nothing in the byte can need an escape: printable ASCII but the backslash.
bool simple(pli::Octet o)
{
    return o >= 0x20 && o < 0x7F && o != '\\';
}

} // namespace

void ajouterOctetEchappe(std::string& r, unsigned char o)
{
    static constexpr char kHex[] = "0123456789abcdef";
    r += "\\x";
    r += kHex[o >> 4];
    r += kHex[o & 0xF];
}

bool estFormatTrompeur(char32_t code)
{
    return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069) || code == 0x2028 || code == 0x2029;
}

std::string texteAffichable(std::string_view texte, EEchappement sorte)
{
    std::string r;
    r.reserve(texte.size());
    auto* p = reinterpret_cast<const pli::Octet*>(texte.data());
    const pli::Octet* fin = p + texte.size();
    while (p < fin) {
        if (simple(*p)) {
            r += static_cast<char>(*p++);
            continue;
        }
        const pli::SCaractere c = pli::lireCaractere(p, fin);
        if (c.code == '\\') {
            r += sorte == EEchappement::Valeur ? "\\\\" : "\\";
        } else if (c.code == '\n') {
            r += sorte == EEchappement::Message ? "\n" : "\\n";
        } else if (c.code == '\t') {
            r += "\\t";
        } else if (c.code == '\r') {
            r += "\\r";
        } else if (c.code < 0x20 || c.code == 0x7F || (c.code >= 0x80 && c.code <= 0x9F) ||
                   (c.longueur == 1 && c.code >= pli::kBaseOctetIsole) || estFormatTrompeur(c.code)) {
            // C0, DEL, C1 (both of its bytes), a bidirectional or line-breaking format
            // character (its three bytes), or a byte standing alone.
            for (unsigned i = 0; i < c.longueur; ++i)
                ajouterOctetEchappe(r, p[i]);
        } else {
            r.append(reinterpret_cast<const char*>(p), c.longueur);
        }
        p += c.longueur;
    }
    return r;
}

std::string entreGuillemets(std::string_view texte)
{
    return "« " + texteAffichable(texte, EEchappement::Citation) + " »";
}
