#include "support/test_util.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace quillon::test {

Bytes HexToBytes(const std::string& hex) {
  Bytes out;
  if (!ParseHexBytes(hex, out)) throw std::invalid_argument("bad hex in test: " + hex);
  return out;
}

std::string ReadTextFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::filesystem::path SamplesDir() {
  if (const char* env = std::getenv("QUILLON_SAMPLES")) return env;
  return std::filesystem::path(__FILE__).parent_path() / "../data/captures";
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "quillon-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace quillon::test
