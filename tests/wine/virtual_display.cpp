#include "wine/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace karvex::testing {
namespace {

// Well above the numbers people and CI runners hand out by hand.
constexpr int kFirstDisplay = 150;
constexpr int kLastDisplay = 400;
constexpr int kStartTimeoutMs = 20000;

bool DisplayInUse(int number) {
  const std::string n = std::to_string(number);
  return std::filesystem::exists("/tmp/.X" + n + "-lock") || std::filesystem::exists("/tmp/.X11-unix/X" + n);
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
  for (int number = kFirstDisplay; number <= kLastDisplay; ++number) {
    if (!DisplayInUse(number) && TryStart(number)) return;
  }
  throw std::runtime_error("no X server could be started (is Xvfb installed?)");
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
}

// Xvfb writes the display number to the pipe once it takes connections; an
// end of the pipe without it means it gave up (another server took the
// number first).
bool VirtualDisplay::TryStart(int number) {
  int ready[2];
  if (::pipe(ready) != 0) return false;
  const std::string display = ":" + std::to_string(number);
  const std::string readyFd = std::to_string(ready[1]);
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(ready[0]);
    ::close(ready[1]);
    return false;
  }
  if (pid == 0) {
    ::close(ready[0]);
    const int quiet = ::open("/dev/null", O_RDWR);
    ::dup2(quiet, STDIN_FILENO);
    ::dup2(quiet, STDOUT_FILENO);
    ::dup2(quiet, STDERR_FILENO);
    ::execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-displayfd",
             readyFd.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(ready[1]);
  std::string answer;
  pollfd wait{ready[0], POLLIN, 0};
  while (answer.find('\n') == std::string::npos && ::poll(&wait, 1, kStartTimeoutMs) > 0) {
    char chunk[32];
    const ssize_t got = ::read(ready[0], chunk, sizeof chunk);
    if (got <= 0) break;
    answer.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(ready[0]);
  if (answer.find('\n') == std::string::npos) {
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return false;
  }
  pid_ = pid;
  name_ = display;
  return true;
}

}  // namespace karvex::testing
