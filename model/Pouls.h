#pragma once
// The pulse of a long pass over files (a search, a duplicate pass, a comparison): every
// kPas files it tells the job that runs the pass how far it is, and stops the pass by
// throwing SPasseAnnulee once the user has asked to cancel. Costs one increment per
// file; a pass with no job to tell does nothing more.

#include <atomic>
#include <cstdint>

// Shared by the job's thread, which counts, and the interface thread, which reads the
// count and may cancel.
struct SAvancement {
    std::atomic<std::uint64_t> fichiers{0};
    std::atomic<bool> annule{false};
};

// Thrown out of a pass whose job was cancelled; whoever started the job puts back what
// the pass had changed.
struct SPasseAnnulee {};

class CPouls {
public:
    static constexpr std::uint32_t kPas = 16384;

    explicit CPouls(SAvancement* avancement) : avancement_(avancement) {}

    void operator()()
    {
        if (++compte_ == kPas) {
            compte_ = 0;
            if (avancement_) {
                avancement_->fichiers.fetch_add(kPas, std::memory_order_relaxed);
                if (avancement_->annule.load(std::memory_order_relaxed))
                    throw SPasseAnnulee{};
            }
        }
    }

private:
    SAvancement* avancement_;
    std::uint32_t compte_ = 0;
};
