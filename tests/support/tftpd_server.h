#pragma once
// Debian's tftpd-hpa as a test peer: started on a free port of 127.0.0.1 with a
// temporary folder as its root, stopped with its children when the object goes.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/bytes.h"
#include "support/test_util.h"

namespace quillon::test {

// Polls `ready` every 50 ms for up to 5 s.
bool WaitUntil(const std::function<bool()>& ready);

class TftpdServer {
 public:
  static constexpr const char* kProgram = "/usr/sbin/in.tftpd";

  // Why the server cannot run here (not installed, not root), or "" when it can.
  static std::string Unavailable();

  // Starts the server and waits until it listens; throws std::runtime_error when it
  // does not. Call only when Unavailable() is empty.
  TftpdServer();
  ~TftpdServer();
  TftpdServer(const TftpdServer&) = delete;
  TftpdServer& operator=(const TftpdServer&) = delete;

  uint16_t Port() const { return port_; }
  const std::filesystem::path& Root() const { return root_.Path(); }
  // The uploaded file once the server has written `size` bytes of it (empty when it
  // never appears).
  Bytes Arrived(const std::string& name, size_t size) const;

 private:
  TempDir root_;
  uint16_t port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace quillon::test
