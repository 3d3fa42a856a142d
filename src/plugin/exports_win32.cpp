// The six exports of karvex.spi and the library's start and end. Everything
// here forwards to the one plug-in object; nothing but a result code ever
// leaves an export.
#include <windows.h>

#include <memory>

#include "base/fpu_precision.h"
#include "plugin/local_host_memory.h"
#include "plugin/plugin_body.h"
#include "plugin/result_codes.h"
#include "render/gdi_surface.h"
#include "settings/registry_settings_store.h"
#include "ui/win32_settings_dialog.h"

namespace karvex {
namespace {

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// Everything the plug-in object of this library uses, created at load and
// destroyed at unload.
class PluginModule {
 public:
  explicit PluginModule(HINSTANCE instance) : dialog_(instance), body_(Platform()) {}
  TInSPIBody& Body() { return body_; }

 private:
  PluginPlatform Platform() {
    PluginPlatform platform;
    platform.memory = &memory_;
    platform.surfaces = &surfaces_;
    platform.settingsStore = &store_;
    platform.dialog = &dialog_;
    platform.isLeadByte = &IsAnsiLeadByte;
    platform.readAhead = true;
    return platform;
  }

  LocalHostMemory memory_;
  GdiSurfaceFactory surfaces_;
  RegistrySettingsStore store_;
  Win32SettingsDialog dialog_;
  TInSPIBody body_;  // last: created after, destroyed before, what it uses
};

PluginModule* g_module = nullptr;

}  // namespace
}  // namespace karvex

using karvex::FpuPrecisionScope;
using karvex::g_module;
using karvex::HostHandle;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    try {
      FpuPrecisionScope precision;
      g_module = new karvex::PluginModule(instance);
    } catch (...) {
      return FALSE;
    }
  } else if (reason == DLL_PROCESS_DETACH) {
    FpuPrecisionScope precision;
    delete g_module;
    g_module = nullptr;
  }
  return TRUE;
}

__declspec(dllexport) int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  FpuPrecisionScope precision;
  try {
    return g_module->Body().GetPluginInfo(infono, buf, buflen);
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) int WINAPI IsSupported(LPCSTR filename, DWORD_PTR /*dw*/) {
  FpuPrecisionScope precision;
  try {
    return g_module->Body().IsSupported(filename);
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag,
                                                karvex::PictureInfo* lpInfo) {
  FpuPrecisionScope precision;
  try {
    return g_module->Body().GetPictureInfo(buf, static_cast<std::int32_t>(len), flag, lpInfo);
  } catch (...) {
    return karvex::kInternalError;
  }
}

__declspec(dllexport) int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                            HLOCAL* pHBm, karvex::ProgressCallback lpPrgressCallback,
                                            LONG_PTR lData) {
  FpuPrecisionScope precision;
  try {
    return g_module->Body().GetPictureCore(buf, static_cast<std::int32_t>(len), flag,
                                           reinterpret_cast<HostHandle*>(pHBInfo), reinterpret_cast<HostHandle*>(pHBm),
                                           lpPrgressCallback, lData);
  } catch (...) {
    return karvex::kInternalError;
  }
}

__declspec(dllexport) int WINAPI GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                            HLOCAL* pHBm, karvex::ProgressCallback lpPrgressCallback,
                                            LONG_PTR lData) {
  return GetPicture(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);
}

__declspec(dllexport) int WINAPI ConfigurationDlg(HWND parent, int fnc) {
  FpuPrecisionScope precision;
  try {
    return g_module->Body().Configure(parent, fnc);
  } catch (...) {
    return karvex::kSuccess;
  }
}

}  // extern "C"
