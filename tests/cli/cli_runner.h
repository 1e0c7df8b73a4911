#pragma once
// Runs the built quillon-cli as a user runs it, with its output kept.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillon::test {

inline const std::filesystem::path kCli = QUILLON_CLI;
inline const std::filesystem::path kExamples = QUILLON_EXAMPLES;

struct Result {
  int code = -1;  // the exit status, or 128 + the signal that ended it
  std::string out, err;
};

struct RunOptions {
  std::filesystem::path input = "/dev/null";  // standard input
  // Limits of the process: how large a file it may write (as on a full disk; writes
  // beyond fail with EFBIG) and how much address space it may take.
  std::optional<uint64_t> fileSizeLimit, memoryLimit;
  // Set on top of ours, which has no LC_ALL, LC_MESSAGES or LANG (the tool speaks German).
  std::map<std::string, std::string> environment;
  // Standard output: kept in Result::out unless it goes to this file instead, or to a
  // pipe whose reader is gone before the program starts.
  std::optional<std::filesystem::path> output;
  bool outputReaderGone = false;
};

Result RunCli(const std::vector<std::string>& args, const RunOptions& options = {});
// The same for a copy of the tool elsewhere.
Result RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const RunOptions& options = {});

}  // namespace quillon::test
