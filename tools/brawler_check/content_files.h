// The checker's view of content files: existence, text lines as the game reads them, and the
// images and sounds decoded the way the game's loaders decode them. Every path is a content path
// as the game composes it ("/" or "\"); the checker runs inside the content folder.
#pragma once
#include <string>
#include <vector>

// The path as findings print it: "\" turned into "/".
std::string shownPath(const std::string& contentPath);

bool contentFileExists(const std::string& contentPath);
// True for an absolute path or one whose ".." steps climb out of the content folder.
bool leavesContentFolder(const std::string& contentPath);
#include "findings.h"

// Reports a missing file the game loads (with a hint when only the letter case differs), as an
// error unless the game goes on well enough without it.
bool requireFile(const std::string& contentPath, const std::string& whatLoadsIt,
                 Severity ifMissing = kError);

// A text file split into lines by the game's own reader; `exists` false when it cannot be opened.
struct TextFile {
  bool exists = false;
  std::vector<std::string> lines;  // every line of the file, however many
};
const TextFile& textFile(const std::string& contentPath);

enum ImageLayout { kImageRGBA, kImageRGB };
struct ImageInfo {
  bool decoded = false;
  int width = 0;
  int height = 0;
};
// Decodes the image once and reports a missing file, a failed decode or a channel layout that
// does not match the loader the game uses for it.
const ImageInfo& checkImage(const std::string& contentPath, ImageLayout layout,
                            const std::string& whatLoadsIt);

// Empties the caches of files read and reported, for a new content folder.
void forgetContentFiles();

void checkSound(const std::string& contentPath, const std::string& whatLoadsIt);
void checkMusic(const std::string& contentPath, const std::string& whatLoadsIt);
