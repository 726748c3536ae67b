#include "host/render/PaintDialogs.h"

#include <algorithm>
#include <cmath>

#include "host/render/FontFamily.h"
#include "host/render/Utf8.h"

namespace host::render {
namespace {

constexpr const char* kFamily = "sans-serif";
constexpr double kMinFontPx = 9, kMaxFontPx = 22, kFontPerHeight = 0.58;
constexpr double kCaptionFontPx = 13;
constexpr double kTextPadPx = 6;
constexpr double kBoxPx = 13;
constexpr int kShadowPx = 4;

enum Role { kBackground = 0, kText = 1, kFrame = 2, kHighlight = 3, kDisabled = 4 };

AIRGBColor Grey(uint16_t level) { return {level, level, level}; }

CorvaneWindowColors FallbackColors() {
  CorvaneWindowColors c{};
  const AIRGBColor dialog[5] = {Grey(0xF0F0), Grey(0x1E1E), Grey(0xA0A0), {0x2E2E, 0x7D7D, 0xD7D7}, Grey(0x8C8C)};
  const AIRGBColor control[5] = {Grey(0xFFFF), Grey(0x0000), Grey(0x8080), {0x1C1C, 0x6A6A, 0xC8C8}, Grey(0xA0A0)};
  std::copy(std::begin(dialog), std::end(dialog), c.dialog);
  std::copy(std::begin(control), std::end(control), c.control);
  return c;
}

AIRGBColor Mix(const AIRGBColor& a, const AIRGBColor& b, double t) {
  const auto m = [&](uint16_t x, uint16_t y) { return static_cast<uint16_t>(std::lround(x + (y - x) * t)); };
  return {m(a.red, b.red), m(a.green, b.green), m(a.blue, b.blue)};
}

void Rect(cairo_t* cr, double l, double t, double r, double b) { cairo_rectangle(cr, l, t, r - l, b - t); }

void Fill(cairo_t* cr, const AIRect& r, const AIRGBColor& color) {
  SetSource(cr, color);
  Rect(cr, r.left, r.top, r.right, r.bottom);
  cairo_fill(cr);
}

void Outline(cairo_t* cr, const AIRect& r, const AIRGBColor& color, double width = 1) {
  SetSource(cr, color);
  cairo_set_line_width(cr, width);
  Rect(cr, r.left + width / 2, r.top + width / 2, r.right - width / 2, r.bottom - width / 2);
  cairo_stroke(cr);
}

double FontFor(const AIRect& r) { return std::clamp((r.bottom - r.top) * kFontPerHeight, kMinFontPx, kMaxFontPx); }

enum class Align { Left, Centre, Right };

// One line of text in the rectangle, vertically centred.
void Text(cairo_t* cr, const std::string& text, const AIRect& r, double size, const AIRGBColor& color, Align align,
          bool bold = false) {
  if (text.empty()) return;
  cairo_save(cr);
  Rect(cr, r.left, r.top, r.right, r.bottom);
  cairo_clip(cr);
  const std::string utf8 = WellFormedUtf8(text);
  cairo_select_font_face(cr, FontFamilyFor(utf8, kFamily).c_str(), CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, utf8.c_str(), &ext);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  double x = r.left + kTextPadPx;
  if (align == Align::Centre) x = (r.left + r.right - ext.x_advance) / 2;
  if (align == Align::Right) x = r.right - kTextPadPx - ext.x_advance;
  const double y = (r.top + r.bottom) / 2 + (font.ascent - font.descent) / 2;
  SetSource(cr, color);
  cairo_move_to(cr, std::round(x), std::round(y));
  cairo_show_text(cr, utf8.c_str());
  cairo_restore(cr);
}

// Pixels scaled into the rectangle (RGBA, straight alpha).
void Pixels(cairo_t* cr, const ControlInfo& c, const AIRect& r) {
  if (c.width <= 0 || c.height <= 0 || c.rgba.size() != static_cast<std::size_t>(c.width) * c.height * 4) return;
  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, c.width, c.height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return;
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  for (int y = 0; y < c.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < c.width; ++x) {
      const uint8_t* p = &c.rgba[(static_cast<std::size_t>(y) * c.width + x) * 4];
      const uint32_t a = p[3];
      const auto pre = [&](uint8_t v) { return static_cast<uint32_t>((v * a + 127) / 255); };
      row[x] = (a << 24) | (pre(p[0]) << 16) | (pre(p[1]) << 8) | pre(p[2]);
    }
  }
  cairo_surface_mark_dirty(image.get());
  cairo_save(cr);
  Rect(cr, r.left, r.top, r.right, r.bottom);
  cairo_clip(cr);
  cairo_translate(cr, r.left, r.top);
  cairo_scale(cr, static_cast<double>(r.right - r.left) / c.width, static_cast<double>(r.bottom - r.top) / c.height);
  cairo_set_source_surface(cr, image.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
}

void Button(cairo_t* cr, const ControlInfo& c, const AIRect& r, const CorvaneWindowColors& k) {
  const AIRGBColor text = c.enabled ? k.control[kText] : k.control[kDisabled];
  Fill(cr, r, Mix(k.control[kBackground], k.dialog[kBackground], 0.35));
  Outline(cr, r, c.focused ? k.control[kHighlight] : k.control[kFrame], c.focused ? 2 : 1);
  Text(cr, c.text, r, FontFor(r), text, Align::Centre);
}

void Toggle(cairo_t* cr, const ControlInfo& c, const AIRect& r, const CorvaneWindowColors& k, bool radio) {
  const double cy = (r.top + r.bottom) / 2.0, left = r.left + 1;
  SetSource(cr, k.control[kBackground]);
  if (radio)
    cairo_arc(cr, left + kBoxPx / 2, cy, kBoxPx / 2, 0, 2 * M_PI);
  else
    Rect(cr, left, cy - kBoxPx / 2, left + kBoxPx, cy + kBoxPx / 2);
  cairo_fill_preserve(cr);
  SetSource(cr, c.focused ? k.control[kHighlight] : k.control[kFrame]);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  if (c.value) {
    SetSource(cr, k.control[kHighlight]);
    if (radio) {
      cairo_arc(cr, left + kBoxPx / 2, cy, kBoxPx / 4, 0, 2 * M_PI);
      cairo_fill(cr);
    } else {
      cairo_set_line_width(cr, 2);
      cairo_move_to(cr, left + 3, cy);
      cairo_line_to(cr, left + 5.5, cy + 3.5);
      cairo_line_to(cr, left + kBoxPx - 2.5, cy - 3.5);
      cairo_stroke(cr);
    }
  }
  const AIRect label{static_cast<int32_t>(left + kBoxPx), r.top, r.right, r.bottom};
  Text(cr, c.text, label, FontFor(r), c.enabled ? k.dialog[kText] : k.dialog[kDisabled], Align::Left);
}

void Edit(cairo_t* cr, const ControlInfo& c, const AIRect& r, const CorvaneWindowColors& k) {
  Fill(cr, r, k.control[kBackground]);
  Outline(cr, r, c.focused ? k.control[kHighlight] : k.control[kFrame], c.focused ? 2 : 1);
  Text(cr, c.text, r, FontFor(r), c.enabled ? k.control[kText] : k.control[kDisabled], Align::Left);
}

void Label(cairo_t* cr, const ControlInfo& c, const AIRect& r, const CorvaneWindowColors& k) {
  const AIRGBColor color = !c.enabled ? k.dialog[kDisabled] : c.hasTextColor ? c.textColor : k.dialog[kText];
  const Align align = c.value == 1 ? Align::Centre : c.value == 2 ? Align::Right : Align::Left;
  Text(cr, c.text, r, FontFor(r), color, align);
}

void Frame(cairo_t* cr, const ControlInfo& c, const AIRect& r, const CorvaneWindowColors& k) {
  Outline(cr, r, k.dialog[kFrame]);
  if (c.text.empty()) return;
  const AIRect caption{r.left + 6, r.top - 8, r.right, r.top + 8};
  Text(cr, c.text, caption, 11, k.dialog[kText], Align::Left);
}

void Control(cairo_t* cr, const ControlInfo& c, const WindowInfo& w, const CorvaneWindowColors& k) {
  if (!c.visible) return;
  const AIRect r{w.bounds.left + c.bounds.left, w.bounds.top + c.bounds.top, w.bounds.left + c.bounds.right,
                 w.bounds.top + c.bounds.bottom};
  switch (c.kind) {
    case kCorvaneControlPushButton: return Button(cr, c, r, k);
    case kCorvaneControlCheckBox: return Toggle(cr, c, r, k, false);
    case kCorvaneControlRadio: return Toggle(cr, c, r, k, true);
    case kCorvaneControlEdit: return Edit(cr, c, r, k);
    case kCorvaneControlLabel: return Label(cr, c, r, k);
    case kCorvaneControlFrame: return Frame(cr, c, r, k);
    default: return Pixels(cr, c, r);
  }
}

void Window(cairo_t* cr, const WindowInfo& w) {
  const CorvaneWindowColors k = w.colors ? *w.colors : FallbackColors();
  const bool captioned = w.kind == kCorvaneWindowCaptioned;
  const AIRect outer{w.bounds.left - 1, w.bounds.top - (captioned ? kCaptionHeightPx : 0) - 1, w.bounds.right + 1,
                     w.bounds.bottom + 1};
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  Rect(cr, outer.left + kShadowPx, outer.top + kShadowPx, outer.right + kShadowPx, outer.bottom + kShadowPx);
  cairo_fill(cr);
  Fill(cr, outer, k.dialog[kFrame]);
  if (captioned) {
    const AIRect bar{w.bounds.left, outer.top + 1, w.bounds.right, w.bounds.top};
    Fill(cr, bar, Mix(k.dialog[kBackground], k.dialog[kText], 0.08));
    Text(cr, w.title, bar, kCaptionFontPx, w.enabled ? k.dialog[kText] : k.dialog[kDisabled], Align::Left, true);
    const AIRect close{bar.right - kCaptionHeightPx, bar.top, bar.right, bar.bottom};
    Text(cr, "x", close, kCaptionFontPx, k.dialog[kText], Align::Centre);
  }
  Fill(cr, w.bounds, k.dialog[kBackground]);
  for (const ControlInfo& c : w.controls) Control(cr, c, w, k);
}

}  // namespace

void PaintDialogs(const Canvas& canvas, const std::vector<WindowInfo>& windows) {
  cairo_save(canvas.cr);
  cairo_set_antialias(canvas.cr, CAIRO_ANTIALIAS_DEFAULT);
  for (const WindowInfo& w : windows)
    if (w.visible) Window(canvas.cr, w);
  cairo_restore(canvas.cr);
}

}  // namespace host::render
