/* Suites over the document: art, paths, selection, hit testing, layers,
 * dictionaries, transforms and shape construction. */
#ifndef CORVANE_SDK_AIARTSUITES_H
#define CORVANE_SDK_AIARTSUITES_H

#include "sdk/SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Art types. */
enum {
  kUnknownArt = 0,
  kGroupArt = 1,
  kPathArt = 2,
  kCompoundPathArt = 3,
  kPlacedArt = 4,
  kRasterArt = 5
};

/* Paint order of new or duplicated art relative to a prep art. */
enum {
  kPlaceAbove = 1,
  kPlaceBelow = 2,
  kPlaceInsideOnTop = 3,
  kPlaceInsideOnBottom = 4,
  kPlaceAboveAll = 5,
  kPlaceBelowAll = 6
};

/* User attributes of art. */
enum {
  kArtSelected = 1,
  kArtLocked = 2,
  kArtHidden = 4,
  kArtFullySelected = 8
};

/* TransferAttributes: what to copy. */
enum {
  kTransferStyle = 1,
  kTransferDictionary = 2,
  kTransferAll = -1
};

/* Copy scope kinds. */
enum { kAIDuplicateCopyScope = 0 };

/* Siblings run front to back: the first child of a group is its frontmost
 * member, GetArtSibling goes one step back, GetArtPriorSibling one step
 * forward.  Every layer has one layer group holding its top-level art. */
#define kAIArtSuite "AI Art Suite"
#define kAIArtSuiteVersion 17

typedef struct AIArtSuite {
  AIErr(AIAPI* NewArt)(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt);
  AIErr(AIAPI* DisposeArt)(AIArtHandle art);
  AIErr(AIAPI* DuplicateArt)(AIArtHandle art, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt);
  AIErr(AIAPI* GetArtType)(AIArtHandle art, int16_t* type);
  AIErr(AIAPI* GetArtParent)(AIArtHandle art, AIArtHandle* parent);
  AIErr(AIAPI* GetArtFirstChild)(AIArtHandle art, AIArtHandle* child);
  AIErr(AIAPI* GetArtSibling)(AIArtHandle art, AIArtHandle* sibling);
  AIErr(AIAPI* GetArtPriorSibling)(AIArtHandle art, AIArtHandle* sibling);
  AIErr(AIAPI* GetFirstArtOfLayer)(AILayerHandle layer, AIArtHandle* layerGroup);
  AIErr(AIAPI* GetLayerOfArt)(AIArtHandle art, AILayerHandle* layer);
  AIErr(AIAPI* IsArtLayerGroup)(AIArtHandle art, AIBoolean* isLayerGroup);
  AIErr(AIAPI* GetArtBounds)(AIArtHandle art, AIRealRect* bounds);
  AIErr(AIAPI* GetArtUserAttr)(AIArtHandle art, int32_t whichAttr, int32_t* attr);
  AIErr(AIAPI* SetArtUserAttr)(AIArtHandle art, int32_t whichAttr, int32_t attr);
  AIErr(AIAPI* TransferAttributes)(AIArtHandle srcArt, AIArtHandle dstArt, int32_t which);
  /* The art's dictionary (made on first use); release it with the
   * dictionary suite. */
  AIErr(AIAPI* GetDictionary)(AIArtHandle art, AIDictionaryRef* dictionary);
  /* Where new art goes: a prep art and paint order, and whether the place
   * can take new art (its layer is unlocked and visible). */
  AIErr(AIAPI* GetInsertionPoint)(AIArtHandle* art, int16_t* paintOrder, AIBoolean* editable);
  AIErr(AIAPI* GetArtCenterPointVisible)(AIArtHandle art, AIBoolean* visible);
  AIErr(AIAPI* SetArtCenterPointVisible)(AIArtHandle art, AIBoolean visible);
  AIErr(AIAPI* NewCopyScope)(int16_t kind, AICopyScopeHandle* scope);
  AIErr(AIAPI* DestroyCopyScope)(AICopyScopeHandle scope);
  AIErr(AIAPI* ValidArt)(AIArtHandle art, AIBoolean* valid);
} AIArtSuite;

/* Selection state of one segment. */
enum {
  kSegmentNotSelected = 0,
  kSegmentPointSelected = 1, /* the anchor */
  kSegmentInSelected = 2,
  kSegmentOutSelected = 3,
  kSegmentInAndOutSelected = 4
};

#define kAIPathSuite "AI Path Suite"
#define kAIPathSuiteVersion 11

typedef struct AIPathSuite {
  AIErr(AIAPI* GetPathSegmentCount)(AIArtHandle path, int16_t* count);
  /* Growing appends copies of the last segment (or zero segments for an
   * empty path); shrinking drops segments from the end. */
  AIErr(AIAPI* SetPathSegmentCount)(AIArtHandle path, int16_t count);
  AIErr(AIAPI* GetPathSegments)(AIArtHandle path, int16_t first, int16_t count, AIPathSegment* segments);
  AIErr(AIAPI* SetPathSegments)(AIArtHandle path, int16_t first, int16_t count, const AIPathSegment* segments);
  /* The new segments take indices index .. index + count - 1; the segment
   * that was at index moves behind them.  index may equal the count. */
  AIErr(AIAPI* InsertPathSegments)(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments);
  AIErr(AIAPI* DeletePathSegments)(AIArtHandle path, int16_t index, int16_t count);
  AIErr(AIAPI* GetPathClosed)(AIArtHandle path, AIBoolean* closed);
  AIErr(AIAPI* SetPathClosed)(AIArtHandle path, AIBoolean closed);
  AIErr(AIAPI* GetPathSegmentSelected)(AIArtHandle path, int16_t index, int16_t* selected);
  AIErr(AIAPI* SetPathSegmentSelected)(AIArtHandle path, int16_t index, int16_t selected);
} AIPathSuite;

#define kAIMatchingArtSuite "AI Matching Art Suite"
#define kAIMatchingArtSuiteVersion 7

typedef struct AIMatchingArtSuite {
  /* The selected art, topmost selected objects only (a selected group is
   * listed, its members are not).  Fills at most capacity handles and always
   * reports the full count. */
  AIErr(AIAPI* GetSelectedArt)(AIArtHandle* buffer, int32_t capacity, int32_t* count);
  AIErr(AIAPI* DeselectAll)(void);
} AIMatchingArtSuite;

/* Hit request codes. */
enum {
  /* Any part of any art; the segment index is that of the anchor nearest the
   * hit point. */
  kAllHitRequest = 2,
  /* Anchors (part kSegmentPart, that anchor's index) and points on curves
   * (part kCurvePart, the index of the anchor that ends the hit piece, 0 for
   * the closing piece of a closed path, and the parameter on the piece). */
  kSegmentOrCurveHitRequest = 8
};

/* Part types of a hit. */
enum {
  kSegmentPart = 0,
  kInHandlePart = 1,
  kOutHandlePart = 2,
  kCurvePart = 3,
  kFillPart = 4,
  kBoundsPart = 5
};

typedef struct AIHitData {
  AIBoolean hit;
  AIArtHandle object;
  int16_t type;      /* part type */
  int16_t segment;   /* segment index, see the request codes */
  double t;          /* parameter on the hit piece, for kCurvePart */
  AIRealPoint point; /* the point on the art that was hit */
} AIHitData;

#define kAIHitTestSuite "AI Hit Test Suite"
#define kAIHitTestSuiteVersion 6

typedef struct AIHitTestSuite {
  /* art NULL tests the whole document.  The tolerance is the host's, in view
   * pixels.  A reference is returned whether or not something was hit; it
   * must be released. */
  AIErr(AIAPI* HitTest)(AIArtHandle art, const AIRealPoint* point, int32_t request, AIHitRef* hit);
  AIErr(AIAPI* IsHit)(AIHitRef hit, AIBoolean* isHit);
  AIErr(AIAPI* GetHitData)(AIHitRef hit, AIHitData* data);
  AIErr(AIAPI* AddRef)(AIHitRef hit);
  AIErr(AIAPI* Release)(AIHitRef hit);
} AIHitTestSuite;

#define kAILayerSuite "AI Layer Suite"
#define kAILayerSuiteVersion 13

typedef struct AILayerSuite {
  AIErr(AIAPI* CountLayers)(int32_t* count);
  /* Layers run front to back: layer 0 is the frontmost. */
  AIErr(AIAPI* GetNthLayer)(int32_t n, AILayerHandle* layer);
  AIErr(AIAPI* GetFirstLayer)(AILayerHandle* layer);
  AIErr(AIAPI* GetNextLayer)(AILayerHandle prev, AILayerHandle* next);
  AIErr(AIAPI* GetCurrentLayer)(AILayerHandle* layer);
  AIErr(AIAPI* SetCurrentLayer)(AILayerHandle layer);
  /* The title stays valid until the layer is renamed or removed. */
  AIErr(AIAPI* GetLayerTitle)(AILayerHandle layer, const char** title);
  AIErr(AIAPI* GetLayerColor)(AILayerHandle layer, AIRGBColor* color);
  AIErr(AIAPI* GetLayerEditable)(AILayerHandle layer, AIBoolean* editable);
  AIErr(AIAPI* GetLayerVisible)(AILayerHandle layer, AIBoolean* visible);
} AILayerSuite;

/* Ruler units reported by the document suite. */
enum {
  kInchesUnits = 1,
  kCentimetersUnits = 2,
  kPointsUnits = 3,
  kPicasUnits = 4,
  kMillimetersUnits = 5,
  kPixelsUnits = 6,
  kQUnits = 7
};

#define kAIDocumentSuite "AI Document Suite"
#define kAIDocumentSuiteVersion 14

typedef struct AIDocumentSuite {
  AIErr(AIAPI* GetDocumentRulerUnits)(int16_t* units);
  AIErr(AIAPI* RedrawDocument)(void);
  /* The current document's dictionary; release it with the dictionary suite. */
  AIErr(AIAPI* GetDictionary)(AIDictionaryRef* dictionary);
} AIDocumentSuite;

#define kAIDictionarySuite "AI Dictionary Suite"
#define kAIDictionarySuiteVersion 8

typedef struct AIDictionarySuite {
  /* Keys are interned: the same name always gives the same key. */
  AIErr(AIAPI* Key)(const char* name, AIDictKey* key);
  AIErr(AIAPI* IsKnown)(AIDictionaryRef dictionary, AIDictKey key, AIBoolean* known);
  /* Real entries are stored as 32-bit reals. */
  AIErr(AIAPI* GetRealEntry)(AIDictionaryRef dictionary, AIDictKey key, float* value);
  AIErr(AIAPI* SetRealEntry)(AIDictionaryRef dictionary, AIDictKey key, float value);
  /* The text stays valid until the entry changes or the dictionary is released. */
  AIErr(AIAPI* GetStringEntry)(AIDictionaryRef dictionary, AIDictKey key, const char** value);
  AIErr(AIAPI* SetStringEntry)(AIDictionaryRef dictionary, AIDictKey key, const char* value);
  AIErr(AIAPI* DeleteEntry)(AIDictionaryRef dictionary, AIDictKey key);
  AIErr(AIAPI* AddRef)(AIDictionaryRef dictionary);
  AIErr(AIAPI* Release)(AIDictionaryRef dictionary);
} AIDictionarySuite;

/* Transform options. */
enum {
  kTransformObjects = 1,
  kTransformFillGradients = 2,
  kTransformFillPatterns = 4,
  kTransformStrokePatterns = 8,
  kScaleLines = 16,
  /* Without this bit a group or compound path is transformed by itself only
   * (its dictionary bookkeeping), not its members. */
  kTransformChildren = 32
};

#define kAITransformArtSuite "AI Transform Art Suite"
#define kAITransformArtSuiteVersion 3

typedef struct AITransformArtSuite {
  AIErr(AIAPI* TransformArt)(AIArtHandle art, const AIRealMatrix* matrix, double lineScale, int32_t flags);
} AITransformArtSuite;

#define kAITransformAgainSuite "AI Transform Again Suite"
#define kAITransformAgainSuiteVersion 4

typedef struct AITransformAgainSuite {
  /* The host's Transform Again command then goes to this plug-in as
   * "AI Transform Again" / "AI Go". */
  AIErr(AIAPI* SetTransformAgain)(SPPluginRef plugin);
} AITransformAgainSuite;

#define kAIRasterSuite "AI Raster Suite"
#define kAIRasterSuiteVersion 10

typedef struct AIRasterSuite {
  AIErr(AIAPI* GetRasterMatrix)(AIArtHandle raster, AIRealMatrix* matrix);
  AIErr(AIAPI* SetRasterMatrix)(AIArtHandle raster, const AIRealMatrix* matrix);
} AIRasterSuite;

#define kAIPlacedSuite "AI Placed Suite"
#define kAIPlacedSuiteVersion 8

typedef struct AIPlacedSuite {
  AIErr(AIAPI* GetPlacedMatrix)(AIArtHandle placed, AIRealMatrix* matrix);
  AIErr(AIAPI* SetPlacedMatrix)(AIArtHandle placed, const AIRealMatrix* matrix);
} AIPlacedSuite;

#define kAIShapeConstructionSuite "AI Shape Construction Suite"
#define kAIShapeConstructionSuiteVersion 6

typedef struct AIShapeConstructionSuite {
  /* A closed four-anchor ellipse inscribed in the rectangle spanned by the
   * two corners, placed at the insertion point. */
  AIErr(AIAPI* NewPointPointOval)(const AIRealPoint* corner1, const AIRealPoint* corner2, AIBoolean reversed,
                                  AIBoolean centered, int32_t reserved, AIArtHandle* newArt);
} AIShapeConstructionSuite;

#ifdef __cplusplus
}
#endif

#endif
