#include "support/tftpd_server.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/stream.h"
#include "platform/udp_socket.h"

extern char** environ;

namespace quillon::test {

bool WaitUntil(const std::function<bool()>& ready) {
  for (int i = 0; i < 100; ++i) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

std::string TftpdServer::Unavailable() {
  if (access(kProgram, X_OK) != 0) return std::string(kProgram) + " is missing: install the Debian package tftpd-hpa";
  // The server changes its root to the folder, which takes root's rights.
  if (geteuid() != 0) return "tftpd-hpa needs root to change its root folder";
  return "";
}

TftpdServer::TftpdServer() {
  // A port the system just handed out is free; the server takes it over.
  port_ = TUdpSocket("127.0.0.1").LocalPort();
  const std::string address = "127.0.0.1:" + std::to_string(port_);
  // -L: stay in the foreground; -c: allow new files; -s: the folder is the root.
  std::vector<std::string> args = {kProgram, "-L", "-a", address, "-c", "-s", "-u", "root", Root().string()};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // Its own process group, so that stopping it also ends the children serving transfers.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  const int rc = posix_spawn(&pid_, kProgram, nullptr, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) throw std::runtime_error(std::string("cannot start ") + kProgram);

  // Listening once the port can no longer be bound.
  const bool listening = WaitUntil([&] {
    try {
      TUdpSocket probe("127.0.0.1", port_);
      return false;
    } catch (const SocketError&) {
      return true;
    }
  });
  if (!listening) throw std::runtime_error("tftpd-hpa did not start listening on " + address);
}

TftpdServer::~TftpdServer() {
  if (pid_ > 0) {
    kill(-pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

Bytes TftpdServer::Arrived(const std::string& name, size_t size) const {
  const std::filesystem::path path = Root() / name;
  WaitUntil([&] {
    std::error_code ec;
    return std::filesystem::file_size(path, ec) == size && !ec;
  });
  return std::filesystem::exists(path) ? ReadFileBytes(path) : Bytes{};
}

}  // namespace quillon::test
