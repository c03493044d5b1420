#include "ui/CImagesApplication.h"

#include <QString>

#include "ui/Icones.h"

namespace {

const char* nomIcone(int id)
{
    switch (id) {
    case 100: return "programme";
    case 101: return "document";
    case 111: return "resultats-recherche";
    case 151: return "resultats-comparaison";
    case 200: return "tri-croissant";
    case 201: return "tri-decroissant";
    case 202: return "requete";
    case 203: return "requete-selection";
    case 204: return "comparaison-seconde";
    case 205: return "comparaison-premiere";
    case 206: return "comparaison-deux";
    }
    return nullptr;
}

} // namespace

CImagesApplication::CImagesApplication()
{
    arbre_ = {iconeSvg(QStringLiteral("dossier-ferme")), iconeSvg(QStringLiteral("dossier-ouvert")),
              icone(202), icone(203)};
    tri_ = {icone(200), icone(201)};
    comparaison_ = {icone(205), icone(204), icone(206)};
}

QIcon CImagesApplication::icone(int id) const
{
    const char* nom = nomIcone(id);
    return nom ? iconeSvg(QString::fromLatin1(nom)) : QIcon();
}
