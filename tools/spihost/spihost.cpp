// spihost: a small Windows console host that loads any "00IN" import-filter
// plug-in and calls its exports from the command line. Our test client under
// Wine, and a handy tool for checking a plug-in by hand.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/bmp_file.h"
#include "spihost/dialog_driver.h"
#include "spihost/host_options.h"
#include "spihost/host_window.h"
#include "spihost/plugin_library.h"

namespace {

using karvex::tools::HostOptions;
using karvex::tools::PluginLibrary;

constexpr int kExitOk = 0;
constexpr int kExitPluginError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitLoadFailure = 3;
constexpr int kExitFpuChanged = 4;
constexpr int kExitScriptFailed = 5;

// What the progress callback does: count, print, and answer non-zero from
// the N-th call on when asked to.
struct ProgressState {
  long calls = 0;
  long abortFrom = 0;  // 0: never
};
ProgressState g_progress;

int __stdcall OnProgress(int num, int denom, LONG_PTR /*userData*/) {
  ++g_progress.calls;
  const bool stop = g_progress.abortFrom > 0 && g_progress.calls >= g_progress.abortFrom;
  std::printf("progress %d %d%s\n", num, denom, stop ? " stop" : "");
  return stop ? 1 : 0;
}

std::string Escaped(const char* bytes, std::size_t size) {
  std::string out;
  for (std::size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// Hosts built with the usual Windows compilers run the x87 unit at 53-bit
// precision (64-bit Windows starts threads that way); so do we, and we check
// that the plug-in hands the control word back unchanged.
class HostFpu {
 public:
  HostFpu() {
    std::uint16_t word = Current();
    word = static_cast<std::uint16_t>((word & ~0x0300u) | 0x0200u);  // 53-bit precision
    __asm__ volatile("fldcw %0" : : "m"(word));
    expected_ = Current();
  }
  bool Unchanged() const { return Current() == expected_; }
  unsigned Expected() const { return expected_; }
  static std::uint16_t Current() {
    std::uint16_t word;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
  }

 private:
  std::uint16_t expected_ = 0;
};

int RunInfo(PluginLibrary& plugin, const HostOptions& options) {
  std::vector<char> buffer(static_cast<std::size_t>(options.bufferLength > 0 ? options.bufferLength : 1) + 16, '\x7F');
  const int result = plugin.GetPluginInfo(options.number, buffer.data(), options.bufferLength);
  std::printf("result %d\n", result);
  const std::size_t shown = result > 0 ? static_cast<std::size_t>(result) + 1 : 0;
  std::printf("text %s\n", Escaped(buffer.data(), shown > 0 ? shown - 1 : 0).c_str());
  if (shown > 0) std::printf("terminator %d\n", static_cast<unsigned char>(buffer[shown - 1]));
  return kExitOk;
}

int RunSupported(PluginLibrary& plugin, const HostOptions& options) {
  char firstBytes[2048] = {};
  const int result = plugin.IsSupported(options.input.c_str(), reinterpret_cast<DWORD_PTR>(firstBytes));
  std::printf("result %d\n", result);
  return kExitOk;
}

int RunPictureInfo(PluginLibrary& plugin, const HostOptions& options) {
  std::vector<char> image;
  const char* buf = options.input.c_str();
  LONG_PTR len = 0;
  if (options.memoryImage) {
    if (!ReadWholeFile(options.input, image)) {
      std::fprintf(stderr, "spihost: cannot read %s\n", options.input.c_str());
      return kExitUsage;
    }
    buf = image.data();
    len = options.lengthGiven ? options.length : static_cast<LONG_PTR>(image.size());
  }
  std::vector<unsigned char> record(64, 0xCD);
  const int result = plugin.GetPictureInfo(buf, len, options.flag, record.data());
  std::printf("result %d\n", result);
  std::printf("record-bytes");
  for (std::size_t i = 0; i < PluginLibrary::kPictureInfoSize; ++i) std::printf(" %02X", record[i]);
  std::printf("\n");
  karvex::PictureInfo info;
  std::memcpy(&info, record.data(), sizeof info);
  std::printf("left %ld\ntop %ld\nwidth %ld\nheight %ld\nx-density %u\ny-density %u\ncolor-depth %d\n",
              static_cast<long>(info.Left), static_cast<long>(info.Top), static_cast<long>(info.Width),
              static_cast<long>(info.Height), info.XDensity, info.YDensity, info.ColorDepth);
  if (info.InfoText != nullptr) {
    const SIZE_T size = LocalSize(info.InfoText);
    const char* text = static_cast<const char*>(LocalLock(info.InfoText));
    std::printf("info-text-size %lu\ninfo-text %s\n", static_cast<unsigned long>(size),
                Escaped(text, size > 0 ? std::strlen(text) : 0).c_str());
    LocalUnlock(info.InfoText);
    LocalFree(info.InfoText);
  } else {
    std::printf("info-text-size 0\n");
  }
  return result == 0 ? kExitOk : kExitPluginError;
}

int RunPicture(PluginLibrary& plugin, const HostOptions& options, bool preview) {
  std::vector<char> image;
  const char* buf = options.input.c_str();
  LONG_PTR len = options.lengthGiven ? options.length : 0;
  unsigned flag = options.flag;
  if (options.memoryImage) {
    if (!ReadWholeFile(options.input, image)) {
      std::fprintf(stderr, "spihost: cannot read %s\n", options.input.c_str());
      return kExitUsage;
    }
    buf = image.data();
    if (!options.lengthGiven) len = static_cast<LONG_PTR>(image.size());
  }
  g_progress = ProgressState{0, options.abortFrom};
  HLOCAL info = reinterpret_cast<HLOCAL>(0x1);  // the plug-in must clear both
  HLOCAL pixels = reinterpret_cast<HLOCAL>(0x1);
  const int result = preview ? plugin.GetPreview(buf, len, flag, &info, &pixels, options.noCallback ? nullptr : OnProgress, 0)
                             : plugin.GetPicture(buf, len, flag, &info, &pixels, options.noCallback ? nullptr : OnProgress, 0);
  std::printf("result %d\n", result);
  std::printf("header-block %lu\n", info != nullptr ? static_cast<unsigned long>(LocalSize(info)) : 0ul);
  std::printf("pixel-block %lu\n", pixels != nullptr ? static_cast<unsigned long>(LocalSize(pixels)) : 0ul);
  if (info != nullptr) {
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LocalLock(info));
    std::printf("bitmap %ld %ld %u %u %lu\n", static_cast<long>(header->biWidth), static_cast<long>(header->biHeight),
                header->biBitCount, header->biPlanes, static_cast<unsigned long>(header->biSizeImage));
    if (pixels != nullptr && !options.output.empty()) {
      const void* rows = LocalLock(pixels);
      const auto file = karvex::tools::BmpFileFromBlocks(header, rows, LocalSize(pixels));
      LocalUnlock(pixels);
      if (!WriteWholeFile(options.output, file)) {
        std::fprintf(stderr, "spihost: cannot write %s\n", options.output.c_str());
      } else {
        std::printf("written %s\n", options.output.c_str());
      }
    }
    LocalUnlock(info);
  }
  if (info != nullptr) LocalFree(info);
  if (pixels != nullptr) LocalFree(pixels);
  return result == 0 ? kExitOk : kExitPluginError;
}

// One of two requests made at once: its own progress, result and blocks.
struct Request {
  int number;
  std::string input;
  std::string output;
  int result = -1;
  HLOCAL info = nullptr;
  HLOCAL pixels = nullptr;
};

std::mutex g_printing;

// Prints the report with its request's number, then lingers a little, so
// that two requests would overlap if the plug-in let them.
int __stdcall OnRequestProgress(int num, int denom, LONG_PTR userData) {
  const auto* request = reinterpret_cast<const Request*>(userData);
  {
    const std::lock_guard<std::mutex> printing(g_printing);
    std::printf("progress %d %d %d\n", request->number, num, denom);
  }
  Sleep(2);
  return 0;
}

// GetPicture for two files at once: two threads let go at the same moment.
int RunTogether(PluginLibrary& plugin, const HostOptions& options) {
  Request requests[2] = {{1, options.input, options.output}, {2, options.secondInput, options.secondOutput}};
  // A manual-reset event: once set, it lets every thread waiting on it go.
  const HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (start == nullptr) {
    std::fprintf(stderr, "spihost: no event to start the threads with\n");
    return kExitUsage;
  }
  std::vector<std::thread> threads;
  for (Request& request : requests) {
    threads.emplace_back([&plugin, start, &request] {
      WaitForSingleObject(start, INFINITE);
      request.result = plugin.GetPicture(request.input.c_str(), 0, 0, &request.info, &request.pixels,
                                         OnRequestProgress, reinterpret_cast<LONG_PTR>(&request));
    });
  }
  SetEvent(start);
  for (std::thread& thread : threads) thread.join();
  CloseHandle(start);
  int status = kExitOk;
  for (Request& request : requests) {
    std::printf("result %d %d\n", request.number, request.result);
    if (request.result != 0) status = kExitPluginError;
    if (request.info != nullptr && request.pixels != nullptr) {
      const void* header = LocalLock(request.info);
      const void* rows = LocalLock(request.pixels);
      const auto file = karvex::tools::BmpFileFromBlocks(header, rows, LocalSize(request.pixels));
      LocalUnlock(request.pixels);
      LocalUnlock(request.info);
      if (WriteWholeFile(request.output, file)) std::printf("written %d %s\n", request.number, request.output.c_str());
    }
    if (request.info != nullptr) LocalFree(request.info);
    if (request.pixels != nullptr) LocalFree(request.pixels);
  }
  return status;
}

// The size the next picture will have, as GetPictureInfo reports it.
void PrintPictureSize(PluginLibrary& plugin) {
  karvex::PictureInfo info{};
  if (plugin.GetPictureInfo("spihost.dxf", 0, 0, &info) != 0) {
    std::printf("picture-size none\n");
    return;
  }
  std::printf("picture-size %ld %ld\n", static_cast<long>(info.Width), static_cast<long>(info.Height));
  if (info.InfoText != nullptr) LocalFree(info.InfoText);
}

int RunConfig(PluginLibrary& plugin, const HostOptions& options) {
  std::unique_ptr<karvex::tools::HostWindow> window;
  HWND parent = GetConsoleWindow();
  if (options.parentWindow) {
    window = std::make_unique<karvex::tools::HostWindow>();
    parent = window->Handle();
  }
  std::unique_ptr<karvex::tools::DialogDriver> driver;
  if (!options.script.empty()) {
    driver = std::make_unique<karvex::tools::DialogDriver>(GetCurrentThreadId(), parent, options.script);
    driver->Start();
  }
  const int result = plugin.ConfigurationDlg(parent, options.number);
  const bool scriptWorked = driver == nullptr || driver->Finish();
  std::printf("result %d\n", result);
  PrintPictureSize(plugin);
  if (!scriptWorked) return kExitScriptFailed;
  return result == 0 ? kExitOk : kExitPluginError;
}

}  // namespace

int main(int argc, char** argv) {
  HostOptions options;
  std::string error;
  if (!karvex::tools::ParseHostOptions(argc, argv, options, error)) {
    if (!error.empty()) std::fprintf(stderr, "spihost: %s\n\n", error.c_str());
    std::fputs(karvex::tools::kHostUsage, error.empty() ? stdout : stderr);
    return error.empty() ? kExitOk : kExitUsage;
  }
  // Fully buffered: a progress line per report costs a console write each
  // under Wine, which would dwarf the plug-in's own time; everything is
  // flushed when the program ends.
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

  HostFpu fpu;
  PluginLibrary plugin;
  if (!plugin.Load(options.plugin, error)) {
    std::fprintf(stderr, "spihost: %s\n", error.c_str());
    return kExitLoadFailure;
  }

  int status = kExitUsage;
  switch (options.command) {
    case HostOptions::Command::Info: status = RunInfo(plugin, options); break;
    case HostOptions::Command::Supported: status = RunSupported(plugin, options); break;
    case HostOptions::Command::PictureInfo: status = RunPictureInfo(plugin, options); break;
    case HostOptions::Command::Picture: status = RunPicture(plugin, options, false); break;
    case HostOptions::Command::Preview: status = RunPicture(plugin, options, true); break;
    case HostOptions::Command::Together: status = RunTogether(plugin, options); break;
    case HostOptions::Command::Config: status = RunConfig(plugin, options); break;
  }
  if (!fpu.Unchanged()) {
    std::printf("fpu-control-changed %04X %04X\n", fpu.Expected(), HostFpu::Current());
    return kExitFpuChanged;
  }
  if (options.unload) {
    plugin.Unload();
    std::printf("unloaded\n");
  }
  return status;
}
