// The plug-in's preference routines on the stand-in host's store, run in the
// test process outside any host call, as a dialog's handler would run them.
#include <filesystem>
#include <string>

#include "host/runtime/Preferences.h"
#include "hostcall/Error.h"
#include "hostcall/Preferences.h"
#include "tests/plugin/InProcessCall.h"

namespace plugin_test {
namespace {

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');
constexpr const char* kSection = "Corvane";

// Each test starts on an empty store of its own.
host::HostOptions FreshStore() {
  host::HostOptions options = TestOptions();
  options.preferencesFile = std::filesystem::temp_directory_path() /
                            ("corvane-prefs-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ini");
  std::filesystem::remove(options.preferencesFile);
  return options;
}

class PreferencesTest : public ::testing::Test {
 protected:
  ~PreferencesTest() override { std::filesystem::remove(store().file()); }
  host::Preferences& store() { return call_.host().preferences(); }
  host::FaultInjector& faults() { return call_.host().faults(); }
  int PreferenceSuitesHeld() { return call_.host().suites().Outstanding(kAIPreferenceSuite); }

  OutsideHostCall call_{FreshStore()};
};

TEST_F(PreferencesTest, ReadsGiveTheDefaultUntilAValueIsPut) {
  EXPECT_EQ(ai::GetRealPreference(ai::kCircleTTRRadiusKey, ai::kCircleTTRRadiusDefault), 50.0);
  ai::PutRealPreference(ai::kCircleTTRRadiusKey, 12.5);
  EXPECT_EQ(ai::GetRealPreference(ai::kCircleTTRRadiusKey, ai::kCircleTTRRadiusDefault), 12.5);
  EXPECT_EQ(store().GetReal(kSection, ai::kCircleTTRRadiusKey), 12.5);

  EXPECT_TRUE(ai::GetBooleanPreference(ai::kCircleTTRAskKey, true));
  ai::PutBooleanPreference(ai::kCircleTTRAskKey, false);
  EXPECT_FALSE(ai::GetBooleanPreference(ai::kCircleTTRAskKey, true));

  EXPECT_EQ(ai::GetIntegerPreference("Count", -7), -7);
  ai::PutIntegerPreference("Count", 42);
  EXPECT_EQ(ai::GetIntegerPreference("Count", -7), 42);
  EXPECT_EQ(PreferenceSuitesHeld(), 0);
}

TEST_F(PreferencesTest, ABooleanStoredAsTwoReadsTrue) {
  store().PutBoolean(kSection, ai::kCircleTTRPreviewKey, 2);
  EXPECT_TRUE(ai::GetBooleanPreference(ai::kCircleTTRPreviewKey, false));
}

TEST_F(PreferencesTest, AValueOfAnotherTypeReadsAsTheDefault) {
  store().PutInteger(kSection, ai::kCircleTTRRadiusKey, 3);
  EXPECT_EQ(ai::GetRealPreference(ai::kCircleTTRRadiusKey, 50.0), 50.0);
}

// A refused write is an error with the host's code: a caller that went on
// would act on the value stored before as if it were the new one.
TEST_F(PreferencesTest, HostFailuresGiveDefaultsAndRefusedWritesAreErrors) {
  store().PutReal(kSection, ai::kCircleTTRRadiusKey, 12.5);
  faults().Fail(kAIPreferenceSuite, "GetRealPreference", kInjected, 1);
  EXPECT_EQ(ai::GetRealPreference(ai::kCircleTTRRadiusKey, 50.0), 50.0);
  EXPECT_EQ(ai::GetRealPreference(ai::kCircleTTRRadiusKey, 50.0), 12.5);

  faults().Fail(kAIPreferenceSuite, "PutRealPreference", kInjected, 1);
  try {
    ai::PutRealPreference(ai::kCircleTTRRadiusKey, 99);
    ADD_FAILURE() << "the refused write succeeded";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), kInjected);
  }
  EXPECT_EQ(ai::GetRealPreference(ai::kCircleTTRRadiusKey, 50.0), 12.5);
  EXPECT_EQ(PreferenceSuitesHeld(), 0);
}

// Only a preference suite the host cannot provide is an error.
TEST_F(PreferencesTest, AMissingPreferenceSuiteIsABadParameter) {
  faults().Fail(kAIPreferenceSuite, host::FaultInjector::kAcquireFunction, kSPSuiteNotFoundError);
  const auto code = [](auto routine) -> SPErr {
    try {
      routine();
    } catch (const ai::Error& e) {
      return e.code();
    }
    return kNoErr;
  };
  EXPECT_EQ(code([] { ai::GetBooleanPreference(ai::kCircleTTRAskKey, true); }), kBadParameterErr);
  EXPECT_EQ(code([] { ai::PutRealPreference(ai::kCircleTTRRadiusKey, 1); }), kBadParameterErr);
  EXPECT_EQ(code([] { ai::HostConstrainAnglePreference(); }), kBadParameterErr);
}

TEST_F(PreferencesTest, HostPreferencesAreReadWithoutASection) {
  // The host starts with defaults of its own for its keys.
  store().Erase(host::Preferences::kHostSection, "rulerType");
  store().Erase(host::Preferences::kHostSection, "constrain/angle");
  EXPECT_EQ(ai::HostRulerTypePreference(), std::nullopt);
  EXPECT_EQ(ai::HostConstrainAnglePreference(), 0.0);
  store().PutInteger(host::Preferences::kHostSection, "rulerType", 3);
  store().PutReal(host::Preferences::kHostSection, "constrain/angle", 30);
  // The same keys in the plug-in's section are not the host's.
  store().PutInteger(kSection, "rulerType", 5);
  EXPECT_EQ(ai::HostRulerTypePreference(), 3);
  EXPECT_EQ(ai::HostConstrainAnglePreference(), 30.0);
}

}  // namespace
}  // namespace plugin_test
