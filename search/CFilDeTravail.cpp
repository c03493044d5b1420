#include "search/CFilDeTravail.h"

#include <system_error>

CFilDeTravail::~CFilDeTravail()
{
    {
        std::lock_guard garde(verrou_);
        fin_ = true;
    }
    change_.notify_all();
    if (fil_.joinable())
        fil_.join();
}

bool CFilDeTravail::confier(std::function<void()> travail)
{
    std::lock_guard garde(verrou_);
    if (!fil_.joinable()) {
        try {
            fil_ = std::thread([this] { boucle(); });
        } catch (const std::system_error&) {
            return false;  // asked again at the next job: a thread may be free by then
        }
    }
    travaux_.push_back(std::move(travail));
    change_.notify_all();
    return true;
}

void CFilDeTravail::attendre()
{
    std::unique_lock garde(verrou_);
    change_.wait(garde, [this] { return travaux_.empty() && !occupe_; });
}

void CFilDeTravail::boucle()
{
    std::unique_lock garde(verrou_);
    for (;;) {
        change_.wait(garde, [this] { return fin_ || !travaux_.empty(); });
        if (travaux_.empty())
            return;  // the end, once every job is done
        std::function<void()> travail = std::move(travaux_.front());
        travaux_.pop_front();
        occupe_ = true;
        garde.unlock();
        try {
            travail();
        } catch (...) {
            // Nothing may leave the thread; the job was to report its own failures.
        }
        garde.lock();
        occupe_ = false;
        change_.notify_all();
    }
}
