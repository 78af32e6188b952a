// Runs a fuzz target once on each file in the folders given (or on the
// files given), as libFuzzer does when handed files instead of a corpus to
// grow. Missing folders are skipped: a target may have no kept findings.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs_in(const fs::path& given) {
  // Absolute, because a target may change the current folder.
  const fs::path place = fs::absolute(given);
  std::vector<fs::path> inputs;
  if (fs::is_regular_file(place)) inputs.push_back(place);
  if (fs::is_directory(place)) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(place)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::vector<fs::path> found = inputs_in(argv[i]);
    inputs.insert(inputs.end(), found.begin(), found.end());
  }
  for (const fs::path& input : inputs) {
    std::ifstream file(input, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file.good() && !file.eof()) {
      (void)std::fprintf(stderr, "cannot read %s\n", input.c_str());
      return 1;
    }
    (void)std::fprintf(stderr, "replaying %s\n", input.c_str());
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): libFuzzer's interface
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  (void)std::fprintf(stderr, "%zu inputs replayed\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
