#pragma once
// Runs the built quillon-cli as a user runs it, with no input and its output kept.
#include <filesystem>
#include <string>
#include <vector>

namespace quillon::test {

inline const std::filesystem::path kCli = QUILLON_CLI;
inline const std::filesystem::path kExamples = QUILLON_EXAMPLES;

struct Result {
  int code = -1;  // the exit status, or 128 + the signal that ended it
  std::string out, err;
};

// `folder` holds the files that catch stdout and stderr.
Result RunCli(const std::vector<std::string>& args, const std::filesystem::path& folder);

}  // namespace quillon::test
