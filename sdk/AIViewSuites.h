/* Suites over the document views: views, cursor snapping, annotators and the
 * annotation drawer. */
#ifndef CORVANE_SDK_AIVIEWSUITES_H
#define CORVANE_SDK_AIVIEWSUITES_H

#include "sdk/SPTypes.h"
#include "sdk/AIMessages.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIDocumentViewSuite "AI Document View Suite"
#define kAIDocumentViewSuiteVersion 12

typedef struct AIDocumentViewSuite {
  AIErr(AIAPI* CountDocumentViews)(int32_t* count);
  /* n = 0 is the current view. */
  AIErr(AIAPI* GetNthDocumentView)(int32_t n, AIDocumentViewHandle* view);
  /* The artwork rectangle the view shows. */
  AIErr(AIAPI* GetDocumentViewBounds)(AIDocumentViewHandle view, AIRealRect* bounds);
  /* The view's own rectangle in pixels (left = top = 0). */
  AIErr(AIAPI* GetDocumentViewPixelBounds)(AIDocumentViewHandle view, AIRect* bounds);
  AIErr(AIAPI* GetDocumentViewZoom)(AIDocumentViewHandle view, double* zoom);
  AIErr(AIAPI* SetDocumentViewZoom)(AIDocumentViewHandle view, double zoom);
  /* The artwork point shown at the view's top-left pixel. */
  AIErr(AIAPI* GetScrollOrigin)(AIDocumentViewHandle view, AIRealPoint* origin);
  AIErr(AIAPI* SetScrollOrigin)(AIDocumentViewHandle view, const AIRealPoint* origin);
  /* Rounds to the nearest pixel. */
  AIErr(AIAPI* ArtworkPointToViewPoint)(AIDocumentViewHandle view, const AIRealPoint* artwork, AIPoint* view_point);
  AIErr(AIAPI* ViewPointToArtworkPoint)(AIDocumentViewHandle view, const AIPoint* view_point, AIRealPoint* artwork);
} AIDocumentViewSuite;

/* Custom snapping constraints. */
enum {
  kPointConstraint = 1,  /* snap to the point */
  kLinearConstraintAbs = 3 /* snap onto the line through the point at the angle */
};

typedef struct AICursorConstraint {
  int32_t kind;
  int32_t flags;
  AIRealPoint point;
  float angle;       /* degrees, counter-clockwise from the horizontal */
  const char* label; /* shown by the host while snapped; copied */
} AICursorConstraint;

#define kAICursorSnapSuite "AI Cursor Snap Suite"
#define kAICursorSnapSuiteVersion 15

/* Control string letters understood by the host's snapping:
 *   v  the custom constraints set with SetCustom (points and lines)
 *   A  anchors of paths           T  handle ends of paths
 *   F  nearest points on path outlines
 *   M  midpoints of path pieces
 * Other letters (P, L, i, o) and blanks are accepted and ignored.  The path
 * letters apply only while smart guides are on for the view; the custom
 * constraints apply whenever they are set and the string has 'v'.  The
 * tolerance is 4 view pixels; the nearest candidate wins, points before
 * lines.  Track leaves the point unchanged when nothing is near. */
typedef struct AICursorSnapSuite {
  AIErr(AIAPI* Track)(AIDocumentViewHandle view, const AIRealPoint* srcpoint, const AIEvent* event,
                      const char* control, AIRealPoint* dstpoint);
  AIErr(AIAPI* SetCustom)(int32_t count, const AICursorConstraint* constraints);
  AIErr(AIAPI* ClearCustom)(void);
  AIErr(AIAPI* GetSmartGuidesState)(AIDocumentViewHandle view, AIBoolean* on);
  AIErr(AIAPI* SetSmartGuidesState)(AIDocumentViewHandle view, AIBoolean on);
} AICursorSnapSuite;

#define kAIAnnotatorSuite "AI Annotator Suite"
#define kAIAnnotatorSuiteVersion 6

typedef struct AIAnnotatorSuite {
  AIErr(AIAPI* AddAnnotator)(SPPluginRef self, const char* name, AIAnnotatorHandle* annotator);
  AIErr(AIAPI* GetAnnotatorName)(AIAnnotatorHandle annotator, const char** name);
  AIErr(AIAPI* SetAnnotatorActive)(AIAnnotatorHandle annotator, AIBoolean active);
  AIErr(AIAPI* GetAnnotatorActive)(AIAnnotatorHandle annotator, AIBoolean* active);
  /* Ask the host to redraw a rectangle of the view (annotations included). */
  AIErr(AIAPI* InvalAnnotationRect)(AIDocumentViewHandle view, const AIRect* rect);
} AIAnnotatorSuite;

#define kAIAnnotatorDrawerSuite "AI Annotator Drawer Suite"
#define kAIAnnotatorDrawerSuiteVersion 5

/* All coordinates are view pixels. */
typedef struct AIAnnotatorDrawerSuite {
  AIErr(AIAPI* SetColor)(AIAnnotatorDrawer* drawer, const AIRGBColor* color);
  AIErr(AIAPI* GetColor)(AIAnnotatorDrawer* drawer, AIRGBColor* color);
  AIErr(AIAPI* SetLineWidth)(AIAnnotatorDrawer* drawer, double width);
  /* antialiased: smooth edges; overlay: draw over the artwork at full opacity. */
  AIErr(AIAPI* SetDrawingMode)(AIAnnotatorDrawer* drawer, AIBoolean antialiased, AIBoolean overlay);
  AIErr(AIAPI* DrawLine)(AIAnnotatorDrawer* drawer, const AIPoint* start, const AIPoint* end);
  AIErr(AIAPI* DrawPolygon)(AIAnnotatorDrawer* drawer, const AIPoint* points, int32_t count, AIBoolean fill);
  AIErr(AIAPI* DrawEllipse)(AIAnnotatorDrawer* drawer, const AIRect* rect, AIBoolean fill);
  AIErr(AIAPI* DrawBezier)(AIAnnotatorDrawer* drawer, const AIPoint* p0, const AIPoint* p1, const AIPoint* p2,
                           const AIPoint* p3);
  /* Text in the platform encoding, its baseline starting at the point. */
  AIErr(AIAPI* DrawText)(AIAnnotatorDrawer* drawer, const char* text, const AIPoint* point);
} AIAnnotatorDrawerSuite;

#ifdef __cplusplus
}
#endif

#endif
