// The overlay's drawing and measuring passes allocate nothing.
//
// This program replaces the global operator new with one that counts while
// armed, and runs the circle tool in the process on a small host of its own
// whose suites never allocate, so that every allocation counted is the
// plug-in's.  (In the stand-in host the recording drawer allocates for every
// call, which would hide the plug-in's own.)
#include <gtest/gtest.h>

#include <cstdlib>
#ifdef _WIN32
#include <malloc.h>
#endif
#include <cstring>
#include <new>
#include <string_view>

#include "hostcall/HostCall.h"
#include "tools/catalog/ToolCatalog.h"
#include "tools/circles/ToolCircle23.h"

namespace {

bool gArmed = false;
int gAllocations = 0;

void* Allocate(std::size_t size) {
  if (gArmed) ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
  if (gArmed) ++gAllocations;
  const auto a = static_cast<std::size_t>(align);
#ifdef _WIN32
  // The Windows C runtime has no aligned_alloc; its own pair frees with _aligned_free.
  if (void* p = _aligned_malloc(size ? size : 1, a)) return p;
#else
  if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a)) return p;
#endif
  throw std::bad_alloc();
}

void FreeAligned(void* p) {
#ifdef _WIN32
  _aligned_free(p);
#else
  std::free(p);
#endif
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t a) { return AllocateAligned(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return AllocateAligned(size, a); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { FreeAligned(p); }
void operator delete[](void* p, std::align_val_t) noexcept { FreeAligned(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { FreeAligned(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { FreeAligned(p); }

namespace {

// ---- a host that never allocates: one view at zoom 1, y flipped at 800 -----------------------------

int gDrawCalls = 0;
int gInvalidations = 0;
AIDocumentViewHandle const kView = reinterpret_cast<AIDocumentViewHandle>(&gDrawCalls);
AILayerHandle const kLayer = reinterpret_cast<AILayerHandle>(&gInvalidations);

AIErr NthView(int32_t, AIDocumentViewHandle* view) { return *view = kView, kNoErr; }
AIErr Zoom(AIDocumentViewHandle, double* zoom) { return *zoom = 1, kNoErr; }
AIErr PixelBounds(AIDocumentViewHandle, AIRect* r) { return *r = {0, 0, 1024, 768}, kNoErr; }
AIErr ToView(AIDocumentViewHandle, const AIRealPoint* a, AIPoint* v) {
  *v = {static_cast<int32_t>(a->h), static_cast<int32_t>(800 - a->v)};
  return kNoErr;
}
AIErr Track(AIDocumentViewHandle, const AIRealPoint* in, const AIEvent*, const char*, AIRealPoint* out) {
  return *out = *in, kNoErr;
}
AIErr Invalidate(AIDocumentViewHandle, const AIRect*) { return ++gInvalidations, kNoErr; }
AIErr InsertionPoint(AIArtHandle* art, int16_t* order, AIBoolean* editable) {
  *art = nullptr;
  *order = 0;
  *editable = true;
  return kNoErr;
}
AIErr CurrentLayer(AILayerHandle* layer) { return *layer = kLayer, kNoErr; }
AIErr LayerColor(AILayerHandle, AIRGBColor* c) { return *c = {1, 2, 3}, kNoErr; }
AIErr RulerUnits(int16_t* units) { return *units = kMillimetersUnits, kNoErr; }
AIErr Count() { return ++gDrawCalls, kNoErr; }
AIErr SetColor(AIAnnotatorDrawer*, const AIRGBColor*) { return Count(); }
AIErr SetWidth(AIAnnotatorDrawer*, double) { return Count(); }
AIErr SetMode(AIAnnotatorDrawer*, AIBoolean, AIBoolean) { return Count(); }
AIErr Line(AIAnnotatorDrawer*, const AIPoint*, const AIPoint*) { return Count(); }
AIErr Ellipse(AIAnnotatorDrawer*, const AIRect*, AIBoolean) { return Count(); }
AIErr Text(AIAnnotatorDrawer*, const char*, const AIPoint*) { return Count(); }
AIErr SystemCursor(int32_t) { return kNoErr; }
AIErr SetCursor(PlatformCursorRef) { return kNoErr; }

// Only the functions the circle tool's events and passes reach; the others
// stay null.
template <class Suite, class Fill>
Suite Only(Fill fill) {
  Suite suite{};
  fill(suite);
  return suite;
}

const auto kViews = Only<AIDocumentViewSuite>([](auto& s) {
  s.GetNthDocumentView = NthView;
  s.GetDocumentViewPixelBounds = PixelBounds;
  s.GetDocumentViewZoom = Zoom;
  s.ArtworkPointToViewPoint = ToView;
});
const auto kSnap = Only<AICursorSnapSuite>([](auto& s) { s.Track = Track; });
const auto kAnnotator = Only<AIAnnotatorSuite>([](auto& s) { s.InvalAnnotationRect = Invalidate; });
const auto kArt = Only<AIArtSuite>([](auto& s) { s.GetInsertionPoint = InsertionPoint; });
const auto kLayers = Only<AILayerSuite>([](auto& s) {
  s.GetCurrentLayer = CurrentLayer;
  s.GetLayerColor = LayerColor;
});
const auto kDocument = Only<AIDocumentSuite>([](auto& s) { s.GetDocumentRulerUnits = RulerUnits; });
const auto kDrawer = Only<AIAnnotatorDrawerSuite>([](auto& s) {
  s.SetColor = SetColor;
  s.SetLineWidth = SetWidth;
  s.SetDrawingMode = SetMode;
  s.DrawLine = Line;
  s.DrawEllipse = Ellipse;
  s.DrawText = Text;
});
const auto kPlatform = Only<CorvanePlatformSuite>([](auto& s) {
  s.SetCursor = SetCursor;
  s.SetSystemCursor = SystemCursor;
});

struct Offered {
  const char* name;
  const void* suite;
};
const Offered kOffered[] = {
    {kAIDocumentViewSuite, &kViews}, {kAICursorSnapSuite, &kSnap},         {kAIAnnotatorSuite, &kAnnotator},
    {kAIArtSuite, &kArt},            {kAILayerSuite, &kLayers},            {kAIDocumentSuite, &kDocument},
    {kAIAnnotatorDrawerSuite, &kDrawer}, {kCorvanePlatformSuite, &kPlatform},
};

SPErr Acquire(const char* name, int32_t, const void** suite) {
  for (const Offered& o : kOffered)
    if (std::string_view(name) == o.name) return *suite = o.suite, kNoErr;
  return kSPSuiteNotFoundError;
}
SPErr Release(const char*, int32_t) { return kNoErr; }
SPBoolean IsEqual(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

const auto kBasic = Only<SPBasicSuite>([](auto& s) {
  s.AcquireSuite = Acquire;
  s.ReleaseSuite = Release;
  s.IsEqual = IsEqual;
});

// ---- the passes -----------------------------------------------------------------------------------

class OverlayAllocation : public ::testing::Test {
 protected:
  OverlayAllocation() { ai::SetPluginBasicSuite(&kBasic); }
  ~OverlayAllocation() override { ai::SetPluginBasicSuite(nullptr); }

  void Send(void (Tools::BaseTool::*event)(AIToolMessage*), AIRealPoint p) {
    event_ = AIEvent{};
    message_ = AIToolMessage{};
    message_.d.basic = &kBasic;
    message_.cursor = p;
    message_.event = &event_;
    (tool_.*event)(&message_);
  }

  // Allocations during one drawing pass and one measuring pass.
  int PassAllocations() {
    AIAnnotatorMessage draw{};
    draw.d.basic = &kBasic;
    draw.drawer = reinterpret_cast<AIAnnotatorDrawer*>(&draw);
    gDrawCalls = gInvalidations = gAllocations = 0;
    gArmed = true;
    tool_.DrawAnnotation(&draw);
    tool_.InvalidateAnnotation(&draw);
    gArmed = false;
    return gAllocations;
  }

  ai::HostCallScope call_{&kBasic};
  Tools::ToolCircle23 tool_{Tools::IdentityOf(Tools::ToolId::Circle23)};
  AIEvent event_{};
  AIToolMessage message_{};
};

// The count itself: what the passes are measured with does see allocations.
TEST(AllocationCounter, CountsOnlyWhileArmed) {
  gAllocations = 0;
  gArmed = true;
  delete new int(1);
  delete[] new char[100];
  gArmed = false;
  delete new int(2);
  EXPECT_EQ(gAllocations, 2);
}

TEST_F(OverlayAllocation, DiameterFeedbackWithItsLabel) {
  Send(&Tools::BaseTool::MouseDown, {100, 300});
  Send(&Tools::BaseTool::MouseDrag, {180, 330});
  ASSERT_EQ(tool_.CurrentState(), Tools::ToolCircle23::kDraggingDiameter);
  EXPECT_EQ(PassAllocations(), 0);
  // Mode, width, colour, five lines, the circle and the label were drawn;
  // the measured area was invalidated.
  EXPECT_EQ(gDrawCalls, 10);
  EXPECT_EQ(gInvalidations, 1);
}

TEST_F(OverlayAllocation, ThreePointFeedback) {
  Send(&Tools::BaseTool::MouseDown, {100, 300});
  Send(&Tools::BaseTool::MouseUp, {100, 300});
  Send(&Tools::BaseTool::MouseDown, {180, 300});
  Send(&Tools::BaseTool::MouseDrag, {140, 360});
  ASSERT_EQ(tool_.CurrentState(), Tools::ToolCircle23::kDraggingThird);
  EXPECT_EQ(PassAllocations(), 0);
  EXPECT_EQ(gDrawCalls, 10);  // mode, width, colour, six lines, the circle
  EXPECT_EQ(gInvalidations, 1);
}

}  // namespace
