// Uploads to a real TFTP server: Debian's tftpd-hpa, started on a free port of
// 127.0.0.1 with a temporary folder as its root.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/stream.h"
#include "platform/udp_socket.h"
#include "scripted_server.h"
#include "support/test_util.h"
#include "tftp/tftp_client.h"
#include "tftp/tftp_packet.h"

extern char** environ;

namespace quillon {
namespace {

constexpr const char* kServer = "/usr/sbin/in.tftpd";

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

template <typename Ready>
bool WaitUntil(Ready ready) {
  for (int i = 0; i < 100; ++i) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

class TftpdHpa : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kServer, X_OK) != 0) GTEST_SKIP() << kServer << " is missing: install the Debian package tftpd-hpa";
    // The server changes its root to the folder, which takes root's rights.
    if (geteuid() != 0) GTEST_SKIP() << "tftpd-hpa needs root to change its root folder";

    // A port the system just handed out is free; the server takes it over.
    port_ = TUdpSocket("127.0.0.1").LocalPort();
    std::string address = "127.0.0.1:" + std::to_string(port_);
    std::string root = dir_.Path().string();
    // -L: stay in the foreground; -c: allow new files; -s: the folder is the root.
    std::vector<std::string> args = {kServer, "-L", "-a", address, "-c", "-s", "-u", "root", root};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    // Its own process group, so the teardown also ends the children serving transfers.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    int rc = posix_spawn(&pid_, kServer, nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    ASSERT_EQ(rc, 0) << "cannot start " << kServer;

    // Listening once the port can no longer be bound.
    ASSERT_TRUE(WaitUntil([&] {
      try {
        TUdpSocket probe("127.0.0.1", port_);
        return false;
      } catch (const SocketError&) {
        return true;
      }
    })) << "tftpd-hpa did not start listening on " << address;

    client_ = std::make_unique<TTftpClient>([this] { return std::make_unique<TRecordingSocket>(sent_); });
    client_->SetHost("127.0.0.1");
    client_->SetPort(port_);
  }

  void TearDown() override {
    if (pid_ > 0) {
      kill(-pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }

  std::vector<size_t> DataSizes() const {
    std::vector<size_t> sizes;
    for (const TTftpPacket& p : sent_)
      if (p.Opcode == kTftpData) sizes.push_back(p.Data.size());
    return sizes;
  }

  // The uploaded file once the server has written all of it.
  Bytes Arrived(const std::string& name, size_t size) {
    std::filesystem::path path = dir_ / name;
    WaitUntil([&] {
      std::error_code ec;
      return std::filesystem::file_size(path, ec) == size && !ec;
    });
    return std::filesystem::exists(path) ? ReadFileBytes(path) : Bytes{};
  }

  test::TempDir dir_, local_;
  uint16_t port_ = 0;
  pid_t pid_ = -1;
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
    EXPECT_BYTES_EQ(content, Arrived(c.remote, c.size));
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
