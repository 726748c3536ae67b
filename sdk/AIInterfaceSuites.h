/* Suites over the application: tools, notifiers, menus, preferences, strings,
 * runtime, and the tables the dialog layer needs. */
#ifndef CORVANE_SDK_AIINTERFACESUITES_H
#define CORVANE_SDK_AIINTERFACESUITES_H

#include "sdk/SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Tool numbers: kNoTool marks "no group or toolset mate". */
enum { kNoTool = -2 };

typedef struct AIAddToolData {
  const char* title;
  const char* tooltip;   /* platform encoding */
  int32_t reserved;      /* 0 */
  int32_t normalIconResID;
  int32_t darkIconResID;
  int16_t sameGroupAs;   /* tool number or kNoTool */
  int16_t sameToolsetAs; /* tool number or kNoTool */
} AIAddToolData;

#define kAIToolSuite "AI Tool Suite"
#define kAIToolSuiteVersion 14

typedef struct AIToolSuite {
  AIErr(AIAPI* AddTool)(SPPluginRef self, const char* name, const AIAddToolData* data, int32_t options,
                        AIToolHandle* tool);
  AIErr(AIAPI* GetToolNumberFromHandle)(AIToolHandle tool, int16_t* number);
  AIErr(AIAPI* GetToolHandleFromNumber)(int16_t number, AIToolHandle* tool);
  AIErr(AIAPI* GetToolName)(AIToolHandle tool, const char** name);
  AIErr(AIAPI* GetSelectedTool)(AIToolHandle* tool);
} AIToolSuite;

#define kAINotifierSuite "AI Notifier Suite"
#define kAINotifierSuiteVersion 4

typedef struct AINotifierSuite {
  AIErr(AIAPI* AddNotifier)(SPPluginRef self, const char* name, const char* type, AINotifierHandle* notifier);
  AIErr(AIAPI* SetNotifierActive)(AINotifierHandle notifier, AIBoolean active);
  AIErr(AIAPI* GetNotifierActive)(AINotifierHandle notifier, AIBoolean* active);
} AINotifierSuite;

#define kAIMenuSuite "AI Menu Suite"
#define kAIMenuSuiteVersion 11

/* The host's own groups include "Help Menu" and "About". */
typedef struct AIMenuSuite {
  /* itemName may be NULL: the host then makes a unique name of its own. */
  AIErr(AIAPI* AddMenuItem)(SPPluginRef self, const char* itemName, const char* groupName,
                            AIUnicodeStringHandle text, int32_t options, AIMenuItemHandle* item);
  AIErr(AIAPI* AddMenuGroupAsSubMenu)(const char* groupName, int32_t options, AIMenuItemHandle parentItem,
                                      AIMenuGroup* group);
  AIErr(AIAPI* CountMenuGroups)(int32_t* count);
  AIErr(AIAPI* GetNthMenuGroup)(int32_t n, AIMenuGroup* group);
  AIErr(AIAPI* GetMenuGroupName)(AIMenuGroup group, const char** name);
  AIErr(AIAPI* CountMenuItems)(int32_t* count);
  AIErr(AIAPI* GetNthMenuItem)(int32_t n, AIMenuItemHandle* item);
  AIErr(AIAPI* GetItemName)(AIMenuItemHandle item, const char** name);
} AIMenuSuite;

#define kAIPreferenceSuite "AI Preference Suite"
#define kAIPreferenceSuiteVersion 6

/* prefix is the section (NULL for the host's own keys); a key that is not
 * stored fails with kNoSuchKeyErr.  Booleans are returned as stored, so a
 * value written as 2 by another program reads back as 2. */
typedef struct AIPreferenceSuite {
  AIErr(AIAPI* GetBooleanPreference)(const char* prefix, const char* suffix, AIBoolean* value);
  AIErr(AIAPI* PutBooleanPreference)(const char* prefix, const char* suffix, AIBoolean value);
  AIErr(AIAPI* GetIntegerPreference)(const char* prefix, const char* suffix, int32_t* value);
  AIErr(AIAPI* PutIntegerPreference)(const char* prefix, const char* suffix, int32_t value);
  AIErr(AIAPI* GetRealPreference)(const char* prefix, const char* suffix, double* value);
  AIErr(AIAPI* PutRealPreference)(const char* prefix, const char* suffix, double value);
} AIPreferenceSuite;

/* Encodings of byte strings. */
enum {
  kAIPlatformCharacterEncoding = 0, /* the host's platform code page (GBK) */
  kAIUTF8CharacterEncoding = 1
};

#define kAIUnicodeStringSuite "AI Unicode String Suite"
#define kAIUnicodeStringSuiteVersion 8

typedef struct AIUnicodeStringSuite {
  /* length -1: up to the terminating NUL. Bytes that do not decode fail with
   * kBadParameterErr. */
  AIErr(AIAPI* NewFromBytes)(const char* bytes, int32_t length, int32_t encoding, AIUnicodeStringHandle* string);
  /* Copies the UTF-8 form (NUL-terminated, cut to capacity) and reports the
   * full length in bytes without the NUL. */
  AIErr(AIAPI* GetUTF8)(AIUnicodeStringHandle string, char* buffer, int32_t capacity, int32_t* length);
  AIErr(AIAPI* Dispose)(AIUnicodeStringHandle string);
} AIUnicodeStringSuite;

#define kAIRuntimeSuite "AI Runtime Suite"
#define kAIRuntimeSuiteVersion 12

typedef struct AIRuntimeSuite {
  AIErr(AIAPI* GetAppName)(const char** name);
  AIErr(AIAPI* GetAppVersion)(int32_t* major, int32_t* minor, int32_t* revision);
} AIRuntimeSuite;

#define kAIMdMemorySuite "AI MdMemory Suite"
#define kAIMdMemorySuiteVersion 3

typedef struct AIMdMemorySuite {
  AIErr(AIAPI* MdMemoryNewHandle)(size_t size, AIMdMemoryHandle* handle);
  AIErr(AIAPI* MdMemoryDisposeHandle)(AIMdMemoryHandle handle);
  AIErr(AIAPI* MdMemoryGetSize)(AIMdMemoryHandle handle, size_t* size);
  AIErr(AIAPI* MdMemoryLock)(AIMdMemoryHandle handle, void** data);
  AIErr(AIAPI* MdMemoryUnLock)(AIMdMemoryHandle handle);
} AIMdMemorySuite;

#define kAIContextSuite "AI Context Suite"
#define kAIContextSuiteVersion 7

typedef struct AIContextSuite {
  AIErr(AIAPI* GetPlatformAppWindow)(AIWindowRef* window);
  AIErr(AIAPI* PushAppContext)(SPPluginRef plugin, AIAppContextHandle* context);
  AIErr(AIAPI* PopAppContext)(AIAppContextHandle context);
} AIContextSuite;

#define kAIUserSuite "AI User Suite"
#define kAIUserSuiteVersion 12

typedef struct AIUserSuite {
  /* A per-plug-in handle the dialog layer keeps while the application runs. */
  AIErr(AIAPI* AcquirePluginHandle)(SPPluginRef plugin, AIPluginUserHandle* handle);
  AIErr(AIAPI* ReleasePluginHandle)(AIPluginUserHandle handle);
} AIUserSuite;

#define kAIPanelSuite "AI Panel Suite"
#define kAIPanelSuiteVersion 2

typedef struct AIPanelSuite {
  AIErr(AIAPI* Create)(SPPluginRef plugin, const char* id, const char* title, int32_t width, int32_t height,
                       AIPanelRef* panel);
  AIErr(AIAPI* Destroy)(AIPanelRef panel);
  AIErr(AIAPI* Show)(AIPanelRef panel, AIBoolean show);
  AIErr(AIAPI* IsShown)(AIPanelRef panel, AIBoolean* shown);
  AIErr(AIAPI* SetSize)(AIPanelRef panel, int32_t width, int32_t height);
  AIErr(AIAPI* GetPlatformWindow)(AIPanelRef panel, AIWindowRef* window);
} AIPanelSuite;

/* One set of interface colours of the host's theme. */
typedef struct AIUIThemeColorSet {
  AIBoolean valid;
  AIRGBColor colors[5];
} AIUIThemeColorSet;

#define kAIUserInterfaceThemeSuite "AI User Interface Theme Suite"
#define kAIUserInterfaceThemeSuiteVersion 2

typedef struct AIUserInterfaceThemeSuite {
  /* set 0: dialog colours, set 1: control colours. */
  AIErr(AIAPI* GetUIThemeColorSet)(int32_t set, AIUIThemeColorSet* colors);
  /* 0 (darkest) .. 1 (lightest). */
  AIErr(AIAPI* GetUIBrightness)(double* brightness);
} AIUserInterfaceThemeSuite;

#define kAIPanelFlyoutMenuSuite "AI Panel Flyout Menu Suite"
#define kAIPanelFlyoutMenuSuiteVersion 2

typedef struct AIPanelFlyoutMenuSuite {
  AIErr(AIAPI* Create)(AIPanelFlyoutMenuRef* menu);
  AIErr(AIAPI* Destroy)(AIPanelFlyoutMenuRef menu);
  AIErr(AIAPI* AppendItem)(AIPanelFlyoutMenuRef menu, int32_t id, const char* text);
  AIErr(AIAPI* CountItems)(AIPanelFlyoutMenuRef menu, int32_t* count);
} AIPanelFlyoutMenuSuite;

#define kAIModalParentSuite "AI Modal Parent Suite"
#define kAIModalParentSuiteVersion 2

typedef struct AIModalParentSuite {
  AIErr(AIAPI* PushModalParent)(AIWindowRef window);
  AIErr(AIAPI* PopModalParent)(void);
  AIErr(AIAPI* GetModalParent)(AIWindowRef* window);
} AIModalParentSuite;

#ifdef __cplusplus
}
#endif

#endif
