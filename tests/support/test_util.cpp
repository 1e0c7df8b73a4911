#include "support/test_util.h"

#include <stdexcept>
#include <unistd.h>

namespace quillon::test {

Bytes HexToBytes(const std::string& hex) {
  Bytes out;
  if (!ParseHexBytes(hex, out)) throw std::invalid_argument("bad hex in test: " + hex);
  return out;
}

std::filesystem::path SamplesDir() {
  if (const char* env = std::getenv("QUILLON_SAMPLES")) return env;
  return std::filesystem::path(__FILE__).parent_path() / "../../../shared/samples";
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
