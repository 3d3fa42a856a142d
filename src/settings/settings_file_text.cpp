#include "settings/settings_file_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "settings/setting_entries.h"
#include "settings/setting_text.h"

namespace karvex {
namespace {

constexpr std::size_t kEntryCount = kSettingEntries.size();
constexpr std::array<std::string_view, 2> kSections{kSystemSection, kColorSection};

struct FileLine {
  enum class Kind { Other, Section, Value };
  Kind kind = Kind::Other;
  std::string_view name;   // the section's or the value's
  std::string_view value;  // a value line's text
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Without blanks at either end; a CR before the line's LF goes with them.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

FileLine Classify(std::string_view raw) {
  const std::string_view line = Trimmed(raw);
  FileLine result;
  if (line.empty() || line.front() == ';' || line.front() == '#') return result;
  if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
    result.kind = FileLine::Kind::Section;
    result.name = Trimmed(line.substr(1, line.size() - 2));
    return result;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0) return result;
  result.kind = FileLine::Kind::Value;
  result.name = Trimmed(line.substr(0, equals));
  result.value = Trimmed(line.substr(equals + 1));
  return result;
}

// The lines without their LF; a final LF does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<std::size_t> KnownSection(std::string_view name) {
  for (std::size_t i = 0; i < kSections.size(); ++i) {
    if (SameName(kSections[i], name)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> KnownEntry(std::optional<std::size_t> section, std::string_view name) {
  if (!section) return std::nullopt;
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    if (kSettingEntries[i].section == kSections[*section] && SameName(kSettingEntries[i].name, name)) return i;
  }
  return std::nullopt;
}

// Walks the lines keeping track of the section each one is in.
class LineWalk {
 public:
  explicit LineWalk(std::string_view text) : lines_(SplitLines(text)) {}

  template <typename Visit>  // Visit(index, raw line, classified line, known section, known entry)
  void ForEach(Visit visit) const {
    std::optional<std::size_t> section;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const FileLine line = Classify(lines_[i]);
      if (line.kind == FileLine::Kind::Section) section = KnownSection(line.name);
      const std::optional<std::size_t> entry =
          line.kind == FileLine::Kind::Value ? KnownEntry(section, line.name) : std::nullopt;
      visit(i, lines_[i], line, section, entry);
    }
  }

 private:
  std::vector<std::string_view> lines_;
};

std::string ValueLine(const SettingEntry& entry, const Settings& settings) {
  std::string line(entry.name);
  line += '=';
  line += SettingText(entry.ValueToSave(settings));
  return line;
}

std::string SectionLine(std::string_view section) {
  std::string line = "[";
  line += section;
  line += ']';
  return line;
}

}  // namespace

Settings ReadSettingsFileText(std::string_view text) {
  Settings settings;
  std::array<bool, kEntryCount> seen{};
  LineWalk(text).ForEach([&](std::size_t, std::string_view, const FileLine& line, std::optional<std::size_t>,
                             std::optional<std::size_t> entry) {
    if (!entry || seen[*entry]) return;
    seen[*entry] = true;
    if (const std::optional<std::int32_t> value = ParseSettingText(line.value)) {
      settings.*kSettingEntries[*entry].member = *value;
    }
  });
  return settings;
}

std::optional<std::string> StoredValueText(std::string_view text, std::string_view section, std::string_view name) {
  std::optional<std::string> found;
  LineWalk(text).ForEach([&](std::size_t, std::string_view, const FileLine& line, std::optional<std::size_t>,
                             std::optional<std::size_t> entry) {
    if (found || !entry) return;
    const SettingEntry& known = kSettingEntries[*entry];
    if (SameName(known.section, section) && SameName(known.name, name)) found = std::string(line.value);
  });
  return found;
}

std::string WriteSettingsFileText(const Settings& settings, std::string_view previous) {
  const LineWalk walk(previous);

  // Which values the text has, and where each known section's first part
  // ends (its header or its last value line): missing values go there.
  std::array<bool, kEntryCount> present{};
  std::array<std::optional<std::size_t>, kSections.size()> sectionEnd{};
  std::array<bool, kSections.size()> sectionClosed{};
  std::optional<std::size_t> previousSection;
  walk.ForEach([&](std::size_t index, std::string_view, const FileLine& line, std::optional<std::size_t> section,
                   std::optional<std::size_t> entry) {
    if (line.kind == FileLine::Kind::Section) {
      if (previousSection) sectionClosed[*previousSection] = true;
      previousSection = section;
      if (section && !sectionClosed[*section]) sectionEnd[*section] = index;
      return;
    }
    if (entry) present[*entry] = true;
    if (line.kind == FileLine::Kind::Value && section && !sectionClosed[*section]) sectionEnd[*section] = index;
  });

  std::string text;
  auto addLine = [&text](std::string_view line) {
    text += line;
    text += '\n';
  };
  auto addMissingValues = [&](std::size_t section) {
    for (std::size_t i = 0; i < kEntryCount; ++i) {
      if (!present[i] && kSettingEntries[i].section == kSections[section]) addLine(ValueLine(kSettingEntries[i], settings));
    }
  };

  std::array<bool, kEntryCount> written{};
  walk.ForEach([&](std::size_t index, std::string_view raw, const FileLine&, std::optional<std::size_t>,
                   std::optional<std::size_t> entry) {
    if (!entry) {
      addLine(raw);
    } else if (!written[*entry]) {
      written[*entry] = true;
      addLine(ValueLine(kSettingEntries[*entry], settings));
    }
    for (std::size_t s = 0; s < kSections.size(); ++s) {
      if (sectionEnd[s] == index) addMissingValues(s);
    }
  });

  for (std::size_t s = 0; s < kSections.size(); ++s) {
    if (sectionEnd[s]) continue;
    if (!text.empty() && !Trimmed(SplitLines(text).back()).empty()) addLine("");
    addLine(SectionLine(kSections[s]));
    addMissingValues(s);
  }
  return text;
}

}  // namespace karvex
