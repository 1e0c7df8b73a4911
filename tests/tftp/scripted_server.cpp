#include "scripted_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace quillon::test {

namespace {
// Long enough for a loaded machine; a script only waits this long when the client is wrong.
constexpr int kScriptWaitMs = 5000;
// How long a fake socket keeps an endless flood going before it gives up on the client.
constexpr auto kEndlessGuard = std::chrono::seconds(30);
}  // namespace

TTftpPacket TScriptedServer::Session::Take(TUdpSocket& socket, const char* which) {
  std::optional<TDatagram> d = socket.Receive(kScriptWaitMs);
  if (!d) throw std::runtime_error(std::string("nothing arrived at the ") + which + " port");
  if (clientPort_ == 0) {
    clientAddress_ = d->Address;
    clientPort_ = d->Port;
  } else if (d->Address != clientAddress_ || d->Port != clientPort_) {
    throw std::runtime_error("the client changed its port during the transfer");
  }
  Log.push_back(ParsePacket(d->Data));
  return Log.back();
}

TTftpPacket TScriptedServer::Session::Request() { return Take(listen_, "listening"); }
TTftpPacket TScriptedServer::Session::Next() { return Take(transfer_, "transfer"); }
TTftpPacket TScriptedServer::Session::NextAtStray() { return Take(stray_, "stray"); }

void TScriptedServer::Session::Send(const Bytes& packet) { transfer_.SendTo(clientAddress_, clientPort_, packet); }

void TScriptedServer::Session::SendFromStray(const Bytes& packet) {
  stray_.SendTo(clientAddress_, clientPort_, packet);
}

void TScriptedServer::Session::AckData(uint16_t blockSize, bool ackLast) {
  for (uint16_t block = 1;; ++block) {
    TTftpPacket p = Next();
    if (p.Opcode != kTftpData || p.Number != block)
      throw std::runtime_error("expected DATA " + std::to_string(block));
    File.insert(File.end(), p.Data.begin(), p.Data.end());
    bool last = p.Data.size() < blockSize;
    if (!last || ackLast) Send(BuildAck(block));
    if (last) return;
  }
}

TScriptedServer::TScriptedServer(std::function<void(Session&)> script)
    : thread_([this, script = std::move(script)] {
        try {
          script(session_);
        } catch (const std::exception& e) {
          failure_ = e.what();
        }
      }) {}

TScriptedServer::~TScriptedServer() {
  if (thread_.joinable()) thread_.join();
}

TScriptedServer::Session& TScriptedServer::Finish() {
  if (thread_.joinable()) thread_.join();
  if (!failure_.empty()) ADD_FAILURE() << "scripted server: " << failure_;
  return session_;
}

std::optional<TTftpPacket> TScriptedServer::Leftover() {
  Finish();
  std::optional<TDatagram> d = session_.transfer_.Receive(0);
  if (!d) return std::nullopt;
  return ParsePacket(d->Data);
}

namespace {

class TFakeSocket : public TDatagramSocket {
 public:
  explicit TFakeSocket(TFakeNetwork& net) : net_(net) {
    ++net_.SocketsOpened;
    ++net_.SocketsOpen;
  }
  ~TFakeSocket() override { --net_.SocketsOpen; }

  void SendTo(const std::string& address, uint16_t port, ByteView data) override {
    net_.Sent.push_back({address, port, ParsePacket(data)});
    if (net_.Peer)
      for (Bytes& reply : net_.Peer(net_.Sent.back().Packet)) net_.Queue(std::move(reply));
  }

  std::optional<TDatagram> Receive(int) override {
    if (net_.Inbox.empty() && net_.Endless && !net_.EndlessRanOut) {
      if (!endlessSince_) endlessSince_ = std::chrono::steady_clock::now();
      if (std::chrono::steady_clock::now() - *endlessSince_ < kEndlessGuard) return net_.Endless;
      net_.EndlessRanOut = true;
    }
    if (net_.Inbox.empty()) return std::nullopt;
    TDatagram d = std::move(net_.Inbox.front());
    net_.Inbox.pop_front();
    return d;
  }

 private:
  TFakeNetwork& net_;
  std::optional<std::chrono::steady_clock::time_point> endlessSince_;
};

}  // namespace

std::function<std::unique_ptr<TDatagramSocket>()> TFakeNetwork::Factory() {
  return [this] { return std::make_unique<TFakeSocket>(*this); };
}

std::function<std::vector<Bytes>(const TTftpPacket&)> AckingPeer(Bytes& file, std::optional<TTftpOptions> oack) {
  return [&file, oack](const TTftpPacket& p) -> std::vector<Bytes> {
    if (p.Opcode == kTftpWrq) return {oack ? BuildOptionAck(*oack) : BuildAck(0)};
    if (p.Opcode != kTftpData) return {};
    file.insert(file.end(), p.Data.begin(), p.Data.end());
    return {BuildAck(p.Number)};
  };
}

Bytes Pattern(size_t size) {
  Bytes b(size);
  for (size_t i = 0; i < size; ++i) b[i] = static_cast<uint8_t>(i * 7 + i / 256);
  return b;
}

TftpError ThrownTftpError(const std::function<void()>& action) {
  try {
    action();
  } catch (const TftpError& e) {
    return e;
  }
  ADD_FAILURE() << "no TftpError was thrown";
  return TftpError(TftpErrorKind::TransferError, "");
}

}  // namespace quillon::test
