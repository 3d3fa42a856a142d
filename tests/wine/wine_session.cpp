#include "wine/wine_session.h"

#include <cstdint>
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

// UTF-8 text as UTF-16LE with its byte-order mark: what regedit reads.
std::string Utf16LittleEndian(const std::string& utf8) {
  std::string out = "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;  // the texts here stay in the basic plane
    unsigned code = length == 1 ? lead : length == 2 ? lead & 0x1Fu : lead & 0x0Fu;
    for (int k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    out += static_cast<char>(code & 0xFF);
    out += static_cast<char>(code >> 8);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

// What the prefix needs to show Japanese dialogs as a Japanese system does.
// The form's face "ＭＳ Ｐゴシック" stands for IPAPGothic, the proportional
// IPA face. Captions and message boxes ask for Tahoma, which this Wine does
// not have; linked to IPAPGothic, they show their Japanese. The glyphs of
// the close box come from Wine's own Marlett (fonts-wine). There is no
// window manager on the X server: Wine manages the windows itself, so it
// draws their frames and does not wait for a window manager to answer each
// time a window is hidden.
constexpr char kPrefixSettings[] =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n"
    "\"ＭＳ Ｐゴシック\"=\"IPAPGothic\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n"
    // REG_MULTI_SZ "ipagp.ttf,IPAPGothic", spelled as UTF-16LE bytes
    "\"Tahoma\"=hex(7):69,00,70,00,61,00,67,00,70,00,2e,00,74,00,74,00,66,00,2c,00,49,00,50,00,41,00,50,00,"
    "47,00,6f,00,74,00,68,00,69,00,63,00,00,00,00,00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n"
    "\"Marlett (TrueType)\"=\"Z:\\\\usr\\\\share\\\\wine\\\\fonts\\\\marlett.ttf\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"
    "\"Managed\"=\"N\"\r\n";

constexpr char kWineScript[] = "wine";
constexpr char kWine64Loader[] = "/usr/lib/wine/wine64";

// The machine field of a PE file's header: x86-64 (0x8664) or not.
bool IsSixtyFourBitProgram(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char dos[64] = {};
  if (!in.read(reinterpret_cast<char*>(dos), sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return false;
  const std::uint32_t peAt = dos[60] | dos[61] << 8 | dos[62] << 16 | static_cast<std::uint32_t>(dos[63]) << 24;
  unsigned char pe[6] = {};
  if (!in.seekg(peAt) || !in.read(reinterpret_cast<char*>(pe), sizeof pe)) return false;
  return pe[0] == 'P' && pe[1] == 'E' && pe[2] == 0 && pe[3] == 0 && pe[4] == 0x64 && pe[5] == 0x86;
}

int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace

WineSuite CurrentSuite() {
  const char* suite = std::getenv("KARVEX_WINE_SUITE");
  const std::string name = suite == nullptr ? "" : suite;
  if (name == "full64") return WineSuite::Full64;
  if (name == "check32") return WineSuite::Check32;
  return WineSuite::Full32;
}

bool TestsSixtyFourBit() { return CurrentSuite() == WineSuite::Full64; }

std::string SpihostPath() { return TestsSixtyFourBit() ? Spihost64Path() : Spihost32Path(); }
std::string PluginPath() { return TestsSixtyFourBit() ? Plugin64Path() : Plugin32Path(); }
std::string Spihost32Path() { return KARVEX_SPIHOST_EXE; }
std::string Plugin32Path() { return KARVEX_PLUGIN_SPI; }

#ifdef KARVEX_SPIHOST64_EXE
std::string Spihost64Path() { return KARVEX_SPIHOST64_EXE; }
std::string Plugin64Path() { return KARVEX_PLUGIN64_SPH; }
#else
std::string Spihost64Path() { return {}; }
std::string Plugin64Path() { return {}; }
#endif
std::string CanvasComparePath() {
#ifdef KARVEX_CANVAS_COMPARE64_EXE
  if (TestsSixtyFourBit()) return KARVEX_CANVAS_COMPARE64_EXE;
#endif
  return KARVEX_CANVAS_COMPARE_EXE;
}

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
  // The display first: a prefix booted without one never gets one later.
  display_ = std::make_unique<VirtualDisplay>();
  // The full 32-bit suite boots its prefix as it always has, through the
  // script; the others make a 64-bit prefix without the 32-bit loader.
  sixtyFourBitPrefix_ = CurrentSuite() != WineSuite::Full32;
  const std::string boot = SessionVariables() + " WINEDLLOVERRIDES='mscoree,mshtml='" +
                           (sixtyFourBitPrefix_ ? std::string(" WINEARCH=win64 ") + kWine64Loader + " wineboot -i"
                                                : std::string(" wineboot -i")) +
                           " >/dev/null 2>&1";
  if (Shell(boot) != 0) throw std::runtime_error("wineboot failed for " + prefix_);
  ConfigurePrefix();
}

void WineSession::ConfigurePrefix() {
  const std::string settings = scratch_ + "/prefix-settings.reg";
  std::ofstream(settings, std::ios::binary) << Utf16LittleEndian(kPrefixSettings);
  if (Run({"regedit", "/S", WindowsPath(settings)}).exitCode != 0) {
    throw std::runtime_error("regedit failed for " + prefix_);
  }
}

std::string WineSession::SessionVariables() const {
  return "WINEPREFIX=" + Quoted(prefix_) + " DISPLAY=" + Quoted(display_->Name()) + " WINEDEBUG=-all";
}

std::string WineSession::LoaderFor(const std::string& program) const {
  if (IsSixtyFourBitProgram(program)) return kWine64Loader;
  const bool ownProgram = program.find('/') != std::string::npos;
  return sixtyFourBitPrefix_ && !ownProgram ? kWine64Loader : kWineScript;
}

WineSession::~WineSession() {
  // wineserver is Wine's own 64-bit server: the same for every prefix.
  Shell("WINEPREFIX=" + Quoted(prefix_) + " wineserver -k >/dev/null 2>&1");
  Shell("WINEPREFIX=" + Quoted(prefix_) + " wineserver -w >/dev/null 2>&1");
  display_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(scratch_, ignored);
}

CommandResult WineSession::Run(const std::vector<std::string>& command, const std::map<std::string, std::string>& env) {
  std::string line = SessionVariables();
  for (const auto& [name, value] : env) line += " " + name + "=" + Quoted(value);
  line += " " + LoaderFor(command.front());
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

CommandResult WineSession::Spihost(const std::vector<std::string>& arguments,
                                   const std::map<std::string, std::string>& env) {
  std::vector<std::string> command{SpihostPath(), WindowsPath(PluginPath())};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return Run(command, env);
}

const std::map<std::string, std::string>& WineSession::JapaneseEnvironment() {
  if (!japanese_.empty()) return japanese_;
  // Wine takes its code pages from the Unix locale of the process.
  const std::string locales = scratch_ + "/locale";
  std::filesystem::create_directories(locales);
  const std::string compile = "localedef -i ja_JP -f UTF-8 " + Quoted(locales + "/ja_JP.UTF-8") + " >/dev/null 2>&1";
  if (Shell(compile) != 0 && !std::filesystem::exists(locales + "/ja_JP.UTF-8/LC_CTYPE")) {
    throw std::runtime_error("localedef could not compile ja_JP.UTF-8 (is the locales package installed?)");
  }
  japanese_ = {{"LOCPATH", locales}, {"LC_ALL", "ja_JP.UTF-8"}};
  return japanese_;
}

std::string WineSession::WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + std::filesystem::absolute(unixPath).string();
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace karvex::testing
