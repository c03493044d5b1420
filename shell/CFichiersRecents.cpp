#include "shell/CFichiersRecents.h"

#include "shell/CAccesReglages.h"
#include "ui/IdCommandes.h"

namespace {

constexpr qsizetype kLongueurLibelle = 48;

} // namespace

CFichiersRecents::CFichiersRecents(CAccesReglages& reglages)
    : reglages_(reglages), fichiers_(reglages.fichiersRecents())
{
    fichiers_.removeDuplicates();
    while (fichiers_.size() > cmd::kNombreFichiersRecents)
        fichiers_.removeLast();
}

void CFichiersRecents::ajouter(const QString& chemin)
{
    fichiers_.removeAll(chemin);
    fichiers_.prepend(chemin);
    while (fichiers_.size() > cmd::kNombreFichiersRecents)
        fichiers_.removeLast();
    enregistrer();
}

void CFichiersRecents::retirer(const QString& chemin)
{
    if (fichiers_.removeAll(chemin) > 0)
        enregistrer();
}

void CFichiersRecents::enregistrer()
{
    reglages_.enregistrerFichiersRecents(fichiers_);
}

QString CFichiersRecents::libelle(int index, const QString& chemin)
{
    QString texte = chemin;
    if (texte.size() > kLongueurLibelle) {
        // Keep the start of the path and its file name, as much as fits.
        const qsizetype debutNom = texte.lastIndexOf(u'/') + 1;
        const QString nom = texte.mid(debutNom);
        const qsizetype reste = std::max<qsizetype>(4, kLongueurLibelle - nom.size() - 4);
        texte = texte.left(reste) + QStringLiteral("...") + texte.mid(debutNom - 1);
    }
    // A "&" of the path would become a mnemonic: double it.
    texte.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(texte);
}
