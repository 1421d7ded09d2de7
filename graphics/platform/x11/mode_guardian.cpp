#include "graphics/platform/x11/mode_guardian.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "graphics/platform/x11/instance_files.h"
#include "graphics/platform/x11/randr_output.h"

namespace orventa::platform {
namespace {

constexpr int CRASH_SIGNALS[] = {SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};

int crashFd = -1;  // the guardian's socket, for the crash handler
volatile std::sig_atomic_t parentGone = 0;

extern "C" void onParentGone(int) { parentGone = 1; }

extern "C" void onCrash(int signal) {
  static const char message[] = "crash\n";
  if (crashFd >= 0) (void)!send(crashFd, message, sizeof message - 1, MSG_NOSIGNAL);
  // The action is back to the default (SA_RESETHAND): this ends the process as the signal would.
  raise(signal);
}

extern "C" int quitOnLostServer(Display*) { _exit(0); }

void say(int guardian, const std::string& message) {
  if (guardian >= 0) (void)!send(guardian, message.data(), message.size(), MSG_NOSIGNAL);
}

void restore(const GuardianState& state, const std::string& record) {
  if (!state.held) return;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;  // the server is gone, and its modes with it
  XSetIOErrorHandler(quitOnLostServer);
  catchXErrors();
  SavedMode done;
  bool changed = false;
  const bool ok = putBack(display, state.held, done, changed);
  XCloseDisplay(display);
  std::string text;
  SavedMode recorded;
  int pid = 0;
  // The record is the program's; a new instance may have written its own since.
  if (ok && readText(record, text) && parseRecord(text, recorded, pid) && pid == state.parent)
    std::remove(record.c_str());
}

[[noreturn]] void guard(int socket, int parent, const std::string& record) {
  setsid();  // the terminal's Ctrl+C and Ctrl+\ are for the program, not for its guardian
  for (int s : {SIGINT, SIGQUIT, SIGHUP, SIGPIPE, SIGTSTP}) std::signal(s, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = onParentGone;
  sigemptyset(&action.sa_mask);
  sigaction(SIGUSR1, &action, nullptr);  // no SA_RESTART: the read below returns
  prctl(PR_SET_PDEATHSIG, SIGUSR1);
  if (getppid() != parent) parentGone = 1;
  if (const int null = open("/dev/null", O_RDWR); null >= 0) {
    for (int fd : {0, 1, 2}) dup2(null, fd);
    if (null > 2) close(null);
  }
  GuardianState state;
  state.parent = parent;
  std::string pending;
  while (parentGone == 0 && !state.restoreNow) {
    char chunk[256];
    const ssize_t n = read(socket, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    pending.append(chunk, static_cast<std::size_t>(n));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!readGuardianLine(line, state)) _exit(0);
    }
  }
  restore(state, record);
  _exit(0);
}

}  // namespace

bool readGuardianLine(const std::string& line, GuardianState& state) {
  if (line == "restored") return false;
  if (line == "release") state.held.reset();
  if (line == "crash") state.restoreNow = true;
  SavedMode mode;
  int pid = 0;
  if (line.rfind("hold ", 0) == 0 && parseRecord(line.substr(5), mode, pid)) state.held = mode;
  return true;
}

int startGuardian(const std::string& record, int closeInChild) {
  int sockets[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) return -1;
  std::fflush(nullptr);
  const int parent = getpid();
  const pid_t child = fork();
  if (child < 0) {
    close(sockets[0]);
    close(sockets[1]);
    return -1;
  }
  if (child == 0) {
    close(sockets[0]);
    if (closeInChild >= 0) close(closeInChild);
    guard(sockets[1], parent, record);
  }
  close(sockets[1]);
  return sockets[0];
}

void guardianHold(int guardian, const SavedMode& desktop) {
  say(guardian, "hold " + formatRecord(desktop, getpid()));
}

void guardianRelease(int guardian) { say(guardian, "release\n"); }

void guardianRestored(int guardian) { say(guardian, "restored\n"); }

void tellGuardianOnCrash(int guardian) {
  crashFd = guardian;
  struct sigaction action {};
  action.sa_handler = onCrash;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int s : CRASH_SIGNALS) sigaction(s, &action, nullptr);
}

}  // namespace orventa::platform
