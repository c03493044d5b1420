#pragma once
// Who runs the jobs (captures, searches, comparisons). The window program runs them on a thread of their own and
// keeps its windows live meanwhile; the command-line tool and the tests run them at
// once, on the calling thread.

#include <functional>
#include <memory>
#include <string>

class CSuiviCapture;
class CTravailCalcul;
class CTravailCapture;

class CExecuteurTravaux {
public:
    virtual ~CExecuteurTravaux() = default;
    // Runs `travail`: each capture, each placed on the document's thread as it is made,
    // then terminer() and `fin` with what it returned, on the document's thread.
    virtual void lancer(std::shared_ptr<CTravailCapture> travail, std::function<void(const std::string&)> fin) = 0;
    // Runs `travail`: calculer() off the document's thread when the executor has one,
    // then terminer() on it.
    virtual void lancer(std::shared_ptr<CTravailCalcul> travail) = 0;

    // What the application does once a capture job has ended and its messages are
    // told: the search applied again, so that marks and results follow the snapshots.
    std::function<void()> apresCapture;
};

// Everything at once, before lancer() returns.
class CExecuteurImmediat : public CExecuteurTravaux {
public:
    // `suivi`: told of the progress, may cancel (nullptr: nobody); `fils`: as
    // capturerRequete takes it.
    CExecuteurImmediat(CSuiviCapture* suivi, int fils) : suivi_(suivi), fils_(fils) {}
    void lancer(std::shared_ptr<CTravailCapture> travail, std::function<void(const std::string&)> fin) override;
    void lancer(std::shared_ptr<CTravailCalcul> travail) override;

private:
    CSuiviCapture* suivi_;
    int fils_;
};
