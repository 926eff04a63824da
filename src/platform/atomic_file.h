// Files a player owns (settings, recordings) are replaced whole or not at all.
#pragma once
#include <string>

// The name a new version of `path` is written under before it takes the old one's place.
std::string temporaryBeside(const std::string& path);
// Writes `text` to the temporary name beside `path` and flushes it to the disk; the target is
// not touched. False with the reason in *error (the temporary is then removed).
bool writeBeside(const std::string& path, const std::string& text, std::string* error);
// Writes beside the target under a temporary name and renames it over the target, so that
// the target is either the old file or the whole new one. False with the reason in *error.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error);
// Whether writeFileAtomically could write there now (it creates and removes its temporary
// file): asked before a long piece of work rather than after it.
bool canWriteAtomically(const std::string& path, std::string* error);
// Makes the folder and any missing folders above it; false when one cannot be made.
bool makeFolders(const std::string& folder);
