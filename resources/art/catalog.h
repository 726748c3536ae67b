// Every resource the plug-in looks up: images with their ids and sizes, the
// cursors' hot-spot records, the id table, and the manifest that lists the
// files for the step that embeds them into the module.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas.h"

namespace corvane::art {

inline constexpr std::string_view kIdTableName = "IDToFile";
inline constexpr std::string_view kIdTableFile = "IDToFile.txt";
inline constexpr std::string_view kManifestFile = "manifest.txt";

struct ImageEntry {
  int id;
  std::string name;  // resource base name, without density suffix
  int width;         // in 1x pixels
  int height;
  bool is_cursor;
  std::string note;  // what the picture shows, for the id table's comment
  std::function<void(Canvas&)> draw;
};

// In id-table order: cursors, tool icons (light then dark), dialog pictures.
std::vector<ImageEntry> ImageCatalog();

std::string HotSpotRecord(int x, int y);
std::string IdTableText(const std::vector<ImageEntry>& images);

struct ManifestLine {
  std::string type;  // "PNG", "XML" or "txt"
  std::string name;  // resource name
  std::string file;  // relative to the manifest's folder
};

std::string ManifestText(const std::vector<ManifestLine>& lines);

// Draws and writes every resource into folder (which must exist), the
// manifest last; returns the manifest's lines.
std::vector<ManifestLine> WriteResources(const std::filesystem::path& folder);

}  // namespace corvane::art
