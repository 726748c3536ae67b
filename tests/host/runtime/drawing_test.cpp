// Annotation drawing: which annotators are asked to draw, what the recording
// drawer keeps, and the rectangles a plug-in invalidates.
#include <gtest/gtest.h>

#include "tests/host/runtime/RuntimeHarness.h"

namespace host::testing {
namespace {

class DrawingTest : public RuntimeTest {
 protected:
  void SetUp() override {
    StartHost();
    host_->NewDocument();
    ASSERT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
                Acquired<AIAnnotatorSuite> annotators(h.basic, kAIAnnotatorSuite, kAIAnnotatorSuiteVersion);
                if (AIErr e = annotators->AddAnnotator(h.self, "shown", &shown_)) return e;
                if (AIErr e = annotators->AddAnnotator(h.self, "hidden", &hidden_)) return e;
                return annotators->SetAnnotatorActive(hidden_, false);
              }),
              kNoErr);
  }
  AIAnnotatorHandle shown_ = nullptr;
  AIAnnotatorHandle hidden_ = nullptr;
};

TEST_F(DrawingTest, ActiveAnnotatorsDrawThroughARecordingDrawer) {
  std::vector<AIAnnotatorHandle> drawn;
  AIAnnotatorDrawer* kept = nullptr;
  plugin_.On(kCallerAIAnnotation, kSelectorAIDrawAnnotation, [&](void* message) -> SPErr {
    const auto* m = static_cast<AIAnnotatorMessage*>(message);
    drawn.push_back(m->annotator);
    kept = m->drawer;
    Acquired<AIAnnotatorDrawerSuite> d(m->d.basic, kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion);
    const AIPoint a{1, 2}, b{30, 40};
    const AIRGBColor red{0xffff, 0, 0};
    EXPECT_EQ(d->DrawLine(m->drawer, &a, &b), kNoErr);
    EXPECT_EQ(d->SetDrawingMode(m->drawer, true, true), kNoErr);
    EXPECT_EQ(d->SetLineWidth(m->drawer, 1.5), kNoErr);
    EXPECT_EQ(d->SetColor(m->drawer, &red), kNoErr);
    const AIPoint triangle[3] = {{0, 0}, {10, 0}, {0, 10}};
    EXPECT_EQ(d->DrawPolygon(m->drawer, triangle, 3, false), kNoErr);
    EXPECT_EQ(d->DrawPolygon(m->drawer, triangle, -1, false), kBadParameterErr);
    EXPECT_EQ(d->DrawText(m->drawer, "6.35 \xba\xc1\xc3\xd7", &a), kNoErr);  // "毫米" in GBK
    EXPECT_EQ(d->DrawText(m->drawer, "\x81", &a), kBadParameterErr) << "half a GBK character";
    return kNoErr;
  });
  EXPECT_EQ(host_->DrawAnnotations(), kNoErr);
  EXPECT_EQ(drawn, (std::vector<AIAnnotatorHandle>{shown_}));

  using K = DrawCall::Kind;
  const std::vector<DrawCall>& calls = host_->Drawing();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].kind, K::Line);
  EXPECT_EQ(calls[0].color.red, 0) << "a fresh drawer draws in black";
  EXPECT_EQ(calls[0].width, 1);
  EXPECT_FALSE(calls[0].antialiased);
  EXPECT_EQ(calls[0].points[1].v, 40);
  EXPECT_EQ(calls[4].kind, K::Polygon);
  EXPECT_EQ(calls[4].points.size(), 3u);
  EXPECT_EQ(calls[4].color.red, 0xffff);
  EXPECT_EQ(calls[4].width, 1.5);
  EXPECT_TRUE(calls[4].overlay);
  EXPECT_EQ(calls[5].kind, K::Text);
  EXPECT_EQ(calls[5].text, "6.35 毫米");

  EXPECT_EQ(RunInPlugin([&](SPMessageData& h) {
              Acquired<AIAnnotatorDrawerSuite> d(h.basic, kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion);
              const AIPoint p{0, 0};
              return d->DrawLine(kept, &p, &p);
            }),
            kBadHandleErr)
      << "a drawer outlives its message only as a dead handle";
  EXPECT_EQ(host_->Drawing().size(), 6u);
}

TEST_F(DrawingTest, InvalidatedRectanglesOfTheDocumentViewAreKept) {
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              Acquired<AIAnnotatorSuite> annotators(h.basic, kAIAnnotatorSuite, kAIAnnotatorSuiteVersion);
              Acquired<AIDocumentViewSuite> views(h.basic, kAIDocumentViewSuite, kAIDocumentViewSuiteVersion);
              AIDocumentViewHandle view = nullptr;
              EXPECT_EQ(views->GetNthDocumentView(0, &view), kNoErr);
              const AIRect r{1, 2, 30, 40};
              EXPECT_EQ(annotators->InvalAnnotationRect(view, &r), kNoErr);
              EXPECT_EQ(annotators->InvalAnnotationRect(reinterpret_cast<AIDocumentViewHandle>(&h), &r), kBadHandleErr);
              return kNoErr;
            }),
            kNoErr);
  ASSERT_EQ(host_->InvalidatedRects().size(), 1u);
  EXPECT_EQ(host_->InvalidatedRects()[0].right, 30);
  host_->ClearInvalidatedRects();
  EXPECT_TRUE(host_->InvalidatedRects().empty());
}

}  // namespace
}  // namespace host::testing
