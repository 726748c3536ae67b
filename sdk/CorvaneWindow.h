/* The window suite: the few window-system calls a plug-in's own dialogs need
 * (captioned, pop-up and panel windows with an owner; native controls of a
 * small set of kinds; their text, value, enabled, visible and focus states;
 * pixels for pictures and user-drawn areas; a modal loop; events back to the
 * plug-in).  Going through the host keeps the module free of any toolkit and
 * lets a headless host show, drive and picture the dialogs.
 *
 * Rectangles are in screen pixels, y down.  A window's bounds are its client
 * area; controls are placed in client coordinates.  Texts are UTF-8. */
#ifndef CORVANE_SDK_CORVANEWINDOW_H
#define CORVANE_SDK_CORVANEWINDOW_H

#include "sdk/SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _CorvaneControlOpaque* CorvaneControlRef;

enum {
  kCorvaneWindowCaptioned = 0, /* a title bar and a close box */
  kCorvaneWindowPopup = 1,     /* borderless */
  kCorvaneWindowPanel = 2      /* the client area of a host panel */
};

enum {
  kCorvaneControlPushButton = 0,
  kCorvaneControlCheckBox = 1,
  kCorvaneControlRadio = 2,
  kCorvaneControlEdit = 3,
  kCorvaneControlLabel = 4,
  kCorvaneControlFrame = 5,
  kCorvaneControlPicture = 6,
  kCorvaneControlUserArea = 7
};

enum {
  kCorvaneEventClick = 0,            /* a press of a button, check box or radio (value already toggled) */
  kCorvaneEventTextChanged = 1,      /* an edit field's text changed by typing */
  kCorvaneEventTextCommitted = 2,    /* Enter or the focus leaving an edit field after a change */
  kCorvaneEventSelectionChanged = 3, /* the text selection of an edit field moved */
  kCorvaneEventKey = 4,              /* a key the focused control did not use */
  kCorvaneEventBoundsChanged = 5,    /* the window's client area changed */
  kCorvaneEventClose = 6             /* the close box, Alt+F4, the window manager */
};

enum { kCorvaneKeyEscape = 27, kCorvaneKeyEnter = 13 };

typedef struct CorvaneWindowEvent {
  int32_t kind;
  CorvaneControlRef control; /* NULL for window events */
  int32_t controlId;
  int32_t key;    /* kCorvaneEventKey */
  AIRect bounds;  /* kCorvaneEventBoundsChanged */
} CorvaneWindowEvent;

/* Called by the host for each event of a window, on the user-interface
 * thread, while the plug-in runs (inside its modal loop).  A non-zero result
 * is the plug-in's failure; the host records it and goes on. */
typedef AIErr(AIAPI* CorvaneWindowEventProc)(void* refcon, AIWindowRef window, const CorvaneWindowEvent* event);

/* Two theme colour sets of five colours (background, text, frame,
 * highlight, disabled text): dialog and controls. */
typedef struct CorvaneWindowColors {
  AIRGBColor dialog[5];
  AIRGBColor control[5];
} CorvaneWindowColors;

#define kCorvaneWindowSuite "Corvane Window Suite"
#define kCorvaneWindowSuiteVersion 1

typedef struct CorvaneWindowSuite {
  /* owner: NULL, the application window, or another window of this suite.
   * name labels the window for scripts and diagnostics; title is its caption. */
  AIErr(AIAPI* CreateWindow)(int32_t kind, AIWindowRef owner, const char* name, const char* title,
                             const AIRect* bounds, CorvaneWindowEventProc proc, void* refcon, AIWindowRef* window);
  /* Destroys the window and its controls; ends its modal loop if one runs. */
  AIErr(AIAPI* DestroyWindow)(AIWindowRef window);
  AIErr(AIAPI* SetWindowBounds)(AIWindowRef window, const AIRect* bounds);
  AIErr(AIAPI* GetWindowBounds)(AIWindowRef window, AIRect* bounds);
  /* The part of the screen windows may cover (without task bars). */
  AIErr(AIAPI* GetWorkArea)(AIRect* area);
  AIErr(AIAPI* ShowWindow)(AIWindowRef window, AIBoolean show);
  AIErr(AIAPI* SetWindowTitle)(AIWindowRef window, const char* title);
  AIErr(AIAPI* SetWindowColors)(AIWindowRef window, const CorvaneWindowColors* colors);
  /* Every top-level window of the thread, the application window included. */
  AIErr(AIAPI* CountTopWindows)(int32_t* count);
  AIErr(AIAPI* GetNthTopWindow)(int32_t n, AIWindowRef* window);
  AIErr(AIAPI* IsWindowVisible)(AIWindowRef window, AIBoolean* visible);
  AIErr(AIAPI* IsWindowEnabled)(AIWindowRef window, AIBoolean* enabled);
  AIErr(AIAPI* EnableWindow)(AIWindowRef window, AIBoolean enable);
  AIErr(AIAPI* ActivateWindow)(AIWindowRef window);

  /* id is the plug-in's own number for the control, reported in events. */
  AIErr(AIAPI* CreateControl)(AIWindowRef window, int32_t kind, int32_t id, const AIRect* bounds,
                              CorvaneControlRef* control);
  AIErr(AIAPI* SetControlBounds)(CorvaneControlRef control, const AIRect* bounds);
  AIErr(AIAPI* SetControlText)(CorvaneControlRef control, const char* text);
  /* Copies the text (NUL-terminated, cut to capacity); length is its full
   * length in bytes without the NUL. */
  AIErr(AIAPI* GetControlText)(CorvaneControlRef control, char* buffer, int32_t capacity, int32_t* length);
  /* Check boxes and radios: 0 or 1; labels: the alignment, 0 left, 1 centre,
   * 2 right. */
  AIErr(AIAPI* SetControlValue)(CorvaneControlRef control, int32_t value);
  AIErr(AIAPI* GetControlValue)(CorvaneControlRef control, int32_t* value);
  AIErr(AIAPI* SetControlEnabled)(CorvaneControlRef control, AIBoolean enabled);
  AIErr(AIAPI* SetControlVisible)(CorvaneControlRef control, AIBoolean visible);
  /* Whether the control takes the keyboard focus (edit fields, buttons). */
  AIErr(AIAPI* SetFocus)(CorvaneControlRef control);
  AIErr(AIAPI* GetFocus)(AIWindowRef window, CorvaneControlRef* control);
  /* The pixels of a picture or user-drawn area: 8-bit RGBA, not
   * premultiplied, rows top to bottom; copied. */
  AIErr(AIAPI* SetControlPixels)(CorvaneControlRef control, const uint8_t* rgba, int32_t width, int32_t height);
  /* The text colour of a label; other controls use the window's colours. */
  AIErr(AIAPI* SetControlTextColor)(CorvaneControlRef control, const AIRGBColor* color);

  /* Runs the window's modal loop until EndModalLoop (or the window's
   * destruction); events reach the window's procedure meanwhile. */
  AIErr(AIAPI* RunModalLoop)(AIWindowRef window);
  AIErr(AIAPI* EndModalLoop)(AIWindowRef window);
} CorvaneWindowSuite;

#ifdef __cplusplus
}
#endif

#endif
