#include "spihost/plugin_library.h"

namespace karvex::tools {
namespace {

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function, std::string& error) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (function == nullptr) error = std::string("the plug-in has no export named ") + name;
  return function != nullptr;
}

}  // namespace

bool PluginLibrary::Load(const std::string& path, std::string& error) {
  module_ = LoadLibraryA(path.c_str());
  if (module_ == nullptr) {
    error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  return Resolve(module_, "GetPluginInfo", getPluginInfo_, error) &&
         Resolve(module_, "IsSupported", isSupported_, error) &&
         Resolve(module_, "GetPictureInfo", getPictureInfo_, error) &&
         Resolve(module_, "GetPicture", getPicture_, error) && Resolve(module_, "GetPreview", getPreview_, error) &&
         Resolve(module_, "ConfigurationDlg", configurationDlg_, error);
}

void PluginLibrary::Unload() {
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
}

}  // namespace karvex::tools
