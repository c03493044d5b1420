#pragma once
// The values a comparison of two queries looks at, as chosen in the compare wizard.

struct SOptionsComparaison {
    bool nom = false;
    bool cree = false;
    bool modifie = false;
    bool accede = false;
    bool taille = false;
    bool attributs = false;
};
