/* Callers, selectors and the message record of each caller.
 *
 * The host calls PIMain(caller, selector, message).  The caller names the kind
 * of message and fixes the record's layout; the selector names the event. */
#ifndef CORVANE_SDK_AIMESSAGES_H
#define CORVANE_SDK_AIMESSAGES_H

#include "sdk/SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Callers and their selectors. */
#define kSPAccessCaller "SP Access"
#define kSPAccessReloadSelector "Reload"
#define kSPAccessUnloadSelector "Unload"

#define kSPInterfaceCaller "SP Interface"
#define kSPInterfaceStartupSelector "Startup"
#define kSPInterfaceShutdownSelector "Shutdown"

#define kCallerAITool "AI Tool"
#define kSelectorAITrackToolCursor "AI Track Cursor"
#define kSelectorAIToolMouseDown "AI Mouse Down"
#define kSelectorAIToolMouseDrag "AI Mouse Drag"
#define kSelectorAIToolMouseUp "AI Mouse Up"
#define kSelectorAISelectTool "AI Select"
#define kSelectorAIDeselectTool "AI Deselect"
#define kSelectorAIReselectTool "AI Reselect"
#define kSelectorAIEditToolOptions "AI Edit Options"

#define kCallerAIAnnotation "AI Annotation"
#define kSelectorAIDrawAnnotation "AI Draw"
#define kSelectorAIInvalAnnotation "AI Invalidate"

#define kCallerAINotify "AI Notifier"
#define kSelectorAINotify "AI Notify"

#define kCallerAIMenu "AI Menu"
#define kSelectorAIGoMenuItem "AI Go"
#define kSelectorAIUpdateMenuItem "AI Update"

#define kCallerAITransformAgain "AI Transform Again"
#define kSelectorAITransformAgainGo "AI Go"

/* Notifier types the host sends. */
#define kAIArtSelectionChangedNotifier "AI Art Selection Changed Notifier"
/* notifyData: the modifier word now held (const uint16_t *, aiEventModifiers_
 * bits); null from a host that does not announce it. */
#define kAIToolModifiersChangedNotifier "AI Tool Modifiers Changed Notifier"
#define kAIDocumentChangedNotifier "AI Document Changed Notifier"
#define kAIUIBrightnessChangedNotifier "AI UI Brightness Changed Notifier"
#define kAIApplicationShutdownNotifier "AI Application Shutdown Notifier"
#define kAIAllPluginStartedNotifier "AI All Plug-ins Started Notifier"

/* Modifier word of a host event. */
enum {
  aiEventModifiers_doubleClick = 0x0010,
  aiEventModifiers_cmdKey = 0x0100,   /* Ctrl (Command) */
  aiEventModifiers_shiftKey = 0x0200,
  aiEventModifiers_optionKey = 0x0800 /* Alt (Option) */
};

/* Kinds of host events (AIEvent.what). */
enum {
  aiEventNull = 0,
  aiEventMouseDown = 1,
  aiEventMouseUp = 2,
  aiEventMouseMove = 3,
  aiEventKeyChange = 4
};

typedef struct AIEvent {
  uint16_t what;      /* aiEvent... */
  uint32_t message;
  uint32_t when;      /* milliseconds */
  AIPoint where;      /* view pixels */
  uint16_t modifiers; /* aiEventModifiers_... */
} AIEvent;

typedef struct SPAccessMessage {
  SPMessageData d;
} SPAccessMessage;

typedef struct SPInterfaceMessage {
  SPMessageData d;
} SPInterfaceMessage;

/* "AI Tool": the cursor is in artwork coordinates (the host's snapping, if
 * any, is the plug-in's own business). */
typedef struct AIToolMessage {
  SPMessageData d;
  AIToolHandle tool;
  AIRealPoint cursor;
  int32_t pressure;
  AIEvent* event;
} AIToolMessage;

/* "AI Annotation": "AI Draw" carries the drawer for the view being drawn;
 * "AI Invalidate" carries the rectangles the host is about to redraw. */
typedef struct AIAnnotatorMessage {
  SPMessageData d;
  AIAnnotatorHandle annotator;
  AIDocumentViewHandle view;
  AIAnnotatorDrawer* drawer;
  AIRect* invalidationRects;
  int32_t invalidationRectsCount;
} AIAnnotatorMessage;

typedef struct AINotifierMessage {
  SPMessageData d;
  AINotifierHandle notifier;
  const char* type;
  void* notifyData;
} AINotifierMessage;

typedef struct AIMenuMessage {
  SPMessageData d;
  AIMenuItemHandle menuItem;
} AIMenuMessage;

typedef struct AITransformAgainMessage {
  SPMessageData d;
} AITransformAgainMessage;

#ifdef __cplusplus
}
#endif

#endif
