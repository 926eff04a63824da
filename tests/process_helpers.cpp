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

int runOnDisplay(const std::string& commandLine) {
  std::string full = "DISPLAY='" + testDisplay() + "' " + commandLine;
  int status = std::system(full.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int holdEscapeInWindowOf(int pid, int timeoutSeconds) {
  return runOnDisplay("timeout " + std::to_string(timeoutSeconds) +
                      " sh -c 'w=$(xdotool search --sync --onlyvisible --pid " + std::to_string(pid) +
                      " --classname . | head -n 1) && xdotool keydown --window \"$w\" Escape'");
}

int pressKeyInWindowOf(int pid, const std::string& key) {
  // Three separate runs: chained after a search, xdotool sends the key as a synthetic event to
  // the window, which SDL does not take; on its own it goes through XTEST to the focus.
  return runOnDisplay("sh -c 'w=$(xdotool search --sync --onlyvisible --pid " + std::to_string(pid) +
                      " --classname . | head -n 1) && xdotool windowfocus --sync \"$w\" && xdotool key " +
                      key + "'");
}
