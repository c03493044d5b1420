#pragma once
// A capture of a real folder with the Linux platform, in a document of its own, the way
// the program takes one; message boxes are recorded instead of shown.

#include "capture/MiseAJour.h"
#include "model/CUtilisateur.h"
#include "platform/linux/CPlateformeLinux.h"

#include <memory>
#include <string>
#include <vector>

class CDoc;
class CRequete;

class CCaptureReelle {
public:
    // `udev`: where the platform reads udev's view of the disks.
    explicit CCaptureReelle(const std::string& dossier, SRacinesUdev udev = {});
    ~CCaptureReelle();
    CCaptureReelle(const CCaptureReelle&) = delete;
    CCaptureReelle& operator=(const CCaptureReelle&) = delete;

    // `fils`: as mettreAJourRequete takes it.
    EResultatMiseAJour capturer(int fils = 0, CSuiviCapture* suivi = nullptr)
    {
        return mettreAJourRequete(*m_requete, suivi, fils);
    }

    CDoc& document() { return *m_doc; }
    CRequete& requete() { return *m_requete; }
    const std::vector<std::string>& messages() const { return m_utilisateur.messages; }
    // Who an opening asks and tells: it answers nothing and keeps what it is told.
    CUtilisateur& utilisateur() { return m_utilisateur; }

    // The snapshot of `requete` (captured from `racine`), sorted: "d " and the path
    // below the root for each folder, "f " and that path for each file.
    static std::vector<std::string> inventaire(const CRequete& requete, const std::string& racine);
    std::vector<std::string> inventaire() const { return inventaire(*m_requete, m_racine); }

private:
    class CUtilisateurMuet : public CUtilisateur {
    public:
        EReponse message(const std::string& texte, EBoutons, EIcone) override
        {
            messages.push_back(texte);
            return EReponse::Annuler;
        }
        std::vector<std::string> messages;
    };

    std::string m_racine;
    CPlateformeLinux m_plateforme;
    CUtilisateurMuet m_utilisateur;
    CPlateforme* m_precedente;
    std::unique_ptr<CDoc> m_doc;
    CRequete* m_requete;
};
