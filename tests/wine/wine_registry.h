#pragma once
// The registry of the session's prefix, through Wine's own "reg" program.
#include <map>
#include <string>

#include "wine/wine_session.h"

namespace karvex::testing {

struct RegistryValue {
  std::string type;  // "REG_SZ", "REG_DWORD", ...
  std::string data;  // as "reg query" shows it

  bool operator==(const RegistryValue&) const = default;
};

class WineRegistry {
 public:
  explicit WineRegistry(WineSession& wine) : wine_(wine) {}

  // The values directly under key ("HKCU\\..."), by name; empty when the key
  // does not exist.
  std::map<std::string, RegistryValue> Values(const std::string& key);
  bool KeyExists(const std::string& key);
  // Sets a value, creating the key if needed; false when reg refuses.
  bool Set(const std::string& key, const std::string& name, const std::string& type, const std::string& data);
  // Removes the key with everything under it; a missing key is no failure.
  void DeleteTree(const std::string& key);

 private:
  WineSession& wine_;
};

}  // namespace karvex::testing
