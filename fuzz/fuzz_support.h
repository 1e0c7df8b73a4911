#pragma once
// What every fuzz target shares: message boxes recorded instead of shown, the descriptor
// unit's state reset per input, a scratch folder, a reader over the input's bytes and
// checks that abort, so that both libFuzzer and the replay report a broken invariant.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "platform/bytes.h"
#include "platform/dialogs.h"

namespace quillon::fuzz {

// Call first in every LLVMFuzzerTestOneInput: clears the recorded dialogs and resets the
// descriptor unit, so one input cannot change how the next one is read.
void BeginInput();

// The dialogs every message box goes to; questions are answered Cancel / No unless a
// target says otherwise after BeginInput.
RecordingDialogs& Recorded();

// A folder of this process, created on first use and removed at exit.
const std::filesystem::path& ScratchDir();

[[noreturn]] void Fail(const char* condition, const char* file, int line);

// Writes `data` to `path`, replacing what was there.
void WriteScratchFile(const std::filesystem::path& path, ByteView data);

// Takes values from the front of the input; past the end every value is 0 and every
// span empty, so a target never has to check lengths itself.
class TInput {
 public:
  TInput(const uint8_t* data, size_t size) : rest_(data, size) {}
  uint8_t U8();
  uint16_t U16();  // big-endian
  uint32_t U32();  // big-endian
  ByteView Take(size_t n);  // at most n bytes
  ByteView Rest();
  bool Empty() const { return rest_.empty(); }
  size_t Remaining() const { return rest_.size(); }

 private:
  ByteView rest_;
};

}  // namespace quillon::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::quillon::fuzz::Fail(#condition, __FILE__, __LINE__))
