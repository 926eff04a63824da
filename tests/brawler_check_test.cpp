// brawler-check against small content folders: a clean one, and one fault per case folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "content_walk.h"
#include "findings.h"
#include "platform/null_platform.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = fs::path(BRAWLER_TEST_DATA) / "check";

struct CheckRun {
  std::vector<std::string> findings;  // every line but the summary
  std::string summary;
  int status = -1;
};

// The checker decodes images with the game's own decoder; a build without one cannot check.
// Asked of the null platform's decoder, whichever platform an earlier test left in use.
bool haveDecoder() {
  useNullPlatform(true);
  DecodedImage probe;
  return platformDecodeImage((kFixtures / "clean/gfx/font/mainfont.png").string(), &probe);
}

CheckRun runChecker(const fs::path& folder, const std::string& options = "") {
  CheckRun run;
  std::string command = std::string("\"") + BRAWLER_CHECK_BINARY + "\" " + options + " \"" +
                        folder.string() + "\"";
  FILE* out = popen(command.c_str(), "r");
  if (!out) return run;
  char buffer[4096];
  std::vector<std::string> lines;
  while (std::fgets(buffer, sizeof buffer, out)) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
  }
  int status = pclose(out);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (!lines.empty()) {
    run.summary = lines.back();
    lines.pop_back();
  }
  run.findings = lines;
  return run;
}

// The clean folder with the case's files laid over it and its REMOVED files deleted.
class CaseFolder {
 public:
  explicit CaseFolder(const std::string& name) {
    std::string pattern = (fs::temp_directory_path() / "brawler-check-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    fs::copy(kFixtures / "clean", root_, fs::copy_options::recursive);
    if (name.empty()) return;
    fs::copy(kFixtures / "cases" / name, root_,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::ifstream removed(root_ / "REMOVED");
    for (std::string path; std::getline(removed, path);)
      if (!path.empty()) fs::remove(root_ / path);
    fs::remove(root_ / "REMOVED");
  }
  ~CaseFolder() { fs::remove_all(root_); }
  const fs::path& path() const { return root_; }

  std::vector<std::string> lines(const std::string& file) const {
    std::ifstream in(root_ / file);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
  }
  void write(const std::string& file, const std::vector<std::string>& lines) const {
    std::ofstream out(root_ / file);
    for (const std::string& line : lines) out << line << "\n";
  }

 private:
  fs::path root_;
};

TEST(BrawlerCheck, CleanFolderHasNoFindings) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder folder("");
  CheckRun run = runChecker(folder.path());
  EXPECT_EQ(run.findings, std::vector<std::string>());
  EXPECT_EQ(run.summary, "0 errors, 0 warnings");
  EXPECT_EQ(run.status, 0);
}

TEST(BrawlerCheck, QuietLeavesOutWarningsButCountsThem) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder folder("short_music");
  CheckRun run = runChecker(folder.path(), "--quiet");
  EXPECT_EQ(run.findings, std::vector<std::string>());
  EXPECT_EQ(run.summary, "0 errors, 1 warning");
  EXPECT_EQ(run.status, 0);
}

TEST(BrawlerCheck, FindingsAreSortedByPathThenLine) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder folder("");
  fs::remove(folder.path() / "sound/3.wav");
  std::ofstream(folder.path() / "stage/world1/stage3.lev", std::ios::app)
      << "PLACEENTITY 1 1 7\nOBJECTBACK 0 0 0 0\n";
  CheckRun run = runChecker(folder.path());
  ASSERT_EQ(run.findings.size(), 3u);
  EXPECT_EQ(run.findings[0].rfind("sound/3.wav: error: ", 0), 0u);
  EXPECT_EQ(run.findings[1].rfind("stage/world1/stage3.lev:14: error: ", 0), 0u);
  EXPECT_EQ(run.findings[2].rfind("stage/world1/stage3.lev:15: error: ", 0), 0u);
  EXPECT_EQ(run.status, 1);
}

// The fuzz target checks folder after folder in one process; each must read as if it were the
// first, or a fault seen once would hide the same fault in the next folder.
TEST(BrawlerCheck, OneProcessChecksFolderAfterFolderAsIfEachWereTheFirst) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder faulty("attack_never_finishes"), clean("");
  const fs::path home = fs::current_path();
  auto checkIn = [&home](const fs::path& folder) {
    fs::current_path(folder);
    checkContent();
    fs::current_path(home);
    std::vector<std::string> shown;
    for (const Finding& f : findings) shown.push_back(f.path + ":" + std::to_string(f.line) + " " + f.message);
    return shown;
  };
  const std::vector<std::string> first = checkIn(faulty.path());
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(checkIn(clean.path()), std::vector<std::string>());
  EXPECT_EQ(checkIn(faulty.path()), first);
}

// A file with a fault on every line shows a screenful of them and counts the rest.
TEST(BrawlerCheck, FindingsOfOneKindAreCappedButCounted) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder folder("");
  std::vector<std::string> lines = folder.lines("scripts/kestor.dat");
  auto stand = std::find(lines.begin(), lines.end(), "BEGIN STAND");
  lines.insert(stand + 1, 30, "ASSIGNANIMATION NOWHERE");
  folder.write("scripts/kestor.dat", lines);
  CheckRun run = runChecker(folder.path());
  ASSERT_EQ(run.findings.size(), 21u) << ::testing::PrintToString(run.findings);
  EXPECT_NE(run.findings.back().find("warning: 10 more findings like \"ASSIGNANIMATION names"),
            std::string::npos) << run.findings.back();
  EXPECT_EQ(run.summary, "0 errors, 30 warnings");
}

// A folder where a file should be is named as what it is, not taken for a slip of letter case.
TEST(BrawlerCheck, FolderInPlaceOfAFileIsNamedAsSuch) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder folder("");
  fs::remove(folder.path() / "sound/3.wav");
  fs::create_directory(folder.path() / "sound/3.wav");
  CheckRun run = runChecker(folder.path());
  ASSERT_EQ(run.findings.size(), 1u) << ::testing::PrintToString(run.findings);
  EXPECT_EQ(run.findings[0].rfind("sound/3.wav: error: is a folder, not a file", 0), 0u)
      << run.findings[0];
}

struct FaultCase {
  const char* folder;     // under tests/data/check/cases
  const char* location;   // "path:line: severity", or "path: severity" for a whole file
  const char* says = "";  // words the message must hold, where its figures matter
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.folder; }

class BrawlerCheckFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(BrawlerCheckFault, ReportsExactlyTheOneFinding) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  const FaultCase& c = GetParam();
  CaseFolder folder(c.folder);
  CheckRun run = runChecker(folder.path());
  ASSERT_EQ(run.findings.size(), 1u) << ::testing::PrintToString(run.findings);
  EXPECT_EQ(run.findings[0].rfind(std::string(c.location) + ": ", 0), 0u) << run.findings[0];
  EXPECT_NE(run.findings[0].find(c.says), std::string::npos) << run.findings[0];
  bool error = std::string(c.location).find(": error") != std::string::npos;
  EXPECT_EQ(run.status, error ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    OneFaultEach, BrawlerCheckFault,
    ::testing::Values(
        // files the game loads
        FaultCase{"missing_sheet_image", "gfx/entities/kestor.png: error"},
        FaultCase{"sheet_image_case", "gfx/entities/kestor.png: error"},
        FaultCase{"undecodable_image", "gfx/entities/crate.PNG: error"},
        FaultCase{"rgb_sheet", "gfx/entities/kestor.png: error"},
        FaultCase{"image_too_large", "gfx/entities/kestor.png: error"},
        FaultCase{"rgba_background", "gfx/stage/sky.png: error"},
        FaultCase{"missing_frame_list", "gfx/entities/thug.spr: error"},
        FaultCase{"missing_offsets", "gfx/entities/bluesoldier.off: error"},
        FaultCase{"missing_second_colours", "gfx/entities/kestor_2p.png: warning", "both players take kestor"},
                FaultCase{"missing_sound", "sound/3.wav: error"},
        FaultCase{"missing_node_stage", "stage/world1/overworlddata.dat:2: error"},
        FaultCase{"node_stage_elsewhere", "extra/bonus.lev:6: error"},
        // frames
        FaultCase{"frame_outside_image", "gfx/entities/kestor.spr:2: error"},
        FaultCase{"missing_interface_frame", "gfx/interface/global.spr: error"},
        FaultCase{"frameset_undefined", "scripts/kestor.dat:38: error"},
        FaultCase{"undefined_tile", "stage/world1/stage3.lev:7: error"},
        // animation blocks
        FaultCase{"missing_animation", "scripts/kestor.dat:8: error"},
        FaultCase{"missing_numbered_attack", "scripts/thug.dat:8: error"},
        FaultCase{"attack_never_finishes", "scripts/kestor.dat:21: error"},
        FaultCase{"attacks_amount_past_capacity", "scripts/thug.dat:5: error"},
        FaultCase{"attacks_amount_negative", "scripts/thug.dat:5: error"},
        FaultCase{"attack_assigns_stand", "scripts/kestor.dat:21: error"},
        FaultCase{"last_block_runs_off", "scripts/kestor.dat:71: error"},
        FaultCase{"assign_cycle", "scripts/crate.dat:18: error"},
        FaultCase{"effect_never_destroyed", "scripts/globals.dat:1: error"},
        FaultCase{"mixed_case_begin", "scripts/kestor.dat:76: error"},
        // stage file and table capacities
        FaultCase{"undeclared_type", "stage/world1/stage3.lev:13: error"},
        FaultCase{"other_world_stage", "stage/world2/stage1.lev:14: error"},
        FaultCase{"too_many_types", "stage/world1/stage3.lev:35: error"},
        FaultCase{"too_many_objects", "stage/world1/stage3.lev:9: error"},
        FaultCase{"too_many_entities", "stage/world1/stage3.lev:13: error"},
        FaultCase{"count_past_int_range", "stage/world1/stage3.lev:13: error"},
        FaultCase{"too_many_script_lines", "scripts/bluesoldier.dat:1002: error"},
        FaultCase{"too_many_fields", "stage/world1/stage3.lev:6: error"},
        FaultCase{"back_layer_parallax_zero", "stage/world1/stage3.lev:6: error"},
        FaultCase{"path_leaves_folder", "stage/world1/stage3.lev:3: error"},
        FaultCase{"number_not_finite", "scripts/kestor.dat:6: error"},
        FaultCase{"launch_speed_not_finite", "scripts/kestor.dat:23: error", "\"inf\""},
        FaultCase{"number_too_long", "stage/world1/stage3.lev:5: error"},
        // slips
        FaultCase{"keyword_case", "scripts/kestor.dat:9: warning"},
        FaultCase{"keyword_misspelt", "scripts/kestor.dat:9: warning"},
        FaultCase{"two_spaces", "stage/world1/stage3.lev:4: warning"},
        FaultCase{"tab_separator", "scripts/kestor.dat:24: warning"},
        FaultCase{"offsets_count_differs", "gfx/entities/crate.off: warning"},
        FaultCase{"statistic_after_section", "scripts/kestor.dat:8: warning"},
        FaultCase{"short_music", "bgm/theme.ogg: warning"},
        FaultCase{"missing_music", "bgm/theme.ogg: warning"},
        FaultCase{"undecodable_sound", "sound/2.wav: warning"},
        FaultCase{"sound_no_channels", "sound/2.wav: warning"},
        FaultCase{"unused_frames", "gfx/entities/bluesoldier.spr:3: warning"},
        FaultCase{"sound_slot_never_loaded", "scripts/kestor.dat:24: warning"},
        FaultCase{"opponent_too_narrow", "stage/world1/stage3.lev:10: warning"},
        FaultCase{"no_floor_band", "stage/world1/stage3.lev: warning"},
        FaultCase{"effect_offsets_gap", "gfx/entities/globals.off:1: warning"},
        FaultCase{"prop_stays_down", "scripts/crate.dat:12: warning"},
        // the genre's moves
        FaultCase{"unknown_item", "scripts/kestor.dat:72: error", "\"CAKE\""},
        FaultCase{"item_drop_without_destroy", "scripts/crate.dat:7: warning", "leaves another"},
        FaultCase{"moves_block_missing", "scripts/kestor.dat:8: warning", "\"KNIFETHROW\""},
        FaultCase{"image_wide", "gfx/entities/kestor.png: warning",
                  "is 4100x16 pixels, 262400 bytes (0.3 MB) once decoded"},
        FaultCase{"stage_position_wraps", "stage/world1/stage3.lev:12: warning",
                  "PLACEENTITY x 40000 is outside -32768 to 32767, which a 16-bit position or "
                  "speed holds; it wraps to -25536"},
        FaultCase{"stage_end_short", "stage/world1/stage3.lev:5: warning",
                  "STAGEEND 800 is shorter than the 1024-pixel screen"},
        FaultCase{"floor_band_inverted", "stage/world1/stage3.lev:4: warning", "below its bottom"},
        FaultCase{"floor_band_off_screen", "stage/world1/stage3.lev:4: warning",
                  "above the screen"},
        FaultCase{"world_without_map", "stage/worlds.dat:2: error", "world world9 has no"},
        // finite numbers past what their field holds name the value the game takes instead
        FaultCase{"height_past_range", "scripts/kestor.dat:2: warning",
                  "HEIGHT 3000000000 is outside -2147483648 to 2147483647, which the game holds "
                  "it to; it uses 2147483647"},
        FaultCase{"width_past_range", "scripts/kestor.dat:1: warning", "it uses 2147483647"},
        FaultCase{"knock_speed_past_range", "scripts/kestor.dat:23: warning",
                  "ATTACKKNOCKHIGH knock speed x -3000000000 is outside"},
        FaultCase{"shake_past_range", "scripts/kestor.dat:24: warning",
                  "SCREENSHAKEY -3000000000 is outside -2147483648 to 2147483647, which the game "
                  "holds it to; it uses -2147483648"},
        FaultCase{"loop_held_for_a_year", "scripts/kestor.dat:24: warning",
                  "holds its frame for 2000000000 ticks, about 1.1 years"},
        FaultCase{"parallax_past_range", "stage/world1/stage3.lev:9: warning",
                  "once the camera is 22 pixels in"},
        FaultCase{"offset_past_range", "gfx/entities/crate.off:1: warning",
                  "OFFSET dx 1e+308 is outside"},
        FaultCase{"node_past_range", "stage/world1/overworlddata.dat:2: warning",
                  "NODE x -3000000000 is outside -2147483648 to 2147483647, which the game holds "
                  "it to; it uses -2147483648"}),
    [](const auto& info) { return std::string(info.param.folder); });

// Bytes an editor hides are named where they stand, beside whatever they break further on.
struct HiddenByteCase {
  const char* folder;
  const char* finding;  // how the finding starts
};

void PrintTo(const HiddenByteCase& c, std::ostream* out) { *out << c.folder; }

class HiddenBytes : public ::testing::TestWithParam<HiddenByteCase> {};

TEST_P(HiddenBytes, AreNamedAtTheirLine) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder folder(GetParam().folder);
  CheckRun run = runChecker(folder.path());
  EXPECT_NE(std::find_if(run.findings.begin(), run.findings.end(),
                         [&](const std::string& f) { return f.rfind(GetParam().finding, 0) == 0; }),
            run.findings.end())
      << ::testing::PrintToString(run.findings);
  EXPECT_EQ(run.status, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HiddenBytes,
    ::testing::Values(
        HiddenByteCase{"byte_order_mark", "scripts/kestor.dat:1: error: the file starts with a UTF-8 byte order mark"},
        HiddenByteCase{"nul_byte", "scripts/kestor.dat:10: error: a NUL byte"},
        HiddenByteCase{"end_of_file_mark", "scripts/kestor.dat:11: error: byte 26"}),
    [](const auto& info) { return std::string(info.param.folder); });

// Every block the control logic waits on, in an opponent's script (a stage's LOADENTITY type
// of kind fighter), with its ending broken three ways.
enum Breakage { kHoldsOnStop, kLoopsWithoutEnd, kRunsOffTheEnd };
const char* const kBreakageNames[] = {"HoldsOnStop", "LoopsWithoutEnd", "RunsOffTheEnd"};
const char* const kWaitedOnBlocks[] = {"QUICKATTACK1", "RUNATTACK", "JUMPSTART", "LAND", "HIGHDAMAGE",
                                       "LOWDAMAGE", "FALLLAND", "GETUP", "DIE"};

class UnfinishedOpponentBlock
    : public ::testing::TestWithParam<std::tuple<const char*, Breakage>> {};

TEST_P(UnfinishedOpponentBlock, IsAnErrorAtItsBegin) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  const std::string block = std::get<0>(GetParam());
  CaseFolder folder("");
  std::vector<std::string> lines = folder.lines("scripts/thug.dat");
  size_t begin = std::find(lines.begin(), lines.end(), "BEGIN " + block) - lines.begin();
  size_t end = begin;
  while (lines[end] != "END" && lines[end] != "STOPFINISH") ++end;
  std::string why;
  switch (std::get<1>(GetParam())) {
    case kHoldsOnStop:
      lines[end] = "STOP";
      why = "it holds on the STOP of line " + std::to_string(end + 1);
      break;
    case kLoopsWithoutEnd:
      lines[end] = "ASSIGNANIMATION " + block;
      why = "it repeats for ever";
      break;
    case kRunsOffTheEnd: {
      std::vector<std::string> moved(lines.begin() + begin, lines.begin() + end);
      lines.erase(lines.begin() + begin, lines.begin() + end + 1);
      begin = lines.size();
      lines.insert(lines.end(), moved.begin(), moved.end());
      why = "it runs past the last line of the script";
      break;
    }
  }
  folder.write("scripts/thug.dat", lines);
  CheckRun run = runChecker(folder.path());
  ASSERT_EQ(run.findings.size(), 1u) << ::testing::PrintToString(run.findings);
  const std::string expected = "scripts/thug.dat:" + std::to_string(begin + 1) + ": error: block \"" +
                               block + "\" never reaches END or STOPFINISH (" + why + ")";
  EXPECT_EQ(run.findings[0].rfind(expected, 0), 0u) << run.findings[0];
  EXPECT_EQ(run.status, 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWaitedOnBlock, UnfinishedOpponentBlock,
    ::testing::Combine(::testing::ValuesIn(kWaitedOnBlocks),
                       ::testing::Values(kHoldsOnStop, kLoopsWithoutEnd, kRunsOffTheEnd)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param)) + "_" + kBreakageNames[std::get<1>(info.param)];
    });

// A required block that is missing is reported where the blocks begin, naming a near miss.
struct MissingBlockCase {
  const char* name;
  const char* written;  // what replaces "BEGIN GETUP"
  const char* says;     // the end of the message
};

class MissingBlock : public ::testing::TestWithParam<MissingBlockCase> {};

TEST_P(MissingBlock, IsReportedAtTheFirstBegin) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  CaseFolder folder("");
  std::vector<std::string> lines = folder.lines("scripts/thug.dat");
  *std::find(lines.begin(), lines.end(), "BEGIN GETUP") = GetParam().written;
  folder.write("scripts/thug.dat", lines);
  CheckRun run = runChecker(folder.path());
  const std::string prefix = "scripts/thug.dat:8: error: no block \"GETUP\"";
  auto found = std::find_if(run.findings.begin(), run.findings.end(),
                            [&](const std::string& f) { return f.rfind(prefix, 0) == 0; });
  ASSERT_NE(found, run.findings.end()) << ::testing::PrintToString(run.findings);
  const std::string says = GetParam().says;
  EXPECT_EQ(found->substr(found->size() - says.size()), says) << *found;
}

INSTANTIATE_TEST_SUITE_P(
    Names, MissingBlock,
    ::testing::Values(
        MissingBlockCase{"NothingClose", "BEGIN CUT", "when a knocked-down fighter gets up"},
        MissingBlockCase{"LetterLeftIn", "BEGIN GET_UP", "did you mean \"GET_UP\" (line 66)?"},
        MissingBlockCase{"LetterLeftOut", "BEGIN GETP", "did you mean \"GETP\" (line 66)?"},
        MissingBlockCase{"NeighboursSwapped", "BEGIN GETPU", "did you mean \"GETPU\" (line 66)?"},
        MissingBlockCase{"OtherCapitals", "BEGIN GetUp", "did you mean \"GetUp\" (line 66)?"},
        MissingBlockCase{"TwoEditsAway", "BEGIN GEDUB", "when a knocked-down fighter gets up"}),
    [](const auto& info) { return std::string(info.param.name); });

// Severity follows what the game does: the front-end screens are never opened from the start
// and music only sounds, so a pack may leave them out; a screen it ships in part is a fault.
struct LeftOutCase {
  const char* name;
  std::vector<std::string> removed;
  bool dropMusicLine;
  const char* summary;
  std::vector<std::string> locations;  // "path: severity" of each finding; empty: not compared
};

void PrintTo(const LeftOutCase& c, std::ostream* out) { *out << c.name; }

class LeftOut : public ::testing::TestWithParam<LeftOutCase> {};

TEST_P(LeftOut, HasTheSeverityOfWhatTheGameDoes) {
  if (!haveDecoder()) GTEST_SKIP() << "no PNG decoder in this build";
  const LeftOutCase& c = GetParam();
  CaseFolder folder("");
  for (const std::string& path : c.removed) fs::remove_all(folder.path() / path);
  if (c.dropMusicLine) {
    std::vector<std::string> lines = folder.lines("stage/world1/stage3.lev");
    lines.erase(std::find(lines.begin(), lines.end(), "BGMNAME theme"));
    folder.write("stage/world1/stage3.lev", lines);
  }
  CheckRun run = runChecker(folder.path());
  EXPECT_EQ(run.summary, c.summary) << ::testing::PrintToString(run.findings);
  EXPECT_EQ(run.status, std::string(c.summary).rfind("0 errors", 0) == 0 ? 0 : 1);
  for (size_t k = 0; k < c.locations.size() && k < run.findings.size(); ++k)
    EXPECT_EQ(run.findings[k].rfind(c.locations[k] + ": ", 0), 0u) << run.findings[k];
  for (const std::string& f : run.findings)
    if (f.find("loaded only by") != std::string::npos)
      EXPECT_NE(f.find("never opens from its start"), std::string::npos) << f;
}

const std::vector<std::string> kFrontEndFiles = {
    "gfx/interface/mainmenu.png", "gfx/interface/mainmenu.spr", "gfx/interface/menus.png",
    "gfx/interface/menusprites.png", "gfx/interface/menusprites.spr", "gfx/portraits",
    "roster.dat", "gfx/overworld", "scripts/overworldmarkers.dat", "stage/world1/overworlddata.dat"};

INSTANTIATE_TEST_SUITE_P(
    Screens, LeftOut,
    ::testing::Values(
        LeftOutCase{"MainMenuLeftOut", {"gfx/interface/mainmenu.png", "gfx/interface/mainmenu.spr"},
                    false, "0 errors, 2 warnings",
                    {"gfx/interface/mainmenu.png: warning", "gfx/interface/mainmenu.spr: warning"}},
        LeftOutCase{"MainMenuShippedInPart", {"gfx/interface/mainmenu.spr"}, false,
                    "1 error, 0 warnings", {"gfx/interface/mainmenu.spr: error"}},
        LeftOutCase{"CharacterSelectShippedInPart", {"gfx/portraits/port.png"}, false,
                    "1 error, 0 warnings", {"gfx/portraits/port.png: error"}},
        LeftOutCase{"OverworldShippedInPart", {"gfx/overworld/world1.png"}, false,
                    "1 error, 0 warnings", {"gfx/overworld/world1.png: error"}},
        LeftOutCase{"NoMusicLine", {"bgm"}, true, "0 errors, 1 warning",
                    {"stage/world1/stage3.lev: warning"}},
        LeftOutCase{"NoFrontEndAndNoMusic", kFrontEndFiles, true, "0 errors, 14 warnings", {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
