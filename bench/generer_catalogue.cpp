// Writes a catalogue for measuring a command's memory with /usr/bin/time -v:
//   generer_catalogue dossiers N SORTIE.kbt   one query whose root holds N empty folders
//   generer_catalogue fichiers N SORTIE.kbt   the benchmarks' synthetic query of N files

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/CRequeteSynthetique.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "storage/FichierCatalogue.h"

namespace {

int ecrire(CDoc& doc, const std::string& sortie)
{
    if (auto enregistre = enregistrerCatalogue(doc, sortie); !enregistre) {
        std::fprintf(stderr, "%s\n", enregistre.raison().c_str());
        return 1;
    }
    return 0;
}

int dossiersVides(std::size_t n, const std::string& sortie)
{
    CDoc doc;
    doc.initialiserNouveau();
    CClasseur* c = doc.classeurs().elementA(0);
    auto* q = new CRequete(c);
    q->definirNom("Dossiers vides");
    q->definirChemin("/m");
    q->inclureDossiersVides = true;
    c->requetes().ajouter(q);
    for (std::size_t i = 0; i < n; ++i)
        q->sousDossiers().ajouter(new CDossier(q, "/m/d" + std::to_string(i), false));
    return ecrire(doc, sortie);
}

} // namespace

int main(int argc, char** argv)
{
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    const std::string sorte = argc == 4 ? argv[1] : "";
    if (sorte != "dossiers" && sorte != "fichiers") {
        std::fprintf(stderr, "usage : generer_catalogue dossiers|fichiers N SORTIE.kbt\n");
        return 2;
    }
    const std::size_t n = std::strtoull(argv[2], nullptr, 10);
    if (sorte == "dossiers")
        return dossiersVides(n, argv[3]);
    CRequeteSynthetique synthese(n, 20261208);
    return ecrire(*synthese.requete().document(), argv[3]);
}
