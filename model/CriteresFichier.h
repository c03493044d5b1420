#pragma once
// The file test shared by the search and the capture filter.

class CCriteres;
class CFichier;
class CRequete;

// True when the file passes every criterion; a criterion on a value that `requete`
// does not store is skipped.
bool testerFichier(const CFichier& fichier, const CCriteres& criteres, const CRequete& requete);
