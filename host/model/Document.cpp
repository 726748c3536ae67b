#include "host/model/Document.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>
#include <utility>

#include "host/core/HostError.h"
#include "host/model/Cubic.h"

namespace host::model {

namespace {

[[noreturn]] void Fail(AIErr code, const std::string& what) { throw HostError(code, what); }

std::size_t IndexIn(const std::vector<ArtId>& ids, ArtId id) {
  return static_cast<std::size_t>(std::find(ids.begin(), ids.end(), id) - ids.begin());
}

}  // namespace

Document::Document() = default;

const Layer& Document::layer(LayerId id) const {
  if (const Layer* l = FindLayer(id)) return *l;
  Fail(kBadHandleErr, "no layer " + std::to_string(id));
}

Layer& Document::layer(LayerId id) {
  Layer& found = const_cast<Layer&>(std::as_const(*this).layer(id));
  TouchLayers();
  return found;
}

const Layer* Document::FindLayer(LayerId id) const {
  const int i = LayerIndex(id);
  return i < 0 ? nullptr : &layers_[static_cast<std::size_t>(i)];
}

int Document::LayerIndex(LayerId id) const {
  for (std::size_t i = 0; i < layers_.size(); ++i)
    if (layers_[i].id == id) return static_cast<int>(i);
  return -1;
}

LayerId Document::AddLayer(std::string title, std::size_t index) {
  TouchLayers();
  Layer layer;
  layer.id = NewId();
  layer.title = std::move(title);
  layer.group = NewId();
  Art group(layer.group, ArtType::Group);
  group.layerOfGroup_ = layer.id;
  arts_.emplace(layer.group, std::move(group));
  NoteNew(layer.group);
  const std::size_t at = std::min(index, layers_.size());
  layers_.insert(layers_.begin() + static_cast<std::ptrdiff_t>(at), layer);
  if (current_ == kNoId) current_ = layer.id;
  return layer.id;
}

void Document::RemoveLayer(LayerId id) {
  const ArtId group = layer(id).group;  // notes the layers
  Erase(group);
  layers_.erase(layers_.begin() + LayerIndex(id));
  if (current_ == id) current_ = layers_.empty() ? kNoId : layers_.front().id;
}

void Document::SetCurrentLayer(LayerId id) {
  layer(id);  // notes the layers
  current_ = id;
}

const Art& Document::art(ArtId id) const {
  if (const Art* a = FindArt(id)) return *a;
  Fail(kBadHandleErr, "no art " + std::to_string(id));
}

Art& Document::art(ArtId id) {
  Art& found = const_cast<Art&>(std::as_const(*this).art(id));
  Touch(id);
  return found;
}

const Art* Document::FindArt(ArtId id) const {
  auto it = arts_.find(id);
  return it == arts_.end() ? nullptr : &it->second;
}

Art* Document::FindArt(ArtId id) {
  Art* found = const_cast<Art*>(std::as_const(*this).FindArt(id));
  if (found) Touch(id);
  return found;
}

std::vector<ArtId> Document::Lineage(ArtId id) const {
  std::vector<ArtId> chain;
  for (ArtId at = id; at != kNoId; at = art(at).parent()) chain.push_back(at);
  return chain;
}

LayerId Document::LayerOf(ArtId id) const { return art(Lineage(id).back()).layerOfGroup(); }

Document::Slot Document::Resolve(Placement where, ArtType incoming) const {
  Slot slot;
  switch (where.order) {
    case kPlaceAbove:
    case kPlaceBelow: {
      const Art& prep = art(where.prep);
      if (prep.isLayerGroup()) Fail(kBadParameterErr, "nothing goes beside a layer group");
      slot.parent = prep.parent();
      const std::size_t at = IndexIn(art(slot.parent).children(), prep.id());
      slot.index = where.order == kPlaceAbove ? at : at + 1;
      break;
    }
    case kPlaceInsideOnTop:
    case kPlaceInsideOnBottom: {
      const Art& prep = art(where.prep);
      if (!prep.isContainer()) Fail(kWrongArtTypeErr, "art " + std::to_string(prep.id()) + " holds no members");
      slot.parent = prep.id();
      slot.index = where.order == kPlaceInsideOnTop ? 0 : prep.children().size();
      break;
    }
    case kPlaceAboveAll:
    case kPlaceBelowAll: {
      if (layers_.empty()) Fail(kBadParameterErr, "the document has no layer");
      const bool top = where.order == kPlaceAboveAll;
      slot.parent = top ? layers_.front().group : layers_.back().group;
      slot.index = top ? 0 : art(slot.parent).children().size();
      break;
    }
    default:
      Fail(kBadParameterErr, "unknown paint order " + std::to_string(where.order));
  }
  // A compound path is one shape made of paths; anything else inside would
  // have no meaning for its fill.
  if (art(slot.parent).type() == ArtType::CompoundPath && incoming != ArtType::Path)
    Fail(kWrongArtTypeErr, "a compound path holds paths only");
  return slot;
}

ArtId Document::NewArt(ArtType type, Placement where) {
  const Slot slot = Resolve(where, type);
  const ArtId id = NewId();
  arts_.emplace(id, Art(id, type));
  NoteNew(id);
  Insert(id, slot);
  return id;
}

ArtId Document::Duplicate(ArtId source, Placement where) {
  const Art& original = art(source);
  if (original.isLayerGroup()) Fail(kBadParameterErr, "a layer group is duplicated only with its layer");
  const Slot slot = Resolve(where, original.type());
  const ArtId copy = CopySubtree(source);
  Insert(copy, slot);
  return copy;
}

ArtId Document::CopySubtree(ArtId source) {
  const Art& original = std::as_const(*this).art(source);
  const ArtId id = NewId();
  Art copy(id, original.type());
  static_cast<ArtContent&>(copy) = original.content();
  const std::vector<ArtId> members = original.children();
  arts_.emplace(id, std::move(copy));
  NoteNew(id);
  for (ArtId member : members) {
    const ArtId memberCopy = CopySubtree(member);
    Insert(memberCopy, Slot{id, arts_.at(id).children_.size()});
  }
  return id;
}

void Document::Insert(ArtId id, Slot slot) {
  NoteLink(true, slot.parent, slot.index, id);
  Art& parent = arts_.at(slot.parent);
  parent.children_.insert(parent.children_.begin() + static_cast<std::ptrdiff_t>(slot.index), id);
  arts_.at(id).parent_ = slot.parent;
}

void Document::Dispose(ArtId id) {
  if (art(id).isLayerGroup()) Fail(kBadParameterErr, "a layer group goes only with its layer");
  Unlink(id);
  Erase(id);
}

void Document::Unlink(ArtId id) {
  const ArtId parent = art(id).parent();
  if (parent == kNoId) return;
  auto& siblings = arts_.at(parent).children_;
  const std::size_t index = IndexIn(siblings, id);
  NoteLink(false, parent, index, id);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(index));
  arts_.at(id).parent_ = kNoId;
}

// Members are unlinked one by one, back to front, so that the record of the
// changes can put each back where it was.
void Document::Erase(ArtId id) {
  while (!std::as_const(*this).art(id).children().empty()) {
    const ArtId member = arts_.at(id).children_.back();
    Unlink(member);
    Erase(member);
  }
  Touch(id);
  arts_.erase(id);
}

Dictionary& Document::dictionary() {
  if (Changes* c = tracking_.value.changes; c && !c->dictionary) c->dictionary = dictionary_;
  return dictionary_;
}

void Document::SetArtboard(const Rect& r) {
  if (Changes* c = tracking_.value.changes; c && !c->artboard) c->artboard = artboard_;
  artboard_ = r;
}

void Document::SetRulerUnits(int16_t units) {
  if (Changes* c = tracking_.value.changes; c && !c->rulerUnits) c->rulerUnits = rulerUnits_;
  rulerUnits_ = units;
}

// Only a reader sets these, before anything records changes: no edit of the
// document touches them, so undo has nothing of theirs to keep.
void Document::SetKeptAtTop(std::vector<KeptElement> kept, std::vector<std::pair<std::string, std::string>> namespaces) {
  keptAtTop_ = std::move(kept);
  namespaces_ = std::move(namespaces);
}

// --- recording changes

// Past as many notes as the document has art, the index is dropped and built
// afresh when next used, which then costs no more than the notes would.
void Document::Stale(ArtId id) const {
  Tracking& t = tracking_.value;
  if (!t.indexed) return;
  if (t.stale.size() > arts_.size() + 64) {
    t.indexed = false;
    t.stale.clear();
    return;
  }
  t.stale.push_back(id);
}

void Document::Touch(ArtId id) {
  Stale(id);
  Changes* c = tracking_.value.changes;
  if (!c || c->arts.count(id)) return;
  const Art& a = arts_.at(id);
  c->arts.emplace(id, Changes::SavedArt{a.type(), a.layerOfGroup(), a.content()});
}

void Document::NoteNew(ArtId id) {
  Stale(id);
  if (Changes* c = tracking_.value.changes) c->arts.try_emplace(id, std::nullopt);
}

void Document::NoteLink(bool inserted, ArtId parent, std::size_t index, ArtId child) {
  Stale(parent);
  Stale(child);
  if (Changes* c = tracking_.value.changes) c->links.push_back({inserted, parent, index, child});
}

void Document::TouchLayers() {
  if (Changes* c = tracking_.value.changes; c && !c->layers) c->layers = Changes::LayerState{layers_, current_};
}

namespace {

// Whether the edits of the record leave every member list they touched as it
// was: each list is taken back through its edits and compared.
bool LinksUndone(const std::map<ArtId, Art>& arts, const Changes& changes) {
  std::map<ArtId, std::vector<ArtId>> lists;
  for (auto it = changes.links.rbegin(); it != changes.links.rend(); ++it) {
    auto list = lists.find(it->parent);
    if (list == lists.end()) {
      auto now = arts.find(it->parent);
      list = lists.emplace(it->parent, now == arts.end() ? std::vector<ArtId>{} : now->second.children()).first;
    }
    std::vector<ArtId>& ids = list->second;
    const auto at = ids.begin() + static_cast<std::ptrdiff_t>(std::min(it->index, ids.size()));
    if (it->inserted) {
      if (at == ids.end() || *at != it->child) return false;
      ids.erase(at);
    } else {
      ids.insert(at, it->child);
    }
  }
  for (const auto& [parent, before] : lists) {
    auto now = arts.find(parent);
    if (now != arts.end()) {
      if (now->second.children() != before) return false;
      continue;
    }
    // Gone now: unchanged only if it was made and disposed within the record.
    auto saved = changes.arts.find(parent);
    if (saved == changes.arts.end() || saved->second || !before.empty()) return false;
  }
  return true;
}

}  // namespace

void Document::Prune(Changes& changes) const {
  if (!changes.links.empty() && LinksUndone(arts_, changes)) changes.links.clear();
  for (auto it = changes.arts.begin(); it != changes.arts.end();) {
    const Art* now = FindArt(it->first);
    const bool same = it->second ? now && now->content() == it->second->content : !now;
    it = same ? changes.arts.erase(it) : std::next(it);
  }
  if (changes.layers && changes.layers->layers == layers_ && changes.layers->current == current_)
    changes.layers.reset();
  if (changes.dictionary == dictionary_) changes.dictionary.reset();
  if (changes.artboard == artboard_) changes.artboard.reset();
  if (changes.rulerUnits == rulerUnits_) changes.rulerUnits.reset();
}

Changes Document::Revert(Changes changes) {
  Changes forward;
  // Art disposed by the changes comes back first, unlinked, so that the
  // member lists can take it again (art made and disposed within them comes
  // for the moment, and goes again below).
  for (const auto& [id, saved] : changes.arts) {
    const Art* now = std::as_const(*this).FindArt(id);
    forward.arts.emplace(id, now ? std::optional(Changes::SavedArt{now->type(), now->layerOfGroup(), now->content()})
                                 : std::nullopt);
    if (!now) {
      Art again(id, saved ? saved->type : ArtType::Group);
      if (saved) again.layerOfGroup_ = saved->layerOfGroup;
      arts_.emplace(id, std::move(again));
    }
    Stale(id);
  }
  std::vector<ArtId> passing;  // containers that exist only within the edits
  for (auto it = changes.links.rbegin(); it != changes.links.rend(); ++it) {
    if (!arts_.count(it->parent)) {
      arts_.emplace(it->parent, Art(it->parent, ArtType::Group));
      passing.push_back(it->parent);
    }
    std::vector<ArtId>& members = arts_.at(it->parent).children_;
    const auto at = members.begin() + static_cast<std::ptrdiff_t>(std::min(it->index, members.size()));
    Art* child = const_cast<Art*>(std::as_const(*this).FindArt(it->child));
    if (it->inserted) {
      if (at == members.end()) throw HostError(kBadParameterErr, "an undo record does not fit the document");
      members.erase(at);
      if (child) child->parent_ = kNoId;
    } else {
      members.insert(at, it->child);
      if (child) child->parent_ = it->parent;
    }
    forward.links.push_back({!it->inserted, it->parent, it->index, it->child});
    Stale(it->parent);
    Stale(it->child);
  }
  for (ArtId id : passing) arts_.erase(id);
  // Contents go back; art the changes made goes, unlinked by now.
  for (auto& [id, saved] : changes.arts) {
    if (saved)
      static_cast<ArtContent&>(arts_.at(id)) = std::move(saved->content);
    else
      arts_.erase(id);
  }
  if (changes.layers) {
    forward.layers = Changes::LayerState{std::move(layers_), current_};
    layers_ = std::move(changes.layers->layers);
    current_ = changes.layers->current;
  }
  if (changes.dictionary) {
    forward.dictionary = std::move(dictionary_);
    dictionary_ = std::move(*changes.dictionary);
  }
  if (changes.artboard) {
    forward.artboard = artboard_;
    artboard_ = *changes.artboard;
  }
  if (changes.rulerUnits) {
    forward.rulerUnits = rulerUnits_;
    rulerUnits_ = *changes.rulerUnits;
  }
  return forward;
}

// --- the index of paths

std::optional<Rect> Document::Reach(ArtId id) const {
  const Art* a = FindArt(id);
  if (!a || a->type() != ArtType::Path) return std::nullopt;
  const Art* parent = FindArt(a->parent());
  std::optional<Rect> box;
  auto add = [&](const Art& path) {
    for (const Segment& s : path.segments)
      for (Point q : {s.p, s.in, s.out}) {
        const Rect r{q.h, q.v, q.h, q.v};
        box = box ? Union(*box, r) : r;
      }
  };
  if (parent && parent->type() == ArtType::CompoundPath) {
    for (ArtId member : parent->children()) add(art(member));
  } else {
    add(*a);
  }
  if (a->segments.empty()) return std::nullopt;
  return box;
}

void Document::BuildIndex() const {
  Tracking& t = tracking_.value;
  std::vector<std::pair<ArtId, Rect>> boxes;
  double extent = 0;
  std::optional<Rect> all;
  for (const auto& [id, a] : arts_)
    if (auto r = Reach(id)) {
      boxes.emplace_back(id, *r);
      if (std::isfinite(r->right - r->left) && std::isfinite(r->top - r->bottom)) {
        extent += std::max(r->right - r->left, r->top - r->bottom);
        all = all ? Union(*all, *r) : *r;
      }
    }
  // Cells about twice a typical box, and not so small that a sparse document
  // spreads over many more cells than it has paths.
  double cell = 1;
  if (all && !boxes.empty()) {
    const double n = static_cast<double>(boxes.size());
    const double spread = std::max(all->right - all->left, all->top - all->bottom) / std::sqrt(n);
    cell = std::max({2 * extent / n, spread, 1e-6});
  }
  t.index.Reset(cell);
  for (const auto& [id, box] : boxes) t.index.Put(id, box);
  t.stale.clear();
  t.indexed = true;
}

const ArtIndex& Document::index() const {
  Tracking& t = tracking_.value;
  if (!t.indexed || t.stale.size() > arts_.size() / 2 + 64) {
    BuildIndex();
    return t.index;
  }
  if (t.stale.empty()) return t.index;
  std::vector<ArtId> ids;
  ids.swap(t.stale);
  // A change to one member of a compound path moves the reach of them all.
  const std::size_t given = ids.size();
  for (std::size_t i = 0; i < given; ++i) {
    const Art* a = FindArt(ids[i]);
    if (!a) continue;
    const Art* compound = a->type() == ArtType::CompoundPath ? a : FindArt(a->parent());
    if (compound && compound->type() == ArtType::CompoundPath)
      ids.insert(ids.end(), compound->children().begin(), compound->children().end());
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  for (ArtId id : ids) t.index.Put(id, Reach(id));
  return t.index;
}

void SortFrontToBack(const Document& doc, std::vector<ArtId>& ids) {
  if (ids.size() < 2) return;
  // Many art (a wide tolerance, art stacked on one spot): one walk of the
  // document in paint order, never more than visiting every art.
  constexpr std::size_t kFewArt = 16;
  if (ids.size() > kFewArt) {
    const std::unordered_set<ArtId> wanted(ids.begin(), ids.end());
    ids.clear();
    ForEachArtFrontToBack(doc, [&](ArtId id) {
      if (wanted.count(id)) ids.push_back(id);
    });
    return;
  }
  // Each art's place: its layer's index, then its index among its parent's
  // members at every level down from the layer group.
  std::vector<std::pair<std::vector<std::size_t>, ArtId>> placed;
  placed.reserve(ids.size());
  for (ArtId id : ids) {
    const std::vector<ArtId> lineage = doc.Lineage(id);
    std::vector<std::size_t> place{static_cast<std::size_t>(doc.LayerIndex(doc.art(lineage.back()).layerOfGroup()))};
    for (auto it = lineage.rbegin() + 1; it != lineage.rend(); ++it)
      place.push_back(IndexIn(doc.art(doc.art(*it).parent()).children(), *it));
    placed.emplace_back(std::move(place), id);
  }
  std::sort(placed.begin(), placed.end());
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = placed[i].second;
}

}  // namespace host::model
