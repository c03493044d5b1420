#pragma once
// Running a system tool (mkfs.vfat, localedef, ...) from a test, with an argument vector.

#include <optional>
#include <string>
#include <vector>

// The full path of `programme`, looked up in PATH and then in /usr/sbin and /sbin
// (where mkfs tools live even when PATH lacks them); nullopt when absent.
std::optional<std::string> trouverProgramme(const std::string& programme);

// Runs argv[0] (a full path) with its output discarded; its exit status, or -1 when it
// could not be started or did not exit normally.
int executer(const std::vector<std::string>& argv);

// `argv` as posix_spawn takes it: pointers into its strings, then a null.
std::vector<char*> argumentsSpawn(const std::vector<std::string>& argv);
