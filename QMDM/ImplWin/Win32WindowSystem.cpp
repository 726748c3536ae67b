// The dialog layer's windows on Win32 (Win32WindowSystem.h).
//
// How the window suite's pieces map onto Win32:
// - A window is a top-level window of the layer's own class, owned by the
//   window it was given when that is a window; its procedure colours the
//   controls (WM_CTLCOLOR*), draws the owner-drawn ones (WM_DRAWITEM) and turns
//   control notifications into the layer's events.
// - Push buttons are owner-drawn BUTTONs, so that they take the dialog's light
//   or dark colours; check boxes and radios are BUTTONs without visual styles,
//   whose text and ground come from WM_CTLCOLORSTATIC; edit fields are EDITs.
// - Labels, frames, pictures and user areas are owner-drawn STATICs.  They may
//   overlap (the About dialog's lines of text lie on its banner picture), so
//   each one paints the whole drawn scene of its window within its rectangle,
//   items in the order they were made: whichever of two overlapping items
//   paints last, the pixels are the same.  The interactive controls stay above
//   them in the Z order, in the order they were made, which is the Tab order.
// - Events: BN_CLICKED is a click (a check box has toggled itself, a radio is
//   turned on); EN_CHANGE is typing; the focus leaving an edit field after
//   typing, Enter, or a click elsewhere in the window commits it; Escape and
//   Enter reach the window's procedure as keys from the modal loop; WM_CLOSE
//   is the close box.  What the layer itself changes (texts, checks, sizes,
//   the focus) is not reported back, as with the host's window suite.
#include <windows.h>
// windows.h first: GDI+ and the theme API build on its types.
#include <gdiplus.h>
#include <uxtheme.h>
// The window suite's names, not the system's macros for its A and W calls.
#undef CreateWindow

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QMDM/ImplCommon/QMDMExceptions.h"
#include "QMDM/ImplWin/Win32WindowSystem.h"
#include "hostcall/Error.h"
#include "hostcall/WideTextWin.h"

namespace QMDM {
namespace {

namespace gp = Gdiplus::DllExports;

constexpr wchar_t kWindowClass[] = L"CorvaneDialog";
// The dialogs' texts are GBK, the platform encoding of the plug-in's texts.
constexpr UINT kPlatformCodePage = 936;
constexpr int kFontPoints = 9;
// Windows are on a screen; keep their sizes to what one could show.
constexpr int32_t kMaxSidePx = 1 << 15;
// A frame's caption starts this far right of the frame's left edge, with this
// much ground on either side of it.
constexpr int kFrameCaptionIndent = 8;
constexpr int kFrameCaptionPad = 2;

[[noreturn]] void Fail(SPErr code = kBadParameterErr) { throw ai::Error(code); }

std::wstring ToWide(const char* text) {
  if (std::optional<std::wstring> wide = ai::WideFrom(text, kPlatformCodePage)) return *std::move(wide);
  Fail();
}

std::string FromWide(const std::wstring& wide) {
  if (std::optional<std::string> text = ai::NarrowFrom(wide, kPlatformCodePage)) return *std::move(text);
  Fail();
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

COLORREF ToColorRef(const AIRGBColor& c) { return RGB(c.red >> 8, c.green >> 8, c.blue >> 8); }

// GDI+'s 0xAARRGGBB.
Gdiplus::ARGB ToArgb(COLORREF c) {
  return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(c)) << 16) |
         (static_cast<Gdiplus::ARGB>(GetGValue(c)) << 8) | GetBValue(c);
}

COLORREF Mix(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

template <class Handle>
Handle FromRef(const void* ref) {
  return reinterpret_cast<Handle>(const_cast<void*>(ref));
}

AIRect Checked(const AIRect* r) {
  if (!r) Fail();
  const int64_t w = int64_t{r->right} - r->left, h = int64_t{r->bottom} - r->top;
  if (w < 0 || h < 0 || w > kMaxSidePx || h > kMaxSidePx) Fail();
  return *r;
}

RECT ToRECT(const AIRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

bool Drawn(int32_t kind) {
  return kind == kCorvaneControlLabel || kind == kCorvaneControlFrame || kind == kCorvaneControlPicture ||
         kind == kCorvaneControlUserArea;
}

struct Control {
  HWND hwnd = nullptr;
  HWND window = nullptr;
  int32_t kind = kCorvaneControlLabel;
  int32_t id = 0;
  AIRect bounds{};
  int32_t value = 0;  // a label's alignment; check boxes and radios keep their own state
  bool hasTextColor = false;
  COLORREF textColor = 0;
  int32_t width = 0;  // pixels of a picture or user area: B, G, R, A, not premultiplied
  int32_t height = 0;
  std::vector<uint8_t> bgra;
  bool edited = false;  // an edit field typed in since its last commit
};

struct Window {
  HWND hwnd = nullptr;
  int32_t kind = kCorvaneWindowCaptioned;
  CorvaneWindowEventProc proc = nullptr;
  void* refcon = nullptr;
  bool hasColors = false;
  CorvaneWindowColors colors{};
  HBRUSH dialogBrush = nullptr;
  HBRUSH controlBrush = nullptr;
  std::vector<std::unique_ptr<Control>> controls;  // in creation order
  HWND lastFocus = nullptr;  // the control that had the focus when the window was last deactivated
  bool modal = false;
  int quiet = 0;  // above 0 while the layer itself changes the window

  ~Window() { DropBrushes(); }
  void DropBrushes() {
    if (dialogBrush) DeleteObject(dialogBrush);
    if (controlBrush) DeleteObject(controlBrush);
    dialogBrush = controlBrush = nullptr;
  }
  // background, text, frame, highlight, disabled text; the system's own
  // until the layer gives its theme.
  COLORREF DialogColor(int i) const {
    static constexpr int kSystem[5] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_HIGHLIGHT, COLOR_GRAYTEXT};
    return hasColors ? ToColorRef(colors.dialog[i]) : GetSysColor(kSystem[i]);
  }
  COLORREF ControlColor(int i) const {
    static constexpr int kSystem[5] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNSHADOW, COLOR_HIGHLIGHT,
                                       COLOR_GRAYTEXT};
    return hasColors ? ToColorRef(colors.control[i]) : GetSysColor(kSystem[i]);
  }
  HBRUSH DialogBrush() {
    if (!dialogBrush) dialogBrush = CreateSolidBrush(DialogColor(0));
    return dialogBrush;
  }
  HBRUSH ControlBrush() {
    if (!controlBrush) controlBrush = CreateSolidBrush(ControlColor(0));
    return controlBrush;
  }
};

// What the layer changes itself is not reported back as a person's doing.
struct Quiet {
  explicit Quiet(Window& w) : w_(w) { ++w_.quiet; }
  ~Quiet() { --w_.quiet; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  Window& w_;
};

struct SystemState {
  bool open = false;
  HINSTANCE instance = nullptr;
  ULONG_PTR gdiplus = 0;
  HFONT font = nullptr;
  bool ownFont = false;
  std::map<HWND, std::shared_ptr<Window>> windows;
  std::map<HWND, Control*> controls;
  std::vector<HWND> topWindows;  // as of the last count
  // The off-screen bitmap every drawn item is composed in, grown as needed.
  HDC offscreen = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ firstBitmap = nullptr;
  int bitmapWidth = 0;
  int bitmapHeight = 0;
};

SystemState& S() {
  static SystemState state;
  return state;
}

std::shared_ptr<Window> FindDialog(HWND hwnd) {
  const auto it = S().windows.find(hwnd);
  return it == S().windows.end() ? nullptr : it->second;
}

Window& WindowOf(AIWindowRef ref) {
  const auto it = S().windows.find(FromRef<HWND>(ref));
  if (it == S().windows.end()) Fail(kBadHandleErr);
  return *it->second;
}

Control* FindControl(HWND hwnd) {
  const auto it = S().controls.find(hwnd);
  return it == S().controls.end() ? nullptr : it->second;
}

Control& ControlOf(CorvaneControlRef ref) {
  Control* c = FindControl(FromRef<HWND>(ref));
  if (!c) Fail(kBadHandleErr);
  return *c;
}

Window& OwnerOf(const Control& c) { return WindowOf(reinterpret_cast<AIWindowRef>(c.window)); }

// Any top-level window of the process's thread, the host's included.
HWND AnyWindow(AIWindowRef ref) {
  const HWND hwnd = FromRef<HWND>(ref);
  if (!hwnd || !IsWindow(hwnd)) Fail(kBadHandleErr);
  return hwnd;
}

// --- the dialog font

struct Face {
  std::wstring name;
  bool fixedPitch = false;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  // '@' faces are the vertical-writing variants.
  if (font->lfFaceName[0] != L'@')
    reinterpret_cast<std::vector<Face>*>(faces)->push_back(
        {font->lfFaceName, (font->lfPitchAndFamily & 3) == FIXED_PITCH});
  return 1;
}

// The faces that carry the simplified Chinese character set.
std::vector<Face> ChineseFaces(HDC screen) {
  LOGFONTW query{};
  query.lfCharSet = GB2312_CHARSET;
  std::vector<Face> faces;
  EnumFontFamiliesExW(screen, &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

// A face that shows the dialogs' Chinese texts: the system's own user
// interface faces first, then any proportional face with the character set,
// then any; nothing when the system has none (Latin text still shows).
std::wstring ChineseFace(const std::vector<Face>& faces) {
  for (const wchar_t* preferred : {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun"})
    for (const Face& f : faces)
      if (f.name == preferred) return f.name;
  for (const Face& f : faces)
    if (!f.fixedPitch) return f.name;
  return faces.empty() ? std::wstring() : faces.front().name;
}

void PickDialogFont() {
  HDC screen = GetDC(nullptr);
  const std::wstring face = ChineseFace(ChineseFaces(screen));
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  S().font = nullptr;
  S().ownFont = false;
  if (!face.empty() && face.size() < LF_FACESIZE) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kFontPoints, dpiY, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    face.copy(font.lfFaceName, face.size());
    S().font = CreateFontIndirectW(&font);
    S().ownFont = S().font != nullptr;
  }
  if (!S().font) S().font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// --- drawing

// The shared off-screen bitmap, at least w x h; false (after the layer's
// report) when it cannot be made.
bool Offscreen(int w, int h) {
  SystemState& s = S();
  if (!s.offscreen) {
    s.offscreen = CreateCompatibleDC(nullptr);
    if (!s.offscreen) {
      std::fputs("QMDM: failed to allocate device context\n", stdout);
      return false;
    }
  }
  if (w <= s.bitmapWidth && h <= s.bitmapHeight) return true;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = std::max(w, s.bitmapWidth);
  info.bmiHeader.biHeight = -std::max(h, s.bitmapHeight);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(s.offscreen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) {
    std::fputs("QMDM: failed to create bitmap\n", stdout);
    return false;
  }
  HGDIOBJ previous = SelectObject(s.offscreen, bitmap);
  if (!s.firstBitmap) s.firstBitmap = previous;
  if (s.bitmap) DeleteObject(s.bitmap);
  s.bitmap = bitmap;
  s.bitmapWidth = static_cast<int>(info.bmiHeader.biWidth);
  s.bitmapHeight = static_cast<int>(-info.bmiHeader.biHeight);
  return true;
}

void FreeOffscreen() {
  SystemState& s = S();
  if (s.offscreen && s.firstBitmap) SelectObject(s.offscreen, s.firstBitmap);
  if (s.bitmap) DeleteObject(s.bitmap);
  if (s.offscreen) DeleteDC(s.offscreen);
  s.offscreen = nullptr;
  s.bitmap = nullptr;
  s.firstBitmap = nullptr;
  s.bitmapWidth = s.bitmapHeight = 0;
}

// GDI+ on a device context for the length of one item's drawing; GDI text
// goes on the same context after it.
class Graphics {
 public:
  explicit Graphics(HDC dc) {
    if (gp::GdipCreateFromHDC(dc, &g_) != Gdiplus::Ok) g_ = nullptr;
  }
  ~Graphics() {
    if (g_) gp::GdipDeleteGraphics(g_);
  }
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  void Fill(const RECT& r, COLORREF color) {
    Gdiplus::GpSolidFill* brush = nullptr;
    if (!g_ || gp::GdipCreateSolidFill(ToArgb(color), &brush) != Gdiplus::Ok) return;
    gp::GdipFillRectangleI(g_, brush, r.left, r.top, r.right - r.left, r.bottom - r.top);
    gp::GdipDeleteBrush(brush);
  }
  // A border of the width inside r.
  void Border(const RECT& r, COLORREF color, int width) {
    Fill({r.left, r.top, r.right, r.top + width}, color);
    Fill({r.left, r.bottom - width, r.right, r.bottom}, color);
    Fill({r.left, r.top, r.left + width, r.bottom}, color);
    Fill({r.right - width, r.top, r.right, r.bottom}, color);
  }
  // Straight (not premultiplied) pixels blended over what is there, scaled
  // to fill r.
  void Pixels(const RECT& r, const Control& c) {
    if (!g_ || c.width <= 0 || c.height <= 0) return;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(c.width, c.height, c.width * 4, PixelFormat32bppARGB,
                                      const_cast<BYTE*>(c.bgra.data()), &bitmap) != Gdiplus::Ok)
      return;
    gp::GdipSetInterpolationMode(g_, Gdiplus::InterpolationModeHighQualityBicubic);
    gp::GdipSetPixelOffsetMode(g_, Gdiplus::PixelOffsetModeHalf);
    gp::GdipDrawImageRectI(g_, bitmap, r.left, r.top, r.right - r.left, r.bottom - r.top);
    gp::GdipDisposeImage(bitmap);
  }

 private:
  Gdiplus::GpGraphics* g_ = nullptr;
};

// The text's height when wrapped at the rectangle's width.
int TextHeight(HDC dc, const std::wstring& text, const RECT& r) {
  RECT measured = r;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return measured.bottom - measured.top;
}

void DrawLabel(HDC dc, const Window& w, const Control& c, RECT r) {
  const std::wstring text = WindowText(c.hwnd);
  if (text.empty()) return;
  SetTextColor(dc, !IsWindowEnabled(c.hwnd) ? w.DialogColor(4) : c.hasTextColor ? c.textColor : w.DialogColor(1));
  // Centred in its height when it fits, else from the top.
  const int height = TextHeight(dc, text, r);
  if (height < r.bottom - r.top) r.top += (r.bottom - r.top - height) / 2;
  const UINT align = c.value == 1 ? DT_CENTER : c.value == 2 ? DT_RIGHT : DT_LEFT;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_WORDBREAK | DT_NOPREFIX);
}

// A line in the frame colour around the rectangle, its caption set into the
// top edge.
void DrawFrame(HDC dc, const Window& w, const Control& c, const RECT& r) {
  const std::wstring text = WindowText(c.hwnd);
  SIZE caption{};
  if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &caption);
  RECT line = r;
  line.top += caption.cy / 2;
  {
    Graphics g(dc);
    g.Border(line, w.DialogColor(2), 1);
    if (text.empty()) return;
    g.Fill({r.left + kFrameCaptionIndent - kFrameCaptionPad, r.top,
            r.left + kFrameCaptionIndent + caption.cx + kFrameCaptionPad, r.top + caption.cy},
           w.DialogColor(0));
  }
  SetTextColor(dc, IsWindowEnabled(c.hwnd) ? w.DialogColor(1) : w.DialogColor(4));
  TextOutW(dc, r.left + kFrameCaptionIndent, r.top, text.c_str(), static_cast<int>(text.size()));
}

// Everything drawn of the window within area (client coordinates), onto dc
// at its origin.
void PaintScene(const Window& w, HDC dc, const AIRect& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0 || !Offscreen(width, height)) return;
  HDC off = S().offscreen;
  const auto local = [&](const AIRect& b) {
    return RECT{b.left - area.left, b.top - area.top, b.right - area.left, b.bottom - area.top};
  };
  HGDIOBJ previousFont = SelectObject(off, S().font);
  SetBkMode(off, TRANSPARENT);
  Graphics(off).Fill({0, 0, width, height}, w.DialogColor(0));
  const RECT clip{0, 0, width, height};
  for (const auto& c : w.controls) {
    RECT r = local(c->bounds), overlap;
    if (!Drawn(c->kind) || !IsWindowVisible(c->hwnd) || !IntersectRect(&overlap, &r, &clip)) continue;
    switch (c->kind) {
      case kCorvaneControlLabel: DrawLabel(off, w, *c, r); break;
      case kCorvaneControlFrame: DrawFrame(off, w, *c, r); break;
      default: Graphics(off).Pixels(r, *c); break;
    }
  }
  SelectObject(off, previousFont);
  BitBlt(dc, 0, 0, width, height, off, 0, 0, SRCCOPY);
}

void DrawPushButton(const Window& w, const DRAWITEMSTRUCT& item) {
  const bool pressed = item.itemState & ODS_SELECTED, focused = item.itemState & ODS_FOCUS,
             disabled = item.itemState & ODS_DISABLED;
  const RECT& r = item.rcItem;
  {
    Graphics g(item.hDC);
    g.Fill(r, pressed ? Mix(w.ControlColor(0), w.DialogColor(2)) : w.ControlColor(0));
    g.Border(r, focused ? w.DialogColor(3) : w.DialogColor(2), focused ? 2 : 1);
  }
  const std::wstring text = WindowText(item.hwndItem);
  HGDIOBJ previousFont = SelectObject(item.hDC, S().font);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, disabled ? w.DialogColor(4) : w.ControlColor(1));
  RECT textRect = r;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, previousFont);
}

// The drawn items over a part of the window paint again.
void Repaint(const Window& w, const AIRect& area) {
  const RECT r = ToRECT(area);
  RedrawWindow(w.hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// --- events

// Sends the event to the window's procedure unless the layer itself caused
// it.  The window may be gone afterwards: callers hold it by a shared
// pointer and touch no control after.
void Report(const std::shared_ptr<Window>& w, const CorvaneWindowEvent& event) {
  if (!w->proc || w->quiet) return;
  w->proc(w->refcon, reinterpret_cast<AIWindowRef>(w->hwnd), &event);
}

CorvaneWindowEvent Event(int32_t kind, const Control* c) {
  return CorvaneWindowEvent{kind, c ? reinterpret_cast<CorvaneControlRef>(c->hwnd) : nullptr, c ? c->id : 0, 0, {}};
}

void Commit(const std::shared_ptr<Window>& w, Control& c) {
  if (!c.edited || w->quiet) return;
  c.edited = false;
  Report(w, Event(kCorvaneEventTextCommitted, &c));
}

// Typing in a field is committed before a click elsewhere in its window
// counts, even when the click did not take the focus from the field.
void CommitAll(const std::shared_ptr<Window>& w) {
  std::vector<HWND> edited;
  for (const auto& c : w->controls)
    if (c->edited) edited.push_back(c->hwnd);
  for (HWND hwnd : edited)
    if (Control* c = FindControl(hwnd)) Commit(w, *c);
}

void OnCommand(const std::shared_ptr<Window>& w, Control& c, WORD code) {
  switch (code) {
    case BN_CLICKED: {
      if (c.kind == kCorvaneControlRadio) {
        // A radio turns on when clicked and never off.
        Quiet quiet(*w);
        SendMessageW(c.hwnd, BM_SETCHECK, BST_CHECKED, 0);
      }
      const HWND clicked = c.hwnd;
      CommitAll(w);
      if (Control* still = FindControl(clicked)) Report(w, Event(kCorvaneEventClick, still));
      return;
    }
    case EN_CHANGE:
      if (w->quiet) return;
      c.edited = true;
      Report(w, Event(kCorvaneEventTextChanged, &c));
      return;
    case EN_KILLFOCUS: Commit(w, c); return;
    default: return;
  }
}

AIRect ClientOnScreen(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

LRESULT HandleMessage(const std::shared_ptr<Window>& w, HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, w->DialogBrush());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, IsWindowEnabled(reinterpret_cast<HWND>(lp)) ? w->DialogColor(1) : w->DialogColor(4));
      SetBkColor(dc, w->DialogColor(0));
      return reinterpret_cast<LRESULT>(w->DialogBrush());
    }
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, w->ControlColor(1));
      SetBkColor(dc, w->ControlColor(0));
      return reinterpret_cast<LRESULT>(w->ControlBrush());
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      const Control* c = FindControl(item.hwndItem);
      if (!c || c->window != hwnd) break;
      if (item.CtlType == ODT_BUTTON)
        DrawPushButton(*w, item);
      else
        PaintScene(*w, item.hDC, c->bounds);
      return TRUE;
    }
    case WM_COMMAND: {
      Control* c = FindControl(reinterpret_cast<HWND>(lp));
      if (!c || c->window != hwnd) break;
      OnCommand(w, *c, HIWORD(wp));
      return 0;
    }
    // The focus comes back to the control that had it, as in a system
    // dialog, not to the window itself.
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) w->lastFocus = focus;
      } else if (w->lastFocus && IsChild(hwnd, w->lastFocus)) {
        SetFocus(w->lastFocus);
        return 0;
      }
      break;
    case WM_CLOSE:
      // The plug-in decides; its window goes when it destroys it.
      Report(w, Event(kCorvaneEventClose, nullptr));
      return 0;
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED && !w->quiet) {
        CorvaneWindowEvent event = Event(kCorvaneEventBoundsChanged, nullptr);
        event.bounds = ClientOnScreen(hwnd);
        Report(w, event);
      }
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, message, wp, lp);
}

// Nothing the plug-in throws may unwind through the system's frames.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (std::shared_ptr<Window> w = FindDialog(hwnd)) {
    try {
      return HandleMessage(w, hwnd, message, wp, lp);
    } catch (...) {
      return message == WM_ERASEBKGND || message == WM_DRAWITEM ? TRUE : 0;
    }
  }
  return DefWindowProcW(hwnd, message, wp, lp);
}

// Escape and Enter meant for the window: a key event to its procedure, with
// the focused control (Enter commits the field being typed in first).
bool DialogKey(const std::shared_ptr<Window>& w, const MSG& m) {
  if (m.message != WM_KEYDOWN || (m.hwnd != w->hwnd && !IsChild(w->hwnd, m.hwnd))) return false;
  const int32_t key = m.wParam == VK_ESCAPE ? kCorvaneKeyEscape : m.wParam == VK_RETURN ? kCorvaneKeyEnter : 0;
  if (!key) return false;
  const HWND focus = GetFocus();
  Control* c = FindControl(focus);
  if (c && c->window != w->hwnd) c = nullptr;
  if (c && key == kCorvaneKeyEnter) {
    Commit(w, *c);
    c = FindControl(focus);
  }
  CorvaneWindowEvent event = Event(kCorvaneEventKey, c);
  event.controlId = 0;
  event.key = key;
  Report(w, event);
  return true;
}

BOOL CALLBACK CollectTopWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&WindowProc), &module);
  return module;
}

struct Style {
  DWORD style;
  DWORD exStyle;
};

Style WindowStyle(int32_t kind) {
  switch (kind) {
    case kCorvaneWindowPopup: return {WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT};
    case kCorvaneWindowPanel:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
              WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT};
    default:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};
  }
}

// The window rectangle around a client area on the screen.
RECT OuterRect(HWND hwnd, const AIRect& client) {
  RECT r = ToRECT(client);
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
  return r;
}

void SetOuterRect(HWND hwnd, const RECT& r, UINT flags) {
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

const wchar_t* ControlClass(int32_t kind) {
  switch (kind) {
    case kCorvaneControlPushButton:
    case kCorvaneControlCheckBox:
    case kCorvaneControlRadio: return L"BUTTON";
    case kCorvaneControlEdit: return L"EDIT";
    default: return L"STATIC";
  }
}

DWORD ControlStyle(int32_t kind) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (kind) {
    case kCorvaneControlPushButton: return kChild | WS_TABSTOP | BS_OWNERDRAW;
    case kCorvaneControlCheckBox: return kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
    case kCorvaneControlRadio: return kChild | WS_TABSTOP | BS_RADIOBUTTON;
    case kCorvaneControlEdit: return kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    default: return kChild | SS_OWNERDRAW;
  }
}

bool TakesFocus(int32_t kind) { return !Drawn(kind); }

class Win32Windows final : public IWindowSystem {
 public:
  void Open() override {
    SystemState& s = S();
    if (s.open) return;
    s.instance = ThisModule();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = s.instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw QMDMResourceException("QMDM: cannot register the dialog window class");
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&s.gdiplus, &input, nullptr) != Gdiplus::Ok) {
      UnregisterClassW(kWindowClass, s.instance);
      throw QMDMResourceException("QMDM: GDI+ did not start");
    }
    PickDialogFont();
    s.open = true;
  }

  void Close() noexcept override {
    SystemState& s = S();
    if (!s.open) return;
    while (!s.windows.empty()) {
      const HWND hwnd = s.windows.begin()->first;
      try {
        DestroyWindow(reinterpret_cast<AIWindowRef>(hwnd));
      } catch (...) {
        s.windows.erase(hwnd);
      }
    }
    FreeOffscreen();
    if (s.ownFont) DeleteObject(s.font);
    s.font = nullptr;
    s.ownFont = false;
    Gdiplus::GdiplusShutdown(s.gdiplus);
    s.gdiplus = 0;
    UnregisterClassW(kWindowClass, s.instance);
    s.open = false;
  }

  int32_t DisplayDpi() override {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
  }

  AIWindowRef CreateWindow(int32_t kind, AIWindowRef owner, const char*, const char* title, const AIRect& bounds,
                           CorvaneWindowEventProc proc, void* refcon) override {
    if (!S().open) Fail();
    if (kind < kCorvaneWindowCaptioned || kind > kCorvaneWindowPanel) Fail();
    const AIRect client = Checked(&bounds);
    // The host's application window when it is a window of the system; a
    // host that names it otherwise leaves the dialog without an owner.
    HWND ownerWindow = FromRef<HWND>(owner);
    if (ownerWindow && !IsWindow(ownerWindow)) ownerWindow = nullptr;
    const Style style = WindowStyle(kind);
    RECT outer = ToRECT(client);
    AdjustWindowRectEx(&outer, style.style, FALSE, style.exStyle);
    const std::wstring caption = ToWide(title);
    HWND hwnd = CreateWindowExW(style.exStyle, kWindowClass, caption.c_str(), style.style, outer.left, outer.top,
                                outer.right - outer.left, outer.bottom - outer.top, ownerWindow, nullptr,
                                S().instance, nullptr);
    if (!hwnd) Fail();
    auto w = std::make_shared<Window>();
    w->hwnd = hwnd;
    w->kind = kind;
    w->proc = proc;
    w->refcon = refcon;
    S().windows[hwnd] = w;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(S().font), FALSE);
    return reinterpret_cast<AIWindowRef>(hwnd);
  }

  void DestroyWindow(AIWindowRef window) override {
    const std::shared_ptr<Window> w = FindDialog(FromRef<HWND>(window));
    if (!w) Fail(kBadHandleErr);
    ++w->quiet;  // nothing reported from here on: the window is going
    w->modal = false;
    ::DestroyWindow(w->hwnd);
    for (const auto& c : w->controls) S().controls.erase(c->hwnd);
    w->controls.clear();
    S().windows.erase(w->hwnd);
  }

  void SetWindowBounds(AIWindowRef window, const AIRect& bounds) override {
    Window& w = WindowOf(window);
    const AIRect client = Checked(&bounds);
    Quiet quiet(w);
    SetOuterRect(w.hwnd, OuterRect(w.hwnd, client), 0);
  }

  // The work area of the monitor the active window is on.
  AIRect WorkArea() override {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HWND active = GetActiveWindow();
    HMONITOR monitor = active ? MonitorFromWindow(active, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(monitor, &info)) Fail();
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  }

  void ShowWindow(AIWindowRef window, bool show) override {
    Window& w = WindowOf(window);
    Quiet quiet(w);
    ::ShowWindow(w.hwnd, show ? SW_SHOW : SW_HIDE);
    if (show) UpdateWindow(w.hwnd);
  }

  void SetWindowTitle(AIWindowRef window, const char* title) override {
    Window& w = WindowOf(window);
    if (!title) Fail();
    SetWindowTextW(w.hwnd, ToWide(title).c_str());
  }

  void SetWindowColors(AIWindowRef window, const CorvaneWindowColors& colors) override {
    Window& w = WindowOf(window);
    w.colors = colors;
    w.hasColors = true;
    w.DropBrushes();
    RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }

  int32_t CountTopWindows() override {
    S().topWindows.clear();
    EnumThreadWindows(GetCurrentThreadId(), CollectTopWindow, reinterpret_cast<LPARAM>(&S().topWindows));
    return static_cast<int32_t>(S().topWindows.size());
  }

  AIWindowRef NthTopWindow(int32_t n) override {
    if (n < 0 || static_cast<std::size_t>(n) >= S().topWindows.size()) Fail(kIndexRangeErr);
    return reinterpret_cast<AIWindowRef>(S().topWindows[static_cast<std::size_t>(n)]);
  }

  bool IsWindowVisible(AIWindowRef window) override { return ::IsWindowVisible(AnyWindow(window)); }
  bool IsWindowEnabled(AIWindowRef window) override { return ::IsWindowEnabled(AnyWindow(window)); }
  void EnableWindow(AIWindowRef window, bool enable) override { ::EnableWindow(AnyWindow(window), enable); }

  // A host that names its application window otherwise than by a window of
  // the system has nothing to activate.
  void ActivateWindow(AIWindowRef window) override {
    const HWND hwnd = FromRef<HWND>(window);
    if (hwnd && IsWindow(hwnd)) SetActiveWindow(hwnd);
  }

  CorvaneControlRef CreateControl(AIWindowRef window, int32_t kind, int32_t id, const AIRect& bounds) override {
    Window& w = WindowOf(window);
    if (kind < kCorvaneControlPushButton || kind > kCorvaneControlUserArea) Fail();
    const AIRect r = Checked(&bounds);
    Quiet quiet(w);
    HWND hwnd = CreateWindowExW(0, ControlClass(kind), L"", ControlStyle(kind), r.left, r.top, r.right - r.left,
                                r.bottom - r.top, w.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                S().instance, nullptr);
    if (!hwnd) Fail();
    auto c = std::make_unique<Control>();
    c->hwnd = hwnd;
    c->window = w.hwnd;
    c->kind = kind;
    c->id = id;
    c->bounds = r;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(S().font), FALSE);
    // Without visual styles the dialog's colours reach check boxes and radios.
    if (kind == kCorvaneControlCheckBox || kind == kCorvaneControlRadio) SetWindowTheme(hwnd, L"", L"");
    SetWindowPos(hwnd, ZOrderFor(w, kind), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    S().controls[hwnd] = c.get();
    w.controls.push_back(std::move(c));
    return reinterpret_cast<CorvaneControlRef>(hwnd);
  }

  void SetControlBounds(CorvaneControlRef control, const AIRect& bounds) override {
    Control& c = ControlOf(control);
    Window& w = OwnerOf(c);
    const AIRect r = Checked(&bounds);
    const AIRect before = c.bounds;
    c.bounds = r;
    Quiet quiet(w);
    SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (Drawn(c.kind)) {
      Repaint(w, before);
      Repaint(w, r);
    }
  }

  void SetText(CorvaneControlRef control, const std::string& text) override {
    Control& c = ControlOf(control);
    Window& w = OwnerOf(c);
    const std::wstring wide = ToWide(text.c_str());
    {
      Quiet quiet(w);
      SetWindowTextW(c.hwnd, wide.c_str());
    }
    if (Drawn(c.kind)) Repaint(w, c.bounds);
  }

  std::string Text(CorvaneControlRef control) override { return FromWide(WindowText(ControlOf(control).hwnd)); }

  void SetValue(CorvaneControlRef control, int32_t value) override {
    Control& c = ControlOf(control);
    Window& w = OwnerOf(c);
    c.value = value;
    if (c.kind == kCorvaneControlCheckBox || c.kind == kCorvaneControlRadio) {
      Quiet quiet(w);
      SendMessageW(c.hwnd, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (Drawn(c.kind)) {
      Repaint(w, c.bounds);
    }
  }

  int32_t Value(CorvaneControlRef control) override {
    const Control& c = ControlOf(control);
    if (c.kind == kCorvaneControlCheckBox || c.kind == kCorvaneControlRadio)
      return SendMessageW(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    return c.value;
  }

  void SetEnabled(CorvaneControlRef control, bool enabled) override {
    Control& c = ControlOf(control);
    Window& w = OwnerOf(c);
    {
      Quiet quiet(w);
      ::EnableWindow(c.hwnd, enabled);
    }
    if (Drawn(c.kind)) Repaint(w, c.bounds);
  }

  void SetVisible(CorvaneControlRef control, bool visible) override {
    Control& c = ControlOf(control);
    Window& w = OwnerOf(c);
    {
      Quiet quiet(w);
      ::ShowWindow(c.hwnd, visible ? SW_SHOWNA : SW_HIDE);
    }
    if (Drawn(c.kind)) Repaint(w, c.bounds);
  }

  // A control's own visible style, not IsWindowVisible: the window it is on
  // may not show yet.
  void SetFocus(CorvaneControlRef control) override {
    Control& c = ControlOf(control);
    if (!TakesFocus(c.kind) || !::IsWindowEnabled(c.hwnd) || !(GetWindowLongW(c.hwnd, GWL_STYLE) & WS_VISIBLE))
      Fail();
    Quiet quiet(OwnerOf(c));
    ::SetFocus(c.hwnd);
  }

  void SetPixels(CorvaneControlRef control, const uint8_t* rgba, int32_t width, int32_t height) override {
    Control& c = ControlOf(control);
    if (width < 0 || height < 0 || width > kMaxSidePx || height > kMaxSidePx) Fail();
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (pixels && !rgba) Fail();
    c.bgra.resize(pixels * 4);
    for (std::size_t i = 0; i < pixels; ++i) {
      c.bgra[i * 4 + 0] = rgba[i * 4 + 2];
      c.bgra[i * 4 + 1] = rgba[i * 4 + 1];
      c.bgra[i * 4 + 2] = rgba[i * 4 + 0];
      c.bgra[i * 4 + 3] = rgba[i * 4 + 3];
    }
    c.width = pixels ? width : 0;
    c.height = pixels ? height : 0;
    Repaint(OwnerOf(c), c.bounds);
  }

  void SetTextColor(CorvaneControlRef control, const AIRGBColor& color) override {
    Control& c = ControlOf(control);
    c.textColor = ToColorRef(color);
    c.hasTextColor = true;
    Repaint(OwnerOf(c), c.bounds);
  }

  // Runs the thread's messages until EndModalLoop or the window's end.  A
  // quit request ends the loop too and is left for the application's own
  // loop.
  void RunModalLoop(AIWindowRef window) override {
    const std::shared_ptr<Window> w = FindDialog(FromRef<HWND>(window));
    if (!w) Fail(kBadHandleErr);
    if (w->modal) Fail();
    w->modal = true;
    const HWND hwnd = w->hwnd;
    MSG m{};
    while (w->modal && IsWindow(hwnd)) {
      const BOOL got = GetMessageW(&m, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (got < 0) break;
      if (DialogKey(w, m) || IsDialogMessageW(hwnd, &m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    w->modal = false;
  }

  void EndModalLoop(AIWindowRef window) override {
    Window& w = WindowOf(window);
    if (!w.modal) Fail();
    w.modal = false;
    // Wakes the loop if it waits for a message.
    PostMessageW(w.hwnd, WM_NULL, 0, 0);
  }

 private:
  // Interactive controls above the drawn ones, in the order they were made;
  // drawn ones at the bottom.
  static HWND ZOrderFor(const Window& w, int32_t kind) {
    if (Drawn(kind)) return HWND_BOTTOM;
    HWND after = HWND_TOP;
    for (const auto& c : w.controls)
      if (!Drawn(c->kind)) after = c->hwnd;
    return after;
  }
};

}  // namespace

IWindowSystem& Win32WindowSystem() {
  static Win32Windows windows;
  return windows;
}

}  // namespace QMDM
