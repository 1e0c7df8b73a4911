// Uploads to a real TFTP server: Debian's tftpd-hpa, started on a free port of
// 127.0.0.1 with a temporary folder as its root.
#include <gtest/gtest.h>

#include <memory>

#include "platform/files.h"
#include "platform/stream.h"
#include "platform/udp_socket.h"
#include "scripted_server.h"
#include "support/test_util.h"
#include "support/tftpd_server.h"
#include "tftp/tftp_client.h"
#include "tftp/tftp_packet.h"

namespace quillon {
namespace {

// Passes everything through a real socket and keeps what the client sent.
class TRecordingSocket : public TDatagramSocket {
 public:
  explicit TRecordingSocket(std::vector<TTftpPacket>& sent) : sent_(sent) {}
  void SendTo(const std::string& address, uint16_t port, ByteView data) override {
    sent_.push_back(ParsePacket(data));
    socket_.SendTo(address, port, data);
  }
  std::optional<TDatagram> Receive(int timeoutMs) override { return socket_.Receive(timeoutMs); }

 private:
  std::vector<TTftpPacket>& sent_;
  TUdpSocket socket_;
};

class TftpdHpa : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::string why = test::TftpdServer::Unavailable(); !why.empty()) GTEST_SKIP() << why;
    server_ = std::make_unique<test::TftpdServer>();
    client_ = std::make_unique<TTftpClient>([this] { return std::make_unique<TRecordingSocket>(sent_); });
    client_->SetHost("127.0.0.1");
    client_->SetPort(server_->Port());
  }

  std::vector<size_t> DataSizes() const {
    std::vector<size_t> sizes;
    for (const TTftpPacket& p : sent_)
      if (p.Opcode == kTftpData) sizes.push_back(p.Data.size());
    return sizes;
  }

  test::TempDir local_;
  std::unique_ptr<test::TftpdServer> server_;
  std::vector<TTftpPacket> sent_;
  std::unique_ptr<TTftpClient> client_;
};

TEST_F(TftpdHpa, UploadsArriveWhole) {
  struct Case {
    const char* remote;
    size_t size;
    uint16_t blockSize;
    std::vector<size_t> blocks;
  };
  const Case cases[] = {
      {"nit_a", 1024, 1500, {1024}},
      {"nit_b", 512 * 3, 1500, {1500, 36}},
      {"nit_c", 512 * 2, 512, {512, 512, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.remote);
    Bytes content(c.size);
    for (size_t i = 0; i < c.size; ++i) content[i] = static_cast<uint8_t>(i % 188 == 0 ? 0x47 : i * 3);
    std::filesystem::path local = local_ / "Merlo.nit";
    WriteFileBytes(local, content);

    sent_.clear();
    client_->SetRequestedBlockSize(c.blockSize);
    client_->Put(local, c.remote);
    EXPECT_EQ(DataSizes(), c.blocks);
    EXPECT_BYTES_EQ(content, server_->Arrived(c.remote, c.size));
  }
}

TEST_F(TftpdHpa, TheServersRefusalBecomesAnError) {
  std::filesystem::path local = local_ / "Merlo.nit";
  WriteFileBytes(local, Bytes(100, 0xFF));
  TftpError e = test::ThrownTftpError([&] { client_->Put(local, "no_such_folder/nit_a"); });
  EXPECT_EQ(e.Kind(), TftpErrorKind::FileNotFound) << e.what();
}

}  // namespace
}  // namespace quillon
