#include "tftp/tftp_client.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "platform/files.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "tftp/tftp_packet.h"

namespace quillon {

namespace {

using Clock = std::chrono::steady_clock;

// RFC 1350 keeps packets without negotiated options at 512 bytes; our ERROR packets
// stay within that whatever the server sent us to quote.
constexpr size_t kMaxErrorPacket = 512;
constexpr uint16_t kDefaultBlockSize = 512;

// Server bytes are 8-bit text; exception texts are UTF-8.
std::string ServerText(const RawString& raw) { return Utf16ToUtf8(Latin1ToUtf16(raw)); }

RawString ToLatin1(const std::u16string& text) {
  RawString out;
  for (char16_t c : text) out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return out;
}

TftpError ServerError(const TTftpPacket& p) {
  struct Row {
    TftpErrorKind kind;
    const char* text;
  };
  static const Row kRows[] = {
      {TftpErrorKind::TransferError, "TFTP error 0"},
      {TftpErrorKind::FileNotFound, "File not found"},
      {TftpErrorKind::AccessViolation, "Access violation"},
      {TftpErrorKind::AllocationExceeded, "Disk full or allocation exceeded"},
      {TftpErrorKind::IllegalOperation, "Illegal TFTP operation"},
      {TftpErrorKind::UnknownTransferId, "Unknown transfer ID"},
      {TftpErrorKind::FileAlreadyExists, "File already exists"},
      {TftpErrorKind::NoSuchUser, "No such user"},
      {TftpErrorKind::OptionNegotiationFailed, "Option negotiation failed"},
  };
  Row row = p.Number < std::size(kRows) ? kRows[p.Number] : Row{TftpErrorKind::TransferError, nullptr};
  std::string text = row.text ? row.text : Format("TFTP error %u", unsigned{p.Number});
  if (!p.Text.empty()) text += ": " + ServerText(p.Text);
  return TftpError(row.kind, text);
}

struct TEndpoint {
  std::string Address;
  uint16_t Port = 0;
  bool operator==(const TEndpoint&) const = default;
};

// One write transfer: the state of the algorithm between the write request and the end.
class TWriteTransfer {
 public:
  TWriteTransfer(TDatagramSocket& socket, ByteView content, uint16_t requestedBlockSize, int waitMs)
      : socket_(socket), content_(content), requestedBlockSize_(requestedBlockSize), waitMs_(waitMs) {}

  // Returns whether the server acknowledged the final block.
  bool Run(const TEndpoint& server, const RawString& remoteFile, TftpMode mode) {
    TTftpOptions options = {{"blksize", std::to_string(requestedBlockSize_)},
                            {"tsize", std::to_string(content_.size())}};
    Send(server, BuildRequest(kTftpWrq, remoteFile, TftpModeName(mode), options));
    for (;;) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
      std::optional<TDatagram> d = socket_.Receive(static_cast<int>(std::max<decltype(left)>(left, 0)));
      if (!d) {
        if (lastSent_) return false;
        throw TftpError(TftpErrorKind::Timeout, "Zeitüberschreitung");
      }
      TEndpoint from{d->Address, d->Port};
      if (!tid_) {
        tid_ = from;
      } else if (from != *tid_) {
        // Someone else's packet (RFC 1350, 4): tell them, and go on with our server.
        SendError(from, kTftpUnknownTransferId, "Unknown transfer ID");
        continue;
      }
      if (Handle(ParsePacket(d->Data), d->Data.size())) return true;
    }
  }

 private:
  // Returns true when the transfer has ended.
  bool Handle(const TTftpPacket& p, size_t datagramSize) {
    switch (p.Opcode) {
      case kTftpAck:
        if (!p.WellFormed) Malformed(p, datagramSize);
        return Acknowledged(p.Number);
      case kTftpOack:
        if (!p.WellFormed) Malformed(p, datagramSize);
        // Once block 1 is out, an OACK is the server repeating itself: its block size
        // can no longer change what was sent.
        if (awaited_ != 0) return false;
        Negotiate(p.Options);
        return Acknowledged(0);
      case kTftpError:
        if (!p.WellFormed)
          throw TftpError(TftpErrorKind::TransferError,
                          Format("Malformed ERROR packet from %s:%d", tid_->Address.c_str(), tid_->Port));
        throw ServerError(p);
      default:
        SendError(*tid_, kTftpIllegalOperation, "");
        throw TftpError(TftpErrorKind::UnexpectedOperation,
                        Format("Unerwartete Operation von %s:%d", tid_->Address.c_str(), tid_->Port));
    }
  }

  bool Acknowledged(uint16_t block) {
    if (block != awaited_) return false;  // a duplicate or a stale one
    if (lastSent_) return true;
    if (block == 0xFFFF) {
      SendError(*tid_, kTftpAllocationExceeded, "");
      throw TftpError(TftpErrorKind::AllocationExceeded,
                      Format("Allocation exceeded: the file needs more than 65535 blocks of %u bytes",
                             unsigned{blockSize_}));
    }
    size_t count = std::min<size_t>(content_.size() - offset_, blockSize_);
    Send(*tid_, BuildData(static_cast<uint16_t>(awaited_ + 1), content_.subspan(offset_, count)));
    offset_ += count;
    lastSent_ = count < blockSize_;
    ++awaited_;
    return false;
  }

  void Negotiate(const TTftpOptions& options) {
    for (const auto& [name, value] : options) {
      std::string lower = name;
      std::transform(lower.begin(), lower.end(), lower.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
      if (lower == "blksize") {
        // A server may lower the size we offered, never raise it (RFC 2348).
        std::optional<uint32_t> n = ParseOptionNumber(value);
        if (!n || *n < TTftpClient::kMinBlockSize || *n > TTftpClient::kMaxBlockSize || *n > requestedBlockSize_)
          Refuse(Utf8ToUtf16("Nicht unterstützter Wert \"") + Latin1ToUtf16(value) +
                 Utf8ToUtf16("\" für Option: \"") + Latin1ToUtf16(name) + u"\"");
        blockSize_ = static_cast<uint16_t>(*n);
      } else if (lower != "tsize") {
        Refuse(Utf8ToUtf16("Nicht unterstützte Option: \"") + Latin1ToUtf16(name) + u"\"");
      }
    }
  }

  [[noreturn]] void Refuse(const std::u16string& text) {
    SendError(*tid_, kTftpOptionNegotiation, ToLatin1(text));
    throw TftpError(TftpErrorKind::OptionRefused, Utf16ToUtf8(text));
  }

  [[noreturn]] void Malformed(const TTftpPacket& p, size_t size) {
    SendError(*tid_, kTftpIllegalOperation, "");
    throw TftpError(TftpErrorKind::MalformedPacket,
                    Format("Malformed packet (opcode %u, %zu bytes) from %s:%d", unsigned{p.Opcode}, size,
                           tid_->Address.c_str(), tid_->Port));
  }

  // Every packet that expects an answer starts the time-out again; ignored datagrams
  // do not, so a chatty peer cannot keep a dead transfer waiting.
  void Send(const TEndpoint& to, const Bytes& packet) {
    socket_.SendTo(to.Address, to.Port, packet);
    deadline_ = Clock::now() + std::chrono::milliseconds(waitMs_);
  }

  void SendError(const TEndpoint& to, uint16_t code, RawString message) {
    message.resize(std::min(message.size(), kMaxErrorPacket - 5));
    socket_.SendTo(to.Address, to.Port, BuildError(code, message));
  }

  TDatagramSocket& socket_;
  ByteView content_;
  uint16_t requestedBlockSize_;
  int waitMs_;
  Clock::time_point deadline_;
  std::optional<TEndpoint> tid_;  // the server's transfer identifier, from its first reply
  uint16_t blockSize_ = kDefaultBlockSize;
  uint16_t awaited_ = 0;
  size_t offset_ = 0;
  bool lastSent_ = false;
};

Bytes ReadLocalFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    throw TftpError(TftpErrorKind::LocalFile, Format("Cannot read \"%s\": it is a folder.", path.c_str()));
  try {
    return ReadFileBytes(path);
  } catch (const StreamError& e) {
    throw TftpError(TftpErrorKind::LocalFile, e.what());
  }
}

}  // namespace

const char* TftpModeName(TftpMode mode) { return mode == TftpMode::Netascii ? "netascii" : "octet"; }

TTftpClient::TTftpClient() : TTftpClient([] { return std::make_unique<TUdpSocket>(); }) {}

TTftpClient::TTftpClient(TSocketFactory factory) : factory_(std::move(factory)) {}

// Closes without notifying: the owner that set the handlers may be half destroyed.
TTftpClient::~TTftpClient() = default;

void TTftpClient::SetRequestedBlockSize(uint16_t size) {
  if (size < kMinBlockSize || size > kMaxBlockSize)
    throw TftpError(TftpErrorKind::InvalidSetting,
                    Format("Block size %u is outside %u..%u.", unsigned{size}, unsigned{kMinBlockSize},
                           unsigned{kMaxBlockSize}));
  requestedBlockSize_ = size;
}

void TTftpClient::Activate() {
  if (socket_) return;
  socket_ = factory_();
  if (onConnected_) onConnected_();
}

void TTftpClient::Deactivate() {
  if (!socket_) return;
  socket_.reset();
  if (onDisconnected_) onDisconnected_();
}

void TTftpClient::Status(const std::string& text) const {
  if (onStatus_) onStatus_(text);
}

void TTftpClient::Put(const std::filesystem::path& localFile, const std::string& remoteFile) {
  if (remoteFile.empty() || remoteFile.find('\0') != std::string::npos)
    throw TftpError(TftpErrorKind::InvalidSetting, Format("Invalid remote file name \"%s\".", remoteFile.c_str()));
  Bytes content = ReadLocalFile(localFile);
  if (mode_ == TftpMode::Netascii) content = ToNetascii(content);

  Activate();
  struct DeactivateAtEnd {
    TTftpClient& client;
    ~DeactivateAtEnd() { client.Deactivate(); }
  } deactivate{*this};

  Status(Format("Sending \"%s\" (%zu bytes) to %s:%u", remoteFile.c_str(), content.size(), host_.c_str(),
                unsigned{port_}));
  TWriteTransfer transfer(*socket_, content, requestedBlockSize_, std::max(kMinWaitMs, receiveTimeoutMs_));
  bool acknowledged = transfer.Run({host_, port_}, remoteFile, mode_);
  Status(Format(acknowledged ? "Transfer of \"%s\" complete" : "Transfer of \"%s\" complete (last block not acknowledged)",
                remoteFile.c_str()));
}

}  // namespace quillon
