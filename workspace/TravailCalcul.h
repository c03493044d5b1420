#pragma once
// A job that reads documents and decides their files' marks: a search over the open
// documents, a comparison of two queries. calculer() runs on the job's thread while
// the documents stay as they are (the executor holds them: no command changes them,
// none closes); terminer() follows on the documents' thread and hands the result over.

#include <exception>
#include <string>
#include <vector>

#include "model/MarquesSauvees.h"
#include "model/Pouls.h"

class CDoc;
class CDossier;

class CTravailCalcul {
public:
    virtual ~CTravailCalcul() = default;

    // The documents read and marked, held until terminer() has returned.
    virtual std::vector<const CDoc*> documents() const = 0;
    // What the progress window is titled: "Recherche", "Comparaison".
    virtual std::string titre() const = 0;
    // The job's thread. `avancement` counts the files and carries the user's cancel; a
    // cancelled or failed pass leaves every mark as it was.
    virtual void calculer(SAvancement& avancement) = 0;
    // The documents' thread, once calculer() has returned: the documents tell their
    // observers, the result goes to its list. Throws what stopped calculer() (memory
    // short), once everything is as it was.
    virtual void terminer() = 0;
};

// What a search and a comparison share: the marks of the folders they pass over kept
// before the pass and put back when it stops halfway; the documents told at the end
// whatever happened (a window may have read marks meanwhile).
class CTravailMarques : public CTravailCalcul {
public:
    std::vector<const CDoc*> documents() const override;
    void calculer(SAvancement& avancement) override;
    void terminer() override;
    bool annule() const { return annule_; }

protected:
    // `documents`: those read and marked, each once.
    explicit CTravailMarques(std::vector<CDoc*> documents) : documents_(std::move(documents)) {}
    // The folders whose marks the pass may change.
    virtual std::vector<CDossier*> dossiersMarques() const = 0;
    // The pass itself, on the job's thread.
    virtual void passe(SAvancement& avancement) = 0;
    // The documents' thread, the pass done and not cancelled: the result handed over.
    virtual void livrer() = 0;

    std::vector<CDoc*> documents_;

private:
    CMarquesSauvees sauvees_;
    bool annule_ = false;
    std::exception_ptr erreur_;
};
