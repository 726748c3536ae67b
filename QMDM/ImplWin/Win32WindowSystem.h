// The dialog layer's windows on Win32 itself, for a host that offers no
// window suite: captioned, pop-up and tool windows of the layer's own class;
// BUTTON and EDIT controls; labels, frames, pictures and user areas as
// owner-drawn STATIC controls painted with GDI+ (alpha-blended RGBA pixels)
// and GDI text in a dialog font that shows Chinese.  Windows build only.
#pragma once

#include "QMDM/ImplCommon/WindowSystem.h"

namespace QMDM {

IWindowSystem& Win32WindowSystem();

}  // namespace QMDM
