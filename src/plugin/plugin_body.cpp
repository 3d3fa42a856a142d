#include "plugin/plugin_body.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

#include "base/failures.h"
#include "base/processors.h"
#include "plugin/bitmap_headers.h"
#include "plugin/bmp_image.h"
#include "plugin/dib_section.h"
#include "plugin/exception_to_result.h"
#include "plugin/host_block.h"
#include "plugin/result_codes.h"
#include "plugin/source_image.h"
#include "plugin/section_loop.h"
#include "render/bounds_sink.h"
#include "render/canvas_sink.h"
#include "settings/settings_drawing_options.h"

namespace karvex {
namespace {

constexpr std::string_view kPluginInfoTexts[] = {
    "00IN",
    "DXF to DIB filter Ver.0.02 Karvex " KARVEX_VERSION_TEXT " (c) the Karvex developers",
    "*.dxf",
    "DXF \x90\x7D\x96\xCA\xCC\xA7\xB2\xD9",  // "DXF 図面ﾌｧｲﾙ" in code page 932
};

constexpr char kInfoText[] = "no comment";

constexpr std::uint32_t InputKind(std::uint32_t flag) { return flag & 7u; }

}  // namespace

TInSPIBody::TInSPIBody(const PluginPlatform& platform) : platform_(platform) {
  if (platform_.settingsStore != nullptr) settings_ = platform_.settingsStore->LoadSettings();
}

TInSPIBody::~TInSPIBody() {
  if (platform_.settingsStore == nullptr) return;
  try {
    platform_.settingsStore->SaveSettings(settings_);
  } catch (...) {
    // A store that cannot be written is given up silently.
  }
}

std::int32_t TInSPIBody::GetPluginInfo(std::int32_t infono, char* buf, std::int32_t buflen) const {
  if (buf == nullptr || buflen < 1) return 0;
  if (infono < 0 || infono >= static_cast<std::int32_t>(std::size(kPluginInfoTexts))) return 0;
  const std::string_view text = kPluginInfoTexts[infono];
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(buflen) - 1);
  std::memcpy(buf, text.data(), copied);
  buf[copied] = '\0';
  return static_cast<std::int32_t>(copied);
}

std::int32_t TInSPIBody::IsSupported(const char* filename) const {
  if (filename == nullptr) return 0;
  return HasDxfExtension(filename, platform_.isLeadByte) ? 1 : 0;
}

std::int32_t TInSPIBody::GetPictureInfo(const char* buf, std::int32_t /*len*/, std::uint32_t flag,
                                        PictureInfo* info) {
  if (info == nullptr) return kInternalError;
  std::memset(info, 0, sizeof *info);
  if (InputKind(flag) != 0) return kNotSupported;
  if (buf == nullptr || !HasDxfExtension(buf, platform_.isLeadByte)) return kNotSupported;
  return ResultOf([&] {
    info->Left = 0;
    info->Top = 0;
    info->Width = settings_.OutputWidth;
    info->Height = settings_.OutputHeight;
    info->ColorDepth = 24;
    HostBlock text(*platform_.memory);
    if (!text.Allocate(sizeof kInfoText)) throw Failure("the info text block cannot be allocated");
    void* bytes = text.Lock();
    if (bytes == nullptr) throw Failure("the info text block cannot be locked");
    std::memcpy(bytes, kInfoText, sizeof kInfoText);
    info->InfoText = text.HandOver();
    return kSuccess;
  });
}

std::int32_t TInSPIBody::Configure(WindowHandle parent, std::int32_t fnc) {
  if (fnc != 1) return kNotImplemented;
  if (platform_.dialog == nullptr) return kSuccess;
  return ResultOf([&] { return platform_.dialog->ShowSettingsDialog(parent, settings_); });
}

void TInSPIBody::ReportProgress(std::int32_t num, std::int32_t denom) {
  abortRequested_ = false;
  if (progressCallback_ != nullptr) abortRequested_ = progressCallback_(num, denom, progressUserData_) != 0;
}

std::int32_t TInSPIBody::GetPictureCore(const char* buf, std::int32_t len, std::uint32_t flag, HostHandle* pHBInfo,
                                        HostHandle* pHBm, ProgressCallback lpProgressCallback, std::intptr_t lData) {
  if (pHBInfo == nullptr || pHBm == nullptr) return kInternalError;
  *pHBInfo = nullptr;
  *pHBm = nullptr;
  return ResultOf([&] {
    // Each block has one owner until the host gets it; on a failure both
    // are freed and both handles stay 0.
    HostBlock headerBlock(*platform_.memory);
    if (!headerBlock.Allocate(kHeaderBlockSize)) throw Failure("the header block cannot be allocated");
    auto* header = static_cast<BitmapInfoHeader*>(headerBlock.Lock());
    if (header == nullptr) throw Failure("the header block cannot be locked");
    header->biSize = sizeof(BitmapInfoHeader);
    TDIBSection dib(*platform_.memory);
    progressCallback_ = lpProgressCallback;
    progressUserData_ = lData;
    const std::int32_t result = BuildPicture(buf, len, flag, *header, dib);
    // A stop at the opening report hands the host the header block alone.
    if (result == kSuccess) *pHBm = dib.HandOver();
    *pHBInfo = headerBlock.HandOver();
    return result;
  });
}

std::int32_t TInSPIBody::BuildPicture(const char* buf, std::int32_t len, std::uint32_t flag,
                                      BitmapInfoHeader& header, TDIBSection& dib) {
  ReportProgress(0, 110);
  if (abortRequested_) return kStoppedByHost;

  std::unique_ptr<DrawSurface> picture = RenderDrawing(buf, len, flag);

  const BmpImage image(picture->Width(), picture->Height(), picture->BottomUpRows());
  image.Read(sizeof(BitmapFileHeader), &header, sizeof header);
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = 0;
  header.biClrUsed = 0;
  header.biClrImportant = 0;

  dib.AllocateFor(header);
  dib.Lock();
  const BitmapFileHeader& file = image.FileHeader();
  const std::size_t rowBytes = file.bfSize - file.bfOffBits;
  const std::size_t got = image.Read(file.bfOffBits, dib.Bits, rowBytes);
  dib.Unlock();
  if (got < rowBytes) throw StreamFailure("the pixel rows came short");
  picture.reset();

  ReportProgress(110, 110);
  return kSuccess;
}

std::unique_ptr<DrawSurface> TInSPIBody::RenderDrawing(const char* buf, std::int32_t len, std::uint32_t flag) {
  // A block position recorded from another file's text must never be read:
  // the index only holds blocks of the current request.
  blockIndex_.BlockCount = 0;

  const SourceImage source = InputKind(flag) != 0 ? SourceImage::FromMemory(buf, len) : SourceImage::FromFile(buf);

  const std::int32_t width = settings_.OutputWidth;
  const std::int32_t height = settings_.OutputHeight;
  if (width <= 0 || height <= 0) throw Failure("the picture size is not positive");
  if (RowStride(width) * height > INT32_MAX) throw std::bad_alloc();
  std::unique_ptr<DrawSurface> surface = CreateSurface(width, height);
  if (observer_ != nullptr) observer_->OnSurfaceCreated(*surface);

  // Below a megabyte a second thread would not pay for its start.
  constexpr std::size_t kReadAheadFromSize = std::size_t{1} << 20;
  const bool readAhead = platform_.readAhead && ProcessorsAvailable() >= 2;
  reader_.ReadAheadFrom(readAhead ? kReadAheadFromSize : GroupPairReader::NeverReadAhead);
  // The text goes away with this call: nothing may read it after.
  const ReadingScope reading(reader_, source.Text());
  bool loopFailed = false;
  try {
    DrawPicture(surface->GetCanvas());
  } catch (...) {
    loopFailed = true;
  }
  if (observer_ != nullptr) observer_->OnSectionLoopEnded(reader_);
  // A failure between the sections (the section readers keep their own)
  // ends the request without a picture, as the generic failure, whatever
  // it was.
  if (loopFailed) throw Failure("reading stopped between the sections");
  return surface;
}

std::unique_ptr<DrawSurface> TInSPIBody::CreateSurface(std::int32_t width, std::int32_t height) {
  try {
    return platform_.surfaces->CreateWhite(width, height);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    // Whatever the platform ran out of, a surface that cannot be made is
    // the generic failure, not a want of memory.
    throw Failure("the drawing surface cannot be made");
  }
}

void TInSPIBody::DrawPicture(Canvas& canvas) {
  const DrawingOptions options = DrawingOptionsOf(settings_);
  const std::int32_t width = settings_.OutputWidth;
  const std::int32_t height = settings_.OutputHeight;
  if (options.lineColours) canvas.Clear(options.colours.background);
  SectionLoop loop(reader_, {extents_, blockIndex_, lineTypes_, styleTables_}, width, height, options,
                   platform_.textEncoding);
  lastFraming_ = PictureFraming{options.alignment, std::nullopt, DrawingBox{}, false};
  if (options.alignment == Alignment::Fit || measureAlways_) {
    // The walk that measures tells nobody what it meets: the drawing walk
    // meets the same.
    BoundsSink bounds(width, height);
    reader_.KeepPairsForRewind();
    loop.Run(bounds, nullptr);
    lastFraming_.measured = bounds.Box();
    lastFraming_.wasMeasured = true;
    // A stop asked for while measuring delivers the picture as it is.
    if (abortRequested_) return;
    reader_.Rewind();
  }
  const Framing framing(options.alignment, width, height, lastFraming_.measured);
  CanvasSink figures(canvas, framing, extents_);
  loop.Run(figures, entityObserver_);
  lastFraming_.mapping = figures.CurrentMapping();
}

}  // namespace karvex
