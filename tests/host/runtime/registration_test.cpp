// What a plug-in registers (tools, notifiers, menus) and how the host drives
// it: tool choice, mouse events, modifier changes and menu commands.
#include <gtest/gtest.h>

#include "tests/host/runtime/RuntimeHarness.h"

namespace host::testing {
namespace {

// "切线圆" in GBK, as the plug-in passes tooltips.
constexpr const char* kTangentCircleGbk = "\xc7\xd0\xcf\xdf\xd4\xb2";

AIErr AddTool(const SPMessageData& h, const char* title, const char* tooltip, int16_t group, int16_t toolset,
              AIToolHandle* tool) {
  Acquired<AIToolSuite> tools(h.basic, kAIToolSuite, kAIToolSuiteVersion);
  const AIAddToolData data{title, tooltip, 0, 16051, 17051, group, toolset};
  return tools->AddTool(h.self, title, &data, 1, tool);
}

TEST_F(RuntimeTest, ToolsAreNumberedInRegistrationOrderWithTooltipsDecoded) {
  Host& host = StartHost();
  ASSERT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              AIToolHandle a = nullptr, b = nullptr, c = nullptr, rejected = nullptr;
              EXPECT_EQ(AddTool(h, "QM Tangent Circle", kTangentCircleGbk, kNoTool, kNoTool, &a), kNoErr);
              EXPECT_EQ(AddTool(h, "QM Curvature", "", 0, 0, &b), kNoErr);
              EXPECT_EQ(AddTool(h, "Bad tooltip", "\xff\xfe", kNoTool, kNoTool, &rejected), kBadParameterErr);
              EXPECT_EQ(AddTool(h, "Bad mate", "", 5, kNoTool, &rejected), kBadParameterErr);
              EXPECT_EQ(rejected, nullptr);
              EXPECT_EQ(AddTool(h, "QM Connect", "", 0, kNoTool, &c), kNoErr);
              Acquired<AIToolSuite> tools(h.basic, kAIToolSuite, kAIToolSuiteVersion);
              int16_t number = -1;
              EXPECT_EQ(tools->GetToolNumberFromHandle(c, &number), kNoErr);
              EXPECT_EQ(number, 2) << "rejected registrations take no number";
              EXPECT_EQ(tools->GetToolNumberFromHandle(reinterpret_cast<AIToolHandle>(&h), &number), kBadHandleErr);
              return kNoErr;
            }),
            kNoErr);
  const std::vector<ToolInfo> tools = host.Tools();
  ASSERT_EQ(tools.size(), 3u);
  EXPECT_EQ(tools[0].tooltip, "切线圆");
  EXPECT_EQ(tools[0].darkIconId, 17051);
  EXPECT_EQ(tools[1].sameGroupAs, 0);
  EXPECT_EQ(tools[1].sameToolsetAs, 0);
  EXPECT_EQ(tools[2].title, "QM Connect");
  EXPECT_EQ(tools[2].sameToolsetAs, kNoTool);
  for (int16_t i = 0; i < 3; ++i) EXPECT_EQ(tools[i].number, i);
}

class ToolDrivingTest : public RuntimeTest {
 protected:
  void SetUp() override {
    StartHost();
    host_->NewDocument();
    ASSERT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
                if (AIErr e = AddTool(h, "A", "", kNoTool, kNoTool, &a_)) return e;
                return AddTool(h, "B", "", kNoTool, kNoTool, &b_);
              }),
              kNoErr);
    for (const char* selector : {kSelectorAISelectTool, kSelectorAIDeselectTool, kSelectorAIReselectTool,
                                 kSelectorAIEditToolOptions, kSelectorAIToolMouseDown})
      plugin_.On(kCallerAITool, selector, [this, selector](void* message) -> SPErr {
        const auto* m = static_cast<AIToolMessage*>(message);
        seen_.push_back({selector, m->tool});
        last_ = *m;
        lastEvent_ = *m->event;
        return kNoErr;
      });
  }

  struct Seen {
    std::string selector;
    AIToolHandle tool;
    bool operator==(const Seen&) const = default;
  };
  AIToolHandle a_ = nullptr;
  AIToolHandle b_ = nullptr;
  std::vector<Seen> seen_;
  AIToolMessage last_{};
  AIEvent lastEvent_{};
};

TEST_F(ToolDrivingTest, ChoosingToolsSendsDeselectSelectAndReselect) {
  EXPECT_EQ(host_->SelectTool("A"), kNoErr);
  EXPECT_EQ(host_->SelectTool("A"), kNoErr);
  EXPECT_EQ(host_->SelectTool("B"), kNoErr);
  EXPECT_EQ(host_->EditToolOptions("A"), kNoErr);
  EXPECT_EQ(seen_, (std::vector<Seen>{{kSelectorAISelectTool, a_},
                                      {kSelectorAIReselectTool, a_},
                                      {kSelectorAIDeselectTool, a_},
                                      {kSelectorAISelectTool, b_},
                                      {kSelectorAIEditToolOptions, a_}}));
  EXPECT_EQ(host_->SelectedTool(), b_);
  EXPECT_THROW(host_->SelectTool("C"), HostError);
}

TEST_F(ToolDrivingTest, MouseEventsCarryArtworkCursorViewPointAndAllModifiers) {
  EXPECT_EQ(host_->MouseDown({100, 200}), kNoErr);
  EXPECT_TRUE(seen_.empty()) << "no tool chosen, nothing sent";
  ASSERT_EQ(host_->SelectTool("B"), kNoErr);
  host_->SetZoom(2);
  ASSERT_EQ(host_->SetModifiers(aiEventModifiers_cmdKey), kNoErr);
  ASSERT_EQ(host_->MouseDown({100, 200}, aiEventModifiers_shiftKey), kNoErr);
  EXPECT_EQ(last_.tool, b_);
  EXPECT_EQ(last_.cursor.h, 100);
  EXPECT_EQ(last_.cursor.v, 200);
  EXPECT_EQ(lastEvent_.what, aiEventMouseDown);
  const AIPoint where = host_->ArtworkToView({100, 200});
  EXPECT_EQ(lastEvent_.where.h, where.h);
  EXPECT_EQ(lastEvent_.where.v, where.v);
  EXPECT_EQ(lastEvent_.modifiers, aiEventModifiers_cmdKey | aiEventModifiers_shiftKey);
}

TEST_F(RuntimeTest, ModifiersNotifierIsSentOnlyWhenTheWordChanges) {
  Host& host = StartHost();
  std::vector<std::string> told;
  ASSERT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              Acquired<AINotifierSuite> notifiers(h.basic, kAINotifierSuite, kAINotifierSuiteVersion);
              AINotifierHandle listening = nullptr, idle = nullptr, other = nullptr;
              notifiers->AddNotifier(h.self, "listening", kAIToolModifiersChangedNotifier, &listening);
              notifiers->AddNotifier(h.self, "idle", kAIToolModifiersChangedNotifier, &idle);
              notifiers->AddNotifier(h.self, "other", kAIArtSelectionChangedNotifier, &other);
              return notifiers->SetNotifierActive(idle, false);
            }),
            kNoErr);
  plugin_.On(kCallerAINotify, kSelectorAINotify, [&](void* message) -> SPErr {
    const auto* m = static_cast<AINotifierMessage*>(message);
    for (const NotifierInfo& n : host.Notifiers())
      if (n.handle == m->notifier) told.push_back(n.name + ":" + m->type);
    return kNoErr;
  });
  const std::string expected = std::string("listening:") + kAIToolModifiersChangedNotifier;
  struct Step {
    uint16_t modifiers;
    std::size_t toldAfter;
  };
  const Step steps[] = {{aiEventModifiers_shiftKey, 1},
                        {aiEventModifiers_shiftKey, 1},
                        {aiEventModifiers_shiftKey | aiEventModifiers_optionKey, 2},
                        {0, 3},
                        {0, 3}};
  for (const Step& s : steps) {
    EXPECT_EQ(host.SetModifiers(s.modifiers), kNoErr);
    EXPECT_EQ(host.Modifiers(), s.modifiers);
    EXPECT_EQ(told.size(), s.toldAfter);
  }
  for (const std::string& t : told) EXPECT_EQ(t, expected);
}

TEST_F(RuntimeTest, MenuItemNamesAreUniqueAndGroupsNestAsSubmenus) {
  Host& host = StartHost();
  AIMenuItemHandle about = nullptr;
  ASSERT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              Acquired<AIMenuSuite> menus(h.basic, kAIMenuSuite, kAIMenuSuiteVersion);
              Acquired<AIUnicodeStringSuite> strings(h.basic, kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion);
              AIUnicodeStringHandle maker = nullptr, aboutText = nullptr;
              EXPECT_EQ(strings->NewFromBytes("Quillmark", -1, kAIPlatformCharacterEncoding, &maker), kNoErr);
              EXPECT_EQ(strings->NewFromBytes("\xb9\xd8\xd3\xda", -1, kAIPlatformCharacterEncoding, &aboutText), kNoErr);
              AIMenuItemHandle first = nullptr, second = nullptr, dup = nullptr;
              EXPECT_EQ(menus->AddMenuItem(h.self, nullptr, "Help Menu", maker, 0, &first), kNoErr);
              EXPECT_EQ(menus->AddMenuItem(h.self, nullptr, "Help Menu", maker, 0, &second), kNoErr);
              EXPECT_EQ(menus->AddMenuItem(h.self, "HelpAboutCorvane", "About", aboutText, 0, &about), kNoErr);
              EXPECT_EQ(menus->AddMenuItem(h.self, "HelpAboutCorvane", "Help Menu", maker, 0, &dup), kBadParameterErr);
              EXPECT_EQ(menus->AddMenuItem(h.self, "Elsewhere", "No Such Group", maker, 0, &dup), kBadParameterErr);
              EXPECT_EQ(dup, nullptr);

              AIMenuGroup group = nullptr;
              EXPECT_EQ(menus->AddMenuGroupAsSubMenu("com.quillmark", 0, first, &group), kNoErr);
              EXPECT_EQ(menus->AddMenuGroupAsSubMenu("com.quillmark", 0, second, &group), kBadParameterErr);
              EXPECT_EQ(menus->AddMenuGroupAsSubMenu("Another", 0, first, &group), kBadParameterErr);

              int32_t count = 0;
              EXPECT_EQ(menus->CountMenuGroups(&count), kNoErr);
              bool found = false;
              for (int32_t i = 0; i < count; ++i) {
                const char* name = nullptr;
                EXPECT_EQ(menus->GetNthMenuGroup(i, &group), kNoErr);
                EXPECT_EQ(menus->GetMenuGroupName(group, &name), kNoErr);
                found = found || std::string(name) == "com.quillmark";
              }
              EXPECT_TRUE(found);
              EXPECT_EQ(menus->GetNthMenuGroup(count, &group), kIndexRangeErr);
              strings->Dispose(maker);
              strings->Dispose(aboutText);
              return kNoErr;
            }),
            kNoErr);
  const std::vector<MenuItemInfo> items = host.MenuItems();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_FALSE(items[0].name.empty());
  EXPECT_NE(items[0].name, items[1].name);
  EXPECT_EQ(items[0].submenu, "com.quillmark");
  EXPECT_EQ(items[2].text, "关于");
  EXPECT_EQ(items[2].group, "About");
  EXPECT_EQ(host.LiveUnicodeStrings(), 0);

  AIMenuItemHandle ran = nullptr;
  plugin_.On(kCallerAIMenu, kSelectorAIGoMenuItem, [&](void* message) -> SPErr {
    ran = static_cast<AIMenuMessage*>(message)->menuItem;
    return kNoErr;
  });
  EXPECT_EQ(host.RunMenuItem("HelpAboutCorvane"), kNoErr);
  EXPECT_EQ(ran, about);
  EXPECT_THROW(host.RunMenuItem("NoSuchItem"), HostError);
}

}  // namespace
}  // namespace host::testing
