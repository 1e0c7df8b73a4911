// The upload client fed whatever datagrams a server, or anyone else, might send. A
// transfer ends with a TftpError or with every block sent in order; everything the
// client sends is a well-formed packet.
//
// Input: one byte of settings, then datagrams, each a sender byte, a two-byte length
// (big-endian) and the bytes; a short last one takes what is left.
//   settings bits 0-2  file size: 0, 1, 511, 512, 513, 1500, 3000, 4000 bytes
//            bit 3     netascii mode
//            bits 4-5  requested block size: 512, 1500, 8, 65460
//   sender   0: the server's transfer port, 1: another port, 2: another address
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/udp_socket.h"
#include "tftp/tftp_client.h"
#include "tftp/tftp_packet.h"

using namespace quillon;

namespace {

constexpr const char* kServer = "127.0.0.1";
constexpr uint16_t kTransferPort = 50069;

struct TSent {
  std::string Address;
  uint16_t Port;
  Bytes Data;
};

struct TScript {
  std::deque<TDatagram> Inbox;
  std::vector<TSent> Sent;
};

class TScriptedSocket : public TDatagramSocket {
 public:
  explicit TScriptedSocket(TScript& script) : script_(script) {}
  void SendTo(const std::string& address, uint16_t port, ByteView data) override {
    script_.Sent.push_back({address, port, Bytes(data.begin(), data.end())});
  }
  // An empty inbox is a time-out, at once.
  std::optional<TDatagram> Receive(int) override {
    if (script_.Inbox.empty()) return std::nullopt;
    TDatagram d = std::move(script_.Inbox.front());
    script_.Inbox.pop_front();
    return d;
  }

 private:
  TScript& script_;
};

Bytes Content(size_t size) {
  Bytes b(size);
  for (size_t i = 0; i < size; ++i) b[i] = static_cast<uint8_t>(i * 7 + i / 256);
  // Line ends and carriage returns, so netascii has something to convert.
  for (size_t i = 5; i < size; i += 97) b[i] = (i % 2) ? '\n' : '\r';
  return b;
}

const std::filesystem::path& LocalFile(size_t size) {
  static std::map<size_t, std::filesystem::path> files;
  auto it = files.find(size);
  if (it == files.end()) {
    std::filesystem::path p = fuzz::ScratchDir() / ("upload" + std::to_string(size) + ".bin");
    fuzz::WriteScratchFile(p, Content(size));
    it = files.emplace(size, p).first;
  }
  return it->second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  fuzz::TInput in(data, size);
  static const size_t kSizes[] = {0, 1, 511, 512, 513, 1500, 3000, 4000};
  static const uint16_t kBlockSizes[] = {512, 1500, 8, 65460};
  const uint8_t settings = in.U8();
  const size_t fileSize = kSizes[settings & 7];
  const bool netascii = (settings & 8) != 0;
  const uint16_t blockSize = kBlockSizes[(settings >> 4) & 3];

  TScript script;
  while (!in.Empty()) {
    const uint8_t sender = in.U8();
    const ByteView bytes = in.Take(in.U16());
    TDatagram d{Bytes(bytes.begin(), bytes.end()), kServer, kTransferPort};
    if (sender % 3 == 1) d.Port = kTransferPort + 1;
    if (sender % 3 == 2) d.Address = "127.0.0.2";
    script.Inbox.push_back(std::move(d));
  }

  TTftpClient client([&script] { return std::make_unique<TScriptedSocket>(script); });
  client.SetHost(kServer);
  client.SetMode(netascii ? TftpMode::Netascii : TftpMode::Octet);
  client.SetRequestedBlockSize(blockSize);
  client.SetReceiveTimeout(0);
  bool completed = false;
  try {
    client.Put(LocalFile(fileSize), "nit_a");
    completed = true;
  } catch (const TftpError&) {
  }
  FUZZ_CHECK(!client.Active());

  // Everything sent parses; ERROR packets stay within 512 bytes.
  FUZZ_CHECK(!script.Sent.empty());
  std::optional<TTftpPacket> first;
  Bytes uploaded;
  uint16_t nextBlock = 1;
  const TSent* dataTo = nullptr;
  for (const TSent& s : script.Sent) {
    TTftpPacket p = ParsePacket(s.Data);
    FUZZ_CHECK(p.WellFormed);
    if (!first) {
      FUZZ_CHECK(p.Opcode == kTftpWrq && s.Port == client.Port());
      first = p;
      continue;
    }
    if (p.Opcode == kTftpError) {
      FUZZ_CHECK(s.Data.size() <= 512);
      continue;
    }
    // Every block goes to the one endpoint that answered first.
    FUZZ_CHECK(p.Opcode == kTftpData);
    if (!dataTo) dataTo = &s;
    FUZZ_CHECK(s.Address == dataTo->Address && s.Port == dataTo->Port);
    FUZZ_CHECK(p.Number == nextBlock);
    ++nextBlock;
    uploaded.insert(uploaded.end(), p.Data.begin(), p.Data.end());
  }
  if (completed) {
    const Bytes content = Content(fileSize);
    FUZZ_CHECK(uploaded == (netascii ? ToNetascii(content) : content));
  }
  return 0;
}
