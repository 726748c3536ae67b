// Opening and saving through the workspace: a failed open changes nothing,
// and a saved document opens with the same paths.
#include <gtest/gtest.h>

#include <filesystem>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/model/Workspace.h"

namespace host {
namespace {

std::filesystem::path TempFile(const char* name) {
  return std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "-" + name);
}

TEST(WorkspaceFiles, AFailedOpenKeepsTheOpenDocument) {
  Workspace ws(100, 100);
  ws.NewDocument(300, 200);
  const model::Document before = ws.Snapshot();
  const AIRealPoint origin = ws.ScrollOrigin();
  try {
    ws.Open(TempFile("does-not-exist.svg"));
    FAIL() << "opened a missing file";
  } catch (const HostError& e) {
    EXPECT_EQ(e.code(), kFileErr);
  }
  EXPECT_TRUE(ws.Snapshot() == before);
  EXPECT_EQ(ws.ScrollOrigin().h, origin.h);
}

TEST(WorkspaceFiles, SavedPathsOpenWithTheSameSegments) {
  Workspace ws(100, 100);
  ws.NewDocument(300, 200);
  model::Document& doc = ws.document();
  const model::ArtId id = doc.NewArt(model::ArtType::Path, {kPlaceInsideOnTop, doc.layer(doc.currentLayer()).group});
  doc.art(id).segments = {{{10.25, 20.5}, {10.25, 20.5}, {40, 60}, true, 0}, {{100, 20}, {80, 60}, {100, 20}, false, 0}};
  doc.art(id).closed = true;
  const std::filesystem::path file = TempFile("round-trip.svg");
  ws.Save(file);
  Workspace other(100, 100);
  other.Open(file);
  std::filesystem::remove(file);

  std::vector<const model::Art*> paths;
  for (const auto& [artId, art] : other.document().arts())
    if (art.type() == model::ArtType::Path) paths.push_back(&art);
  ASSERT_EQ(paths.size(), 1u);
  ASSERT_EQ(paths[0]->segments.size(), 2u);
  EXPECT_TRUE(paths[0]->closed);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(paths[0]->segments[i].p, doc.art(id).segments[i].p);
    EXPECT_EQ(paths[0]->segments[i].in, doc.art(id).segments[i].in);
    EXPECT_EQ(paths[0]->segments[i].out, doc.art(id).segments[i].out);
  }
}

}  // namespace
}  // namespace host
