// The dialog layer on the stand-in host's windows: modal results, the
// default and cancel items, Escape and the close box, nested dialogs and the
// windows they disable, numeric fields, unsupported operations, and dialogs
// that cannot be made.  The test process's own layer runs on the host's
// suites (LayerSession); the host's modal loop runs the test's steps.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "QMDM/ADMSuites.h"
#include "QMDM/BaseDialog.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"
#include "hostcall/Error.h"
#include "host/Dialogs.h"
#include "tests/plugin/DialogDriver.h"
#include "tests/plugin/LayerSession.h"

namespace plugin_test {
namespace {

const ADMDialogSuite& Dlg() { return QMDM::DialogSuite(); }
const ADMItemSuite& Itm() { return QMDM::ItemSuite(); }

constexpr int32_t kOK = 1, kCancel = 2, kField = 3, kBox = 4, kMore = 5;
// A code no host call returns.
constexpr SPErr kTestFailure = 0x54455354;

// OK, Cancel, a length field in millimetres, a check box and a button that
// runs `more`.
class TestDialog : public UI::BaseDialog {
 public:
  bool cancelEnabled = true;
  float initialPoints = 72;
  std::function<void()> more;
  std::vector<std::string> userChanges;  // "<id>" per user change that reached the dialog

  int32_t Run(host::Host& host, const char* name = "Test") { return Modal(host.PluginRef(), name, 7); }
  float fieldValue = 0;

 private:
  void Init(ADMDialogRef d) override {
    Dlg().Size(d, 300, 140);
    Item(d, kOK, kADMTextPushButtonType, {200, 100, 280, 122}, "OK");
    ADMItemRef cancel = Item(d, kCancel, kADMTextPushButtonType, {110, 100, 190, 122}, "Cancel");
    Itm().Enable(cancel, cancelEnabled);
    ADMItemRef field = Item(d, kField, kADMTextEditType, {20, 20, 160, 42}, "");
    Itm().SetUnits(field, kADMMillimeterUnits);
    Itm().SetPrecision(field, 4);
    Itm().SetFloatValue(field, initialPoints);
    Item(d, kBox, kADMTextCheckBoxType, {20, 60, 160, 80}, "Preview");
    Item(d, kMore, kADMTextPushButtonType, {20, 100, 100, 122}, "More");
  }
  void Notify(ADMDialogRef d, ADMNotifierRef n) override {
    ADMItemRef item = QMDM::NotifierSuite().GetItem(n);
    if (item && QMDM::NotifierSuite().IsNotifierType(n, kADMUserChangedNotifier)) {
      userChanges.push_back(std::to_string(Itm().GetID(item)));
      fieldValue = Itm().GetFloatValue(Dlg().GetItem(d, kField));
      if (Itm().GetID(item) == kMore && more) more();
    }
    BaseDialog::Notify(d, n);
  }
  static ADMItemRef Item(ADMDialogRef d, int32_t id, ADMItemType type, ADMRect r, const char* text) {
    ADMItemRef item = Dlg().CreateItem(d, id, type, &r, nullptr, nullptr, 0);
    if (*text) Itm().SetText(item, text);
    return item;
  }
};

class DialogLayer : public ::testing::Test {
 protected:
  host::Host& host() { return session_.host(); }
  std::optional<host::WindowInfo> Open() { return host::ActiveDialog(host()); }
  std::string FieldText() { return Open()->Control(kField)->text; }

  // After every dialog: no window left, nothing disabled, no modal parent.
  void ExpectAllClosed() {
    EXPECT_TRUE(host::Windows(host()).empty());
    EXPECT_EQ(host::ModalDepth(host()), 0);
    EXPECT_TRUE(host::AppWindowEnabled(host()));
  }

 private:
  LayerSession session_;
};

TEST_F(DialogLayer, EndsWithTheItemThatEndedIt) {
  const struct {
    const char* name;
    std::function<void(host::Host&)> step;
    int32_t result;
  } cases[] = {
      {"OK pressed", [](host::Host& h) { host::Press(h, kOK); }, kOK},
      {"Cancel pressed", [](host::Host& h) { host::Press(h, kCancel); }, kCancel},
      {"Escape", [](host::Host& h) { host::PressKey(h, kCorvaneKeyEscape); }, kCancel},
      {"Enter", [](host::Host& h) { host::PressKey(h, kCorvaneKeyEnter); }, kOK},
      {"close box", [](host::Host& h) { host::CloseDialog(h); }, kCancel},
      {"nobody ends it: the host closes it", [](host::Host&) {}, kCancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestDialog dialog;
    DialogDriver driver(host(), {[&] { c.step(host()); }});
    EXPECT_EQ(dialog.Run(host()), c.result);
    ExpectAllClosed();
  }
}

TEST_F(DialogLayer, OpensCentredWithTheFocusOnTheFirstItemThatTakesIt) {
  TestDialog dialog;
  DialogDriver driver(host(), {[&] {
                        const host::WindowInfo w = *Open();
                        EXPECT_EQ(w.name, "Test");
                        EXPECT_TRUE(w.visible && w.modal);
                        EXPECT_EQ(w.bounds.right - w.bounds.left, 300);
                        EXPECT_EQ(w.bounds.bottom - w.bounds.top, 140);
                        EXPECT_EQ(w.bounds.left, (1024 - 300) / 2);
                        EXPECT_EQ(w.bounds.top, (768 - 140) / 2);
                        EXPECT_TRUE(w.Control(kOK)->focused);
                        EXPECT_FALSE(host::AppWindowEnabled(host()));
                        host::Press(host(), kOK);
                      }});
  EXPECT_EQ(dialog.Run(host()), kOK);
  EXPECT_TRUE(driver.AllRun());
}

TEST_F(DialogLayer, DisabledCancelIgnoresEscapeButNotTheCloseBox) {
  {
    TestDialog dialog;
    dialog.cancelEnabled = false;
    DialogDriver driver(host(), {[&] { host::PressKey(host(), kCorvaneKeyEscape); },
                                 [&] {
                                   EXPECT_EQ(host::ModalDepth(host()), 1) << "Escape ended the dialog";
                                   EXPECT_TRUE(dialog.userChanges.empty());
                                   host::Press(host(), kOK);
                                 }});
    EXPECT_EQ(dialog.Run(host()), kOK);
  }
  {
    TestDialog dialog;
    dialog.cancelEnabled = false;
    DialogDriver driver(host(), {[&] { host::CloseDialog(host()); }});
    EXPECT_EQ(dialog.Run(host()), kCancel);
    ExpectAllClosed();
  }
}

TEST_F(DialogLayer, NestedDialogsStackOwnersAndEnableWindowsAfter) {
  TestDialog outer, inner;
  AIWindowRef outerWindow = nullptr;
  int32_t innerResult = 0;
  outer.more = [&] { innerResult = inner.Run(host(), "Inner"); };
  DialogDriver driver(host(), {[&] {
                                 outerWindow = Open()->ref;
                                 EXPECT_EQ(Open()->owner, host::AppWindow(host()));
                                 host::Press(host(), kMore);
                               },
                               [&] {
                                 const host::WindowInfo in = *Open();
                                 EXPECT_EQ(in.name, "Inner");
                                 EXPECT_EQ(in.owner, outerWindow);
                                 EXPECT_EQ(host::ModalDepth(host()), 2);
                                 for (const host::WindowInfo& w : host::Windows(host()))
                                   EXPECT_EQ(w.enabled, w.ref == in.ref) << w.name;
                                 EXPECT_FALSE(host::AppWindowEnabled(host()));
                                 host::Press(host(), kOK);
                               },
                               [&] {
                                 EXPECT_EQ(Open()->ref, outerWindow);
                                 EXPECT_TRUE(Open()->enabled);
                                 EXPECT_FALSE(host::AppWindowEnabled(host()));
                                 host::PressKey(host(), kCorvaneKeyEscape);
                               }});
  EXPECT_EQ(outer.Run(host(), "Outer"), kCancel);
  EXPECT_EQ(innerResult, kOK);
  EXPECT_TRUE(driver.AllRun());
  ExpectAllClosed();
}

TEST_F(DialogLayer, NumericFieldReadsTypedUnitsAndKeepsItsLastGoodValue) {
  TestDialog dialog;
  DialogDriver driver(host(), {[&] { EXPECT_EQ(FieldText(), "25.4 mm"); },
                               [&] { host::TypeText(host(), kField, "2 in"); },
                               [&] {
                                 EXPECT_FLOAT_EQ(dialog.fieldValue, 144);
                                 EXPECT_EQ(FieldText(), "50.8 mm");
                               },
                               [&] { host::TypeText(host(), kField, "3p6"); },
                               [&] { EXPECT_FLOAT_EQ(dialog.fieldValue, 42); },
                               [&] { host::TypeText(host(), kField, "two inches"); },
                               [&] {
                                 EXPECT_FLOAT_EQ(dialog.fieldValue, 42);
                                 EXPECT_EQ(FieldText(), "14.8167 mm");
                               },
                               [&] { host::Toggle(host(), kBox); },
                               [&] { EXPECT_EQ(Open()->Control(kBox)->value, 1); },
                               [&] { host::Press(host(), kOK); }});
  EXPECT_EQ(dialog.Run(host()), kOK);
  EXPECT_EQ(dialog.userChanges, (std::vector<std::string>{"3", "3", "3", "4", "1"}));
}

TEST_F(DialogLayer, DialogThatCannotBeMadeReturnsMinusOne) {
  host().faults().Fail(kCorvaneWindowSuite, "CreateWindow", kBadParameterErr, 1);
  TestDialog dialog;
  EXPECT_EQ(dialog.Run(host()), kADMModalNotCreated);
  ExpectAllClosed();
}

// A failure inside a notification ends the dialog and comes back from the
// modal run with its code; the window system never sees it.
TEST_F(DialogLayer, FailureInsideANotificationEndsTheDialogWithItsCode) {
  TestDialog dialog;
  dialog.more = [] { throw ai::Error(kTestFailure); };
  DialogDriver driver(host(), {[&] { host::Press(host(), kMore); }, [&] { ADD_FAILURE() << "the dialog stayed open"; }});
  try {
    dialog.Run(host());
    ADD_FAILURE() << "no failure came back";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), kTestFailure);
  }
  EXPECT_TRUE(host::WindowEventFailures(host()).empty());
  ExpectAllClosed();
}

TEST(DialogLayerUnsupported, PrintsTheOperationAndThrows) {
  const struct {
    const char* operation;
    const char* module;
    std::function<void()> call;
  } cases[] = {
      {"CreateTimer", "ADMDialogSuite.cpp", [] { QMDM::DialogSuite().CreateTimer(nullptr, 10); }},
      {"SetMinWidth", "ADMDialogSuite.cpp", [] { QMDM::DialogSuite().SetMinWidth(nullptr, 10); }},
      {"SetTipString", "ADMItemSuite.cpp", [] { QMDM::ItemSuite().SetTipString(nullptr, "tip"); }},
      {"ChooseColor", "ADMBasicSuite.cpp", [] { QMDM::BasicSuite().ChooseColor(nullptr); }},
      {"ADMWinHostSuite::SetWindowsMessageHook", "ADMUnofferedSuites.cpp",
       [] { QMDM::WinHostSuite().SetWindowsMessageHook(nullptr); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.operation);
    testing::internal::CaptureStdout();
    try {
      c.call();
      ADD_FAILURE() << "no exception";
    } catch (const QMDM::QMDMNotImpl& e) {
      EXPECT_STREQ(e.what(), "QMDM: Function not implemented");
    }
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string head = std::string("未实现： ") + c.operation + " in ";
    EXPECT_EQ(out.substr(0, head.size()), head);
    EXPECT_NE(out.find(std::string("QMDM/ImplWin/") + c.module), std::string::npos) << out;
    EXPECT_EQ(out.back(), '\n');
  }
}

}  // namespace
}  // namespace plugin_test
