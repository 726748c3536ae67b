// How the tangent circle's options dialog shows the circle it is about to
// confirm: the dialog calls the tool with the radius in its field whenever the
// field or the Preview box changes.
#pragma once

namespace Tools {

class TTRCallbackPreview {
 public:
  // Shows the circle of this radius (points) between the tool's two picks as
  // temporary art when preview is set; removes any shown circle otherwise.
  virtual void UpdatePreview(double radius, bool preview) = 0;

 protected:
  ~TTRCallbackPreview() = default;
};

}  // namespace Tools
