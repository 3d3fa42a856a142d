#include "support/plugin_harness.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace karvex::testing {
namespace {

// The progress callback of the tests: logs every report and answers non-zero
// from the abortFrom-th call on (never when it is 0).
struct ProgressLog {
  std::vector<std::pair<std::int32_t, std::int32_t>>* calls;
  std::int64_t abortFrom;
};

std::int32_t LogProgress(std::int32_t num, std::int32_t denom, std::intptr_t userData) {
  auto* log = reinterpret_cast<ProgressLog*>(userData);
  log->calls->emplace_back(num, denom);
  return log->abortFrom > 0 && static_cast<std::int64_t>(log->calls->size()) >= log->abortFrom ? 1 : 0;
}

class RecordingSurface final : public DrawSurface {
 public:
  RecordingSurface(std::int32_t width, std::int32_t height, TextRasterizer* text,
                   std::shared_ptr<RecordingCanvas>& latest)
      : raster_(width, height, text) {
    latest = std::make_shared<RecordingCanvas>(&raster_.GetCanvas());
    canvas_ = latest;
  }
  Canvas& GetCanvas() override { return *canvas_; }
  std::int32_t Width() const override { return raster_.Width(); }
  std::int32_t Height() const override { return raster_.Height(); }
  const std::uint8_t* BottomUpRows() override { return raster_.BottomUpRows(); }

 private:
  RasterSurface raster_;
  std::shared_ptr<RecordingCanvas> canvas_;
};

}  // namespace

std::unique_ptr<DrawSurface> RecordingSurfaceFactory::CreateWhite(std::int32_t width, std::int32_t height) {
  ++created_;
  return std::make_unique<RecordingSurface>(width, height, text_, latest_);
}

std::vector<CanvasCall> RecordingSurfaceFactory::Calls() const {
  return latest_ ? latest_->Calls() : std::vector<CanvasCall>{};
}

std::vector<std::string> RecordingSurfaceFactory::CallStrings() const {
  std::vector<std::string> out;
  for (const CanvasCall& call : Calls()) out.push_back(ToString(call));
  return out;
}

std::uint32_t PictureResult::PixelAt(std::int32_t x, std::int32_t y) const {
  const std::size_t stride = static_cast<std::size_t>(RowStride(header.biWidth));
  const std::uint8_t* pixel =
      pixels.data() + static_cast<std::size_t>(header.biHeight - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
  return static_cast<std::uint32_t>(pixel[2]) | static_cast<std::uint32_t>(pixel[1]) << 8 |
         static_cast<std::uint32_t>(pixel[0]) << 16;
}

std::int64_t PictureResult::InkedPixels() const {
  std::int64_t inked = 0;
  for (std::int32_t y = 0; y < header.biHeight; ++y) {
    for (std::int32_t x = 0; x < header.biWidth; ++x) inked += PixelAt(x, y) != 0xFFFFFF ? 1 : 0;
  }
  return inked;
}

PluginHarness::PluginHarness(Settings settings, TextRasterizer* text, bool readAhead)
    : surfaces_(text), store_(settings), readAhead_(readAhead) {
  body_ = std::make_unique<TInSPIBody>(Platform());
}

PluginPlatform PluginHarness::Platform() {
  PluginPlatform platform;
  platform.memory = &memory_;
  platform.surfaces = &surfaces_;
  platform.settingsStore = &store_;
  platform.readAhead = readAhead_;
  return platform;
}

PluginHarness::~PluginHarness() = default;

void PluginHarness::Reload() {
  body_.reset();
  body_ = std::make_unique<TInSPIBody>(Platform());
}

PictureResult PluginHarness::Call(const char* buf, std::int32_t len, std::uint32_t flag, std::int64_t abortFromCall) {
  PictureResult out;
  ProgressLog log{&out.progress, abortFromCall};
  HostHandle info = reinterpret_cast<HostHandle>(std::uintptr_t{1});
  HostHandle pixels = reinterpret_cast<HostHandle>(std::uintptr_t{1});
  out.result = body_->GetPictureCore(buf, len, flag, &info, &pixels, &LogProgress, reinterpret_cast<std::intptr_t>(&log));
  out.headerReturned = info != nullptr;
  out.pixelsReturned = pixels != nullptr;
  if (info != nullptr) {
    out.headerBlockSize = memory_.SizeOf(info);
    if (memory_.LockCount(info) != 0) throw std::logic_error("header block returned locked");
    const auto* bytes = static_cast<const std::uint8_t*>(memory_.Lock(info));
    out.headerBlock.assign(bytes, bytes + out.headerBlockSize);
    std::memcpy(&out.header, bytes, sizeof out.header);
    memory_.Unlock(info);
    memory_.Free(info);
  }
  if (pixels != nullptr) {
    out.pixelBlockSize = memory_.SizeOf(pixels);
    if (memory_.LockCount(pixels) != 0) throw std::logic_error("pixel block returned locked");
    const auto* bytes = static_cast<const std::uint8_t*>(memory_.Lock(pixels));
    out.pixels.assign(bytes, bytes + out.pixelBlockSize);
    memory_.Unlock(pixels);
    memory_.Free(pixels);
  }
  if (memory_.LiveBlocks() != 0) throw std::logic_error("a host block was left behind");
  return out;
}

PictureResult PluginHarness::PictureFromMemory(const std::string& text, std::int64_t abortFromCall) {
  return Call(text.data(), static_cast<std::int32_t>(text.size()), 1, abortFromCall);
}

PictureResult PluginHarness::PictureFromFile(const std::string& path, std::int32_t len, std::int64_t abortFromCall) {
  return Call(path.c_str(), len, 0, abortFromCall);
}

std::vector<std::string> PluginHarness::Draw(const std::string& text) {
  PictureFromMemory(text);
  return surfaces_.CallStrings();
}

TempFile::TempFile(const std::string& name, const std::string& contents) {
  std::string pattern = (std::filesystem::temp_directory_path() / "karvex-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  folder_ = pattern;
  path_ = folder_ + "/" + name;
  std::ofstream(path_, std::ios::binary) << contents;
}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

}  // namespace karvex::testing
