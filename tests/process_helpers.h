// Running the game (or a piece of this test process) as a child process: working directory,
// environment, captured standard output, exit status, and a hard stop when it overstays.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct ChildOptions {
  std::string program;  // path of the executable, e.g. BRAWLER_BINARY
  std::vector<std::string> args;
  std::string workDir;  // empty: this process's own
  std::vector<std::pair<std::string, std::string>> setEnv;
  std::vector<std::string> unsetEnv;
};

struct ChildProcess {
  int pid = -1;
  int outFd = -1;   // read end of the child's standard output
  std::string out;  // everything read so far
  bool reaped = false;  // ended and waited for (status holds how)
  int status = 0;
};

struct ChildResult {
  bool exited = false;    // ended through exit (not a signal, not killed by us)
  int exitCode = -1;
  int signal = 0;         // the signal that ended it, if any
  bool timedOut = false;  // still running at the deadline and killed
  std::string out;
};

// Starts the program with its standard output on a pipe (standard error is inherited).
bool startChild(const ChildOptions& options, ChildProcess* child);
// Starts a forked copy of this process that runs `body` with standard output on a pipe; the
// copy exits 0 when `body` returns, or with whatever status `body` exits with.
bool forkChild(const std::function<void()>& body, ChildProcess* child);
// Starts the program and reads its output until `needle` appears. A loaded machine's display
// server now and then turns a connection away; the program then says so and exits at once.
// That is the server's doing, not the game's: it is started again, up to five times.
bool startWhenReady(const ChildOptions& options, const std::string& needle, ChildProcess* child);
// Reads output until it contains `needle`; false at the deadline or when the child closes it.
bool waitForOutput(ChildProcess* child, const std::string& needle, int timeoutMs);
// Reads output for `ms` milliseconds; true when the child is still running at the end.
bool stillRunningAfter(ChildProcess* child, int ms);
// Reads the rest of the output and reaps the child; kills it (SIGKILL) at the deadline.
ChildResult finishChild(ChildProcess* child, int timeoutMs);

ChildResult runChild(const ChildOptions& options, int timeoutMs);
ChildResult runInFork(const std::function<void()>& body, int timeoutMs);

// What `body` writes to standard output while it runs in this process.
// The lines of a program's output that are one decimal number each: the fade trace.
std::vector<std::string> decimalLines(const std::string& out);

std::string captureStdout(const std::function<void()>& body);

// A new empty directory under the system's temporary folder.
std::string makeEmptyDir();
// The X display tests may use, or "" when there is none.
std::string testDisplay();
// Runs a command line through the shell with the test display (or the one given); returns its
// exit status.
int runOnDisplay(const std::string& commandLine, const std::string& display = testDisplay());
// Types `key` (an xdotool key name such as "space" or "Escape") into the window that process
// `pid` opened on the test display: the window is found by its process id and given the input
// focus first, so that tests running side by side do not take each other's keys. 0 on success.
int pressKeyInWindowOf(int pid, const std::string& key, const std::string& display = testDisplay());
// The same, but the key stays down for `ms` milliseconds: screens that read a key as held see
// it in at least one poll.
int holdKeyInWindowOf(int pid, const std::string& key, int ms);
// Asks the window of process `pid` to close the way a window manager's close button does (a
// WM_DELETE_WINDOW message). 0 on success.
int closeWindowOf(int pid, const std::string& display = testDisplay());
// Holds Escape down in the window of process `pid` once it shows, as its own event: a press and
// release within one frame would pass between two polls unseen, and a key held through the
// server's keyboard would reach whatever else runs on the display. Gives up (non-zero) when no
// window shows within `timeoutSeconds`.
int holdEscapeInWindowOf(int pid, int timeoutSeconds = 60, const std::string& display = testDisplay());
// A virtual display of the test's own (Xvfb on a free number), for a test that types into its
// window by the server's keyboard or reads the screen back: no other test's window can take
// its keys or cover its pixels. False when none can be started.
bool startPrivateDisplay(ChildProcess* server, std::string* display);
void stopPrivateDisplay(ChildProcess* server);
// The same at a screen size of the test's choosing, on the first free number from 200 up (the
// suite's own displays are below); stopped with stopPrivateDisplay.
bool startDisplayOfSize(int width, int height, ChildProcess* server, std::string* display);
