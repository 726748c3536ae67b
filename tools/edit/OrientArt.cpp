#include "tools/edit/OrientArt.h"

#include <cmath>
#include <cstdio>

#include "hostcall/Error.h"

namespace Tools::orient {

namespace {

int16_t TypeOf(ai::SuiteSet& suites, AIArtHandle art) {
  int16_t type = kUnknownArt;
  ai::Check(suites.Art().GetArtType(art, &type));
  return type;
}

bool HasAttr(ai::SuiteSet& suites, AIArtHandle art, int32_t which) {
  int32_t attr = 0;
  ai::Check(suites.Art().GetArtUserAttr(art, which, &attr));
  return (attr & which) != 0;
}

std::vector<AIArtHandle> Children(ai::SuiteSet& suites, AIArtHandle art) {
  std::vector<AIArtHandle> children;
  AIArtHandle child = nullptr;
  ai::Check(suites.Art().GetArtFirstChild(art, &child));
  while (child) {
    children.push_back(child);
    ai::Check(suites.Art().GetArtSibling(child, &child));
  }
  return children;
}

bool IsLayerGroup(ai::SuiteSet& suites, AIArtHandle art) {
  AIBoolean layerGroup = false;
  ai::Check(suites.Art().IsArtLayerGroup(art, &layerGroup));
  return layerGroup;
}

void Collect(ai::SuiteSet& suites, AIArtHandle art, std::vector<AIArtHandle>& out) {
  const int16_t type = TypeOf(suites, art);
  const bool container = type == kGroupArt || type == kCompoundPathArt;
  if (container && !(type == kGroupArt && IsLayerGroup(suites, art)) && HasAttr(suites, art, kArtFullySelected)) {
    out.push_back(art);
  } else if (container) {
    for (AIArtHandle child : Children(suites, art)) Collect(suites, child, out);
  } else if (HasAttr(suites, art, kArtSelected)) {
    out.push_back(art);
  }
}

void AddLeaves(ai::SuiteSet& suites, AIArtHandle art, std::vector<AIArtHandle>& out) {
  if (!IsContainer(suites, art)) return out.push_back(art);
  for (AIArtHandle child : Children(suites, art)) AddLeaves(suites, child, out);
}

// Runs work on the art's dictionary and releases it afterwards, also when
// work fails (the first failure is the one reported).  The releasing suite
// comes first, as for the document's dictionary (OrientAxis.cpp).
template <class Work>
void WithArtDictionary(ai::SuiteSet& suites, AIArtHandle art, Work&& work) {
  const AIDictionarySuite& dict = suites.Dictionary();
  AIDictionaryRef dictionary = nullptr;
  ai::Check(suites.Art().GetDictionary(art, &dictionary));
  try {
    AIDictKey key = nullptr;
    ai::Check(dict.Key(kAccumRotationKey, &key));
    work(dict, dictionary, key);
  } catch (...) {
    dict.Release(dictionary);
    throw;
  }
  ai::Check(dict.Release(dictionary));
}

double StoredRotation(ai::SuiteSet& suites, AIArtHandle art) {
  float value = 0;
  WithArtDictionary(suites, art, [&](const AIDictionarySuite& dict, AIDictionaryRef d, AIDictKey key) {
    AIBoolean known = false;
    ai::Check(dict.IsKnown(d, key, &known));
    if (!known) return;
    const char* text = nullptr;
    ai::Check(dict.GetStringEntry(d, key, &text));
    if (!text || std::sscanf(text, "%f", &value) != 1 || !std::isfinite(value)) value = 0;
  });
  return value;
}

// "%f" keeps six decimals, so a rotation within that of a whole turn is
// written as none: otherwise undoing a rotation could leave 6.283185 behind,
// and the next undo would turn the object through a full circle's rounding.
void StoreRotation(ai::SuiteSet& suites, AIArtHandle art, double r) {
  r = geom::NormaliseAngle(r);
  if (geom::kTwoPi - r < kNoRotation) r = 0;
  char text[64];
  std::snprintf(text, sizeof text, "%f", r);
  WithArtDictionary(suites, art, [&](const AIDictionarySuite& dict, AIDictionaryRef d, AIDictKey key) {
    ai::Check(dict.SetStringEntry(d, key, text));
  });
}

AIRealMatrix ImageMatrix(ai::SuiteSet& suites, AIArtHandle art, int16_t type) {
  AIRealMatrix m{};
  ai::Check(type == kPlacedArt ? suites.Placed().GetPlacedMatrix(art, &m) : suites.Raster().GetRasterMatrix(art, &m));
  return m;
}

}  // namespace

std::vector<AIArtHandle> CollectSelection(ai::SuiteSet& suites) {
  std::vector<AIArtHandle> selection;
  int32_t count = 0;
  ai::Check(suites.Layer().CountLayers(&count));
  for (int32_t i = 0; i < count; ++i) {
    AILayerHandle layer = nullptr;
    ai::Check(suites.Layer().GetNthLayer(i, &layer));
    AIArtHandle group = nullptr;
    ai::Check(suites.Art().GetFirstArtOfLayer(layer, &group));
    for (AIArtHandle art : Children(suites, group)) Collect(suites, art, selection);
  }
  return selection;
}

bool IsContainer(ai::SuiteSet& suites, AIArtHandle art) {
  const int16_t type = TypeOf(suites, art);
  return type == kGroupArt || type == kCompoundPathArt;
}

std::vector<AIArtHandle> Leaves(ai::SuiteSet& suites, AIArtHandle art) {
  std::vector<AIArtHandle> leaves;
  AddLeaves(suites, art, leaves);
  return leaves;
}

// Placed and raster art carry their rotation in their matrix (the host keeps
// both in the same orientation as artwork, so the matrix's angle is the
// art's); everything else in its dictionary.
double AccumulatedRotation(ai::SuiteSet& suites, AIArtHandle art) {
  const int16_t type = TypeOf(suites, art);
  if (type == kPlacedArt || type == kRasterArt) return geom::NormaliseAngle(RotationOf(ImageMatrix(suites, art, type)));
  return geom::NormaliseAngle(StoredRotation(suites, art));
}

std::optional<AIRealRect> BoundsOf(ai::SuiteSet& suites, AIArtHandle art) {
  AIRealRect bounds{};
  if (suites.Art().GetArtBounds(art, &bounds) != kNoErr) return std::nullopt;
  return bounds;
}

void TransformOne(ai::SuiteSet& suites, AIArtHandle art, const AIRealMatrix& m, int32_t options) {
  const double before = AccumulatedRotation(suites, art);
  ai::Check(suites.TransformArt().TransformArt(art, &m, 1.0, options));
  StoreRotation(suites, art, before + RotationOf(m));
}

void TransformLeaves(ai::SuiteSet& suites, AIArtHandle art, const AIRealMatrix& m, int32_t options) {
  for (AIArtHandle leaf : Leaves(suites, art)) TransformOne(suites, leaf, m, options);
}

void TransformSelected(ai::SuiteSet& suites, AIArtHandle art, const AIRealMatrix& m, int32_t options) {
  TransformOne(suites, art, m, options);
  if (!IsContainer(suites, art)) return;
  for (AIArtHandle child : Children(suites, art)) TransformLeaves(suites, child, m, options);
}

void SelectWithLeaves(ai::SuiteSet& suites, AIArtHandle art) {
  ai::Check(suites.Art().SetArtUserAttr(art, kArtSelected, kArtSelected));
  if (!IsContainer(suites, art)) return;
  for (AIArtHandle leaf : Leaves(suites, art)) ai::Check(suites.Art().SetArtUserAttr(leaf, kArtSelected, kArtSelected));
}

// --- Duplicates

Duplicates::~Duplicates() {
  if (scope_) suites_.Art().DestroyCopyScope(scope_);  // an edit that failed: its own error is reported
}

void Duplicates::OpenScope() { ai::Check(suites_.Art().NewCopyScope(kAIDuplicateCopyScope, &scope_)); }

void Duplicates::CloseScope() {
  AICopyScopeHandle scope = scope_;
  scope_ = nullptr;
  ai::Check(suites_.Art().DestroyCopyScope(scope));
}

AIArtHandle Duplicates::Above(AIArtHandle art) {
  AIArtHandle copy = nullptr;
  ai::Check(suites_.Art().DuplicateArt(art, kPlaceAbove, art, &copy));
  made_.push_back(copy);
  return copy;
}

void Duplicates::DisposeAll() {
  try {
    DisposeArt(suites_, made_);
  } catch (...) {
    // Called while an edit fails: that failure is the one reported.
  }
}

std::vector<AIArtHandle> Duplicates::Release() { return std::move(made_); }

void DisposeArt(ai::SuiteSet& suites, std::vector<AIArtHandle>& art) {
  while (!art.empty()) {
    AIBoolean valid = false;
    ai::Check(suites.Art().ValidArt(art.back(), &valid));
    if (valid) ai::Check(suites.Art().DisposeArt(art.back()));
    art.pop_back();
  }
}

// --- ArtMemo

ArtMemo::ArtMemo(ai::SuiteSet& suites, const std::vector<AIArtHandle>& objects) : suites_(suites) {
  for (AIArtHandle art : objects) Take(art);
}

void ArtMemo::Take(AIArtHandle art) {
  Entry e;
  e.art = art;
  e.type = TypeOf(suites_, art);
  if (e.type == kPathArt) {
    int16_t count = 0;
    ai::Check(suites_.Path().GetPathSegmentCount(art, &count));
    e.segments.resize(static_cast<std::size_t>(count));
    e.selection.resize(static_cast<std::size_t>(count));
    if (count > 0) ai::Check(suites_.Path().GetPathSegments(art, 0, count, e.segments.data()));
    for (int16_t i = 0; i < count; ++i)
      ai::Check(suites_.Path().GetPathSegmentSelected(art, i, &e.selection[static_cast<std::size_t>(i)]));
  } else if (e.type == kPlacedArt || e.type == kRasterArt) {
    e.matrix = ImageMatrix(suites_, art, e.type);
    e.selected = HasAttr(suites_, art, kArtSelected);
  }
  WithArtDictionary(suites_, art, [&](const AIDictionarySuite& dict, AIDictionaryRef d, AIDictKey key) {
    AIBoolean known = false;
    ai::Check(dict.IsKnown(d, key, &known));
    e.hasRotation = known;
    const char* text = nullptr;
    if (known) ai::Check(dict.GetStringEntry(d, key, &text));
    if (text) e.rotation = text;
  });
  entries_.push_back(std::move(e));
  if (entries_.back().type == kGroupArt || entries_.back().type == kCompoundPathArt)
    for (AIArtHandle child : Children(suites_, art)) Take(child);
}

void ArtMemo::Restore() noexcept {
  for (const Entry& e : entries_) {
    try {
      Put(e);
    } catch (...) {
      // Nothing more can be done for this object; the others are still tried.
    }
  }
}

void ArtMemo::Put(const Entry& e) {
  const int16_t count = static_cast<int16_t>(e.segments.size());
  if (e.type == kPathArt && count > 0) {
    ai::Check(suites_.Path().SetPathSegments(e.art, 0, count, e.segments.data()));
    for (int16_t i = 0; i < count; ++i)
      ai::Check(suites_.Path().SetPathSegmentSelected(e.art, i, e.selection[static_cast<std::size_t>(i)]));
  } else if (e.type == kPlacedArt || e.type == kRasterArt) {
    ai::Check(e.type == kPlacedArt ? suites_.Placed().SetPlacedMatrix(e.art, &e.matrix)
                                   : suites_.Raster().SetRasterMatrix(e.art, &e.matrix));
    ai::Check(suites_.Art().SetArtUserAttr(e.art, kArtSelected, e.selected ? kArtSelected : 0));
  }
  WithArtDictionary(suites_, e.art, [&](const AIDictionarySuite& dict, AIDictionaryRef d, AIDictKey key) {
    ai::Check(e.hasRotation ? dict.SetStringEntry(d, key, e.rotation.c_str()) : dict.DeleteEntry(d, key));
  });
}

}  // namespace Tools::orient
