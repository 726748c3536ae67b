// The ids of every image the module carries and the resource names they
// stand for, written once: the build's resource generator draws and names
// the images from these tables, and the plug-in asks for them by these ids.
//
// Each table is an X-macro, expanded by whoever needs its rows.  The id table
// the generator writes ("IDToFile") maps each id to its name; the plug-in
// reads it at start-up.
#pragma once

#include <cstdint>

// Tool cursors: a crosshair with a sign telling what the next click does.
// X(Constant, Id, ResourceName, Meaning)
#define CORVANE_CURSORS(X)                                                                         \
  X(kCursorClear, 16001, "cursorclear-16001", "plain crosshair")                                   \
  X(kCursorMarked, 16002, "cross-marked-16002", "a path is under the cursor")                      \
  X(kCursorRadiusDrag, 16003, "radius-drag-16003", "dragging a radius")                            \
  X(kCursorPlus, 16004, "cross-plus-16004", "adds")                                                \
  X(kCursorStraight, 16005, "cross-straight-16005", "draws a straight axis")                       \
  X(kCursorFirstPoint, 16011, "cross-01-16011", "first point")                                     \
  X(kCursorSecondPoint, 16012, "cross-02-16012", "second point")                                   \
  X(kCursorThirdPoint, 16013, "cross-03-16013", "third point")                                     \
  X(kCursorThirdPointPie, 16014, "cross-03pie-16014", "third point, closed as a sector")           \
  X(kCursorStraightNoHit, 16020, "cross-straightnohit-16020", "straighten, nothing under the cursor") \
  X(kCursorStraightHorizontal, 16021, "straight-horz-16021", "levels horizontally")                \
  X(kCursorStraightVertical, 16022, "straight-vert-16022", "levels vertically")                    \
  X(kCursorStraightDirection, 16023, "straight-direction-16023", "turns about an anchor")          \
  X(kCursorDot, 16024, "cross-dot-16024", "starts from a point")                                   \
  X(kCursorMarkedDot, 16025, "cross-markeddot-16025", "a path is under the cursor, from a point")  \
  X(kCursorRotate, 16030, "cross-rotate-16030", "rotates")                                         \
  X(kCursorRotatePlus, 16031, "cross-rotateplus-16031", "rotates a copy")                          \
  X(kCursorCannotDraw, 16500, "cross-error-16500", "cannot draw here")

// Tool palette icons; the dark interface's icon has the id kDarkIconOffset
// higher.  X(Constant, Id, LightName, DarkName, Tool)
#define CORVANE_TOOL_ICONS(X)                                                                      \
  X(kIconTangentCircle, 16051, "Tangent-circle-light", "Tangent-circle-dark", "Tangent circle")    \
  X(kIconCircle23, 16052, "Circle-by-2-or-3-points-light", "Circle-by-2-or-3-points-dark",         \
    "Circle by 2 or 3 points")                                                                     \
  X(kIconCurvature, 16054, "Curvature-circle-light", "Curvature-circle-dark", "Curvature circle")  \
  X(kIconConnect, 16058, "Connect-light", "Connect-dark", "Connect")                               \
  X(kIconArc3Pt, 16061, "Arc-by-three-points-light", "Arc-by-three-points-dark", "Arc by three points") \
  X(kIconArcSED, 16062, "Arc-start-end-direction-light", "Arc-start-end-direction-dark",           \
    "Arc start-end-direction")                                                                     \
  X(kIconOrient, 16063, "Orient-light", "Orient-dark", "Orient")                                   \
  X(kIconStraighten, 16064, "Straighten-light", "Straighten-dark", "Straighten")                   \
  X(kIconLineTT, 16065, "Line-tangent-to-two-paths-light", "Line-tangent-to-two-paths-dark",       \
    "Tangent line")                                                                                \
  X(kIconLinePP, 16066, "Line-perpendicular-to-two-paths-light", "Line-perpendicular-to-two-paths-dark", \
    "Perpendicular line")                                                                          \
  X(kIconTangentTo, 16067, "Line-tangent-to-path-light", "Line-tangent-to-path-dark", "Tangent to") \
  X(kIconPerpTo, 16068, "Line-perpendicular-to-path-light", "Line-perpendicular-to-path-dark",     \
    "Perpendicular to")                                                                            \
  X(kIconTangentFrom, 16069, "Line-tangent-from-path-light", "Line-tangent-from-path-dark",        \
    "tangent line from")                                                                           \
  X(kIconPerpFrom, 16070, "Line-perpendicular-from-path-light", "Line-perpendicular-from-path-dark", \
    "perpendicular line from")

// Pictures of the dialogs and the About box.  Picture items of a dialog load
// an id and the id kDarkPictureOffset higher, for the dark interface ("_L"
// and "_D" in the names).  X(Constant, Id, Name, Meaning)
#define CORVANE_PICTURES(X)                                                                        \
  X(kPictureMakerLogo, 16901, "QMLogo", "maker logo")                                              \
  X(kPictureMakerLogoWide, 2300, "QMLogo122x40_L", "maker logo with name, light interface")         \
  X(kPictureMakerLogoWideDark, 12300, "QMLogo122x40_D", "maker logo with name, dark interface")     \
  X(kPictureWarning, 2302, "Warning29x29_L", "warning sign, light interface")                      \
  X(kPictureWarningDark, 12302, "Warning29x29_D", "warning sign, dark interface")                  \
  X(kPicturePluginIcon, 1100, "CorvaneIcon16x16", "plug-in icon")                                  \
  X(kPictureAboutBanner, 16110, "AboutBanner", "About dialog banner")                              \
  X(kPictureAboutCap, 16111, "AboutCap", "About dialog band below the banner")

namespace corvane::ids {

#define CORVANE_ID_CONSTANT(Constant, Id, ...) inline constexpr int32_t Constant = Id;
CORVANE_CURSORS(CORVANE_ID_CONSTANT)
CORVANE_TOOL_ICONS(CORVANE_ID_CONSTANT)
CORVANE_PICTURES(CORVANE_ID_CONSTANT)
#undef CORVANE_ID_CONSTANT

// The dark interface's tool icon: the light icon's id plus this.
inline constexpr int32_t kDarkIconOffset = 1000;
// The dark interface's dialog picture: the light picture's id plus this.
inline constexpr int32_t kDarkPictureOffset = 10000;

// Where every cursor points, in pixels of its plain (96 dots per inch) image,
// from the top left: the centre of the crosshair.
inline constexpr int32_t kCursorHotSpotPx = 15;

}  // namespace corvane::ids
