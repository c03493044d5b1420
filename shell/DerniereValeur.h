#pragma once
// The last value a job's thread left for the interface thread, which reads each one
// once: progress reports, of which only the newest matters.

#include <mutex>

template <class T>
class CDerniereValeur {
public:
    void deposer(const T& valeur)
    {
        std::lock_guard verrou(mutex_);
        valeur_ = valeur;
        nouvelle_ = true;
    }
    // The value, when one was left since the last read.
    bool lire(T& valeur)
    {
        std::lock_guard verrou(mutex_);
        if (!nouvelle_)
            return false;
        valeur = valeur_;
        nouvelle_ = false;
        return true;
    }

private:
    std::mutex mutex_;
    T valeur_{};
    bool nouvelle_ = false;
};
