// A fresh, empty folder under the system's temporary folder, on any platform
// (the POSIX mkdtemp has no Windows counterpart).
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace testsupport {

inline std::filesystem::path MakeTempFolder(const std::string& prefix) {
  std::random_device entropy;
  std::mt19937_64 draw((static_cast<uint64_t>(entropy()) << 32) ^ entropy());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / (prefix + std::to_string(draw()));
    std::error_code ec;
    if (std::filesystem::create_directory(folder, ec)) return folder;
  }
  throw std::runtime_error("cannot make a temporary folder");
}

}  // namespace testsupport
