#include "karvex/file_renderer.h"

#include <optional>

#include "karvex/svg_surface.h"
#include "karvex/trace_surface.h"
#include "plugin/plugin_body.h"
#include "render/raster_surface.h"
#include "render/smooth_raster_surface.h"
#include "settings/settings_store.h"

namespace karvex::tools {
namespace {

constexpr std::uint32_t kMemoryImage = 1;

std::int32_t KARVEX_STDCALL ForwardProgress(std::int32_t num, std::int32_t denom, std::intptr_t userData) {
  auto* listener = reinterpret_cast<ProgressListener*>(userData);
  return listener->OnProgress(num, denom) ? 1 : 0;
}

}  // namespace

HostPicture::HostPicture(std::unique_ptr<PortableHostMemory> memory, HostHandle header, HostHandle pixels)
    : memory_(std::move(memory)), headerHandle_(header), pixelHandle_(pixels) {
  header_ = static_cast<const BitmapInfoHeader*>(memory_->Lock(headerHandle_));
  rows_ = static_cast<const std::uint8_t*>(memory_->Lock(pixelHandle_));
  rowBytes_ = pixelHandle_ != nullptr ? memory_->SizeOf(pixelHandle_) : 0;
}

HostPicture::~HostPicture() {
  for (HostHandle handle : {pixelHandle_, headerHandle_}) {
    if (handle == nullptr) continue;
    memory_->Unlock(handle);
    memory_->Free(handle);
  }
}

FileRenderer::FileRenderer(bool readAhead, Antialiasing antialiasing)
    : text_(GothicFontPath(), antialiasing), readAhead_(readAhead), antialiasing_(antialiasing) {}
FileRenderer::~FileRenderer() = default;

FileOutcome FileRenderer::Render(const LoadedInput& input, const Settings& settings, const EncodingPolicy& encoding,
                                 ProgressListener* progress, std::FILE* trace, std::FILE* svg, bool measure) {
  FileOutcome outcome;
  outcome.settings = settings;
  outcome.textsLeftOut = !text_.Ready();
  outcome.facts = ScanDrawing(input.Bytes(), ScanDepth::HeaderOnly);
  ChosenDecoding decoding = encoding.DecodingFor(outcome.facts);
  outcome.encoding = decoding.Description();

  auto memory = std::make_unique<PortableHostMemory>();
  // The settings as the plug-in object loads them; it saves them when it is
  // destroyed, and that save goes nowhere.
  MemorySettingsStore held(settings);
  ReadOnlySettingsStore store(held);
  RasterSurfaceFactory raster(&text_);
  SmoothRasterSurfaceFactory smooth(&text_);
  SurfaceFactory* surfaces = antialiasing_ == Antialiasing::On ? static_cast<SurfaceFactory*>(&smooth) : &raster;
  std::optional<SvgSurfaceFactory> document;
  if (svg != nullptr) {
    document.emplace(*surfaces, svg, decoding.Decoder(), text_.Ready() ? &text_ : nullptr);
    surfaces = &*document;
  }
  std::optional<TracingSurfaceFactory> tracing;
  if (trace != nullptr) {
    tracing.emplace(*surfaces, trace, decoding.Decoder());
    surfaces = &*tracing;
  }
  PluginPlatform platform;
  platform.memory = memory.get();
  platform.surfaces = surfaces;
  platform.settingsStore = &store;
  platform.readAhead = readAhead_;
  platform.textEncoding = &decoding.Encoding();

  text_.UseDecoder(&decoding.Decoder());
  {
    TInSPIBody body(platform);
    body.SetRenderObserver(&outcome.walk);
    body.SetEntityObserver(&outcome.walk);
    body.SetMeasureAlways(measure);
    HostHandle header = nullptr;
    HostHandle pixels = nullptr;
    const std::string_view bytes = input.Bytes();
    outcome.result = body.GetPictureCore(
        bytes.data(), static_cast<std::int32_t>(bytes.size()), kMemoryImage, &header, &pixels,
        progress != nullptr ? &ForwardProgress : nullptr, reinterpret_cast<std::intptr_t>(progress));
    outcome.extents = body.Extents();
    outcome.framing = body.LastFraming();
    const BlockIndex& blocks = body.Blocks();
    for (std::int32_t i = 0; i < blocks.BlockCount; ++i) {
      outcome.blockNames.push_back(blocks.BlockName[static_cast<std::size_t>(i)]);
    }
    // What the request left in the handles is ours to free, whatever the
    // result; it is a picture only with result 0.
    auto handed = std::make_unique<HostPicture>(std::move(memory), header, pixels);
    if (outcome.result == 0) outcome.picture = std::move(handed);
  }
  text_.UseDecoder(nullptr);
  // Where reading stopped early, the notes name the section it stopped in:
  // only then is the whole text scanned.
  if (outcome.walk.Stop().why != ReadingStop::Why::ReachedEof) outcome.facts = ScanDrawing(input.Bytes());
  if (tracing) outcome.traceWritten = tracing->WritesSucceeded();
  if (document) outcome.svgWritten = document->Finish();
  return outcome;
}

}  // namespace karvex::tools
