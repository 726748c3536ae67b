#include "apps/corvane-desktop/DesktopApp.h"

#include <gtk/gtk.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/corvane-desktop/DesktopDialogs.h"
#include "apps/corvane-desktop/Palette.h"
#include "host/Host.h"
#include "host/PluginLocation.h"
#include "host/model/Document.h"
#include "host/model/Workspace.h"
#include "host/render/RenderView.h"

namespace desktop {
namespace {

constexpr const char* kProgramName = "corvane-desktop";
constexpr const char* kAppId = "org.corvane.Desktop";
// Written by a test that drives the window: where the palette buttons and
// the canvas are, once the window is shown.
constexpr const char* kReportVariable = "CORVANE_DESKTOP_REPORT";
constexpr double kZoomStep = 1.25;
constexpr int kIconSizePx = 32;

struct Options {
  std::optional<std::filesystem::path> file;
  std::optional<std::filesystem::path> plugin;
};

struct Desktop {
  std::unique_ptr<host::Host> host;
  std::unique_ptr<GtkWindowBackend> windows;
  GtkApplication* app = nullptr;
  GtkWindow* window = nullptr;
  GtkWidget* canvas = nullptr;
  GtkWidget* palette = nullptr;
  GtkWidget* menubar = nullptr;
  std::map<std::string, GtkWidget*> toolButtons;  // by title
  std::optional<std::filesystem::path> file;
  std::optional<host::model::Document> saved;  // the document as last opened or saved
  bool pressed = false;
  uint32_t lastPressTime = 0;
  double lastPressX = -1e9, lastPressY = -1e9;
  std::string appliedCursor;  // key of the cursor shown on the canvas
  std::map<std::string, GdkCursor*> cursors;
  bool reported = false;
  bool quitting = false;
};

Desktop* g = nullptr;

std::string Basename(const std::filesystem::path& p) { return p.filename().string(); }

// --- messages

void ShowMessage(const std::string& primary, const std::string& secondary) {
  GtkWidget* dialog = gtk_message_dialog_new(g->window, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE, "%s",
                                             primary.c_str());
  gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", secondary.c_str());
  g_signal_connect(dialog, "response", G_CALLBACK(gtk_window_destroy), nullptr);
  gtk_window_present(GTK_WINDOW(dialog));
}

// --- the document state

bool Dirty() {
  if (!g->host->workspace().HasDocument()) return false;
  return !g->saved || !(*g->saved == g->host->document());
}

void UpdateTitle() {
  std::string title = g->file ? Basename(*g->file) : std::string("Untitled");
  if (Dirty()) title = "*" + title;
  title += " - Corvane";
  gtk_window_set_title(g->window, title.c_str());
}

// --- cursors

GdkCursor* CursorFor(const host::CursorState& c, std::string& key) {
  static const std::map<int32_t, const char*> kSystem = {
      {kPlatformCursorTextBeam, "text"}, {kPlatformCursorCrosshair, "crosshair"}, {kPlatformCursorWait, "wait"},
      {kPlatformCursorArrow, "default"}, {kPlatformCursorNo, "not-allowed"},     {kPlatformCursorHand, "pointer"},
      {kPlatformCursorHand2, "pointer"}, {kPlatformCursorArrow2, "default"}};
  switch (c.kind) {
    case host::CursorState::Kind::Unset: key = "unset"; return nullptr;
    case host::CursorState::Kind::System: {
      key = "system:" + std::to_string(c.systemId);
      const auto it = kSystem.find(c.systemId);
      return gdk_cursor_new_from_name(it == kSystem.end() ? "default" : it->second, nullptr);
    }
    case host::CursorState::Kind::Image: {
      key = "image:" + c.name + ":" + std::to_string(c.width) + "x" + std::to_string(c.height);
      if (c.rgba.size() != static_cast<std::size_t>(c.width) * c.height * 4) return nullptr;
      GBytes* bytes = g_bytes_new(c.rgba.data(), c.rgba.size());
      GdkTexture* texture = gdk_memory_texture_new(c.width, c.height, GDK_MEMORY_R8G8B8A8, bytes,
                                                   static_cast<gsize>(c.width) * 4);
      g_bytes_unref(bytes);
      GdkCursor* fallback = gdk_cursor_new_from_name("crosshair", nullptr);
      GdkCursor* cursor = gdk_cursor_new_from_texture(texture, c.hotX, c.hotY, fallback);
      g_object_unref(fallback);
      g_object_unref(texture);
      return cursor;
    }
  }
  return nullptr;
}

void ApplyCursor() {
  std::string key;
  const host::CursorState& state = g->host->Cursor();
  if (state.kind == host::CursorState::Kind::Image)
    key = "image:" + state.name + ":" + std::to_string(state.width) + "x" + std::to_string(state.height);
  else if (state.kind == host::CursorState::Kind::System)
    key = "system:" + std::to_string(state.systemId);
  else
    key = "unset";
  if (key == g->appliedCursor) return;
  g->appliedCursor = key;
  auto it = g->cursors.find(key);
  if (it == g->cursors.end()) it = g->cursors.emplace(key, CursorFor(state, key)).first;
  gtk_widget_set_cursor(g->canvas, it->second);
}

// --- after every message: overlay, cursor, title

void Refresh() {
  if (!g->host->InvalidatedRects().empty()) {
    g->host->DrawAnnotations();
    g->host->ClearInvalidatedRects();
  }
  ApplyCursor();
  UpdateTitle();
  gtk_widget_queue_draw(g->canvas);
}

void Redraw() {
  g->host->DrawAnnotations();
  g->host->ClearInvalidatedRects();
  UpdateTitle();
  gtk_widget_queue_draw(g->canvas);
}

// --- the canvas

void DrawCanvas(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer) {
  host::Workspace& ws = g->host->workspace();
  ws.view().width = std::max(width, 1);
  ws.view().height = std::max(height, 1);
  host::render::Snapshot s;
  s.document = ws.HasDocument() ? &ws.document() : nullptr;
  s.view = ws.view();
  s.overlay = g->host->Drawing();
  try {
    host::render::PaintView(cr, s);
  } catch (const host::HostError& e) {
    std::cerr << kProgramName << ": " << e.what() << '\n';
  }
}

void ResizeCanvas(GtkDrawingArea*, int width, int height, gpointer) {
  g->host->workspace().view().width = std::max(width, 1);
  g->host->workspace().view().height = std::max(height, 1);
}

uint16_t ModifierWord(GdkModifierType state) {
  uint16_t word = 0;
  if (state & GDK_CONTROL_MASK) word |= aiEventModifiers_cmdKey;
  if (state & GDK_SHIFT_MASK) word |= aiEventModifiers_shiftKey;
  if (state & GDK_ALT_MASK) word |= aiEventModifiers_optionKey;
  return word;
}

AIRealPoint ToArtwork(double x, double y) {
  return g->host->ViewToArtwork({static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))});
}

// A second press soon after the first and near it is a double-click.
bool IsDoubleClick(uint32_t time, double x, double y) {
  int doubleTime = 400, doubleDistance = 5;
  g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleTime, "gtk-double-click-distance",
               &doubleDistance, nullptr);
  const bool twice = time - g->lastPressTime <= static_cast<uint32_t>(doubleTime) &&
                     std::hypot(x - g->lastPressX, y - g->lastPressY) <= doubleDistance;
  g->lastPressTime = twice ? 0 : time;
  g->lastPressX = x;
  g->lastPressY = y;
  return twice;
}

void Zoom(double factor, std::optional<std::pair<double, double>> around) {
  host::Workspace& ws = g->host->workspace();
  const double x = around ? around->first : ws.view().width / 2.0;
  const double y = around ? around->second : ws.view().height / 2.0;
  const double oldZoom = ws.Zoom();
  const AIRealPoint o = ws.ScrollOrigin();
  const AIRealPoint fixed{o.h + x / oldZoom, o.v - y / oldZoom};
  ws.SetZoom(oldZoom * factor);
  const double z = ws.Zoom();
  ws.SetScrollOrigin({fixed.h - x / z, fixed.v + y / z});
  Redraw();
}

void Fit() {
  host::Workspace& ws = g->host->workspace();
  if (!ws.HasDocument()) return;
  const auto& board = ws.document().artboard();
  const double w = std::abs(board.right - board.left), h = std::abs(board.top - board.bottom);
  const double margin = 0.9;
  ws.SetZoom(std::min(ws.view().width * margin / w, ws.view().height * margin / h));
  ws.view().CenterOn(board);
  Redraw();
}

// Every raw event of the canvas: the pointer becomes the host's tool messages,
// the wheel scrolls and zooms.
gboolean CanvasEvent(GtkEventControllerLegacy* controller, GdkEvent* event, gpointer) {
  const GdkEventType type = gdk_event_get_event_type(event);
  if (type != GDK_BUTTON_PRESS && type != GDK_BUTTON_RELEASE && type != GDK_MOTION_NOTIFY && type != GDK_SCROLL)
    return FALSE;
  double sx = 0, sy = 0;
  if (!gdk_event_get_position(event, &sx, &sy)) return FALSE;
  // Surface coordinates to the canvas's own.
  GtkWidget* widget = gtk_event_controller_get_widget(GTK_EVENT_CONTROLLER(controller));
  GtkNative* native = gtk_widget_get_native(widget);
  double tx = 0, ty = 0;
  gtk_native_get_surface_transform(native, &tx, &ty);
  double x = 0, y = 0;
  gtk_widget_translate_coordinates(GTK_WIDGET(native), widget, sx - tx, sy - ty, &x, &y);
  const GdkModifierType state = gdk_event_get_modifier_state(event);
  host::Host& h = *g->host;

  if (type == GDK_SCROLL) {
    double dx = 0, dy = 0;
    const GdkScrollDirection dir = gdk_scroll_event_get_direction(event);
    if (dir == GDK_SCROLL_SMOOTH) gdk_scroll_event_get_deltas(event, &dx, &dy);
    if (dir == GDK_SCROLL_UP) dy = -1;
    if (dir == GDK_SCROLL_DOWN) dy = 1;
    if (dir == GDK_SCROLL_LEFT) dx = -1;
    if (dir == GDK_SCROLL_RIGHT) dx = 1;
    if (state & GDK_CONTROL_MASK) {
      if (dy != 0) Zoom(dy < 0 ? kZoomStep : 1 / kZoomStep, std::make_pair(x, y));
      return TRUE;
    }
    if (state & GDK_SHIFT_MASK) std::swap(dx, dy);
    constexpr double kStepPx = 40;
    const AIRealPoint o = h.ScrollOrigin();
    h.SetScrollOrigin({o.h + dx * kStepPx / h.Zoom(), o.v - dy * kStepPx / h.Zoom()});
    Redraw();
    return TRUE;
  }

  h.SetModifiers(ModifierWord(state));
  const AIRealPoint p = ToArtwork(x, y);
  if (type == GDK_BUTTON_PRESS) {
    if (gdk_button_event_get_button(event) != GDK_BUTTON_PRIMARY) return FALSE;
    gtk_widget_grab_focus(widget);
    const bool twice = IsDoubleClick(gdk_event_get_time(event), x, y);
    g->pressed = true;
    h.MouseDown(p, twice ? aiEventModifiers_doubleClick : 0);
  } else if (type == GDK_BUTTON_RELEASE) {
    if (gdk_button_event_get_button(event) != GDK_BUTTON_PRIMARY || !g->pressed) return FALSE;
    g->pressed = false;
    h.MouseUp(p);
  } else if (g->pressed) {
    h.MouseDrag(p);
  } else {
    h.TrackCursor(p);
  }
  Refresh();
  return TRUE;
}

// Shift, Alt and Ctrl as they change, so a preview follows without a move.
gboolean ModifiersChanged(GtkEventControllerKey*, GdkModifierType state, gpointer) {
  if (g->host->SetModifiers(ModifierWord(state)) == kNoErr) Refresh();
  return FALSE;
}

// --- the palette

GdkTexture* TextureOf(const host::PluginImage& image) {
  GBytes* bytes = g_bytes_new(image.rgba.data(), image.rgba.size());
  GdkTexture* texture = gdk_memory_texture_new(image.width, image.height, GDK_MEMORY_R8G8B8A8, bytes,
                                               static_cast<gsize>(image.width) * 4);
  g_bytes_unref(bytes);
  return texture;
}

void SelectTool(const std::string& title) {
  g->host->SelectTool(title);
  for (const host::ToolInfo& t : g->host->Tools()) {
    const auto it = g->toolButtons.find(t.title);
    if (it == g->toolButtons.end()) continue;
    if (t.handle == g->host->SelectedTool())
      gtk_widget_set_state_flags(it->second, GTK_STATE_FLAG_CHECKED, FALSE);
    else
      gtk_widget_unset_state_flags(it->second, GTK_STATE_FLAG_CHECKED);
  }
  Refresh();
}

void ToolPressed(GtkGestureClick* gesture, int n, double, double, gpointer data) {
  const std::string title = static_cast<const char*>(data);
  gtk_gesture_set_state(GTK_GESTURE(gesture), GTK_EVENT_SEQUENCE_CLAIMED);
  if (n == 2) {
    g->host->EditToolOptions(title);
    Refresh();
    return;
  }
  SelectTool(title);
}

void BuildPalette() {
  GtkWidget* box = g->palette;
  while (GtkWidget* child = gtk_widget_get_first_child(box)) gtk_box_remove(GTK_BOX(box), child);
  g->toolButtons.clear();
  const std::vector<host::ToolInfo> tools = g->host->Tools();
  const int density = DensityClass(gtk_widget_get_scale_factor(GTK_WIDGET(g->window)));
  bool first = true;
  for (const ToolGroup& group : LayoutPalette(tools)) {
    if (!first) gtk_box_append(GTK_BOX(box), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL));
    first = false;
    for (const Toolset& set : group.toolsets) {
      GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 2);
      for (std::size_t index : set.tools) {
        const host::ToolInfo& tool = tools[index];
        GtkWidget* button = gtk_button_new();
        gtk_widget_add_css_class(button, "tool");
        if (auto image = g->host->Image(IconId(tool, g->host->UIBrightness()), density)) {
          GdkTexture* texture = TextureOf(*image);
          GtkWidget* picture = gtk_image_new_from_paintable(GDK_PAINTABLE(texture));
          gtk_image_set_pixel_size(GTK_IMAGE(picture), kIconSizePx);
          g_object_unref(texture);
          gtk_button_set_child(GTK_BUTTON(button), picture);
        } else {
          gtk_button_set_label(GTK_BUTTON(button), tool.title.substr(0, 3).c_str());
        }
        const std::string tip = tool.tooltip.empty() ? tool.title : tool.title + "\n" + tool.tooltip;
        gtk_widget_set_tooltip_text(button, tip.c_str());
        GtkGesture* click = gtk_gesture_click_new();
        gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(click), GTK_PHASE_CAPTURE);
        char* title = g_strdup(tool.title.c_str());
        g_signal_connect_data(click, "pressed", G_CALLBACK(ToolPressed), title,
                              [](gpointer d, GClosure*) { g_free(d); }, GConnectFlags{});
        gtk_widget_add_controller(button, GTK_EVENT_CONTROLLER(click));
        if (tool.handle == g->host->SelectedTool()) gtk_widget_set_state_flags(button, GTK_STATE_FLAG_CHECKED, FALSE);
        gtk_box_append(GTK_BOX(row), button);
        g->toolButtons[tool.title] = button;
      }
      gtk_box_append(GTK_BOX(box), row);
    }
  }
}

// --- appearance

void ApplyAppearance(bool dark) {
  g_object_set(gtk_settings_get_default(), "gtk-application-prefer-dark-theme", dark, nullptr);
  g->host->SetUIBrightness(dark ? 0.0 : 1.0);
  BuildPalette();
  Refresh();
}

// --- files

bool OpenFile(const std::filesystem::path& file) {
  std::vector<std::string> notes;
  try {
    notes = g->host->OpenDocument(file);
  } catch (const host::HostError& e) {
    ShowMessage("Cannot open " + file.string(), e.what());
    return false;
  }
  if (!notes.empty()) {
    std::string text;
    for (const std::string& note : notes) text += (text.empty() ? "" : "\n") + note;
    ShowMessage("Opened " + file.string(), text);
  }
  g->file = file;
  g->saved = g->host->document();
  Fit();
  return true;
}

bool SaveTo(const std::filesystem::path& file) {
  try {
    g->host->SaveDocument(file);
  } catch (const host::HostError& e) {
    ShowMessage("Cannot save " + file.string(), e.what());
    return false;
  }
  g->file = file;
  g->saved = g->host->document();
  UpdateTitle();
  return true;
}

void ChooseFile(bool save, std::function<void(std::filesystem::path)> then) {
  GtkFileChooserNative* chooser =
      gtk_file_chooser_native_new(save ? "Save As" : "Open", g->window,
                                  save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN, nullptr, nullptr);
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, "SVG documents");
  gtk_file_filter_add_pattern(filter, "*.svg");
  gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
  g_object_unref(filter);
  if (save && g->file) gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), Basename(*g->file).c_str());
  auto* callback = new std::function<void(std::filesystem::path)>(std::move(then));
  g_signal_connect(chooser, "response", G_CALLBACK(+[](GtkNativeDialog* d, int response, gpointer data) {
                     auto* cb = static_cast<std::function<void(std::filesystem::path)>*>(data);
                     if (response == GTK_RESPONSE_ACCEPT) {
                       GFile* f = gtk_file_chooser_get_file(GTK_FILE_CHOOSER(d));
                       if (char* path = g_file_get_path(f)) {
                         (*cb)(path);
                         g_free(path);
                       }
                       g_object_unref(f);
                     }
                     delete cb;
                     g_object_unref(d);
                   }),
                   callback);
  gtk_native_dialog_show(GTK_NATIVE_DIALOG(chooser));
}

// Runs `then` at once when nothing would be lost, else after the person
// agrees to discard the changes.
void ConfirmDiscard(std::function<void()> then) {
  if (!Dirty()) return then();
  GtkWidget* dialog = gtk_message_dialog_new(g->window, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE,
                                             "Discard the unsaved changes to %s?",
                                             g->file ? Basename(*g->file).c_str() : "Untitled");
  gtk_dialog_add_buttons(GTK_DIALOG(dialog), "_Cancel", GTK_RESPONSE_CANCEL, "_Discard", GTK_RESPONSE_ACCEPT, nullptr);
  auto* callback = new std::function<void()>(std::move(then));
  g_signal_connect(dialog, "response", G_CALLBACK(+[](GtkDialog* d, int response, gpointer data) {
                     auto* cb = static_cast<std::function<void()>*>(data);
                     gtk_window_destroy(GTK_WINDOW(d));
                     if (response == GTK_RESPONSE_ACCEPT) (*cb)();
                     delete cb;
                   }),
                   callback);
  gtk_window_present(GTK_WINDOW(dialog));
}

void Quit() {
  g->quitting = true;
  gtk_window_destroy(g->window);
}

// --- menus

using ActionFn = void (*)();

struct ActionEntry {
  const char* name;
  ActionFn run;
  const char* accels[3];
};

void Save() {
  if (g->file)
    SaveTo(*g->file);
  else
    ChooseFile(true, [](std::filesystem::path p) { SaveTo(p); });
}

const ActionEntry kActions[] = {
    {"new", [] { ConfirmDiscard([] {
                   g->host->NewDocument();
                   g->file.reset();
                   g->saved.reset();
                   Fit();
                 }); },
     {"<Control>n"}},
    {"open", [] { ConfirmDiscard([] { ChooseFile(false, [](std::filesystem::path p) { OpenFile(p); }); }); },
     {"<Control>o"}},
    {"save", Save, {"<Control>s"}},
    {"save-as", [] { ChooseFile(true, [](std::filesystem::path p) { SaveTo(p); }); }, {"<Control><Shift>s"}},
    {"quit", [] { ConfirmDiscard(Quit); }, {"<Control>q"}},
    {"undo", [] { g->host->Undo(); Redraw(); }, {"<Control>z"}},
    {"redo", [] { g->host->Redo(); Redraw(); }, {"<Control><Shift>z", "<Control>y"}},
    {"transform-again", [] { g->host->TransformAgain(); Refresh(); Redraw(); }, {"<Control>d"}},
    {"zoom-in", [] { Zoom(kZoomStep, std::nullopt); }, {"<Control>plus", "<Control>equal", "<Control>KP_Add"}},
    {"zoom-out", [] { Zoom(1 / kZoomStep, std::nullopt); }, {"<Control>minus", "<Control>KP_Subtract"}},
    {"zoom-fit", Fit, {"<Control>0"}},
    {"zoom-actual", [] { Zoom(1 / g->host->Zoom(), std::nullopt); }, {"<Control>1"}},
};

void AddActions() {
  for (const ActionEntry& entry : kActions) {
    GSimpleAction* action = g_simple_action_new(entry.name, nullptr);
    g_signal_connect(action, "activate", G_CALLBACK(+[](GSimpleAction*, GVariant*, gpointer fn) {
                       reinterpret_cast<ActionFn>(fn)();
                     }),
                     reinterpret_cast<gpointer>(entry.run));
    g_action_map_add_action(G_ACTION_MAP(g->app), G_ACTION(action));
    g_object_unref(action);
    std::vector<const char*> accels;
    for (const char* a : entry.accels)
      if (a) accels.push_back(a);
    accels.push_back(nullptr);
    const std::string detailed = std::string("app.") + entry.name;
    gtk_application_set_accels_for_action(g->app, detailed.c_str(), accels.data());
  }
  const auto toggle = [](const char* name, bool initial, GCallback changed) {
    GSimpleAction* action = g_simple_action_new_stateful(name, nullptr, g_variant_new_boolean(initial));
    g_signal_connect(action, "change-state", changed, nullptr);
    g_action_map_add_action(G_ACTION_MAP(g->app), G_ACTION(action));
    g_object_unref(action);
  };
  toggle("smart-guides", false, G_CALLBACK(+[](GSimpleAction* a, GVariant* v, gpointer) {
           g_simple_action_set_state(a, v);
           g->host->SetSmartGuides(g_variant_get_boolean(v));
         }));
  toggle("dark", g->host->UIBrightness() < kLightBrightness, G_CALLBACK(+[](GSimpleAction* a, GVariant* v, gpointer) {
           g_simple_action_set_state(a, v);
           ApplyAppearance(g_variant_get_boolean(v));
         }));
  const char* darkAccels[] = {"<Control><Shift>d", nullptr};
  gtk_application_set_accels_for_action(g->app, "app.dark", darkAccels);
  GSimpleAction* plugin = g_simple_action_new("plugin-menu", G_VARIANT_TYPE_STRING);
  g_signal_connect(plugin, "activate", G_CALLBACK(+[](GSimpleAction*, GVariant* v, gpointer) {
                     const std::string name = g_variant_get_string(v, nullptr);
                     try {
                       g->host->RunMenuItem(name);
                     } catch (const host::HostError& e) {
                       ShowMessage("Cannot run " + name, e.what());
                     }
                     Refresh();
                   }),
                   nullptr);
  g_action_map_add_action(G_ACTION_MAP(g->app), G_ACTION(plugin));
  g_object_unref(plugin);
}

// The items of a host menu group, submenus included.
void AddPluginItems(GMenu* menu, const std::vector<host::MenuItemInfo>& items, const std::string& group) {
  for (const host::MenuItemInfo& item : items) {
    if (item.group != group) continue;
    if (!item.submenu.empty()) {
      GMenu* sub = g_menu_new();
      AddPluginItems(sub, items, item.submenu);
      g_menu_append_submenu(menu, item.text.c_str(), G_MENU_MODEL(sub));
      g_object_unref(sub);
    } else if (!item.name.empty()) {
      GMenuItem* entry = g_menu_item_new(item.text.c_str(), nullptr);
      g_menu_item_set_action_and_target_value(entry, "app.plugin-menu", g_variant_new_string(item.name.c_str()));
      g_menu_append_item(menu, entry);
      g_object_unref(entry);
    }
  }
}

GMenuModel* BuildMenus() {
  GMenu* bar = g_menu_new();
  const auto section = [&](const char* label, std::initializer_list<std::pair<const char*, const char*>> entries) {
    GMenu* menu = g_menu_new();
    for (const auto& [text, action] : entries) g_menu_append(menu, text, action);
    g_menu_append_submenu(bar, label, G_MENU_MODEL(menu));
    return menu;
  };
  g_object_unref(section("_File", {{"_New", "app.new"},
                                   {"_Open…", "app.open"},
                                   {"_Save", "app.save"},
                                   {"Save _As…", "app.save-as"},
                                   {"_Quit", "app.quit"}}));
  g_object_unref(section("_Edit", {{"_Undo", "app.undo"}, {"_Redo", "app.redo"}, {"_Transform Again", "app.transform-again"}}));
  g_object_unref(section("_View", {{"Zoom _In", "app.zoom-in"},
                                   {"Zoom _Out", "app.zoom-out"},
                                   {"_Fit Artboard", "app.zoom-fit"},
                                   {"_Actual Size", "app.zoom-actual"},
                                   {"_Smart Guides", "app.smart-guides"},
                                   {"_Dark Appearance", "app.dark"}}));
  GMenu* help = g_menu_new();
  const std::vector<host::MenuItemInfo> items = g->host->MenuItems();
  for (const std::string& group : g->host->MenuGroups()) {
    bool isSubmenu = false;
    for (const host::MenuItemInfo& item : items) isSubmenu = isSubmenu || item.submenu == group;
    if (isSubmenu) continue;
    GMenu* part = g_menu_new();
    AddPluginItems(part, items, group);
    if (g_menu_model_get_n_items(G_MENU_MODEL(part)) > 0) g_menu_append_section(help, nullptr, G_MENU_MODEL(part));
    g_object_unref(part);
  }
  g_menu_append_submenu(bar, "_Help", G_MENU_MODEL(help));
  g_object_unref(help);
  return G_MENU_MODEL(bar);
}

// --- a test's view of the window

void WriteReport() {
  const char* path = std::getenv(kReportVariable);
  if (!path || g->reported) return;
  g->reported = true;
  GtkNative* native = GTK_NATIVE(g->window);
  double tx = 0, ty = 0;
  gtk_native_get_surface_transform(native, &tx, &ty);
  std::ofstream out(std::string(path) + ".part");
  const auto line = [&](const std::string& what, GtkWidget* w) {
    graphene_rect_t r;
    if (!gtk_widget_compute_bounds(w, GTK_WIDGET(g->window), &r)) return;
    out << what << '\t' << std::lround(r.origin.x + tx) << '\t' << std::lround(r.origin.y + ty) << '\t'
        << std::lround(r.size.width) << '\t' << std::lround(r.size.height) << '\n';
  };
  line("canvas", g->canvas);
  // The menu bar's titles in order; the last is Help.
  if (GtkWidget* last = gtk_widget_get_last_child(g->menubar)) line("menu Help", last);
  for (const auto& [title, button] : g->toolButtons) line("tool " + title, button);
  const host::Workspace& ws = g->host->workspace();
  out << "view\t" << ws.Zoom() << '\t' << ws.ScrollOrigin().h << '\t' << ws.ScrollOrigin().v << '\n';
  out.close();
  std::filesystem::rename(std::string(path) + ".part", path);
}

// The first frame after the window shows: the layout is final then.
gboolean AfterFirstFrame(GtkWidget*, GdkFrameClock*, gpointer) {
  if (gtk_widget_get_width(g->canvas) <= 1) return G_SOURCE_CONTINUE;
  // The artboard fits the canvas at its first real size.
  if (!g->reported) {
    Fit();
    WriteReport();
  }
  return G_SOURCE_REMOVE;
}

// --- the window

gboolean CloseRequest(GtkWindow*, gpointer) {
  if (g->quitting || !Dirty()) return FALSE;
  ConfirmDiscard(Quit);
  return TRUE;
}

void Activate(GtkApplication* app, gpointer data) {
  const Options& options = *static_cast<const Options*>(data);
  g->window = GTK_WINDOW(gtk_application_window_new(app));
  gtk_application_window_set_show_menubar(GTK_APPLICATION_WINDOW(g->window), FALSE);
  gtk_window_set_default_size(g->window, 1100, 760);
  g_signal_connect(g->window, "close-request", G_CALLBACK(CloseRequest), nullptr);

  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css,
                                  "button.tool { padding: 3px; min-width: 0; min-height: 0; }"
                                  "button.tool:checked { background: alpha(@theme_selected_bg_color, 0.45); }",
                                  -1);
  gtk_style_context_add_provider_for_display(gdk_display_get_default(), GTK_STYLE_PROVIDER(css),
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);

  // The plug-in sees the screen's density before it starts.
  GListModel* monitors = gdk_display_get_monitors(gdk_display_get_default());
  if (g_list_model_get_n_items(monitors) > 0) {
    GdkMonitor* monitor = GDK_MONITOR(g_list_model_get_item(monitors, 0));
    g->host->SetDisplayDpi(96 * gdk_monitor_get_scale_factor(monitor));
    g_object_unref(monitor);
  }
  AddActions();

  GtkWidget* outer = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  g->palette = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
  gtk_widget_set_margin_start(g->palette, 4);
  gtk_widget_set_margin_end(g->palette, 4);
  gtk_widget_set_margin_top(g->palette, 4);
  g->canvas = gtk_drawing_area_new();
  gtk_widget_set_hexpand(g->canvas, TRUE);
  gtk_widget_set_vexpand(g->canvas, TRUE);
  gtk_widget_set_focusable(g->canvas, TRUE);
  gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(g->canvas), DrawCanvas, nullptr, nullptr);
  g_signal_connect(g->canvas, "resize", G_CALLBACK(ResizeCanvas), nullptr);
  GtkEventController* legacy = gtk_event_controller_legacy_new();
  g_signal_connect(legacy, "event", G_CALLBACK(CanvasEvent), nullptr);
  gtk_widget_add_controller(g->canvas, legacy);
  GtkEventController* keys = gtk_event_controller_key_new();
  g_signal_connect(keys, "modifiers", G_CALLBACK(ModifiersChanged), nullptr);
  gtk_widget_add_controller(GTK_WIDGET(g->window), keys);
  gtk_box_append(GTK_BOX(outer), g->palette);
  gtk_box_append(GTK_BOX(outer), gtk_separator_new(GTK_ORIENTATION_VERTICAL));
  gtk_box_append(GTK_BOX(outer), g->canvas);
  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  GMenu* empty = g_menu_new();
  g->menubar = gtk_popover_menu_bar_new_from_model(G_MENU_MODEL(empty));
  g_object_unref(empty);
  gtk_box_append(GTK_BOX(column), g->menubar);
  gtk_box_append(GTK_BOX(column), outer);
  gtk_window_set_child(g->window, column);

  // Shown first, so that a message about the plug-in or the file lies over it.
  gtk_window_present(g->window);
  g->windows = std::make_unique<GtkWindowBackend>(*g->host, g->window);
  host::SetWindowBackend(*g->host, g->windows.get());
  try {
    g->host->LoadPlugin(*options.plugin);
    if (const AIErr err = g->host->Startup())
      ShowMessage("The plug-in " + options.plugin->string() + " failed to start", "It returned " + host::FourCC(err) + ".");
  } catch (const host::HostError& e) {
    ShowMessage("Cannot load the plug-in " + options.plugin->string(), e.what());
  }
  g->host->SetShellHandler([](const std::string& target) {
    std::string uri = target;
    if (target.find("://") == std::string::npos) {
      GFile* f = g_file_new_for_path(target.c_str());
      char* u = g_file_get_uri(f);
      uri = u;
      g_free(u);
      g_object_unref(f);
    }
    gtk_show_uri(g->window, uri.c_str(), GDK_CURRENT_TIME);
  });
  // The menu bar is the window's own widget (not the application's), so
  // that its titles can be found on screen.
  GMenuModel* menus = BuildMenus();
  gtk_popover_menu_bar_set_menu_model(GTK_POPOVER_MENU_BAR(g->menubar), menus);
  g_object_unref(menus);
  BuildPalette();

  if (options.file) {
    if (!OpenFile(*options.file)) g->host->NewDocument();
  } else {
    g->host->NewDocument();
  }
  if (!g->saved && g->host->workspace().HasDocument() && !options.file) g->saved = g->host->document();
  UpdateTitle();
  gtk_widget_add_tick_callback(g->canvas, AfterFirstFrame, nullptr, nullptr);
}

std::string HelpText() {
  return std::string("Usage: ") + kProgramName +
         " [OPTIONS] [FILE.svg]\n"
         "Corvane's construction tools in a desktop window: choose a tool in the palette and draw on the\n"
         "document with the mouse.\n\n"
         "Options:\n"
         "  --plugin PATH   the plug-in module to load (default: $" +
         host::kPluginEnvironmentVariable + ", then " + host::kModuleFileName +
         " beside the program, then the module built with it)\n"
         "  -h, --help      print this help and exit\n"
         "  --version       print the version and exit\n\n"
         "Preferences are kept in the same file as corvane-host's.\n";
}

}  // namespace

int RunDesktop(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      std::cout << HelpText();
      return 0;
    }
    if (arg == "--version") {
      std::cout << kProgramName << ' ' << CORVANE_VERSION << '\n';
      return 0;
    }
    if (arg == "--plugin" || arg.rfind("--plugin=", 0) == 0) {
      if (arg == "--plugin" && i + 1 >= argc) {
        std::cerr << kProgramName << ": --plugin needs a PATH\n";
        return 2;
      }
      options.plugin = arg == "--plugin" ? std::string(argv[++i]) : arg.substr(std::strlen("--plugin="));
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      std::cerr << kProgramName << ": unknown option '" << arg << "'\nTry '" << kProgramName
                << " --help' for more information.\n";
      return 2;
    } else if (options.file) {
      std::cerr << kProgramName << ": one document at a time ('" << options.file->string() << "' and '" << arg
                << "')\n";
      return 2;
    } else {
      options.file = std::filesystem::absolute(arg);
    }
  }
  const char* env = std::getenv(host::kPluginEnvironmentVariable);
  const host::PluginLocation location =
      host::LocatePlugin({.option = options.plugin,
                          .environment = env ? std::optional<std::string>(env) : std::nullopt,
                          .executableDirectory = host::ExecutableDirectory(),
                          .builtModule = CORVANE_BUILT_PLUGIN});
  options.plugin = location.found.value_or(host::kModuleFileName);

  Desktop desktop;
  g = &desktop;
  desktop.host = std::make_unique<host::Host>(host::HostOptions{});
  desktop.app = gtk_application_new(kAppId, G_APPLICATION_NON_UNIQUE);
  g_signal_connect(desktop.app, "activate", G_CALLBACK(Activate), &options);
  char* gtkArgs[] = {argv[0], nullptr};
  const int status = g_application_run(G_APPLICATION(desktop.app), 1, gtkArgs);
  // The plug-in shuts down before the cursors it made and the window go.
  desktop.host.reset();
  desktop.windows.reset();
  for (auto& [key, cursor] : desktop.cursors)
    if (cursor) g_object_unref(cursor);
  g_object_unref(desktop.app);
  g = nullptr;
  return status;
}

}  // namespace desktop
