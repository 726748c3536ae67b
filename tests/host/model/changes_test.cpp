// Records of changes (the host's undo): reverting a record gives back the
// document exactly, reverting what that returns gives the changed document
// again, and a record of changes that cancel out prunes to nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/model/Changes.h"
#include "host/model/Document.h"
#include "random_document.h"

namespace host::test {
namespace {

using model::ArtId;
using model::ArtType;
using model::Changes;
using model::Document;

// Runs `edit` on the document while recording, and returns the pruned record.
Changes Record(Document& doc, const std::function<void()>& edit) {
  Changes changes;
  doc.RecordChanges(&changes);
  edit();
  doc.RecordChanges(nullptr);
  doc.Prune(changes);
  return changes;
}

// Steps of one to four random edits each: every step undone in turn gives
// back the document before it, and redone gives the one after it; a step
// prunes to nothing exactly when the document did not change.
TEST(Changes, UndoAndRedoOfRandomStepsGiveBackEveryDocumentExactly) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    Document doc;
    RandomDocument random(doc, seed);
    random.Populate(30, 500);
    std::vector<Document> states{doc};
    std::vector<Changes> steps;
    for (int step = 0; step < 40; ++step) {
      const int edits = 1 + static_cast<int>(random.rng()() % 4);
      steps.push_back(Record(doc, [&] {
        for (int i = 0; i < edits; ++i) random.Edit();
      }));
      states.push_back(doc);
      EXPECT_EQ(steps.back().empty(), states[states.size() - 2] == doc) << "seed " << seed << " step " << step;
    }
    std::vector<Changes> redo(steps.size());
    for (std::size_t i = steps.size(); i-- > 0;) {
      redo[i] = doc.Revert(std::move(steps[i]));
      ASSERT_TRUE(doc == states[i]) << "seed " << seed << " undo of step " << i;
    }
    for (std::size_t i = 0; i < redo.size(); ++i) {
      doc.Revert(std::move(redo[i]));
      ASSERT_TRUE(doc == states[i + 1]) << "seed " << seed << " redo of step " << i;
    }
  }
}

struct CancelCase {
  std::string name;
  std::function<void(Document&, ArtId path, ArtId group)> edit;
};

TEST(Changes, ChangesThatCancelOutLeaveAnEmptyRecord) {
  const std::vector<CancelCase> cases = {
      {"reading through the writable accessors",
       [](Document& d, ArtId p, ArtId g) {
         (void)d.art(p).segments.size();
         (void)d.FindArt(g);
         (void)d.dictionary().size();
         (void)d.layer(d.currentLayer()).title;
       }},
      {"a change changed back",
       [](Document& d, ArtId p, ArtId) {
         const auto before = d.art(p).segments;
         d.art(p).segments.clear();
         d.art(p).segments = before;
       }},
      {"art made and disposed",
       [](Document& d, ArtId, ArtId g) {
         const ArtId temp = d.NewArt(ArtType::Group, {kPlaceInsideOnTop, g});
         d.NewArt(ArtType::Path, {kPlaceInsideOnTop, temp});
         d.Dispose(temp);
       }},
      {"a layer added and removed", [](Document& d, ArtId, ArtId) { d.RemoveLayer(d.AddLayer("temp", 0)); }},
  };
  for (const CancelCase& c : cases) {
    Document doc;
    const ArtId layer = doc.layer(doc.AddLayer("Layer 1")).group;
    const ArtId group = doc.NewArt(ArtType::Group, {kPlaceInsideOnTop, layer});
    const ArtId path = doc.NewArt(ArtType::Path, {kPlaceInsideOnTop, group});
    doc.art(path).segments.push_back({{1, 2}, {1, 2}, {1, 2}, true});
    const Changes changes = Record(doc, [&] { c.edit(doc, path, group); });
    EXPECT_TRUE(changes.empty()) << c.name;
  }
}

// A step costs what it changed: one new path in a big layer keeps no copy of
// the layer's member list or of the other paths.
TEST(Changes, ARecordHoldsOnlyWhatChanged) {
  Document doc;
  const ArtId layer = doc.layer(doc.AddLayer("Layer 1")).group;
  for (int i = 0; i < 5000; ++i) {
    const ArtId p = doc.NewArt(ArtType::Path, {kPlaceInsideOnTop, layer});
    doc.art(p).segments.assign(4, {{double(i), 0}, {double(i), 0}, {double(i), 0}, true});
  }
  const Changes changes = Record(doc, [&] {
    const ArtId p = doc.NewArt(ArtType::Path, {kPlaceInsideOnTop, layer});
    doc.art(p).segments.assign(4, {});
  });
  EXPECT_EQ(changes.arts.size(), 1u);
  EXPECT_EQ(changes.links.size(), 1u);
  EXPECT_LT(changes.Bytes(), 1000u);
}

// Art disposed together with a container made in the same step comes back
// through the container's edits when the step holds other changes too.
TEST(Changes, AContainerMadeAndDisposedWithinAStepIsPassedThrough) {
  Document doc;
  const ArtId layer = doc.layer(doc.AddLayer("Layer 1")).group;
  const ArtId kept = doc.NewArt(ArtType::Path, {kPlaceInsideOnTop, layer});
  const Document before = doc;
  Changes changes = Record(doc, [&] {
    const ArtId temp = doc.NewArt(ArtType::Group, {kPlaceInsideOnTop, layer});
    doc.Duplicate(kept, {kPlaceInsideOnTop, temp});
    doc.Dispose(temp);
    doc.Dispose(kept);
  });
  const Document after = doc;
  ASSERT_FALSE(changes.empty());
  Changes redo = doc.Revert(std::move(changes));
  EXPECT_TRUE(doc == before);
  doc.Revert(std::move(redo));
  EXPECT_TRUE(doc == after);
}

}  // namespace
}  // namespace host::test
