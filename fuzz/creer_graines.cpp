// Writes catalogues made by our own code into the folder given as argument: the first
// inputs of the fuzzer, covering every form the reader knows (the three length
// prefixes, wide texts, empty and nested folders, every field set). With a second
// folder, the kept quick-search index of each goes there, for the index's fuzzer.

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/fake/CPlateformeFactice.h"
#include "search/IndexGarde.h"
#include "storage/FichierCatalogue.h"

namespace {

std::string dossierIndex;

void ecrire(const std::string& dossier, const std::string& nom, CDoc& doc)
{
    std::vector<std::uint64_t> debuts;
    std::ofstream(dossier + "/" + nom, std::ios::binary) << ecrireCatalogue(doc, &debuts);
    if (dossierIndex.empty())
        return;
    std::ofstream(dossierIndex + "/" + nom + ".index", std::ios::binary) << ecrireIndexGardeDocument(doc, {}, "/graine.kbt", debuts);
}

CRequete* requete(CClasseur& c, const std::string& nom, const std::string& chemin)
{
    auto* q = new CRequete(&c);
    q->definirNom(nom);
    q->definirChemin(chemin);
    c.requetes().ajouter(q);
    return q;
}

CFichier* fichier(CDossier& d, const std::string& nom)
{
    auto* f = CFichier::creer(d.arene(), &d, d.chemin() + "/" + nom);
    d.fichiers().ajouter(f);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::cerr << "Usage : creer_graines DOSSIER [DOSSIER_INDEX]\n";
        return 1;
    }
    if (argc == 3)
        dossierIndex = argv[2];
    CPlateformeFactice p;
    definirPlateforme(&p);
    const std::string dossier = argv[1];

    CDoc vide;
    vide.initialiserNouveau();
    ecrire(dossier, "nouveau.kbt", vide);

    CDoc doc;
    doc.initialiserNouveau();
    CRequete* q = requete(*doc.classeurs().elementA(0), "Photos 日本", "/media/cd");
    q->nomVolume = "VACANCES";
    q->numeroSerie = 0x12AB34CD;
    q->modeFiltre = kFiltreExclure;
    q->filtre = "*.tmp;*.bak";
    q->criteres.doublons = 1;
    q->criteres.memeNom = 1;
    q->criteres.cree.actif = true;
    q->criteres.testTaille = 1;
    q->criteres.uniteTaille = 2;
    q->criteres.accepter();
    auto* sous = new CDossier(q, "/media/cd/été", true);
    q->sousDossiers().ajouter(sous);
    for (const char* nom : {"a.jpg", "caf\xE9.txt", "\xF0\x9F\x98\x80", "b"}) {
        CFichier* f = fichier(*sous, nom);
        f->taille = 1234;
        f->lettres[0] = 'R';
        f->lettres[1] = 'A';
        f->marque = 1;
        f->definirCree(CDateHeure{{10, 3, 2003}, 23, 59, 58});
    }
    q->sousDossiers().ajouter(new CDossier(q, "/media/cd/vide", false));
    doc.classeurs().ajouter(new CClasseur(&doc, "Classeur 2"));
    ecrire(dossier, "requete.kbt", doc);

    // The 3- and 7-byte length prefixes.
    CDoc longs;
    longs.initialiserNouveau();
    longs.classeurs().elementA(0)->definirNom(std::string(300, 'x'));
    CRequete* ql = requete(*longs.classeurs().elementA(0), std::string(70000, 'q'), "/l");
    fichier(*ql, std::string(255, 'f'));
    ecrire(dossier, "longueurs.kbt", longs);

    // Folders nested a few hundred deep.
    CDoc profond;
    profond.initialiserNouveau();
    CDossier* d = requete(*profond.classeurs().elementA(0), "profond", "/p");
    for (int i = 0; i < 300; ++i) {
        auto* s = new CDossier(d->requete(), d->chemin() + "/d", false);
        d->sousDossiers().ajouter(s);
        d = s;
    }
    fichier(*d, "fond");
    ecrire(dossier, "profond.kbt", profond);
    return 0;
}
