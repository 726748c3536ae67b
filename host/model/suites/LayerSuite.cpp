// "AI Layer Suite": the layers, front to back, and the current one.
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAILayerSuite, function, std::forward<Body>(body));
}

const model::Layer& LayerOf(AILayerHandle layer) {
  const model::Document& doc = SeenDoc();
  if (!layer) Fail(kBadHandleErr, "null layer handle");
  return doc.layer(model::LayerIdOf(layer));
}

AIErr AIAPI CountLayers(int32_t* count) {
  return Call("CountLayers", [&] {
    Ref(count, "count") = static_cast<int32_t>(Doc().layers().size());
    return kNoErr;
  });
}

AIErr AIAPI GetNthLayer(int32_t n, AILayerHandle* layer) {
  return Call("GetNthLayer", [&] {
    AILayerHandle& out = Ref(layer, "layer");
    const auto& layers = Doc().layers();
    if (n < 0 || static_cast<std::size_t>(n) >= layers.size())
      Fail(kIndexRangeErr, "layer " + std::to_string(n) + " of " + std::to_string(layers.size()));
    out = model::LayerHandle(layers[static_cast<std::size_t>(n)].id);
    return kNoErr;
  });
}

AIErr AIAPI GetFirstLayer(AILayerHandle* layer) {
  return Call("GetFirstLayer", [&] {
    AILayerHandle& out = Ref(layer, "layer");
    const auto& layers = Doc().layers();
    out = layers.empty() ? nullptr : model::LayerHandle(layers.front().id);
    return kNoErr;
  });
}

// The layer behind prev, or null after the last.
AIErr AIAPI GetNextLayer(AILayerHandle prev, AILayerHandle* next) {
  return Call("GetNextLayer", [&] {
    AILayerHandle& out = Ref(next, "next");
    const model::Document& doc = Doc();
    const std::size_t at = static_cast<std::size_t>(doc.LayerIndex(LayerOf(prev).id)) + 1;
    out = at < doc.layers().size() ? model::LayerHandle(doc.layers()[at].id) : nullptr;
    return kNoErr;
  });
}

AIErr AIAPI GetCurrentLayer(AILayerHandle* layer) {
  return Call("GetCurrentLayer", [&] {
    AILayerHandle& out = Ref(layer, "layer");
    const model::LayerId current = Doc().currentLayer();
    out = current == model::kNoId ? nullptr : model::LayerHandle(current);
    return kNoErr;
  });
}

AIErr AIAPI SetCurrentLayer(AILayerHandle layer) {
  return Call("SetCurrentLayer", [&] {
    Doc().SetCurrentLayer(LayerOf(layer).id);
    return kNoErr;
  });
}

AIErr AIAPI GetLayerTitle(AILayerHandle layer, const char** title) {
  return Call("GetLayerTitle", [&] {
    const char*& out = Ref(title, "title");
    out = Active().LayerTitle(LayerOf(layer).id);
    return kNoErr;
  });
}

AIErr AIAPI GetLayerColor(AILayerHandle layer, AIRGBColor* color) {
  return Call("GetLayerColor", [&] {
    Ref(color, "color") = model::ToSdk(LayerOf(layer).color);
    return kNoErr;
  });
}

AIErr AIAPI GetLayerEditable(AILayerHandle layer, AIBoolean* editable) {
  return Call("GetLayerEditable", [&] {
    Ref(editable, "editable") = Flag(LayerOf(layer).editable());
    return kNoErr;
  });
}

AIErr AIAPI GetLayerVisible(AILayerHandle layer, AIBoolean* visible) {
  return Call("GetLayerVisible", [&] {
    Ref(visible, "visible") = Flag(LayerOf(layer).visible);
    return kNoErr;
  });
}

const AILayerSuite kTable = {
    CountLayers,   GetNthLayer,   GetFirstLayer,    GetNextLayer,     GetCurrentLayer,
    SetCurrentLayer, GetLayerTitle, GetLayerColor, GetLayerEditable, GetLayerVisible,
};

}  // namespace

const AILayerSuite& LayerSuite() { return kTable; }

}  // namespace host::suites
