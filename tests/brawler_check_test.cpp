// brawler-check against small content folders: a clean one, and one fault per case folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
bool haveDecoder() {
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

struct FaultCase {
  const char* folder;     // under tests/data/check/cases
  const char* location;   // "path:line: severity", or "path: severity" for a whole file
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
        FaultCase{"rgba_background", "gfx/stage/sky.png: error"},
        FaultCase{"missing_frame_list", "gfx/entities/thug.spr: error"},
        FaultCase{"missing_offsets", "gfx/entities/bluesoldier.off: error"},
        FaultCase{"missing_music", "bgm/theme.ogg: error"},
        FaultCase{"missing_sound", "sound/3.wav: error"},
        FaultCase{"missing_node_stage", "stage/world1/overworlddata.dat:2: error"},
        // frames
        FaultCase{"frame_outside_image", "gfx/entities/kestor.spr:2: error"},
        FaultCase{"missing_interface_frame", "gfx/interface/global.spr: error"},
        FaultCase{"frameset_undefined", "scripts/kestor.dat:38: error"},
        FaultCase{"undefined_tile", "stage/world1/stage3.lev:7: error"},
        // animation blocks
        FaultCase{"missing_animation", "scripts/kestor.dat: error"},
        FaultCase{"missing_numbered_attack", "scripts/thug.dat: error"},
        FaultCase{"attack_never_finishes", "scripts/kestor.dat:21: error"},
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
        FaultCase{"too_many_script_lines", "scripts/bluesoldier.dat:1002: error"},
        FaultCase{"too_many_fields", "stage/world1/stage3.lev:6: error"},
        FaultCase{"back_layer_parallax_zero", "stage/world1/stage3.lev:6: error"},
        // slips
        FaultCase{"keyword_case", "scripts/kestor.dat:9: warning"},
        FaultCase{"keyword_misspelt", "scripts/kestor.dat:9: warning"},
        FaultCase{"two_spaces", "stage/world1/stage3.lev:4: warning"},
        FaultCase{"tab_separator", "scripts/kestor.dat:24: warning"},
        FaultCase{"offsets_count_differs", "gfx/entities/crate.off: warning"},
        FaultCase{"statistic_after_section", "scripts/kestor.dat:8: warning"},
        FaultCase{"short_music", "bgm/theme.ogg: warning"},
        FaultCase{"undecodable_sound", "sound/2.wav: warning"},
        FaultCase{"unused_frames", "gfx/entities/bluesoldier.spr:3: warning"},
        FaultCase{"sound_slot_never_loaded", "scripts/kestor.dat:24: warning"},
        FaultCase{"opponent_too_narrow", "stage/world1/stage3.lev:10: warning"},
        FaultCase{"no_floor_band", "stage/world1/stage3.lev: warning"},
        FaultCase{"effect_offsets_gap", "gfx/entities/globals.off:1: warning"},
        FaultCase{"prop_stays_down", "scripts/crate.dat:12: warning"}),
    [](const auto& info) { return std::string(info.param.folder); });

}  // namespace
