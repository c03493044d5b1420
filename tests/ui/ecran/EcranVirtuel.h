#pragma once
// A virtual X server (Xvfb) started for the screen tests, by argument vector: no shell
// and no helper script reads the temporary folder's path, whatever it holds. Xvfb
// chooses a free display itself (-displayfd), so parallel runs cannot pick the same one.

#include <string>
#include <sys/types.h>

class CEcranVirtuel {
public:
    CEcranVirtuel() = default;
    ~CEcranVirtuel();
    CEcranVirtuel(const CEcranVirtuel&) = delete;
    CEcranVirtuel& operator=(const CEcranVirtuel&) = delete;

    // Starts Xvfb and waits for its display; returns ":N", or empty with `raison` filled.
    std::string demarrer(std::string& raison);

private:
    pid_t m_pid = -1;
};
