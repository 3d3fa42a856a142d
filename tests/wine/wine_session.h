#pragma once
// Runs our Windows programs under Wine, in a prefix made for this test run
// and removed (with its wineserver stopped) when the run ends. The run has
// an X server of its own, so the programs can open windows.
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

  std::unique_ptr<VirtualDisplay> display_;
  std::string prefix_;
  std::string scratch_;
  std::map<std::string, std::string> japanese_;
};

// Where the Windows build put its programs.
// The programs of the width under test: the 32-bit spihost.exe and
// karvex.spi, or with KARVEX_WINE_WIDTH=64 the 64-bit spihost.exe and
// karvex.sph (the same tests run for both).
std::string SpihostPath();
std::string PluginPath();
bool TestsSixtyFourBit();
// The 64-bit programs whatever the width under test; empty when they were
// not built.
std::string Spihost64Path();
std::string Plugin64Path();
// The program that draws figures through GDI and our rasterizer side by side.
std::string CanvasComparePath();

}  // namespace karvex::testing
