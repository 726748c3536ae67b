// Tool palette icons: each shows the construction its tool makes, in a
// variant for light interfaces (dark strokes) and one for dark interfaces.
#pragma once

#include <span>
#include <string_view>

#include "canvas.h"

namespace corvane::art {

inline constexpr int kToolIconSize = 24;

enum class Theme { kLight, kDark };

// The id, names and tool come from the shared id table (ResourceIds.h).
struct ToolIconArt {
  int id;
  std::string_view light_name;
  std::string_view dark_name;
  std::string_view tool;
  void (*draw)(const Canvas& canvas, Theme theme);
};

std::span<const ToolIconArt> ToolIcons();

void DrawToolIcon(Canvas& canvas, const ToolIconArt& icon, Theme theme);

}  // namespace corvane::art
