#pragma once
// One drawing drawn as the plug-in's GetPicture draws it: a plug-in object
// of its own, with its own host memory and surfaces, the converter's
// settings, and the drawing handed over as a memory image. One renderer per
// thread: its FreeType rasterizer is not shared.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dxf/drawing_extents.h"
#include "karvex/drawing_facts.h"
#include "karvex/input_source.h"
#include "karvex/text_encoding.h"
#include "karvex/walk_record.h"
#include "plugin/bitmap_headers.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/antialiasing.h"
#include "render/freetype_text.h"
#include "settings/settings.h"

namespace karvex::tools {

// The blocks a request hands to its host, freed with this: both after a
// picture, and whatever else the request left in the handles (either may be
// null). Header() and Rows() only after a picture.
class HostPicture {
 public:
  HostPicture(std::unique_ptr<PortableHostMemory> memory, HostHandle header, HostHandle pixels);
  ~HostPicture();
  HostPicture(const HostPicture&) = delete;
  HostPicture& operator=(const HostPicture&) = delete;

  const BitmapInfoHeader& Header() const { return *header_; }
  const std::uint8_t* Rows() const { return rows_; }
  std::size_t RowBytes() const { return rowBytes_; }

 private:
  std::unique_ptr<PortableHostMemory> memory_;
  HostHandle headerHandle_;
  HostHandle pixelHandle_;
  const BitmapInfoHeader* header_;
  const std::uint8_t* rows_;
  std::size_t rowBytes_;
};

// Told of the progress reports a host would receive; true asks to stop.
class ProgressListener {
 public:
  virtual bool OnProgress(std::int32_t num, std::int32_t denom) = 0;

 protected:
  ~ProgressListener() = default;
};

struct FileOutcome {
  std::int32_t result = -1;              // the host result code
  std::unique_ptr<HostPicture> picture;  // when result is 0
  DrawingFacts facts;
  WalkRecord walk;
  DrawingExtents extents;               // as the request left them
  PictureFraming framing;               // how the picture was framed
  std::vector<std::string> blockNames;  // the block index it built
  Settings settings;                    // the settings it drew with
  std::string encoding;                 // how texts were decoded
  bool textsLeftOut = false;            // no font: texts set no pixel
  bool traceWritten = true;
  bool svgWritten = true;
};

class FileRenderer {
 public:
  // readAhead: large drawings may be read ahead on a second thread; a
  // renderer that shares the processors with others should not.
  // antialiasing: pictures drawn smooth (--smooth) or, by default, as the
  // plug-in draws them.
  explicit FileRenderer(bool readAhead = true, Antialiasing antialiasing = Antialiasing::Off);
  ~FileRenderer();
  FileRenderer(const FileRenderer&) = delete;
  FileRenderer& operator=(const FileRenderer&) = delete;

  // Empty when texts can be drawn as they should; otherwise why not.
  const std::string& TextProblem() const { return text_.Problem(); }

  // progress, trace and svg may be null. svg: the picture is written there
  // as an SVG document too, while it is drawn. measure: the drawing's box is
  // measured whatever the alignment mode (framing.measured).
  FileOutcome Render(const LoadedInput& input, const Settings& settings, const EncodingPolicy& encoding,
                     ProgressListener* progress, std::FILE* trace, std::FILE* svg = nullptr, bool measure = false);

 private:
  FreeTypeTextRasterizer text_;
  bool readAhead_;
  Antialiasing antialiasing_;
};

}  // namespace karvex::tools
