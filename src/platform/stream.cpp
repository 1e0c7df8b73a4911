#include "platform/stream.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quillon {

namespace {
const char* Text(FileMsg id) { return FileMessages().CText(id); }
}  // namespace

uint64_t TStream::Remaining() const {
  uint64_t size = Size(), pos = Position();
  return pos < size ? size - pos : 0;
}

void TStream::ReadBuffer(void* buffer, size_t n) {
  uint64_t at = Position();
  if (Read(buffer, n) != n)
    throw StreamError(Format(Text(FileMsg::EndsEarly), n, static_cast<unsigned long long>(at)));
}

uint8_t TStream::ReadU8() {
  uint8_t b;
  ReadBuffer(&b, 1);
  return b;
}

uint16_t TStream::ReadU16() {
  uint8_t b[2];
  ReadBuffer(b, 2);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t TStream::ReadU32() {
  uint8_t b[4];
  ReadBuffer(b, 4);
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
         (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

int32_t TStream::ReadI32() { return static_cast<int32_t>(ReadU32()); }

bool TStream::ReadBool() { return ReadU8() != 0; }

long double TStream::ReadExtended() {
  uint8_t b[10];
  ReadBuffer(b, 10);
  long double v = 0;
  std::memcpy(&v, b, 10);
  return v;
}

void TStream::WriteU8(uint8_t v) { Write(&v, 1); }

void TStream::WriteU16(uint16_t v) {
  uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  Write(b, 2);
}

void TStream::WriteU32(uint32_t v) {
  uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                  static_cast<uint8_t>(v >> 24)};
  Write(b, 4);
}

void TStream::WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }

void TStream::WriteBool(bool v) { WriteU8(v ? 1 : 0); }

void TStream::WriteExtended(long double v) {
  uint8_t b[sizeof(long double)] = {};
  std::memcpy(b, &v, sizeof(long double));
  Write(b, 10);
}

int32_t TStream::ReadCount(size_t minBytesEach, const char* what) {
  uint64_t at = Position();
  int32_t n = ReadI32();
  if (n < 0)
    throw StreamError(
        Format(Text(FileMsg::NegativeCount), what, n, static_cast<unsigned long long>(at)));
  if (minBytesEach > 0 && static_cast<uint64_t>(n) > Remaining() / minBytesEach)
    throw StreamError(Format(Text(FileMsg::CountExceeds), what, n, static_cast<unsigned long long>(at),
                             static_cast<unsigned long long>(Remaining())));
  return n;
}

std::u16string TStream::ReadString16() {
  if (Remaining() < 4) return {};
  int32_t n = ReadCount(2, Text(FileMsg::StringLength));
  std::u16string s(static_cast<size_t>(n), u'\0');
  for (int32_t i = 0; i < n; ++i) s[i] = static_cast<char16_t>(ReadU16());
  return s;
}

RawString TStream::ReadString8() {
  if (Remaining() < 4) return {};
  int32_t n = ReadCount(1, Text(FileMsg::StringLength));
  RawString s(static_cast<size_t>(n), '\0');
  ReadBuffer(s.data(), s.size());
  return s;
}

void TStream::WriteString16(const std::u16string& s) {
  WriteI32(static_cast<int32_t>(s.size()));
  for (char16_t c : s) WriteU16(static_cast<uint16_t>(c));
}

void TStream::WriteString8(const RawString& s) {
  WriteI32(static_cast<int32_t>(s.size()));
  Write(s.data(), s.size());
}

// ---------------------------------------------------------------- memory

size_t TMemoryStream::Read(void* buffer, size_t n) {
  size_t avail = pos_ < data_.size() ? data_.size() - pos_ : 0;
  size_t k = n < avail ? n : avail;
  if (k) std::memcpy(buffer, data_.data() + pos_, k);
  pos_ += k;
  return k;
}

void TMemoryStream::Write(const void* buffer, size_t n) {
  if (pos_ + n > data_.size()) data_.resize(pos_ + n);
  if (n) std::memcpy(data_.data() + pos_, buffer, n);
  pos_ += n;
}

void TMemoryStream::Seek(uint64_t position) {
  pos_ = position < data_.size() ? static_cast<size_t>(position) : data_.size();
}

// ---------------------------------------------------------------- file

namespace {
std::string Reason() { return std::strerror(errno); }
}  // namespace

TFileStream::TFileStream(const std::filesystem::path& path, Mode) : path_(path) {
  const int fd = OpenRegularFile(path);
  file_ = ::fdopen(fd, "rb");
  if (!file_) {
    const int error = errno;
    ::close(fd);
    throw StreamError(Format(Text(FileMsg::CannotOpen), path.c_str(), std::strerror(error)));
  }
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t n) {
  size_t k = std::fread(buffer, 1, n, file_);
  if (k < n && std::ferror(file_))
    throw StreamError(Format(Text(FileMsg::CannotRead), path_.c_str(), Reason().c_str()));
  return k;
}

void TFileStream::Write(const void*, size_t) {
  throw StreamError(Format(Text(FileMsg::CannotWrite), path_.c_str(), Text(FileMsg::OpenedForReading)));
}

uint64_t TFileStream::Size() const {
  struct stat st {};
  return ::fstat(fileno(file_), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

uint64_t TFileStream::Position() const {
  const off_t pos = ::ftello(file_);
  return pos < 0 ? 0 : static_cast<uint64_t>(pos);
}

void TFileStream::Seek(uint64_t position) { ::fseeko(file_, static_cast<off_t>(position), SEEK_SET); }

}  // namespace quillon
