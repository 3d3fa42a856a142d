#include "wine/wine_registry.h"

#include <sstream>

namespace karvex::testing {
namespace {

constexpr char kColumnGap[] = "    ";

// One "    name    TYPE    data" line of reg query's output.
bool ParseValueLine(std::string line, std::string& name, RegistryValue& value) {
  if (line.rfind(kColumnGap, 0) != 0) return false;
  line.erase(0, sizeof kColumnGap - 1);
  const std::size_t typeAt = line.find(std::string(kColumnGap) + "REG_");
  if (typeAt == std::string::npos) return false;
  name = line.substr(0, typeAt);
  std::string rest = line.substr(typeAt + sizeof kColumnGap - 1);
  const std::size_t dataAt = rest.find(kColumnGap);
  value.type = rest.substr(0, dataAt);
  value.data = dataAt == std::string::npos ? "" : rest.substr(dataAt + sizeof kColumnGap - 1);
  return true;
}

}  // namespace

std::map<std::string, RegistryValue> WineRegistry::Values(const std::string& key) {
  std::map<std::string, RegistryValue> values;
  const CommandResult query = wine_.Run({"reg", "query", key});
  if (query.exitCode != 0) return values;
  std::istringstream lines(query.out);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string name;
    RegistryValue value;
    if (ParseValueLine(line, name, value)) values[name] = value;
  }
  return values;
}

bool WineRegistry::KeyExists(const std::string& key) { return wine_.Run({"reg", "query", key}).exitCode == 0; }

bool WineRegistry::Set(const std::string& key, const std::string& name, const std::string& type,
                       const std::string& data) {
  return wine_.Run({"reg", "add", key, "/v", name, "/t", type, "/d", data, "/f"}).exitCode == 0;
}

void WineRegistry::DeleteTree(const std::string& key) { wine_.Run({"reg", "delete", key, "/f"}); }

}  // namespace karvex::testing
