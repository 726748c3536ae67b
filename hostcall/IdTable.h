// The image id table: which file each numeric image id stands for.
//
// The module carries it as the text resource "IDToFile" of type "txt", one
// entry a line:
//
//   16011.png   cross-01-16011.png     // optional comment
//
// that is a decimal id, ".", the extension it is looked up by, blanks or
// tabs, and the file "name.ext" whose base name names the image's resources.
// Leading blanks and tabs are skipped; empty lines and lines starting with
// "//" are skipped.  The table is all or nothing: one line that is not an
// entry leaves it empty, so a damaged table is noticed at start-up instead of
// showing up later as a few missing cursors.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "sdk/SPTypes.h"

namespace ai {

struct IdTableFile {
  std::string name;       // base name, without the extension
  std::string extension;  // as written after the name's last "."
};

class IdTable {
 public:
  // Replaces the table with the entries of text.  When an entry occurs twice
  // for one key the first wins.  On a line that is not an entry the table is
  // left empty and the result is false.
  bool Parse(std::string_view text);
  void Clear() noexcept { entries_.clear(); }

  // The file of (id, extension); the extension compares without regard to
  // ASCII case, like the file names it comes from.  Null when absent.
  const IdTableFile* Find(int32_t id, std::string_view extension) const;
  std::size_t size() const noexcept { return entries_.size(); }
  bool empty() const noexcept { return entries_.empty(); }

 private:
  // Keys keep the extension in lower case.
  std::map<std::pair<int32_t, std::string>, IdTableFile> entries_;
};

// Name and type of the module's table resource.
constexpr const char* kIdTableResourceType = "txt";
constexpr const char* kIdTableResourceName = "IDToFile";

// The module's table, a part of the module session: empty until
// LoadModuleIdTable succeeds.
const IdTable& ModuleIdTable() noexcept;
// Reads the module's table resource.  Throws ai::Error('PARM') when the
// resource is missing or cannot be parsed; the table is empty afterwards.
void LoadModuleIdTable(SPModuleHandle module);

}  // namespace ai
