#pragma once
// A loaded "00IN" plug-in and its six exports.
#include <windows.h>

#include <cstddef>
#include <string>

#include "plugin/picture_info.h"

namespace karvex::tools {

class PluginLibrary {
 public:
  using ProgressCallback = int(__stdcall*)(int num, int denom, LONG_PTR userData);
  static constexpr std::size_t kPictureInfoSize = sizeof(karvex::PictureInfo);

  PluginLibrary() = default;
  ~PluginLibrary() { Unload(); }
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  bool Load(const std::string& path, std::string& error);
  void Unload();

  int GetPluginInfo(int infono, char* buf, int buflen) const { return getPluginInfo_(infono, buf, buflen); }
  int IsSupported(const char* name, DWORD_PTR firstBytes) const { return isSupported_(name, firstBytes); }
  int GetPictureInfo(const char* buf, LONG_PTR len, unsigned flag, void* info) const {
    return getPictureInfo_(buf, len, flag, info);
  }
  int GetPicture(const char* buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* pixels,
                 ProgressCallback progress, LONG_PTR data) const {
    return getPicture_(buf, len, flag, info, pixels, progress, data);
  }
  int GetPreview(const char* buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* pixels,
                 ProgressCallback progress, LONG_PTR data) const {
    return getPreview_(buf, len, flag, info, pixels, progress, data);
  }
  int ConfigurationDlg(HWND parent, int fnc) const { return configurationDlg_(parent, fnc); }

 private:
  using GetPluginInfoFn = int(__stdcall*)(int, char*, int);
  using IsSupportedFn = int(__stdcall*)(const char*, DWORD_PTR);
  using GetPictureInfoFn = int(__stdcall*)(const char*, LONG_PTR, unsigned, void*);
  using GetPictureFn = int(__stdcall*)(const char*, LONG_PTR, unsigned, HLOCAL*, HLOCAL*, ProgressCallback, LONG_PTR);
  using ConfigurationDlgFn = int(__stdcall*)(HWND, int);

  HMODULE module_ = nullptr;
  GetPluginInfoFn getPluginInfo_ = nullptr;
  IsSupportedFn isSupported_ = nullptr;
  GetPictureInfoFn getPictureInfo_ = nullptr;
  GetPictureFn getPicture_ = nullptr;
  GetPictureFn getPreview_ = nullptr;
  ConfigurationDlgFn configurationDlg_ = nullptr;
};

}  // namespace karvex::tools
