#pragma once
// A folder made fresh for one test and removed with everything under it afterwards,
// however deep, odd-named or write-protected its contents.

#include <string>

class CDossierTemporaire {
public:
    CDossierTemporaire();
    ~CDossierTemporaire();
    CDossierTemporaire(const CDossierTemporaire&) = delete;
    CDossierTemporaire& operator=(const CDossierTemporaire&) = delete;

    const std::string& chemin() const { return m_chemin; }
    // chemin() + '/' + nom
    std::string sous(const std::string& nom) const { return m_chemin + '/' + nom; }

private:
    std::string m_chemin;
};
