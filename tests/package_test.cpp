// The Debian package as a player gets it: made from this build, unpacked into a folder of its
// own (the PackageMade step) and never installed onto this machine. Its programs are run from
// folders that have nothing to do with the game, its files are checked the way Debian's and
// the desktops' own tools check them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/game_version.h"
#include "process_helpers.h"
#include "shell/program_start.h"

namespace fs = std::filesystem;

namespace {

constexpr int kProgramBoundMs = 60000;
constexpr int kLintianBoundMs = 240000;
const fs::path kMade = fs::path(BRAWLER_BUILD_DIR) / "package-test";
const fs::path kRoot = kMade / "root";
const fs::path kGames = kRoot / "usr/games";

std::string fileText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string lastLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text.substr(text.rfind('\n') + 1);
}

fs::path madePackage() {
  for (const fs::directory_entry& e : fs::directory_iterator(kMade))
    if (e.path().extension() == ".deb") return e.path();
  return {};
}

// An installed program run from an empty folder of its own, with standard error kept too, and
// nothing of this machine's telling it where the game is.
ChildOptions installed(const std::string& program, const std::vector<std::string>& args) {
  ChildOptions o;
  o.program = "/bin/sh";
  o.args = {"-c", "exec \"$0\" \"$@\" 2>&1", (kGames / program).string()};
  o.args.insert(o.args.end(), args.begin(), args.end());
  o.workDir = makeEmptyDir();
  o.setEnv = {{"XDG_DATA_HOME", o.workDir}, {"XDG_CONFIG_HOME", o.workDir}, {"SDL_AUDIODRIVER", "dummy"}};
  o.unsetEnv = {"BRAWLER_DATA"};
  return o;
}

// A command line's standard output and status, through the shell.
ChildResult shell(const std::string& command, int boundMs = kProgramBoundMs) {
  ChildOptions o;
  o.program = "/bin/sh";
  o.args = {"-c", command};
  return runChild(o, boundMs);
}

struct Program {
  const char* name;
  ProgramKind kind;
};
const Program kPrograms[] = {
    {"brawler", kOfflineProgram},        {"brawler-arcade", kOnlineProgram},   {"brawler-check", kOfflineProgram},
    {"brawler-replay", kOnlineProgram},  {"brawler-preview", kOfflineProgram}, {"brawler-lobby", kLobbyServer},
};

TEST(InstalledPackage, IsNamedForTheReleaseAndHoldsOnlyWhatTheInstallRulesPlace) {
  const fs::path deb = madePackage();
  ASSERT_FALSE(deb.empty()) << "no package in " << kMade;
  EXPECT_EQ(deb.filename().string().rfind(std::string("brawler_") + gameVersion() + "_", 0), 0u) << deb;
  const std::vector<std::string> places = {"usr/games/", "usr/share/games/brawler/", "usr/share/applications/",
                                           "usr/share/icons/hicolor/", "usr/share/metainfo/",
                                           "usr/share/man/man6/", "usr/share/doc/brawler/"};
  std::set<std::string> pack;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(kRoot)) {
    if (!e.is_regular_file()) continue;
    const std::string path = fs::relative(e.path(), kRoot).string();
    bool placed = false;
    for (const std::string& place : places) placed = placed || path.rfind(place, 0) == 0;
    EXPECT_TRUE(placed) << path << " is in no place the install rules fill";
    if (path.rfind(places[1], 0) == 0) pack.insert(path.substr(places[1].size()));
  }
  // The content pack whole, and nothing else in its place.
  std::set<std::string> shipped;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(BRAWLER_CONTENT_DIR))
    if (e.is_regular_file()) shipped.insert(fs::relative(e.path(), BRAWLER_CONTENT_DIR).string());
  EXPECT_EQ(pack, shipped);
}

TEST(InstalledPackage, EveryProgramAnswersItsVersionFromAnyFolder) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    const ChildResult r = runChild(installed(p.name, {"--version"}), kProgramBoundMs);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, versionLine(p.name, p.kind) + "\n");
  }
}

TEST(InstalledPackage, ReplayPlaysAGoldenFightToItsEndAgainstTheInstalledPack) {
  const ChildOptions o = installed("brawler-replay", {"digest", "fight.replay"});
  fs::copy_file(std::string(BRAWLER_REPLAYS) + "/stage2.replay", o.workDir + "/fight.replay");
  const ChildResult r = runChild(o, kProgramBoundMs);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const std::string end = lastLine(fileText(std::string(BRAWLER_REPLAYS) + "/stage2.digest"));
  ASSERT_EQ(end.rfind("end ", 0), 0u) << end;
  EXPECT_EQ(lastLine(r.out), end);
}

TEST(InstalledPackage, ArcadeOpensItsTitle) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess arcade;
  ASSERT_TRUE(startWhenReady(installed("brawler-arcade", {}), "arcade: title\n", &arcade)) << arcade.out;
  EXPECT_EQ(closeWindowOf(arcade.pid), 0);
  const ChildResult r = finishChild(&arcade, kProgramBoundMs);
  EXPECT_EQ(r.exitCode, 0) << r.out;
}

TEST(InstalledPackage, LintianFindsNoError) {
  const ChildResult r = shell("lintian --no-tag-display-limit '" + madePackage().string() + "' 2>&1", kLintianBoundMs);
  ASSERT_TRUE(r.exited) << r.out;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) EXPECT_NE(line.rfind("E: ", 0), 0u) << line;
}

// What a desktop reads: the entries, the icon they name at every size, the software centre's
// metainfo.
TEST(InstalledPackage, DesktopEntriesIconsAndMetainfoPassTheirValidators) {
  const fs::path share = kRoot / "usr/share";
  const std::vector<std::string> entries = {"brawler-arcade", "brawler-preview"};
  for (const std::string& entry : entries) {
    SCOPED_TRACE(entry);
    const fs::path file = share / "applications" / (entry + ".desktop");
    const ChildResult r = shell("desktop-file-validate '" + file.string() + "' 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(fileText(file).find("\nExec=" + entry + "\n"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(kGames / entry));
  }
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    EXPECT_TRUE(fs::is_regular_file(share / "icons/hicolor" / folder / "apps/brawler.png")) << folder;
  }
  int metainfo = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(share / "metainfo")) {
    ++metainfo;
    const ChildResult r = shell("appstreamcli validate --no-net '" + e.path().string() + "' 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
  }
  EXPECT_EQ(metainfo, 1);
}

TEST(InstalledPackage, EveryProgramHasAManualPageThatRendersCleanly) {
  for (const fs::directory_entry& e : fs::directory_iterator(kGames)) {
    const std::string name = e.path().filename().string();
    SCOPED_TRACE(name);
    const fs::path page = kRoot / "usr/share/man/man6" / (name + ".6.gz");
    ASSERT_TRUE(fs::is_regular_file(page));
    const std::string man = "MANWIDTH=80 man --warnings -l '" + page.string() + "'";
    const ChildResult shown = shell(man);
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.out.find(name + "(6)"), std::string::npos) << shown.out;
    // What groff says about the page's roff, alone.
    EXPECT_EQ(shell(man + " 2>&1 >/dev/null").out, "");
  }
}

}  // namespace
