// Helpers shared by the SVG tests: documents compared by content, and short
// ways to read a snippet of SVG.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/model/Document.h"

namespace svgtest {

// Equal content: layers, art trees, paints, dictionaries, flags, artboard and
// units, compared field by field with ==, while art and layer ids (fresh in
// every document) are matched by position instead of compared.
testing::AssertionResult SameContent(const host::model::Document& expected, const host::model::Document& actual);

// Reads `body` wrapped in an <svg> root with a 100 x 100 viewBox.
host::model::Document ReadBody(const std::string& body);

// The arts of the document front to back (layer groups excluded).
std::vector<const host::model::Art*> AllArt(const host::model::Document& doc);
// The only path art of the document (fails the test when there is not one).
const host::model::Art& OnlyPath(const host::model::Document& doc);

}  // namespace svgtest
