// Replays every committed input of each fuzz target, the seed corpus and the crash inputs kept
// as regressions, through the target's check.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "checks.h"

namespace fuzz {
// Names the target in test names and messages.
void PrintTo(const Target& target, std::ostream* out) {
  *out << target.name;
}
}  // namespace fuzz

namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = NANSAI_FUZZ_DIR;

std::vector<fs::path> FilesIn(const fs::path& dir) {
  std::vector<fs::path> files;
  if (fs::is_directory(dir)) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.is_regular_file())
        files.push_back(entry.path());
    }
  }
  std::ranges::sort(files);
  return files;
}

// The file's bytes in an allocation of exactly their size, so a read past the end is caught.
struct Bytes {
  std::unique_ptr<char[]> data;
  std::size_t size;
  std::string_view View() const { return {data.get(), size}; }
};

Bytes Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> content{std::istreambuf_iterator<char>(in), {}};
  Bytes bytes{std::make_unique<char[]>(content.size()), content.size()};
  std::ranges::copy(content, bytes.data.get());
  return bytes;
}

class Replay : public testing::TestWithParam<fuzz::Target> {};

TEST_P(Replay, EveryCommittedInputKeepsTheProperties) {
  const fuzz::Target& target = GetParam();
  const std::vector<fs::path> corpus = FilesIn(kFuzzDir / "corpus" / target.name);
  ASSERT_FALSE(corpus.empty()) << "no seed corpus for " << target.name;
  std::vector<fs::path> inputs = FilesIn(kFuzzDir / "regressions" / target.name);
  inputs.insert(inputs.end(), corpus.begin(), corpus.end());
  for (const fs::path& file : inputs) {
    SCOPED_TRACE(file.string());
    const Bytes bytes = Read(file);
    EXPECT_NO_THROW(target.check(bytes.View()));
  }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Replay, testing::ValuesIn(fuzz::kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
