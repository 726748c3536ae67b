// What the render tests share: small documents built directly in the model,
// views, colours, and pixel checks that name the pixel and what was there.
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "host/model/Document.h"
#include "host/model/View.h"
#include "host/render/RenderView.h"

namespace host::render::test {

inline constexpr model::Rgb kRed{0xffff, 0, 0};
inline constexpr model::Rgb kGreen{0, 0xffff, 0};
inline constexpr model::Rgb kBlue{0, 0, 0xffff};
inline constexpr model::Rgb kBlack{0, 0, 0};
inline constexpr model::Rgb kWhite{0xffff, 0xffff, 0xffff};

Rgba Opaque(model::Rgb c);
AIRGBColor Sdk(model::Rgb c);

// A view of the size with the zoom, showing `origin` at its top-left pixel.
model::View MakeView(int width, int height, double zoom, model::Point origin);

// A document with one layer ("Layer 1") and a 200 x 200 pt artboard with its
// bottom-left corner at the origin.
model::Document OneLayerDocument();
// The layer group art goes into by default: that of the front layer.
model::ArtId FrontLayerGroup(const model::Document& doc);

// A closed rectangle path with the fill and no stroke, frontmost in
// `container`.  r is an artwork rectangle (y up).
model::ArtId AddRectangle(model::Document& doc, model::ArtId container, const model::Rect& r, model::Rgb fill);
model::ArtId AddRectangleAt(model::Document& doc, model::Placement where, const model::Rect& r, model::Rgb fill);
// The same rectangle with its anchors in the opposite order.
model::ArtId AddRectangleReversed(model::Document& doc, model::ArtId container, const model::Rect& r,
                                  model::Rgb fill);

// The picture of the document (nullable) in the view with the overlay.
Picture Render(const model::Document* doc, const model::View& view, std::span<const DrawCall> overlay = {},
               const RenderOptions& options = {});

// The pixel has the colour, each channel within `tolerance`.
testing::AssertionResult PixelIs(const Picture& picture, int x, int y, Rgba expected, int tolerance = 0);
// The pixel does not have the colour (some channel differs by more than 8).
testing::AssertionResult PixelIsNot(const Picture& picture, int x, int y, Rgba unexpected);

}  // namespace host::render::test
