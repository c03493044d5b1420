#include "workspace/TravailRecherche.h"

#include <algorithm>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "search/Recherche.h"
#include "workspace/CContexte.h"
#include "workspace/ExecuteurTravaux.h"

void CResultatsDifferes::vider()
{
    lignes_.clear();
    vide_ = true;
}

void CResultatsDifferes::retirerFichier(const CFichier* fichier)
{
    lignes_.erase(std::remove(lignes_.begin(), lignes_.end(), fichier), lignes_.end());
}

void CResultatsDifferes::rejouer(CResultatsRecherche& liste) const
{
    if (vide_)
        liste.vider();
    for (CFichier* f : lignes_)
        liste.ajouterLigne(f);
    if (retrie_)
        liste.retrier();
}

CTravailRecherche::CTravailRecherche(const CCriteres& criteres, std::vector<CDoc*> documents,
                                     std::function<CResultatsRecherche*()> liste,
                                     std::function<void(std::size_t)> fin)
    : CTravailMarques(std::move(documents)), criteres_(criteres), liste_(std::move(liste)), fin_(std::move(fin))
{
}

std::vector<CDossier*> CTravailRecherche::dossiersMarques() const
{
    // Every file of every document: those outside the target are found again.
    std::vector<CDossier*> dossiers;
    for (CDoc* doc : documents_)
        for (CClasseur* c : doc->classeurs())
            for (CRequete* q : c->requetes())
                dossiers.push_back(q);
    return dossiers;
}

void CTravailRecherche::passe(SAvancement& avancement)
{
    rechercher(criteres_, documents_, &trouves_, &avancement);
}

void CTravailRecherche::livrer()
{
    if (CResultatsRecherche* liste = liste_ ? liste_() : nullptr)
        trouves_.rejouer(*liste);
    if (fin_)
        fin_(trouves_.nombre());
}

void relancerRecherche(CExecuteurTravaux& executeur, CContexte& ctx, std::function<void()> ensuite)
{
    const bool avecCible = ctx.criteresRecherche.cible != nullptr;
    // Asked at the end: the quick search may have taken the window meanwhile.
    auto liste = [&ctx] { return ctx.resultatsRapidesAffiches ? nullptr : ctx.resultatsRecherche; };
    auto fin = [&ctx, avecCible, ensuite = std::move(ensuite)](std::size_t trouves) {
        // Whoever ran it (F3, an update), the user learns how many files it found.
        if (avecCible && !ctx.resultatsRapidesAffiches)
            ctx.utilisateur().rechercheFaite(trouves);
        if (ensuite)
            ensuite();
    };
    executeur.lancer(std::make_shared<CTravailRecherche>(ctx.criteresRecherche, ctx.documents, liste, fin));
}

void reappliquerRecherche(CContexte& ctx)
{
    // Work on a copy: the criteria may be replaced while results are being listed.
    const CCriteres criteres = ctx.criteresRecherche;
    const std::size_t trouves =
        executerRecherche(criteres, ctx.documents, ctx.resultatsRapidesAffiches ? nullptr : ctx.resultatsRecherche);
    // Whoever ran it (F3, an update), the user learns how many files it found.
    if (criteres.cible && !ctx.resultatsRapidesAffiches)
        ctx.utilisateur().rechercheFaite(trouves);
}
