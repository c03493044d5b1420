#pragma once
// Catalogues for the tests, written as they would be drawn: one node per line, nesting
// by indentation (two spaces a level), values as key=value after the name.
//
//   classeur Disques
//     requete CD /media/cd
//       fichier a.txt taille=5 lettres=RA modifie=10/03/2003 accede=12/03/2003
//       dossier photos cache
//         fichier b.jpg
//
// A query takes its name and its folder; folders and files take their name, and their
// path is their parent's path followed by it. A line that cannot be read throws, so a
// typo never yields a quietly different catalogue.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/CDoc.h"

class CClasseur;
class CDossier;
class CElement;
class CFichier;
class CRequete;

class CCatalogueConstruit {
public:
    std::unique_ptr<CDoc> doc;

    // A node by its place: the binder's name ("Disques"), a query's name ("CD"), or the
    // query's name followed by the names below it ("CD/photos/b.jpg").
    CClasseur& classeur(const std::string& nom) const;
    CRequete& requete(const std::string& nom) const;
    CDossier& dossier(const std::string& place) const;
    CFichier& fichier(const std::string& place) const;

private:
    friend CCatalogueConstruit construireCatalogue(std::string_view description);
    CElement& noeud(const std::string& place) const;
    std::map<std::string, CElement*> places_;
    std::map<std::string, CFichier*> fichiers_;
};

// Throws std::invalid_argument naming the line that cannot be read.
CCatalogueConstruit construireCatalogue(std::string_view description);
