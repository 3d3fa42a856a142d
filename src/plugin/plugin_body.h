#pragma once
// TInSPIBody: the one plug-in object of a loaded library. It owns all the
// state a picture request reads and leaves behind (reader, extents and scale,
// block index, line types, settings) and carries out the six exports.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "dxf/blocks_section.h"
#include "dxf/drawing_extents.h"
#include "dxf/group_pair_reader.h"
#include "dxf/style_tables.h"
#include "dxf/tables_section.h"
#include "plugin/dxf_extension.h"
#include "plugin/host_memory.h"
#include "plugin/picture_info.h"
#include "render/draw_surface.h"
#include "render/drawing_box.h"
#include "render/drawing_options.h"
#include "render/mapping.h"
#include "render/entity_drawer.h"
#include "settings/settings_store.h"
#include "ui/settings_dialog.h"

#if defined(_WIN32) && !defined(_WIN64)
#define KARVEX_STDCALL __attribute__((stdcall))
#else
#define KARVEX_STDCALL
#endif

namespace karvex {

// The host's progress callback; a non-zero answer asks the plug-in to stop.
using ProgressCallback = std::int32_t(KARVEX_STDCALL*)(std::int32_t num, std::int32_t denom, std::intptr_t userData);

// What the plug-in object needs from its platform. None of it is owned; all
// of it outlives the object.
struct PluginPlatform {
  HostMemory* memory = nullptr;
  SurfaceFactory* surfaces = nullptr;
  SettingsStore* settingsStore = nullptr;
  SettingsDialog* dialog = nullptr;         // null: ConfigurationDlg shows nothing
  LeadBytePredicate isLeadByte = nullptr;   // null: single-byte and UTF-8 names
  // Large drawings may be read ahead on a second thread (when a second
  // processor is there to run it).
  bool readAhead = false;
  // How texts are read whatever the drawing says (the converter's own
  // choice); null: as the drawing says, when all kinds are drawn.
  const TextEncoding* textEncoding = nullptr;
};

// How the latest picture was framed.
struct PictureFraming {
  Alignment alignment = Alignment::LowerLeft;
  // The mapping of its last ENTITIES section; none when none was drawn.
  std::optional<Mapping> mapping;
  // The box of everything drawn, when the drawing was measured (mode 3,
  // or when asked for).
  DrawingBox measured;
  bool wasMeasured = false;
};

// Watches a request from outside (the converter's diagnostics and trace).
class RenderObserver {
 public:
  virtual void OnSurfaceCreated(DrawSurface& surface) = 0;
  virtual void OnSectionLoopEnded(const GroupPairReader& reader) = 0;

 protected:
  ~RenderObserver() = default;
};

class TInSPIBody final : private ProgressSink {
 public:
  // Loads the settings.
  explicit TInSPIBody(const PluginPlatform& platform);
  // Saves the settings.
  ~TInSPIBody();
  TInSPIBody(const TInSPIBody&) = delete;
  TInSPIBody& operator=(const TInSPIBody&) = delete;

  // The exports.
  std::int32_t GetPluginInfo(std::int32_t infono, char* buf, std::int32_t buflen) const;
  std::int32_t IsSupported(const char* filename) const;
  std::int32_t GetPictureInfo(const char* buf, std::int32_t len, std::uint32_t flag, PictureInfo* info);
  std::int32_t GetPictureCore(const char* buf, std::int32_t len, std::uint32_t flag, HostHandle* pHBInfo,
                              HostHandle* pHBm, ProgressCallback lpProgressCallback, std::intptr_t lData);
  std::int32_t Configure(WindowHandle parent, std::int32_t fnc);

  Settings& CurrentSettings() { return settings_; }
  const DrawingExtents& Extents() const { return extents_; }
  const BlockIndex& Blocks() const { return blockIndex_; }
  const LineTypeTable& LineTypes() const { return lineTypes_; }
  const GroupPairReader& Reader() const { return reader_; }
  const PictureFraming& LastFraming() const { return lastFraming_; }
  // Measure every drawing's box, whatever the alignment mode (the
  // converter's info tells what each mode would make of it).
  void SetMeasureAlways(bool measure) { measureAlways_ = measure; }
  bool AbortWasRequested() const { return abortRequested_; }

  void SetRenderObserver(RenderObserver* observer) { observer_ = observer; }
  // Told of every entity the ENTITIES walks and block replays draw or pass
  // over. Null: nobody is told.
  void SetEntityObserver(EntityObserver* observer) { entityObserver_ = observer; }

 private:
  void ReportProgress(std::int32_t num, std::int32_t denom) override;
  bool AbortRequested() const override { return abortRequested_; }

  std::int32_t BuildPicture(const char* buf, std::int32_t len, std::uint32_t flag, struct BitmapInfoHeader& header,
                            class TDIBSection& dib);
  // The drawn picture; every failure is raised.
  std::unique_ptr<DrawSurface> RenderDrawing(const char* buf, std::int32_t len, std::uint32_t flag);
  std::unique_ptr<DrawSurface> CreateSurface(std::int32_t width, std::int32_t height);
  // The section loop, run once more beforehand to measure the drawing when
  // its framing needs that.
  void DrawPicture(Canvas& canvas);

  PluginPlatform platform_;
  Settings settings_;
  GroupPairReader reader_{this};
  DrawingExtents extents_;
  BlockIndex blockIndex_;
  LineTypeTable lineTypes_;
  StyleTables styleTables_;

  ProgressCallback progressCallback_ = nullptr;
  std::intptr_t progressUserData_ = 0;
  bool abortRequested_ = false;
  RenderObserver* observer_ = nullptr;
  EntityObserver* entityObserver_ = nullptr;
  bool measureAlways_ = false;
  PictureFraming lastFraming_;
};

}  // namespace karvex
