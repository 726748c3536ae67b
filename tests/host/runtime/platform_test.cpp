// The platform suite and what the host reports about itself: images,
// cursors, shell requests, version and theme.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/host/runtime/RuntimeHarness.h"

namespace host::testing {
namespace {

// A 2 x 1 PNG, 8-bit RGBA: opaque red, then green 255 at alpha 128.  Kept as
// bytes so that the test needs no encoder on any platform.
std::vector<uint8_t> TwoPixelPng() {
  return {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
          0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xf4,
          0x22, 0x7f, 0x8a, 0x00, 0x00, 0x00, 0x0f, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
          0xcf, 0xc0, 0xf0, 0x1f, 0x08, 0x1b, 0x00, 0x10, 0x79, 0x03, 0x7e, 0x7d, 0x63, 0xce, 0xd7,
          0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
}

TEST_F(RuntimeTest, DecodedImagesAreStraightRgbaAndBadDataIsRefused) {
  StartHost();
  const std::vector<uint8_t> png = TwoPixelPng();
  EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              Acquired<CorvanePlatformSuite> platform(h.basic, kCorvanePlatformSuite, kCorvanePlatformSuiteVersion);
              PlatformImage image{};
              EXPECT_EQ(platform->DecodeImage(png.data(), png.size(), &image), kNoErr);
              EXPECT_EQ(image.width, 2);
              EXPECT_EQ(image.height, 1);
              const std::vector<uint8_t> rgba(image.rgba, image.rgba + 8);
              EXPECT_EQ(rgba, (std::vector<uint8_t>{255, 0, 0, 255, 0, 255, 0, 128}));
              EXPECT_EQ(platform->FreeImage(&image), kNoErr);
              EXPECT_EQ(image.rgba, nullptr);

              for (std::size_t keep : {std::size_t{0}, std::size_t{8}, png.size() / 2}) {
                SCOPED_TRACE(keep);
                EXPECT_EQ(platform->DecodeImage(png.data(), keep, &image), kBadParameterErr);
                EXPECT_EQ(image.rgba, nullptr);
              }
              uint8_t foreign[4] = {};
              image.rgba = foreign;
              EXPECT_EQ(platform->FreeImage(&image), kBadParameterErr);
              return kNoErr;
            }),
            kNoErr);
}

TEST_F(RuntimeTest, CursorsAndShellRequestsAreRecordedNotPerformed) {
  Host& host = StartHost();
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              Acquired<CorvanePlatformSuite> platform(h.basic, kCorvanePlatformSuite, kCorvanePlatformSuiteVersion);
              std::vector<uint8_t> pixels(32 * 32 * 4, 0x7f);
              PlatformCursorRef cursor = nullptr;
              EXPECT_EQ(platform->CreateCursor(pixels.data(), 32, 32, 32, 15, "outside", &cursor), kBadParameterErr);
              EXPECT_EQ(platform->CreateCursor(pixels.data(), 32, 32, 15, 15, "cross-01-16011", &cursor), kNoErr);
              EXPECT_EQ(platform->SetCursor(cursor), kNoErr);
              EXPECT_EQ(platform->SetSystemCursor(-8), kBadParameterErr) << "no system cursor has id -8";
              EXPECT_EQ(platform->ShellExecute("open", "/opt/Corvane User Manual.pdf"), kNoErr);
              EXPECT_EQ(platform->ShellExecute("print", "/opt/x.pdf"), kBadParameterErr);
              return kNoErr;
            }),
            kNoErr);
  EXPECT_EQ(host.Cursor().kind, CursorState::Kind::Image);
  EXPECT_EQ(host.Cursor().name, "cross-01-16011");
  EXPECT_EQ(host.Cursor().hotX, 15);
  EXPECT_EQ(host.Cursor().rgba.size(), 32u * 32u * 4u);
  EXPECT_EQ(host.ShellRequests(), (std::vector<std::string>{"/opt/Corvane User Manual.pdf"}));
}

TEST_F(RuntimeTest, VersionResolutionAndThemeFollowTheHostSettings) {
  HostOptions options = Options();
  options.displayDpi = 144;
  Host& host = StartHost(options);
  host.SetAppVersion(17, 1, 0);
  int brightnessNotes = 0;
  ASSERT_EQ(RunInPlugin([](SPMessageData& h) {
              Acquired<AINotifierSuite> notifiers(h.basic, kAINotifierSuite, kAINotifierSuiteVersion);
              AINotifierHandle n = nullptr;
              return notifiers->AddNotifier(h.self, "QMDMUIUpdate", kAIUIBrightnessChangedNotifier, &n);
            }),
            kNoErr);
  plugin_.On(kCallerAINotify, kSelectorAINotify, [&](void*) -> SPErr { return ++brightnessNotes, kNoErr; });

  auto dialogBackground = [&] {
    AIUIThemeColorSet set{};
    EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
                Acquired<AIUserInterfaceThemeSuite> theme(h.basic, kAIUserInterfaceThemeSuite,
                                                          kAIUserInterfaceThemeSuiteVersion);
                Acquired<AIRuntimeSuite> runtime(h.basic, kAIRuntimeSuite, kAIRuntimeSuiteVersion);
                Acquired<CorvanePlatformSuite> platform(h.basic, kCorvanePlatformSuite, kCorvanePlatformSuiteVersion);
                int32_t major = 0, minor = 0, revision = 0, dpiX = 0, dpiY = 0;
                EXPECT_EQ(runtime->GetAppVersion(&major, &minor, &revision), kNoErr);
                EXPECT_EQ(major * 100 + minor * 10, 1710);
                EXPECT_EQ(platform->GetDisplayResolution(&dpiX, &dpiY), kNoErr);
                EXPECT_EQ(dpiX, 144);
                EXPECT_EQ(theme->GetUIThemeColorSet(2, &set), kBadParameterErr);
                return theme->GetUIThemeColorSet(0, &set);
              }),
              kNoErr);
    return set.colors[0].red;
  };
  const uint16_t light = dialogBackground();
  EXPECT_EQ(host.SetUIBrightness(0.2), kNoErr);
  EXPECT_EQ(brightnessNotes, 1);
  EXPECT_LT(dialogBackground(), light) << "the dark theme has a darker dialog background";
  EXPECT_EQ(host.SetUIBrightness(0.2), kNoErr);
  EXPECT_EQ(brightnessNotes, 1) << "no change, no notification";
}

TEST_F(RuntimeTest, ModalParentsAndContextsAreStacks) {
  StartHost();
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              Acquired<AIModalParentSuite> modal(h.basic, kAIModalParentSuite, kAIModalParentSuiteVersion);
              Acquired<AIContextSuite> context(h.basic, kAIContextSuite, kAIContextSuiteVersion);
              AIWindowRef app = nullptr, top = nullptr;
              EXPECT_EQ(context->GetPlatformAppWindow(&app), kNoErr);
              EXPECT_EQ(modal->GetModalParent(&top), kNoErr);
              EXPECT_EQ(top, app) << "without a modal window the application window is the parent";
              int dialog1 = 0, dialog2 = 0;
              EXPECT_EQ(modal->PushModalParent(reinterpret_cast<AIWindowRef>(&dialog1)), kNoErr);
              EXPECT_EQ(modal->PushModalParent(reinterpret_cast<AIWindowRef>(&dialog2)), kNoErr);
              EXPECT_EQ(modal->PopModalParent(), kNoErr);
              EXPECT_EQ(modal->GetModalParent(&top), kNoErr);
              EXPECT_EQ(top, reinterpret_cast<AIWindowRef>(&dialog1));
              EXPECT_EQ(modal->PopModalParent(), kNoErr);
              EXPECT_EQ(modal->PopModalParent(), kBadParameterErr);

              AIAppContextHandle outer = nullptr, inner = nullptr;
              EXPECT_EQ(context->PushAppContext(h.self, &outer), kNoErr);
              EXPECT_EQ(context->PushAppContext(h.self, &inner), kNoErr);
              EXPECT_EQ(context->PopAppContext(outer), kBadParameterErr) << "contexts end innermost first";
              EXPECT_EQ(context->PopAppContext(inner), kNoErr);
              EXPECT_EQ(context->PopAppContext(outer), kNoErr);
              return kNoErr;
            }),
            kNoErr);
}

}  // namespace
}  // namespace host::testing
