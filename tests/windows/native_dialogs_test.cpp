// The dialog layer on the system's own windows: the real module under a
// stand-in host that offers no window suite (as the real host offers none),
// so that the About dialog and the tangent-circle options make Win32 windows
// and controls.  Steps run inside the dialog's modal loop from a thread timer,
// which that loop dispatches; they read the windows as a person sees them,
// save a picture of each dialog, and press its buttons and keys with the
// messages a person's clicks and keys become.  Needs a display: CTest runs it
// under xvfb-run.
#include <windows.h>
// windows.h first: GDI+ builds on its types.
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "QMDM/ImplCommon/PixelScale.h"
#include "host/Host.h"
#include "host/runtime/Preferences.h"
#include "tests/plugin/PluginHost.h"

namespace {

namespace gp = Gdiplus::DllExports;

constexpr wchar_t kDialogClass[] = L"CorvaneDialog";
constexpr const char* kSection = "Corvane";
constexpr const char* kTangentTool = "QM Tangent Circle";
// The host version the stand-in reports, for the pixel scale.
constexpr int kHostMajor = 28, kHostMinor = 0;
constexpr UINT kTickMs = 50;
// How long a dialog may take to show, and to go once its step ran.
constexpr int kTicksToShow = 200, kTicksToClose = 100;

host::HostOptions NativeDialogOptions(double brightness = 1.0) {
  host::HostOptions options = plugin_test::TestOptions();
  options.offerWindowSuite = false;
  options.uiBrightness = brightness;
  return options;
}

// A host like the real one: neither the window suite nor the platform suite.
host::HostOptions NoCorvaneSuites() {
  host::HostOptions options = NativeDialogOptions();
  options.offerPlatformSuite = false;
  return options;
}

// A document, the module loaded and started.
AIErr StartOn(host::Host& h) {
  h.NewDocument();
  h.LoadPlugin(CORVANE_MODULE_PATH);
  return h.Startup();
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::vector<HWND> OpenDialogs() {
  std::vector<HWND> dialogs;
  for (HWND hwnd : ThreadWindows())
    if (ClassOf(hwnd) == kDialogClass) dialogs.push_back(hwnd);
  return dialogs;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

// The dialog's controls by their item id.
std::map<int, HWND> Controls(HWND dialog) {
  std::map<int, HWND> controls;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM map) {
        (*reinterpret_cast<std::map<int, HWND>*>(map))[GetDlgCtrlID(child)] = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&controls));
  return controls;
}

SIZE ClientSize(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// A control's rectangle in its dialog's client area.
RECT PlaceOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

QMDM::PixelScale DisplayScale() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return QMDM::ChoosePixelScale(kHostMajor, kHostMinor, dpi);
}

RECT Scaled(const RECT& r) {
  const QMDM::PixelScale s = DisplayScale();
  return {s.Apply(r.left), s.Apply(r.top), s.Apply(r.right), s.Apply(r.bottom)};
}

void ExpectPlace(HWND control, const RECT& units) {
  const RECT want = Scaled(units), got = PlaceOf(control);
  EXPECT_EQ(got.left, want.left);
  EXPECT_EQ(got.top, want.top);
  EXPECT_EQ(got.right, want.right);
  EXPECT_EQ(got.bottom, want.bottom);
}

// The dialog's title, its client size (dialog units, scaled) and the texts of
// its items; its items by id.
std::map<int, HWND> ExpectDialog(HWND dialog, const wchar_t* title, SIZE units,
                                 const std::map<int, std::wstring>& texts) {
  EXPECT_EQ(TextOf(dialog), title);
  const SIZE size = ClientSize(dialog);
  EXPECT_EQ(size.cx, DisplayScale().Apply(units.cx));
  EXPECT_EQ(size.cy, DisplayScale().Apply(units.cy));
  std::map<int, HWND> items = Controls(dialog);
  for (const auto& [id, text] : texts) {
    EXPECT_TRUE(items.count(id)) << "no item " << id;
    if (items.count(id)) EXPECT_EQ(TextOf(items[id]), text) << "item " << id;
  }
  return items;
}

// What is on the screen where the window is, as a PNG through GDI+'s encoder.
void SaveScreenshot(HWND window, const std::filesystem::path& file) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  Sleep(200);
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  Gdiplus::GpBitmap* image = nullptr;
  EXPECT_EQ(gp::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image), Gdiplus::Ok);
  UINT count = 0, bytes = 0;
  gp::GdipGetImageEncodersSize(&count, &bytes);
  std::vector<BYTE> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  gp::GdipGetImageEncoders(count, bytes, encoders);
  const Gdiplus::ImageCodecInfo* png = nullptr;
  for (UINT i = 0; i < count; ++i)
    if (std::wstring(encoders[i].MimeType) == L"image/png") png = &encoders[i];
  EXPECT_TRUE(png) << "GDI+ has no PNG encoder";
  std::filesystem::create_directories(file.parent_path());
  if (image && png) {
    EXPECT_EQ(gp::GdipSaveImageToFile(image, file.wstring().c_str(), &png->Clsid, nullptr), Gdiplus::Ok);
  }
  if (image) gp::GdipDisposeImage(image);
  Gdiplus::GdiplusShutdown(token);
  DeleteObject(bitmap);
}

// The colour on the screen at a point of the window's client area, in
// dialog units.
COLORREF ScreenPixel(HWND window, POINT units) {
  const QMDM::PixelScale s = DisplayScale();
  POINT p{s.Apply(units.x), s.Apply(units.y)};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

std::filesystem::path ScreenshotFile(const char* name) {
  return std::filesystem::path(CORVANE_SCREENSHOT_DIR) / name;
}

double Luminance(COLORREF c) { return 0.2126 * GetRValue(c) + 0.7152 * GetGValue(c) + 0.0722 * GetBValue(c); }

// A visible top-level window of the test's thread standing for the host's
// own: a modal dialog disables it while it runs and enables it again after.
class AppWindow {
 public:
  AppWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~AppWindow() { DestroyWindow(hwnd_); }
  AppWindow(const AppWindow&) = delete;
  AppWindow& operator=(const AppWindow&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Runs a step on the dialog once it shows, from a thread timer that fires
// inside its modal loop.  A dialog that does not show, or stays after its
// step, fails the test and is closed so that the loop ends.
class InModalLoop {
 public:
  explicit InModalLoop(std::function<void(HWND)> step) : step_(std::move(step)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
  }
  ~InModalLoop() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  InModalLoop(const InModalLoop&) = delete;
  InModalLoop& operator=(const InModalLoop&) = delete;
  bool Ran() const { return ran_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    InModalLoop* self = current_;
    if (!self) return;
    ++self->ticks_;
    const std::vector<HWND> dialogs = OpenDialogs();
    if (!self->ran_) {
      if (!dialogs.empty() && IsWindowVisible(dialogs.back())) {
        self->ran_ = true;
        self->ticks_ = 0;
        self->step_(dialogs.back());
      } else if (self->ticks_ > kTicksToShow) {
        ADD_FAILURE() << "no dialog showed";
        KillTimer(nullptr, self->timer_);
      }
    } else if (!dialogs.empty() && self->ticks_ > kTicksToClose) {
      ADD_FAILURE() << "the dialog stayed open after its step";
      PostMessageW(dialogs.back(), WM_CLOSE, 0, 0);
      self->ticks_ = 0;
    }
  }

  static inline InModalLoop* current_ = nullptr;
  std::function<void(HWND)> step_;
  UINT_PTR timer_ = 0;
  int ticks_ = 0;
  bool ran_ = false;
};

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// --- the About dialog

// Item ids of the About dialog.
constexpr int kProductPage = 1, kClose = 2, kManual = 3, kBanner = 100, kAddress = 101, kVersion = 102,
              kSeparator = 120;

TEST(NativeDialogs, AboutShowsOnSystemWindowsInBothAppearancesAndCloses) {
  const struct {
    const char* appearance;
    double brightness;
    const char* screenshot;
  } cases[] = {{"light", 1.0, "windows-about.png"}, {"dark", 0.0, "windows-about-dark.png"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.appearance);
    host::Host h(NativeDialogOptions(c.brightness));
    ASSERT_EQ(StartOn(h), kNoErr);
    AppWindow app;
    COLORREF ground = 0;
    InModalLoop loop([&](HWND dialog) {
      EXPECT_FALSE(IsWindowEnabled(app.get())) << "the host's window stays usable under the dialog";
      std::map<int, HWND> items = ExpectDialog(dialog, L"About Corvane", {600, 615},
                                               {{kAddress, L"www.quillmark.com"},
                                                {kVersion, L"v1.2.9"},
                                                {kClose, L"Close"},
                                                {kManual, L"Manual"},
                                                {kProductPage, L"Visit product page"}});
      for (int id : {kAddress, kVersion, kClose, kManual, kProductPage}) {
        ASSERT_TRUE(items.count(id)) << "no item " << id;
        EXPECT_TRUE(IsWindowVisible(items[id])) << "item " << id;
      }
      EXPECT_EQ(ClassOf(items[kClose]), L"Button");
      ASSERT_TRUE(items.count(kBanner) && items.count(kSeparator));
      ExpectPlace(items[kBanner], {0, 0, 600, 468});
      ExpectPlace(items[kClose], {32, 579, 122, 601});
      SaveScreenshot(dialog, ScreenshotFile(c.screenshot));
      // The ground between the separator and the buttons.
      ground = ScreenPixel(dialog, {300, 520});
      Click(items[kClose]);
    });
    EXPECT_EQ(h.RunMenuItem("HelpAboutCorvane"), kNoErr);
    EXPECT_TRUE(loop.Ran());
    EXPECT_TRUE(OpenDialogs().empty()) << "the dialog's window is gone";
    EXPECT_TRUE(IsWindowEnabled(app.get())) << "the host's window is enabled again";
    EXPECT_TRUE(h.ShellRequests().empty()) << "Close opens nothing";
    if (c.brightness < 0.5)
      EXPECT_LT(Luminance(ground), 100) << "the dark appearance's ground";
    else
      EXPECT_GT(Luminance(ground), 150) << "the light appearance's ground";
  }
}

// --- the tangent circle's options

// Item ids of the options dialog.
constexpr int kOK = 1, kCancel = 2, kRadius = 4, kAsk = 5, kPreview = 6, kProblem = 7, kRadiusFrame = 100;

struct Stored {
  double radius;
  bool ask;
  bool preview;
};

class TangentOptions : public ::testing::Test {
 protected:
  TangentOptions() {
    EXPECT_EQ(StartOn(h_), kNoErr);
    Store({50, false, false});
  }
  void Store(const Stored& s) {
    h_.preferences().PutReal(kSection, "CircleTTRRadius", s.radius);
    h_.preferences().PutBoolean(kSection, "CircleTTRAsk", s.ask);
    h_.preferences().PutBoolean(kSection, "CircleTTRPreview", s.preview);
  }
  Stored Read() {
    return {h_.preferences().GetReal(kSection, "CircleTTRRadius"),
            h_.preferences().GetBoolean(kSection, "CircleTTRAsk") != 0,
            h_.preferences().GetBoolean(kSection, "CircleTTRPreview") != 0};
  }
  AIErr OpenOptions() { return h_.EditToolOptions(kTangentTool); }

  host::Host h_{NativeDialogOptions()};
  AppWindow app_;
};

TEST_F(TangentOptions, ShowsItsItemsAtTheirPlacesWithTheirTexts) {
  InModalLoop loop([&](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(app_.get()));
    std::map<int, HWND> items = ExpectDialog(dialog, L"圆形选项", {280, 116},
                                             {{kOK, L"OK"},
                                              {kCancel, L"取消"},
                                              {kRadius, L"50 pt"},
                                              {kAsk, L"Ask"},
                                              {kPreview, L"预览"},
                                              {kRadiusFrame, L"半径:"},
                                              {kProblem, L"半径必须大于 0"}});
    for (int id : {kOK, kCancel, kRadius, kAsk, kPreview, kRadiusFrame, kProblem})
      ASSERT_TRUE(items.count(id)) << "no item " << id;
    EXPECT_EQ(ClassOf(items[kRadius]), L"Edit");
    EXPECT_EQ(GetFocus(), items[kRadius]) << "the first item that takes the focus has it";
    EXPECT_FALSE(IsWindowVisible(items[kProblem])) << "shown only when OK is refused";
    EXPECT_EQ(SendMessageW(items[kAsk], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ExpectPlace(items[kOK], {190, 16, 273, 38});
    ExpectPlace(items[kRadius], {26, 34, 162, 56});
    SaveScreenshot(dialog, ScreenshotFile("windows-ttr-options.png"));
    Click(items[kCancel]);
  });
  EXPECT_EQ(OpenOptions(), kNoErr);
  EXPECT_TRUE(loop.Ran());
  EXPECT_TRUE(OpenDialogs().empty());
  EXPECT_TRUE(IsWindowEnabled(app_.get()));
}

// Both boxes toggled and the radius typed (the focus stays in its field),
// then the dialog ended each way a person can end it: only OK and Enter
// store the three values, the typed radius included.
TEST_F(TangentOptions, OKAndEnterStoreWhatWasTypedAndToggledTheOtherWaysStoreNothing) {
  const struct {
    const char* how;
    std::function<void(HWND dialog, std::map<int, HWND>& items)> end;
    bool stores;
  } cases[] = {
      {"OK clicked", [](HWND, std::map<int, HWND>& items) { Click(items[kOK]); }, true},
      // As an accessibility tool invokes a button: the focus stays where it is.
      {"OK invoked without the focus",
       [](HWND dialog, std::map<int, HWND>& items) {
         SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kOK, BN_CLICKED), reinterpret_cast<LPARAM>(items[kOK]));
       },
       true},
      {"Enter in the radius field",
       [](HWND, std::map<int, HWND>& items) { PostMessageW(items[kRadius], WM_KEYDOWN, VK_RETURN, 1); }, true},
      {"Cancel clicked", [](HWND, std::map<int, HWND>& items) { Click(items[kCancel]); }, false},
      {"Escape", [](HWND, std::map<int, HWND>& items) { PostMessageW(items[kRadius], WM_KEYDOWN, VK_ESCAPE, 1); },
       false},
      {"the close box", [](HWND dialog, std::map<int, HWND>&) { PostMessageW(dialog, WM_CLOSE, 0, 0); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    Store({50, false, false});
    InModalLoop loop([&](HWND dialog) {
      std::map<int, HWND> items = Controls(dialog);
      Click(items[kAsk]);
      Click(items[kPreview]);
      EXPECT_EQ(SendMessageW(items[kAsk], BM_GETCHECK, 0, 0), BST_CHECKED);
      // Typed: the field's text changes, as WM_SETTEXT reports it to its window.
      SetFocus(items[kRadius]);
      SendMessageW(items[kRadius], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"30 pt"));
      EXPECT_EQ(GetFocus(), items[kRadius]);
      c.end(dialog, items);
    });
    EXPECT_EQ(OpenOptions(), kNoErr);
    EXPECT_TRUE(loop.Ran());
    EXPECT_TRUE(OpenDialogs().empty());
    EXPECT_TRUE(IsWindowEnabled(app_.get()));
    const Stored s = Read();
    EXPECT_EQ(s.radius, c.stores ? 30 : 50);
    EXPECT_EQ(s.ask, c.stores);
    EXPECT_EQ(s.preview, c.stores);
  }
}

// A radius of zero is refused: the dialog stays, shows why, and puts the
// stored radius back; OK then stores that.
TEST_F(TangentOptions, ARadiusOfZeroIsRefusedWithTheReasonShown) {
  std::optional<bool> problemShown;
  std::wstring radiusAfter;
  InModalLoop loop([&](HWND dialog) {
    std::map<int, HWND> items = Controls(dialog);
    SetFocus(items[kRadius]);
    SendMessageW(items[kRadius], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
    Click(items[kOK]);
    ASSERT_FALSE(OpenDialogs().empty()) << "refused, the dialog stays";
    problemShown = IsWindowVisible(items[kProblem]) != 0;
    radiusAfter = TextOf(items[kRadius]);
    Click(items[kOK]);
  });
  EXPECT_EQ(OpenOptions(), kNoErr);
  EXPECT_TRUE(loop.Ran());
  EXPECT_EQ(problemShown, true);
  EXPECT_EQ(radiusAfter, L"50 pt");
  EXPECT_EQ(Read().radius, 50);
  EXPECT_TRUE(OpenDialogs().empty());
}

// --- the platform calls the module makes itself

// Without the host's platform suite the module decodes its images with GDI+
// (the About banner shows), and builds its cursors itself: the same image
// size and hot spot as the host records from the same gesture with its suite.
TEST(NativePlatform, WithoutTheHostsPlatformSuiteImagesShowAndCursorsKeepTheirHotSpots) {
  host::CursorState recorded;
  {
    host::Host h(plugin_test::TestOptions());
    ASSERT_EQ(StartOn(h), kNoErr);
    ASSERT_EQ(h.SelectTool(kTangentTool), kNoErr);
    ASSERT_EQ(h.TrackCursor({100, 100}), kNoErr);
    recorded = h.Cursor();
    ASSERT_EQ(recorded.kind, host::CursorState::Kind::Image);
  }
  host::Host h(NoCorvaneSuites());
  ASSERT_EQ(StartOn(h), kNoErr);
  ASSERT_EQ(h.SelectTool(kTangentTool), kNoErr);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  ASSERT_EQ(h.TrackCursor({100, 100}), kNoErr);
  EXPECT_EQ(h.Cursor().kind, host::CursorState::Kind::Unset) << "the host saw the cursor";
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
  BITMAP color{};
  GetObjectW(info.hbmColor, sizeof color, &color);
  EXPECT_EQ(color.bmWidth, recorded.width);
  EXPECT_EQ(color.bmHeight, recorded.height);
  EXPECT_EQ(static_cast<int32_t>(info.xHotspot), recorded.hotX);
  EXPECT_EQ(static_cast<int32_t>(info.yHotspot), recorded.hotY);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  COLORREF banner = 0, ground = 0;
  InModalLoop loop([&](HWND dialog) {
    SaveScreenshot(dialog, ScreenshotFile("windows-about-native-platform.png"));
    banner = ScreenPixel(dialog, {300, 60});
    ground = ScreenPixel(dialog, {300, 520});
    Click(Controls(dialog)[kClose]);
  });
  EXPECT_EQ(h.RunMenuItem("HelpAboutCorvane"), kNoErr);
  EXPECT_TRUE(loop.Ran());
  EXPECT_LT(Luminance(banner), 100) << "the banner's dark picture";
  EXPECT_GT(Luminance(ground), 150) << "the light ground";
}

}  // namespace
