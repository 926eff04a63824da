// The packets two peers exchange: every kind reads back as written, and every packet that is
// not exactly one of them is turned away before anything in it is used.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "net/packet.h"

namespace {

std::vector<uint8_t> welcomePacket() {
  std::vector<uint8_t> out(kMostPacketBytes);
  out.resize(encodeWelcome(out.data(), 77, 1234, 600, 2, "world1", "stage3", kDifficultyHard, 4));
  return out;
}

std::vector<uint8_t> helloPacket() {
  std::vector<uint8_t> out(kMostPacketBytes);
  const std::string list = "0123456789abcdef gfx/a.png\n";
  out.resize(encodeHello(out.data(), 1, list.data(), list.size()));
  return out;
}

std::vector<uint8_t> inputsPacket(const std::vector<NetCommand>& commands, uint32_t first = 10) {
  std::vector<uint8_t> out(kMostPacketBytes);
  InputsHeader h{5, 8, 9, -3, first};
  out.resize(encodeInputs(out.data(), 77, h, commands.data(), static_cast<int32_t>(commands.size())));
  return out;
}

TEST(NetPacket, EveryKindReadsBackAsWritten) {
  Packet p;
  std::vector<uint8_t> w = welcomePacket();
  ASSERT_EQ(decodePacket(w.data(), w.size(), 0, &p), kDecoded);
  EXPECT_EQ(p.kind, kPacketWelcome);
  EXPECT_EQ(p.session, 77u);
  EXPECT_EQ(p.seed, 1234u);
  EXPECT_EQ(p.ticks, 600u);
  EXPECT_EQ(p.delay, 2);
  EXPECT_STREQ(p.world, "world1");
  EXPECT_STREQ(p.stage, "stage3");
  EXPECT_EQ(p.difficulty, kDifficultyHard);
  EXPECT_EQ(p.lives, 4);

  // Alike ticks go as one run, a press starts one; the run boundaries must not move a command.
  const NetCommand idle{}, walk{8, 0}, hit{8, 16}, jump{0x48, 0x40}, jumpAgain{0x48, 0x40};
  const std::vector<NetCommand> commands = {idle, idle, walk, hit, walk, walk, jump, jumpAgain, walk, idle};
  std::vector<uint8_t> in = inputsPacket(commands);
  ASSERT_EQ(decodePacket(in.data(), in.size(), 77, &p), kDecoded);
  EXPECT_EQ(p.sequence, 5u);
  EXPECT_EQ(p.ack, 8u);
  EXPECT_EQ(p.senderTick, 9u);
  EXPECT_EQ(p.lead, -3);
  EXPECT_EQ(p.first, 10u);
  ASSERT_EQ(p.count, static_cast<int32_t>(commands.size()));
  for (size_t i = 0; i < commands.size(); ++i) EXPECT_EQ(p.commands[i], commands[i]) << i;

  std::vector<uint8_t> buffer(kMostPacketBytes);
  const std::string list = "0123456789abcdef gfx/a.png\n";
  buffer.resize(encodeRefuse(buffer.data(), 0, kRefuseContent, list.data(), list.size()));
  ASSERT_EQ(decodePacket(buffer.data(), buffer.size(), 0, &p), kDecoded);
  EXPECT_EQ(p.reason, kRefuseContent);
  EXPECT_EQ(std::string(p.list, p.listSize), list);

  buffer.assign(kMostPacketBytes, 0);
  buffer.resize(encodeCheck(buffer.data(), 77, 120, 0xfeedfacecafebeefull));
  ASSERT_EQ(decodePacket(buffer.data(), buffer.size(), 77, &p), kDecoded);
  EXPECT_EQ(p.checkTick, 120u);
  EXPECT_EQ(p.digest, 0xfeedfacecafebeefull);
}

// The acknowledgement and the sender's tick go as differences from the first tick: any of
// them, however far apart, must read back.
struct InputsTicks {
  const char* name;
  InputsHeader header;
};

TEST(NetPacket, InputsTicksReadBackWhereverTheyAre) {
  const InputsTicks cases[] = {
      {"NearTheStart", {1, 0, 3, 0, 0}},
      {"AckBehindTheFirst", {2, 99990, 100070, 5, 100000}},
      {"WideApart", {3, UINT32_MAX - 1, 0, -127, 70000}},
      {"AtTheTopOfTime", {4, 0, UINT32_MAX, 127, UINT32_MAX - 1}},
  };
  for (const InputsTicks& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> out(kMostPacketBytes);
    const NetCommand command{1, 1};
    out.resize(encodeInputs(out.data(), 77, c.header, &command, 1));
    Packet p;
    ASSERT_EQ(decodePacket(out.data(), out.size(), 77, &p), kDecoded);
    EXPECT_EQ(p.first, c.header.first);
    EXPECT_EQ(p.ack, c.header.ack);
    EXPECT_EQ(p.senderTick, c.header.senderTick);
    EXPECT_EQ(p.lead, c.header.lead);
    ASSERT_EQ(p.count, 1);
    EXPECT_EQ(p.commands[0], command);
  }
}

TEST(NetPacket, EncodersRefuseWhatTheFormatCannotCarry) {
  std::vector<uint8_t> out(kMostPacketBytes);
  EXPECT_EQ(encodeWelcome(out.data(), 1, 1, 1, 1, "../world1", "stage3"), 0u);
  EXPECT_EQ(encodeWelcome(out.data(), 1, 1, 1, 1, "world1", ""), 0u);
  EXPECT_EQ(encodeHello(out.data(), 1, "a\tb", 3), 0u);
  NetCommand many[kMostInputsPerPacket + 1] = {};
  EXPECT_EQ(encodeInputs(out.data(), 1, InputsHeader{}, many, kMostInputsPerPacket + 1), 0u);
  EXPECT_EQ(encodeInputs(out.data(), 1, InputsHeader{}, many, 0), 0u);
  const NetCommand noSuchAction{0x80, 0};
  EXPECT_EQ(encodeInputs(out.data(), 1, InputsHeader{}, &noSuchAction, 1), 0u);
  // The top bit of a press is Escape (the arcade's pause), which is never held.
  const NetCommand pausePressed{0, 1u << kNetPauseBit};
  EXPECT_GT(encodeInputs(out.data(), 1, InputsHeader{}, &pausePressed, 1), 0u);
}

enum GoodPacket { kGoodWelcome, kGoodInputs, kGoodHello };

struct BadPacket {
  const char* name;
  std::function<void(std::vector<uint8_t>&)> spoil;  // applied to a good packet of this kind
  GoodPacket from;
  DecodeResult expected;
};

void PrintTo(const BadPacket& c, std::ostream* out) { *out << c.name; }

// Offsets in the good inputs packet: header, sequence (2), first, ack and tick (a byte each
// there), lead, then its runs: {1, idle}, {1, held 1 pressed, 1}.
// The welcome ends with the stage's name, then the difficulty and the lives, a byte each.
constexpr size_t kWelcomeTail = 2;
constexpr size_t kFirstTickAt = kPacketHeaderBytes + 2;
constexpr size_t kFirstRunAt = kPacketHeaderBytes + 6;

void setFirstTick(std::vector<uint8_t>& b, std::vector<uint8_t> varint) {
  b.erase(b.begin() + kFirstTickAt);
  b.insert(b.begin() + kFirstTickAt, varint.begin(), varint.end());
}

class NetPacketRefusal : public ::testing::TestWithParam<BadPacket> {};

TEST_P(NetPacketRefusal, IsTurnedAway) {
  const BadPacket& c = GetParam();
  std::vector<uint8_t> bytes = c.from == kGoodInputs  ? inputsPacket({NetCommand{}, NetCommand{1, 1}})
                               : c.from == kGoodHello ? helloPacket()
                                                      : welcomePacket();
  c.spoil(bytes);
  Packet p;
  EXPECT_EQ(decodePacket(bytes.data(), bytes.size(), 77, &p), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetPacketRefusal,
    ::testing::Values(
        BadPacket{"Empty", [](std::vector<uint8_t>& b) { b.clear(); }, kGoodWelcome, kDecodeMalformed},
        BadPacket{"ShorterThanTheHeader", [](std::vector<uint8_t>& b) { b.resize(kPacketHeaderBytes - 1); }, kGoodWelcome,
                  kDecodeMalformed},
        BadPacket{"AnotherGamesMagic", [](std::vector<uint8_t>& b) { b[0] = 'X'; }, kGoodWelcome, kDecodeMalformed},
        BadPacket{"AnotherVersion", [](std::vector<uint8_t>& b) { b[4] = kNetProtocolVersion + 1; }, kGoodWelcome,
                  kDecodeOtherVersion},
        BadPacket{"UnknownKind", [](std::vector<uint8_t>& b) { b[5] = kPacketKindsEnd; }, kGoodWelcome, kDecodeMalformed},
        BadPacket{"AnotherSession", [](std::vector<uint8_t>& b) { b[6] ^= 1; }, kGoodWelcome, kDecodeForeign},
        BadPacket{"CutShort", [](std::vector<uint8_t>& b) { b.pop_back(); }, kGoodWelcome, kDecodeMalformed},
        BadPacket{"TrailingByte", [](std::vector<uint8_t>& b) { b.push_back(0); }, kGoodWelcome, kDecodeMalformed},
        BadPacket{"OversizedByFar", [](std::vector<uint8_t>& b) { b.resize(kMostPacketBytes + 1); }, kGoodWelcome,
                  kDecodeOversized},
        // A stage name is a path in the pack: nothing that could climb out of it.
        BadPacket{"StageNameWithASlash", [](std::vector<uint8_t>& b) { b[b.size() - kWelcomeTail - 2] = '/'; },
                  kGoodWelcome, kDecodeMalformed},
        BadPacket{"StageNameLongerThanThePacket", [](std::vector<uint8_t>& b) { b[b.size() - kWelcomeTail - 7] = 200; },
                  kGoodWelcome, kDecodeMalformed},
        BadPacket{"DifficultyPastHard", [](std::vector<uint8_t>& b) { b[b.size() - 2] = kDifficulties; }, kGoodWelcome,
                  kDecodeMalformed},
        BadPacket{"NoLives", [](std::vector<uint8_t>& b) { b[b.size() - 1] = 0; }, kGoodWelcome, kDecodeMalformed},
        BadPacket{"MoreLivesThanTheOptionsGive", [](std::vector<uint8_t>& b) { b[b.size() - 1] = kMostLives + 1; },
                  kGoodWelcome, kDecodeMalformed},
        BadPacket{"NoRuns", [](std::vector<uint8_t>& b) { b.resize(kFirstRunAt); }, kGoodInputs, kDecodeMalformed},
        BadPacket{"RunCutShort", [](std::vector<uint8_t>& b) { b.pop_back(); }, kGoodInputs, kDecodeMalformed},
        BadPacket{"RunOfNoTicks", [](std::vector<uint8_t>& b) { b[kFirstRunAt] = 0; }, kGoodInputs, kDecodeMalformed},
        BadPacket{"MoreTicksThanAPacketHolds", [](std::vector<uint8_t>& b) { b[kFirstRunAt] = kMostInputsPerPacket; }, kGoodInputs, kDecodeMalformed},
        BadPacket{"TicksPastTheEndOfTime",
                  [](std::vector<uint8_t>& b) { setFirstTick(b, {0xff, 0xff, 0xff, 0xff, 0x0f}); }, kGoodInputs,
                  kDecodeMalformed},
        BadPacket{"ATickWiderThan32Bits",
                  [](std::vector<uint8_t>& b) { setFirstTick(b, {0x80, 0x80, 0x80, 0x80, 0x10}); }, kGoodInputs,
                  kDecodeMalformed},
        BadPacket{"ATickThatNeverEnds",
                  [](std::vector<uint8_t>& b) { setFirstTick(b, {0x80, 0x80, 0x80, 0x80, 0x80, 0x01}); }, kGoodInputs,
                  kDecodeMalformed},
        // A greeting comes before there is a session to name.
        BadPacket{"HelloNamingASession", [](std::vector<uint8_t>& b) { b[9] = 0xfa; }, kGoodHello, kDecodeMalformed},
        BadPacket{"HelloListNotText", [](std::vector<uint8_t>& b) { b[b.size() - 2] = 0; }, kGoodHello,
                  kDecodeMalformed}),
    [](const ::testing::TestParamInfo<BadPacket>& info) { return std::string(info.param.name); });

struct InputsCase {
  const char* name;
  uint32_t sequence;
  uint32_t first;
  int32_t count;
  uint32_t lastSequence;
  uint32_t knownEnd;
  InputsVerdict expected;
};

void PrintTo(const InputsCase& c, std::ostream* out) { *out << c.name; }

class NetInputsVerdict : public ::testing::TestWithParam<InputsCase> {};

TEST_P(NetInputsVerdict, Judged) {
  const InputsCase& c = GetParam();
  Packet p;
  p.sequence = c.sequence;
  p.first = c.first;
  p.count = c.count;
  EXPECT_EQ(judgeInputs(p, c.lastSequence, c.knownEnd), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetInputsVerdict,
    ::testing::Values(InputsCase{"NextAfterTheKnownOnes", 4, 10, 3, 3, 10, kInputsUse},
                      InputsCase{"OverlapsTheKnownOnes", 4, 6, 8, 3, 10, kInputsUse},
                      // Nothing new, yet newer: it still says what the sender has and where it is.
                      InputsCase{"NewerWithNothingNew", 9, 2, 3, 3, 10, kInputsUse},
                      InputsCase{"TheSameAgain", 3, 6, 8, 3, 10, kInputsDuplicate},
                      InputsCase{"OvertakenByANewerOne", 2, 6, 8, 3, 10, kInputsLate},
                      InputsCase{"AfterAGap", 4, 11, 3, 3, 10, kInputsGap},
                      // The wire keeps the sequence's low 16 bits: newer is nearer ahead.
                      InputsCase{"NewerAcrossTheWrap", 2, 10, 3, 65534, 10, kInputsUse},
                      InputsCase{"OlderAcrossTheWrap", 65534, 10, 3, 2, 10, kInputsLate}),
    [](const ::testing::TestParamInfo<InputsCase>& info) { return std::string(info.param.name); });

}  // namespace
