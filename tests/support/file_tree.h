// A fixture for the tests of the directory search and of application
// detection: a fresh folder tree of named files and folders, searched as the
// survey searches it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_search.h"
#include "support/application_slot.h"
#include "support/temp_folder.h"

namespace tavro::testing {

class FileTree : public ::testing::Test {
 protected:
  // Makes each name inside the tree: a folder where it ends in "/", else a file.
  void make(std::initializer_list<std::string_view> names) const {
    for (const std::string_view name : names) {
      if (name.ends_with('/')) {
        std::filesystem::create_directories(tree_.path() / name);
      } else {
        tree_.write(name, "x");
      }
    }
  }

  // What the search finds for a pattern inside the tree, sorted; a search the
  // file system rejects fails the test.
  std::vector<std::wstring> found(std::string_view pattern) const {
    auto matches = find_ordinary_files(tree_.wide(pattern));
    EXPECT_TRUE(matches) << pattern << ": " << (matches ? "" : matches.failure().what());
    std::vector<std::wstring> names = matches ? std::move(*matches) : std::vector<std::wstring>{};
    std::sort(names.begin(), names.end());
    return names;
  }

  // The detection of slot 1 with Path1 inside the tree.
  ApplicationDetection detect(std::string_view path, const std::string& file,
                              const std::string& length) const {
    return detect_slot(tree_.utf8(path), file, length);
  }

  TempFolder tree_;
};

}  // namespace tavro::testing
