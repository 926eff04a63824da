// The checks that stand between content audio and the mixer.
#include "platform/audio_file_check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

void putLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

struct WavShape {
  uint16_t format = 1;
  uint16_t channels = 1;
  uint32_t rate = 22050;
  uint16_t bits = 16;
  uint32_t formatBytes = 16;
  uint32_t dataBytesSaid = 200;
  uint32_t dataBytesHeld = 200;
  bool dataFirst = false;
  bool junkChunkFirst = false;
};

std::string wav(const WavShape& s) {
  std::string format = "fmt ";
  putLe(format, s.formatBytes, 4);
  putLe(format, s.format, 2);
  putLe(format, s.channels, 2);
  putLe(format, s.rate, 4);
  putLe(format, s.rate * s.channels * s.bits / 8, 4);
  putLe(format, s.channels * s.bits / 8, 2);
  putLe(format, s.bits, 2);
  format.resize(8 + s.formatBytes, '\0');
  std::string data = "data";
  putLe(data, s.dataBytesSaid, 4);
  data.append(s.dataBytesHeld, '\x10');
  std::string body = "WAVE";
  if (s.junkChunkFirst) body += std::string("LIST\x04\0\0\0abcd", 12);
  body += s.dataFirst ? data + format : format + data;
  std::string out = "RIFF";
  putLe(out, static_cast<uint32_t>(body.size()), 4);
  return out + body;
}

WavShape with(void (*change)(WavShape&)) {
  WavShape s;
  change(s);
  return s;
}

struct WavCase {
  const char* name;
  WavShape shape;
  const char* problemStart;  // "" when the file must pass
};

class WavCheck : public ::testing::TestWithParam<WavCase> {};

TEST_P(WavCheck, PassesOnlyWhatTheMixerConvertsSafely) {
  const std::string bytes = wav(GetParam().shape);
  const std::string problem =
      wavBytesProblem(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  EXPECT_EQ(problem.substr(0, std::string(GetParam().problemStart).size()), GetParam().problemStart);
  EXPECT_EQ(problem.empty(), *GetParam().problemStart == '\0') << problem;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, WavCheck,
    ::testing::Values(
        WavCase{"MonoSixteenBit", WavShape{}, ""},
        WavCase{"StereoEightBitAtTheLowestRate", with([](WavShape& s) { s.channels = 2, s.bits = 8, s.rate = 4000; }), ""},
        WavCase{"HighestRate", with([](WavShape& s) { s.rate = 96000; }), ""},
        WavCase{"ListChunkBeforeTheFormat", with([](WavShape& s) { s.junkChunkFirst = true; }), ""},
        WavCase{"LongerFormatChunk", with([](WavShape& s) { s.formatBytes = 18; }), ""},
        WavCase{"NoChannels", with([](WavShape& s) { s.channels = 0; }), "says 0 channels"},
        WavCase{"ThreeChannels", with([](WavShape& s) { s.channels = 3; }), "says 3 channels"},
        WavCase{"OneSampleASecond", with([](WavShape& s) { s.rate = 1; }), "says 1 samples a second"},
        WavCase{"JustBelowTheLowestRate", with([](WavShape& s) { s.rate = 3999; }), "says 3999"},
        WavCase{"JustAboveTheHighestRate", with([](WavShape& s) { s.rate = 96001; }), "says 96001"},
        WavCase{"TwentyFourBit", with([](WavShape& s) { s.bits = 24; }), "has 24-bit samples"},
        WavCase{"CompressedFormat", with([](WavShape& s) { s.format = 2; }), "is not plain PCM"},
        WavCase{"FormatChunkTooShort", with([](WavShape& s) { s.formatBytes = 14; }), "has a format chunk too short"},
        WavCase{"DataLongerThanTheFile", with([](WavShape& s) { s.dataBytesSaid = 0xFFFFFFF0u; }), "has a 'data' chunk of"},
        WavCase{"DataBeforeFormat", with([](WavShape& s) { s.dataFirst = true; }), "has no data chunk after"},
        WavCase{"HugeOnceConverted",
                with([](WavShape& s) { s.bits = 8, s.rate = 4000, s.dataBytesSaid = s.dataBytesHeld = 4u << 20; }),
                "would take 88 MB"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WavCheckOfBytes, NotAWaveFileAtAll) {
  for (const std::string bytes : {std::string(), std::string("RIFF"), std::string("RIFF\0\0\0\0AVI ", 12),
                                  std::string("OggS and more bytes")}) {
    EXPECT_EQ(wavBytesProblem(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()),
              "is not a RIFF WAVE file");
  }
}

// Ogg pages carry a checksum over the whole page, so a changed header field needs a new one.
uint32_t oggChecksum(const std::string& page) {
  uint32_t crc = 0;
  for (unsigned char byte : page) {
    crc ^= static_cast<uint32_t>(byte) << 24;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04c11db7u : crc << 1;
  }
  return crc;
}

// The pack's first track with the rate in its identification header changed (the channel
// count cannot be: the later headers are laid out for it, so libvorbis refuses such a track).
std::string trackWith(uint32_t rate) {
  std::ifstream in(std::string(BRAWLER_CONTENT_DIR) + "/bgm/stage1.ogg", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t id = bytes.find("\x01vorbis");
  if (id == std::string::npos) return bytes;
  if (rate > 0)
    for (int i = 0; i < 4; ++i) bytes[id + 12 + i] = static_cast<char>(rate >> (8 * i));
  const size_t pageBytes = bytes.find("OggS", 4);
  std::string page = bytes.substr(0, pageBytes);
  page.replace(22, 4, 4, '\0');
  const uint32_t crc = oggChecksum(page);
  for (int i = 0; i < 4; ++i) bytes[22 + i] = static_cast<char>(crc >> (8 * i));
  return bytes;
}

struct TrackCase {
  const char* name;
  uint32_t rate;  // 0: as the track has it
  const char* problemStart;
};

class VorbisCheck : public ::testing::TestWithParam<TrackCase> {};

TEST_P(VorbisCheck, PassesOnlyWhatTheMixerStreamsSafely) {
  const TrackCase& c = GetParam();
  const std::string bytes = trackWith(c.rate);
  const std::string path = ::testing::TempDir() + "track_" + c.name + ".ogg";
  std::ofstream(path, std::ios::binary) << bytes;
  const std::string problem = musicFileProblem(path);
  EXPECT_EQ(problem.substr(0, std::string(c.problemStart).size()), c.problemStart);
  EXPECT_EQ(problem.empty(), *c.problemStart == '\0') << problem;
  EXPECT_EQ(vorbisBytesProblem(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()), problem)
      << "bytes and file read alike";
}

INSTANTIATE_TEST_SUITE_P(
    Headers, VorbisCheck,
    ::testing::Values(TrackCase{"AsShipped", 0, ""},
                      TrackCase{"OneHertz", 1, "says 1 samples a second"},
                      TrackCase{"TooFast", 200000, "says 200000 samples a second"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AudioFileCheckPaths, MissingOrNotAFileIsAProblem) {
  EXPECT_EQ(soundFileProblem(::testing::TempDir() + "absent.wav"), "cannot be opened as a file");
  EXPECT_EQ(musicFileProblem(::testing::TempDir()), "cannot be opened as a file");
}

}  // namespace
