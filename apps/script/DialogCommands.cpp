// The script commands that look at and drive the plug-in's dialogs and the
// host's menus.  They run inside the modal loop of the command that opened
// the dialog (Executor.cpp).
#include <algorithm>
#include <iostream>
#include <map>

#include "apps/script/CommandRunner.h"
#include "host/Dialogs.h"

namespace cli {
namespace {

AIErr Fail(const std::string& problem) { throw CommandFailure{FailureKind::Script, problem}; }

// '*' matches any run of characters, '?' any one.
bool GlobMatch(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return text.empty();
  if (pattern.front() == '*')
    return GlobMatch(pattern.substr(1), text) || (!text.empty() && GlobMatch(pattern, text.substr(1)));
  if (text.empty()) return false;
  return (pattern.front() == '?' || pattern.front() == text.front()) && GlobMatch(pattern.substr(1), text.substr(1));
}

std::string DialogName(const std::optional<host::WindowInfo>& w) { return w ? "\"" + w->name + "\"" : "none"; }

// A HostError from the host (no dialog, no such item, a disabled item) is a
// mistake in the script, not a plug-in failure.
template <class Action>
AIErr Act(Action&& action) {
  try {
    return action();
  } catch (const host::HostError& e) {
    return Fail(e.what());
  }
}

void PrintGroup(const std::vector<host::MenuItemInfo>& items, const std::string& group, int depth) {
  for (const host::MenuItemInfo& item : items) {
    if (item.group != group) continue;
    std::cout << std::string(static_cast<std::size_t>(depth) * 2, ' ') << item.text << "  [" << item.name << "]\n";
    if (!item.submenu.empty()) PrintGroup(items, item.submenu, depth + 1);
  }
}

}  // namespace

AIErr CommandRunner::operator()(const cmd::ListMenus&) {
  const std::vector<host::MenuItemInfo> items = host_.MenuItems();
  std::map<std::string, bool> isSubmenu;
  for (const host::MenuItemInfo& item : items)
    if (!item.submenu.empty()) isSubmenu[item.submenu] = true;
  for (const std::string& group : host_.MenuGroups()) {
    if (isSubmenu[group]) continue;
    std::cout << group << "\n";
    PrintGroup(items, group, 1);
  }
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::DialogSet& c) {
  return Act([&] { return host::TypeText(host_, c.id, c.text); });
}
AIErr CommandRunner::operator()(const cmd::DialogToggle& c) {
  return Act([&] { return host::Toggle(host_, c.id); });
}
AIErr CommandRunner::operator()(const cmd::DialogPress& c) {
  return Act([&] { return host::Press(host_, c.id); });
}
AIErr CommandRunner::operator()(const cmd::DialogKey& c) {
  return Act([&] { return host::PressKey(host_, c.key); });
}
AIErr CommandRunner::operator()(const cmd::DialogClose&) {
  return Act([&] { return host::CloseDialog(host_); });
}

// Full brightness or none; the host tells the plug-in when it changes.
AIErr CommandRunner::operator()(const cmd::Appearance& c) { return host_.SetUIBrightness(c.dark ? 0.0 : 1.0); }

AIErr CommandRunner::operator()(const cmd::ExpectOpened& c) {
  const std::vector<std::string>& opened = host_.ShellRequests();
  if (opened.empty()) return Fail("nothing was opened; expected \"" + c.pattern + "\"");
  std::string last = opened.back();
#ifdef _WIN32
  // Scripts write paths with "/", as on every platform; Windows reports "\\".
  std::replace(last.begin(), last.end(), '\\', '/');
#endif
  if (!GlobMatch(c.pattern, last))
    return Fail("expected the last opened to match \"" + c.pattern + "\", but it was \"" + opened.back() + "\"");
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::ExpectDialog& c) {
  const std::optional<host::WindowInfo> open = host::ActiveDialog(host_);
  const bool holds = c.name ? open && open->name == *c.name : !open;
  if (!holds) return Fail("expected dialog " + (c.name ? "\"" + *c.name + "\"" : "none") + ", found " + DialogName(open));
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::ExpectDialogItem& c) {
  const std::optional<host::WindowInfo> open = host::ActiveDialog(host_);
  if (!open) return Fail("no dialog is open");
  const host::ControlInfo* item = open->Control(c.id);
  if (!item) return Fail("\"" + open->name + "\" has no item " + std::to_string(c.id));
  if (item->text != c.text)
    return Fail("expected item " + std::to_string(c.id) + " of \"" + open->name + "\" to read \"" + c.text +
                "\", but it reads \"" + item->text + "\"");
  return kNoErr;
}

}  // namespace cli
