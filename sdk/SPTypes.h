/* Basic types, handles and error codes of the Corvane host plug-in interface.
 *
 * Everything in sdk/ is plain C so that the host and the plug-in can be built
 * by different compilers and still agree on every record.  Nothing else is
 * shared between them.
 *
 * Coordinates: artwork points are doubles in points with y pointing up; view
 * points are 32-bit pixels with y pointing down. */
#ifndef CORVANE_SDK_SPTYPES_H
#define CORVANE_SDK_SPTYPES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SPAPI
#define AIAPI

typedef int32_t SPErr;
typedef SPErr AIErr;
typedef uint8_t SPBoolean;
typedef SPBoolean AIBoolean;

/* Four characters packed big-endian into 32 bits: 'PARM' == 0x5041524d. */
#define SP_FOURCC(a, b, c, d)                                                  \
  ((int32_t)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) | \
             ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

enum {
  kSPNoError = 0,
  kNoErr = 0,
  /* Bad parameters, missing suites, use of the suite set outside a host call. */
  kBadParameterErr = SP_FOURCC('P', 'A', 'R', 'M'),
  /* Memory exhaustion. */
  kOutOfMemoryErr = SP_FOURCC('!', 'M', 'E', 'M'),
  /* A suite name or version the host does not offer. */
  kSPSuiteNotFoundError = SP_FOURCC('S', '!', 'F', 'd'),
  /* A preference or dictionary key that is not stored. */
  kNoSuchKeyErr = SP_FOURCC('!', 'K', 'E', 'Y'),
  /* A handle that names no live object (disposed art, unknown view...). */
  kBadHandleErr = SP_FOURCC('H', 'N', 'D', '?'),
  /* The operation needs another kind of art (for example a path). */
  kWrongArtTypeErr = SP_FOURCC('T', 'Y', 'P', '?'),
  /* No document is open. */
  kNoDocumentErr = SP_FOURCC('D', 'O', 'C', '?'),
  /* The target is locked or hidden and cannot be edited. */
  kLockedErr = SP_FOURCC('L', 'O', 'C', 'K'),
  /* An index outside the object's range. */
  kIndexRangeErr = SP_FOURCC('R', 'N', 'G', '?'),
  /* A file could not be read or written. */
  kFileErr = SP_FOURCC('F', 'I', 'L', 'E'),
  /* Something the host does not implement. */
  kNotImplementedErr = SP_FOURCC('!', 'I', 'M', 'P')
};

/* Opaque handles.  The host decides what they point at. */
typedef struct _SPPluginOpaque* SPPluginRef;
typedef struct _SPAccessOpaque* SPAccessRef;
typedef struct _SPModuleOpaque* SPModuleHandle;
typedef struct _AIArtOpaque* AIArtHandle;
typedef struct _AIDocumentOpaque* AIDocumentHandle;
typedef struct _AIDocumentViewOpaque* AIDocumentViewHandle;
typedef struct _AILayerOpaque* AILayerHandle;
typedef struct _AIToolOpaque* AIToolHandle;
typedef struct _AIAnnotatorOpaque* AIAnnotatorHandle;
typedef struct _AIAnnotatorDrawerOpaque AIAnnotatorDrawer;
typedef struct _AINotifierOpaque* AINotifierHandle;
typedef struct _AIMenuItemOpaque* AIMenuItemHandle;
typedef struct _AIMenuGroupOpaque* AIMenuGroup;
typedef struct _AIDictionaryOpaque* AIDictionaryRef;
typedef struct _AIDictKeyOpaque* AIDictKey;
typedef struct _AIHitOpaque* AIHitRef;
typedef struct _AICopyScopeOpaque* AICopyScopeHandle;
typedef struct _AIUnicodeStringOpaque* AIUnicodeStringHandle;
typedef struct _AIMdMemoryOpaque* AIMdMemoryHandle;
typedef struct _AIWindowOpaque* AIWindowRef;
typedef struct _AIAppContextOpaque* AIAppContextHandle;
typedef struct _AIPluginUserOpaque* AIPluginUserHandle;
typedef struct _AIPanelOpaque* AIPanelRef;
typedef struct _AIPanelFlyoutMenuOpaque* AIPanelFlyoutMenuRef;

/* Artwork point in points, y up. */
typedef struct AIRealPoint {
  double h;
  double v;
} AIRealPoint;

/* View point in pixels, y down. */
typedef struct AIPoint {
  int32_t h;
  int32_t v;
} AIPoint;

/* View rectangle in pixels. */
typedef struct AIRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
} AIRect;

/* Artwork rectangle; with y up, top >= bottom for a non-empty rectangle. */
typedef struct AIRealRect {
  double left;
  double top;
  double right;
  double bottom;
} AIRealRect;

/* x' = a*x + c*y + tx,  y' = b*x + d*y + ty. */
typedef struct AIRealMatrix {
  double a;
  double b;
  double c;
  double d;
  double tx;
  double ty;
} AIRealMatrix;

/* One anchor of a path with its two handles. corner: 1 = corner, 0 = smooth. */
typedef struct AIPathSegment {
  AIRealPoint p;
  AIRealPoint in;
  AIRealPoint out;
  AIBoolean corner;
} AIPathSegment;

/* 16-bit channels, 0..0xffff. */
typedef struct AIRGBColor {
  uint16_t red;
  uint16_t green;
  uint16_t blue;
} AIRGBColor;

#ifdef __cplusplus
}
#endif

#endif
