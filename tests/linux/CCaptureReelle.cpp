#include "tests/linux/CCaptureReelle.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "workspace/CContexte.h"

#include <algorithm>

namespace {

void inventorier(const CDossier& dossier, std::size_t longueurRacine, std::vector<std::string>& lignes)
{
    for (const CFichier* f : dossier.fichiers())
        lignes.push_back("f " + f->chemin().substr(longueurRacine));
    for (const CDossier* s : dossier.sousDossiers()) {
        lignes.push_back("d " + s->chemin().substr(longueurRacine));
        inventorier(*s, longueurRacine, lignes);
    }
}

} // namespace

CCaptureReelle::CCaptureReelle(const std::string& dossier, SRacinesUdev udev)
    : m_racine(dossier), m_plateforme(std::move(udev)), m_precedente(definirPlateforme(&m_plateforme))
{
    m_doc = std::make_unique<CDoc>();
    m_doc->initialiserNouveau();
    m_requete = new CRequete(m_doc->classeurs().elementA(0));
    m_requete->definirNom("arbre");
    m_requete->definirChemin(dossier);
    m_doc->classeurs().elementA(0)->requetes().ajouter(m_requete);
}

CCaptureReelle::~CCaptureReelle()
{
    m_doc.reset();
    definirPlateforme(m_precedente);
}

std::vector<std::string> CCaptureReelle::inventaire(const CRequete& requete, const std::string& racine)
{
    std::vector<std::string> lignes;
    inventorier(requete, racine.size() + 1, lignes);
    std::sort(lignes.begin(), lignes.end());
    return lignes;
}
