// Paths in device pixels: the picture's cairo coordinates, x right, y down,
// pixel (i, j) covering [i, i+1) x [j, j+1).  They reach cairo through
// SetPath (CairoPath.h).
#pragma once

#include <vector>

namespace host::render {

struct DevicePoint {
  double x = 0;
  double y = 0;
};

class DevicePath {
 public:
  // One line or cubic piece, starting where the previous one ended.
  struct Piece {
    bool curve = false;
    DevicePoint c1, c2;  // curve only
    DevicePoint end;
  };
  struct Subpath {
    DevicePoint start;
    std::vector<Piece> pieces;
    bool closed = false;
  };

  // Starts a new subpath.  LineTo and CurveTo before any MoveTo start one at
  // (0, 0).
  void MoveTo(DevicePoint p);
  void LineTo(DevicePoint p);
  void CurveTo(DevicePoint c1, DevicePoint c2, DevicePoint end);
  // Closes the current subpath; the next piece starts a new one at its start.
  void Close();

  const std::vector<Subpath>& subpaths() const { return subpaths_; }

 private:
  Subpath& Open();

  std::vector<Subpath> subpaths_;
};

// The ellipse inscribed in the rectangle, as four cubic quarters starting at
// its rightmost point.  The corners may come in any order; a rectangle
// without width or height gives the flat ellipse (a line), never a singular
// transformation.
void AddEllipse(DevicePath& path, DevicePoint corner, DevicePoint oppositeCorner);

}  // namespace host::render
