// The maker's and the product's pictures for dialogs: logos, the warning
// sign, the plug-in icon and the About dialog's banner and cap.
#pragma once

#include "canvas.h"

namespace corvane::art {

struct PictureSize {
  int width, height;
};

inline constexpr PictureSize kMakerLogoSize{48, 48};
inline constexpr PictureSize kMakerLogoWideSize{122, 40};
inline constexpr PictureSize kWarningSize{29, 29};
inline constexpr PictureSize kPluginIconSize{16, 16};
inline constexpr PictureSize kAboutBannerSize{600, 468};
// The About dialog's band between the banner's separator and its buttons.
inline constexpr PictureSize kAboutCapSize{600, 110};

// The dialog writes three text lines over this band of the banner, so the
// banner keeps it free of drawing.
inline constexpr double kBannerTextTop = 405;

enum class Backdrop { kLightInterface, kDarkInterface };

void DrawMakerLogo(Canvas& canvas);
void DrawMakerLogoWide(Canvas& canvas, Backdrop backdrop);
void DrawWarning(Canvas& canvas, Backdrop backdrop);
void DrawPluginIcon(Canvas& canvas);
void DrawAboutBanner(Canvas& canvas);
void DrawAboutCap(Canvas& canvas);

}  // namespace corvane::art
