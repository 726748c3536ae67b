#include "apps/corvane-desktop/DesktopDialogs.h"

#include <cstdio>
#include <string>

namespace desktop {
namespace {

// Set while the plug-in's state is copied into the widgets, so that the
// widgets' own change signals do not report it back as a person's doing.
int syncing = 0;

struct Syncing {
  Syncing() { ++syncing; }
  ~Syncing() { --syncing; }
};

// What a widget's signal handlers need.
struct Binding {
  GtkWindowBackend* backend;
  host::Host* host;
  AIWindowRef window;
  CorvaneControlRef control;
  bool edited = false;  // an edit field's text changed since its last commit
};

std::string Hex(const AIRGBColor& c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.red >> 8, c.green >> 8, c.blue >> 8);
  return buffer;
}

GdkTexture* Texture(const host::ControlInfo& c) {
  GBytes* bytes = g_bytes_new(c.rgba.data(), c.rgba.size());
  GdkTexture* texture =
      gdk_memory_texture_new(c.width, c.height, GDK_MEMORY_R8G8B8A8, bytes, static_cast<gsize>(c.width) * 4);
  g_bytes_unref(bytes);
  return texture;
}

void Clicked(GtkButton*, gpointer data) {
  if (syncing) return;
  auto* b = static_cast<Binding*>(data);
  host::ClickControl(*b->host, b->control);
}

void Toggled(GtkCheckButton* button, gpointer data) {
  if (syncing) return;
  auto* b = static_cast<Binding*>(data);
  const std::optional<host::WindowInfo> info = host::WindowOf(*b->host, b->window);
  const host::ControlInfo* c = nullptr;
  if (info)
    for (const host::ControlInfo& each : info->controls)
      if (each.ref == b->control) c = &each;
  if (!c) return;
  // A radio button turns on when clicked and never off.
  if (c->kind == kCorvaneControlRadio && !gtk_check_button_get_active(button)) {
    Syncing s;
    gtk_check_button_set_active(button, TRUE);
    return;
  }
  host::ClickControl(*b->host, b->control);
}

void TextChanged(GtkEditable* editable, gpointer data) {
  if (syncing) return;
  auto* b = static_cast<Binding*>(data);
  b->edited = true;
  host::EditControlText(*b->host, b->control, gtk_editable_get_text(editable));
}

void Commit(Binding* b) {
  if (!b->edited) return;
  b->edited = false;
  host::CommitControlText(*b->host, b->control);
}

void FocusLeft(GtkEventControllerFocus*, gpointer data) { Commit(static_cast<Binding*>(data)); }

struct WindowBinding {
  host::Host* host;
  AIWindowRef window;
};

// Escape presses the cancel item and Enter the default one (committing the
// field being typed in first), as the plug-in's dialogs expect of the keys.
gboolean DialogKey(GtkEventControllerKey* keys, guint keyval, guint, GdkModifierType, gpointer data) {
  auto* w = static_cast<WindowBinding*>(data);
  int32_t key = 0;
  if (keyval == GDK_KEY_Escape) key = kCorvaneKeyEscape;
  if (keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter) key = kCorvaneKeyEnter;
  if (!key) return FALSE;
  if (key == kCorvaneKeyEnter) {
    GtkWidget* window = gtk_event_controller_get_widget(GTK_EVENT_CONTROLLER(keys));
    for (GtkWidget* f = gtk_root_get_focus(GTK_ROOT(window)); f; f = gtk_widget_get_parent(f))
      if (auto* b = static_cast<Binding*>(g_object_get_data(G_OBJECT(f), "corvane-binding"))) {
        Commit(b);
        break;
      }
  }
  host::PressWindowKey(*w->host, w->window, key);
  return TRUE;
}

gboolean CloseRequested(GtkWindow*, gpointer data) {
  auto* w = static_cast<WindowBinding*>(data);
  host::CloseWindow(*w->host, w->window);
  return TRUE;  // the plug-in destroys its window
}

GtkWidget* MakeWidget(int32_t kind, Binding* binding) {
  GtkWidget* w = nullptr;
  switch (kind) {
    case kCorvaneControlPushButton:
      w = gtk_button_new();
      g_signal_connect(w, "clicked", G_CALLBACK(Clicked), binding);
      break;
    case kCorvaneControlCheckBox:
    case kCorvaneControlRadio:
      w = gtk_check_button_new();
      g_signal_connect(w, "toggled", G_CALLBACK(Toggled), binding);
      break;
    case kCorvaneControlEdit: {
      w = gtk_entry_new();
      g_signal_connect(w, "changed", G_CALLBACK(TextChanged), binding);
      GtkEventController* focus = gtk_event_controller_focus_new();
      g_signal_connect(focus, "leave", G_CALLBACK(FocusLeft), binding);
      gtk_widget_add_controller(w, focus);
      break;
    }
    case kCorvaneControlFrame: w = gtk_frame_new(nullptr); break;
    case kCorvaneControlPicture:
    case kCorvaneControlUserArea:
      w = gtk_picture_new();
      gtk_picture_set_can_shrink(GTK_PICTURE(w), TRUE);
      gtk_picture_set_content_fit(GTK_PICTURE(w), GTK_CONTENT_FIT_FILL);
      break;
    default:
      w = gtk_label_new(nullptr);
      gtk_label_set_wrap(GTK_LABEL(w), TRUE);
      break;
  }
  g_object_set_data_full(G_OBJECT(w), "corvane-binding", binding, [](gpointer p) { delete static_cast<Binding*>(p); });
  return w;
}

void Apply(GtkWidget* w, const host::ControlInfo& c) {
  Syncing s;
  const int width = c.bounds.right - c.bounds.left, height = c.bounds.bottom - c.bounds.top;
  gtk_widget_set_size_request(w, width, height);
  gtk_widget_set_visible(w, c.visible);
  gtk_widget_set_sensitive(w, c.enabled);
  switch (c.kind) {
    case kCorvaneControlPushButton: gtk_button_set_label(GTK_BUTTON(w), c.text.c_str()); break;
    case kCorvaneControlCheckBox:
    case kCorvaneControlRadio:
      gtk_check_button_set_label(GTK_CHECK_BUTTON(w), c.text.c_str());
      gtk_check_button_set_active(GTK_CHECK_BUTTON(w), c.value != 0);
      break;
    case kCorvaneControlEdit:
      if (c.text != gtk_editable_get_text(GTK_EDITABLE(w))) gtk_editable_set_text(GTK_EDITABLE(w), c.text.c_str());
      break;
    case kCorvaneControlFrame:
      gtk_frame_set_label(GTK_FRAME(w), c.text.empty() ? nullptr : c.text.c_str());
      break;
    case kCorvaneControlPicture:
    case kCorvaneControlUserArea:
      if (c.width > 0 && c.height > 0 && c.rgba.size() == static_cast<std::size_t>(c.width) * c.height * 4) {
        GdkTexture* texture = Texture(c);
        gtk_picture_set_paintable(GTK_PICTURE(w), GDK_PAINTABLE(texture));
        g_object_unref(texture);
      }
      break;
    default: {
      gtk_label_set_text(GTK_LABEL(w), c.text.c_str());
      gtk_label_set_xalign(GTK_LABEL(w), c.value == 1 ? 0.5f : c.value == 2 ? 1.0f : 0.0f);
      if (c.hasTextColor) {
        GtkCssProvider* css = gtk_css_provider_new();
        const std::string rule = "label { color: " + Hex(c.textColor) + "; }";
        gtk_css_provider_load_from_data(css, rule.c_str(), -1);
        gtk_style_context_add_provider(gtk_widget_get_style_context(w), GTK_STYLE_PROVIDER(css),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
        g_object_unref(css);
      }
      break;
    }
  }
}

}  // namespace

GtkWindowBackend::GtkWindowBackend(host::Host& host, GtkWindow* appWindow) : host_(host), appWindow_(appWindow) {}

GtkWindowBackend::~GtkWindowBackend() {
  while (!shown_.empty()) WindowDestroyed(shown_.begin()->first);
}

GtkWindowBackend::Shown& GtkWindowBackend::Make(const host::WindowInfo& info) {
  Shown& s = shown_[info.ref];
  s.window = GTK_WINDOW(gtk_window_new());
  s.fixed = gtk_fixed_new();
  s.cssClass = "corvane-window-" + std::to_string(++next_);
  gtk_widget_add_css_class(GTK_WIDGET(s.window), s.cssClass.c_str());
  gtk_window_set_child(s.window, s.fixed);
  gtk_window_set_resizable(s.window, FALSE);
  if (info.kind == kCorvaneWindowPopup) gtk_window_set_decorated(s.window, FALSE);
  GtkWindow* owner = appWindow_;
  if (const auto it = shown_.find(info.owner); it != shown_.end() && info.owner) owner = it->second.window;
  gtk_window_set_transient_for(s.window, owner);
  auto* binding = new WindowBinding{&host_, info.ref};
  g_object_set_data_full(G_OBJECT(s.window), "corvane-window", binding,
                         [](gpointer p) { delete static_cast<WindowBinding*>(p); });
  g_signal_connect(s.window, "close-request", G_CALLBACK(CloseRequested), binding);
  GtkEventController* keys = gtk_event_controller_key_new();
  gtk_event_controller_set_propagation_phase(keys, GTK_PHASE_CAPTURE);
  g_signal_connect(keys, "key-pressed", G_CALLBACK(DialogKey), binding);
  gtk_widget_add_controller(GTK_WIDGET(s.window), keys);
  s.css = gtk_css_provider_new();
  gtk_style_context_add_provider_for_display(gdk_display_get_default(), GTK_STYLE_PROVIDER(s.css),
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  return s;
}

void GtkWindowBackend::Sync(Shown& s, const host::WindowInfo& info) {
  Syncing guard;
  gtk_window_set_title(s.window, info.title.c_str());
  gtk_widget_set_size_request(s.fixed, info.bounds.right - info.bounds.left, info.bounds.bottom - info.bounds.top);
  gtk_widget_set_sensitive(s.fixed, info.enabled);
  // The plug-in lays its controls out at fixed pixel rectangles sized for a
  // compact native look; the theme's minimum heights and paddings would make
  // a push button or an edit field taller than its rectangle and spill onto
  // its neighbours.
  const std::string w = "window." + s.cssClass;
  std::string rules = w + " button, " + w + " entry, " + w + " checkbutton { min-height: 0; min-width: 0; " +
                      "padding-top: 0; padding-bottom: 0; }\n" + w + " button { padding-left: 4px; " +
                      "padding-right: 4px; }\n" + w + " checkbutton check { min-height: 12px; min-width: 12px; " +
                      "margin: 0 4px 0 0; }\n";
  if (info.colors) {
    const CorvaneWindowColors& c = *info.colors;
    rules += w + ", " + w + " fixed { background-color: " + Hex(c.dialog[0]) + "; color: " +
                              Hex(c.dialog[1]) + "; }\n" + w + " label, " + w + " checkbutton { color: " +
                              Hex(c.dialog[1]) + "; }\n" + w + " entry, " + w + " button { background-image: none; " +
                              "background-color: " + Hex(c.control[0]) + "; color: " + Hex(c.control[1]) +
                              "; border-color: " + Hex(c.dialog[2]) + "; }\n" + w + " *:disabled { color: " +
                              Hex(c.dialog[4]) + "; }\n" + w + " frame > border { border-color: " + Hex(c.dialog[2]) +
                              "; }\n";
  }
  if (rules != s.cssRules) {
    gtk_css_provider_load_from_data(s.css, rules.c_str(), -1);
    s.cssRules = std::move(rules);
  }
  if (info.visible != gtk_widget_get_visible(GTK_WIDGET(s.window))) {
    if (info.visible)
      gtk_window_present(s.window);
    else
      gtk_widget_set_visible(GTK_WIDGET(s.window), FALSE);
  }
}

void GtkWindowBackend::WindowChanged(AIWindowRef window) {
  const std::optional<host::WindowInfo> info = host::WindowOf(host_, window);
  if (!info) return;
  const auto it = shown_.find(window);
  Sync(it == shown_.end() ? Make(*info) : it->second, *info);
}

void GtkWindowBackend::WindowDestroyed(AIWindowRef window) {
  const auto it = shown_.find(window);
  if (it == shown_.end()) return;
  Shown s = it->second;
  shown_.erase(it);
  if (s.loop) g_main_loop_quit(s.loop);
  gtk_style_context_remove_provider_for_display(gdk_display_get_default(), GTK_STYLE_PROVIDER(s.css));
  g_object_unref(s.css);
  gtk_window_destroy(s.window);
}

void GtkWindowBackend::ControlChanged(AIWindowRef window, CorvaneControlRef control) {
  const auto it = shown_.find(window);
  const std::optional<host::WindowInfo> info = host::WindowOf(host_, window);
  if (it == shown_.end() || !info) return;
  const host::ControlInfo* c = nullptr;
  for (const host::ControlInfo& each : info->controls)
    if (each.ref == control) c = &each;
  if (!c) return;
  Shown& s = it->second;
  GtkWidget*& w = s.controls[control];
  if (!w) {
    w = MakeWidget(c->kind, new Binding{this, &host_, window, control});
    gtk_fixed_put(GTK_FIXED(s.fixed), w, c->bounds.left, c->bounds.top);
  } else {
    gtk_fixed_move(GTK_FIXED(s.fixed), w, c->bounds.left, c->bounds.top);
  }
  Apply(w, *c);
  if (c->focused && gtk_widget_get_visible(GTK_WIDGET(s.window))) gtk_widget_grab_focus(w);
}

void GtkWindowBackend::AppWindowEnabled(bool enabled) { gtk_widget_set_sensitive(GTK_WIDGET(appWindow_), enabled); }

void GtkWindowBackend::RunModalLoop(AIWindowRef window) {
  const auto it = shown_.find(window);
  if (it == shown_.end()) return;
  gtk_window_set_modal(it->second.window, TRUE);
  gtk_window_present(it->second.window);
  // The focus the plug-in chose, now that the window shows.
  if (const std::optional<host::WindowInfo> info = host::WindowOf(host_, window))
    for (const host::ControlInfo& c : info->controls)
      if (c.focused) gtk_widget_grab_focus(it->second.controls[c.ref]);
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  it->second.loop = loop;
  g_main_loop_run(loop);
  if (const auto still = shown_.find(window); still != shown_.end()) still->second.loop = nullptr;
  g_main_loop_unref(loop);
}

void GtkWindowBackend::EndModalLoop(AIWindowRef window) {
  const auto it = shown_.find(window);
  if (it != shown_.end() && it->second.loop) g_main_loop_quit(it->second.loop);
}

}  // namespace desktop
