#include "render/kinds/mtext_codes.h"

namespace karvex {
namespace {

// Codes followed by a value that runs to the next ';'.
bool TakesValue(char code) {
  switch (code) {
    case 'f': case 'F': case 'H': case 'h': case 'C': case 'c': case 'A': case 'a': case 'W': case 'w':
    case 'Q': case 'q': case 'T': case 't': case 'p':
      return true;
    default:
      return false;
  }
}

bool IsSwitch(char code) {
  switch (code) {
    case 'L': case 'l': case 'O': case 'o': case 'K': case 'k':
      return true;
    default:
      return false;
  }
}

class ParagraphWriter {
 public:
  ParagraphWriter(std::string_view raw, const TextEncoding& encoding) : raw_(raw), encoding_(encoding) {}

  std::vector<std::string> Run() {
    while (at_ < raw_.size() && paragraphs_.size() < kMostMtextLines) Step();
    paragraphs_.push_back(std::move(current_));
    return std::move(paragraphs_);
  }

 private:
  void Step() {
    const char c = raw_[at_];
    if (c == '\\' && at_ + 1 < raw_.size()) {
      Code(raw_[at_ + 1]);
      return;
    }
    if (c == '{' || c == '}') {
      ++at_;
      return;
    }
    if (c == '^' && at_ + 1 < raw_.size()) {
      Caret(raw_[at_ + 1]);
      return;
    }
    const std::size_t length = encoding_.CharacterLength(raw_, at_);
    current_.append(raw_.substr(at_, length));
    at_ += length;
  }

  void Code(char code) {
    at_ += 2;
    if (code == 'P' || code == 'X' || code == 'N') {
      Break();
    } else if (code == '\\' || code == '{' || code == '}') {
      current_.push_back(code);
    } else if (code == '~') {
      current_.push_back(' ');
    } else if (code == 'S') {
      Stacked();
    } else if (TakesValue(code)) {
      SkipValue();
    } else if (!IsSwitch(code)) {
      // Not a code of ours ("\U+XXXX" among them): the characters stay.
      current_.push_back('\\');
      current_.push_back(code);
    }
  }

  // "^J" ends a line, "^I" is a tab, "^ " a caret; other control letters
  // draw nothing.
  void Caret(char next) {
    at_ += 2;
    if (next == 'J') Break();
    else if (next == 'I') current_.push_back(' ');
    else if (next == ' ') current_.push_back('^');
  }

  void Break() {
    paragraphs_.push_back(std::move(current_));
    current_.clear();
  }

  // A value ends at ';'; a double-byte character may hold that byte second.
  void SkipValue() {
    while (at_ < raw_.size() && raw_[at_] != ';') at_ += encoding_.CharacterLength(raw_, at_);
    if (at_ < raw_.size()) ++at_;
  }

  // "\Sup^down;" and its '/' and '#' forms: written "up/down".
  void Stacked() {
    while (at_ < raw_.size() && raw_[at_] != ';') {
      const char c = raw_[at_];
      if (c == '\\' && at_ + 1 < raw_.size()) {
        current_.push_back(raw_[at_ + 1]);
        at_ += 2;
        continue;
      }
      const std::size_t length = encoding_.CharacterLength(raw_, at_);
      if (c == '^' || c == '#') current_.push_back('/');
      else current_.append(raw_.substr(at_, length));
      at_ += length;
    }
    if (at_ < raw_.size()) ++at_;
  }

  std::string_view raw_;
  const TextEncoding& encoding_;
  std::size_t at_ = 0;
  std::string current_;
  std::vector<std::string> paragraphs_;
};

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<std::string> MtextParagraphs(std::string_view raw, const TextEncoding& encoding) {
  return ParagraphWriter(raw, encoding).Run();
}

std::vector<std::string> WrapParagraph(std::string_view paragraph, double width, const TextEncoding& encoding) {
  if (!(width > 0)) return {std::string(paragraph)};
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < paragraph.size() && lines.size() < kMostMtextLines) {
    // The line from start: the last place it may break, and where it must.
    double used = 0;
    std::size_t breakAt = std::string_view::npos;
    std::size_t at = start;
    while (at < paragraph.size()) {
      const std::size_t length = encoding.CharacterLength(paragraph, at);
      const bool full = encoding.IsFullWidth(paragraph, at);
      used += full ? 1.0 : 0.5;
      // Spaces may run past the end of a line: it breaks after them.
      if (used > width && at > start && paragraph[at] != ' ') break;
      if (full && at > start) breakAt = at;
      at += length;
      if (paragraph[at - 1] == ' ' || full) breakAt = at;
    }
    if (at >= paragraph.size()) breakAt = paragraph.size();
    if (breakAt == std::string_view::npos || breakAt <= start) breakAt = at;
    lines.emplace_back(TrimSpaces(paragraph.substr(start, breakAt - start)));
    start = breakAt;
    while (start < paragraph.size() && paragraph[start] == ' ') ++start;
  }
  if (lines.empty()) lines.emplace_back();
  return lines;
}

}  // namespace karvex
