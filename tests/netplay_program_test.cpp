// brawler-replay netplay as two programs on the loopback: over a near, a far and a bad line
// both sides agree on every command and end on the world a plain replay of them reaches; a
// side that falls silent is reported lost.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "replay_program.h"
#include "sim/recording.h"

namespace {

constexpr int kRunBoundMs = 90000;
constexpr size_t kDepths = 8;

std::string lineStartingWith(const std::string& out, const std::string& start) {
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

// Starts the host on a port the system picks and returns that port, "" when it never says.
std::string startHost(const std::vector<std::string>& args, ChildProcess* host) {
  std::vector<std::string> all = {"netplay", "--host", "127.0.0.1:0"};
  all.insert(all.end(), args.begin(), args.end());
  const std::string said = "netplay hosting on port ";
  if (!startChild(replayProgram(all), host) || !waitForOutput(host, said, 30000)) return "";
  if (!waitForOutput(host, "\n", 5000)) return "";
  const size_t at = host->out.find(said) + said.size();
  return host->out.substr(at, host->out.find('\n', at) - at);
}

void startJoiner(const std::string& port, const std::vector<std::string>& args, ChildProcess* joiner) {
  std::vector<std::string> all = {"netplay", "--join", "127.0.0.1:" + port};
  all.insert(all.end(), args.begin(), args.end());
  ASSERT_TRUE(startChild(replayProgram(all), joiner));
}

// "netplay rollbacks R ticks-again T depths 1:a 2:b ... 8:h ..." -> a..h
std::vector<long> rollbackDepths(const std::string& out) {
  std::vector<long> counts;
  std::istringstream in(lineStartingWith(out, "netplay rollbacks "));
  for (std::string word; in >> word;) {
    const size_t colon = word.find(':');
    if (colon != std::string::npos) counts.push_back(std::strtol(word.c_str() + colon + 1, nullptr, 10));
  }
  return counts;
}

// One pair of peers over a line of the given latency, with jitter and loss on both sides.
struct Pair {
  std::string latencyMs;
  std::string dir;
  ChildProcess host, joiner;
  ChildResult hostEnd, joinerEnd;
};

void startPair(Pair* p) {
  p->dir = makeEmptyDir();
  const std::string fight = std::string(BRAWLER_REPLAYS) + "/stage3.replay";
  const std::vector<std::string> line = {"--inputs", fight, "--ticks", "600", "--latency", p->latencyMs,
                                         "--jitter", "20", "--loss", "5"};
  std::vector<std::string> hostArgs = line, joinerArgs = line;
  hostArgs.insert(hostArgs.end(), {"--out", p->dir + "/host.replay"});
  joinerArgs.insert(joinerArgs.end(), {"--out", p->dir + "/joiner.replay"});
  const std::string port = startHost(hostArgs, &p->host);
  ASSERT_FALSE(port.empty()) << p->host.out;
  startJoiner(port, joinerArgs, &p->joiner);
}

void checkPair(Pair* p) {
  SCOPED_TRACE("latency " + p->latencyMs);
  ASSERT_EQ(p->hostEnd.exitCode, 0) << p->hostEnd.out;
  ASSERT_EQ(p->joinerEnd.exitCode, 0) << p->joinerEnd.out;
  const std::string hostRecording = fileText(p->dir + "/host.replay");
  EXPECT_NE(hostRecording.find("\nticks 600\n"), std::string::npos) << hostRecording;
  EXPECT_EQ(hostRecording, fileText(p->dir + "/joiner.replay"));
  const std::string end = lineStartingWith(p->hostEnd.out, "end 600 ");
  ASSERT_FALSE(end.empty()) << p->hostEnd.out;
  EXPECT_EQ(lineStartingWith(p->joinerEnd.out, "end "), end);
  const ChildResult replayed = runChild(replayProgram({"digest", p->dir + "/host.replay"}), kRunBoundMs);
  EXPECT_EQ(lineStartingWith(replayed.out, "end "), end) << replayed.out;
  std::remove((p->dir + "/host.replay").c_str());
  std::remove((p->dir + "/joiner.replay").c_str());
  std::remove(p->dir.c_str());
}

// The three lines run side by side: the peers spend their time waiting for the next frame.
TEST(NetplayProgram, OverNearFarAndBadLinesBothSidesAgreeOnEveryCommandAndTheWorld) {
  Pair pairs[3];
  const char* latencies[3] = {"0", "60", "150"};
  for (int i = 0; i < 3; ++i) {
    pairs[i].latencyMs = latencies[i];
    startPair(&pairs[i]);
  }
  for (Pair& p : pairs) {
    p.hostEnd = finishChild(&p.host, kRunBoundMs);
    p.joinerEnd = finishChild(&p.joiner, kRunBoundMs);
  }
  std::vector<long> depths(kDepths, 0);
  for (Pair& p : pairs) {
    checkPair(&p);
    for (const std::string* out : {&p.hostEnd.out, &p.joinerEnd.out}) {
      const std::vector<long> counted = rollbackDepths(*out);
      ASSERT_EQ(counted.size(), depths.size()) << *out;
      for (size_t d = 0; d < depths.size(); ++d) depths[d] += counted[d];
    }
  }
  // Rollbacks of every depth happened, and the agreement above held through them.
  if (lineStartingWith(pairs[0].hostEnd.out, "netplay playing ").find(" lockstep") != std::string::npos) return;
  for (size_t d = 0; d < depths.size(); ++d) EXPECT_GT(depths[d], 0) << "depth " << d + 1;
}

TEST(NetplayProgramFaults, ASideThatFallsSilentIsReportedLost) {
  const std::string fight = std::string(BRAWLER_REPLAYS) + "/stage1.replay";
  const std::string dir = makeEmptyDir();
  ChildProcess host, joiner;
  const std::string port = startHost({"--inputs", fight, "--out", dir + "/host.replay"}, &host);
  ASSERT_FALSE(port.empty()) << host.out;
  startJoiner(port, {"--inputs", fight}, &joiner);
  ASSERT_TRUE(waitForOutput(&joiner, "netplay playing", 30000)) << joiner.out;
  kill(joiner.pid, SIGSTOP);
  const ChildResult hostEnd = finishChild(&host, kRunBoundMs);
  kill(joiner.pid, SIGKILL);
  finishChild(&joiner, kRunBoundMs);
  EXPECT_EQ(hostEnd.exitCode, 1) << hostEnd.out;
  EXPECT_NE(hostEnd.out.find("brawler-replay: CONNECTION LOST\n"), std::string::npos) << hostEnd.out;
  // The fight cut short leaves what both sides had agreed on.
  Recording agreed;
  std::string error;
  EXPECT_TRUE(parseRecording(fileText(dir + "/host.replay"), &agreed, &error)) << error;
  EXPECT_GT(agreed.ticks.size(), 0u);
  std::remove((dir + "/host.replay").c_str());
  std::remove(dir.c_str());
}

}  // namespace
