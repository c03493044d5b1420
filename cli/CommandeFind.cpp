// The quick search from the command line: the window's words over every query of
// several catalogues, read one after the other and never written.

#include <algorithm>
#include <atomic>
#include <iostream>
#include <new>

#include "cli/Arguments.h"
#include "cli/Commandes.h"
#include "cli/Session.h"
#include "cli/SortieFichiers.h"
#include "model/CRequete.h"
#include "platform/IdentiteFichier.h"
#include "platform/TexteAffichable.h"
#include "search/IndexRapide.h"
#include "search/MotsRapides.h"
#include "storage/Descripteur.h"
#include "storage/FichierOrdinaire.h"
#include "workspace/IndexGardeCatalogue.h"
#include "workspace/RechercheIndexGarde.h"

namespace {

// Each argument is read as the window's search box reads its text, on its own (a quote
// left open ends with its argument); one that holds a blank between words and no double
// quote is one word, blank included, as the shell's quoting meant. A word that folds to
// nothing (combining marks alone) is in every path: it is dropped.
std::vector<SMotRapide> motsCherches(Mots::const_iterator debut, Mots::const_iterator fin)
{
    static constexpr const char* kBlancs = " \t\n\r";
    std::vector<SMotRapide> mots;
    for (; debut != fin; ++debut) {
        std::string argument = *debut;
        if (argument.find('"') == std::string::npos) {
            const std::size_t premier = argument.find_first_not_of(kBlancs);
            argument = premier == std::string::npos
                           ? std::string()
                           : '"' + argument.substr(premier, argument.find_last_not_of(kBlancs) + 1 - premier) + '"';
        }
        for (SMotRapide& m : analyserMots(argument))
            if (!m.texte.empty())
                mots.push_back(std::move(m));
    }
    return mots;
}

// The files found in one catalogue, in the order the quick search gives: through its
// kept index when one fits (and each record read is the file it names), else from the
// catalogue read whole, after which its index is kept for the next search. `sortie`
// gets the rows only once they are all known, so that an index found wrong midway
// leaves nothing printed twice.
void chercherDansCatalogue(const std::string& chemin, const std::string& cache, const std::vector<SMotRapide>& cherches,
                           CSortieFichiers& sortie)
{
    const SOuvertureLecture ouvert = ouvrirFichierOrdinaire(chemin);
    const SDescripteur fd{ouvert.fd};
    const auto identite = ouvert.probleme ? std::nullopt : identiteCatalogue(fd.fd);
    if (identite)
        if (const auto index = ouvrirIndexGarde(cache, chemin, *identite))
            if (const auto trouves = chercherParIndexGarde(fd.fd, std::uint64_t(identite->fichier.taille), *index,
                                                          cherches);
                trouves && identiteCatalogue(fd.fd) == identite) {
                for (const CFichier* f : trouves->fichiers())
                    sortie.ajouter(*f, chemin);
                return;
            }

    CSession session;
    std::vector<std::uint64_t> debuts;
    // The very file whose identity was taken, so that the index made names it.
    CDoc& doc = identite ? session.ouvrir(chemin, fd.fd, debuts) : session.ouvrir(chemin);
    // Each query's index, searched now and kept after.
    CIndexAEcrire aGarder(cache, doc);
    const std::atomic<bool> jamais{false};
    for (const auto& index : aGarder.index())
        for (const CFichier* f : index->chercher(cherches, jamais))
            sortie.ajouter(*f, chemin);
    if (identite && identiteCatalogue(fd.fd) == identite && aGarder.nommer(chemin, *identite, debuts))
        aGarder.ecrire();
}

} // namespace

int commandeFind(const Mots& mots)
{
    const auto tirets = std::find(mots.begin(), mots.end(), "--");
    if (tirets == mots.end())
        throw SErreurUsage("les mots à chercher suivent « -- »");
    const CArguments args(Mots(mots.begin(), tirets), {{"format", true}, {"no-cache", false}});
    if (args.operandes().empty())
        throw SErreurUsage("aucun catalogue");
    const EFormat format = lireFormat(args);
    const std::vector<SMotRapide> cherches = motsCherches(tirets + 1, mots.end());
    if (cherches.empty())
        throw SErreurUsage("aucun mot à chercher");
    const std::string cache = dossierCacheIndex(args.drapeau("no-cache"));

    // A catalogue that cannot be read, or that memory cannot hold with its index, is
    // named and skipped: the others are still searched. A failed write ends everything.
    int code = 0;
    SColonnesSortie colonnes;
    colonnes.catalogue = true;
    colonnes.titre = "Recherche rapide";
    CSortieFichiers sortie(format, std::move(colonnes));
    for (const std::string& chemin : args.operandes()) {
        try {
            chercherDansCatalogue(chemin, cache, cherches, sortie);
        } catch (const SErreurDonnees& e) {
            std::cerr << "norvanel-cli find : " << texteAffichable(e.what(), EEchappement::Message) << "\n";
            code = 2;
        } catch (const std::bad_alloc&) {
            std::cerr << "norvanel-cli find : la mémoire est insuffisante pour chercher dans le catalogue "
                      << entreGuillemets(chemin) << " : ce qui en a été trouvé est incomplet\n";
            code = 2;
        }
    }
    sortie.terminer(false);
    return code;
}
