// The six exports of karvex.spi and the library's start and end. Everything
// here forwards to the one plug-in object, one call at a time; nothing but
// a result code ever leaves an export.
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
// destroyed at unload, and the lock that lets one export at a time use it.
class PluginModule {
 public:
  explicit PluginModule(HINSTANCE instance) : dialog_(instance), body_(Platform()) {
    InitializeCriticalSection(&turn_);
  }
  ~PluginModule() { DeleteCriticalSection(&turn_); }
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Runs one export's call on the plug-in object. A host may call from
  // several threads (viewers make thumbnails in the background): the calls
  // take turns, each whole, so two pictures asked for at once come out one
  // after the other, both right. A critical section lets the thread that
  // holds it in again, so a call made from inside another one on the same
  // thread (from the progress callback, or while the settings dialog is
  // open) goes through, as it always has. Nothing but a result leaves.
  template <typename Call>
  int Serve(int onFailure, Call call) {
    FpuPrecisionScope precision;
    EnterCriticalSection(&turn_);
    int result = onFailure;
    try {
      result = call(body_);
    } catch (...) {
    }
    LeaveCriticalSection(&turn_);
    return result;
  }

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

  CRITICAL_SECTION turn_;
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
using karvex::TInSPIBody;

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
  return g_module->Serve(0, [&](TInSPIBody& body) { return body.GetPluginInfo(infono, buf, buflen); });
}

__declspec(dllexport) int WINAPI IsSupported(LPCSTR filename, DWORD_PTR /*dw*/) {
  return g_module->Serve(0, [&](TInSPIBody& body) { return body.IsSupported(filename); });
}

__declspec(dllexport) int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag,
                                                karvex::PictureInfo* lpInfo) {
  return g_module->Serve(karvex::kInternalError, [&](TInSPIBody& body) {
    return body.GetPictureInfo(buf, static_cast<std::int32_t>(len), flag, lpInfo);
  });
}

__declspec(dllexport) int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                            HLOCAL* pHBm, karvex::ProgressCallback lpPrgressCallback,
                                            LONG_PTR lData) {
  return g_module->Serve(karvex::kInternalError, [&](TInSPIBody& body) {
    return body.GetPictureCore(buf, static_cast<std::int32_t>(len), flag, reinterpret_cast<HostHandle*>(pHBInfo),
                               reinterpret_cast<HostHandle*>(pHBm), lpPrgressCallback, lData);
  });
}

__declspec(dllexport) int WINAPI GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                            HLOCAL* pHBm, karvex::ProgressCallback lpPrgressCallback,
                                            LONG_PTR lData) {
  return GetPicture(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);
}

__declspec(dllexport) int WINAPI ConfigurationDlg(HWND parent, int fnc) {
  return g_module->Serve(karvex::kInternalError, [&](TInSPIBody& body) { return body.Configure(parent, fnc); });
}

}  // extern "C"
