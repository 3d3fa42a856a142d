#include "karvex/man_page.h"

#include <vector>

#include "base/ascii_case.h"

namespace karvex::tools {
namespace {

// Where an option's description starts, and its examples.
constexpr std::size_t kDescriptionColumn = 23;
constexpr std::size_t kExampleColumn = 25;

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::size_t Indent(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? line.size() : first;
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// A hyphen in a word that is an option (after any opening punctuation) is
// a minus sign, so that what is copied from the page can be typed; the
// hyphens of prose stay hyphens. In commands every one is a minus sign.
std::string Escaped(std::string_view text, bool command = false) {
  std::string out;
  bool optionWord = false;
  bool wordStart = true;
  for (char c : text) {
    if (c == ' ') {
      wordStart = true;
      optionWord = false;
    } else if (wordStart && c != '(' && c != '[' && c != '|' && c != '\'' && c != '"') {
      optionWord = c == '-';
      wordStart = false;
    }
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-' && (optionWord || command)) {
      out += "\\-";
    } else {
      out += c;
    }
  }
  // A line that starts with a dot or an apostrophe would be a request.
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

// "-o, --output OUTPUT", "KARVEX_FONT": the names bold, values in italics.
std::string Term(std::string_view term) {
  std::string out;
  std::size_t at = 0;
  while (at < term.size()) {
    std::size_t end = term.find(' ', at);
    if (end == std::string_view::npos) end = term.size();
    std::string_view word = term.substr(at, end - at);
    std::string_view comma;
    if (!word.empty() && word.back() == ',') {
      comma = ",";
      word.remove_suffix(1);
    }
    // A variable's name stands alone; the words after an option name its
    // value.
    const bool name = StartsWith(word, "-") || at == 0;
    out += (name ? "\\fB" : "\\fI") + Escaped(word, true) + "\\fR" + std::string(comma);
    if (end < term.size()) out += ' ';
    at = end + 1;
  }
  return out;
}

// What an option or variable line names: "-o, --output OUTPUT",
// "--format png|bmp", "KARVEX_FONT"; empty for any other line.
std::string_view EntryTerm(std::string_view line) {
  const std::size_t indent = Indent(line);
  if (indent < 2 || indent >= kDescriptionColumn || line.size() <= kDescriptionColumn) return {};
  if (line[kDescriptionColumn - 1] != ' ' || line[kDescriptionColumn] == ' ') return {};
  std::string_view term = line.substr(indent, kDescriptionColumn - indent);
  term.remove_suffix(term.size() - term.find_last_not_of(' ') - 1);
  if (term[0] == '-') return term;
  // A variable stands alone before the gap; prose runs on.
  const bool variable = term.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_") == std::string_view::npos &&
                        line[indent + term.size() + 1] == ' ';
  return variable ? term : std::string_view();
}

class PageWriter {
 public:
  explicit PageWriter(std::string_view version) {
    page_ = ".TH KARVEX 1 \"\" \"karvex " + std::string(version) + "\" \"User Commands\"\n";
  }

  void Request(const std::string& request) {
    EndExamples();
    page_ += request + "\n";
  }
  void Text(std::string_view text) {
    EndExamples();
    page_ += Escaped(text) + "\n";
  }
  void Example(std::string_view command) {
    // Unfilled lines keep their leading blanks: the examples stand two
    // columns in from the description, as in the help.
    if (!inExamples_) page_ += ".nf\n";
    inExamples_ = true;
    page_ += "  " + Escaped(command, true) + "\n";
  }
  std::string Finish() {
    EndExamples();
    return page_;
  }

 private:
  void EndExamples() {
    if (inExamples_) page_ += ".fi\n";
    inExamples_ = false;
  }

  std::string page_;
  bool inExamples_ = false;
};

}  // namespace

std::string ManPage(std::string_view help, std::string_view version) {
  const std::vector<std::string_view> lines = Lines(help);
  PageWriter page(version);
  std::size_t i = 0;

  // The overview: what the program does, then how it is called.
  std::vector<std::string_view> description;
  for (; i < lines.size() && !lines[i].empty(); ++i) description.push_back(lines[i]);
  if (!description.empty()) {
    const std::string_view first = description[0];
    const std::string_view name = first.substr(0, first.find(' '));
    const std::string_view clause = first.substr(name.size() + 1, first.find(',') - name.size() - 1);
    page.Request(".SH NAME");
    page.Request(Escaped(name) + " \\- " + Escaped(clause));
  }
  for (; i < lines.size() && lines[i].empty(); ++i) {
  }
  page.Request(".SH SYNOPSIS");
  for (; i < lines.size() && !lines[i].empty(); ++i) {
    std::string_view usage = lines[i];
    usage.remove_prefix(StartsWith(usage, "usage: ") ? 7 : Indent(usage));
    page.Text(usage);
    page.Request(".br");
  }
  page.Request(".SH DESCRIPTION");
  for (std::string_view line : description) page.Text(line);

  bool commands = false;
  bool paragraph = false;
  for (; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t indent = Indent(line);
    if (line.empty()) {
      paragraph = false;
    } else if (indent == 0 && StartsWith(line, "karvex ")) {
      if (!commands) page.Request(".SH COMMANDS");
      commands = true;
      page.Request(".SS \"" + Escaped(line, true) + "\"");
      paragraph = true;
    } else if (indent == 0 && line.back() == ':') {
      page.Request(".SH " + AsciiUpper(line.substr(0, line.size() - 1)));
      paragraph = true;
    } else if (const std::string_view term = EntryTerm(line); !term.empty()) {
      page.Request(".TP");
      page.Request(Term(term));
      page.Text(line.substr(kDescriptionColumn));
      paragraph = true;
    } else if (indent >= kExampleColumn) {
      page.Example(line.substr(kExampleColumn));
    } else if (indent == kDescriptionColumn) {
      page.Text(line.substr(indent));
    } else {
      if (!paragraph) page.Request(".PP");
      page.Text(line.substr(indent));
      paragraph = true;
    }
  }
  return page.Finish();
}

}  // namespace karvex::tools
