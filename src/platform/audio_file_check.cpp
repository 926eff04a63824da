#include "platform/audio_file_check.h"

#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <cstring>

#include "platform/host_path.h"

namespace {

// Bytes read piecewise from a file or from memory, so a header check never reads a whole
// file and the fuzz target can feed the same code.
struct ByteSource {
  std::FILE* file = nullptr;
  const unsigned char* bytes = nullptr;
  uint64_t size = 0;
  uint64_t position = 0;  // where the stream callbacks read next

  size_t readAt(uint64_t offset, void* out, size_t n) {
    if (offset >= size) return 0;
    if (n > size - offset) n = static_cast<size_t>(size - offset);
    if (bytes) {
      std::memcpy(out, bytes + offset, n);
      return n;
    }
    if (fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
    return std::fread(out, 1, n, file);
  }
};

bool openFile(const std::string& contentPath, ByteSource* source) {
  source->file = openRegularFile(contentPath);
  if (!source->file) return false;
  if (fseeko(source->file, 0, SEEK_END) != 0) return false;
  source->size = static_cast<uint64_t>(ftello(source->file));
  return true;
}

void closeFile(ByteSource* source) {
  if (source->file) std::fclose(source->file);
}

uint32_t le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// The mixer converts to its own output: 22050 frames a second of 16-bit stereo.
constexpr uint64_t kMixerBytesPerSecond = 22050 * 4;
constexpr uint16_t kPcmFormat = 1;
constexpr uint32_t kFormatFieldsBytes = 16;  // format tag to bits per sample
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kRiffHeaderBytes = 12;

std::string channelsAndRateProblem(long channels, long rate) {
  if (channels < kMinAudioChannels || channels > kMaxAudioChannels)
    return "says " + std::to_string(channels) + " channels (the game takes " +
           std::to_string(kMinAudioChannels) + " or " + std::to_string(kMaxAudioChannels) + ")";
  if (rate < kMinAudioRate || rate > kMaxAudioRate)
    return "says " + std::to_string(rate) + " samples a second (the game takes " +
           std::to_string(kMinAudioRate) + " to " + std::to_string(kMaxAudioRate) + ")";
  return "";
}

std::string formatProblem(const unsigned char* fields) {
  const uint16_t tag = le16(fields);
  if (tag != kPcmFormat) return "is not plain PCM (format " + std::to_string(tag) + ")";
  const uint16_t bits = le16(fields + 14);
  if (bits != 8 && bits != 16) return "has " + std::to_string(bits) + "-bit samples (the game takes 8 or 16)";
  return channelsAndRateProblem(le16(fields + 2), le32(fields + 4));
}

std::string dataProblem(const unsigned char* fields, uint64_t dataBytes) {
  const uint64_t frameBytes = uint64_t{le16(fields + 2)} * (le16(fields + 14) / 8);
  const uint64_t rate = le32(fields + 4);
  const double converted = static_cast<double>(dataBytes / frameBytes) / rate * kMixerBytesPerSecond;
  if (converted > static_cast<double>(kMaxConvertedSoundBytes))
    return "would take " + std::to_string(static_cast<uint64_t>(converted) >> 20) +
           " MB once converted for the mixer (the game takes up to " +
           std::to_string(kMaxConvertedSoundBytes >> 20) + " MB)";
  return "";
}

// Walks the chunks as the mixer's loader does (no padding between them): the first format
// chunk, then the first data chunk after it.
std::string wavProblem(ByteSource& source) {
  unsigned char riff[kRiffHeaderBytes];
  if (source.readAt(0, riff, sizeof riff) != sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return "is not a RIFF WAVE file";
  unsigned char fields[kFormatFieldsBytes];
  bool haveFormat = false;
  uint64_t at = kRiffHeaderBytes;
  unsigned char header[kChunkHeaderBytes];
  while (source.readAt(at, header, sizeof header) == sizeof header) {
    const uint64_t body = at + kChunkHeaderBytes;
    const uint64_t length = le32(header + 4);
    const std::string id(reinterpret_cast<const char*>(header), 4);
    if (length > source.size - body)
      return "has a '" + id + "' chunk of " + std::to_string(length) + " bytes, but only " +
             std::to_string(source.size - body) + " follow";
    if (!haveFormat && id == "fmt ") {
      if (length < kFormatFieldsBytes || source.readAt(body, fields, sizeof fields) != sizeof fields)
        return "has a format chunk too short to describe its samples";
      const std::string problem = formatProblem(fields);
      if (!problem.empty()) return problem;
      haveFormat = true;
    } else if (haveFormat && id == "data") {
      return dataProblem(fields, length);
    }
    at = body + length;
  }
  return haveFormat ? "has no data chunk after its format" : "has no format chunk";
}

size_t readStream(void* out, size_t size, size_t count, void* from) {
  ByteSource& source = *static_cast<ByteSource*>(from);
  if (size == 0) return 0;
  const size_t got = source.readAt(source.position, out, size * count);
  source.position += got;
  return got / size;
}

int seekStream(void* from, ogg_int64_t offset, int whence) {
  ByteSource& source = *static_cast<ByteSource*>(from);
  ogg_int64_t base = whence == SEEK_SET ? 0
                     : whence == SEEK_CUR ? static_cast<ogg_int64_t>(source.position)
                                          : static_cast<ogg_int64_t>(source.size);
  if (offset < -base || offset > static_cast<ogg_int64_t>(source.size) - base) return -1;
  source.position = static_cast<uint64_t>(base + offset);
  return 0;
}

long tellStream(void* from) { return static_cast<long>(static_cast<ByteSource*>(from)->position); }

// Every link of a chained stream is checked: the mixer rebuilds its conversion at each one.
std::string vorbisProblem(ByteSource& source) {
  const ov_callbacks callbacks = {readStream, seekStream, nullptr, tellStream};
  OggVorbis_File stream;
  if (ov_open_callbacks(&source, &stream, nullptr, 0, callbacks) != 0)
    return "does not decode as Ogg Vorbis";
  std::string problem;
  const long links = ov_streams(&stream);
  for (long link = 0; link < links && problem.empty(); ++link) {
    const vorbis_info* info = ov_info(&stream, static_cast<int>(link));
    problem = info ? channelsAndRateProblem(info->channels, info->rate) : "does not decode as Ogg Vorbis";
  }
  ov_clear(&stream);
  return problem;
}

template <typename Check>
std::string fileProblem(const std::string& contentPath, Check check) {
  ByteSource source;
  std::string problem = openFile(contentPath, &source) ? check(source) : "cannot be opened as a file";
  closeFile(&source);
  return problem;
}

}  // namespace

std::string soundFileProblem(const std::string& contentPath) {
  return fileProblem(contentPath, wavProblem);
}

std::string musicFileProblem(const std::string& contentPath) {
  return fileProblem(contentPath, vorbisProblem);
}

std::string wavBytesProblem(const unsigned char* bytes, size_t size) {
  ByteSource source;
  source.bytes = bytes;
  source.size = size;
  return wavProblem(source);
}

std::string vorbisBytesProblem(const unsigned char* bytes, size_t size) {
  ByteSource source;
  source.bytes = bytes;
  source.size = size;
  return vorbisProblem(source);
}
