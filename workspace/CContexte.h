#pragma once
// What the program keeps from one operation to the next: the current binder, the open
// documents, the application's search and its results windows. One belongs to the
// window program, one to a command of the command-line tool; it is passed to what
// needs it. None of its pointers owns anything: it observes every document it holds,
// which tells it of the nodes about to go, so no pointer here outlives its target.

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "model/CCriteres.h"
#include "model/CObservateurDocument.h"
#include "model/CUtilisateur.h"

class CClasseur;
class CDoc;
class CIndexGardeDocument;
class CResultatsComparaison;
class CResultatsRecherche;

struct CContexte : CObservateurDocument {
    CContexte() = default;
    CContexte(const CContexte&) = delete;
    CContexte& operator=(const CContexte&) = delete;
    ~CContexte() override;

    // `doc` is open: it joins the documents (and their search) until it closes.
    void ajouterDocument(CDoc& doc);

    // Who the operations on these documents talk to: nobody (CUtilisateur's own
    // answers) until one is set, not owned.
    CUtilisateur& utilisateur() const { return *utilisateur_; }
    void definirUtilisateur(CUtilisateur& utilisateur) { utilisateur_ = &utilisateur; }

    // The binder the new-query command adds to: one of the active document's, or none.
    CClasseur* classeurCourant = nullptr;

    // Every open document, in opening order (the search resets them all).
    std::vector<CDoc*> documents;

    // The kept quick-search index of each open document that was read with one.
    std::map<const CDoc*, std::shared_ptr<const CIndexGardeDocument>> indexGardes;

    // The application's search criteria; their target is the node searched last.
    CCriteres criteresRecherche;
    // "Filtre recherche": lists show only files whose found mark is set.
    bool filtreRecherche = false;

    // The application's results windows, registered by the window program for as long
    // as they exist: the application's search and comparison fill them, and every file
    // destroyed leaves them first.
    CResultatsRecherche* resultatsRecherche = nullptr;
    CResultatsComparaison* resultatsComparaison = nullptr;

    // The search results window shows the quick search's answer: the application's
    // search still sets the found marks, but leaves the window and its count alone.
    bool resultatsRapidesAffiches = false;
    // Told, on the owning thread, after the documents' contents may have changed (an
    // update, a load, a node deleted or moved, a document closed).
    std::function<void()> surChangementDocuments;
    void signalerChangementDocuments()
    {
        if (surChangementDocuments)
            surChangementDocuments();
    }

    // Told of every notice of every document: lets go of the nodes about to be
    // destroyed (the current binder, the search's target, the results windows' rows),
    // and of the document once it closes.
    void documentChange(const SChangement& changement) override;

private:
    mutable CUtilisateur personne_;
    CUtilisateur* utilisateur_ = &personne_;
};
