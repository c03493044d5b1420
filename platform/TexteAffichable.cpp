#include "platform/TexteAffichable.h"

#include "platform/PliCasse.h"

namespace {

void ajouterOctet(std::string& r, pli::Octet o)
{
    static constexpr char kHex[] = "0123456789abcdef";
    r += "\\x";
    r += kHex[o >> 4];
    r += kHex[o & 0xF];
}

// Whether nothing in the byte can need an escape: printable ASCII but the backslash.
bool simple(pli::Octet o)
{
    return o >= 0x20 && o < 0x7F && o != '\\';
}

} // namespace

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
        const bool valeur = sorte == EEchappement::Valeur;
        if (c.code == '\\') {
            r += valeur ? "\\\\" : "\\";
        } else if (c.code == '\n') {
            r += valeur ? "\\n" : "\n";
        } else if (c.code == '\t') {
            r += "\\t";
        } else if (c.code == '\r') {
            r += "\\r";
        } else if (c.code < 0x20 || c.code == 0x7F || (c.code >= 0x80 && c.code <= 0x9F) ||
                   (c.longueur == 1 && c.code >= pli::kBaseOctetIsole)) {
            // C0, DEL, C1 (both of its bytes), or a byte standing alone.
            for (unsigned i = 0; i < c.longueur; ++i)
                ajouterOctet(r, p[i]);
        } else {
            r.append(reinterpret_cast<const char*>(p), c.longueur);
        }
        p += c.longueur;
    }
    return r;
}
