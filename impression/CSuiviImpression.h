#pragma once
// Told after each page a print job sends to its device, on the thread that prints; the
// one who watches (the progress window, through what it shares with that thread) can
// stop the job there.

#include <cstdint>

class CSuiviImpression {
public:
    // `faites` pages of the `total` to print are done. False stops the job.
    virtual bool pagesImprimees(std::uint32_t faites, std::uint32_t total) = 0;

protected:
    ~CSuiviImpression() = default;
};
