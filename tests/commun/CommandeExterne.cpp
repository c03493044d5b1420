#include "tests/commun/CommandeExterne.h"

#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

std::optional<std::string> trouverProgramme(const std::string& programme)
{
    const char* path = std::getenv("PATH");
    std::string dossiers = std::string(path != nullptr ? path : "") + ":/usr/sbin:/sbin";
    std::size_t debut = 0;
    while (debut <= dossiers.size()) {
        std::size_t fin = dossiers.find(':', debut);
        if (fin == std::string::npos)
            fin = dossiers.size();
        const std::string candidat = dossiers.substr(debut, fin - debut) + '/' + programme;
        if (fin > debut && access(candidat.c_str(), X_OK) == 0)
            return candidat;
        debut = fin + 1;
    }
    return std::nullopt;
}

std::vector<char*> argumentsSpawn(const std::vector<std::string>& argv)
{
    std::vector<char*> arguments;
    for (const std::string& a : argv)
        arguments.push_back(const_cast<char*>(a.c_str()));
    arguments.push_back(nullptr);
    return arguments;
}

int executer(const std::vector<std::string>& argv)
{
    std::vector<char*> arguments = argumentsSpawn(argv);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int erreur = posix_spawn(&pid, arguments[0], &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (erreur != 0)
        return -1;
    int statut = 0;
    if (waitpid(pid, &statut, 0) != pid || !WIFEXITED(statut))
        return -1;
    return WEXITSTATUS(statut);
}
