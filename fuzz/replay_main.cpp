// The main of a fuzz target outside libFuzzer: runs the target once over every file of
// the folders (or files) named on the command line, so the test suite replays the seed
// corpus and every input that once broke the core.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    fs::path arg = argv[i];
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
      for (const fs::directory_entry& e : fs::directory_iterator(arg, ec))
        // Dot files keep an empty folder in git; they are no inputs.
        if (e.is_regular_file() && !e.path().filename().string().starts_with(".")) inputs.push_back(e.path());
    } else if (fs::is_regular_file(arg, ec)) {
      inputs.push_back(arg);
    } else {
      // A target without findings has no regressions folder yet.
      std::fprintf(stderr, "%s: nothing there, skipped\n", argv[i]);
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 2;
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& p : inputs) {
    std::ifstream in(p, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      std::fprintf(stderr, "%s: cannot read\n", p.c_str());
      return 2;
    }
    // Named before the run, so the last name printed is the input that crashed.
    std::fprintf(stderr, "replaying %s (%zu bytes)\n", p.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::fprintf(stderr, "%zu inputs replayed\n", inputs.size());
  return 0;
}
