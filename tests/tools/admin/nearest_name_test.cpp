#include "nearest_name.h"

#include <gtest/gtest.h>

namespace tavro::admin {
namespace {

TEST(NearestName, SuggestsOnlyAClearlyNearestName) {
  const std::vector<std::string> names = {"check", "collect",  "--html", "--help",  "--ini",
                                          "-o",    "--output", "--db",   "--quiet", "--bom"};
  const struct {
    const char* typed;
    const char* meant;  // "" for no suggestion
  } cases[] = {
      {"colect", "collect"},
      {"cehck", "check"},
      {"collcet", "collect"},
      {"--hmtl", "--html"},
      {"--outptu", "--output"},
      {"--qu", "--quiet"},
      {"--he", "--help"},
      {"--bd", "--db"},  // a swap is one edit
      {"--hetl", ""},    // as near --help as --html: no guess
      {"--d", ""},       // one letter left is no evidence
      {"survey", ""},
      {"--colour", ""},
      {"--foo", ""},  // two edits from --bom, but a short word
      {"--", ""},
      {"x", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nearest_name(c.typed, names).value_or(""), c.meant) << c.typed;
  }
}

}  // namespace
}  // namespace tavro::admin
