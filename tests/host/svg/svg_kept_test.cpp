// Elements the model cannot hold are kept as their XML and written back where
// they stood, so that opening a file and saving it loses nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/model/Document.h"
#include "host/svg/Svg.h"
#include "svg_test_support.h"

namespace {

using host::model::Document;
using host::svg::FormatSvg;
using host::svg::ParseSvg;

constexpr const char* kOpen =
    "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' viewBox='0 0 200 100'>";

// The lines of the saved text that hold one of the needles, in file order.
std::vector<std::string> LinesWith(const std::string& text, const std::vector<std::string>& needles) {
  std::vector<std::string> found;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    for (const std::string& needle : needles)
      if (line.find(needle) != std::string::npos) found.push_back(needle);
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return found;
}

// Saved once, the file reads back to the same content and saves to the very same text.
void ExpectFixedPoint(const std::string& text) {
  const Document opened = ParseSvg(text, "in.svg");
  const std::string first = FormatSvg(opened);
  const Document reopened = ParseSvg(first, "saved.svg");
  EXPECT_TRUE(svgtest::SameContent(opened, reopened)) << first;
  EXPECT_EQ(first, FormatSvg(reopened));
}

struct KeptCase {
  const char* name;
  std::string body;
  std::size_t art;                     // art read (layer groups aside)
  std::vector<std::string> order;      // markers of paths and kept elements, in the saved file's order
  std::vector<std::string> contains;   // exact texts the saved file holds
};

TEST(KeptElements, AreWrittenBackWhereTheyStoodWithTheTransformInForceThere) {
  const KeptCase cases[] = {
      {"text and a foreign image between paths of a moved layer",
       "<g id='L' transform='translate(10 20)'><path id='p1' d='M0 0 L1 1'/>"
       "<text x='5' y='5'>Fish &amp; <tspan>chips</tspan></text>"
       "<path id='p2' d='M0 0 L2 2'/><image xlink:href='photo.png' width='4' height='3'/></g>",
       2,
       {"id=\"p1\"", "<text", "id=\"p2\"", "<image"},
       {"<text x=\"5\" y=\"5\" transform=\"matrix(1 0 0 1 10 20)\">Fish &amp; <tspan>chips</tspan></text>",
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\""}},
      {"masked, filtered, clipped and marked shapes stay as they are",
       "<defs><mask id='m'/><filter id='f'/><clipPath id='c'/><marker id='a'/></defs>"
       "<g><circle cx='1' cy='1' r='1' mask='url(#m)'/><rect width='2' height='2' style='filter:url(#f)'/>"
       "<path d='M0 0 L3 3' clip-path='url(#c)'/><path d='M0 0 L4 4' marker-end='url(#a)'/>"
       "<path id='plain' d='M0 0 L5 5' filter='none'/></g>",
       1,
       {"<defs>", "<circle", "<rect", "clip-path", "marker-end", "id=\"plain\""},
       {"<circle cx=\"1\" cy=\"1\" r=\"1\" mask=\"url(#m)\"/>"}},
      {"a use of text is kept, a use of a path is read",
       "<defs><text id='t'>label</text><path id='p' d='M0 0 L1 0'/></defs>"
       "<g transform='scale(2)'><use xlink:href='#t' x='3'/><use id='u' xlink:href='#p'/></g>",
       2,
       {"<defs>", "<use", "id=\"u\""},
       {"<use xlink:href=\"#t\" x=\"3\" transform=\"matrix(2 0 0 2 0 0)\"/>"}},
      {"definitions and metadata at the top keep their place among the layers",
       "<title>Plan</title><g id='back'/><style>text{font:9px serif}</style><g id='front'/><metadata/>",
       0,
       {"<title>", "id=\"back\"", "<style>", "id=\"front\"", "<metadata/>"},
       {"<style>text{font:9px serif}</style>"}},
      {"a layer holding only text is not written as an empty element",
       "<g id='only'><text>alone</text></g>",
       0,
       {"id=\"only\"", "<text>alone</text>", "</g>"},
       {}},
  };
  for (const KeptCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = std::string(kOpen) + c.body + "</svg>";
    const Document doc = ParseSvg(text, "in.svg");
    EXPECT_EQ(svgtest::AllArt(doc).size(), c.art);
    const std::string saved = FormatSvg(doc);
    EXPECT_EQ(LinesWith(saved, c.order), c.order) << saved;
    for (const std::string& expected : c.contains) EXPECT_NE(saved.find(expected), std::string::npos) << saved;
    ExpectFixedPoint(text);
  }
}

TEST(KeptElements, OpeningSaysWhatWasKeptAndWhatPaintWasReadApproximately) {
  std::vector<std::string> notes;
  ParseSvg(std::string(kOpen) +
               "<defs><linearGradient id='g'/></defs><text>a</text><text>b</text>"
               "<path d='M0 0 L1 1' fill='url(#g) red' stroke='url(#g)'/></svg>",
           "in.svg", &notes);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_NE(notes[0].find("1 <defs>, 2 <text>"), std::string::npos) << notes[0];
  EXPECT_EQ(notes[1].find("2 fill or stroke"), 0u) << notes[1];

  ParseSvg(std::string(kOpen) + "<path d='M0 0 L1 1'/></svg>", "in.svg", &notes);
  EXPECT_TRUE(notes.empty()) << "a file read whole says nothing";
}

TEST(KeptElements, WhatStoodAfterRemovedMembersGoesLast) {
  Document doc = ParseSvg(std::string(kOpen) + "<g><path d='M0 0 L1 1'/><path d='M0 0 L2 2'/><text>end</text></g></svg>",
                          "in.svg");
  const host::model::Art& layer = doc.art(doc.layers()[0].group);
  ASSERT_EQ(layer.kept.size(), 1u);
  EXPECT_EQ(layer.kept[0].position, 2u);
  doc.Dispose(layer.children()[0]);
  const std::string saved = FormatSvg(doc);
  EXPECT_EQ(LinesWith(saved, {"<path", "<text>end</text>"}), (std::vector<std::string>{"<path", "<text>end</text>"}))
      << saved;
}

}  // namespace
