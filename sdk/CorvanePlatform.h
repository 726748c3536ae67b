/* The platform suite: the host's stand-in for the operating-system calls a
 * plug-in would otherwise make itself (cursors, image decoding, opening files
 * and web addresses, display resolution, module file paths).  Going through
 * the host keeps the module free of any toolkit and lets a headless host
 * observe and drive everything. */
#ifndef CORVANE_SDK_CORVANEPLATFORM_H
#define CORVANE_SDK_CORVANEPLATFORM_H

#include "sdk/SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _PlatformCursorOpaque* PlatformCursorRef;

/* System cursors by negative id. */
enum {
  kPlatformCursorTextBeam = -1,
  kPlatformCursorCrosshair = -2,
  kPlatformCursorWait = -3,
  kPlatformCursorArrow = -4,
  kPlatformCursorNo = -5,
  kPlatformCursorHand = -6,
  kPlatformCursorHand2 = -7,
  kPlatformCursorArrow2 = -9
};

/* A decoded image: 8-bit RGBA, not premultiplied, rows top to bottom. */
typedef struct PlatformImage {
  int32_t width;
  int32_t height;
  uint8_t* rgba; /* width * height * 4 bytes, owned by the host */
} PlatformImage;

#define kCorvanePlatformSuite "Corvane Platform Suite"
#define kCorvanePlatformSuiteVersion 1

typedef struct CorvanePlatformSuite {
  /* Decode a PNG; free the result with FreeImage. */
  AIErr(AIAPI* DecodeImage)(const void* data, size_t size, PlatformImage* image);
  AIErr(AIAPI* FreeImage)(PlatformImage* image);
  /* Build a cursor from an RGBA image (same layout as PlatformImage) with its
   * hot spot in image pixels.  name labels it for diagnostics. Cursors live
   * until the host exits. */
  AIErr(AIAPI* CreateCursor)(const uint8_t* rgba, int32_t width, int32_t height, int32_t hotX, int32_t hotY,
                             const char* name, PlatformCursorRef* cursor);
  AIErr(AIAPI* SetCursor)(PlatformCursorRef cursor);
  AIErr(AIAPI* SetSystemCursor)(int32_t id);
  /* Open a file or web address with the user's default application;
   * verb is "open". */
  AIErr(AIAPI* ShellExecute)(const char* verb, const char* target);
  AIErr(AIAPI* GetDisplayResolution)(int32_t* dpiX, int32_t* dpiY);
  /* Full path of the module file; fails when it does not fit. */
  AIErr(AIAPI* GetModuleFileName)(SPModuleHandle module, char* buffer, int32_t capacity);
} CorvanePlatformSuite;

#ifdef __cplusplus
}
#endif

#endif
