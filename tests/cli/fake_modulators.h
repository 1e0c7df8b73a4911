#pragma once
// Modulators on 127.0.0.1 that the upload tests talk to, each on a port of its own.
#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "platform/udp_socket.h"
#include "tftp/tftp_packet.h"

namespace quillon::test {

// A modulator on 127.0.0.1 that confirms what its script says: with or without an OACK of
// blksize 1500, and every data block or all but the last.
class TForgetfulModulator {
 public:
  TForgetfulModulator(bool oack, bool ackLast) : socket_("127.0.0.1"), port_(socket_.LocalPort()) {
    thread_ = std::thread([this, oack, ackLast] {
      std::optional<TDatagram> request = socket_.Receive(5000);
      if (!request) return;
      socket_.SendTo(request->Address, request->Port, oack ? BuildOptionAck({{"blksize", "1500"}}) : BuildAck(0));
      while (std::optional<TDatagram> d = socket_.Receive(1000)) {
        const TTftpPacket p = ParsePacket(d->Data);
        const bool last = p.Data.size() < (oack ? 1500u : 512u);
        if (p.Opcode == kTftpData && (!last || ackLast)) socket_.SendTo(d->Address, d->Port, BuildAck(p.Number));
        if (p.Opcode == kTftpData) ++blocks_;
      }
    });
  }
  ~TForgetfulModulator() { thread_.join(); }
  uint16_t Port() const { return port_; }
  int Blocks() const { return blocks_; }

 private:
  TUdpSocket socket_;
  uint16_t port_;
  std::atomic<int> blocks_ = 0;
  std::thread thread_;
};

// Answers the write request with an ERROR packet.
class TRefusingModulator {
 public:
  TRefusingModulator(uint16_t code, std::string text) : socket_("127.0.0.1"), port_(socket_.LocalPort()) {
    thread_ = std::thread([this, code, text] {
      if (std::optional<TDatagram> request = socket_.Receive(5000))
        socket_.SendTo(request->Address, request->Port, BuildError(code, text));
    });
  }
  ~TRefusingModulator() { thread_.join(); }
  uint16_t Port() const { return port_; }

 private:
  TUdpSocket socket_;
  uint16_t port_;
  std::thread thread_;
};

}  // namespace quillon::test
