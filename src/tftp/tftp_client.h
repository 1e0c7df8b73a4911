#pragma once
// The write side of TFTP (RFC 1350, options of RFC 2347/2348/2349) used for the
// modulator upload. A transfer blocks the calling thread until it ends; the first
// missing answer ends it, nothing is retransmitted.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/errors.h"
#include "platform/udp_socket.h"
#include "tftp/tftp_messages.h"

namespace quillon {

enum class TftpErrorKind {
  // From an ERROR packet of the server (codes 1 to 8, any other code).
  FileNotFound,
  AccessViolation,
  AllocationExceeded,  // also: the file needs more than 65535 blocks
  IllegalOperation,
  UnknownTransferId,
  FileAlreadyExists,
  NoSuchUser,
  OptionNegotiationFailed,
  TransferError,
  // Found by the client.
  Timeout,
  OptionRefused,
  UnexpectedOperation,
  MalformedPacket,
  LocalFile,
  InvalidSetting,
};

class TftpError : public QuillonError {
 public:
  TftpError(TftpErrorKind kind, const std::string& text) : QuillonError(text), kind_(kind) {}
  TftpErrorKind Kind() const { return kind_; }

 private:
  TftpErrorKind kind_;
};

enum class TftpMode { Octet, Netascii };

// How a transfer that did not fail ended.
enum class TftpPutResult {
  Confirmed,             // the server acknowledged every block
  LastBlockUnconfirmed,  // every block but the last of several; its ACK never came
};

// "octet" / "netascii", as the write request names the mode.
const char* TftpModeName(TftpMode mode);

class TTftpClient {
 public:
  using TSocketFactory = std::function<std::unique_ptr<TDatagramSocket>()>;

  // Block sizes the client offers and accepts from an option acknowledgement.
  static constexpr uint16_t kMinBlockSize = 4;
  static constexpr uint16_t kMaxBlockSize = 65460;
  // Every wait lasts at least this long, whatever ReceiveTimeout says.
  static constexpr int kMinWaitMs = 500;
  // Datagrams from anyone but the server get ERROR 5 (unknown transfer ID), this many at
  // once and this many a second after that; the rest go unanswered.
  static constexpr int kStrangerAnswerBurst = 3;
  static constexpr int kStrangerAnswersPerSecond = 3;

  // Talks through UDP sockets bound to a port the system chooses.
  TTftpClient();
  // Talks through the sockets `factory` makes (one per activation).
  explicit TTftpClient(TSocketFactory factory);
  ~TTftpClient();
  TTftpClient(const TTftpClient&) = delete;
  TTftpClient& operator=(const TTftpClient&) = delete;

  const std::string& Host() const { return host_; }
  void SetHost(const std::string& host) { host_ = host; }
  uint16_t Port() const { return port_; }
  void SetPort(uint16_t port) { port_ = port; }
  TftpMode Mode() const { return mode_; }
  void SetMode(TftpMode mode) { mode_ = mode; }
  uint16_t RequestedBlockSize() const { return requestedBlockSize_; }
  // kMinBlockSize..kMaxBlockSize; anything else is a TftpError (InvalidSetting).
  void SetRequestedBlockSize(uint16_t size);
  int ReceiveTimeout() const { return receiveTimeoutMs_; }
  void SetReceiveTimeout(int ms) { receiveTimeoutMs_ = ms; }

  // "connected" / "disconnected" notifications and the client's own status texts.
  void SetOnConnected(std::function<void()> handler) { onConnected_ = std::move(handler); }
  void SetOnDisconnected(std::function<void()> handler) { onDisconnected_ = std::move(handler); }
  void SetOnStatus(std::function<void(const std::string&)> handler) { onStatus_ = std::move(handler); }

  // Opens the socket (notifying "connected"); does nothing when already active.
  void Activate();
  // Closes the socket (notifying "disconnected"); does nothing when not active.
  void Deactivate();
  bool Active() const { return socket_ != nullptr; }

  // The client's texts: those of the active language when it was made.
  TTftpMessages& Messages() { return messages_; }

  // Writes the whole local file to `remoteFile` on Host:Port. Host must be one device
  // (HostAddressProblem); only datagrams from that address take part, and the server's
  // port is the one of its first answer. Activates the client when it is not active.
  // Every transfer ends by closing the socket, so the next one starts from a fresh local
  // port and late packets of this one cannot reach it.
  // A time-out is a TftpError (Timeout), except while only the ACK of the last of
  // several blocks is missing: that transfer counts as done, LastBlockUnconfirmed.
  // Throws TftpError (or SocketError when the system refuses a socket call).
  TftpPutResult Put(const std::filesystem::path& localFile, const std::string& remoteFile);

 private:
  void Status(const std::string& text) const;
  const char* Text(TftpMsg id) const { return messages_.Text(id).c_str(); }

  TSocketFactory factory_;
  TTftpMessages messages_{TftpMessages()};
  std::unique_ptr<TDatagramSocket> socket_;
  std::string host_;
  uint16_t port_ = 69;
  TftpMode mode_ = TftpMode::Octet;
  uint16_t requestedBlockSize_ = 1500;
  int receiveTimeoutMs_ = 4000;
  std::function<void()> onConnected_, onDisconnected_;
  std::function<void(const std::string&)> onStatus_;
};

}  // namespace quillon
