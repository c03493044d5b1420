#pragma once
// Shared test doubles: a fixture that installs the fake platform and user and resets
// the program-wide context, and in-memory tree and list controls.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "model/CContexte.h"
#include "model/CControleArbre.h"
#include "model/CControleListe.h"
#include "platform/fake/CPlateformeFactice.h"
#include "search/Recherche.h"
#include "tests/core/UtilisateurFactice.h"

// The fake system and the fake user as one object, so that a test scripts its disks and
// its answers alike.
class CPlateformeEtUtilisateurFactices : public CPlateformeFactice, public CUtilisateurFactice {};

class AvecPlateformeFactice : public ::testing::Test {
protected:
    void SetUp() override
    {
        precedente_ = definirPlateforme(&p);
        utilisateurPrecedent_ = definirUtilisateur(&p);
        contexte() = CContexte();
        contexte().criteresRecherche = CCriteres::pourRecherche();
    }
    void TearDown() override
    {
        // Whatever a test left open must not leak into the next one.
        EXPECT_TRUE(contexte().documents.empty()) << "a document outlived its test";
        contexte() = CContexte();
        definirUtilisateur(utilisateurPrecedent_);
        definirPlateforme(precedente_);
    }

    CPlateformeEtUtilisateurFactices p;

private:
    CPlateforme* precedente_ = nullptr;
    CUtilisateur* utilisateurPrecedent_ = nullptr;
};

// A tree control kept as a map of items; labels sorted among siblings like the real one.
class CArbreFactice : public CControleArbre {
public:
    struct SElement {
        ElementArbre parent = 0;
        std::string texte;
        int image = 0, imageSelection = 0;
        CElement* noeud = nullptr;
        bool gras = false;
    };

    ElementArbre inserer(ElementArbre parent, const std::string& texte, int image, int imageSelection,
                         CElement* noeud) override
    {
        const ElementArbre id = ++dernier_;
        elements[id] = {parent, texte, image, imageSelection, noeud, false};
        auto& freres = enfants_[parent];
        auto pos = std::find_if(freres.begin(), freres.end(),
                                [&](ElementArbre f) { return elements[f].texte > texte; });
        freres.insert(pos, id);
        return id;
    }
    void supprimer(ElementArbre e) override
    {
        for (ElementArbre enfant : std::vector<ElementArbre>(enfants_[e]))
            supprimer(enfant);
        enfants_.erase(e);
        auto& freres = enfants_[elements[e].parent];
        freres.erase(std::remove(freres.begin(), freres.end(), e), freres.end());
        elements.erase(e);
        if (selection_ == e)
            selection_ = 0;
    }
    void supprimerTout() override
    {
        elements.clear();
        enfants_.clear();
        selection_ = 0;
    }
    ElementArbre premierEnfant(ElementArbre parent) const override
    {
        auto it = enfants_.find(parent);
        return it == enfants_.end() || it->second.empty() ? 0 : it->second.front();
    }
    ElementArbre suivant(ElementArbre e) const override
    {
        const auto& freres = enfants_.at(elements.at(e).parent);
        auto it = std::find(freres.begin(), freres.end(), e);
        return ++it == freres.end() ? 0 : *it;
    }
    CElement* noeud(ElementArbre e) const override { return e ? elements.at(e).noeud : nullptr; }
    ElementArbre selection() const override { return selection_; }
    void selectionner(ElementArbre e) override { selection_ = e; }
    void mettreEnGras(ElementArbre e, bool gras) override { elements[e].gras = gras; }
    void geler(bool gel) override { gele = gel; }
    void editerLibelle(ElementArbre e) override { enEdition = e; }

    // Labels of the children of `parent`, in display order.
    std::vector<std::string> libelles(ElementArbre parent = 0) const
    {
        std::vector<std::string> r;
        for (ElementArbre e = premierEnfant(parent); e; e = suivant(e))
            r.push_back(elements.at(e).texte);
        return r;
    }

    std::map<ElementArbre, SElement> elements;
    bool gele = false;
    ElementArbre enEdition = 0;

private:
    std::map<ElementArbre, std::vector<ElementArbre>> enfants_;
    ElementArbre dernier_ = 0;
    ElementArbre selection_ = 0;
};

class CListeFactice : public CControleListe {
public:
    void ajouterColonne(const SColonne& c) override { colonnes.push_back(c); }
    void ajouterLigne(CElement* n) override { lignes.push_back(n); }

    std::vector<std::string> titres() const
    {
        std::vector<std::string> r;
        for (const auto& c : colonnes)
            r.push_back(c.titre);
        return r;
    }

    std::vector<SColonne> colonnes;
    std::vector<CElement*> lignes;
};

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
