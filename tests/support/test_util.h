#pragma once
// Small helpers shared by the tests.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/bytes.h"
#include "platform/hex.h"

namespace quillon::test {

// "00 40 F0 0D" -> bytes (spaces optional).
Bytes HexToBytes(const std::string& hex);

// A whole file as bytes in a string / a string written as a file (test set-up only).
std::string ReadTextFile(const std::filesystem::path& path);
void WriteTextFile(const std::filesystem::path& path, const std::string& text);

// The folder of the real NIT captures the tests use (tests/data/captures).
std::filesystem::path SamplesDir();

// A fresh, empty temporary folder that is removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace quillon::test

// Byte vectors print as hex on mismatch.
#define EXPECT_BYTES_EQ(expected, actual) \
  EXPECT_EQ(::quillon::HexBytes(expected), ::quillon::HexBytes(actual))
