// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavro::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of a name inside the folder ("/" may separate its parts), with
  // the platform's separators, as wide text and as UTF-8.
  std::wstring wide(std::string_view relative = {}) const;
  std::string utf8(std::string_view relative = {}) const;
  // Writes bytes to a file inside the folder (folders on the way are made).
  std::filesystem::path write(std::string_view relative, std::string_view bytes) const;
  // Reads a file inside the folder; empty when it is missing.
  std::string read(std::string_view relative) const;
  // How many files and folders lie directly in the folder.
  std::size_t entries() const;

 private:
  std::filesystem::path path_;
};

// Makes a folder the current one while the object lives.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path before_;
};

}  // namespace tavro::testing
