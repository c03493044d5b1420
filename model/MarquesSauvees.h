#pragma once
// The found marks of every file beneath some folders, kept so that they can be put
// back: a search or a comparison stopped halfway leaves every mark as it was. Four
// bytes a file; the folders must not change between relever() and retablir().

#include <cstdint>
#include <vector>

class CDossier;

class CMarquesSauvees {
public:
    // Keeps the marks beneath `dossier` (after those kept before).
    void relever(CDossier& dossier);
    // Puts back every mark kept, folder by folder.
    void retablir();

private:
    std::vector<CDossier*> dossiers_;
    std::vector<std::int32_t> marques_;
};
