// A fresh folder and the path of a record file in it, for the tests that
// save records there.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace tavro::testing {

class RecordFolder : public ::testing::Test {
 protected:
  TempFolder folder_;
  const std::wstring record_ = folder_.wide("pc.txt");
};

}  // namespace tavro::testing
