// Writes small catalogues made by our own code into the folder given as argument.

#include <fstream>
#include <iostream>
#include <string>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/FichierCatalogue.h"
#include "platform/fake/CPlateformeFactice.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage : creer_graines DOSSIER\n";
        return 1;
    }
    CPlateformeFactice p;
    definirPlateforme(&p);
    const std::string dossier = argv[1];

    CDoc vide;
    vide.initialiserNouveau();
    std::ofstream(dossier + "/nouveau.kbt", std::ios::binary) << ecrireCatalogue(vide);

    CDoc doc;
    doc.initialiserNouveau();
    auto* q = new CRequete(doc.classeurs().elementA(0));
    q->definirNom("Photos 日本");
    q->definirChemin("/media/cd");
    q->nomVolume = "VACANCES";
    q->criteres.doublons = 1;
    doc.classeurs().elementA(0)->requetes().ajouter(q);
    auto* sous = new CDossier(q, "/media/cd/été", true);
    q->sousDossiers().ajouter(sous);
    for (const char* nom : {"a.jpg", "caf\xE9.txt", "b"}) {
        auto* f = new CFichier(sous, std::string("/media/cd/été/") + nom);
        f->taille = 1234;
        f->lettres[0] = 'A';
        sous->fichiers().ajouter(f);
    }
    doc.classeurs().ajouter(new CClasseur(&doc, "Classeur 2"));
    std::ofstream(dossier + "/requete.kbt", std::ios::binary) << ecrireCatalogue(doc);
    return 0;
}
