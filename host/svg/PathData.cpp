#include "host/svg/PathData.h"

#include <cctype>
#include <optional>
#include <string>

#include "host/svg/Arc.h"
#include "host/svg/Limits.h"
#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

bool IsCommand(char c) {
  switch (std::toupper(static_cast<unsigned char>(c))) {
    case 'M': case 'L': case 'H': case 'V': case 'C': case 'S':
    case 'Q': case 'T': case 'A': case 'Z':
      return true;
    default:
      return false;
  }
}

// The state of a walk through the data: where the pen is, the subpath being
// drawn, and the control point a following S or T would reflect.
class PathBuilder {
 public:
  explicit PathBuilder(std::string_view d) : scan_(d) {}

  std::vector<Subpath> Run() {
    scan_.SkipSpace();
    if (scan_.AtEnd()) return {};
    if (std::toupper(static_cast<unsigned char>(scan_.Peek())) != 'M') scan_.Fail("path data must begin with a moveto");
    while (true) {
      scan_.SkipSpace();
      if (scan_.AtEnd()) break;
      const char command = scan_.Peek();
      if (!IsCommand(command)) scan_.Fail(std::string("unexpected character '") + command + "'");
      scan_.Advance();
      RunCommand(command);
    }
    return std::move(subpaths_);
  }

 private:
  // One command letter and all its argument sets.
  void RunCommand(char command) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
    const bool relative = command != upper;
    if (upper == 'Z') {
      Close();
      return;
    }
    char current = upper;
    do {
      scan_.SkipSpace();
      RunArguments(current, relative);
      // Pairs after a moveto are lines.
      if (current == 'M') current = 'L';
    } while (MoreArguments());
  }

  bool MoreArguments() {
    if (scan_.SkipSeparator()) {
      if (!scan_.AtNumber()) scan_.Fail("expected a number after ','");
      return true;
    }
    return scan_.AtNumber();
  }

  double Number() {
    scan_.SkipSeparator();
    return scan_.Number();
  }
  SvgPoint Pair(bool relative) {
    const double x = Number();
    const double y = Number();
    return relative ? SvgPoint{pen_.h + x, pen_.v + y} : SvgPoint{x, y};
  }

  void RunArguments(char command, bool relative) {
    switch (command) {
      case 'M': return MoveTo(Pair(relative));
      case 'L': return LineTo(Pair(relative));
      case 'H': {
        const double x = Number();
        return LineTo({relative ? pen_.h + x : x, pen_.v});
      }
      case 'V': {
        const double y = Number();
        return LineTo({pen_.h, relative ? pen_.v + y : y});
      }
      case 'C': {
        const SvgPoint c1 = Pair(relative), c2 = Pair(relative), end = Pair(relative);
        return CubicTo(c1, c2, end);
      }
      case 'S': {
        const SvgPoint c2 = Pair(relative), end = Pair(relative);
        return CubicTo(Reflected(lastCubicControl_), c2, end);
      }
      case 'Q': {
        const SvgPoint control = Pair(relative), end = Pair(relative);
        return QuadTo(control, end);
      }
      case 'T': {
        const SvgPoint end = Pair(relative);
        return QuadTo(Reflected(lastQuadControl_), end);
      }
      case 'A': return ArcArguments(relative);
    }
  }

  void ArcArguments(bool relative) {
    ArcParameters arc;
    arc.rx = Number();
    arc.ry = Number();
    arc.xAxisRotationDeg = Number();
    scan_.SkipSeparator();
    arc.largeArc = scan_.Flag();
    scan_.SkipSeparator();
    arc.sweep = scan_.Flag();
    const SvgPoint end = Pair(relative);
    AppendArc(pen_, arc, end, Open().pieces);
    pen_ = end;
    Forget();
  }

  SvgPoint Reflected(const std::optional<SvgPoint>& control) const {
    return control ? pen_ + (pen_ - *control) : pen_;
  }

  void MoveTo(SvgPoint p) {
    StartSubpath(p);
    pen_ = p;
    Forget();
  }
  void LineTo(SvgPoint p) {
    Open().pieces.push_back(LinePiece(pen_, p));
    pen_ = p;
    Forget();
  }
  void CubicTo(SvgPoint c1, SvgPoint c2, SvgPoint end) {
    Open().pieces.push_back({c1, c2, end});
    pen_ = end;
    Forget();
    lastCubicControl_ = c2;
  }
  // The cubic with the same curve: control points two thirds of the way from
  // each end point to the quadratic's control point.
  void QuadTo(SvgPoint control, SvgPoint end) {
    const SvgPoint c1 = pen_ + (2.0 / 3.0) * (control - pen_);
    const SvgPoint c2 = end + (2.0 / 3.0) * (control - end);
    Open().pieces.push_back({c1, c2, end});
    pen_ = end;
    Forget();
    lastQuadControl_ = control;
  }
  void Close() {
    if (open_) {
      subpaths_.back().closed = true;
      pen_ = subpaths_.back().start;
      open_ = false;
    }
    Forget();
  }

  // The subpath that drawing commands extend; after Z a new one starts at the pen.
  Subpath& Open() {
    if (!open_) StartSubpath(pen_);
    // Bounds memory early; the reader checks the exact anchor count later.
    if (subpaths_.back().pieces.size() >= kMaxAnchorsPerPath)
      scan_.Fail("more than " + std::to_string(kMaxAnchorsPerPath) + " anchors in one subpath");
    return subpaths_.back();
  }
  void StartSubpath(SvgPoint p) {
    if (subpaths_.size() >= kMaxSubpathsPerPath)
      scan_.Fail("more than " + std::to_string(kMaxSubpathsPerPath) + " subpaths");
    subpaths_.push_back(Subpath{p, {}, false});
    open_ = true;
  }
  void Forget() {
    lastCubicControl_.reset();
    lastQuadControl_.reset();
  }

  Scanner scan_;
  std::vector<Subpath> subpaths_;
  bool open_ = false;
  SvgPoint pen_;
  std::optional<SvgPoint> lastCubicControl_;
  std::optional<SvgPoint> lastQuadControl_;
};

}  // namespace

std::vector<Subpath> ParsePathData(std::string_view d) { return PathBuilder(d).Run(); }

}  // namespace host::svg
