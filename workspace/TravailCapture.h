#pragma once
// The captures one command asks for (a query, a binder, every query of a document) as
// one job. The queries' parameters are copied on the document's thread; the captures
// run on any thread and touch no document; each new snapshot is put in place on the
// document's thread as soon as it is made. The job follows its document meanwhile: a query deleted, or the document
// closed, before its snapshot is placed just loses that snapshot.

#include <atomic>
#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "capture/MiseAJour.h"
#include "model/CObservateurDocument.h"

class CDoc;
class CRequete;
class CSuiviCapture;

class CTravailCapture : public CObservateurDocument {
public:
    // `premiere`: the first capture of a new query, removed again when it is cancelled
    // or fails; a folder it cannot read is not reported (nothing was there before).
    CTravailCapture(CDoc& doc, const std::vector<CRequete*>& requetes, bool premiere = false);
    ~CTravailCapture() override;
    CTravailCapture(const CTravailCapture&) = delete;
    CTravailCapture& operator=(const CTravailCapture&) = delete;

    std::size_t nombre() const { return cibles_.size(); }
    // Any thread, each index once and in order: captures query `i`. Once one capture is
    // cancelled, the later ones are not made.
    void capturer(std::size_t i, CSuiviCapture* suivi, int fils);
    // The document's thread, after capturer(i): query i's new snapshot takes its place.
    void placer(std::size_t i);
    // The document's thread, after the last placer(): a new query whose capture was
    // cancelled goes again. Returns what the user must be told (disks missing, folders unread), or nothing;
    // throws what stopped a capture (memory short), once the document is whole.
    std::string terminer();

    // The document's thread: the document worked on, none once it has closed; query
    // `i`, none once it is deleted.
    CDoc* document() const { return doc_; }
    CRequete* requete(std::size_t i) const { return cibles_[i].requete; }
    EResultatMiseAJour resultat(std::size_t i) const { return cibles_[i].resultat; }
    // Any thread: a capture was cancelled.
    bool annule() const { return annule_.load(); }

    void documentChange(const SChangement& changement) override;

private:
    struct SCible {
        CRequete* requete;                    // the document's thread only
        std::unique_ptr<CRequete> parametres; // read by capturer only
        bool avaitContenu;
        SCaptureFaite faite;                  // written by capturer, taken by placer
        EResultatMiseAJour resultat = EResultatMiseAJour::Annulee;
        std::exception_ptr erreur = {};      // what stopped capturer
    };

    CDoc* doc_;
    std::vector<SCible> cibles_;
    const bool premiere_;
    std::atomic<bool> annule_{false};
    std::string textes_;
};
