// Tool cursors: a crosshair whose centre pixel is the hot spot, with a small
// sign at its lower right that tells what the next click will do.
#pragma once

#include <span>
#include <string_view>

#include "canvas.h"

namespace corvane::art {

inline constexpr int kCursorSize = 32;

class SignPen;

// The id, name and meaning come from the shared id table (ResourceIds.h).
struct CursorArt {
  int id;
  std::string_view name;
  std::string_view meaning;
  void (*sign)(SignPen&);  // null for the plain crosshair
};

std::span<const CursorArt> Cursors();

void DrawCursor(Canvas& canvas, const CursorArt& cursor);

}  // namespace corvane::art
