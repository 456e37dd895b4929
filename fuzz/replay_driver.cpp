// Stand-alone driver for the fuzz targets when libFuzzer is not linked.
// It feeds every file of the given corpus folders to the target, then a fixed
// number of inputs mutated from them by a seeded generator, so a run is
// repeatable and fits in a test.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> v, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int i = 0; i < edits; ++i) {
    switch (rng() % 5) {
      case 0:  // flip a byte
        if (!v.empty()) v[rng() % v.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
      case 1:  // set a byte to an interesting value
        if (!v.empty()) {
          static const uint8_t kVals[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
          v[rng() % v.size()] = kVals[rng() % sizeof(kVals)];
        }
        break;
      case 2:  // truncate
        if (!v.empty()) v.resize(rng() % v.size());
        break;
      case 3:  // insert random bytes
      {
        const size_t at = v.empty() ? 0 : rng() % (v.size() + 1);
        const size_t n = 1 + rng() % 4;
        for (size_t k = 0; k < n; ++k)
          v.insert(v.begin() + static_cast<long>(at), static_cast<uint8_t>(rng()));
        break;
      }
      default:  // duplicate a slice
        if (v.size() > 2) {
          const size_t a = rng() % v.size();
          const size_t n = 1 + rng() % (v.size() - a);
          std::vector<uint8_t> slice(v.begin() + static_cast<long>(a), v.begin() + static_cast<long>(a + n));
          v.insert(v.begin() + static_cast<long>(rng() % v.size()), slice.begin(), slice.end());
        }
        break;
    }
  }
  if (v.size() > 1 << 20) v.resize(1 << 20);
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  long iterations = 0;
  std::vector<std::vector<uint8_t>> seeds;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--iterations=", 13) == 0) {
      iterations = std::strtol(argv[i] + 13, nullptr, 10);
      continue;
    }
    std::filesystem::path p(argv[i]);
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec)) {
      std::vector<std::filesystem::path> files;
      for (const auto& e : std::filesystem::directory_iterator(p)) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (const auto& f : files) seeds.push_back(ReadFile(f));
    } else if (std::filesystem::exists(p, ec)) {
      seeds.push_back(ReadFile(p));
    }
  }
  if (seeds.empty()) seeds.emplace_back();
  for (const auto& s : seeds) LLVMFuzzerTestOneInput(s.data(), s.size());
  std::mt19937 rng(12345);
  for (long i = 0; i < iterations; ++i) {
    auto v = Mutate(seeds[static_cast<size_t>(i) % seeds.size()], rng);
    LLVMFuzzerTestOneInput(v.data(), v.size());
  }
  std::printf("replayed %zu seeds and %ld mutated inputs\n", seeds.size(), iterations);
  return 0;
}
