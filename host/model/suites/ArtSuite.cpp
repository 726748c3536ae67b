// "AI Art Suite": creating, copying, removing and walking art, and its
// attributes.
#include "host/model/Bounds.h"
#include "host/model/RefTable.h"
#include "host/model/Selection.h"
#include "host/model/suites/Placement.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

using model::ArtHandle;
using model::ArtIdOf;
using model::kNoId;

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAIArtSuite, function, std::forward<Body>(body));
}

model::ArtType TypeFrom(int16_t type) {
  switch (type) {
    case kGroupArt:
    case kPathArt:
    case kCompoundPathArt:
    case kPlacedArt:
    case kRasterArt:
      return static_cast<model::ArtType>(type);
    default:
      Fail(kBadParameterErr, "cannot make art of type " + std::to_string(type));
  }
}

AIArtHandle HandleOrNull(model::ArtId id) { return id == kNoId ? nullptr : ArtHandle(id); }

// The sibling `step` places from art in its parent's front-to-back list.
AIArtHandle Sibling(AIArtHandle art, int step) {
  const model::Art& a = SeenArt(art);
  if (a.parent() == kNoId) return nullptr;
  const auto& siblings = SeenDoc().art(a.parent()).children();
  for (std::size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i] != a.id()) continue;
    const std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) + step;
    return j < 0 || j >= static_cast<std::ptrdiff_t>(siblings.size()) ? nullptr
                                                                        : ArtHandle(siblings[static_cast<std::size_t>(j)]);
  }
  return nullptr;
}

constexpr int32_t kSelectionAttrs = kArtSelected | kArtFullySelected;

AIErr AIAPI NewArt(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
  return Call("NewArt", [&] {
    Ref(newArt, "newArt") = nullptr;
    model::Document& doc = Doc();
    const model::ArtType t = TypeFrom(type);
    const model::Placement where = PlacementFor(doc, paintOrder, prep);
    RequireEditable(doc, where, t);
    *newArt = ArtHandle(doc.NewArt(t, where));
    return kNoErr;
  });
}

AIErr AIAPI DisposeArt(AIArtHandle art) {
  return Call("DisposeArt", [&] {
    Doc().Dispose(ArtOf(art).id());
    return kNoErr;
  });
}

AIErr AIAPI DuplicateArt(AIArtHandle art, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
  return Call("DuplicateArt", [&] {
    Ref(newArt, "newArt") = nullptr;
    const model::Art& source = SeenArt(art);
    model::Document& doc = Doc();
    const model::Placement where = PlacementFor(doc, paintOrder, prep);
    RequireEditable(doc, where, source.type());
    *newArt = ArtHandle(doc.Duplicate(source.id(), where));
    return kNoErr;
  });
}

AIErr AIAPI GetArtType(AIArtHandle art, int16_t* type) {
  return Call("GetArtType", [&] {
    Ref(type, "type") = static_cast<int16_t>(SeenArt(art).type());
    return kNoErr;
  });
}

AIErr AIAPI GetArtParent(AIArtHandle art, AIArtHandle* parent) {
  return Call("GetArtParent", [&] {
    Ref(parent, "parent") = HandleOrNull(SeenArt(art).parent());
    return kNoErr;
  });
}

AIErr AIAPI GetArtFirstChild(AIArtHandle art, AIArtHandle* child) {
  return Call("GetArtFirstChild", [&] {
    const auto& children = SeenArt(art).children();
    Ref(child, "child") = children.empty() ? nullptr : ArtHandle(children.front());
    return kNoErr;
  });
}

AIErr AIAPI GetArtSibling(AIArtHandle art, AIArtHandle* sibling) {
  return Call("GetArtSibling", [&] {
    Ref(sibling, "sibling") = Sibling(art, +1);
    return kNoErr;
  });
}

AIErr AIAPI GetArtPriorSibling(AIArtHandle art, AIArtHandle* sibling) {
  return Call("GetArtPriorSibling", [&] {
    Ref(sibling, "sibling") = Sibling(art, -1);
    return kNoErr;
  });
}

AIErr AIAPI GetFirstArtOfLayer(AILayerHandle layer, AIArtHandle* layerGroup) {
  return Call("GetFirstArtOfLayer", [&] {
    AIArtHandle& out = Ref(layerGroup, "layerGroup");
    out = ArtHandle(SeenDoc().layer(model::LayerIdOf(layer)).group);
    return kNoErr;
  });
}

AIErr AIAPI GetLayerOfArt(AIArtHandle art, AILayerHandle* layer) {
  return Call("GetLayerOfArt", [&] {
    Ref(layer, "layer") = model::LayerHandle(SeenDoc().LayerOf(SeenArt(art).id()));
    return kNoErr;
  });
}

AIErr AIAPI IsArtLayerGroup(AIArtHandle art, AIBoolean* isLayerGroup) {
  return Call("IsArtLayerGroup", [&] {
    Ref(isLayerGroup, "isLayerGroup") = Flag(SeenArt(art).isLayerGroup());
    return kNoErr;
  });
}

AIErr AIAPI GetArtBounds(AIArtHandle art, AIRealRect* bounds) {
  return Call("GetArtBounds", [&] {
    AIRealRect& out = Ref(bounds, "bounds");
    const auto r = model::ArtBounds(SeenDoc(), SeenArt(art).id());
    if (!r) Fail(kBadParameterErr, "art without segments or members has no bounds");
    out = model::ToSdk(*r);
    return kNoErr;
  });
}

AIErr AIAPI GetArtUserAttr(AIArtHandle art, int32_t whichAttr, int32_t* attr) {
  return Call("GetArtUserAttr", [&] {
    int32_t& out = Ref(attr, "attr");
    const model::Art& a = SeenArt(art);
    const model::Document& doc = SeenDoc();
    int32_t all = 0;
    if (model::IsSelected(doc, a.id())) all |= kArtSelected;
    if (model::IsFullySelected(doc, a.id())) all |= kArtFullySelected;
    if (a.locked) all |= kArtLocked;
    if (a.hidden) all |= kArtHidden;
    out = all & whichAttr;
    return kNoErr;
  });
}

// The selected and fully selected bits act together: setting either selects
// the whole art (all anchors of a path), clearing either deselects it.
AIErr AIAPI SetArtUserAttr(AIArtHandle art, int32_t whichAttr, int32_t attr) {
  return Call("SetArtUserAttr", [&] {
    model::Art& a = ArtOf(art);
    if (whichAttr & kArtLocked) a.locked = (attr & kArtLocked) != 0;
    if (whichAttr & kArtHidden) a.hidden = (attr & kArtHidden) != 0;
    if (whichAttr & kSelectionAttrs) model::SetSelected(Doc(), a.id(), (attr & whichAttr & kSelectionAttrs) != 0);
    return kNoErr;
  });
}

AIErr AIAPI TransferAttributes(AIArtHandle srcArt, AIArtHandle dstArt, int32_t which) {
  return Call("TransferAttributes", [&] {
    const model::Art& src = SeenArt(srcArt);
    model::Art& dst = ArtOf(dstArt);
    if (which & kTransferStyle) dst.paint = src.paint;
    if (which & kTransferDictionary) dst.dictionary = src.dictionary;
    return kNoErr;
  });
}

AIErr AIAPI GetDictionary(AIArtHandle art, AIDictionaryRef* dictionary) {
  return Call("GetDictionary", [&] {
    AIDictionaryRef& out = Ref(dictionary, "dictionary");
    const model::ArtId id = SeenArt(art).id();
    out = ToHandle<AIDictionaryRef>(Active().dictionaryRefs().Add(model::DictionaryTarget{id, {}}));
    return kNoErr;
  });
}

AIErr AIAPI GetInsertionPoint(AIArtHandle* art, int16_t* paintOrder, AIBoolean* editable) {
  return Call("GetInsertionPoint", [&] {
    AIArtHandle& outArt = Ref(art, "art");
    int16_t& outOrder = Ref(paintOrder, "paintOrder");
    AIBoolean& outEditable = Ref(editable, "editable");
    const model::Document& doc = Doc();
    const model::Placement where = InsertionPoint(doc);
    outArt = ArtHandle(where.prep);
    outOrder = where.order;
    outEditable = Flag(InsertionEditable(doc));
    return kNoErr;
  });
}

AIErr AIAPI GetArtCenterPointVisible(AIArtHandle art, AIBoolean* visible) {
  return Call("GetArtCenterPointVisible", [&] {
    Ref(visible, "visible") = Flag(SeenArt(art).centerPointVisible);
    return kNoErr;
  });
}

AIErr AIAPI SetArtCenterPointVisible(AIArtHandle art, AIBoolean visible) {
  return Call("SetArtCenterPointVisible", [&] {
    ArtOf(art).centerPointVisible = visible != 0;
    return kNoErr;
  });
}

AIErr AIAPI NewCopyScope(int16_t kind, AICopyScopeHandle* scope) {
  return Call("NewCopyScope", [&] {
    AICopyScopeHandle& out = Ref(scope, "scope");
    Doc();
    if (kind != kAIDuplicateCopyScope) Fail(kBadParameterErr, "unknown copy scope kind " + std::to_string(kind));
    out = ToHandle<AICopyScopeHandle>(Active().copyScopes().Add(kind));
    return kNoErr;
  });
}

AIErr AIAPI DestroyCopyScope(AICopyScopeHandle scope) {
  return Call("DestroyCopyScope", [&] {
    Active().copyScopes().Release(FromHandle(scope));
    return kNoErr;
  });
}

// Asking whether a handle is valid is answered, not failed, also when no
// document is open: then no art is valid.
AIErr AIAPI ValidArt(AIArtHandle art, AIBoolean* valid) {
  return Call("ValidArt", [&] {
    AIBoolean& out = Ref(valid, "valid");
    Workspace& ws = Active();
    out = Flag(art && ws.HasDocument() && ws.document().Contains(ArtIdOf(art)));
    return kNoErr;
  });
}

const AIArtSuite kTable = {
    NewArt,           DisposeArt,         DuplicateArt,       GetArtType,
    GetArtParent,     GetArtFirstChild,   GetArtSibling,      GetArtPriorSibling,
    GetFirstArtOfLayer, GetLayerOfArt,    IsArtLayerGroup,    GetArtBounds,
    GetArtUserAttr,   SetArtUserAttr,     TransferAttributes, GetDictionary,
    GetInsertionPoint, GetArtCenterPointVisible, SetArtCenterPointVisible, NewCopyScope,
    DestroyCopyScope, ValidArt,
};

}  // namespace

const AIArtSuite& ArtSuite() { return kTable; }

}  // namespace host::suites
