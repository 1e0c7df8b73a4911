#include "platform/udp_socket.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "support/test_util.h"

namespace quillon {
namespace {

TEST(ParseIPv4, OnlyPlainDottedQuads) {
  struct Case {
    const char* text;
    bool valid;
  };
  const Case cases[] = {
      {"127.0.0.1", true},  {"0.0.0.0", true},     {"255.255.255.255", true}, {"1.2.3", false},
      {"1.2.3.4.5", false}, {"256.1.1.1", false},  {"01.2.3.4", false},       {"1.2.3.4 ", false},
      {" 1.2.3.4", false},  {"0x7f.0.0.1", false}, {"2130706433", false},     {"::1", false},
      {"localhost", false}, {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseIPv4(c.text).has_value(), c.valid);
  }
  EXPECT_EQ(ParseIPv4("127.0.0.1"), htonl(0x7F000001));
}

// Only one device: the client must never send to a whole network or group.
TEST(HostAddressProblem, OnlyUnicastDottedQuads) {
  struct Case {
    const char* text;
    const char* reason;  // nothing: a usable host
  };
  const Case cases[] = {
      {"127.0.0.1", nullptr},
      {"1.0.0.0", nullptr},
      {"223.255.255.255", nullptr},
      {"0.0.0.0", "dieses Netz"},
      {"0.255.255.255", "dieses Netz"},
      {"255.255.255.255", "Broadcast"},
      {"224.0.0.0", "Multicast"},
      {"239.255.255.255", "Multicast"},
      {"240.0.0.0", "reservierten Bereich"},
      {"255.255.255.254", "reservierten Bereich"},
      {"", "keine IPv4-Adresse"},
      {"localhost", "keine IPv4-Adresse"},
      {"127.1", "keine IPv4-Adresse"},
      {"01.2.3.4", "keine IPv4-Adresse"},
      {"1.2.3.4 ", "keine IPv4-Adresse"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string problem = HostAddressProblem(c.text);
    if (!c.reason) {
      EXPECT_EQ(problem, "");
      continue;
    }
    EXPECT_NE(problem.find(std::string("„") + c.text + "“"), std::string::npos) << problem;
    EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
  }
}

TEST(UdpSocket, DatagramsCarryTheirSender) {
  TUdpSocket a("127.0.0.1"), b("127.0.0.1");
  ASSERT_NE(a.LocalPort(), 0);
  ASSERT_NE(a.LocalPort(), b.LocalPort());

  Bytes big(65507);  // the largest IPv4 UDP payload
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 31);
  for (const Bytes& payload : {test::HexToBytes("01 02 03"), Bytes{}, big}) {
    a.SendTo("127.0.0.1", b.LocalPort(), payload);
    std::optional<TDatagram> d = b.Receive(2000);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Data, payload);
    EXPECT_EQ(d->Address, "127.0.0.1");
    EXPECT_EQ(d->Port, a.LocalPort());
  }
}

// Every datagram comes out at its own length, whatever came before it.
TEST(UdpSocket, DatagramsOfChangingSizes) {
  TUdpSocket a("127.0.0.1"), b("127.0.0.1");
  Bytes big(65507);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 13 + 5);
  const Bytes payloads[] = {big, test::HexToBytes("07"), big, Bytes{}, test::HexToBytes("01 02 03")};
  for (const Bytes& payload : payloads) {
    SCOPED_TRACE(payload.size());
    a.SendTo("127.0.0.1", b.LocalPort(), payload);
    std::optional<TDatagram> d = b.Receive(2000);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Data, payload);
  }
}

TEST(UdpSocket, NothingArrivingIsATimeOutNotAnError) {
  TUdpSocket a("127.0.0.1");
  EXPECT_FALSE(a.Receive(0));
  EXPECT_FALSE(a.Receive(50));
}

extern "C" void IgnoreSignal(int) {}

// A signal that interrupts the wait must not end it.
TEST(UdpSocket, ReceiveWaitsOnAfterASignal) {
  struct sigaction sa {};
  struct sigaction old {};
  sa.sa_handler = IgnoreSignal;  // no SA_RESTART: poll() returns EINTR
  sigemptyset(&sa.sa_mask);
  ASSERT_EQ(sigaction(SIGUSR1, &sa, &old), 0);

  TUdpSocket receiver("127.0.0.1"), sender("127.0.0.1");
  pthread_t waiting = pthread_self();
  std::thread other([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    pthread_kill(waiting, SIGUSR1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sender.SendTo("127.0.0.1", receiver.LocalPort(), test::HexToBytes("42"));
  });
  std::optional<TDatagram> d = receiver.Receive(10000);
  other.join();
  sigaction(SIGUSR1, &old, nullptr);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Data, test::HexToBytes("42"));
}

TEST(UdpSocket, FailuresCarryTheSystemsReason) {
  TUdpSocket taken("127.0.0.1");
  try {
    TUdpSocket clash("127.0.0.1", taken.LocalPort());
    FAIL() << "a second socket bound to a port in use";
  } catch (const SocketError& e) {
    EXPECT_NE(std::string(e.what()).find("Address already in use"), std::string::npos) << e.what();
  }

  EXPECT_THROW(TUdpSocket("127.0.0.256"), SocketError);
  EXPECT_THROW(taken.SendTo("127.1", 69, {}), SocketError);

  taken.Close();
  EXPECT_FALSE(taken.IsOpen());
  EXPECT_THROW(taken.Receive(0), SocketError);
  EXPECT_THROW(taken.SendTo("127.0.0.1", 69, {}), SocketError);
}

TEST(UdpSocket, MovingHandsOverTheSocket) {
  TUdpSocket a("127.0.0.1");
  uint16_t port = a.LocalPort();
  TUdpSocket b = std::move(a);
  EXPECT_FALSE(a.IsOpen());
  EXPECT_EQ(b.LocalPort(), port);
}

}  // namespace
}  // namespace quillon
