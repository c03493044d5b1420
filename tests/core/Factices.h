#pragma once
// Shared test doubles: a fixture that installs the fake platform and user and resets
// the program-wide context, a journal of a document's notices, and an in-memory list
// control.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "model/ArbreDocument.h"
#include "model/CNomme.h"
#include "model/CObservateurDocument.h"
#include "model/ContenuListe.h"
#include "model/CDoc.h"
#include "platform/fake/CPlateformeFactice.h"
#include "search/Recherche.h"
#include "tests/core/UtilisateurFactice.h"
#include "workspace/CContexte.h"

// The fake system and the fake user as one object, so that a test scripts its disks and
// its answers alike.
class CPlateformeEtUtilisateurFactices : public CPlateformeFactice, public CUtilisateurFactice {};

class AvecPlateformeFactice : public ::testing::Test {
protected:
    void SetUp() override
    {
        precedente_ = definirPlateforme(&p);
        contexte_.definirUtilisateur(p);
        contexte_.criteresRecherche = CCriteres::pourRecherche();
    }
    void TearDown() override
    {
        // Whatever a test left open must not leak into the next one.
        EXPECT_TRUE(contexte_.documents.empty()) << "a document outlived its test";
        definirPlateforme(precedente_);
    }

    // The test's own search state; a document joins it through ouvert().
    CContexte& contexte() { return contexte_; }
    CDoc& ouvert(CDoc& doc)
    {
        contexte_.ajouterDocument(doc);
        return doc;
    }

    CPlateformeEtUtilisateurFactices p;

private:
    CContexte contexte_;
    CPlateforme* precedente_ = nullptr;
};

// Every notice a document gives, in order, as text: "ajout Photos", "instantané /m/a"...
class CJournalChangements : public CObservateurDocument {
public:
    void documentChange(const SChangement& c) override
    {
        static const char* const kQuoi[] = {"ajout", "suppression", "renommage", "déplacement",
                                            "instantané", "marques", "tout", "va partir",
                                            "instantané va partir", "fermeture"};
        std::string ligne = kQuoi[static_cast<int>(c.quoi)];
        // A deleted node is gone: only its address may be kept.
        if (c.noeud && c.quoi != EChangement::NoeudSupprime)
            ligne += " " + nomDe(*c.noeud);
        if (c.ancienParent)
            ligne += " de " + nomDe(*c.ancienParent);
        lignes.push_back(ligne);
        derniers.push_back(c);
    }
    static std::string nomDe(CElement& n)
    {
        if (&n == static_cast<CElement*>(n.document()))
            return "le document";
        CAffichable* a = n.commeAffichable();
        CNomme* nomme = a ? a->commeNomme() : nullptr;
        return nomme ? nomme->nom() : n.titre();
    }

    std::vector<std::string> lignes;
    std::vector<SChangement> derniers;
};

// The labels the tree shows beneath `noeud`, sorted as the tree sorts them.
inline std::vector<std::string> libellesSous(CElement& noeud)
{
    std::vector<std::string> r;
    for (const SItemArbre& i : itemsSous(noeud))
        r.push_back(i.libelle);
    std::sort(r.begin(), r.end());
    return r;
}

// The column titles of a node's list.
inline std::vector<std::string> titres(const SContenuListe& liste)
{
    std::vector<std::string> r;
    for (const auto& c : liste.colonnes)
        r.push_back(c.titre);
    return r;
}

// A results list that keeps its rows and records what it was told to forget.
class CResultatsEspion : public CResultatsRecherche {
public:
    void vider() override { lignes.clear(); ++vidages; }
    void ajouterLigne(CFichier* f) override { lignes.push_back(f); }
    void retrier() override { ++tris; }
    void retirerFichier(const CFichier* f) override
    {
        retires.push_back(f);
        lignes.erase(std::remove(lignes.begin(), lignes.end(), f), lignes.end());
    }
    std::vector<CFichier*> lignes;
    std::vector<const CFichier*> retires;
    int vidages = 0;
    int tris = 0;
};
