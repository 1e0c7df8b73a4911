#include "platform/udp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/language.h"
#include "platform/text.h"

namespace quillon {

namespace {

// The largest IPv4 UDP payload is 65507 bytes; one buffer size covers every datagram.
constexpr size_t kReceiveBufferSize = 65536;

const char* Text(SocketMsg id) { return SocketMessages().CText(id); }

// `what` is the call: its name, or a text of the table.
[[noreturn]] void ThrowSystem(const char* what) {
  int err = errno;
  throw SocketError(Format(Text(SocketMsg::Failed), what, std::strerror(err)));
}

sockaddr_in MakeAddress(const std::string& address, uint16_t port) {
  std::optional<uint32_t> ip = ParseIPv4(address);
  if (!ip) throw SocketError(Format(Text(SocketMsg::InvalidAddress), address.c_str()));
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = *ip;
  return sa;
}

}  // namespace

const THostMessages& HostMessages() { return ModuleMessages<THostMessages>("TUdpSocket"); }
const TSocketMessages& SocketMessages() { return ModuleMessages<TSocketMessages>("TUdpSocket"); }

std::optional<uint32_t> ParseIPv4(const std::string& text) {
  in_addr addr{};
  if (inet_pton(AF_INET, text.c_str(), &addr) != 1) return std::nullopt;
  return addr.s_addr;
}

std::string HostAddressProblem(const std::string& text) {
  std::optional<HostMsg> problem;
  if (std::optional<uint32_t> ip = ParseIPv4(text)) {
    const uint32_t a = ntohl(*ip);
    if ((a >> 24) == 0)
      problem = HostMsg::ThisNetwork;
    else if (a == 0xFFFFFFFF)
      problem = HostMsg::Broadcast;
    else if ((a >> 28) == 0xE)
      problem = HostMsg::Multicast;
    else if ((a >> 28) == 0xF)
      problem = HostMsg::Reserved;
  } else {
    problem = HostMsg::NotIPv4;
  }
  if (!problem) return {};
  return Format(HostMessages().CText(*problem), text.c_str());
}

TUdpSocket::TUdpSocket(const std::string& localAddress, uint16_t localPort) {
  sockaddr_in sa = MakeAddress(localAddress, localPort);
  fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) ThrowSystem("socket");
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
    int err = errno;
    Close();
    errno = err;
    ThrowSystem(Format(Text(SocketMsg::BindTo), localAddress.c_str(), unsigned{localPort}).c_str());
  }
}

TUdpSocket::~TUdpSocket() { Close(); }

TUdpSocket::TUdpSocket(TUdpSocket&& other) noexcept : fd_(other.fd_), buffer_(std::move(other.buffer_)) {
  other.fd_ = -1;
}

TUdpSocket& TUdpSocket::operator=(TUdpSocket&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    other.fd_ = -1;
    buffer_ = std::move(other.buffer_);
  }
  return *this;
}

void TUdpSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void TUdpSocket::RequireOpen(const char* operation) const {
  if (fd_ < 0) throw SocketError(Format(Text(SocketMsg::Closed), operation));
}

uint16_t TUdpSocket::LocalPort() const {
  RequireOpen("getsockname");
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) ThrowSystem("getsockname");
  return ntohs(sa.sin_port);
}

void TUdpSocket::SendTo(const std::string& address, uint16_t port, ByteView data) {
  RequireOpen(Text(SocketMsg::Send));
  sockaddr_in sa = MakeAddress(address, port);
  for (;;) {
    ssize_t n = ::sendto(fd_, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    if (n >= 0) return;
    if (errno != EINTR) ThrowSystem(Format(Text(SocketMsg::SendTo), address.c_str(), unsigned{port}).c_str());
  }
}

std::optional<TDatagram> TUdpSocket::Receive(int timeoutMs) {
  RequireOpen(Text(SocketMsg::Receive));
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  // A flood of datagrams must not cost an allocation of the largest size for each one.
  if (buffer_.size() != kReceiveBufferSize) buffer_.resize(kReceiveBufferSize);
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd pfd{fd_, POLLIN, 0};
    int ready = ::poll(&pfd, 1, left > 0 ? static_cast<int>(left) : 0);
    if (ready < 0) {
      if (errno == EINTR) continue;
      ThrowSystem("poll");
    }
    if (ready == 0) return std::nullopt;

    sockaddr_in from{};
    socklen_t len = sizeof from;
    ssize_t n = ::recvfrom(fd_, buffer_.data(), buffer_.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &len);
    if (n < 0) {
      // A reported ICMP error or a datagram dropped after poll is no datagram; wait on.
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK || errno == ECONNREFUSED) {
        if (Clock::now() >= deadline) return std::nullopt;
        continue;
      }
      ThrowSystem(Text(SocketMsg::Receive));
    }
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    return TDatagram{Bytes(buffer_.begin(), buffer_.begin() + n), text, ntohs(from.sin_port)};
  }
}

}  // namespace quillon
