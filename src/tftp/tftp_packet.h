#pragma once
// TFTP packets (RFC 1350 with the option extension of RFC 2347): building and
// parsing. Parsing takes any bytes from the network and never reads past them.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/bytes.h"

namespace quillon {

enum TftpOpcode : uint16_t {
  kTftpRrq = 1,
  kTftpWrq = 2,
  kTftpData = 3,
  kTftpAck = 4,
  kTftpError = 5,
  kTftpOack = 6,
};

// Codes of the ERROR packet.
enum TftpErrorCode : uint16_t {
  kTftpNotDefined = 0,
  kTftpFileNotFound = 1,
  kTftpAccessViolation = 2,
  kTftpAllocationExceeded = 3,
  kTftpIllegalOperation = 4,
  kTftpUnknownTransferId = 5,
  kTftpFileExists = 6,
  kTftpNoSuchUser = 7,
  kTftpOptionNegotiation = 8,
};

// Option name and value as the 8-bit strings of the packet.
using TTftpOption = std::pair<RawString, RawString>;
using TTftpOptions = std::vector<TTftpOption>;

Bytes BuildRequest(TftpOpcode opcode, const RawString& file, const RawString& mode, const TTftpOptions& options);
Bytes BuildData(uint16_t block, ByteView data);
Bytes BuildAck(uint16_t block);
Bytes BuildError(uint16_t code, const RawString& message);
Bytes BuildOptionAck(const TTftpOptions& options);

struct TTftpPacket {
  uint16_t Opcode = 0;      // 0 when the datagram is too short to hold one
  bool WellFormed = false;  // the layout of a known opcode is complete
  uint16_t Number = 0;      // DATA and ACK: block number; ERROR: error code
  RawString Text;           // RRQ and WRQ: file name; ERROR: message
  RawString Mode;           // RRQ and WRQ
  TTftpOptions Options;     // RRQ, WRQ and OACK, in packet order
  Bytes Data;               // DATA
};

// Requests and OACKs need every string zero-terminated and options in whole pairs;
// DATA, ACK and ERROR need their 16-bit fields. An ERROR message without its zero
// byte runs to the end of the datagram, and bytes after an ACK's block number are
// ignored: servers in the field send both.
TTftpPacket ParsePacket(ByteView datagram);

// Local text (LF line ends) as netascii: every LF becomes CR LF, every CR becomes CR NUL.
Bytes ToNetascii(ByteView text);

// A decimal option value without sign, spaces or other characters; values beyond
// 32 bits are nothing as well.
std::optional<uint32_t> ParseOptionNumber(const RawString& value);

}  // namespace quillon
