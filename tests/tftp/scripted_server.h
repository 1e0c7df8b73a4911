#pragma once
// Test peers for the TFTP client: a scripted server on 127.0.0.1 that runs in its own
// thread and answers from a transfer port of its own, as real servers do; and a fake
// socket that needs no network at all.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/udp_socket.h"
#include "tftp/tftp_client.h"
#include "tftp/tftp_packet.h"

namespace quillon::test {

class TScriptedServer {
 public:
  class Session {
   public:
    // The client's request, on the listening port.
    TTftpPacket Request();
    // The next packet the client sends to the transfer port.
    TTftpPacket Next();
    // The next packet the client sends to the stray port.
    TTftpPacket NextAtStray();
    // Sends from the transfer port / from a third port to the client.
    void Send(const Bytes& packet);
    void SendFromStray(const Bytes& packet);
    // ACKs DATA blocks 1, 2, ... until one is shorter than blockSize; the last one is
    // left unanswered when ackLast is false. The data goes to File.
    void AckData(uint16_t blockSize, bool ackLast = true);

    uint16_t TransferPort() const { return transfer_.LocalPort(); }
    uint16_t StrayPort() const { return stray_.LocalPort(); }

    std::vector<TTftpPacket> Log;  // every packet the client sent, in order
    Bytes File;

   private:
    friend class TScriptedServer;
    TTftpPacket Take(TUdpSocket& socket, const char* which);
    TUdpSocket listen_{"127.0.0.1"}, transfer_{"127.0.0.1"}, stray_{"127.0.0.1"};
    std::string clientAddress_;
    uint16_t clientPort_ = 0;
  };

  explicit TScriptedServer(std::function<void(Session&)> script);
  ~TScriptedServer();
  TScriptedServer(const TScriptedServer&) = delete;
  TScriptedServer& operator=(const TScriptedServer&) = delete;

  uint16_t Port() const { return session_.listen_.LocalPort(); }
  // Waits for the script to end; a failed script fails the test.
  Session& Finish();
  // After Finish: a packet the client sent to the transfer port that the script did
  // not read. Everything the client sent before Put returned has arrived by then.
  std::optional<TTftpPacket> Leftover();

 private:
  Session session_;
  std::string failure_;
  std::thread thread_;
};

struct TSentDatagram {
  std::string Address;
  uint16_t Port = 0;
  TTftpPacket Packet;
};

// The network as a fake socket sees it. `Peer` answers every packet the client sends;
// `Inbox` holds what the client will receive next, in order; an empty inbox is a
// time-out, unless `Endless` is set: then every receive on an empty inbox gets a copy
// of it, a flood that never stops by itself. A fuzzer can fill Inbox with arbitrary
// datagrams.
struct TFakeNetwork {
  std::function<std::vector<Bytes>(const TTftpPacket& sent)> Peer;
  std::deque<TDatagram> Inbox;
  std::optional<TDatagram> Endless;
  // Set when a flood ran so long that the fake socket ended it (a hang guard, far beyond
  // any time-out); the client should have stopped receiving long before.
  bool EndlessRanOut = false;
  std::vector<TSentDatagram> Sent;
  int SocketsOpened = 0;
  int SocketsOpen = 0;
  std::string PeerAddress = "127.0.0.1";
  uint16_t PeerPort = 50069;

  void Queue(Bytes data) { Inbox.push_back({std::move(data), PeerAddress, PeerPort}); }
  // A socket factory for TTftpClient whose sockets all use this network.
  std::function<std::unique_ptr<TDatagramSocket>()> Factory();
};

// A server for TFakeNetwork::Peer: ACKs every DATA block; answers the request with
// ACK 0, or with an OACK of `oack` when it is given. The data goes to `file`.
std::function<std::vector<Bytes>(const TTftpPacket&)> AckingPeer(Bytes& file,
                                                                  std::optional<TTftpOptions> oack = std::nullopt);

// Bytes that differ from block to block, so a lost or repeated block shows.
Bytes Pattern(size_t size);

// Runs `action` and returns the TftpError it throws; no error at all fails the test.
TftpError ThrownTftpError(const std::function<void()>& action);

}  // namespace quillon::test
