#include "workspace/TravailCapture.h"

#include "model/CDoc.h"
#include "model/CRequete.h"

CTravailCapture::CTravailCapture(CDoc& doc, const std::vector<CRequete*>& requetes, bool premiere)
    : doc_(&doc), premiere_(premiere)
{
    cibles_.reserve(requetes.size());
    for (CRequete* q : requetes)
        cibles_.push_back({q, q->copierParametres(), !q->estVide(), {}});
    doc.ajouterObservateur(this);
}

CTravailCapture::~CTravailCapture()
{
    if (doc_)
        doc_->retirerObservateur(this);
}

void CTravailCapture::capturer(std::size_t i, CSuiviCapture* suivi, int fils)
{
    if (annule_)
        return;
    SCible& c = cibles_[i];
    try {
        c.faite = capturerRequete(*c.parametres, c.avaitContenu, suivi, fils);
    } catch (...) {
        // Short of memory or of threads: told on the document's thread (terminer).
        c.erreur = std::current_exception();
        c.faite = {};
    }
    if (c.faite.resultat == EResultatMiseAJour::Annulee)
        annule_ = true;
}

void CTravailCapture::placer(std::size_t i)
{
    SCible& c = cibles_[i];
    c.resultat = c.faite.resultat;
    const SBilanCapture bilan = c.faite.bilan;
    if (!c.requete) {
        c.faite = {};
        return;
    }
    (void)placerCapture(*c.requete, std::move(c.faite));
    if (premiere_ && c.resultat == EResultatMiseAJour::RacineIllisible)
        return;
    if (const std::string texte = texteMiseAJour(*c.requete, c.resultat, bilan); !texte.empty())
        textes_ += (textes_.empty() ? "" : "\n") + texte;
}

std::string CTravailCapture::terminer()
{
    // Cancelling the first capture cancels the creation, and so does a capture that
    // failed (short of memory): nothing was there before.
    if (premiere_ && doc_)
        for (SCible& c : cibles_) {
            if (!c.requete)
                continue;
            if (c.resultat != EResultatMiseAJour::Annulee) {
                // Kept, even empty when its folder could not be read.
                doc_->definirModifie();
                continue;
            }
            // Removing what was never kept changes nothing the user saved.
            const bool modifie = doc_->estModifie();
            (void)doc_->supprimerNoeud(*c.requete);
            doc_->definirModifie(modifie);
        }
    for (const SCible& c : cibles_)
        if (c.erreur)
            std::rethrow_exception(c.erreur);
    return std::move(textes_);
}

void CTravailCapture::documentChange(const SChangement& changement)
{
    if (changement.quoi == EChangement::DocumentFerme) {
        doc_->retirerObservateur(this);
        doc_ = nullptr;
    }
    for (SCible& c : cibles_)
        if (c.requete && partAvec(*static_cast<CDossier*>(c.requete), changement))
            c.requete = nullptr;
}
