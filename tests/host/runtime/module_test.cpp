// Loading plug-in modules: what a broken module reports, and how the access
// reference a plug-in holds on itself keeps its module loaded.
#include <gtest/gtest.h>

#include <string>

#include "tests/host/runtime/RuntimeHarness.h"

namespace host::testing {
namespace {

struct LoadFailure {
  const char* name;
  std::string module;
  AIErr code;
  const char* problem;
};

TEST_F(RuntimeTest, BrokenModulesAreRejectedWithTheModuleNamed) {
  const LoadFailure cases[] = {
      {"missing file", (dir_ / "absent.so").string(), kFileErr, "cannot load"},
      {"entry named but not exported", kFixtureNoEntry, kBadParameterErr, "the entry 'PIGone'"},
      {"truncated property list", kFixtureTruncated, kBadParameterErr, "('expt') is 16 bytes"},
  };
  for (const LoadFailure& c : cases) {
    SCOPED_TRACE(c.name);
    Host host(Options());
    try {
      host.LoadPlugin(c.module);
      ADD_FAILURE() << "loaded";
    } catch (const HostError& e) {
      const std::string message = e.what();
      EXPECT_EQ(e.code(), c.code);
      EXPECT_NE(message.find(c.module), std::string::npos) << message;
      EXPECT_NE(message.find(c.problem), std::string::npos) << message;
    }
    EXPECT_FALSE(host.PluginLoaded());
    EXPECT_EQ(host.PluginRef(), nullptr);
  }
}

TEST_F(RuntimeTest, ShutdownClosesTheModuleUnlessThePluginHoldsItsOwnAccess) {
  for (bool holdAccess : {false, true}) {
    SCOPED_TRACE(holdAccess ? "holds access" : "no access");
    plugin_.Reset();
    SPAccessRef access = nullptr;
    plugin_.On(kSPInterfaceCaller, kSPInterfaceStartupSelector, [&](void* message) -> SPErr {
      if (!holdAccess) return kNoErr;
      const auto* header = static_cast<SPMessageData*>(message);
      Acquired<SPAccessSuite> suite(header->basic, kSPAccessSuite, kSPAccessSuiteVersion);
      return suite.error() ? suite.error() : suite->AcquirePluginAccess(header->self, &access);
    });
    Host& host = StartHost();
    EXPECT_EQ(host.PluginHoldsAccess(), holdAccess);
    EXPECT_EQ(host.Shutdown(), kNoErr);
    EXPECT_EQ(host.PluginLoaded(), holdAccess);
    host_.reset();
  }
}

TEST_F(RuntimeTest, AccessSuiteCountsReferencesAndReportsTheModulePath) {
  Host& host = StartHost();
  EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              Acquired<SPAccessSuite> access(h.basic, kSPAccessSuite, kSPAccessSuiteVersion);
              Acquired<CorvanePlatformSuite> platform(h.basic, kCorvanePlatformSuite, kCorvanePlatformSuiteVersion);
              SPAccessRef a = nullptr, b = nullptr;
              EXPECT_EQ(access->AcquirePluginAccess(h.self, &a), kNoErr);
              EXPECT_EQ(access->AcquirePluginAccess(h.self, &b), kNoErr);
              EXPECT_EQ(access->ReleasePluginAccess(a), kNoErr);
              EXPECT_TRUE(host.PluginHoldsAccess());
              EXPECT_EQ(access->ReleasePluginAccess(b), kNoErr);
              EXPECT_EQ(access->ReleasePluginAccess(b), kBadParameterErr) << "released more often than acquired";
              EXPECT_EQ(access->AcquirePluginAccess(reinterpret_cast<SPPluginRef>(&h), &a), kBadParameterErr);

              SPModuleHandle module = nullptr;
              EXPECT_EQ(access->GetPluginModule(h.self, &module), kNoErr);
              const std::string path = std::filesystem::absolute(kFixturePlugin).string();
              std::vector<char> exact(path.size() + 1), tooSmall(path.size());
              EXPECT_EQ(platform->GetModuleFileName(module, exact.data(), static_cast<int32_t>(exact.size())), kNoErr);
              EXPECT_EQ(std::string(exact.data()), path);
              EXPECT_EQ(platform->GetModuleFileName(module, tooSmall.data(), static_cast<int32_t>(tooSmall.size())),
                        kBadParameterErr);
              EXPECT_EQ(tooSmall[0], '\0') << "a failed call leaves no partial path";
              return kNoErr;
            }),
            kNoErr);
  EXPECT_FALSE(host.PluginHoldsAccess());
}

}  // namespace
}  // namespace host::testing
