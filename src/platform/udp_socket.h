#pragma once
// IPv4 UDP datagrams: send to an address and port, receive with a time-out and learn
// the sender. The TFTP client talks to the network only through TDatagramSocket, so
// tests and fuzzers can put a scripted socket in its place.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/bytes.h"
#include "platform/errors.h"
#include "platform/message_table.h"

namespace quillon {

// A socket call failed; the text carries the system's reason.
class SocketError : public QuillonError {
 public:
  using QuillonError::QuillonError;
};

struct TDatagram {
  Bytes Data;
  std::string Address;  // sender, dotted quad
  uint16_t Port = 0;    // sender's UDP port
};

class TDatagramSocket {
 public:
  virtual ~TDatagramSocket() = default;
  virtual void SendTo(const std::string& address, uint16_t port, ByteView data) = 0;
  // The next datagram, or nothing when none arrives within timeoutMs (0: only look).
  virtual std::optional<TDatagram> Receive(int timeoutMs) = 0;
};

// Parses a dotted-quad IPv4 address strictly ("1.2.3.4"; no shorthand forms, no
// spaces). Returns the address in network byte order.
std::optional<uint32_t> ParseIPv4(const std::string& text);

// Why an address text names no single device.
enum class HostMsg { NotIPv4, ThisNetwork, Broadcast, Multicast, Reserved };

inline constexpr TMessageRow<HostMsg> kHostMessageRows[] = {
    {HostMsg::NotIPv4, "HostNotIPv4",
     "„%s“ ist keine IPv4-Adresse. Erwartet werden vier Zahlen von 0 bis 255 mit Punkten dazwischen."},
    {HostMsg::ThisNetwork, "HostThisNetwork",
     "„%s“ liegt in 0.0.0.0/8 („dieses Netz“) und bezeichnet kein Gerät. Bitte die Adresse des Geräts angeben."},
    {HostMsg::Broadcast, "HostBroadcast",
     "„%s“ ist die Broadcast-Adresse und erreicht kein einzelnes Gerät. Bitte die Adresse des Geräts angeben."},
    {HostMsg::Multicast, "HostMulticast",
     "„%s“ ist eine Multicast-Adresse (224.0.0.0/4) und bezeichnet kein einzelnes Gerät. Bitte die Adresse des "
     "Geräts angeben."},
    {HostMsg::Reserved, "HostReserved",
     "„%s“ liegt im reservierten Bereich 240.0.0.0/4 und ist nicht nutzbar. Bitte die Adresse des Geräts angeben."},
};
using THostMessages = TMessageTable<HostMsg, kHostMessageRows>;

// Why a socket call failed: the call, then the system's reason.
enum class SocketMsg { Failed, Closed, InvalidAddress, Send, Receive, SendTo, BindTo };

inline constexpr TMessageRow<SocketMsg> kSocketMessageRows[] = {
    {SocketMsg::Failed, "SocketFailed", "UDP-Socket: %s fehlgeschlagen: %s."},
    {SocketMsg::Closed, "SocketClosed", "UDP-Socket: %s an einem geschlossenen Socket."},
    {SocketMsg::InvalidAddress, "SocketInvalidAddress", "Ungültige IPv4-Adresse „%s“."},
    {SocketMsg::Send, "SocketSend", "Senden"},
    {SocketMsg::Receive, "SocketReceive", "Empfangen"},
    {SocketMsg::SendTo, "SocketSendTo", "Senden an %s:%u"},
    {SocketMsg::BindTo, "SocketBindTo", "Binden an %s:%u"},
};
using TSocketMessages = TMessageTable<SocketMsg, kSocketMessageRows>;

// Both in the active language (window "TUdpSocket" of the language file).
const THostMessages& HostMessages();
const TSocketMessages& SocketMessages();

// Empty when `text` is a dotted-quad unicast IPv4 address, one device to send to; else
// the reason, for the user.
std::string HostAddressProblem(const std::string& text);

class TUdpSocket : public TDatagramSocket {
 public:
  // Opens a socket bound to localAddress:localPort; port 0 lets the system choose.
  explicit TUdpSocket(const std::string& localAddress = "0.0.0.0", uint16_t localPort = 0);
  ~TUdpSocket() override;
  TUdpSocket(TUdpSocket&& other) noexcept;
  TUdpSocket& operator=(TUdpSocket&& other) noexcept;
  TUdpSocket(const TUdpSocket&) = delete;
  TUdpSocket& operator=(const TUdpSocket&) = delete;

  void SendTo(const std::string& address, uint16_t port, ByteView data) override;
  std::optional<TDatagram> Receive(int timeoutMs) override;

  uint16_t LocalPort() const;
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

 private:
  void RequireOpen(const char* operation) const;
  int fd_ = -1;
  Bytes buffer_;  // one for every datagram received, made at the first Receive
};

}  // namespace quillon
