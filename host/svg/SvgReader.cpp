// SVG text to a document.
//
// Layers: every top-level <g> is a layer, back to front in file order (the
// last one is frontmost); everything else drawable at the top level goes to
// one default layer made where the first such element stands.  Elements the
// model cannot hold (text, defs, style, metadata, foreign images, anything
// masked, filtered, clipped or with markers...) are kept as their XML text in
// their container, to be written back where they stood.  Transforms are
// applied to the coordinates, and stroke widths scaled by the transform's
// mean scale.
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <tinyxml2.h>

#include "host/model/Document.h"
#include "host/svg/Attributes.h"
#include "host/svg/Color.h"
#include "host/svg/Declarations.h"
#include "host/svg/Fields.h"
#include "host/svg/FileError.h"
#include "host/svg/Length.h"
#include "host/svg/Limits.h"
#include "host/svg/PathData.h"
#include "host/svg/SegmentsFromOutline.h"
#include "host/svg/Shapes.h"
#include "host/svg/Svg.h"
#include "host/svg/Syntax.h"
#include "host/svg/Transform.h"
#include "host/svg/UnitNames.h"

namespace host::svg {
namespace {

using tinyxml2::XMLElement;

constexpr model::Rgb kBlack{};
constexpr const char* kDefaultLayerPrefix = "Layer ";
// Every number read is finite, but sums and transforms of huge ones can
// overflow; the model and the tools rely on finite coordinates.
constexpr const char* kOutOfRange = "coordinates beyond the range of numbers";

// The inherited properties, computed.
struct Style {
  std::optional<model::Rgb> fill = kBlack;
  std::optional<model::Rgb> stroke;
  double strokeWidth = 1;  // in the element's own user units
  model::Rgb color = kBlack;
};

// What an element hands down to its children.
struct Scope {
  model::Matrix ctm;  // element user space -> document SVG space
  Style style;
  bool hidden = false;  // display="none" on the element itself
  int depth = 0;
};

// Sizes percentages refer to.
struct Viewport {
  double width = model::kDefaultArtboardWidthPt;
  double height = model::kDefaultArtboardHeightPt;
  double Diagonal() const { return std::sqrt((width * width + height * height) / 2); }
};

std::string_view LocalName(const XMLElement& e) {
  std::string_view name = e.Name();
  if (name.starts_with("svg:")) name.remove_prefix(4);
  return name;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseFlagText(std::string_view text) {
  const std::string_view t = Trim(text);
  if (t == "1" || t == "true") return true;
  if (t == "0" || t == "false") return false;
  throw SyntaxError(0, "expected 0 or 1");
}

std::string XmlProblem(const tinyxml2::XMLDocument& xml) {
  switch (xml.ErrorID()) {
    case tinyxml2::XML_ERROR_EMPTY_DOCUMENT: return "empty document: no XML";
    case tinyxml2::XML_ELEMENT_DEPTH_EXCEEDED: return "elements nested too deeply";
    case tinyxml2::XML_ERROR_MISMATCHED_ELEMENT: return "not well-formed XML: mismatched end tag";
    default: return std::string("not well-formed XML (") + xml.ErrorName() + ")";
  }
}

// Files that are not UTF-8 SVG text at all, told apart by their first bytes
// so that the message says what to do rather than naming an XML error.
std::optional<std::string> EncodingProblem(std::string_view text) {
  if (text.size() >= 2 && text[0] == '\x1F' && text[1] == '\x8B')
    return "the file is gzip-compressed (an .svgz): decompress it (gunzip) and open the .svg inside";
  const bool utf16Mark = text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                                              (text[0] == '\xFE' && text[1] == '\xFF'));
  // UTF-16 without a mark: every other byte of the opening ASCII is zero.
  const bool utf16Zeros = text.size() >= 4 && (text.substr(0, 4).find('\0') != std::string_view::npos);
  if (utf16Mark || utf16Zeros) return "the file is UTF-16 text; only UTF-8 is read: save it as UTF-8";
  return std::nullopt;
}

// A root that was opened but never closed (and is not one empty element):
// the file was cut short.
bool LooksTruncated(std::string_view text) {
  const std::size_t open = text.find("<svg");
  if (open == std::string_view::npos || text.find("</svg") != std::string_view::npos) return false;
  const std::size_t startEnd = text.find('>', open);
  return startEnd == std::string_view::npos || text[startEnd - 1] != '/';
}

// The artwork matrix of an image whose SVG transform is m: the image's own
// space has y up like artwork, so m is conjugated by the y flip (exact).
model::Matrix FlippedMatrix(const model::Matrix& m) { return {m.a, -m.b, -m.c, m.d, m.tx, -m.ty}; }

class Reader {
 public:
  explicit Reader(std::string_view file) : file_(file) {}

  model::Document Read(std::string_view text) {
    tinyxml2::XMLDocument xml(true, tinyxml2::PRESERVE_WHITESPACE);
    if (const std::optional<std::string> problem = EncodingProblem(text)) ThrowFileError(file_, *problem);
    if (xml.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
      if (LooksTruncated(text))
        ThrowFileError(file_, xml.ErrorLineNum(), std::nullopt,
                       "the file ends before the document does (it was cut short): " + XmlProblem(xml));
      ThrowFileError(file_, xml.ErrorLineNum(), std::nullopt, XmlProblem(xml));
    }
    const XMLElement* root = xml.RootElement();
    if (!root) ThrowFileError(file_, "no root element");
    if (LocalName(*root) != "svg") Fail(*root, "the root element is <" + std::string(root->Name()) + ">, not <svg>");
    ours_ = root->Attribute(attr::kVersion) != nullptr;
    IndexIds(*root);
    ReadRoot(*root);
    Scope scope;
    scope.style = ComputeStyle(*root, Style{});
    ReadLayers(*root, scope);
    SetCurrentLayer(*root);
    // Anything kept, here or in a container, may use the root's prefixes.
    if (!keptCount_.empty()) doc_.SetKeptAtTop(std::move(keptAtTop_), Namespaces(*root));
    return std::move(doc_);
  }

  // What the reading could not turn into art, for the person who opened the
  // file: empty when everything was read.
  std::vector<std::string> Notes() const {
    std::vector<std::string> notes;
    if (!keptCount_.empty()) {
      std::string note = "kept as they are, written back unchanged but not editable here:";
      bool first = true;
      for (const auto& [name, count] : keptCount_) {
        note += (first ? " " : ", ") + std::to_string(count) + " <" + name + ">";
        first = false;
      }
      notes.push_back(std::move(note));
    }
    if (paintServers_ > 0)
      notes.push_back(std::to_string(paintServers_) +
                      " fill or stroke painted with a gradient or pattern read as its fallback colour (or none)");
    return notes;
  }

 private:
  // --- errors
  [[noreturn]] void Fail(const XMLElement& e, const std::string& problem) const {
    ThrowFileError(file_, e.GetLineNum(), std::nullopt, problem);
  }
  [[noreturn]] void Fail(const XMLElement& e, const Specified& where, const SyntaxError& error) const {
    const tinyxml2::XMLAttribute* a = e.FindAttribute(where.attribute);
    const int line = a ? a->GetLineNum() : e.GetLineNum();
    ThrowFileError(file_, line, where.offset + error.offset(),
                   std::string("attribute ") + where.attribute + ": " + error.what());
  }

  template <class F>
  auto Parse(const XMLElement& e, const Specified& where, F parse) const {
    try {
      return parse(where.value);
    } catch (const SyntaxError& error) {
      Fail(e, where, error);
    }
  }
  template <class F>
  auto ParseAttribute(const XMLElement& e, const char* name, F parse) const
      -> std::optional<decltype(parse(std::string_view{}))> {
    const char* value = e.Attribute(name);
    if (!value) return std::nullopt;
    return Parse(e, Specified{value, name, 0}, parse);
  }
  bool Flag(const XMLElement& e, const char* name) const {
    return ParseAttribute(e, name, ParseFlagText).value_or(false);
  }
  double LengthAttribute(const XMLElement& e, const char* name, double percentBase, double absent) const {
    return ParseAttribute(e, name, [&](std::string_view t) { return ParseUserLength(t, percentBase); })
        .value_or(absent);
  }
  // A length that must not be negative; nullopt when absent.
  std::optional<double> Size(const XMLElement& e, const char* name, double percentBase) const {
    return ParseAttribute(e, name, [&](std::string_view t) {
      const double value = ParseUserLength(t, percentBase);
      if (value < 0) throw SyntaxError(0, "must not be negative");
      return value;
    });
  }

  // --- the document
  void ReadRoot(const XMLElement& root) {
    const auto viewBox = ParseAttribute(root, "viewBox", ParseViewBox);
    const auto width = ParseAttribute(root, "width", ParseLength);
    const auto height = ParseAttribute(root, "height", ParseLength);
    const auto known = [](const std::optional<host::svg::Length>& l) {
      return l && l->unit != LengthUnit::Percent;
    };
    if (viewBox) {
      doc_.SetArtboard(ArtboardOfViewBox(*viewBox));
      viewport_ = {(*viewBox)[2], (*viewBox)[3]};
    } else if (known(width) && known(height)) {
      viewport_ = {ToUserUnits(*width, 0), ToUserUnits(*height, 0)};
      doc_.SetArtboard({0, 0, viewport_.width, -viewport_.height});
    }
    if (const auto exact = ParseAttribute(root, attr::kArtboard, ParseArtboard)) doc_.SetArtboard(*exact);
    const model::Rect& board = doc_.artboard();
    if (!std::isfinite(board.right) || !std::isfinite(board.bottom)) Fail(root, kOutOfRange);
    if (const auto units = ParseAttribute(root, attr::kUnits, ParseUnits)) {
      doc_.SetRulerUnits(*units);
    } else if (width) {
      if (const auto fromWidth = RulerUnitsOf(width->unit)) doc_.SetRulerUnits(*fromWidth);
    }
    if (const auto dictionary = ParseAttribute(root, attr::kDictionary, ParseDictionary))
      doc_.dictionary() = *dictionary;
  }

  static std::vector<double> ParseViewBox(std::string_view text) {
    Scanner scan(text);
    std::vector<double> v;
    scan.SkipSpace();
    for (int i = 0; i < 4; ++i) {
      if (i > 0) scan.SkipSeparator();
      v.push_back(scan.Number());
    }
    scan.SkipSpace();
    if (!scan.AtEnd()) scan.Fail("expected four numbers");
    if (v[2] < 0 || v[3] < 0) throw SyntaxError(0, "negative width or height");
    return v;
  }
  // The writer computes the viewBox from the artboard the same way backwards.
  static model::Rect ArtboardOfViewBox(const std::vector<double>& v) {
    const double top = -v[1];
    return {v[0], top, v[0] + v[2], top - v[3]};
  }
  static model::Rect ParseArtboard(std::string_view text) {
    Scanner scan(text);
    double v[4];
    scan.SkipSpace();
    for (double& x : v) {
      x = scan.Number();
      scan.SkipSpace();
    }
    if (!scan.AtEnd()) scan.Fail("expected four numbers");
    return {v[0], v[1], v[2], v[3]};
  }
  static int16_t ParseUnits(std::string_view text) {
    if (const auto units = RulerUnitsFromName(Trim(text))) return *units;
    throw SyntaxError(0, "unknown ruler units '" + std::string(text) + "'");
  }

  void ReadLayers(const XMLElement& root, const Scope& scope) {
    std::optional<model::LayerId> defaultLayer;
    for (const XMLElement* e = root.FirstChildElement(); e; e = e->NextSiblingElement()) {
      if (!IsDrawable(*e) || CannotBeHeld(*e)) {
        Keep(*e, keptAtTop_, doc_.layers().size(), scope);
      } else if (LocalName(*e) == "g") {
        ReadLayer(*e, scope);
      } else {
        if (!defaultLayer) defaultLayer = doc_.AddLayer(NextLayerTitle(), 0);
        ReadElement(*e, doc_.layer(*defaultLayer).group, scope);
      }
    }
    // A drawing without layers would give the tools nowhere to put new art;
    // only a file of ours may say it really had none.
    if (doc_.layers().empty() && !ours_) doc_.AddLayer(NextLayerTitle(), 0);
  }

  std::string NextLayerTitle() const { return kDefaultLayerPrefix + std::to_string(doc_.layers().size() + 1); }

  void ReadLayer(const XMLElement& g, const Scope& parent) {
    const Scope scope = Enter(g, parent);
    std::string title;
    if (const auto own = ParseAttribute(g, attr::kLayer, Unescape)) title = *own;
    else if (const char* label = g.Attribute("inkscape:label")) title = label;
    else if (const char* id = g.Attribute("id")) title = id;
    else title = NextLayerTitle();
    const model::LayerId id = doc_.AddLayer(std::move(title), 0);
    model::Layer& layer = doc_.layer(id);
    if (const auto color = ParseAttribute(g, attr::kLayerColor, ParseExactColor)) layer.color = *color;
    const char* insensitive = g.Attribute("sodipodi:insensitive");
    layer.locked = Flag(g, attr::kLayerLocked) || (insensitive && std::string_view(insensitive) == "true");
    layer.visible = !scope.hidden;
    model::Art& group = doc_.art(layer.group);
    ApplyArtAttributes(g, group, scope);
    group.hidden = Flag(g, attr::kHidden);
    ReadChildren(g, layer.group, scope);
  }

  void SetCurrentLayer(const XMLElement& root) {
    if (doc_.layers().empty()) return;
    const auto index = ParseAttribute(root, attr::kCurrentLayer, [&](std::string_view t) {
      const double i = ParseNumber(t);
      if (i != std::floor(i) || i < 0 || i >= static_cast<double>(doc_.layers().size()))
        throw SyntaxError(0, "no layer " + std::string(t));
      return static_cast<std::size_t>(i);
    });
    doc_.SetCurrentLayer(doc_.layers()[index.value_or(0)].id);
  }

  // --- elements
  static bool IsDrawable(const XMLElement& e) {
    const std::string_view n = LocalName(e);
    return n == "g" || n == "a" || n == "path" || n == "rect" || n == "circle" || n == "ellipse" || n == "line" ||
           n == "polyline" || n == "polygon" || n == "use" || (n == "image" && e.Attribute(attr::kImageKind));
  }

  void ReadChildren(const XMLElement& parent, model::ArtId container, const Scope& scope) {
    for (const XMLElement* e = parent.FirstChildElement(); e; e = e->NextSiblingElement()) {
      if (IsDrawable(*e) && !CannotBeHeld(*e)) {
        ReadElement(*e, container, scope);
      } else {
        model::Art& art = doc_.art(container);
        Keep(*e, art.kept, art.children().size(), scope);
      }
    }
  }

  // --- elements kept as they are
  // Drawable elements whose look depends on what the model has no place for,
  // and uses of what it cannot hold.
  bool CannotBeHeld(const XMLElement& e) const {
    const Declarations declarations(e);
    for (const char* property : {"mask", "filter", "clip-path", "marker-start", "marker-mid", "marker-end"})
      if (const auto value = declarations.Find(property); value && Trim(value->value) != "none") return true;
    if (LocalName(e) != "use") return false;
    const XMLElement* target = UseTarget(e);
    // A use reaching itself is refused when read; a chain of uses is judged where it ends.
    if (!target || target == &e || LocalName(*target) == "use") return false;
    return (LocalName(*target) != "symbol" && !IsDrawable(*target)) || CannotBeHeld(*target);
  }
  // Elements that draw where they stand (rather than defining something
  // others use): these take the transform in force there, because the writer
  // puts them where none is.
  static bool DrawsInPlace(std::string_view name) {
    static constexpr std::string_view kDrawing[] = {"text", "image", "switch", "foreignObject", "svg", "g", "a",
                                                    "use", "path", "rect", "circle", "ellipse", "line",
                                                    "polyline", "polygon"};
    return std::find(std::begin(kDrawing), std::end(kDrawing), name) != std::end(kDrawing);
  }
  void Keep(const XMLElement& e, std::vector<model::KeptElement>& kept, std::size_t position, const Scope& parent) {
    tinyxml2::XMLDocument scratch(true, tinyxml2::PRESERVE_WHITESPACE);
    XMLElement* copy = e.DeepClone(&scratch)->ToElement();
    scratch.InsertEndChild(copy);
    if (DrawsInPlace(LocalName(e)) && !IsIdentity(parent.ctm)) {
      std::string transform = FormatTransform(parent.ctm);
      if (const char* own = e.Attribute("transform")) transform += std::string(" ") + own;
      copy->SetAttribute("transform", transform.c_str());
    }
    tinyxml2::XMLPrinter printer(nullptr, true);
    copy->Accept(&printer);
    kept.push_back({printer.CStr(), position});
    ++keptCount_[std::string(e.Name())];
  }
  // The root's xmlns:prefix declarations, which the kept elements may use.
  static std::vector<std::pair<std::string, std::string>> Namespaces(const XMLElement& root) {
    std::vector<std::pair<std::string, std::string>> namespaces;
    for (const tinyxml2::XMLAttribute* a = root.FirstAttribute(); a; a = a->Next())
      if (std::string_view(a->Name()).starts_with("xmlns:")) namespaces.emplace_back(a->Name(), a->Value());
    return namespaces;
  }

  void ReadElement(const XMLElement& e, model::ArtId container, const Scope& parent) {
    const Scope scope = Enter(e, parent);
    const std::string_view name = LocalName(e);
    if (name == "g" || name == "a") {
      const model::ArtId group = NewArt(model::ArtType::Group, container, e, scope);
      ReadChildren(e, group, scope);
    } else if (name == "use") {
      ReadUse(e, container, scope);
    } else if (name == "image") {
      ReadImage(e, container, scope, parent.ctm);
    } else if (name == "path") {
      ReadPath(e, container, scope);
    } else if (const auto outline = ShapeOutline(e, name)) {
      AddPath(e, container, scope, {SegmentsFromOutline(*outline, scope.ctm)}, false);
    }
  }

  // --- <use>: the element it refers to is read in its place, as a group
  // with the use's transform and then its x, y offset; a <symbol> gives its
  // children.  Copies are ordinary art from then on, so saving writes them
  // out as paths.
  void IndexIds(const XMLElement& e) {
    if (const char* id = e.Attribute("id")) ids_.emplace(id, &e);
    for (const XMLElement* c = e.FirstChildElement(); c; c = c->NextSiblingElement()) IndexIds(*c);
  }

  // The element a <use> refers to; null for a reference to nothing, which
  // draws nothing, as in any SVG viewer.
  const XMLElement* UseTarget(const XMLElement& e) const {
    const char* href = e.Attribute("href");
    if (!href) href = e.Attribute("xlink:href");
    if (!href || href[0] != '#') return nullptr;
    const auto found = ids_.find(href + 1);
    return found == ids_.end() ? nullptr : found->second;
  }

  void ReadUse(const XMLElement& e, model::ArtId container, const Scope& scope) {
    const XMLElement* found = UseTarget(e);
    if (!found) return;
    const XMLElement& target = *found;
    if (std::find(expanding_.begin(), expanding_.end(), &target) != expanding_.end())
      Fail(e, "<use> of '#" + std::string(target.Attribute("id")) + "' refers back to itself");
    if (++expansions_ > kMaxUseExpansions)
      Fail(e, "more than " + std::to_string(kMaxUseExpansions) + " elements drawn through <use>");
    Scope inner = scope;
    const double x = LengthAttribute(e, "x", viewport_.width, 0), y = LengthAttribute(e, "y", viewport_.height, 0);
    if (x != 0 || y != 0) inner.ctm = Compose(scope.ctm, model::Matrix{1, 0, 0, 1, x, y});
    const model::ArtId group = NewArt(model::ArtType::Group, container, e, scope);
    expanding_.push_back(&target);
    if (LocalName(target) == "symbol")
      ReadChildren(target, group, Enter(target, inner));
    else if (IsDrawable(target))
      ReadElement(target, group, inner);
    expanding_.pop_back();
  }

  Scope Enter(const XMLElement& e, const Scope& parent) {
    Scope scope = parent;
    scope.depth = parent.depth + 1;
    if (scope.depth > kMaxElementDepth)
      Fail(e, "elements nested deeper than " + std::to_string(kMaxElementDepth) + " levels");
    if (const auto own = ParseAttribute(e, "transform", ParseTransform))
      scope.ctm = IsIdentity(parent.ctm) ? *own : Compose(parent.ctm, *own);
    scope.style = ComputeStyle(e, parent.style);
    const auto display = Declarations(e).Find("display");
    scope.hidden = display && Trim(display->value) == "none";
    return scope;
  }

  Style ComputeStyle(const XMLElement& e, const Style& parent) const {
    const Declarations declarations(e);
    Style style = parent;
    const auto inherits = [](const Specified& s) { return Trim(s.value) == "inherit"; };
    if (const auto color = declarations.Find("color"); color && !inherits(*color))
      style.color = Parse(e, *color, ParseColor);
    const auto server = [](const Specified& paint) { return Trim(paint.value).starts_with("url("); };
    if (const auto fill = declarations.Find("fill")) {
      style.fill = ResolvePaint(e, *fill, parent.fill, style.color);
      if (server(*fill)) ++paintServers_;
    }
    if (const auto stroke = declarations.Find("stroke")) {
      style.stroke = ResolvePaint(e, *stroke, parent.stroke, style.color);
      if (server(*stroke)) ++paintServers_;
    }
    if (const auto width = declarations.Find("stroke-width"); width && !inherits(*width)) {
      style.strokeWidth = Parse(e, *width, [&](std::string_view t) {
        const double w = ParseUserLength(t, viewport_.Diagonal());
        if (w < 0) throw SyntaxError(0, "must not be negative");
        return w;
      });
    }
    return style;
  }

  std::optional<model::Rgb> ResolvePaint(const XMLElement& e, const Specified& s,
                                         const std::optional<model::Rgb>& inherited, model::Rgb current) const {
    const PaintValue paint = Parse(e, s, ParsePaint);
    switch (paint.kind) {
      case PaintValue::Kind::None: return std::nullopt;
      case PaintValue::Kind::Color: return paint.color;
      case PaintValue::Kind::CurrentColor: return current;
      case PaintValue::Kind::Inherit: return inherited;
    }
    return std::nullopt;
  }

  model::ArtId NewArt(model::ArtType type, model::ArtId container, const XMLElement& e, const Scope& scope) {
    // Inserting each element in front of its earlier siblings turns SVG's
    // back-to-front order into the model's front-to-back one.
    const model::ArtId id = doc_.NewArt(type, {kPlaceInsideOnTop, container});
    ApplyArtAttributes(e, doc_.art(id), scope);
    doc_.art(id).hidden = scope.hidden;
    return id;
  }

  void ApplyArtAttributes(const XMLElement& e, model::Art& art, const Scope& scope) const {
    art.paint.fill = scope.style.fill;
    if (art.paint.fill) art.paint.fill = ParseAttribute(e, attr::kFill, ParseExactColor).value_or(*art.paint.fill);
    art.paint.stroke = scope.style.stroke;
    if (art.paint.stroke)
      art.paint.stroke = ParseAttribute(e, attr::kStroke, ParseExactColor).value_or(*art.paint.stroke);
    art.paint.strokeWidth = scope.style.strokeWidth;
    if (!IsIdentity(scope.ctm)) art.paint.strokeWidth *= MeanScale(scope.ctm);
    if (!std::isfinite(art.paint.strokeWidth)) Fail(e, kOutOfRange);
    art.locked = Flag(e, attr::kLocked);
    art.centerPointVisible = Flag(e, attr::kCenterVisible);
    if (const auto name = ParseAttribute(e, attr::kName, Unescape)) art.name = *name;
    else if (const char* id = e.Attribute("id")) art.name = id;
    if (const auto dictionary = ParseAttribute(e, attr::kDictionary, ParseDictionary)) art.dictionary = *dictionary;
  }

  // --- shapes
  std::optional<Subpath> ShapeOutline(const XMLElement& e, std::string_view name) const {
    const double w = viewport_.width, h = viewport_.height, diagonal = viewport_.Diagonal();
    if (name == "rect") {
      const auto width = Size(e, "width", w), height = Size(e, "height", h);
      // A rectangle without area is not drawn.
      if (!width || !height || *width == 0 || *height == 0) return std::nullopt;
      auto rx = Size(e, "rx", w), ry = Size(e, "ry", h);
      if (!rx) rx = ry;
      if (!ry) ry = rx;
      return RectOutline(LengthAttribute(e, "x", w, 0), LengthAttribute(e, "y", h, 0), *width, *height,
                         std::min(rx.value_or(0), *width / 2), std::min(ry.value_or(0), *height / 2));
    }
    if (name == "circle" || name == "ellipse") {
      const SvgPoint centre{LengthAttribute(e, "cx", w, 0), LengthAttribute(e, "cy", h, 0)};
      std::optional<double> rx, ry;
      if (name == "circle") {
        rx = ry = Size(e, "r", diagonal);
      } else {
        rx = Size(e, "rx", w);
        ry = Size(e, "ry", h);
        if (!rx) rx = ry;
        if (!ry) ry = rx;
      }
      if (!rx || !ry || *rx == 0 || *ry == 0) return std::nullopt;
      return EllipseOutline(centre, *rx, *ry);
    }
    if (name == "line") {
      const SvgPoint from{LengthAttribute(e, "x1", w, 0), LengthAttribute(e, "y1", h, 0)};
      const SvgPoint to{LengthAttribute(e, "x2", w, 0), LengthAttribute(e, "y2", h, 0)};
      return PolyOutline({from, to}, false);
    }
    if (name == "polyline" || name == "polygon") {
      const auto points = ParseAttribute(e, "points", ParsePoints);
      if (!points || points->empty()) return std::nullopt;
      return PolyOutline(*points, name == "polygon");
    }
    return std::nullopt;
  }

  // --- paths
  void ReadPath(const XMLElement& e, model::ArtId container, const Scope& scope) {
    const std::vector<Subpath> subpaths = ParseAttribute(e, "d", ParsePathData).value_or(std::vector<Subpath>{});
    std::vector<PathGeometry> members = Members(e, subpaths, scope.ctm);
    ApplyEnds(e, members, scope.ctm);
    const bool compound = Flag(e, attr::kCompound) || members.size() > 1;
    // Path data that draws nothing is dropped, unless a file of ours kept an
    // empty path on purpose.
    if (members.empty() && !(ours_ && compound)) return;
    AddPath(e, container, scope, std::move(members), compound);
  }

  // The subpaths with their corner flags: from the corners attribute when the
  // file has one, else judged from the handles.
  std::vector<PathGeometry> Members(const XMLElement& e, const std::vector<Subpath>& subpaths,
                                    const model::Matrix& ctm) const {
    const char* corners = e.Attribute(attr::kCorners);
    std::vector<PathGeometry> members;
    if (!corners) {
      for (const Subpath& s : subpaths) members.push_back(SegmentsFromOutline(s, ctm));
      return members;
    }
    const Specified where{corners, attr::kCorners, 0};
    return Parse(e, where, [&](std::string_view text) {
      std::size_t next = 0;
      for (std::size_t at = 0; at < text.size();) {
        if (IsSpace(text[at])) {
          ++at;
          continue;
        }
        std::size_t end = at;
        while (end < text.size() && !IsSpace(text[end])) ++end;
        members.push_back(MemberWithCorners(text.substr(at, end - at), at, subpaths, next, ctm));
        at = end;
      }
      if (next != subpaths.size()) throw SyntaxError(text.size(), "fewer corner lists than subpaths");
      return members;
    });
  }

  static PathGeometry MemberWithCorners(std::string_view token, std::size_t at, const std::vector<Subpath>& subpaths,
                                        std::size_t& next, const model::Matrix& ctm) {
    if (token == "-" || token == "=") return PathGeometry{{}, token == "="};
    if (next >= subpaths.size()) throw SyntaxError(at, "more corner lists than subpaths");
    PathGeometry member = SegmentsFromOutline(subpaths[next++], ctm);
    if (token.size() != member.segments.size())
      throw SyntaxError(at, std::to_string(token.size()) + " corner flags for " +
                                std::to_string(member.segments.size()) + " anchors");
    for (std::size_t i = 0; i < token.size(); ++i) {
      if (token[i] != '0' && token[i] != '1') throw SyntaxError(at + i, "expected 0 or 1");
      member.segments[i].corner = token[i] == '1';
    }
    return member;
  }

  void ApplyEnds(const XMLElement& e, std::vector<PathGeometry>& members, const model::Matrix& ctm) const {
    const bool identity = IsIdentity(ctm);
    ParseAttribute(e, attr::kEnds, [&](std::string_view text) {
      Scanner scan(text);
      scan.SkipSpace();
      while (!scan.AtEnd()) {
        const std::size_t at = scan.offset();
        const double index = scan.Number();
        double v[4];
        for (double& x : v) {
          scan.SkipSeparator();
          x = scan.Number();
        }
        if (index != std::floor(index) || index < 0 || index >= static_cast<double>(members.size()))
          scan.FailAt(at, "no subpath " + FormatNumber(index));
        PathGeometry& member = members[static_cast<std::size_t>(index)];
        if (member.closed || member.segments.empty()) scan.FailAt(at, "subpath has no open ends");
        member.segments.front().in = MapToArtwork({v[0], v[1]}, ctm, identity);
        member.segments.back().out = MapToArtwork({v[2], v[3]}, ctm, identity);
        scan.SkipSpace();
        if (!scan.Accept(';')) break;
        scan.SkipSpace();
      }
      if (!scan.AtEnd()) scan.Fail("expected ';'");
      return true;
    });
  }

  void AddPath(const XMLElement& e, model::ArtId container, const Scope& scope, std::vector<PathGeometry> members,
               bool compound) {
    for (const PathGeometry& m : members) {
      if (m.segments.size() > kMaxAnchorsPerPath)
        Fail(e, "a path with " + std::to_string(m.segments.size()) + " anchors; at most " +
                    std::to_string(kMaxAnchorsPerPath) + " can be edited");
      for (const model::Segment& s : m.segments)
        if (!model::IsFinite(s.p) || !model::IsFinite(s.in) || !model::IsFinite(s.out)) Fail(e, kOutOfRange);
    }
    if (!compound) {
      const model::ArtId id = NewArt(model::ArtType::Path, container, e, scope);
      SetGeometry(doc_.art(id), std::move(members.front()));
      return;
    }
    const model::ArtId id = NewArt(model::ArtType::CompoundPath, container, e, scope);
    std::vector<model::ArtId> created;
    for (PathGeometry& m : members) {
      // Members keep subpath order front to back.
      const model::ArtId member = doc_.NewArt(model::ArtType::Path, {kPlaceInsideOnBottom, id});
      doc_.art(member).paint = doc_.art(id).paint;
      SetGeometry(doc_.art(member), std::move(m));
      created.push_back(member);
    }
    ApplyMemberFields(e, created);
  }

  static void SetGeometry(model::Art& art, PathGeometry geometry) {
    art.segments = std::move(geometry.segments);
    art.closed = geometry.closed;
  }

  // What members of a compound path have of their own (see attr::kMembers).
  void ApplyMemberFields(const XMLElement& e, const std::vector<model::ArtId>& members) {
    ParseAttribute(e, attr::kMembers, [&](std::string_view text) {
      std::size_t index = 0;
      for (std::size_t at = 0; at < text.size();) {
        if (IsSpace(text[at])) {
          ++at;
          continue;
        }
        std::size_t end = at;
        while (end < text.size() && !IsSpace(text[end])) ++end;
        if (index >= members.size()) throw SyntaxError(at, "more entries than members");
        const std::string_view token = text.substr(at, end - at);
        if (token != "-") ApplyFields(doc_.art(members[index]), token, at);
        ++index;
        at = end;
      }
      if (index != members.size()) throw SyntaxError(text.size(), "fewer entries than members");
      return true;
    });
  }

  static void ApplyFields(model::Art& art, std::string_view token, std::size_t at) {
    const auto paint = [&](std::string_view v) -> std::optional<model::Rgb> {
      if (v == "none") return std::nullopt;
      return ParseExactColor(v);
    };
    Fields fields;
    try {
      fields = ParseFields(token);
    } catch (const SyntaxError& error) {
      throw SyntaxError(at + error.offset(), error.what());
    }
    for (const auto& [key, value] : fields) {
      try {
        if (key == "fill") art.paint.fill = paint(value);
        else if (key == "stroke") art.paint.stroke = paint(value);
        else if (key == "stroke-width") art.paint.strokeWidth = ParseNumber(value);
        else if (key == "locked") art.locked = ParseFlagText(value);
        else if (key == "hidden") art.hidden = ParseFlagText(value);
        else if (key == "center") art.centerPointVisible = ParseFlagText(value);
        else if (key == "name") art.name = value;
        else if (key == "dict") art.dictionary = ParseDictionary(value);
        else throw SyntaxError(0, "unknown field '" + key + "'");
      } catch (const SyntaxError& error) {
        throw SyntaxError(at, key + ": " + error.what());
      }
    }
  }

  // --- placed and raster art
  // The image's own transform places the picture; it is no drawing
  // transform, so it does not scale the stroke width.
  void ReadImage(const XMLElement& e, model::ArtId container, const Scope& scope, const model::Matrix& parentCtm) {
    const std::string_view kind = e.Attribute(attr::kImageKind);
    model::ArtType type = model::ArtType::Placed;
    if (kind == "raster") type = model::ArtType::Raster;
    else if (kind != "placed") Fail(e, std::string("attribute ") + attr::kImageKind + ": unknown kind '" + std::string(kind) + "'");
    const model::ArtId id = NewArt(type, container, e, scope);
    model::Art& art = doc_.art(id);
    art.matrix = FlippedMatrix(scope.ctm);
    art.paint.strokeWidth = scope.style.strokeWidth;
    if (!IsIdentity(parentCtm)) art.paint.strokeWidth *= MeanScale(parentCtm);
    if (!model::IsFinite(art.matrix) || !std::isfinite(art.paint.strokeWidth)) Fail(e, kOutOfRange);
    art.image.width = Size(e, "width", 0).value_or(0);
    art.image.height = Size(e, "height", 0).value_or(0);
    const char* href = e.Attribute("href");
    if (!href) href = e.Attribute("xlink:href");
    art.image.href = href ? href : "";
  }

  std::string file_;
  std::map<std::string, const XMLElement*, std::less<>> ids_;  // the first element of each id
  std::vector<const XMLElement*> expanding_;                  // the <use> targets being read, outermost first
  std::size_t expansions_ = 0;
  std::vector<model::KeptElement> keptAtTop_;
  std::map<std::string, int> keptCount_;  // elements kept, by name
  mutable int paintServers_ = 0;          // fills and strokes given by url(...), counted as styles resolve
  model::Document doc_;
  Viewport viewport_;
  bool ours_ = false;
};

}  // namespace

model::Document ParseSvg(const std::string& text, const std::string& nameForMessages, std::vector<std::string>* notes) {
  Reader reader(nameForMessages);
  model::Document doc = reader.Read(text);
  if (notes) *notes = reader.Notes();
  return doc;
}

}  // namespace host::svg
