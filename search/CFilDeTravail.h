#pragma once
// A thread of our own that runs the jobs handed to it one after the other, started at
// the first one. The system may refuse a thread (the user's processes at their limit):
// the caller is then told so, and runs the job itself.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class CFilDeTravail {
public:
    CFilDeTravail() = default;
    // The jobs handed over are done first.
    ~CFilDeTravail();
    CFilDeTravail(const CFilDeTravail&) = delete;
    CFilDeTravail& operator=(const CFilDeTravail&) = delete;

    // Hands `travail` to the thread. False when no thread could be started: nothing was
    // handed, and the caller runs it itself. What `travail` throws stops at it (the job
    // is to catch what it means to report).
    bool confier(std::function<void()> travail);
    // Until every job handed over is done.
    void attendre();

private:
    void boucle();

    std::mutex verrou_;
    std::condition_variable change_;
    std::deque<std::function<void()>> travaux_;
    bool occupe_ = false;
    bool fin_ = false;
    std::thread fil_;
};
