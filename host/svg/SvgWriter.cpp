// A document as SVG text, in a form the reader turns back into an equal
// document: every layer a top-level <g> (written back to front, so the
// frontmost layer paints last), paths with their exact coordinates, and what
// SVG cannot say in the attributes of host/svg/Attributes.h.
//
// Not written, because it is transient: the selection of segments and of
// placed and raster art.
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/svg/Attributes.h"
#include "host/svg/Color.h"
#include "host/svg/Fields.h"
#include "host/svg/Outline.h"
#include "host/svg/PathDataWriter.h"
#include "host/svg/Svg.h"
#include "host/svg/Syntax.h"
#include "host/svg/UnitNames.h"

namespace host::svg {
namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;

constexpr int kIndentPerLevel = 2;
constexpr const char* kSvgNamespace = "http://www.w3.org/2000/svg";
constexpr const char* kTrue = "1";

std::string EscapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // A parser replaces raw tabs and line breaks in attributes by spaces;
        // references keep them.
        if (static_cast<unsigned char>(c) < 0x20) out += "&#" + std::to_string(static_cast<int>(c)) + ';';
        else out += c;
    }
  }
  return out;
}

// Names that can stand as an XML id as they are: a letter or '_' first, then
// letters, digits, '_', '-', '.'; bytes of UTF-8 sequences allowed.
bool IsIdToken(std::string_view name) {
  if (name.empty()) return false;
  const auto letter = [](unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; };
  if (!letter(static_cast<unsigned char>(name.front()))) return false;
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (!letter(c) && !std::isdigit(c) && c != '-' && c != '.') return false;
  }
  return true;
}

bool SameBits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }
bool SameBits(const model::Rect& a, const model::Rect& b) {
  return SameBits(a.left, b.left) && SameBits(a.top, b.top) && SameBits(a.right, b.right) &&
         SameBits(a.bottom, b.bottom);
}

[[noreturn]] void CannotSave(model::ArtId id, const std::string& problem) {
  throw HostError(kFileErr, "cannot save art " + std::to_string(id) + ": " + problem);
}

std::string Numbers(std::initializer_list<double> values) {
  std::string out;
  for (double v : values) {
    if (!out.empty()) out += ' ';
    AppendNumber(out, v);
  }
  return out;
}

class Writer {
 public:
  explicit Writer(const model::Document& doc) : doc_(doc) {
    for (const auto& [id, art] : doc.arts())
      if (!art.name.empty()) ++nameCount_[art.name];
  }

  std::string Run() {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const auto& layers = doc_.layers();
    KeptWriter kept(doc_.keptAtTop(), 1, out_);
    const bool empty = layers.empty() && kept.Done();
    OpenTag("svg", RootAttributes(), 0, empty);
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
      kept.Before(static_cast<std::size_t>(it - layers.rbegin()));
      WriteLayer(*it);
    }
    kept.Rest();
    if (!empty) CloseTag("svg", 0);
    return std::move(out_);
  }

 private:
  // --- XML
  void OpenTag(std::string_view name, const Attributes& attributes, int depth, bool empty) {
    out_.append(static_cast<std::size_t>(depth * kIndentPerLevel), ' ');
    out_ += '<';
    out_ += name;
    for (const auto& [key, value] : attributes) out_ += ' ' + key + "=\"" + EscapeXml(value) + '"';
    out_ += empty ? "/>\n" : ">\n";
  }
  // Writes a container's kept elements among its members, in one pass: the
  // reader stores them in file order, so their positions never decrease.
  class KeptWriter {
   public:
    KeptWriter(const std::vector<model::KeptElement>& kept, int depth, std::string& out)
        : kept_(kept), depth_(depth), out_(out) {}
    bool Done() const { return next_ == kept_.size(); }
    // Those that stood before member `position` (back to front).
    void Before(std::size_t position) {
      for (; !Done() && kept_[next_].position <= position; ++next_) {
        out_.append(static_cast<std::size_t>(depth_ * kIndentPerLevel), ' ');
        out_ += kept_[next_].xml;
        out_ += '\n';
      }
    }
    // The rest, also those that stood past the members left.
    void Rest() { Before(SIZE_MAX); }

   private:
    const std::vector<model::KeptElement>& kept_;
    int depth_;
    std::string& out_;
    std::size_t next_ = 0;
  };
  void CloseTag(std::string_view name, int depth) {
    out_.append(static_cast<std::size_t>(depth * kIndentPerLevel), ' ');
    out_ += "</";
    out_ += name;
    out_ += ">\n";
  }

  // --- the document
  Attributes RootAttributes() const {
    const model::Rect& board = doc_.artboard();
    for (double v : {board.left, board.top, board.right, board.bottom})
      if (!std::isfinite(v)) throw HostError(kFileErr, "cannot save: the artboard is not finite");
    Attributes a{{"xmlns", kSvgNamespace}};
    // The prefixes the kept elements use.
    for (const auto& [name, uri] : doc_.namespaces()) a.emplace_back(name, uri);
    // The inverse of the reader's mapping: top = -y, bottom = top - height.
    const double x = board.left, y = -board.top, width = board.right - board.left, height = board.top - board.bottom;
    const bool viewBoxValid = width >= 0 && height >= 0;
    if (viewBoxValid) {
      // One user unit is one point.
      a.emplace_back("width", FormatNumber(width) + "pt");
      a.emplace_back("height", FormatNumber(height) + "pt");
      a.emplace_back("viewBox", Numbers({x, y, width, height}));
    }
    a.emplace_back(attr::kVersion, attr::kFormatVersion);
    a.emplace_back(attr::kUnits, RulerUnitsName(doc_.rulerUnits()));
    const int current = doc_.LayerIndex(doc_.currentLayer());
    if (current >= 0) a.emplace_back(attr::kCurrentLayer, std::to_string(current));
    const model::Rect fromViewBox{x, -y, x + width, -y - height};
    if (!viewBoxValid || !SameBits(fromViewBox, board))
      a.emplace_back(attr::kArtboard, Numbers({board.left, board.top, board.right, board.bottom}));
    if (!doc_.dictionary().empty()) a.emplace_back(attr::kDictionary, FormatDictionary(doc_.dictionary()));
    return a;
  }

  void WriteLayer(const model::Layer& layer) {
    const model::Art& group = doc_.art(layer.group);
    Attributes a = IdAttribute(group);
    a.emplace_back(attr::kLayer, Escape(layer.title));
    a.emplace_back(attr::kLayerColor, FormatExactColor(layer.color));
    if (layer.locked) a.emplace_back(attr::kLayerLocked, kTrue);
    if (!layer.visible) a.emplace_back("display", "none");
    AppendPaint(a, group);
    if (group.hidden) a.emplace_back(attr::kHidden, kTrue);
    AppendArtData(a, group);
    WriteContainer("g", a, group, 1);
  }

  void WriteContainer(std::string_view tag, const Attributes& a, const model::Art& art, int depth) {
    const bool empty = art.children().empty() && art.kept.empty();
    OpenTag(tag, a, depth, empty);
    if (empty) return;
    // Children run front to back; SVG paints in file order.
    KeptWriter kept(art.kept, depth + 1, out_);
    for (auto it = art.children().rbegin(); it != art.children().rend(); ++it) {
      kept.Before(static_cast<std::size_t>(it - art.children().rbegin()));
      WriteArt(doc_.art(*it), depth + 1);
    }
    kept.Rest();
    CloseTag(tag, depth);
  }

  void WriteArt(const model::Art& art, int depth) {
    Attributes a = IdAttribute(art);
    switch (art.type()) {
      case model::ArtType::Group:
        AppendCommon(a, art);
        WriteContainer("g", a, art, depth);
        return;
      case model::ArtType::Path:
        AppendPathGeometry(a, {&art}, false);
        AppendCommon(a, art);
        break;
      case model::ArtType::CompoundPath: {
        std::vector<const model::Art*> members;
        for (model::ArtId id : art.children()) members.push_back(&doc_.art(id));
        AppendPathGeometry(a, members, true);
        AppendCommon(a, art);
        AppendMembers(a, art, members);
        break;
      }
      case model::ArtType::Placed:
      case model::ArtType::Raster:
        AppendImage(a, art);
        AppendCommon(a, art);
        break;
    }
    OpenTag(art.type() == model::ArtType::Placed || art.type() == model::ArtType::Raster ? "image" : "path", a, depth,
            true);
  }

  // --- attributes of every art
  Attributes IdAttribute(const model::Art& art) const {
    if (CanBeId(art)) return {{"id", art.name}};
    return {};
  }
  bool CanBeId(const model::Art& art) const { return IsIdToken(art.name) && nameCount_.at(art.name) == 1; }

  void AppendCommon(Attributes& a, const model::Art& art) const {
    AppendPaint(a, art);
    if (art.hidden) a.emplace_back("display", "none");
    AppendArtData(a, art);
  }

  static void AppendPaint(Attributes& a, const model::Art& art) {
    const model::Paint& p = art.paint;
    if (!std::isfinite(p.strokeWidth) || p.strokeWidth < 0) CannotSave(art.id(), "the stroke width is not valid");
    a.emplace_back("fill", p.fill ? FormatColor(*p.fill) : "none");
    a.emplace_back("stroke", p.stroke ? FormatColor(*p.stroke) : "none");
    a.emplace_back("stroke-width", FormatNumber(p.strokeWidth));
    if (p.fill && !IsEightBit(*p.fill)) a.emplace_back(attr::kFill, FormatExactColor(*p.fill));
    if (p.stroke && !IsEightBit(*p.stroke)) a.emplace_back(attr::kStroke, FormatExactColor(*p.stroke));
  }

  void AppendArtData(Attributes& a, const model::Art& art) const {
    if (art.locked) a.emplace_back(attr::kLocked, kTrue);
    if (art.centerPointVisible) a.emplace_back(attr::kCenterVisible, kTrue);
    if (!art.name.empty() && !CanBeId(art)) a.emplace_back(attr::kName, Escape(art.name));
    if (!art.dictionary.empty()) a.emplace_back(attr::kDictionary, FormatDictionary(art.dictionary));
  }

  // --- paths
  static void AppendPathGeometry(Attributes& a, const std::vector<const model::Art*>& members, bool compound) {
    std::string d, corners, ends;
    for (std::size_t i = 0; i < members.size(); ++i) {
      const model::Art& m = *members[i];
      for (const model::Segment& s : m.segments)
        if (!model::IsFinite(s.p) || !model::IsFinite(s.in) || !model::IsFinite(s.out))
          CannotSave(m.id(), "a coordinate is not finite");
      AppendSubpathData(d, m.segments, m.closed);
      if (i > 0) corners += ' ';
      corners += CornerToken(m);
      AppendEnds(ends, i, m);
    }
    a.emplace_back("d", d);
    a.emplace_back(attr::kCorners, corners);
    if (!ends.empty()) a.emplace_back(attr::kEnds, ends);
    if (compound) a.emplace_back(attr::kCompound, kTrue);
  }

  static std::string CornerToken(const model::Art& path) {
    if (path.segments.empty()) return path.closed ? "=" : "-";
    std::string token;
    for (const model::Segment& s : path.segments) token += s.corner ? '1' : '0';
    return token;
  }

  // Path data cannot hold the outer handles of an open path's end anchors.
  static void AppendEnds(std::string& ends, std::size_t index, const model::Art& path) {
    if (path.closed || path.segments.empty()) return;
    const model::Segment& first = path.segments.front();
    const model::Segment& last = path.segments.back();
    if (first.in == first.p && last.out == last.p) return;
    const SvgPoint in = ToSvg(first.in), out = ToSvg(last.out);
    if (!ends.empty()) ends += ';';
    ends += std::to_string(index) + ' ' + Numbers({in.h, in.v, out.h, out.v});
  }

  // What each member has that differs from what the reader gives members.
  static void AppendMembers(Attributes& a, const model::Art& compound, const std::vector<const model::Art*>& members) {
    std::string list;
    bool any = false;
    for (const model::Art* m : members) {
      const std::string fields = MemberFields(compound, *m);
      any = any || !fields.empty();
      if (!list.empty()) list += ' ';
      list += fields.empty() ? "-" : fields;
    }
    if (any) a.emplace_back(attr::kMembers, list);
  }

  static std::string MemberFields(const model::Art& compound, const model::Art& m) {
    const auto paint = [](const std::optional<model::Rgb>& c) { return c ? FormatExactColor(*c) : "none"; };
    Fields f;
    if (m.paint.fill != compound.paint.fill) f.emplace_back("fill", paint(m.paint.fill));
    if (m.paint.stroke != compound.paint.stroke) f.emplace_back("stroke", paint(m.paint.stroke));
    if (!SameBits(m.paint.strokeWidth, compound.paint.strokeWidth)) {
      if (!std::isfinite(m.paint.strokeWidth)) CannotSave(m.id(), "the stroke width is not valid");
      f.emplace_back("stroke-width", FormatNumber(m.paint.strokeWidth));
    }
    if (m.locked) f.emplace_back("locked", kTrue);
    if (m.hidden) f.emplace_back("hidden", kTrue);
    if (m.centerPointVisible) f.emplace_back("center", kTrue);
    if (!m.name.empty()) f.emplace_back("name", m.name);
    if (!m.dictionary.empty()) f.emplace_back("dict", FormatDictionary(m.dictionary));
    return FormatFields(f);
  }

  // --- placed and raster art
  static void AppendImage(Attributes& a, const model::Art& art) {
    const model::Image& image = art.image;
    const model::Matrix& m = art.matrix;
    if (!model::IsFinite(m) || !std::isfinite(image.width) || !std::isfinite(image.height) || image.width < 0 ||
        image.height < 0)
      CannotSave(art.id(), "the image size or matrix is not valid");
    // The image's own space has y up; flipping it on both sides of the
    // matrix gives the SVG transform, and the picture's top edge lies at -height.
    a.emplace_back("x", "0");
    a.emplace_back("y", FormatNumber(-image.height));
    a.emplace_back("width", FormatNumber(image.width));
    a.emplace_back("height", FormatNumber(image.height));
    a.emplace_back("href", image.href);
    a.emplace_back("transform", "matrix(" + Numbers({m.a, -m.b, -m.c, m.d, m.tx, -m.ty}) + ")");
    a.emplace_back(attr::kImageKind, art.type() == model::ArtType::Placed ? "placed" : "raster");
  }

  const model::Document& doc_;
  std::map<std::string, int> nameCount_;
  std::string out_;
};

}  // namespace

std::string FormatSvg(const model::Document& document) { return Writer(document).Run(); }

}  // namespace host::svg
