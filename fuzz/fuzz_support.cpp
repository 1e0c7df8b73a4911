#include "fuzz_support.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>

#include "descriptors/descriptor.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace quillon::fuzz {

namespace {

RecordingDialogs& Recorder() {
  static RecordingDialogs* dialogs = [] {
    auto* d = new RecordingDialogs();
    SetDialogs(d);
    return d;
  }();
  return *dialogs;
}

class TScratch {
 public:
  TScratch() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / "quillon-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    path_ = pattern;
  }
  ~TScratch() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

RecordingDialogs& Recorded() { return Recorder(); }

void BeginInput() {
  Recorder().Clear();
  Recorder().answers.clear();
  Recorder().defaultAnswer = DialogAnswer::Cancel;
  ResetDescriptorState();
}

const std::filesystem::path& ScratchDir() {
  static TScratch scratch;
  return scratch.Path();
}

void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::fflush(stderr);
  std::abort();
}

void WriteScratchFile(const std::filesystem::path& path, ByteView data) { WriteFileBytes(path, data); }

uint8_t TInput::U8() {
  ByteView b = Take(1);
  return b.empty() ? 0 : b[0];
}

uint16_t TInput::U16() {
  uint16_t hi = U8();
  return static_cast<uint16_t>((hi << 8) | U8());
}

uint32_t TInput::U32() {
  uint32_t hi = U16();
  return (hi << 16) | U16();
}

ByteView TInput::Take(size_t n) {
  n = std::min(n, rest_.size());
  ByteView taken = rest_.first(n);
  rest_ = rest_.subspan(n);
  return taken;
}

ByteView TInput::Rest() { return Take(rest_.size()); }

}  // namespace quillon::fuzz
