// Build-time generator of the plug-in's pictures and resource tables.
//
//   corvane_draw_resources <output-folder> [--contact-sheet <file.png>]
//
// Writes every PNG at 1x, 1.5x and 2x, the cursors' hot-spot records, the
// id table and the manifest into the output folder (created if missing).
// The contact sheet is a review aid and is never embedded.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "catalog.h"
#include "contact_sheet.h"

int main(int argc, char** argv) {
  std::filesystem::path output;
  std::filesystem::path sheet;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--contact-sheet" && i + 1 < argc) {
      sheet = argv[++i];
    } else if (output.empty() && !arg.starts_with("--")) {
      output = arg;
    } else {
      output.clear();
      break;
    }
  }
  if (output.empty()) {
    std::cerr << "usage: " << argv[0] << " <output-folder> [--contact-sheet <file.png>]\n";
    return 2;
  }
  try {
    std::filesystem::create_directories(output);
    corvane::art::WriteResources(output);
    if (!sheet.empty()) corvane::art::WriteContactSheet(sheet);
  } catch (const std::exception& e) {
    std::cerr << argv[0] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
