// The help menus through the loaded module: their construction at start-up
// (with and without the maker's group, with failing adds), the commands
// behind the items, and the About dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "host/Dialogs.h"
#include "host/runtime/Suites.h"
#include "tests/plugin/DialogDriver.h"
#include "tests/plugin/PluginHost.h"

namespace plugin_test {
namespace {

const std::filesystem::path kModule = CORVANE_MODULE_PATH;

std::optional<host::MenuItemInfo> ItemNamed(const host::Host& h, std::string_view name) {
  for (const host::MenuItemInfo& item : h.MenuItems())
    if (item.name == name) return item;
  return std::nullopt;
}

std::vector<host::MenuItemInfo> ItemsWithText(const host::Host& h, std::string_view text) {
  std::vector<host::MenuItemInfo> found;
  for (const host::MenuItemInfo& item : h.MenuItems())
    if (item.text == text) found.push_back(item);
  return found;
}

struct Command {
  const char* name;
  const char* group;
  const char* text;
};

const Command kCommands[] = {
    {"HelpAboutCorvane", "About", "关于Corvane..."},
    {"MVisitQMCom", "HelpCorvane", "访问www.quillmark.com"},
    {"MHelpCorvane", "HelpCorvane", "帮助"},
    {"MTutorialMovies", "HelpCorvane", "视频教程..."},
    {"MCheckUpdates", "HelpCorvane", "检查更新\u3000..."},
};

// What another of the maker's plug-ins made before this one started: the
// shared group under the help menu and the shared training-site item.
void AddOtherPluginsMenus(host::Host& h) {
  const SPBasicSuite& basic = host::runtime::BasicSuite();
  const void* menuTable = nullptr;
  const void* stringTable = nullptr;
  ASSERT_EQ(basic.AcquireSuite(kAIMenuSuite, kAIMenuSuiteVersion, &menuTable), kNoErr);
  ASSERT_EQ(basic.AcquireSuite(kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &stringTable), kNoErr);
  const auto& menu = *static_cast<const AIMenuSuite*>(menuTable);
  const auto& strings = *static_cast<const AIUnicodeStringSuite*>(stringTable);
  AIUnicodeStringHandle text = nullptr;
  ASSERT_EQ(strings.NewFromBytes("Quillmark", -1, kAIPlatformCharacterEncoding, &text), kNoErr);
  AIMenuItemHandle item = nullptr, training = nullptr;
  AIMenuGroup group = nullptr;
  ASSERT_EQ(menu.AddMenuItem(h.PluginRef(), nullptr, "Help Menu", text, 0, &item), kNoErr);
  ASSERT_EQ(menu.AddMenuGroupAsSubMenu("com.quillmark", 0, item, &group), kNoErr);
  ASSERT_EQ(menu.AddMenuItem(h.PluginRef(), "QuillmarkTrainingSite", "Help Menu", text, 0, &training), kNoErr);
  strings.Dispose(text);
  basic.ReleaseSuite(kAIMenuSuite, kAIMenuSuiteVersion);
  basic.ReleaseSuite(kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion);
}

TEST(HelpMenus, BuiltUnderANewMakersGroup) {
  StartedHost h;
  const auto maker = ItemsWithText(*h, "Quillmark");
  ASSERT_EQ(maker.size(), 1u);
  EXPECT_EQ(maker[0].group, "Help Menu");
  EXPECT_EQ(maker[0].submenu, "com.quillmark");
  const auto plugin = ItemsWithText(*h, "Corvane");
  ASSERT_EQ(plugin.size(), 1u);
  EXPECT_EQ(plugin[0].group, "com.quillmark");
  EXPECT_EQ(plugin[0].submenu, "HelpCorvane");
  for (const Command& c : kCommands) {
    SCOPED_TRACE(c.name);
    const auto item = ItemNamed(*h, c.name);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->group, c.group);
    EXPECT_EQ(item->text, c.text);
  }
  const auto training = ItemNamed(*h, "QuillmarkTrainingSite");
  ASSERT_TRUE(training);
  EXPECT_EQ(training->group, "Help Menu");
}

TEST(HelpMenus, TheMakersGroupAndTrainingItemOfAnotherPluginAreShared) {
  LoadedHost h;
  AddOtherPluginsMenus(*h);
  const std::size_t before = h->MenuItems().size();
  const std::size_t makerItems = ItemsWithText(*h, "Quillmark").size();
  ASSERT_EQ(h->Startup(), kNoErr);
  EXPECT_EQ(ItemsWithText(*h, "Quillmark").size(), makerItems) << "a second maker's item";
  ASSERT_EQ(ItemsWithText(*h, "Corvane").size(), 1u);
  EXPECT_EQ(ItemsWithText(*h, "Corvane")[0].group, "com.quillmark");
  // The plug-in's own items: its submenu item and the five commands.
  EXPECT_EQ(h->MenuItems().size(), before + 1 + std::size(kCommands));
  // The other plug-in's training item is not this one's: going to it does nothing here.
  EXPECT_EQ(h->RunMenuItem("QuillmarkTrainingSite"), kNoErr);
  EXPECT_TRUE(h->ShellRequests().empty());
}

TEST(HelpMenus, FailedAddsLeaveOnlyThoseItemsOut) {
  const struct {
    const char* name;
    const char* function;
    int nth;
    std::vector<const char*> missing;
  } cases[] = {
      // Calls in order: the maker's item, the plug-in's item, the five commands, the training item.
      {"fourth add (Visit)", "AddMenuItem", 4, {"MVisitQMCom"}},
      {"every add", "AddMenuItem", 0,
       {"HelpAboutCorvane", "MVisitQMCom", "MHelpCorvane", "MTutorialMovies", "MCheckUpdates", "QuillmarkTrainingSite"}},
      // Without the plug-in's submenu only the About item has a group to go to.
      {"making submenus", "AddMenuGroupAsSubMenu", 0, {"MVisitQMCom", "MHelpCorvane", "MTutorialMovies", "MCheckUpdates"}},
      {"walking the groups", "CountMenuGroups", 0, {}},
      {"walking the items", "CountMenuItems", 0, {"QuillmarkTrainingSite"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedHost h;
    h->faults().Fail(kAIMenuSuite, c.function, kBadParameterErr, c.nth);
    EXPECT_EQ(h->Startup(), kNoErr);
    h->faults().Clear();
    EXPECT_EQ(h->Tools().size(), 14u) << "the tools were not all registered";
    for (const Command& command : kCommands) {
      const bool missing = std::find_if(c.missing.begin(), c.missing.end(), [&](const char* m) {
                             return std::string_view(m) == command.name;
                           }) != c.missing.end();
      EXPECT_EQ(ItemNamed(*h, command.name).has_value(), !missing) << command.name;
    }
    for (const host::MenuItemInfo& item : h->MenuItems()) EXPECT_EQ(h->RunMenuItem(item.name), kNoErr) << item.name;
  }
}

TEST(HelpMenus, LinksOpenTheirPages) {
  const struct {
    const char* item;
    const char* address;
  } cases[] = {
      {"MVisitQMCom", "https://www.quillmark.com/go?src=menu&page=visitqmcom"},
      {"MTutorialMovies", "https://www.quillmark.com/corvane/tutorials?src=menu&page=tutorialvideos"},
      {"MCheckUpdates", "https://www.quillmark.com/corvane/updates?src=menu&page=checkforupdates"},
      {"QuillmarkTrainingSite", "https://www.vectorcraft-academy.com/courses?src=helpmenu"},
  };
  StartedHost h;
  for (const auto& c : cases) {
    EXPECT_EQ(h->RunMenuItem(c.item), kNoErr);
    ASSERT_FALSE(h->ShellRequests().empty());
    EXPECT_EQ(h->ShellRequests().back(), c.address) << c.item;
  }
  EXPECT_EQ(h->ShellRequests().size(), std::size(cases));
}

TEST(HelpMenus, UpdateChangesNothing) {
  StartedHost h;
  const auto before = h->MenuItems();
  for (const Command& c : kCommands) EXPECT_EQ(h->UpdateMenuItem(c.name), kNoErr);
  EXPECT_TRUE(h->ShellRequests().empty());
  EXPECT_TRUE(host::Windows(*h).empty());
  EXPECT_EQ(h->MenuItems().size(), before.size());
}

TEST(HelpMenus, HelpOpensTheManualBesideTheModule) {
  StartedHost h;
  EXPECT_EQ(h->RunMenuItem("MHelpCorvane"), kNoErr);
  ASSERT_EQ(h->ShellRequests().size(), 1u);
  EXPECT_EQ(h->ShellRequests()[0], (std::filesystem::absolute(kModule).parent_path() / "Corvane User Manual.pdf").string());
}

TEST(HelpMenus, HelpWithoutAModuleOrItsPathDoesNothing) {
  const struct {
    const char* suite;
    const char* function;
  } cases[] = {{kSPAccessSuite, "GetPluginModule"}, {kCorvanePlatformSuite, "GetModuleFileName"}};
  for (const auto& c : cases) {
    StartedHost h;
    h->faults().Fail(c.suite, c.function, kBadParameterErr);
    EXPECT_EQ(h->RunMenuItem("MHelpCorvane"), kNoErr) << c.function;
    EXPECT_TRUE(h->ShellRequests().empty()) << c.function;
  }
}

// A module path that leaves no room for the manual's name still finds the
// manual; one that does not fit the platform's limit is no path at all.
TEST(HelpMenus, ManualPathAtTheModulePathLimit) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() / "corvane-long-path-test";
  std::filesystem::remove_all(base);
  const std::string fileName = kModule.filename().string();
  const auto PathOfLength = [&](std::size_t length) {
    // base / "d..d" / fileName with the directory name chosen to make the length.
    const std::size_t fixed = base.string().size() + 1 + 1 + fileName.size();
    return base / std::string(length - fixed, 'd') / fileName;
  };
  const struct {
    std::size_t length;
    bool opened;
  } cases[] = {{250, true}, {259, true}, {260, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const std::filesystem::path module = PathOfLength(c.length);
    ASSERT_EQ(module.string().size(), c.length);
    std::filesystem::create_directories(module.parent_path());
    std::filesystem::copy_file(kModule, module, std::filesystem::copy_options::overwrite_existing);
    {
      host::Host h(TestOptions());
      h.NewDocument();
      h.LoadPlugin(module);
      ASSERT_EQ(h.Startup(), kNoErr);
      EXPECT_EQ(h.RunMenuItem("MHelpCorvane"), kNoErr);
      if (c.opened) {
        ASSERT_EQ(h.ShellRequests().size(), 1u);
        EXPECT_EQ(h.ShellRequests()[0], (module.parent_path() / "Corvane User Manual.pdf").string());
      } else {
        EXPECT_TRUE(h.ShellRequests().empty());
      }
    }
    // Windows keeps a loaded module's file until the process ends, so what
    // cannot be removed yet is left to the next run's first removal.
    std::error_code ignored;
    std::filesystem::remove_all(module.parent_path(), ignored);
  }
  std::error_code ignored;
  std::filesystem::remove_all(base, ignored);
}

TEST(HelpMenus, AddressesAreNotPlainTextInTheModule) {
  std::ifstream in(kModule, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(bytes.empty());
  for (const char* plain : {"quillmark.com", "vectorcraft-academy", "src=", "About Corvane", "Visit product page"})
    EXPECT_EQ(bytes.find(plain), std::string::npos) << plain;
}

// --- the About dialog

class AboutDialog : public ::testing::Test {
 protected:
  std::optional<host::WindowInfo> Open() { return host::ActiveDialog(*h_); }
  host::Host& host() { return *h_; }
  StartedHost h_;
};

TEST_F(AboutDialog, ShowsItsItemsAndEndsOnlyOnClose) {
  DialogDriver driver(host(), {[&] {
                                 const host::WindowInfo w = *Open();
                                 EXPECT_EQ(w.name, "About");
                                 EXPECT_EQ(w.title, "About Corvane");
                                 EXPECT_EQ(w.bounds.right - w.bounds.left, 600);
                                 EXPECT_EQ(w.bounds.bottom - w.bounds.top, 615);
                                 const host::ControlInfo* banner = w.Control(100);
                                 ASSERT_TRUE(banner);
                                 EXPECT_EQ(banner->kind, kCorvaneControlPicture);
                                 EXPECT_GT(banner->width, 0);
                                 EXPECT_EQ(w.Control(101)->text, "www.quillmark.com");
                                 EXPECT_EQ(w.Control(102)->text, "v1.2.9");
                                 EXPECT_FALSE(w.Control(103)->text.empty());
                                 EXPECT_EQ(w.Control(120)->bounds.bottom - w.Control(120)->bounds.top, 1);
                                 for (int id : {1, 2, 3}) {
                                   const AIRect b = w.Control(id)->bounds;
                                   EXPECT_EQ(b.top, 579);
                                   EXPECT_EQ(b.bottom, 601);
                                   EXPECT_LE(b.bottom, w.bounds.bottom - w.bounds.top) << "outside the client area";
                                 }
                                 host::Press(host(), 3);
                               },
                               [&] {
                                 ASSERT_TRUE(Open());
                                 EXPECT_EQ(host().ShellRequests().back(),
                                           (std::filesystem::absolute(kModule).parent_path() / "Corvane User Manual.pdf").string());
                                 host::Press(host(), 1);
                               },
                               [&] {
                                 ASSERT_TRUE(Open());
                                 EXPECT_EQ(host().ShellRequests().back(),
                                           "https://www.quillmark.com/go?src=about&page=productpage");
                                 host::Press(host(), 2);
                               },
                               [&] { ADD_FAILURE() << "the dialog stayed open after button 2"; }});
  EXPECT_EQ(host().RunMenuItem("HelpAboutCorvane"), kNoErr);
  EXPECT_TRUE(host::Windows(host()).empty());
  EXPECT_TRUE(host::AppWindowEnabled(host()));
  EXPECT_EQ(host().ShellRequests().size(), 2u);
}

TEST_F(AboutDialog, EscapeClosesIt) {
  DialogDriver driver(host(), {[&] { host::PressKey(host(), kCorvaneKeyEscape); }});
  EXPECT_EQ(host().RunMenuItem("HelpAboutCorvane"), kNoErr);
  EXPECT_TRUE(driver.AllRun());
  EXPECT_TRUE(host::Windows(host()).empty());
  EXPECT_TRUE(host::ClosedUnendedDialogs(host()).empty());
}

double Luminance(const AIRGBColor& c) { return 0.2126 * c.red + 0.7152 * c.green + 0.0722 * c.blue; }

TEST_F(AboutDialog, FollowsTheAppearance) {
  std::vector<CorvaneWindowColors> seen;
  const auto look = [&] { seen.push_back(*Open()->colors); };
  DialogDriver driver(host(), {look, [&] { host().SetUIBrightness(0); }, look, [&] { host().SetUIBrightness(1); },
                               look, [&] { host::Press(host(), 2); }});
  EXPECT_EQ(host().RunMenuItem("HelpAboutCorvane"), kNoErr);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_LT(Luminance(seen[1].dialog[0]) + 10000, Luminance(seen[0].dialog[0])) << "dark is not darker";
  EXPECT_GT(Luminance(seen[1].dialog[1]), Luminance(seen[1].dialog[0])) << "dark text on a dark ground";
  EXPECT_EQ(std::memcmp(&seen[0], &seen[2], sizeof seen[0]), 0) << "light again is not the first light";
}

TEST(AboutDialogScale, SizedAndPlacedAtThePixelScale) {
  host::HostOptions options = TestOptions();
  options.displayDpi = 144;  // x1.5 on a host that scales
  host::Host h(options);
  h.NewDocument();
  h.LoadPlugin(kModule);
  ASSERT_EQ(h.Startup(), kNoErr);
  const auto scaled = [](int v) { return static_cast<int>(std::ceil(v * 1.5)); };
  DialogDriver driver(h, {[&] {
                        const host::WindowInfo w = *host::ActiveDialog(h);
                        EXPECT_EQ(w.bounds.right - w.bounds.left, scaled(600));
                        EXPECT_EQ(w.bounds.bottom - w.bounds.top, scaled(615));
                        const AIRect close = w.Control(2)->bounds;
                        EXPECT_EQ(close.left, scaled(32));
                        EXPECT_EQ(close.top, scaled(579));
                        EXPECT_EQ(close.right, scaled(122));
                        EXPECT_EQ(close.bottom, scaled(601));
                        host::Press(h, 2);
                      }});
  EXPECT_EQ(h.RunMenuItem("HelpAboutCorvane"), kNoErr);
  EXPECT_TRUE(driver.AllRun());
}

}  // namespace
}  // namespace plugin_test
