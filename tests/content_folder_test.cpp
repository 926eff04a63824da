// Where the programs find their content, where they put what they write, and how each says
// that it found none.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/content_folder.h"
#include "process_helpers.h"
#include "shell/program_start.h"

namespace fs = std::filesystem;

namespace {

constexpr int kProgramBoundMs = 30000;
// Who the test becomes to meet a folder it may not write: root writes everywhere.
constexpr uid_t kNobody = 65534;

// A prefix as a package installs it (PREFIX/games and PREFIX/share/games/brawler holding a
// pack), a second pack elsewhere, a folder that only half looks like one, and a plain folder.
struct Places {
  std::string prefix = makeEmptyDir();
  std::string installed = prefix + "/share/games/brawler";
  std::string other = makeEmptyDir();
  std::string half = makeEmptyDir();
  std::string plain = makeEmptyDir();
  std::string missing = plain + "/gone";
  Places() {
    for (const std::string& pack : {installed, other}) {
      fs::create_directories(pack + "/gfx");
      fs::create_directories(pack + "/stage");
    }
    fs::create_directories(prefix + "/games");
    fs::create_directories(half + "/gfx");
  }
};

TEST(ContentSearch, LooksInOrderAndTakesTheFirstPack) {
  const Places p;
  const std::string games = p.prefix + "/games";
  struct Case {
    const char* shows;
    std::string named, environment, programFolder, working;
    ContentSource source;
    std::string folder;
  };
  const Case cases[] = {
      {"--data wins over every other place", p.other, p.installed, games, p.installed, kContentNamed, p.other},
      {"$BRAWLER_DATA comes before the installed pack", "", p.other, games, p.installed, kContentEnvironment, p.other},
      {"the installed pack is found beside games/", "", "", games, p.plain, kContentInstalled, p.installed},
      {"...and beside bin/ alike", "", "", p.prefix + "/bin", p.plain, kContentInstalled, p.installed},
      {"a $BRAWLER_DATA that holds no pack is passed over", "", p.half, games, p.plain, kContentInstalled, p.installed},
      {"the current folder comes last", "", "", p.plain, p.other, kContentWorkingFolder, p.other},
      {"an unknown program folder is passed over", "", "", "", p.other, kContentWorkingFolder, p.other},
      {"a named folder without a pack is not passed over for another", p.half, p.other, games, p.other,
       kContentNotFound, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shows);
    const ContentSearch search = searchForContent(c.named, c.environment, c.programFolder, c.working);
    EXPECT_EQ(search.source, c.source);
    EXPECT_EQ(search.folder, c.folder);
  }
}

TEST(ContentSearch, WithoutAPackTheLineNamesEveryPlaceAndWhy) {
  const Places p;
  struct Case {
    const char* shows;
    std::string named, environment, programFolder;
    std::string looked;
  };
  const Case cases[] = {
      {"all four places, each with its reason", "", p.half, p.plain,
       "$BRAWLER_DATA (no gfx/ and stage/ folders), " + fs::path(p.plain).parent_path().string() +
           "/share/games/brawler (no such folder), the current folder " + p.plain + " (no gfx/ and stage/ folders)"},
      {"an unset variable and an unknown program folder say so", "", "", "",
       "$BRAWLER_DATA (not set), the installed pack (the program's own folder is unknown), "
       "the current folder " + p.plain + " (no gfx/ and stage/ folders)"},
      {"--data alone is looked at", p.missing, p.installed, p.prefix + "/games",
       "--data " + p.missing + " (no such folder)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shows);
    const ContentSearch search = searchForContent(c.named, c.environment, c.programFolder, p.plain);
    EXPECT_EQ(search.source, kContentNotFound);
    EXPECT_EQ(search.looked, c.looked);
  }
}

TEST(DataSwitch, IsTakenOutOfTheCommandLine) {
  struct Case {
    const char* shows;
    std::vector<std::string> args;
    bool taken;
    std::string folder;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {"a command line without it is left alone", {"play", "a.replay"}, true, "", {"play", "a.replay"}},
      {"anywhere on the line, the rest kept in order", {"play", "--data", "pack", "a.replay"}, true, "pack",
       {"play", "a.replay"}},
      {"the last of two counts", {"--data", "one", "--data", "two"}, true, "two", {}},
      {"without a folder it is refused", {"play", "--data"}, false, "", {}},
      {"an empty folder name is refused", {"--data", "", "play"}, false, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shows);
    std::vector<std::string> line = {"program"};
    line.insert(line.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (std::string& a : line) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    int argc = static_cast<int>(line.size());
    std::string folder, error;
    ASSERT_EQ(takeDataSwitch(&argc, argv.data(), &folder, &error), c.taken) << error;
    if (!c.taken) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(folder, c.folder);
    const std::vector<std::string> left(argv.begin() + 1, argv.begin() + argc);
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(argv[argc], nullptr);
  }
}

// In a child, so that this process keeps its working folder and its user: enters `pack` as the
// program would and prints where a file named "netplay-host.replay" would be written.
std::string writtenFrom(const std::string& pack, const std::string& ownData, bool readOnly) {
  const ChildResult r = runInFork(
      [&] {
        setenv("XDG_DATA_HOME", ownData.c_str(), 1);
        if (readOnly && geteuid() == 0 && setuid(kNobody) != 0) _exit(3);
        if (!enterContentFolder("test", pack)) _exit(4);
        std::printf("%s\n", writtenFilePath("netplay-host.replay").c_str());
      },
      kProgramBoundMs);
  EXPECT_EQ(r.exitCode, 0) << r.out;
  return r.out;
}

TEST(WrittenFiles, GoBesideThePackOnlyWhenItsFolderCanBeWritten) {
  const Places p;
  const std::string ownData = makeEmptyDir();
  // Whoever the child becomes must be able to make its folder there.
  chmod(ownData.c_str(), 0777);
  chmod(p.other.c_str(), 0555);
  EXPECT_EQ(writtenFrom(p.other, ownData, true), ownData + "/brawler/netplay-host.replay\n");
  EXPECT_TRUE(fs::is_directory(ownData + "/brawler"));
  chmod(p.other.c_str(), 0755);
  EXPECT_EQ(writtenFrom(p.other, ownData, false), "netplay-host.replay\n");
}

// Every program, started where there is no pack and told of none, says so in one line on
// standard error and ends with status 1, before it opens a window or reads anything else.
TEST(ProgramsWithoutContent, SayWhereTheyLookedInOneLine) {
  const Places p;
  const char* programs[] = {BRAWLER_BINARY, BRAWLER_ARCADE_BINARY, BRAWLER_CHECK_BINARY, BRAWLER_PREVIEW_BINARY,
                            BRAWLER_REPLAY_BINARY};
  for (const char* program : programs) {
    const std::string name = fs::path(program).filename().string();
    SCOPED_TRACE(name);
    ChildOptions o;
    o.program = "/bin/sh";
    // The replay tool needs a command before it looks for content.
    o.args = {"-c", "exec \"$0\" \"$@\" 2>&1", program};
    if (name == "brawler-replay") o.args.insert(o.args.end(), {"digest", "fight.replay"});
    o.workDir = p.plain;
    o.unsetEnv = {"BRAWLER_DATA", "DISPLAY"};
    const ChildResult r = runChild(o, kProgramBoundMs);
    ASSERT_TRUE(r.exited) << r.out;
    EXPECT_EQ(r.exitCode, kNoContentStatus) << r.out;
    EXPECT_EQ(r.out.rfind(name + ": no game content: looked in $BRAWLER_DATA (not set), ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("the current folder " + p.plain + " (no gfx/ and stage/ folders)"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
  }
}

TEST(ProgramsWithContentElsewhere, ReadFilesNamedFromWhereTheyStarted) {
  // From a folder with no pack, the pack named, the recording named from here.
  const std::string here = makeEmptyDir();
  fs::copy_file(std::string(BRAWLER_REPLAYS) + "/stage1.replay", here + "/fight.replay");
  ChildOptions o;
  o.program = BRAWLER_REPLAY_BINARY;
  o.args = {"digest", "fight.replay", "--data", BRAWLER_CONTENT_DIR};
  o.workDir = here;
  const ChildResult elsewhere = runChild(o, kProgramBoundMs);
  ASSERT_EQ(elsewhere.exitCode, 0) << elsewhere.out;
  o.args = {"digest", std::string(BRAWLER_REPLAYS) + "/stage1.replay"};
  o.workDir = BRAWLER_CONTENT_DIR;
  const ChildResult inPack = runChild(o, kProgramBoundMs);
  EXPECT_EQ(elsewhere.out, inPack.out);
  EXPECT_EQ(elsewhere.out.rfind("end 2400 ", 0), 0u) << elsewhere.out;
}

}  // namespace
