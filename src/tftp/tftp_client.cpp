#include "tftp/tftp_client.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <string_view>

#include "platform/files.h"
#include "platform/language.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "tftp/tftp_packet.h"
#include "tftp/token_bucket.h"

namespace quillon {

namespace {

using Clock = std::chrono::steady_clock;

// RFC 1350 keeps packets without negotiated options at 512 bytes; our ERROR packets
// stay within that whatever the server sent us to quote.
constexpr size_t kMaxErrorPacket = 512;
constexpr uint16_t kDefaultBlockSize = 512;
// A server's text is quoted up to this many characters, then cut with an ellipsis.
constexpr size_t kMaxServerTextChars = 200;

// Server bytes are 8-bit text, one character each; exception texts are UTF-8.
std::string ServerText(std::string_view raw) {
  std::u16string text = Latin1ToUtf16(raw.substr(0, kMaxServerTextChars));
  if (raw.size() > kMaxServerTextChars) text += u'\u2026';
  return Utf16ToUtf8(text);
}

RawString ToLatin1(const std::u16string& text) {
  RawString out;
  for (char16_t c : text) out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return out;
}

TftpError ServerError(const TTftpMessages& texts, const TTftpPacket& p) {
  struct Row {
    TftpErrorKind kind;
    TftpMsg text;
  };
  static const Row kRows[] = {
      {TftpErrorKind::TransferError, TftpMsg::ServerErrorCode},
      {TftpErrorKind::FileNotFound, TftpMsg::FileNotFound},
      {TftpErrorKind::AccessViolation, TftpMsg::AccessViolation},
      {TftpErrorKind::AllocationExceeded, TftpMsg::AllocationExceeded},
      {TftpErrorKind::IllegalOperation, TftpMsg::IllegalOperation},
      {TftpErrorKind::UnknownTransferId, TftpMsg::UnknownTransferId},
      {TftpErrorKind::FileAlreadyExists, TftpMsg::FileAlreadyExists},
      {TftpErrorKind::NoSuchUser, TftpMsg::NoSuchUser},
      {TftpErrorKind::OptionNegotiationFailed, TftpMsg::OptionNegotiationFailed},
  };
  const Row row = p.Number < std::size(kRows) ? kRows[p.Number] : kRows[0];
  std::string text = row.text == TftpMsg::ServerErrorCode
                         ? Format(texts.Text(row.text).c_str(), unsigned{p.Number})
                         : texts.Text(row.text);
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
  TWriteTransfer(TDatagramSocket& socket, const TTftpMessages& texts, ByteView content, uint16_t requestedBlockSize,
                 int waitMs)
      : socket_(socket), texts_(texts), content_(content), requestedBlockSize_(requestedBlockSize), waitMs_(waitMs) {}

  // `server.Address` is a valid dotted quad.
  TftpPutResult Run(const TEndpoint& server, const RawString& remoteFile, TftpMode mode) {
    server_ = server;
    serverIp_ = ParseIPv4(server.Address);
    remoteFile_ = remoteFile;
    TTftpOptions options = {{"blksize", std::to_string(requestedBlockSize_)},
                            {"tsize", std::to_string(content_.size())}};
    Send(server, BuildRequest(kTftpWrq, remoteFile, TftpModeName(mode), options));
    for (;;) {
      std::optional<TDatagram> d = ReceiveInTime();
      if (!d) return TimedOut();
      TEndpoint from{d->Address, d->Port};
      if (!FromServer(from)) {
        // Someone else's packet (RFC 1350, 4): tell them, now and then, and go on with our server.
        if (strangerAnswers_.Take(Clock::now())) SendError(from, kTftpUnknownTransferId, "Unknown transfer ID");
        continue;
      }
      if (Handle(ParsePacket(d->Data), d->Data.size())) return TftpPutResult::Confirmed;
    }
  }

 private:
  // Nothing once the deadline has passed, however many datagrams are waiting: a steady
  // stream of ignored ones must not keep a dead transfer going.
  std::optional<TDatagram> ReceiveInTime() {
    const Clock::time_point now = Clock::now();
    if (now >= deadline_) return std::nullopt;
    return socket_.Receive(static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline_ - now).count()));
  }

  // Only the address that was asked may answer; its first datagram fixes the server's
  // port (the transfer identifier) for the rest of the transfer.
  bool FromServer(const TEndpoint& from) {
    if (tid_) return from == *tid_;
    if (ParseIPv4(from.Address) != serverIp_) return false;
    tid_ = from;
    return true;
  }

  // A lost ACK of the final block of several still leaves a complete file behind, the
  // server having acknowledged everything before it; any other silence is a failure.
  TftpPutResult TimedOut() const {
    if (lastSent_ && awaited_ > 1) return TftpPutResult::LastBlockUnconfirmed;
    if (awaited_ == 0)
      throw TftpError(TftpErrorKind::Timeout, Format(texts_.Text(TftpMsg::NoAnswer).c_str(), server_.Address.c_str(),
                                                     unsigned{server_.Port}, remoteFile_.c_str()));
    throw TftpError(TftpErrorKind::Timeout,
                    Format(texts_.Text(TftpMsg::BlockNotConfirmed).c_str(), tid_->Address.c_str(), unsigned{tid_->Port},
                           unsigned{awaited_}, content_.size() / blockSize_ + 1, remoteFile_.c_str()));
  }

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
          throw TftpError(TftpErrorKind::TransferError, Format(texts_.Text(TftpMsg::MalformedError).c_str(),
                                                               tid_->Address.c_str(), unsigned{tid_->Port}));
        throw ServerError(texts_, p);
      default:
        SendError(*tid_, kTftpIllegalOperation, "");
        throw TftpError(TftpErrorKind::UnexpectedOperation, Format(texts_.Text(TftpMsg::UnexpectedOperation).c_str(),
                                                                   tid_->Address.c_str(), unsigned{tid_->Port}));
    }
  }

  bool Acknowledged(uint16_t block) {
    if (block != awaited_) return false;  // a duplicate or a stale one
    if (lastSent_) return true;
    if (block == 0xFFFF) {
      SendError(*tid_, kTftpAllocationExceeded, "");
      throw TftpError(TftpErrorKind::AllocationExceeded,
                      Format(texts_.Text(TftpMsg::TooManyBlocks).c_str(), unsigned{blockSize_}));
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
      const std::string nameText = Utf16ToUtf8(Latin1ToUtf16(name));
      if (lower == "blksize") {
        // A server may lower the size we offered, never raise it (RFC 2348).
        std::optional<uint32_t> n = ParseOptionNumber(value);
        if (!n || *n < TTftpClient::kMinBlockSize || *n > TTftpClient::kMaxBlockSize || *n > requestedBlockSize_) {
          const std::string valueText = Utf16ToUtf8(Latin1ToUtf16(value));
          Refuse(Format(TTftpMessages::DefaultText(TftpMsg::UnsupportedOptionValue), valueText.c_str(), nameText.c_str()),
                 Format(texts_.CText(TftpMsg::UnsupportedOptionValue), valueText.c_str(), nameText.c_str()));
        }
        blockSize_ = static_cast<uint16_t>(*n);
      } else if (lower != "tsize") {
        Refuse(Format(TTftpMessages::DefaultText(TftpMsg::UnsupportedOption), nameText.c_str()),
               Format(texts_.CText(TftpMsg::UnsupportedOption), nameText.c_str()));
      }
    }
  }

  // The server reads `wireText`, the user `text`.
  [[noreturn]] void Refuse(const std::string& wireText, const std::string& text) {
    SendError(*tid_, kTftpOptionNegotiation, ToLatin1(Utf8ToUtf16(wireText)));
    throw TftpError(TftpErrorKind::OptionRefused, text);
  }

  [[noreturn]] void Malformed(const TTftpPacket& p, size_t size) {
    SendError(*tid_, kTftpIllegalOperation, "");
    throw TftpError(TftpErrorKind::MalformedPacket,
                    Format(texts_.Text(TftpMsg::MalformedPacket).c_str(), unsigned{p.Opcode}, size,
                           tid_->Address.c_str(), unsigned{tid_->Port}));
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
  const TTftpMessages& texts_;
  ByteView content_;
  uint16_t requestedBlockSize_;
  int waitMs_;
  TEndpoint server_;  // the address and port the request went to
  std::optional<uint32_t> serverIp_;
  RawString remoteFile_;
  Clock::time_point deadline_;
  std::optional<TEndpoint> tid_;  // the server's transfer identifier, from its first reply
  TTokenBucket strangerAnswers_{TTftpClient::kStrangerAnswerBurst, TTftpClient::kStrangerAnswersPerSecond};
  uint16_t blockSize_ = kDefaultBlockSize;
  uint16_t awaited_ = 0;
  size_t offset_ = 0;
  bool lastSent_ = false;
};

Bytes ReadLocalFile(const std::filesystem::path& path, const TTftpMessages& texts) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    throw TftpError(TftpErrorKind::LocalFile, Format(texts.Text(TftpMsg::LocalFolder).c_str(), path.c_str()));
  try {
    return ReadFileBytes(path);
  } catch (const StreamError& e) {
    throw TftpError(TftpErrorKind::LocalFile, e.what());
  }
}

}  // namespace

const TTftpMessages& TftpMessages() { return ModuleMessages<TTftpMessages>("TTftpClient"); }

const char* TftpModeName(TftpMode mode) { return mode == TftpMode::Netascii ? "netascii" : "octet"; }

TTftpClient::TTftpClient() : TTftpClient([] { return std::make_unique<TUdpSocket>(); }) {}

TTftpClient::TTftpClient(TSocketFactory factory) : factory_(std::move(factory)) {}

// Closes without notifying: the owner that set the handlers may be half destroyed.
TTftpClient::~TTftpClient() = default;

void TTftpClient::SetRequestedBlockSize(uint16_t size) {
  if (size < kMinBlockSize || size > kMaxBlockSize)
    throw TftpError(TftpErrorKind::InvalidSetting, Format(Text(TftpMsg::BlockSizeRange), unsigned{size},
                                                          unsigned{kMinBlockSize}, unsigned{kMaxBlockSize}));
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

TftpPutResult TTftpClient::Put(const std::filesystem::path& localFile, const std::string& remoteFile) {
  if (remoteFile.empty() || remoteFile.find('\0') != std::string::npos)
    throw TftpError(TftpErrorKind::InvalidSetting, Format(Text(TftpMsg::BadRemoteName), remoteFile.c_str()));
  if (std::string problem = HostAddressProblem(host_); !problem.empty())
    throw TftpError(TftpErrorKind::InvalidSetting, problem);
  Bytes content = ReadLocalFile(localFile, messages_);
  if (mode_ == TftpMode::Netascii) content = ToNetascii(content);

  Activate();
  struct DeactivateAtEnd {
    TTftpClient& client;
    ~DeactivateAtEnd() { client.Deactivate(); }
  } deactivate{*this};

  Status(Format(Text(TftpMsg::Sending), remoteFile.c_str(), content.size(), host_.c_str(), unsigned{port_}));
  TWriteTransfer transfer(*socket_, messages_, content, requestedBlockSize_, std::max(kMinWaitMs, receiveTimeoutMs_));
  const TftpPutResult result = transfer.Run({host_, port_}, remoteFile, mode_);
  Status(Format(Text(result == TftpPutResult::Confirmed ? TftpMsg::Complete : TftpMsg::CompleteLastBlockUnconfirmed),
                remoteFile.c_str()));
  return result;
}

}  // namespace quillon
