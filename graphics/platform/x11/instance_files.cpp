#include "graphics/platform/x11/instance_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace orventa::platform {
namespace {

bool alive(int pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

int pidIn(int fd) {
  char text[32] = {};
  const ssize_t n = pread(fd, text, sizeof text - 1, 0);
  return n > 0 ? std::atoi(text) : 0;
}

}  // namespace

std::string displayName(const std::string& display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return display;
  const std::size_t dot = display.find('.', colon);
  return dot == std::string::npos ? display : display.substr(0, dot);
}

std::string runtimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != 0) return runtime;
  const std::string folder = "/tmp/orventa-" + std::to_string(getuid());
  struct stat info {};
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  // Someone else's folder of that name is no place for our lock.
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
    return {};
  return folder;
}

InstanceFiles instanceFiles(const std::string& folder, const std::string& display) {
  std::string key;
  for (char c : displayName(display)) key += (c == '/' || c == ':') ? '_' : c;
  const std::string base = folder + "/orventa-display" + key;
  return {base + ".lock", base + ".mode"};
}

int takeLock(const std::string& path, int& holder) {
  holder = 0;
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  // A holder that is gone may leave its lock to a child for a moment (the guardian putting the
  // mode back): wait that out rather than refuse.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    holder = pidIn(fd);
    if (alive(holder) || std::chrono::steady_clock::now() > deadline) {
      close(fd);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  holder = 0;
  const std::string pid = std::to_string(getpid()) + "\n";
  if (ftruncate(fd, 0) != 0 || pwrite(fd, pid.data(), pid.size(), 0) < 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool readText(const std::string& path, std::string& text) {
  std::ifstream in(path);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

bool writeText(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".new";
  std::FILE* f = std::fopen(temporary.c_str(), "w");
  if (f == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !written) {
    std::remove(temporary.c_str());
    return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace orventa::platform
