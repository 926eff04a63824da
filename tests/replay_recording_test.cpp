// Recordings: the text form read back as written, every fault refused with the line named,
// content fingerprints and the atomic write.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>

#include "process_helpers.h"
#include "base/fingerprint.h"
#include "base/whole_file.h"
#include "sim/recording.h"
#include "sim/tick_input.h"

namespace {

std::string header(const std::string& version = "1") {
  return "brawler-replay " + version + "\nworld world1\nstage stage3\nseed 42\n" +
         "content 0123456789abcdef stage/world1/stage 3.lev\n";
}

TEST(Recording, TextFormReadsBackAsWrittenWithRunsFolded) {
  Recording r;
  r.world = "world1";
  r.stage = "stage2";
  r.seed = 4294967295u;
  r.content = {{"scripts/kestor.dat", "00000000000000ff"}, {"sound/4.wav", "missing"}};
  TickInput idle{}, walk{}, hit{};
  walk.held[0] = 1u << kActionRight;
  hit.held[0] = 1u << kActionRight;
  hit.pressed[0] = 1u << kActionRight;
  hit.pressed[1] = 1u << kActionAttack | 1u << kActionJump;
  r.ticks = {idle, idle, idle, hit, walk, walk, idle};
  const std::string text = formatRecording(r);
  EXPECT_NE(text.find("\nticks 7\n3 - -\n1 rR AJ\n2 r -\n1 - -\nend\n"), std::string::npos) << text;

  Recording back;
  std::string error;
  ASSERT_TRUE(parseRecording(text, &back, &error)) << error;
  EXPECT_EQ(back.world, r.world);
  EXPECT_EQ(back.stage, r.stage);
  EXPECT_EQ(back.seed, r.seed);
  ASSERT_EQ(back.content.size(), 2u);
  EXPECT_EQ(back.content[1].path, "sound/4.wav");
  EXPECT_EQ(back.content[1].digest, "missing");
  EXPECT_EQ(back.ticks, r.ticks);
}

struct RefusalCase {
  const char* name;
  std::string text;
  const char* message;  // part of the one-line refusal
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class RecordingRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RecordingRefusal, NamesTheLineAtFault) {
  Recording r;
  std::string error;
  EXPECT_FALSE(parseRecording(GetParam().text, &r, &error));
  EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RecordingRefusal,
    ::testing::Values(
        RefusalCase{"OtherFormatVersion", header("2") + "ticks 0\nend\n", "line 1: format version 2"},
        RefusalCase{"NotARecording", "hello\n", "line 1: not a brawler recording"},
        RefusalCase{"SeedNotANumber", "brawler-replay 1\nworld w\nstage s\nseed -3\nticks 0\nend\n", "line 4"},
        RefusalCase{"ZeroLengthRun", header() + "ticks 1\n0 - -\nend\n", "line 7: malformed tick line \"0 - -\""},
        RefusalCase{"UnknownLetter", header() + "ticks 1\n1 q -\nend\n", "line 7: malformed"},
        RefusalCase{"LetterTwice", header() + "ticks 1\n1 rr -\nend\n", "line 7: malformed"},
        RefusalCase{"PlayerTwoMissing", header() + "ticks 1\n1 r\nend\n", "line 7: malformed"},
        RefusalCase{"FieldTooMany", header() + "ticks 1\n1 r - -\nend\n", "line 7: malformed"},
        RefusalCase{"MoreTicksThanTheHeader", header() + "ticks 2\n3 - -\nend\n", "line 7: malformed"},
        RefusalCase{"FewerTicksThanTheHeader", header() + "ticks 5\n3 - -\nend\n", "header says 5"},
        RefusalCase{"CutShort", header() + "ticks 5\n3 - -\n", "ends without \"end\""},
        RefusalCase{"TextAfterEnd", header() + "ticks 0\nend\nmore\n", "line 8: text after"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(ContentFingerprint, NamesTheFirstFileThatChangedOrWentMissing) {
  const std::string dir = makeEmptyDir();
  ASSERT_FALSE(dir.empty());
  std::ofstream(dir + "/a.dat") << "one";
  std::ofstream(dir + "/b.dat") << "two";
  Recording r;
  r.content = {{"a.dat", fileDigest(dir + "/a.dat")}, {"b.dat", fileDigest(dir + "/b.dat")}, {"c.dat", "missing"}};
  EXPECT_EQ(firstChangedContent(r, dir), "");
  std::ofstream(dir + "/b.dat") << "twO";
  EXPECT_EQ(firstChangedContent(r, dir), "b.dat");
  std::ofstream(dir + "/b.dat") << "two";
  std::remove((dir + "/a.dat").c_str());
  EXPECT_EQ(firstChangedContent(r, dir), "a.dat");
}

TEST(AtomicWrite, ReplacesTheTargetWholeAndLeavesNothingBeside) {
  const std::string dir = makeEmptyDir();
  ASSERT_FALSE(dir.empty());
  const std::string path = dir + "/fight.replay";
  std::string error, text;
  ASSERT_TRUE(writeFileAtomically(path, "old", &error)) << error;
  ASSERT_TRUE(writeFileAtomically(path, "new text", &error)) << error;
  ASSERT_TRUE(readWholeFile(path, &text));
  EXPECT_EQ(text, "new text");
  EXPECT_TRUE(canWriteAtomically(path, &error)) << error;
  EXPECT_FALSE(canWriteAtomically(dir + "/no-such-folder/fight.replay", &error));
  EXPECT_FALSE(writeFileAtomically(dir + "/no-such-folder/fight.replay", "x", &error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
  std::remove(path.c_str());
  EXPECT_EQ(std::remove(dir.c_str()), 0) << "something was left beside the recording";
}

}  // namespace
