#include "wine/wine_session.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>

namespace karvex::testing {
namespace {

std::unique_ptr<WineSession>& Instance() {
  static std::unique_ptr<WineSession> session;
  return session;
}

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace

std::string SpihostPath() { return KARVEX_SPIHOST_EXE; }
std::string PluginPath() { return KARVEX_PLUGIN_SPI; }
std::string CanvasComparePath() { return KARVEX_CANVAS_COMPARE_EXE; }

std::string CommandResult::Field(const std::string& key) const {
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(key + " ", 0) == 0) return line.substr(key.size() + 1);
    if (line == key) return "";
  }
  return "<missing " + key + ">";
}

std::vector<std::string> CommandResult::Lines(const std::string& key) const {
  std::vector<std::string> found;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(key, 0) == 0) found.push_back(line);
  }
  return found;
}

WineSession& WineSession::Get() {
  if (!Instance()) Instance().reset(new WineSession());
  return *Instance();
}

void WineSession::Shutdown() { Instance().reset(); }

WineSession::WineSession() {
  std::string pattern = (std::filesystem::temp_directory_path() / "karvex-wine-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no folder for the Wine prefix");
  prefix_ = pattern + "/prefix";
  scratch_ = pattern;
  const std::string boot =
      "WINEPREFIX=" + Quoted(prefix_) + " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' wineboot -i >/dev/null 2>&1";
  if (Shell(boot) != 0) throw std::runtime_error("wineboot failed for " + prefix_);
}

WineSession::~WineSession() {
  Shell("WINEPREFIX=" + Quoted(prefix_) + " wineserver -k >/dev/null 2>&1");
  Shell("WINEPREFIX=" + Quoted(prefix_) + " wineserver -w >/dev/null 2>&1");
  std::error_code ignored;
  std::filesystem::remove_all(scratch_, ignored);
}

CommandResult WineSession::Run(const std::vector<std::string>& command, const std::map<std::string, std::string>& env) {
  std::string line = "WINEPREFIX=" + Quoted(prefix_) + " WINEDEBUG=-all";
  for (const auto& [name, value] : env) line += " " + name + "=" + Quoted(value);
  line += " wine";
  for (const std::string& part : command) line += " " + Quoted(part);
  const std::string outPath = scratch_ + "/out.txt";
  const std::string errPath = scratch_ + "/err.txt";
  line += " >" + Quoted(outPath) + " 2>" + Quoted(errPath) + " </dev/null";
  CommandResult result;
  result.exitCode = Shell(line);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  return result;
}

CommandResult WineSession::Spihost(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{SpihostPath(), WindowsPath(PluginPath())};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return Run(command);
}

std::string WineSession::WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + std::filesystem::absolute(unixPath).string();
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace karvex::testing
