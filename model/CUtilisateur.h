#pragma once
// Everything that asks or tells the user goes through CUtilisateur: message boxes, the
// folder picker, the dialogs node operations open and the watcher of their captures.
// The window program installs its dialogs, the command-line tool its terminal; the
// tests install their scripted answers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class CRequete;
class CSuiviCapture;

// What the properties dialog of a binder, a query or a folder shows.
struct SProprietes {
    std::string titre;
    bool avecVolume = false;      // queries and folders: volume name and serial
    std::string nomVolume;
    std::uint32_t numeroSerie = 0;
    std::uint32_t dossiers = 0;
    std::uint32_t fichiers = 0;
    std::uint32_t tailleTotale = 0;
};

enum class EBoutons { Ok, OkAnnuler, OuiNon };
enum class EIcone { Erreur, Exclamation };
enum class EReponse { Ok, Annuler, Oui, Non };

// The answer when nobody can answer: OK to a plain message, Cancel or No to a question,
// so that nothing is done that was not asked for.
EReponse reponseSansUtilisateur(EBoutons boutons);

// Each answer here is the one nobody gives: a user that shows nothing keeps them.
class CUtilisateur {
public:
    virtual ~CUtilisateur() = default;

    // Message box titled "Norvanel".
    virtual EReponse message(const std::string& texte, EBoutons boutons, EIcone icone);
    // Folder picker; nullopt when cancelled.
    virtual std::optional<std::string> choisirDossier(const std::string& titre);
    virtual void afficherProprietes(const SProprietes& proprietes);
    // Query parameters dialog on `requete`; true on OK (the query then holds the new
    // values), false on Cancel (the query is unchanged).
    virtual bool editerParametres(CRequete& requete, bool creation);
    // Told of the progress of the captures node operations start, and may cancel them;
    // nullptr when nobody watches.
    virtual CSuiviCapture* suiviCapture();
    // How many threads those captures list folders with, as mettreAJourRequete takes
    // it: 0, chosen from each query's file system, by default.
    virtual int filsCapture();
    // Told after the application's search ran (F3, or again after an update): how many
    // files it found. Nothing by default.
    virtual void rechercheFaite(std::size_t trouves);
};

