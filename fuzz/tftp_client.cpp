// The upload client fed whatever datagrams a server, or anyone else, might send. A
// transfer ends with a TftpError or with every block sent in order, to the asked
// address only; everything the client sends is a well-formed packet, and strangers get
// few answers.
//
// Input: one byte of settings, then datagrams, each a sender byte, a two-byte length
// (big-endian) and the bytes; a short last one takes what is left.
//   settings bits 0-2  file size: 0, 1, 511, 512, 513, 1500, 3000, 4000 bytes
//            bit 3     netascii mode
//            bits 4-5  requested block size: 512, 1500, 8, 65460
//            bits 6-7  host: the server, 0.0.0.0, a multicast address, a name
//   sender   0: the server's transfer port, 1: another port, 2: another address
#include <chrono>
#include <cstdint>
#include <cstring>
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
  static const char* const kHosts[] = {kServer, "0.0.0.0", "224.0.0.1", "modulator"};
  const uint8_t settings = in.U8();
  const size_t fileSize = kSizes[settings & 7];
  const bool netascii = (settings & 8) != 0;
  const uint16_t blockSize = kBlockSizes[(settings >> 4) & 3];
  const char* host = kHosts[settings >> 6];

  TScript script;
  while (!in.Empty()) {
    const uint8_t sender = in.U8();
    const ByteView bytes = in.Take(in.U16());
    TDatagram d{Bytes(bytes.begin(), bytes.end()), kServer, kTransferPort};
    if (sender % 3 == 1) d.Port = kTransferPort + 1;
    if (sender % 3 == 2) d.Address = "127.0.0.2";
    script.Inbox.push_back(std::move(d));
  }

  int socketsOpened = 0;
  TTftpClient client([&script, &socketsOpened] {
    ++socketsOpened;
    return std::make_unique<TScriptedSocket>(script);
  });
  client.SetHost(host);
  client.SetMode(netascii ? TftpMode::Netascii : TftpMode::Octet);
  client.SetRequestedBlockSize(blockSize);
  client.SetReceiveTimeout(0);
  std::optional<TftpPutResult> result;
  const auto start = std::chrono::steady_clock::now();
  try {
    result = client.Put(LocalFile(fileSize), "nit_a");
  } catch (const TftpError& e) {
    switch (e.Kind()) {
      case TftpErrorKind::Timeout:
        FUZZ_CHECK(std::strncmp(e.what(), "Zeitüberschreitung: ", std::strlen("Zeitüberschreitung: ")) == 0);
        break;
      case TftpErrorKind::OptionRefused:  // quotes the option whole
      case TftpErrorKind::LocalFile:
        break;
      default:
        // A server's text is cut to 200 characters, at most two bytes each.
        FUZZ_CHECK(std::strlen(e.what()) <= 100 + 2 * 200 + 3);
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  FUZZ_CHECK(!client.Active());

  // A host that is no single device: refused before any socket is opened.
  if (!HostAddressProblem(host).empty()) {
    FUZZ_CHECK(!result && socketsOpened == 0 && script.Sent.empty());
    return 0;
  }

  // Everything sent parses; ERROR packets stay within 512 bytes.
  FUZZ_CHECK(!script.Sent.empty());
  std::optional<TTftpPacket> first;
  Bytes uploaded;
  uint16_t nextBlock = 1;
  const TSent* dataTo = nullptr;
  std::vector<const TSent*> unknownTransfer;
  for (const TSent& s : script.Sent) {
    TTftpPacket p = ParsePacket(s.Data);
    FUZZ_CHECK(p.WellFormed);
    if (!first) {
      FUZZ_CHECK(p.Opcode == kTftpWrq && s.Address == kServer && s.Port == client.Port());
      first = p;
      continue;
    }
    if (p.Opcode == kTftpError) {
      FUZZ_CHECK(s.Data.size() <= 512);
      if (p.Number == kTftpUnknownTransferId) unknownTransfer.push_back(&s);
      continue;
    }
    // Every block goes to the asked address, to the one port that answered first.
    FUZZ_CHECK(p.Opcode == kTftpData && s.Address == kServer);
    if (!dataTo) dataTo = &s;
    FUZZ_CHECK(s.Port == dataTo->Port);
    FUZZ_CHECK(p.Number == nextBlock);
    ++nextBlock;
    uploaded.insert(uploaded.end(), p.Data.begin(), p.Data.end());
  }
  // "Unknown transfer ID" goes only to strangers, and only a few times a second.
  for (const TSent* s : unknownTransfer) FUZZ_CHECK(!dataTo || s->Address != kServer || s->Port != dataTo->Port);
  FUZZ_CHECK(unknownTransfer.size() <=
             TTftpClient::kStrangerAnswerBurst + TTftpClient::kStrangerAnswersPerSecond * seconds + 1);
  if (result) {
    const Bytes content = Content(fileSize);
    FUZZ_CHECK(uploaded == (netascii ? ToNetascii(content) : content));
    // Only the last of several blocks may go unconfirmed.
    if (*result == TftpPutResult::LastBlockUnconfirmed) FUZZ_CHECK(nextBlock >= 3);
  }
  return 0;
}
