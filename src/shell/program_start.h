// What every program does with its command line before anything else: answer --version, and
// find and enter the content folder (--data DIR, $BRAWLER_DATA, the installed pack, the
// current folder).
#pragma once
#include <string>

// Status a program exits with when it has found no content, or was given --data without a
// folder.
constexpr int kNoContentStatus = 1;
// What startProgram returns when the program is to go on.
constexpr int kStartedProgram = -1;

// Which protocols are part of a program's version: the programs that play online print the
// game's, the lobby its own too, for whoever has to find out why two machines will not meet.
enum ProgramKind { kOfflineProgram, kOnlineProgram, kLobbyServer };

// "NAME VERSION", then " (online protocol N)" for an online program, " (online protocol N,
// lobby protocol M)" for the lobby.
std::string versionLine(const char* name, ProgramKind kind);
// True, having printed the version line, when the first argument is --version.
bool answeredVersion(const char* name, ProgramKind kind, int argc, char** argv);
// Takes every "--data DIR" out of argv (the last one counts) into *folder. False with the
// reason in *error when a --data has no folder after it.
bool takeDataSwitch(int* argc, char** argv, std::string* folder, std::string* error);

// All of the above, then the content folder entered. kStartedProgram to go on, else the
// status to exit with (0 after --version).
int startProgram(const char* name, ProgramKind kind, int* argc, char** argv);
