// A stand-in host with an empty document, and one host call of the test process on its basic
// suite, so that plug-in code that reads and writes document paths runs in-process on a real
// document model. No plug-in module is loaded: the code under test is linked in.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <vector>

#include "geometry/segment_list.h"
#include "host/Host.h"
#include "host/model/Document.h"
#include "host/model/Ids.h"
#include "host/runtime/Suites.h"
#include "hostcall/HostCall.h"
#include "hostcall/SuiteSet.h"

namespace plugin_test {

class HostDocumentTest : public ::testing::Test {
 protected:
  HostDocumentTest() { host_.NewDocument(); }
  ~HostDocumentTest() override { std::filesystem::remove(PreferencesFile()); }

  ai::SuiteSet& suites() { return ai::Suites(); }
  host::model::Document& doc() { return host_.document(); }
  host::model::Art& ArtOf(AIArtHandle art) { return doc().art(host::model::ArtIdOf(art)); }
  host::model::Layer& FrontLayer() { return doc().layer(doc().layers().front().id); }

  // A path in front of everything else on the front layer.
  AIArtHandle AddPath(const geom::SegmentList& segments, bool closed) {
    const host::model::ArtId id =
        doc().NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, doc().layers().front().group});
    host::model::Art& art = doc().art(id);
    for (const geom::Segment& s : segments)
      art.segments.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner, kSegmentNotSelected});
    art.closed = closed;
    return host::model::ArtHandle(id);
  }

  AIArtHandle AddGroup() {
    return host::model::ArtHandle(
        doc().NewArt(host::model::ArtType::Group, {kPlaceInsideOnTop, doc().layers().front().group}));
  }

  // The path's segments as the document holds them.
  geom::SegmentList SegmentsOf(AIArtHandle art) {
    geom::SegmentList list;
    for (const host::model::Segment& s : ArtOf(art).segments)
      list.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner});
    return list;
  }

  std::size_t ArtCount() const { return host_.document().arts().size(); }

 private:
  // Tests here write host preferences; they must not reach other tests' preference files.
  static std::filesystem::path PreferencesFile() {
    return std::filesystem::temp_directory_path() / "corvane-host-document-tests-preferences.ini";
  }
  static host::HostOptions Options() {
    std::filesystem::remove(PreferencesFile());
    host::HostOptions options;
    options.preferencesFile = PreferencesFile();
    return options;
  }

 protected:
  host::Host host_{Options()};

 private:
  ai::HostCallScope call_{&host::runtime::BasicSuite()};
};

// A smooth path of four anchors with pulled-out handles, far enough from the page edges that
// every piece can be hit at its middle without another piece or anchor nearby.
inline geom::SegmentList FourAnchorPath() {
  return {
      {{100, 100}, {90, 80}, {110, 140}, false},
      {{200, 150}, {170, 160}, {230, 140}, false},
      {{300, 100}, {290, 140}, {310, 60}, false},
      {{220, 30}, {260, 20}, {180, 40}, false},
  };
}

}  // namespace plugin_test
