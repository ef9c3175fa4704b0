// The game logic uses wxWidgets' base library (configuration files, standard paths), which wants
// its console application object initialised once per process.
#include <gtest/gtest.h>
#include <wx/init.h>

namespace {

class WxBaseEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { m_initializer = new wxInitializer(); }
  void TearDown() override { delete m_initializer; }

 private:
  wxInitializer* m_initializer = nullptr;
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new WxBaseEnvironment);

}  // namespace
