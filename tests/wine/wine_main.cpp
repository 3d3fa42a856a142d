// The Wine tests share one prefix per run: made on first use, removed at the
// end whatever the tests did.
#include <gtest/gtest.h>

#include "wine/wine_session.h"

namespace {

class WineEnvironment final : public ::testing::Environment {
 public:
  void TearDown() override { karvex::testing::WineSession::Shutdown(); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new WineEnvironment);
  return RUN_ALL_TESTS();
}
