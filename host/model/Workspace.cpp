#include "host/model/Workspace.h"

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/model/HitTest.h"
#include "host/model/RefTable.h"
#include "host/model/View.h"
#include "host/model/suites/SuiteTables.h"
#include "host/svg/Svg.h"

namespace host {

namespace {

// The host's pick and snap radii, in view pixels: small enough that
// neighbouring anchors stay separately pickable at 100 %, large enough for a
// hand on a mouse.
constexpr double kHitTolerancePx = 3;
constexpr double kSnapTolerancePx = 4;
constexpr const char* kFirstLayerTitle = "Layer 1";

Workspace* g_active = nullptr;

}  // namespace

struct Workspace::Impl {
  std::optional<model::Document> document;
  model::View view;
  bool smartGuides = false;
  std::vector<AICursorConstraint> constraints;
  std::vector<std::string> labels;  // what constraints[i].label points at
  model::RefTable<model::Hit> hits;
  model::RefTable<model::DictionaryTarget> dictionaries;
  model::RefTable<int16_t> copyScopes;
  int redraws = 0;
  std::map<uint64_t, std::string> titles;
};

Workspace::Workspace(int viewWidthPx, int viewHeightPx) : impl_(std::make_unique<Impl>()) {
  impl_->view.width = viewWidthPx;
  impl_->view.height = viewHeightPx;
}

Workspace::~Workspace() {
  if (g_active == this) g_active = nullptr;
}

bool Workspace::HasDocument() const { return impl_->document.has_value(); }

model::Document& Workspace::document() {
  if (!impl_->document) throw HostError(kNoDocumentErr, "no document is open");
  return *impl_->document;
}

const model::Document& Workspace::document() const { return const_cast<Workspace&>(*this).document(); }

void Workspace::NewDocument(double widthPt, double heightPt) {
  if (!(std::isfinite(widthPt) && std::isfinite(heightPt) && widthPt > 0 && heightPt > 0))
    throw HostError(kBadParameterErr, "a document needs a finite positive size");
  model::Document doc;
  doc.SetArtboard({0, heightPt, widthPt, 0});
  doc.AddLayer(kFirstLayerTitle);
  impl_->view.CenterOn(doc.artboard());
  impl_->document = std::move(doc);
}

std::vector<std::string> Workspace::Open(const std::filesystem::path& svg) {
  std::vector<std::string> notes;
  model::Document doc = svg::ReadSvg(svg, &notes);
  impl_->view.CenterOn(doc.artboard());
  impl_->document = std::move(doc);
  return notes;
}

void Workspace::Save(const std::filesystem::path& svg) const { svg::WriteSvg(document(), svg); }

model::Document Workspace::Snapshot() const { return document(); }

void Workspace::Restore(model::Document document) { impl_->document = std::move(document); }

double Workspace::Zoom() const { return impl_->view.zoom; }
void Workspace::SetZoom(double zoom) { impl_->view.zoom = model::ValidZoom(zoom); }

AIRealPoint Workspace::ScrollOrigin() const { return model::ToSdk(impl_->view.origin); }

void Workspace::SetScrollOrigin(AIRealPoint origin) {
  if (!IsFinite(model::FromSdk(origin))) throw HostError(kBadParameterErr, "scroll origin must be finite");
  impl_->view.origin = model::FromSdk(origin);
}

AIPoint Workspace::ArtworkToView(AIRealPoint p) const { return impl_->view.ToView(model::FromSdk(p)); }
AIRealPoint Workspace::ViewToArtwork(AIPoint p) const { return model::ToSdk(impl_->view.ToArtwork(p)); }
int Workspace::ViewWidth() const { return impl_->view.width; }
int Workspace::ViewHeight() const { return impl_->view.height; }
bool Workspace::SmartGuides() const { return impl_->smartGuides; }
void Workspace::SetSmartGuides(bool on) { impl_->smartGuides = on; }
double Workspace::HitTolerancePx() const { return kHitTolerancePx; }
double Workspace::SnapTolerancePx() const { return kSnapTolerancePx; }

int Workspace::LiveHitRefs() const { return impl_->hits.Live(); }
int Workspace::LiveDictionaryRefs() const { return impl_->dictionaries.Live(); }
int Workspace::LiveCopyScopes() const { return impl_->copyScopes.Live(); }
int Workspace::RedrawRequests() const { return impl_->redraws; }
const std::vector<AICursorConstraint>& Workspace::CustomConstraints() const { return impl_->constraints; }

void Workspace::RegisterSuites(SuiteRegistry& registry) {
  suites::AddDocumentSuites(registry);
  g_active = this;
}

Workspace* Workspace::Active() { return g_active; }

model::View& Workspace::view() { return impl_->view; }
const model::View& Workspace::view() const { return impl_->view; }
model::RefTable<model::Hit>& Workspace::hitRefs() { return impl_->hits; }
model::RefTable<model::DictionaryTarget>& Workspace::dictionaryRefs() { return impl_->dictionaries; }
model::RefTable<int16_t>& Workspace::copyScopes() { return impl_->copyScopes; }
void Workspace::CountRedraw() { ++impl_->redraws; }

void Workspace::SetCustomConstraints(const AICursorConstraint* constraints, int count) {
  std::vector<AICursorConstraint> copies(constraints, constraints + count);
  std::vector<std::string> labels;
  labels.reserve(copies.size());
  for (const AICursorConstraint& c : copies) labels.emplace_back(c.label ? c.label : "");
  // Pointers are taken only once the label vector no longer grows.
  for (std::size_t i = 0; i < copies.size(); ++i) copies[i].label = labels[i].c_str();
  impl_->labels = std::move(labels);
  impl_->constraints = std::move(copies);
}

void Workspace::ClearCustomConstraints() {
  impl_->constraints.clear();
  impl_->labels.clear();
}

const char* Workspace::LayerTitle(uint64_t layer) {
  const std::string& title = document().layer(layer).title;
  std::string& kept = impl_->titles[layer];
  if (kept != title) kept = title;
  return kept.c_str();
}

}  // namespace host
