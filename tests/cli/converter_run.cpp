#include "cli/converter_run.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace karvex::testing {
namespace {

namespace fs = std::filesystem;

struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    read = fds[0];
    write = fds[1];
  }
};

void CloseIfOpen(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

Scratch::Scratch() {
  std::string pattern = (fs::temp_directory_path() / "karvex-cli-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  folder_ = pattern;
}

Scratch::~Scratch() {
  std::error_code ignored;
  fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(folder_, ignored);
}

std::string Scratch::Write(const std::string& name, const std::string& contents) const {
  const std::string path = Path(name);
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

std::vector<std::string> Scratch::Files(const std::string& subfolder) const {
  std::vector<std::string> names;
  const fs::path where = subfolder.empty() ? fs::path(folder_) : fs::path(folder_) / subfolder;
  for (const auto& entry : fs::directory_iterator(where)) {
    const std::string name = entry.path().filename().string();
    if (subfolder.empty() && name == "config") continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

ConverterRun Scratch::Run(const std::vector<std::string>& arguments, const std::string& standardInput,
                          const std::map<std::string, std::string>& environment) const {
  return Exchange(arguments, standardInput, environment, -1);
}

ConverterRun Scratch::RunOnTerminal(const std::vector<std::string>& arguments, const std::string& typed) const {
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) throw std::runtime_error("no terminal");
  const int user = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (user < 0) throw std::runtime_error("no terminal");
  // The terminal keeps what is typed until the converter reads it; Ctrl-D
  // at the start of a line ends its input.
  const std::string keys = typed + "\x04";
  const bool typedAll = ::write(terminal, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size());
  ConverterRun run = Exchange(arguments, "", {}, user);
  ::close(user);
  ::close(terminal);
  if (!typedAll) throw std::runtime_error("cannot type on the terminal");
  return run;
}

ConverterRun Scratch::Exchange(const std::vector<std::string>& arguments, const std::string& standardInput,
                               const std::map<std::string, std::string>& environment, int childInput) const {
  // A converter that stops reading early must not take the test with it.
  static const bool pipesIgnored = (std::signal(SIGPIPE, SIG_IGN), true);
  (void)pipesIgnored;
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  variables["XDG_CONFIG_HOME"] = ConfigHome();
  for (const auto& [name, value] : environment) variables[name] = value;
  std::vector<std::string> envText;
  for (const auto& [name, value] : variables) envText.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& text : envText) envp.push_back(text.data());
  envp.push_back(nullptr);

  std::vector<std::string> argText = {KARVEX_CONVERTER};
  argText.insert(argText.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argText) argv.push_back(text.data());
  argv.push_back(nullptr);

  Pipe in, out, err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, childInput >= 0 ? childInput : in.read, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out.write, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.write, STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  CloseIfOpen(in.read);
  CloseIfOpen(out.write);
  CloseIfOpen(err.write);
  if (spawned != 0) throw std::runtime_error(std::string("cannot run the converter: ") + std::strerror(spawned));

  ConverterRun run;
  std::size_t written = 0;
  if (standardInput.empty() || childInput >= 0) CloseIfOpen(in.write);
  ::fcntl(in.write, F_SETFL, O_NONBLOCK);
  while (out.read >= 0 || err.read >= 0) {
    pollfd fds[3] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}, {in.write, POLLOUT, 0}};
    if (::poll(fds, 3, -1) < 0 && errno != EINTR) break;
    char chunk[65536];
    for (int i = 0; i < 2; ++i) {
      int& fd = i == 0 ? out.read : err.read;
      if (fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      const ssize_t got = ::read(fd, chunk, sizeof chunk);
      if (got <= 0) {
        CloseIfOpen(fd);
      } else {
        (i == 0 ? run.out : run.err).append(chunk, static_cast<std::size_t>(got));
      }
    }
    if (in.write >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t put = ::write(in.write, standardInput.data() + written, standardInput.size() - written);
      if (put > 0) written += static_cast<std::size_t>(put);
      if (put < 0 || written == standardInput.size()) CloseIfOpen(in.write);
    }
  }
  CloseIfOpen(in.write);
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ShellRun RunShell(const std::string& command) {
  ShellRun run;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) run.output.append(chunk, got);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string CorpusFile(const std::string& name) {
  const std::string path = std::string(KARVEX_CORPUS_DIR) + "/" + name;
  return fs::exists(path) ? path : std::string();
}

}  // namespace karvex::testing
