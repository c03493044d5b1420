#include "model/CUtilisateur.h"

EReponse reponseSansUtilisateur(EBoutons boutons)
{
    switch (boutons) {
    case EBoutons::Ok:
        return EReponse::Ok;
    case EBoutons::OkAnnuler:
        return EReponse::Annuler;
    case EBoutons::OuiNon:
        return EReponse::Non;
    }
    return EReponse::Annuler;
}

EReponse CUtilisateur::message(const std::string&, EBoutons boutons, EIcone) { return reponseSansUtilisateur(boutons); }

std::optional<std::string> CUtilisateur::choisirDossier(const std::string&) { return std::nullopt; }

void CUtilisateur::afficherProprietes(const SProprietes&) {}

bool CUtilisateur::editerParametres(CRequete&, bool) { return false; }

CSuiviCapture* CUtilisateur::suiviCapture() { return nullptr; }

int CUtilisateur::filsCapture() { return 0; }

void CUtilisateur::rechercheFaite(std::size_t) {}
