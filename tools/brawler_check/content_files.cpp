#include "content_files.h"

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "content/image_size.h"
#include "content/text_file.h"
#include "findings.h"
#include "platform/audio_file_check.h"
#include "platform/host_path.h"
#include "platform/null_platform.h"

namespace fs = std::filesystem;

namespace {

// The music jumps back from here by the program's clock; a shorter track falls silent first.
constexpr double kMusicLoopEnd = 145.072;
// Many graphics cards take no texture side over this; the game refuses a picture its card
// cannot hold, so a larger one works only on some machines.
constexpr uint32_t kPracticalImageSide = 4096;
// A text file longer than this is not content; nothing the game reads comes near it.
constexpr int kTextLineLimit = 100000;
// Nearly every file fits this many lines; a longer one is read again into a table eight times
// the size, so that short files do not pay for the limit's table.
constexpr int kTextLinesFirstRead = 4096;

// Each file is read, decoded and reported missing once, however many loaders want it.
std::map<std::string, TextFile> textFiles;
std::map<std::pair<std::string, int>, ImageInfo> images;
std::set<std::string> reportedMissing;

std::string lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// A file whose name differs only in letter case: the game looks names up exactly.
std::string caseVariant(const std::string& path) {
  fs::path wanted(path);
  fs::path folder = wanted.parent_path();
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return std::string();
  std::string name = lower(wanted.filename().string());
  for (const auto& entry : it) {
    if (lower(entry.path().filename().string()) == name)
      return (folder / entry.path().filename()).generic_string();
  }
  return std::string();
}

// What stands at the path when it is there but is not a regular file; "" otherwise.
const char* notAFile(const std::string& path) {
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status) || fs::is_regular_file(status)) return "";
  if (fs::is_directory(status)) return "a folder";
  if (fs::is_fifo(status)) return "a named pipe";
  if (fs::is_character_file(status) || fs::is_block_file(status)) return "a device";
  return "not a regular file";
}

}  // namespace

std::string shownPath(const std::string& contentPath) { return hostPath(contentPath); }

bool contentFileExists(const std::string& contentPath) {
  std::error_code ec;
  return fs::is_regular_file(hostPath(contentPath), ec);
}

bool leavesContentFolder(const std::string& contentPath) {
  fs::path path = fs::path(hostPath(contentPath));
  if (path.is_absolute()) return true;
  fs::path normal = path.lexically_normal();
  return !normal.empty() && *normal.begin() == "..";
}

bool requireFile(const std::string& contentPath, const std::string& whatLoadsIt,
                 Severity ifMissing) {
  if (contentFileExists(contentPath)) return true;
  std::string path = hostPath(contentPath);
  if (!reportedMissing.insert(path).second) return false;
  std::string message = "missing file, loaded " + whatLoadsIt;
  std::string standing = notAFile(path);
  std::string variant = caseVariant(path);
  if (!standing.empty())
    message = "is " + standing + ", not a file; the game reads it as a missing file, loaded " +
              whatLoadsIt;
  else if (!variant.empty())
    message += " (there is \"" + variant + "\", but names must match in case)";
  (ifMissing == kError ? reportError : reportWarning)(path, 0, message);
  return false;
}

const TextFile& textFile(const std::string& contentPath) {
  std::string path = hostPath(contentPath);
  auto found = textFiles.find(path);
  if (found != textFiles.end()) return found->second;
  TextFile& file = textFiles[path];
  file.exists = contentFileExists(path);
  for (int capacity = kTextLinesFirstRead; file.exists;
       capacity = std::min(capacity * 8, kTextLineLimit)) {
    file.lines.assign(capacity, std::string());
    int count = readLines(path, file.lines.data(), capacity);
    file.lines.resize(count);
    if (count < capacity || capacity == kTextLineLimit) break;
  }
  return file;
}

const ImageInfo& checkImage(const std::string& contentPath, ImageLayout layout,
                            const std::string& whatLoadsIt) {
  std::string path = hostPath(contentPath);
  auto key = std::make_pair(path, static_cast<int>(layout));
  auto found = images.find(key);
  if (found != images.end()) return found->second;
  ImageInfo& info = images[key];
  if (!requireFile(path, whatLoadsIt + "; the game stops with \"Error loading " + contentPath + ".\""))
    return info;
  // Sized from its header first: a small file can claim more pixels than memory holds.
  ImageSize size;
  std::string tooLarge = readImageSize(path, &size) ? imageSizeProblem(size, 0) : std::string();
  if (!tooLarge.empty()) {
    reportError(path, 0, tooLarge + "; the game refuses it and stops with \"Error loading " +
                             contentPath + ".\"");
    return info;
  }
  if (size.width > kPracticalImageSide || size.height > kPracticalImageSide) {
    uint64_t bytes = uint64_t{size.width} * size.height * kDecodedBytesPerPixel;
    char message[300];
    std::snprintf(message, sizeof message,
                  "is %ux%u pixels, %llu bytes (%.1f MB) once decoded; on a graphics card whose "
                  "largest texture is %u on a side the game stops with",
                  size.width, size.height, static_cast<unsigned long long>(bytes),
                  bytes / double(1u << 20), kPracticalImageSide);
    reportWarning(path, 0, std::string(message) + " \"Error loading " + contentPath + ".\"");
  }
  DecodedImage image;
  if (!platformDecodeImage(path, &image)) {
    reportError(path, 0, "does not decode as an image; the game stops with \"Error loading " +
                             contentPath + ".\"");
    return info;
  }
  info.decoded = true;
  info.width = image.width;
  info.height = image.height;
  std::string has = std::to_string(image.bytesPerPixel * 8) + "-bit";
  if (image.bytesPerPixel != 3 && image.bytesPerPixel != 4)
    reportError(path, 0, "decodes as a " + has + " image (palette or grey); the game takes only "
                         "24-bit RGB and 32-bit RGBA and stops with \"Error loading " +
                             contentPath + ".\"");
  else if (layout == kImageRGBA && image.bytesPerPixel == 3)
    reportError(path, 0, "is a 24-bit RGB image, but sprite sheets are 32-bit RGBA: the game "
                         "makes every pixel opaque, so the sheet's background shows");
  else if (layout == kImageRGB && image.bytesPerPixel == 4)
    reportError(path, 0, "is a 32-bit RGBA image, but this picture is loaded as 24-bit RGB: "
                         "its transparency is thrown away");
  return info;
}

void forgetContentFiles() {
  textFiles.clear();
  images.clear();
  reportedMissing.clear();
}

void checkSound(const std::string& contentPath, const std::string& whatLoadsIt) {
  std::string path = hostPath(contentPath);
  if (!requireFile(path, whatLoadsIt)) return;
  std::string refused = soundFileProblem(path);
  if (!refused.empty()) {
    reportWarning(path, 0, refused + "; the game plays nothing in its place");
    return;
  }
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(path.c_str(), &format, &buffer, &length)) {
    reportWarning(path, 0, std::string("does not decode as a WAV sound (") + SDL_GetError() +
                               "); the game plays nothing in its place");
    return;
  }
  SDL_FreeWAV(buffer);
}

// Music the game cannot play leaves the stage silent and nothing else: a warning at most.
void checkMusic(const std::string& contentPath, const std::string& whatLoadsIt) {
  std::string path = hostPath(contentPath);
  if (!requireFile(path, whatLoadsIt + "; the stage plays in silence", kWarning)) return;
  std::string refused = musicFileProblem(path);
  if (!refused.empty()) {
    reportWarning(path, 0, refused + "; the stage plays in silence");
    return;
  }
  OggVorbis_File ogg;
  if (ov_fopen(path.c_str(), &ogg) != 0) {
    reportWarning(path, 0, "does not decode as Ogg Vorbis music; the stage plays in silence");
    return;
  }
  double seconds = ov_time_total(&ogg, -1);
  ov_clear(&ogg);
  if (seconds < kMusicLoopEnd) {
    char message[200];
    std::snprintf(message, sizeof message,
                  "lasts %.3f s, shorter than the loop end at %.3f s: the music stops before it "
                  "loops",
                  seconds, kMusicLoopEnd);
    reportWarning(path, 0, message);
  }
}
