#pragma once
// A plug-in object with portable host memory, an in-memory settings store and
// a raster surface whose canvas calls are recorded: the whole picture
// pipeline as a host sees it, natively.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/bitmap_headers.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/raster_surface.h"
#include "render/recording_canvas.h"

namespace karvex::testing {

// A raster surface whose canvas records every call before drawing it.
class RecordingSurfaceFactory final : public SurfaceFactory {
 public:
  explicit RecordingSurfaceFactory(TextRasterizer* text = nullptr) : text_(text) {}
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) override;
  // The calls of the latest surface.
  std::vector<CanvasCall> Calls() const;
  std::vector<std::string> CallStrings() const;
  std::int32_t SurfacesCreated() const { return created_; }

 private:
  TextRasterizer* text_;
  std::shared_ptr<RecordingCanvas> latest_;
  std::int32_t created_ = 0;
};

struct PictureResult {
  std::int32_t result = -100;
  std::size_t headerBlockSize = 0;
  std::size_t pixelBlockSize = 0;
  bool headerReturned = false;
  bool pixelsReturned = false;
  BitmapInfoHeader header{};
  std::vector<std::uint8_t> headerBlock;  // the whole 1064 bytes
  std::vector<std::uint8_t> pixels;
  std::vector<std::pair<std::int32_t, std::int32_t>> progress;

  // The colour (0x00BBGGRR) at column x, row y (row 0 at the top).
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const;
  // How many pixels are not white.
  std::int64_t InkedPixels() const;
};

class PluginHarness {
 public:
  // Texts draw through text (none without one). readAhead: large drawings
  // are read ahead on a second thread where there is a second processor.
  explicit PluginHarness(Settings settings = {}, TextRasterizer* text = nullptr, bool readAhead = false);
  ~PluginHarness();

  TInSPIBody& Body() { return *body_; }
  PortableHostMemory& Memory() { return memory_; }
  RecordingSurfaceFactory& Surfaces() { return surfaces_; }
  MemorySettingsStore& Store() { return store_; }

  // Ends the library's life (saving the settings) and starts a new one.
  void Reload();

  // GetPicture on a memory image of text.
  PictureResult PictureFromMemory(const std::string& text, std::int64_t abortFromCall = 0);
  // GetPicture on a file.
  PictureResult PictureFromFile(const std::string& path, std::int32_t len = 0, std::int64_t abortFromCall = 0);
  // The recorded canvas calls of a memory image, as strings ("line 3 4").
  std::vector<std::string> Draw(const std::string& text);

  PictureResult Call(const char* buf, std::int32_t len, std::uint32_t flag, std::int64_t abortFromCall);

 private:
  PluginPlatform Platform();

  PortableHostMemory memory_;
  RecordingSurfaceFactory surfaces_;
  MemorySettingsStore store_;
  bool readAhead_;
  std::unique_ptr<TInSPIBody> body_;
};

// A file in a fresh temporary folder that is removed with the object.
class TempFile {
 public:
  TempFile(const std::string& name, const std::string& contents);
  ~TempFile();
  const std::string& Path() const { return path_; }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  std::string path_;
};

}  // namespace karvex::testing
