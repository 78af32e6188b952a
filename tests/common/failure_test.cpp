#include "common/failure.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace tavro {
namespace {

TEST(MessageOf, AFailureKeepsItsWideMessageAndOtherErrorsAreDecoded) {
  const Failure failure(L"Cannot write \"C:\\Inventar\\Böhm\\PC-1.txt\"");
  EXPECT_EQ(message_of(failure), failure.message());
  EXPECT_EQ(message_of(std::runtime_error("caf\xc3\xa9 closed")), L"caf\u00e9 closed");
  EXPECT_FALSE(message_of(std::bad_alloc()).empty());
}

}  // namespace
}  // namespace tavro
