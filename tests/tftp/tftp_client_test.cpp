// The write client's algorithm against a fake socket: exact packets, no network.
#include "tftp/tftp_client.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "platform/files.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "scripted_server.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;
using test::Pattern;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// AckingPeer that keeps the data but falls silent at block `silentFrom` (0: it never
// answers the request).
std::function<std::vector<Bytes>(const TTftpPacket&)> PeerSilentFrom(Bytes& file, std::optional<TTftpOptions> oack,
                                                                     uint16_t silentFrom) {
  auto acking = test::AckingPeer(file, std::move(oack));
  return [acking, silentFrom](const TTftpPacket& p) -> std::vector<Bytes> {
    std::vector<Bytes> replies = acking(p);
    uint16_t block = p.Opcode == kTftpWrq ? 0 : p.Number;
    if (block >= silentFrom) replies.clear();
    return replies;
  };
}

class TftpClientFake : public ::testing::Test {
 protected:
  TftpClientFake() : client(net.Factory()) { client.SetHost("127.0.0.1"); }

  std::filesystem::path Local(const Bytes& content) {
    std::filesystem::path path = dir / "upload.bin";
    WriteFileBytes(path, content);
    return path;
  }

  TftpError PutFails(const Bytes& content) {
    return test::ThrownTftpError([&] { client.Put(Local(content), "nit_a"); });
  }

  std::vector<size_t> DataSizes() const {
    std::vector<size_t> sizes;
    for (const auto& s : net.Sent)
      if (s.Packet.Opcode == kTftpData) sizes.push_back(s.Packet.Data.size());
    return sizes;
  }

  const TTftpPacket& LastSent() const { return net.Sent.back().Packet; }

  // The packets sent to `address`:`port`.
  std::vector<TTftpPacket> SentTo(const std::string& address, uint16_t port) const {
    std::vector<TTftpPacket> packets;
    for (const auto& s : net.Sent)
      if (s.Address == address && s.Port == port) packets.push_back(s.Packet);
    return packets;
  }

  test::TempDir dir;
  test::TFakeNetwork net;
  TTftpClient client;
  Bytes received;
};

TEST_F(TftpClientFake, WriteRequestAndBlocksGoToTheRightPlaces) {
  net.Peer = test::AckingPeer(received);
  client.SetPort(6969);
  Bytes content = Pattern(1024);
  client.Put(Local(content), "nit_b");

  ASSERT_EQ(net.Sent.size(), 4u);
  const test::TSentDatagram& wrq = net.Sent[0];
  EXPECT_EQ(wrq.Address, "127.0.0.1");
  EXPECT_EQ(wrq.Port, 6969);
  EXPECT_EQ(wrq.Packet.Opcode, kTftpWrq);
  EXPECT_EQ(wrq.Packet.Text, "nit_b");
  EXPECT_EQ(wrq.Packet.Mode, "octet");
  EXPECT_EQ(wrq.Packet.Options, (TTftpOptions{{"blksize", "1500"}, {"tsize", "1024"}}));
  for (size_t i = 1; i < net.Sent.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(net.Sent[i].Port, net.PeerPort);  // the server's transfer port, not 6969
    EXPECT_EQ(net.Sent[i].Packet.Opcode, kTftpData);
    EXPECT_EQ(net.Sent[i].Packet.Number, i);
  }
  EXPECT_EQ(DataSizes(), (std::vector<size_t>{512, 512, 0}));
  EXPECT_BYTES_EQ(content, received);
}

// How a file is cut into blocks, with and without an accepted block size.
TEST_F(TftpClientFake, BlocksFollowTheNegotiatedSize) {
  struct Case {
    const char* name;
    size_t size;
    std::optional<TTftpOptions> oack;
    std::vector<size_t> blocks;
  };
  const Case cases[] = {
      {"empty file", 0, {}, {0}},
      {"one byte", 1, {}, {1}},
      {"one short of a block", 511, {}, {511}},
      {"exactly one block", 512, {}, {512, 0}},
      {"one block and a byte", 513, {}, {512, 1}},
      {"1024 bytes in one block of 1500", 1024, TTftpOptions{{"blksize", "1500"}, {"tsize", "1024"}}, {1024}},
      {"1536 bytes in blocks of 1500", 1536, TTftpOptions{{"blksize", "1500"}}, {1500, 36}},
      {"a multiple of 1500", 3000, TTftpOptions{{"blksize", "1500"}}, {1500, 1500, 0}},
      {"a smaller size than offered", 1024, TTftpOptions{{"blksize", "400"}}, {400, 400, 224}},
      {"option names in any case", 1024, TTftpOptions{{"BlkSize", "1000"}, {"TSIZE", "0"}}, {1000, 24}},
      {"an OACK with no options", 512, TTftpOptions{}, {512, 0}},
      {"the smallest size", 9, TTftpOptions{{"blksize", "4"}}, {4, 4, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net.Sent.clear();
    received.clear();
    net.Peer = test::AckingPeer(received, c.oack);
    Bytes content = Pattern(c.size);
    client.Put(Local(content), "nit_a");
    EXPECT_EQ(DataSizes(), c.blocks);
    EXPECT_BYTES_EQ(content, received);
  }
}

TEST_F(TftpClientFake, ARepeatedOackCannotChangeTheBlockSizeMidTransfer) {
  net.Peer = [&](const TTftpPacket& p) -> std::vector<Bytes> {
    if (p.Opcode == kTftpWrq) return {BuildOptionAck({{"blksize", "1000"}})};
    if (p.Number == 1) return {BuildOptionAck({{"blksize", "8"}}), BuildAck(1)};
    return {BuildAck(p.Number)};
  };
  client.Put(Local(Pattern(1500)), "nit_a");
  EXPECT_EQ(DataSizes(), (std::vector<size_t>{1000, 500}));
}

TEST_F(TftpClientFake, NetasciiModeSendsConvertedText) {
  net.Peer = test::AckingPeer(received);
  client.SetMode(TftpMode::Netascii);
  client.Put(Local(HexToBytes("61 0A 62")), "nit_a");  // "a\nb"
  EXPECT_EQ(net.Sent[0].Packet.Mode, "netascii");
  EXPECT_EQ(net.Sent[0].Packet.Options[1], (TTftpOption{"tsize", "4"}));
  EXPECT_BYTES_EQ(HexToBytes("61 0D0A 62"), received);
}

// Block numbers are 16 bits: block 65535 is the last one a file can have.
TEST_F(TftpClientFake, MoreThan65535BlocksExceedTheAllocation) {
  struct Case {
    size_t size;
    bool fits;
  };
  const Case cases[] = {{65535 * 4 - 1, true}, {65535 * 4, false}, {65535 * 4 + 1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    net.Sent.clear();
    received.clear();
    net.Peer = test::AckingPeer(received, TTftpOptions{{"blksize", "4"}});
    if (c.fits) {
      client.Put(Local(Pattern(c.size)), "nit_a");
      EXPECT_EQ(received.size(), c.size);
      continue;
    }
    TftpError e = PutFails(Pattern(c.size));
    EXPECT_EQ(e.Kind(), TftpErrorKind::AllocationExceeded);
    EXPECT_EQ(DataSizes().size(), 65535u);
    EXPECT_EQ(LastSent().Opcode, kTftpError);
    EXPECT_EQ(LastSent().Number, kTftpAllocationExceeded);
    EXPECT_EQ(LastSent().Text, "");
  }
}

TEST_F(TftpClientFake, MalformedRepliesAreIllegalOperations) {
  struct Case {
    const char* name;
    const char* reply;
    TftpErrorKind kind;
  };
  const Case cases[] = {
      {"empty datagram", "", TftpErrorKind::UnexpectedOperation},
      {"one byte", "04", TftpErrorKind::UnexpectedOperation},
      {"ACK without its second byte", "0004 00", TftpErrorKind::MalformedPacket},
      {"OACK name without value", "0006 626C6B73697A6500", TftpErrorKind::MalformedPacket},
      {"OACK value without zero byte", "0006 626C6B73697A6500 31353030", TftpErrorKind::MalformedPacket},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net.Sent.clear();
    net.Peer = [&](const TTftpPacket&) -> std::vector<Bytes> { return {}; };
    net.Queue(HexToBytes(c.reply));
    TftpError e = PutFails(Pattern(10));
    EXPECT_EQ(e.Kind(), c.kind) << e.what();
    ASSERT_EQ(net.Sent.size(), 2u);
    EXPECT_EQ(LastSent().Opcode, kTftpError);
    EXPECT_EQ(LastSent().Number, kTftpIllegalOperation);
  }
}

// Nobody answers an ERROR packet, not even a broken one.
TEST_F(TftpClientFake, ErrorPacketsAreNotAnswered) {
  for (const char* reply : {"0005 00", "0005 0001", "0005 0002 6E6F"}) {
    SCOPED_TRACE(reply);
    net.Sent.clear();
    net.Queue(HexToBytes(reply));
    PutFails(Pattern(10));
    EXPECT_EQ(net.Sent.size(), 1u);
  }
}

TEST_F(TftpClientFake, HugeOptionValuesAreQuotedButTheErrorPacketStaysSmall) {
  std::string value(60000, '9');
  net.Queue(BuildOptionAck({{"blksize", value}}));
  TftpError e = PutFails(Pattern(10));
  EXPECT_EQ(e.Kind(), TftpErrorKind::OptionRefused);
  EXPECT_NE(std::string(e.what()).find(value), std::string::npos);
  EXPECT_EQ(LastSent().Number, kTftpOptionNegotiation);
  EXPECT_LE(LastSent().Text.size() + 5, 512u);
}

// A time-out fails the upload unless the server confirmed every block but the last of
// several: a file of one block that the server never acknowledged may not have arrived.
TEST_F(TftpClientFake, TheResultSaysWhatTheServerConfirmed) {
  const TTftpOptions oack1500{{"blksize", "1500"}};
  struct Case {
    const char* name;
    size_t size;
    std::optional<TTftpOptions> oack;
    uint16_t silentFrom;  // 0: no answer to the request; 0xFFFF: every block acknowledged
    std::optional<TftpPutResult> result;  // nothing: a time-out
    const char* text;  // in the error or in the last status
  };
  const Case cases[] = {
      {"no answer to the request", 100, {}, 0, {}, "hat die Schreibanfrage für „nit_a“ nicht beantwortet"},
      {"the only block after an OACK", 100, oack1500, 1, {}, "hat Block 1 von 1 für „nit_a“ nicht bestätigt"},
      {"the only block after ACK 0", 100, {}, 1, {}, "Block 1 von 1"},
      {"an empty file's only block", 0, {}, 1, {}, "Block 1 von 1"},
      {"the first of two blocks", 600, {}, 1, {}, "Block 1 von 2"},
      {"a middle block", 1100, {}, 2, {}, "Block 2 von 3"},
      {"the last of two blocks", 600, {}, 2, TftpPutResult::LastBlockUnconfirmed, "(letzter Block nicht bestätigt)"},
      {"the empty last block", 1024, {}, 3, TftpPutResult::LastBlockUnconfirmed, "(letzter Block nicht bestätigt)"},
      {"the last of two blocks of 1500", 1536, oack1500, 2, TftpPutResult::LastBlockUnconfirmed,
       "(letzter Block nicht bestätigt)"},
      {"every block", 1536, oack1500, 0xFFFF, TftpPutResult::Confirmed, "Übertragung von „nit_a“ abgeschlossen"},
  };
  std::vector<std::string> statuses;
  client.SetOnStatus([&](const std::string& text) { statuses.push_back(text); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net.Sent.clear();
    received.clear();
    statuses.clear();
    net.Peer = PeerSilentFrom(received, c.oack, c.silentFrom);
    Bytes content = Pattern(c.size);
    if (!c.result) {
      TftpError e = PutFails(content);
      EXPECT_EQ(e.Kind(), TftpErrorKind::Timeout);
      EXPECT_THAT(e.what(), StartsWith("Zeitüberschreitung: 127.0.0.1:"));
      EXPECT_THAT(e.what(), HasSubstr(c.text));
      EXPECT_EQ(statuses.size(), 1u);  // only "Sending"
      continue;
    }
    EXPECT_EQ(client.Put(Local(content), "nit_a"), *c.result);
    EXPECT_BYTES_EQ(content, received);
    ASSERT_FALSE(statuses.empty());
    EXPECT_THAT(statuses.back(), HasSubstr(c.text));
    if (c.result == TftpPutResult::Confirmed) {
      EXPECT_THAT(statuses.back(), Not(HasSubstr("nicht bestätigt")));
    }
  }
}

// Only the address that was asked takes part; before its first reply as well as after.
TEST_F(TftpClientFake, DatagramsFromStrangersGetError5AndChangeNothing) {
  struct Stranger {
    const char* name;
    std::string address;
    uint16_t port;
    bool beforeServer;  // arrives before the server's first reply
  };
  const Stranger strangers[] = {
      {"another address before the server", "127.0.0.2", 50069, true},
      {"another address from the asked port", "127.0.0.2", 69, true},
      {"another address after the server", "127.0.0.2", 50069, false},
      {"another port of the server's address", "127.0.0.1", 50070, false},
  };
  for (const Stranger& who : strangers) {
    for (bool error : {false, true}) {
      SCOPED_TRACE(testing::Message() << who.name << (error ? ", ERROR" : ", the awaited ACK"));
      net.Sent.clear();
      received.clear();
      auto acking = test::AckingPeer(received);
      net.Peer = [&](const TTftpPacket& p) {
        bool now = who.beforeServer ? p.Opcode == kTftpWrq : p.Opcode == kTftpData && p.Number == 1;
        if (now) {
          Bytes packet = error ? BuildError(kTftpAccessViolation, "stop") : BuildAck(who.beforeServer ? 0 : 1);
          net.Inbox.push_back({packet, who.address, who.port});
        }
        return acking(p);
      };
      Bytes content = Pattern(600);
      EXPECT_EQ(client.Put(Local(content), "nit_a"), TftpPutResult::Confirmed);
      EXPECT_BYTES_EQ(content, received);
      EXPECT_EQ(DataSizes(), (std::vector<size_t>{512, 88}));
      EXPECT_EQ(SentTo(net.PeerAddress, net.PeerPort).size(), 2u);  // both blocks, nothing else
      std::vector<TTftpPacket> answers = SentTo(who.address, who.port);
      ASSERT_EQ(answers.size(), 1u);
      EXPECT_EQ(answers[0].Opcode, kTftpError);
      EXPECT_EQ(answers[0].Number, kTftpUnknownTransferId);
    }
  }
}

// A flood that never stops: the time-out ends the transfer all the same, and the
// strangers in it get only a few answers a second.
TEST_F(TftpClientFake, TheTimeOutRunsWhateverArrives) {
  struct Case {
    const char* name;
    bool serverAnswers;  // with ACK 0 before the flood
    TDatagram flood;
    const char* text;
  };
  const Case cases[] = {
      {"stale ACKs from the server", true, {BuildAck(0), "127.0.0.1", 50069}, "Block 1 von 1"},
      {"ACKs from another address", false, {BuildAck(0), "127.0.0.2", 50069}, "Schreibanfrage"},
      {"ACKs from another port", true, {BuildAck(1), "127.0.0.1", 50070}, "Block 1 von 1"},
  };
  client.SetReceiveTimeout(0);  // the shortest wait
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net.Sent.clear();
    net.EndlessRanOut = false;
    net.Peer = c.serverAnswers ? PeerSilentFrom(received, std::nullopt, 1) : nullptr;
    net.Endless = c.flood;
    auto start = std::chrono::steady_clock::now();
    TftpError e = PutFails(Pattern(100));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(net.EndlessRanOut) << "the client kept receiving after its time-out";
    EXPECT_EQ(e.Kind(), TftpErrorKind::Timeout);
    EXPECT_THAT(e.what(), HasSubstr(c.text));

    size_t answers = SentTo(c.flood.Address, c.flood.Port).size();
    if (c.flood.Address == net.PeerAddress && c.flood.Port == net.PeerPort) {
      EXPECT_EQ(answers, 1u);  // DATA 1, no answer to the stale ACKs
    } else {
      EXPECT_GE(answers, 1u);
      EXPECT_LE(answers, TTftpClient::kStrangerAnswerBurst + TTftpClient::kStrangerAnswersPerSecond * seconds + 1);
    }
  }
  net.Endless.reset();
}

TEST_F(TftpClientFake, LongServerTextsAreCutAfter200Characters) {
  const std::string ellipsis = "\u2026";
  struct Case {
    const char* name;
    RawString message;
    std::string quoted;
  };
  const Case cases[] = {
      {"200 characters", std::string(200, 'x'), std::string(200, 'x')},
      {"201 characters", std::string(201, 'x'), std::string(200, 'x') + ellipsis},
      {"a 65 KB text", std::string(65000, 'x'), std::string(200, 'x') + ellipsis},
      // One byte on the wire, two in UTF-8: counted once, never split.
      {"8-bit characters", std::string(300, '\xFC'), Utf16ToUtf8(std::u16string(200, u'\u00FC')) + ellipsis},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net.Peer = [&](const TTftpPacket&) { return std::vector<Bytes>{BuildError(kTftpAccessViolation, c.message)}; };
    TftpError e = PutFails(Pattern(10));
    EXPECT_EQ(e.Kind(), TftpErrorKind::AccessViolation);
    EXPECT_EQ(e.what(), "Zugriff verweigert: " + c.quoted);
  }
}

TEST_F(TftpClientFake, AHostThatIsNoSingleDeviceIsRefusedBeforeAnythingIsSent) {
  const char* hosts[] = {"0.0.0.0", "0.1.2.3", "255.255.255.255", "224.0.0.1", "240.0.0.1", "", "localhost", "127.1"};
  for (const char* host : hosts) {
    SCOPED_TRACE(host);
    client.SetHost(host);
    TftpError e = PutFails(Pattern(10));
    EXPECT_EQ(e.Kind(), TftpErrorKind::InvalidSetting);
    EXPECT_EQ(e.what(), HostAddressProblem(host));
  }
  EXPECT_TRUE(net.Sent.empty());
  EXPECT_EQ(net.SocketsOpened, 0);
}

TEST_F(TftpClientFake, NotificationsAndTheSocketOfEachTransfer) {
  std::vector<std::string> events;
  client.SetOnConnected([&] { events.push_back("connected"); });
  client.SetOnDisconnected([&] { events.push_back("disconnected"); });
  client.SetOnStatus([&](const std::string& text) { events.push_back("status"); (void)text; });
  net.Peer = test::AckingPeer(received);

  client.Activate();
  EXPECT_TRUE(client.Active());
  client.Put(Local(Pattern(100)), "nit_a");
  client.Deactivate();
  EXPECT_EQ(events, (std::vector<std::string>{"connected", "status", "status", "disconnected"}));
  EXPECT_EQ(net.SocketsOpen, 0);

  // A failed transfer closes its socket as well; the next one gets a fresh one.
  events.clear();
  net.Peer = nullptr;
  EXPECT_EQ(PutFails(Pattern(100)).Kind(), TftpErrorKind::Timeout);
  EXPECT_EQ(events, (std::vector<std::string>{"connected", "status", "disconnected"}));
  EXPECT_FALSE(client.Active());
  EXPECT_EQ(net.SocketsOpened, 2);
  EXPECT_EQ(net.SocketsOpen, 0);
}

TEST_F(TftpClientFake, AnUnreadableLocalFileIsNamedAndNothingIsSent) {
  for (const std::filesystem::path& path : {dir / "missing.nit", dir.Path()}) {
    SCOPED_TRACE(path);
    TftpError e = test::ThrownTftpError([&] { client.Put(path, "nit_a"); });
    EXPECT_EQ(e.Kind(), TftpErrorKind::LocalFile);
    EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
  }
  EXPECT_TRUE(net.Sent.empty());
  EXPECT_EQ(net.SocketsOpened, 0);
}

TEST_F(TftpClientFake, Settings) {
  TTftpClient fresh;
  EXPECT_EQ(fresh.Port(), 69);
  EXPECT_EQ(fresh.Mode(), TftpMode::Octet);
  EXPECT_EQ(fresh.RequestedBlockSize(), 1500);
  EXPECT_EQ(fresh.ReceiveTimeout(), 4000);

  for (uint16_t bad : {0, 3, 65461, 65535}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(client.SetRequestedBlockSize(bad), TftpError);
  }
  client.SetRequestedBlockSize(1468);
  net.Peer = test::AckingPeer(received);
  client.Put(Local(Pattern(3)), "nit_a");
  EXPECT_EQ(net.Sent[0].Packet.Options[0], (TTftpOption{"blksize", "1468"}));

  for (const std::string& bad : {std::string(), std::string("a\0b", 3)})
    EXPECT_EQ(test::ThrownTftpError([&] { client.Put(Local(Pattern(3)), bad); }).Kind(),
              TftpErrorKind::InvalidSetting);
}

}  // namespace
}  // namespace quillon
