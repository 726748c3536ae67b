// Limits that keep a broken or hostile file from exhausting memory or stack.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host::svg {

// Whole files are read into memory before parsing, and the XML tree takes up
// to some 25 times the text (an element "<g/>" is four bytes of text and about
// a hundred of tree).  Drawings for this host are a few hundred kilobytes; the
// cap turns a mistaken or malicious input (a huge export, a device file) into
// an error instead of an out-of-memory failure.
inline constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{16} << 20;

// Each nesting level costs a recursion frame in the reader and later in the
// model's copies and comparisons.  tinyxml2 has its own cap, but its value
// differs between releases, so the reader enforces this one itself.
inline constexpr int kMaxElementDepth = 64;

// Plug-ins address anchors with 16-bit indices (the path suite's counts are
// int16_t), so a path with more anchors could not be read or edited by them.
// The path-data parser stops at this count, which also bounds its memory.
inline constexpr std::size_t kMaxAnchorsPerPath = 32767;

// Subpaths in one d attribute.  A compound path needs one member art per
// subpath; the cap bounds the memory "M0 0M0 0..." can make the reader take.
inline constexpr std::size_t kMaxSubpathsPerPath = 32767;

// Elements drawn through <use>: each may refer to others that use more, so a
// small file could otherwise ask for billions of copies.
inline constexpr std::size_t kMaxUseExpansions = 100000;

}  // namespace host::svg
