#include "support/temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>

#include "common/unicode.h"

namespace tavro::testing {

TempFolder::TempFolder() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("tavro-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::wstring TempFolder::wide(std::string_view relative) const {
  std::filesystem::path path = relative.empty() ? path_ : path_ / relative;
  return path.make_preferred().wstring();
}

std::string TempFolder::utf8(std::string_view relative) const {
  return wide_to_utf8(wide(relative));
}

std::filesystem::path TempFolder::write(std::string_view relative, std::string_view bytes) const {
  std::filesystem::path file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string TempFolder::read(std::string_view relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t TempFolder::entries() const {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                std::filesystem::directory_iterator()));
}

CurrentFolder::CurrentFolder(const std::filesystem::path& folder)
    : before_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

CurrentFolder::~CurrentFolder() {
  std::error_code ignored;
  std::filesystem::current_path(before_, ignored);
}

}  // namespace tavro::testing
