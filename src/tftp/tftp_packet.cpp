#include "tftp/tftp_packet.h"

#include <algorithm>

namespace quillon {

namespace {

void PutU16(Bytes& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void PutString(Bytes& out, const RawString& s) {
  out.insert(out.end(), s.begin(), s.end());
  out.push_back(0);
}

void PutOptions(Bytes& out, const TTftpOptions& options) {
  for (const auto& [name, value] : options) {
    PutString(out, name);
    PutString(out, value);
  }
}

// Walks a datagram; every read says whether the bytes were there.
class Cursor {
 public:
  explicit Cursor(ByteView data) : data_(data) {}

  bool AtEnd() const { return pos_ >= data_.size(); }

  std::optional<uint16_t> U16() {
    if (data_.size() - pos_ < 2) return std::nullopt;
    uint16_t v = static_cast<uint16_t>((data_[pos_] << 8) | data_[pos_ + 1]);
    pos_ += 2;
    return v;
  }

  // Characters up to a zero byte, which is consumed; nothing when the zero is missing.
  std::optional<RawString> CString() {
    auto begin = data_.begin() + static_cast<std::ptrdiff_t>(pos_);
    auto zero = std::find(begin, data_.end(), uint8_t{0});
    if (zero == data_.end()) return std::nullopt;
    RawString s(begin, zero);
    pos_ += s.size() + 1;
    return s;
  }

  // Up to the first zero byte or the end, whichever comes first.
  RawString TextToZeroOrEnd() {
    auto begin = data_.begin() + static_cast<std::ptrdiff_t>(pos_);
    RawString s(begin, std::find(begin, data_.end(), uint8_t{0}));
    pos_ = data_.size();
    return s;
  }

  Bytes Rest() {
    Bytes b(data_.begin() + static_cast<std::ptrdiff_t>(pos_), data_.end());
    pos_ = data_.size();
    return b;
  }

 private:
  ByteView data_;
  size_t pos_ = 0;
};

// Name/value pairs up to the end of the datagram.
bool ReadOptions(Cursor& c, TTftpOptions& options) {
  while (!c.AtEnd()) {
    std::optional<RawString> name = c.CString();
    if (!name) return false;
    std::optional<RawString> value = c.CString();
    if (!value) return false;
    options.emplace_back(std::move(*name), std::move(*value));
  }
  return true;
}

}  // namespace

Bytes BuildRequest(TftpOpcode opcode, const RawString& file, const RawString& mode, const TTftpOptions& options) {
  Bytes out;
  PutU16(out, opcode);
  PutString(out, file);
  PutString(out, mode);
  PutOptions(out, options);
  return out;
}

Bytes BuildData(uint16_t block, ByteView data) {
  Bytes out;
  out.reserve(4 + data.size());
  PutU16(out, kTftpData);
  PutU16(out, block);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes BuildAck(uint16_t block) {
  Bytes out;
  PutU16(out, kTftpAck);
  PutU16(out, block);
  return out;
}

Bytes BuildError(uint16_t code, const RawString& message) {
  Bytes out;
  PutU16(out, kTftpError);
  PutU16(out, code);
  PutString(out, message);
  return out;
}

Bytes BuildOptionAck(const TTftpOptions& options) {
  Bytes out;
  PutU16(out, kTftpOack);
  PutOptions(out, options);
  return out;
}

TTftpPacket ParsePacket(ByteView datagram) {
  TTftpPacket p;
  Cursor c(datagram);
  std::optional<uint16_t> opcode = c.U16();
  if (!opcode) return p;
  p.Opcode = *opcode;
  switch (p.Opcode) {
    case kTftpRrq:
    case kTftpWrq: {
      std::optional<RawString> file = c.CString();
      std::optional<RawString> mode = file ? c.CString() : std::nullopt;
      if (!mode) return p;
      p.Text = std::move(*file);
      p.Mode = std::move(*mode);
      p.WellFormed = ReadOptions(c, p.Options);
      break;
    }
    case kTftpData:
    case kTftpAck:
    case kTftpError: {
      std::optional<uint16_t> number = c.U16();
      if (!number) return p;
      p.Number = *number;
      if (p.Opcode == kTftpData) p.Data = c.Rest();
      if (p.Opcode == kTftpError) p.Text = c.TextToZeroOrEnd();
      p.WellFormed = true;
      break;
    }
    case kTftpOack:
      p.WellFormed = ReadOptions(c, p.Options);
      break;
    default:
      break;
  }
  if (!p.WellFormed) p.Options.clear();
  return p;
}

Bytes ToNetascii(ByteView text) {
  Bytes out;
  out.reserve(text.size());
  for (uint8_t b : text) {
    if (b == '\n') {
      out.push_back('\r');
      out.push_back('\n');
    } else if (b == '\r') {
      out.push_back('\r');
      out.push_back(0);
    } else {
      out.push_back(b);
    }
  }
  return out;
}

std::optional<uint32_t> ParseOptionNumber(const RawString& value) {
  if (value.empty()) return std::nullopt;
  uint64_t n = 0;
  for (char ch : value) {
    if (ch < '0' || ch > '9') return std::nullopt;
    n = n * 10 + static_cast<uint64_t>(ch - '0');
    if (n > UINT32_MAX) return std::nullopt;
  }
  return static_cast<uint32_t>(n);
}

}  // namespace quillon
