#pragma once
// Progress of a capture, for the progress window and the command-line tool.

#include <cstdint>
#include <string>

struct SProgressionCapture {
    std::uint32_t dossiers = 0;   // folders read so far
    std::uint32_t fichiers = 0;   // files kept so far
    std::string dossierCourant;   // the folder being read
    std::string requete;          // the name of the query captured
};

class CSuiviCapture {
public:
    virtual ~CSuiviCapture() = default;
    // Called a few times a second at most; false cancels the capture.
    virtual bool progression(const SProgressionCapture& etat) = 0;
    // Called every few hundredths of a second while the capture waits for the threads
    // that list folders: time the caller may spend keeping its windows alive. Both
    // are only ever called on the thread that started the capture.
    virtual void patienter() {}
};
