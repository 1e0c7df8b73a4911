// The write client's algorithm against a fake socket: exact packets, no network.
#include "tftp/tftp_client.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/stream.h"
#include "scripted_server.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;
using test::Pattern;

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
