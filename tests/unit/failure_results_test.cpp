// What a host gets when the platform fails the plug-in part of the way: the
// result code of the failure, nothing handed over, and every block it had
// made freed and unlocked, whichever step failed.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "base/failures.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "plugin/result_codes.h"
#include "render/raster_surface.h"
#include "settings/settings_store.h"
#include "support/dxf_text.h"

namespace karvex {
namespace {

// Portable host memory that refuses its n-th allocation or its n-th lock
// (counting from 1; 0 refuses none).
class RefusingHostMemory final : public HostMemory {
 public:
  RefusingHostMemory(int refusedAllocation, int refusedLock)
      : refusedAllocation_(refusedAllocation), refusedLock_(refusedLock) {}
  HostHandle Allocate(std::size_t bytes) override {
    return ++allocations_ == refusedAllocation_ ? nullptr : blocks_.Allocate(bytes);
  }
  void* Lock(HostHandle handle) override { return ++locks_ == refusedLock_ ? nullptr : blocks_.Lock(handle); }
  void Unlock(HostHandle handle) override { blocks_.Unlock(handle); }
  void Free(HostHandle handle) override { blocks_.Free(handle); }
  std::size_t SizeOf(HostHandle handle) override { return blocks_.SizeOf(handle); }
  std::int64_t LiveBlocks() const { return blocks_.LiveBlocks(); }

 private:
  PortableHostMemory blocks_;
  int refusedAllocation_;
  int refusedLock_;
  int allocations_ = 0;
  int locks_ = 0;
};

// Surfaces that cannot be made, for want of memory or of anything else.
template <typename Raised>
class RefusingSurfaceFactory final : public SurfaceFactory {
 public:
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t, std::int32_t) override { throw Raised("refused"); }
};

template <typename Raised>
class FailingDialog final : public SettingsDialog {
 public:
  std::int32_t ShowSettingsDialog(WindowHandle, Settings&) override { throw Raised("refused"); }
};

class NoMemory : public std::bad_alloc {
 public:
  explicit NoMemory(const char*) {}
};

struct Plugin {
  RefusingHostMemory memory;
  RasterSurfaceFactory raster;
  MemorySettingsStore store;
  std::unique_ptr<TInSPIBody> body;

  Plugin(int refusedAllocation, int refusedLock, SurfaceFactory* surfaces = nullptr, SettingsDialog* dialog = nullptr)
      : memory(refusedAllocation, refusedLock) {
    PluginPlatform platform;
    platform.memory = &memory;
    platform.surfaces = surfaces != nullptr ? surfaces : &raster;
    platform.settingsStore = &store;
    platform.dialog = dialog;
    body = std::make_unique<TInSPIBody>(platform);
  }
};

TEST(FailureResults, APictureThatCannotBeMadeLeavesNothingBehind) {
  RefusingSurfaceFactory<NoMemory> noMemoryForTheSurface;
  RefusingSurfaceFactory<ResourceFailure> noResourcesForTheSurface;
  struct Case {
    const char* name;
    int refusedAllocation;  // the header block is allocated first, then the pixel block
    int refusedLock;        // and locked in the same order
    SurfaceFactory* surfaces;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"no header block", 1, 0, nullptr, kInternalError},
      {"header block not locked", 0, 1, nullptr, kInternalError},
      {"no pixel block", 2, 0, nullptr, kOutOfMemory},
      {"pixel block not locked", 0, 2, nullptr, kInternalError},
      {"no memory for the surface", 0, 0, &noMemoryForTheSurface, kOutOfMemory},
      // Whatever the platform ran out of, a surface that cannot be made is
      // the generic failure.
      {"no resources for the surface", 0, 0, &noResourcesForTheSurface, kInternalError},
      {"nothing refused", 0, 0, nullptr, kSuccess},
  };
  const std::string text = testing::DxfText()
                               .Section("HEADER", {{9, "$EXTMAX"}, {10, "10"}, {20, "10"}})
                               .Section("ENTITIES", {{0, "LINE"}, {11, "10"}, {21, "10"}})
                               .Eof()
                               .Text();
  for (const Case& c : cases) {
    Plugin plugin(c.refusedAllocation, c.refusedLock, c.surfaces);
    HostHandle info = reinterpret_cast<HostHandle>(std::uintptr_t{1});
    HostHandle pixels = reinterpret_cast<HostHandle>(std::uintptr_t{1});
    const std::int32_t result = plugin.body->GetPictureCore(text.data(), static_cast<std::int32_t>(text.size()), 1,
                                                            &info, &pixels, nullptr, 0);
    EXPECT_EQ(result, c.expected) << c.name;
    if (result == kSuccess) {
      EXPECT_EQ(plugin.memory.LiveBlocks(), 2) << c.name;
      plugin.memory.Free(info);
      plugin.memory.Free(pixels);
      continue;
    }
    EXPECT_EQ(info, nullptr) << c.name;
    EXPECT_EQ(pixels, nullptr) << c.name;
    EXPECT_EQ(plugin.memory.LiveBlocks(), 0) << c.name;
  }
}

TEST(FailureResults, AnInfoTextThatCannotBeMadeIsResult8) {
  for (const auto& [refusedAllocation, refusedLock] : {std::pair{1, 0}, std::pair{0, 1}}) {
    Plugin plugin(refusedAllocation, refusedLock);
    PictureInfo info;
    std::memset(&info, 0xCD, sizeof info);
    EXPECT_EQ(plugin.body->GetPictureInfo("plan.dxf", 0, 0, &info), kInternalError);
    EXPECT_EQ(info.InfoText, nullptr);
    EXPECT_EQ(plugin.memory.LiveBlocks(), 0);
  }
}

TEST(FailureResults, ASettingsDialogThatFailsGivesItsResultCode) {
  FailingDialog<Failure> failing;
  FailingDialog<NoMemory> withoutMemory;
  FailingDialog<ResourceFailure> withoutWindows;
  EXPECT_EQ(Plugin(0, 0, nullptr, &failing).body->Configure(nullptr, 1), kInternalError);
  EXPECT_EQ(Plugin(0, 0, nullptr, &withoutMemory).body->Configure(nullptr, 1), kOutOfMemory);
  EXPECT_EQ(Plugin(0, 0, nullptr, &withoutWindows).body->Configure(nullptr, 1), kOutOfMemory);
  // Other function codes show nothing, whatever the dialog would do.
  EXPECT_EQ(Plugin(0, 0, nullptr, &failing).body->Configure(nullptr, 0), kNotImplemented);
}

}  // namespace
}  // namespace karvex
