// The one surface every tool draws its live feedback on.
//
// The same DrawFeedback code runs on two implementations: one draws through
// the host's annotation drawer, the other draws nothing and only measures the
// view rectangle that drawing would touch, so that exactly that rectangle can
// be invalidated before and after each tool event.
//
// Points are artwork coordinates (points, y up) unless the operation says
// "view" (32-bit pixels, y down).  Sizes in px are view pixels and stay the
// same at every zoom; sizes in artwork units scale with the zoom.  Artwork
// points reach the view rounded to single precision first, the precision the
// host keeps coordinates in.
//
// The operations keep the order of the overlay's operation table.
#pragma once

#include <cstdint>

#include "sdk/SPTypes.h"

namespace AII {

class IAnnoSurface {
 public:
  virtual void LineView(AIPoint a, AIPoint b) = 0;
  virtual void Line(AIRealPoint a, AIRealPoint b) = 0;
  virtual void Circle(AIRealPoint centre, double radius) = 0;
  virtual void Bezier(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3) = 0;
  // Horizontal and vertical strokes of half-length halfSizePx.
  virtual void PlusMark(AIRealPoint p, int32_t halfSizePx) = 0;
  // The two diagonals of the square of half-size halfSizePx.
  virtual void CrossMark(AIRealPoint p, int32_t halfSizePx) = 0;
  // A filled disc.
  virtual void Dot(AIRealPoint p, int32_t radiusPx) = 0;
  // A dot with a stroke of half-length along (artwork units) in the direction
  // and one of half-length across perpendicular to it.
  virtual void PathMarker(AIRealPoint p, AIRealPoint direction, int32_t dotRadiusPx, double along, double across) = 0;
  // An outlined triangle with its tip at tip, pointing away from towards.
  virtual void Arrowhead(AIRealPoint tip, AIRealPoint towards, int32_t baseWidthPx, int32_t lengthPx) = 0;
  // Text in the platform encoding, its baseline starting at the view point.
  virtual void Text(AIPoint at, const char* text) = 0;
  virtual void SetColor(const AIRGBColor& color) = 0;
  // The colour of the document's current layer; unchanged when the host
  // cannot tell it.
  virtual void UseCurrentLayerColor() = 0;
  // The colour of the layer holding art; unchanged when the host cannot tell.
  virtual void UseLayerColorOf(AIArtHandle art) = 0;
  // The view point of an artwork point; Error with the host's code on failure.
  virtual AIPoint ToView(AIRealPoint p) = 0;
  // The view's zoom factor; Error with the host's code on failure.
  virtual double Zoom() = 0;

 protected:
  // Surfaces live on the stack for one pass and are never owned through this.
  ~IAnnoSurface() = default;
};

}  // namespace AII
