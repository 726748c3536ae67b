#include "host/runtime/AppState.h"

#include <cstdlib>

namespace host::runtime {
namespace {

AppState* g_app = nullptr;

// The host's own menu groups: plug-ins add to them by name.
constexpr const char* kHostMenuGroups[] = {"File", "Edit", "Window", "Help Menu", "About"};

AIRGBColor Grey(uint16_t level) { return AIRGBColor{level, level, level}; }

// Colours per set: background, text, frame, highlight, disabled text.
ThemeTable LightTheme() {
  ThemeTable t{};
  t.sets[0] = {1, {Grey(0xF0F0), Grey(0x1E1E), Grey(0xA0A0), AIRGBColor{0x2E2E, 0x7D7D, 0xD7D7}, Grey(0x8C8C)}};
  t.sets[1] = {1, {Grey(0xFFFF), Grey(0x0000), Grey(0x8080), AIRGBColor{0x1C1C, 0x6A6A, 0xC8C8}, Grey(0xA0A0)}};
  return t;
}

ThemeTable DarkTheme() {
  ThemeTable t{};
  t.sets[0] = {1, {Grey(0x3232), Grey(0xE6E6), Grey(0x5A5A), AIRGBColor{0x4B4B, 0x9B9B, 0xF0F0}, Grey(0x7878)}};
  t.sets[1] = {1, {Grey(0x2626), Grey(0xF5F5), Grey(0x6464), AIRGBColor{0x3C3C, 0x8C8C, 0xE6E6}, Grey(0x6E6E)}};
  return t;
}

}  // namespace

AppState::AppState() : lightTheme(LightTheme()), darkTheme(DarkTheme()) {
  for (const char* name : kHostMenuGroups) menuGroups.Add(MenuGroupRecord{name, nullptr, 0});
}

AppState::~AppState() {
  // Whatever the plug-in did not give back goes with the host.
  for (auto& [block, size] : blocks) std::free(block);
  for (auto& [rgba, size] : images) delete[] rgba;
}

AppState& App() {
  if (!g_app) throw HostError(kBadParameterErr, "no host is running");
  return *g_app;
}

void SetApp(AppState* state) { g_app = state; }

void RequirePlugin(SPPluginRef plugin) {
  if (!plugin || plugin != App().plugin) throw HostError(kBadParameterErr, "not a loaded plug-in's reference");
}

}  // namespace host::runtime
