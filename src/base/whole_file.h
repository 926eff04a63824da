// Files read and written whole: a recording, a player's scores or settings. A file the player
// owns is never left half written, whatever stops the program mid-write.
#pragma once
#include <string>

// The whole of a file; false when it cannot be read. (Not the content reader: that one notes
// every path it opens as content.)
bool readWholeFile(const std::string& path, std::string* text);
// Writes beside the target under a temporary name, flushes it to the disk and renames it over
// the target, so that the target is either the old file or the whole new one. False with the
// reason in *error; the target is then untouched.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error);
// Its first half: the new text written and flushed under the temporary name beside `path`,
// the target not touched (what a crash before the rename leaves). False with the reason.
bool writeBeside(const std::string& path, const std::string& text, std::string* error);
// Whether writeFileAtomically could write there now (it creates and removes its temporary
// file): asked before the work whose result is to be kept, rather than after it.
bool canWriteAtomically(const std::string& path, std::string* error);
// Whether anything is there at all, readable or not.
bool fileExists(const std::string& path);
// Makes the folder and any missing folders above it; false when one cannot be made.
bool makeFolders(const std::string& folder);
// The one line a damaged file the player owns gets: "PATH:LINE: warning: WHAT" on standard
// error ("PATH: warning: WHAT" with line 0, for the file as a whole), the form compilers and
// the content checker use. The game goes on with what could be read.
void warnAboutFile(const std::string& path, int line, const std::string& what);
// Reads a file the player owns. Missing is a first run and quiet; there but unreadable gets its
// one warning, "cannot be read (REASON); " + `instead`, and the caller is to leave it alone for
// the session: writing over it would lose whatever the player had in it.
enum PlayerFileRead { kPlayerFileRead, kPlayerFileMissing, kPlayerFileUnreadable };
PlayerFileRead readPlayerFile(const std::string& path, std::string* text, const std::string& instead);
