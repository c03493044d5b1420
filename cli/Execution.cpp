#include "cli/Execution.h"

#include <iostream>
#include <new>

#include "cli/Arguments.h"
#include "cli/SortieStandard.h"
#include "platform/TexteAffichable.h"

int executerCommande(const std::string& nom, const std::function<int()>& commande,
                     const std::function<void()>& usage)
{
    try {
        const int code = commande();
        terminerSortie();
        return code;
    } catch (const SErreurUsage& e) {
        std::cerr << "norvanel-cli " << nom << " : " << texteAffichable(e.what(), EEchappement::Message) << "\n";
        usage();
        return 1;
    } catch (const SErreurDonnees& e) {
        std::cerr << "norvanel-cli " << nom << " : " << texteAffichable(e.what(), EEchappement::Message) << "\n";
        return 2;
    } catch (const std::bad_alloc&) {
        std::cerr << "norvanel-cli " << nom << " : la mémoire est insuffisante\n";
        return 2;
    } catch (const std::exception&) {
        // The library's own text would be in English; whatever it was, no save ran.
        std::cerr << "norvanel-cli " << nom << " : une erreur inattendue s'est produite ; rien n'a été enregistré\n";
        return 2;
    }
}
