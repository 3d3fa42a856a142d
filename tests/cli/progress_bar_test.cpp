// The progress bar's bytes on a terminal: drawn in place, taken away before
// a message and drawn again after it, gone at the end; nothing but the
// messages when it is not shown.
#include "karvex/progress_bar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace karvex::tools {
namespace {

std::string Written(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string bytes;
  for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
  std::fclose(file);
  return bytes;
}

TEST(ProgressBar, DrawsInPlaceAndStepsAsideForMessages) {
  std::FILE* out = std::tmpfile();
  {
    // Only the first drawing and those around messages: no redraw falls due.
    ProgressBar bar(out, true, 2, std::chrono::hours(1));
    bar.FileStarted(0, "a.dxf");
    bar.FileProgress(0, 500, 1000);  // held back till the next redraw
    bar.PrintLines({"karvex: a.dxf: a note"});
    bar.FileFinished(0);
  }
  const std::string clear = "\r\x1b[K";
  EXPECT_EQ(Written(out), clear + "karvex [------------------------]   0% 0/2  a.dxf" + clear +
                              "karvex: a.dxf: a note\n" + clear + "karvex [######------------------]  25% 0/2  a.dxf" +
                              clear);
}

TEST(ProgressBar, NotShownItWritesOnlyTheMessages) {
  std::FILE* out = std::tmpfile();
  {
    ProgressBar bar(out, false, 1);
    bar.FileStarted(0, "a.dxf");
    bar.FileProgress(0, 1, 2);
    bar.PrintLines({"one", "two"});
    bar.FileFinished(0);
  }
  EXPECT_EQ(Written(out), "one\ntwo\n");
}

}  // namespace
}  // namespace karvex::tools
