#pragma once
// The slow FUSE mirror (miroir_lent) mounted for as long as this object lives: started
// in the foreground as a child, waited for until the mount point shows it, stopped and
// unmounted on destruction. Should this process die first, the child gets SIGTERM and
// unmounts itself.

#include <string>
#include <sys/types.h>

class CMontageMiroir {
public:
    // `programme`: the mirror's executable, empty when it was not built.
    CMontageMiroir(const std::string& programme, const std::string& source, const std::string& pointDeMontage,
                   unsigned latenceUs);
    ~CMontageMiroir() { demonter(); }
    CMontageMiroir(const CMontageMiroir&) = delete;
    CMontageMiroir& operator=(const CMontageMiroir&) = delete;

    bool monte() const { return m_pid > 0; }
    // The mirror's process, for a test that stops or kills it (demonter() then ends it).
    pid_t pid() const { return m_pid; }
    // Why the mount failed, in French; empty once mounted.
    const std::string& erreur() const { return m_erreur; }
    // False when a dead mount of ours could not be removed from the point.
    bool demonter();

private:
    std::string m_pointDeMontage;
    pid_t m_pid = -1;
    std::string m_erreur;
};
