#pragma once
// Runs our Windows programs under Wine, in a prefix made for this test run
// and removed (with its wineserver stopped) when the run ends. The run has
// an X server of its own, so the programs can open windows.
//
// 64-bit programs start through Wine's 64-bit loader directly: the "wine"
// script starts the 32-bit loader first, which some machines cannot run at
// all. Where 32-bit programs run only under an emulator, the prefix is a
// 64-bit one made by the 64-bit loader too, the quickest to make there.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "wine/virtual_display.h"

namespace karvex::testing {

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;

  // "key value" lines of spihost's output: the first line with this key.
  std::string Field(const std::string& key) const;
  // Every line that starts with this key.
  std::vector<std::string> Lines(const std::string& key) const;
};

class WineSession {
 public:
  // The session of this test run; made on first use.
  static WineSession& Get();
  // Stops the wineserver and removes the prefix.
  static void Shutdown();

  // Runs a Windows program with its arguments.
  CommandResult Run(const std::vector<std::string>& command, const std::map<std::string, std::string>& env = {});
  // spihost.exe loading karvex.spi, with these arguments after the plug-in.
  CommandResult Spihost(const std::vector<std::string>& arguments,
                        const std::map<std::string, std::string>& env = {});

  // Variables under which Windows programs run with code page 932 as their
  // ANSI code page, as on a Japanese system: a Japanese locale compiled into
  // the session's folder on first use, so the machine needs none installed.
  const std::map<std::string, std::string>& JapaneseEnvironment();

  // A Unix path as the Windows programs see it (drive Z:).
  static std::string WindowsPath(const std::string& unixPath);
  const std::string& Prefix() const { return prefix_; }

  ~WineSession();

 private:
  WineSession();
  void ConfigurePrefix();
  // The loader for a program: a 64-bit one of ours, or Wine's own programs
  // in a 64-bit prefix, take the 64-bit loader; the rest the "wine" script.
  std::string LoaderFor(const std::string& program) const;
  // The variables every Wine process of the session runs with.
  std::string SessionVariables() const;

  std::unique_ptr<VirtualDisplay> display_;
  std::string prefix_;
  std::string scratch_;
  bool sixtyFourBitPrefix_ = false;
  std::map<std::string, std::string> japanese_;
};

// Which suite this run is, from KARVEX_WINE_SUITE: the full suite against
// the 32-bit spihost.exe and karvex.spi ("full32", the default), the same
// tests against the 64-bit spihost.exe and karvex.sph ("full64"), or the
// short check of the 32-bit programs for machines that run them only under
// an emulator ("check32").
enum class WineSuite { Full32, Full64, Check32 };
WineSuite CurrentSuite();
bool TestsSixtyFourBit();

// Where the Windows build put its programs: those of the width under test.
std::string SpihostPath();
std::string PluginPath();
// The 32-bit programs whatever the width under test.
std::string Spihost32Path();
std::string Plugin32Path();
// The 64-bit programs whatever the width under test; empty when they were
// not built.
std::string Spihost64Path();
std::string Plugin64Path();
// The program that draws figures through GDI and our rasterizer side by
// side, of the width under test.
std::string CanvasComparePath();

}  // namespace karvex::testing
