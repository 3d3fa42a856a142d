#pragma once
// An MTEXT's text as lines to draw: its formatting codes taken out and its
// paragraphs wrapped to the reference width. The bytes stay in the
// drawing's encoding (a "\U+XXXX" escape is left for the text output to
// read), and a double-byte character whose second byte is a backslash or a
// brace is never taken for a code.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/text_encoding.h"

namespace karvex {

// More lines than any picture can show legibly are not drawn: an MTEXT of
// a million characters wrapped to one character a line stays bounded.
constexpr std::size_t kMostMtextLines = 2000;

// The paragraphs of raw, its codes removed: "\P" (and "\X", "\N", "^J")
// end a paragraph; "\\", "\{", "\}" stand for their characters and "\~"
// for a space; "\S a^b;" (or a/b, a#b) is written "a/b"; groups "{...}"
// and the codes "\f...;", "\H...;", "\C...;", "\A...;" and the like are
// removed with their values, "\L \l \O \o \K \k" without one. A code left
// open at the end takes the rest of the text with it.
std::vector<std::string> MtextParagraphs(std::string_view raw, const TextEncoding& encoding);

// The lines of one paragraph no wider than width (in character heights,
// see TextEncoding::WidthInHeights): broken after spaces and on either side
// of a full-width character, and inside a word only when the word alone is
// wider. A width of 0 or less leaves the paragraph whole.
std::vector<std::string> WrapParagraph(std::string_view paragraph, double width, const TextEncoding& encoding);

}  // namespace karvex
