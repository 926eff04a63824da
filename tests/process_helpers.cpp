#include "process_helpers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include <X11/Xlib.h>

namespace {

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// One read with a deadline; false when the pipe is closed or time is up.
bool readSome(ChildProcess* child, Clock::time_point deadline) {
  if (child->outFd < 0) return false;
  pollfd p{child->outFd, POLLIN, 0};
  if (poll(&p, 1, msLeft(deadline)) <= 0) return false;
  char buffer[4096];
  ssize_t n = read(child->outFd, buffer, sizeof buffer);
  if (n <= 0) {
    close(child->outFd);
    child->outFd = -1;
    return false;
  }
  child->out.append(buffer, static_cast<size_t>(n));
  return true;
}

// Forks with the child's standard output on a pipe; the child runs `inChild`, which must not
// return (it execs or exits). The parent keeps the read end.
bool forkOntoPipe(const std::function<void()>& inChild, ChildProcess* child) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(fds[0]);
    dup2(fds[1], STDOUT_FILENO);
    close(fds[1]);
    inChild();
    _exit(127);
  }
  close(fds[1]);
  *child = ChildProcess{};
  child->pid = pid;
  child->outFd = fds[0];
  return true;
}

}  // namespace

bool startChild(const ChildOptions& options, ChildProcess* child) {
  return forkOntoPipe(
      [&] {
        if (!options.workDir.empty() && chdir(options.workDir.c_str()) != 0) _exit(126);
        for (const std::string& name : options.unsetEnv) unsetenv(name.c_str());
        for (const auto& kv : options.setEnv) setenv(kv.first.c_str(), kv.second.c_str(), 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(options.program.c_str()));
        for (const std::string& a : options.args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(options.program.c_str(), argv.data());
      },
      child);
}

bool forkChild(const std::function<void()>& body, ChildProcess* child) {
  return forkOntoPipe(
      [&] {
        body();
        std::fflush(stdout);
        _exit(0);
      },
      child);
}

bool waitForOutput(ChildProcess* child, const std::string& needle, int timeoutMs) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (child->out.find(needle) == std::string::npos) {
    if (!readSome(child, deadline)) return child->out.find(needle) != std::string::npos;
  }
  return true;
}

static bool reap(ChildProcess* child) {
  if (!child->reaped && waitpid(child->pid, &child->status, WNOHANG) == child->pid) child->reaped = true;
  return child->reaped;
}

bool stillRunningAfter(ChildProcess* child, int ms) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
  while (msLeft(deadline) > 0) {
    if (!readSome(child, deadline)) usleep(1000);
  }
  return !reap(child);
}

ChildResult finishChild(ChildProcess* child, int timeoutMs) {
  ChildResult result;
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (child->outFd >= 0 && msLeft(deadline) > 0) readSome(child, deadline);
  int status = 0;
  for (;;) {
    if (reap(child)) {
      status = child->status;
      break;
    }
    if (msLeft(deadline) == 0) {
      // SIGKILL: SDL turns the polite signals into quit events, which the game may ignore.
      kill(child->pid, SIGKILL);
      waitpid(child->pid, &status, 0);
      result.timedOut = true;
      break;
    }
    usleep(5000);
  }
  if (child->outFd >= 0) {
    close(child->outFd);
    child->outFd = -1;
  }
  if (!result.timedOut && WIFEXITED(status)) {
    result.exited = true;
    result.exitCode = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
  }
  result.out = child->out;
  child->pid = -1;
  return result;
}

ChildResult runChild(const ChildOptions& options, int timeoutMs) {
  ChildProcess child;
  if (!startChild(options, &child)) return ChildResult{};
  return finishChild(&child, timeoutMs);
}

ChildResult runInFork(const std::function<void()>& body, int timeoutMs) {
  ChildProcess child;
  if (!forkChild(body, &child)) return ChildResult{};
  return finishChild(&child, timeoutMs);
}

std::vector<std::string> decimalLines(const std::string& out) {
  std::vector<std::string> found;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.find('.') == std::string::npos) continue;
    char* end = nullptr;
    std::strtod(line.c_str(), &end);
    if (end == line.c_str() + line.size()) found.push_back(line);
  }
  return found;
}

std::string captureStdout(const std::function<void()>& body) {
  std::fflush(stdout);
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return {};
  int saved = dup(STDOUT_FILENO);
  dup2(fileno(file), STDOUT_FILENO);
  body();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::string text;
  std::rewind(file);
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  std::fclose(file);
  return text;
}

std::string makeEmptyDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && base[0] ? base : "/tmp") + "/brawler-test-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) return {};
  return name.data();
}

std::string testDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display ? display : "";
}

int runOnDisplay(const std::string& commandLine, const std::string& display) {
  std::string full = "DISPLAY='" + display + "' " + commandLine;
  int status = std::system(full.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

// --all: the window must be the process's and have a class; without it xdotool takes either,
// and with two games on one display the other's window would do.
std::string findWindowOf(int pid) {
  return "w=$(xdotool search --sync --all --onlyvisible --pid " + std::to_string(pid) + " --classname . | head -n 1)";
}

}  // namespace

int holdEscapeInWindowOf(int pid, int timeoutSeconds, const std::string& display) {
  return runOnDisplay("timeout " + std::to_string(timeoutSeconds) +
                      " sh -c '" + findWindowOf(pid) + " && xdotool keydown --window \"$w\" Escape'", display);
}

int pressKeyInWindowOf(int pid, const std::string& key, const std::string& display) {
  // Three separate runs: chained after a search, xdotool sends the key as a synthetic event to
  // the window, which SDL does not take; on its own it goes through XTEST to the focus.
  return runOnDisplay("sh -c '" + findWindowOf(pid) + " && xdotool windowfocus --sync \"$w\" && xdotool key " + key +
                      "'", display);
}

int holdKeyInWindowOf(int pid, const std::string& key, int ms) {
  return runOnDisplay("sh -c '" + findWindowOf(pid) + " && xdotool windowfocus --sync \"$w\" && xdotool keydown " +
                      key + " && sleep " + std::to_string(ms / 1000.0) + " && xdotool keyup " + key + "'");
}

int closeWindowOf(int pid, const std::string& on) {
  std::FILE* search = popen(("DISPLAY='" + on + "' sh -c '" + findWindowOf(pid) + " && echo $w'").c_str(), "r");
  if (!search) return -1;
  unsigned long window = 0;
  const int found = std::fscanf(search, "%lu", &window);
  pclose(search);
  if (found != 1 || window == 0) return -1;
  Display* display = XOpenDisplay(on.c_str());
  if (!display) return -1;
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &close);
  XCloseDisplay(display);
  return sent != 0 ? 0 : -1;
}

bool startWhenReady(const ChildOptions& options, const std::string& needle, ChildProcess* child) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    *child = ChildProcess{};
    if (!startChild(options, child)) return false;
    if (waitForOutput(child, needle, 60000)) return true;
    if (child->out.find("cannot open the") == std::string::npos) return false;
    finishChild(child, 5000);
    usleep(300 * 1000);
  }
  return false;
}

bool startPrivateDisplay(ChildProcess* server, std::string* display) {
  ChildOptions options;
  options.program = "/bin/sh";
  // Xvfb picks a free number itself and writes it once it takes connections.
  options.args = {"-c", "exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null"};
  if (!startChild(options, server) || !waitForOutput(server, "\n", 20000)) return false;
  *display = ":" + server->out.substr(0, server->out.find('\n'));
  return true;
}

bool startDisplayOfSize(int width, int height, ChildProcess* server, std::string* display) {
  constexpr int kFirst = 200, kLast = 299;
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  for (int n = kFirst; n <= kLast; ++n) {
    const std::string number = std::to_string(n);
    ChildOptions options;
    options.program = "/bin/sh";
    options.args = {"-c", "exec Xvfb :" + number + " -screen 0 " + screen + " -nolisten tcp -noreset 2>/dev/null"};
    if (!startChild(options, server)) return false;
    *display = ":" + number;
    // A number in use makes the server give up at once (its lock is taken); only then would the
    // display answer for someone else.
    for (int tries = 0; tries < 100 && stillRunningAfter(server, 100); ++tries)
      if (runOnDisplay("xdpyinfo >/dev/null 2>&1", *display) == 0) return true;
    stopPrivateDisplay(server);
    *server = ChildProcess{};
  }
  return false;
}

void stopPrivateDisplay(ChildProcess* server) {
  if (server->pid > 0 && !server->reaped) kill(server->pid, SIGTERM);
  finishChild(server, 10000);
}
