// The Wine tests share one prefix per run: made on first use, removed at the
// end whatever the tests did.
//
// How this machine runs 32-bit programs decides what the 32-bit suites do:
// where it runs them itself, the full suite runs against karvex.spi; where
// only an emulator runs them (each Wine start then takes about a minute),
// the full suite is skipped and a short check of karvex.spi runs in its
// place. The 64-bit suite needs no 32-bit program and runs everywhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "wine/wine_session.h"

namespace {

// ctest reads this exit status as "skipped".
constexpr int kSkipped = 77;
constexpr char kEmulatedCheck[] = "Emulated32BitCheck.*";

class WineEnvironment final : public ::testing::Environment {
 public:
  void TearDown() override { karvex::testing::WineSession::Shutdown(); }
};

// The one line scripts/i386-support.sh prints: "native: ...", "emulated: ..."
// or "none: ...".
std::string I386Support() {
  const std::string command = std::string("'") + KARVEX_SOURCE_DIR + "/scripts/i386-support.sh'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "none: scripts/i386-support.sh could not be run";
  std::string line;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) line += buffer;
  ::pclose(pipe);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line.empty() ? "none: scripts/i386-support.sh said nothing" : line;
}

std::string Verdict(const std::string& support) { return support.substr(0, support.find(':')); }

// Adds the suite's own pattern unless the caller chose tests by hand.
void NarrowTo(const std::string& pattern) {
  if (::testing::GTEST_FLAG(filter) == "*") ::testing::GTEST_FLAG(filter) = pattern;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  using karvex::testing::WineSuite;
  const WineSuite suite = karvex::testing::CurrentSuite();
  const std::string support = I386Support();
  const std::string verdict = Verdict(support);
  std::cout << "32-bit programs: " << support << std::endl;

  switch (suite) {
    case WineSuite::Full64:
      NarrowTo(std::string("-") + kEmulatedCheck);
      break;
    case WineSuite::Full32:
      if (verdict != "native") {
        std::cout << "Skipped: the full 32-bit Wine suite needs a machine that runs 32-bit programs itself; "
                     "the short check (wine_check_32) tests karvex.spi under the emulator instead."
                  << std::endl;
        return kSkipped;
      }
      NarrowTo(std::string("-") + kEmulatedCheck);
      break;
    case WineSuite::Check32:
      if (verdict == "native") {
        std::cout << "Skipped: this machine runs 32-bit programs itself, so the full 32-bit suite (wine_tests) "
                     "tests karvex.spi."
                  << std::endl;
        return kSkipped;
      }
      if (verdict != "emulated") {
        std::cout << "karvex.spi cannot be tested here: run scripts/setup.sh as root to register qemu-i386."
                  << std::endl;
        return 1;
      }
      NarrowTo(kEmulatedCheck);
      break;
  }
  ::testing::AddGlobalTestEnvironment(new WineEnvironment);
  return RUN_ALL_TESTS();
}
