#include "platform/hex.h"

namespace quillon {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
}  // namespace

std::string HexDigits(uint64_t value, int digits) {
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(out.size()) < digits) out.insert(out.begin(), '0');
  return out;
}

std::string Hex0x(uint64_t value, int digits) { return "0x" + HexDigits(value, digits); }

std::string HexBytes(ByteView bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i) out.push_back(' ');
    out.push_back(kDigits[bytes[i] >> 4]);
    out.push_back(kDigits[bytes[i] & 0xF]);
  }
  return out;
}

bool ParseHexBytes(std::string_view text, Bytes& out) {
  out.clear();
  int high = -1;
  for (char c : text) {
    if (c == ' ') continue;
    int v = HexValue(c);
    if (v < 0) {
      out.clear();
      return false;
    }
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<uint8_t>(high * 16 + v));
      high = -1;
    }
  }
  if (high >= 0) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace quillon
