#pragma once
// Byte streams for the system's own files: little-endian integers, 10-byte extended
// floats and length-prefixed strings. A read never passes the end of the stream.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

#include "platform/bytes.h"

namespace quillon {

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit extended type");

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to n bytes; returns how many were read (fewer at the end).
  virtual size_t Read(void* buffer, size_t n) = 0;
  // Writes all n bytes or throws StreamError.
  virtual void Write(const void* buffer, size_t n) = 0;
  virtual uint64_t Size() const = 0;
  virtual uint64_t Position() const = 0;
  virtual void Seek(uint64_t position) = 0;
  uint64_t Remaining() const;

  // Exactly n bytes, or StreamError ("stream ends after ...").
  void ReadBuffer(void* buffer, size_t n);

  uint8_t ReadU8();
  uint16_t ReadU16();
  uint32_t ReadU32();
  int32_t ReadI32();
  bool ReadBool();  // one byte, non-zero is true
  long double ReadExtended();  // 10 bytes, x87 layout

  void WriteU8(uint8_t v);
  void WriteU16(uint16_t v);
  void WriteU32(uint32_t v);
  void WriteI32(int32_t v);
  void WriteBool(bool v);
  void WriteExtended(long double v);

  // Signed 32-bit count, then count UTF-16LE code units / count bytes. When the count
  // itself cannot be read the string is empty; a negative count or one that reaches
  // past the end of the stream is a StreamError.
  std::u16string ReadString16();
  RawString ReadString8();
  void WriteString16(const std::u16string& s);
  void WriteString8(const RawString& s);

  // Reads a signed 32-bit element count and refuses (StreamError naming `what`) a
  // negative one or one whose elements, at least `minBytesEach` each, cannot all be
  // in the rest of the stream. Keeps corrupt files from driving huge allocations.
  int32_t ReadCount(size_t minBytesEach, const char* what);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(Bytes data) : data_(std::move(data)) {}

  size_t Read(void* buffer, size_t n) override;
  void Write(const void* buffer, size_t n) override;
  uint64_t Size() const override { return data_.size(); }
  uint64_t Position() const override { return pos_; }
  void Seek(uint64_t position) override;

  const Bytes& Data() const { return data_; }

 private:
  Bytes data_;
  size_t pos_ = 0;
};

// A regular file opened for reading. Program outputs are written whole through
// WriteFileBytes (platform/files.h), never through a stream on the target.
class TFileStream : public TStream {
 public:
  enum class Mode { Read };
  // Throws StreamError naming the file and the system's reason when it cannot be opened
  // or is no regular file (a folder, a FIFO, a device); never waits for a FIFO's writer.
  TFileStream(const std::filesystem::path& path, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  size_t Read(void* buffer, size_t n) override;
  // Always a StreamError: the stream only reads.
  void Write(const void* buffer, size_t n) override;
  uint64_t Size() const override;
  uint64_t Position() const override;
  void Seek(uint64_t position) override;

 private:
  std::filesystem::path path_;
  FILE* file_ = nullptr;
};

}  // namespace quillon
