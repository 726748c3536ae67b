#include "host/model/Selection.h"

#include <algorithm>
#include <utility>

namespace host::model {

bool IsSelected(const Document& doc, ArtId id) {
  const Art& a = doc.art(id);
  switch (a.type()) {
    case ArtType::Path:
      return std::any_of(a.segments.begin(), a.segments.end(),
                         [](const Segment& s) { return s.selection != kSegmentNotSelected; });
    case ArtType::Group:
    case ArtType::CompoundPath:
      return std::any_of(a.children().begin(), a.children().end(),
                         [&](ArtId c) { return IsSelected(doc, c); });
    default:
      return a.selected;
  }
}

bool IsFullySelected(const Document& doc, ArtId id) {
  const Art& a = doc.art(id);
  switch (a.type()) {
    case ArtType::Path:
      return !a.segments.empty() &&
             std::all_of(a.segments.begin(), a.segments.end(),
                         [](const Segment& s) { return s.selection == kSegmentPointSelected; });
    case ArtType::Group:
    case ArtType::CompoundPath:
      return !a.children().empty() && std::all_of(a.children().begin(), a.children().end(),
                                                  [&](ArtId c) { return IsFullySelected(doc, c); });
    default:
      return a.selected;
  }
}

// Art is reached for writing only where its selection changes, so that
// deselecting a big document records (for undo) only the art it deselects.
void SetSelected(Document& doc, ArtId id, bool on) {
  const Art& seen = std::as_const(doc).art(id);
  const int16_t state = on ? kSegmentPointSelected : kSegmentNotSelected;
  if (seen.type() == ArtType::Path) {
    const bool already = std::all_of(seen.segments.begin(), seen.segments.end(),
                                     [&](const Segment& s) { return s.selection == state; });
    if (!already)
      for (Segment& s : doc.art(id).segments) s.selection = state;
  } else if (seen.isContainer()) {
    const std::vector<ArtId> members = seen.children();
    for (ArtId m : members) SetSelected(doc, m, on);
  } else if (seen.selected != on) {
    doc.art(id).selected = on;
  }
}

void DeselectAll(Document& doc) {
  for (const Layer& layer : doc.layers()) SetSelected(doc, layer.group, false);
}

namespace {

void CollectSelected(const Document& doc, ArtId id, std::vector<ArtId>& out) {
  const Art& a = doc.art(id);
  if (!a.isLayerGroup() && (a.isContainer() ? IsFullySelected(doc, id) : IsSelected(doc, id))) {
    out.push_back(id);
    return;
  }
  for (ArtId c : a.children()) CollectSelected(doc, c, out);
}

}  // namespace

std::vector<ArtId> SelectedArt(const Document& doc) {
  std::vector<ArtId> out;
  for (const Layer& layer : doc.layers()) CollectSelected(doc, layer.group, out);
  return out;
}

}  // namespace host::model
