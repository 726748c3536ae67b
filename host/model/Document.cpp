#include "host/model/Document.h"

#include <algorithm>
#include <string>
#include <utility>

#include "host/core/HostError.h"

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

Layer& Document::layer(LayerId id) { return const_cast<Layer&>(std::as_const(*this).layer(id)); }

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
  Layer layer;
  layer.id = NewId();
  layer.title = std::move(title);
  layer.group = NewId();
  Art group(layer.group, ArtType::Group);
  group.layerOfGroup_ = layer.id;
  arts_.emplace(layer.group, std::move(group));
  const std::size_t at = std::min(index, layers_.size());
  layers_.insert(layers_.begin() + static_cast<std::ptrdiff_t>(at), layer);
  if (current_ == kNoId) current_ = layer.id;
  return layer.id;
}

void Document::RemoveLayer(LayerId id) {
  const ArtId group = layer(id).group;
  Erase(group);
  layers_.erase(layers_.begin() + LayerIndex(id));
  if (current_ == id) current_ = layers_.empty() ? kNoId : layers_.front().id;
}

void Document::SetCurrentLayer(LayerId id) {
  layer(id);
  current_ = id;
}

const Art& Document::art(ArtId id) const {
  if (const Art* a = FindArt(id)) return *a;
  Fail(kBadHandleErr, "no art " + std::to_string(id));
}

Art& Document::art(ArtId id) { return const_cast<Art&>(std::as_const(*this).art(id)); }

const Art* Document::FindArt(ArtId id) const {
  auto it = arts_.find(id);
  return it == arts_.end() ? nullptr : &it->second;
}

Art* Document::FindArt(ArtId id) { return const_cast<Art*>(std::as_const(*this).FindArt(id)); }

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
  Insert(id, slot);
  return id;
}

ArtId Document::Duplicate(ArtId source, Placement where) {
  const Art& original = art(source);
  if (original.isLayerGroup()) Fail(kBadParameterErr, "a layer group is duplicated only with its layer");
  const Slot slot = Resolve(where, original.type());
  const ArtId copy = CopySubtree(source, kNoId);
  Insert(copy, slot);
  return copy;
}

ArtId Document::CopySubtree(ArtId source, ArtId newParent) {
  const ArtId id = NewId();
  Art copy = art(source);  // the content; links are rebuilt below
  const std::vector<ArtId> members = std::move(copy.children_);
  copy.id_ = id;
  copy.parent_ = newParent;
  copy.children_.clear();
  arts_.emplace(id, std::move(copy));
  for (ArtId member : members) {
    const ArtId memberCopy = CopySubtree(member, id);
    arts_.at(id).children_.push_back(memberCopy);
  }
  return id;
}

void Document::Insert(ArtId id, Slot slot) {
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
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(IndexIn(siblings, id)));
  arts_.at(id).parent_ = kNoId;
}

void Document::Erase(ArtId id) {
  const std::vector<ArtId> members = art(id).children();
  for (ArtId member : members) Erase(member);
  arts_.erase(id);
}

}  // namespace host::model
