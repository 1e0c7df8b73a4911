// The write client over real UDP sockets against a scripted server on 127.0.0.1: the
// answers a real server will not give on demand.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/files.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "scripted_server.h"
#include "support/language_fixture.h"
#include "support/test_util.h"
#include "tftp/tftp_client.h"

namespace quillon {
namespace {

using Session = test::TScriptedServer::Session;
using test::Pattern;

class TftpClientUdp : public ::testing::Test {
 protected:
  TftpClientUdp() {
    client.SetHost("127.0.0.1");
    client.SetReceiveTimeout(600);
  }

  TftpPutResult Put(test::TScriptedServer& server, const Bytes& content) {
    std::filesystem::path path = dir / "upload.bin";
    WriteFileBytes(path, content);
    client.SetPort(server.Port());
    return client.Put(path, "nit_a");
  }

  TftpError PutFails(test::TScriptedServer& server, const Bytes& content) {
    return test::ThrownTftpError([&] { Put(server, content); });
  }

  test::TempDir dir;
  TTftpClient client;
};

TEST_F(TftpClientUdp, DuplicateAcksAreIgnored) {
  test::TScriptedServer server([](Session& s) {
    s.Request();
    s.Send(BuildAck(0));
    s.Next();  // DATA 1
    s.Send(BuildAck(0));
    s.Send(BuildAck(0));
    s.Send(BuildAck(1));
    s.Next();  // DATA 2: the last, 1 byte
    s.Send(BuildAck(1));
    s.Send(BuildAck(2));
  });
  Bytes content = Pattern(513);
  EXPECT_EQ(Put(server, content), TftpPutResult::Confirmed);
  Session& s = server.Finish();
  ASSERT_EQ(s.Log.size(), 3u);
  EXPECT_EQ(s.Log[1].Number, 1);
  EXPECT_EQ(s.Log[2].Number, 2);
  EXPECT_BYTES_EQ(Bytes(content.begin() + 512, content.end()), s.Log[2].Data);
  EXPECT_FALSE(server.Leftover());
}

TEST_F(TftpClientUdp, AnUnacknowledgedFinalBlockStillEndsTheTransfer) {
  test::TScriptedServer server([](Session& s) {
    s.Request();
    s.Send(BuildAck(0));
    s.AckData(512, /*ackLast=*/false);
  });
  Bytes content = Pattern(1024);
  EXPECT_EQ(Put(server, content), TftpPutResult::LastBlockUnconfirmed);
  EXPECT_BYTES_EQ(content, server.Finish().File);
  EXPECT_FALSE(server.Leftover());
}

TEST_F(TftpClientUdp, NoAnswerIsATimeOut) {
  test::TScriptedServer silent([](Session& s) { s.Request(); });
  TftpError e = PutFails(silent, Pattern(10));
  EXPECT_EQ(e.Kind(), TftpErrorKind::Timeout);
  EXPECT_THAT(e.what(), ::testing::StartsWith(Format("Zeitüberschreitung: 127.0.0.1:%u hat die Schreibanfrage",
                                                     unsigned{silent.Port()})));

  test::TScriptedServer stopsAfterOneBlock([](Session& s) {
    s.Request();
    s.Send(BuildAck(0));
    s.Next();
  });
  e = PutFails(stopsAfterOneBlock, Pattern(1000));
  EXPECT_EQ(e.Kind(), TftpErrorKind::Timeout);
  EXPECT_THAT(e.what(), ::testing::StartsWith(Format("Zeitüberschreitung: 127.0.0.1:%u hat Block 1 von 2",
                                                     unsigned{stopsAfterOneBlock.Finish().TransferPort()})));
}

// Packets the client ignores must not keep a dead transfer alive.
TEST_F(TftpClientUdp, IgnoredPacketsDoNotPostponeTheTimeOut) {
  std::atomic<bool> clientDone{false};
  bool gaveUpFirst = false;
  test::TScriptedServer server([&](Session& s) {
    s.Request();
    s.Send(BuildAck(0));
    s.Next();
    // Long past the client's time-out, unless the duplicates kept it waiting.
    for (int i = 0; i < 200 && !clientDone; ++i) {
      s.Send(BuildAck(0));
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    gaveUpFirst = clientDone;
  });
  EXPECT_EQ(PutFails(server, Pattern(1000)).Kind(), TftpErrorKind::Timeout);
  clientDone = true;
  server.Finish();
  EXPECT_TRUE(gaveUpFirst);
}

TEST_F(TftpClientUdp, UnsupportedOptionIsRefusedWithError8) {
  test::TScriptedServer server([](Session& s) {
    s.Request();
    s.Send(BuildOptionAck({{"blksize", "1500"}, {"timeout", "5"}}));
  });
  TftpError e = PutFails(server, Pattern(100));
  EXPECT_EQ(e.Kind(), TftpErrorKind::OptionRefused);
  EXPECT_STREQ(e.what(), "Nicht unterstützte Option: \"timeout\"");

  std::optional<TTftpPacket> reply = server.Leftover();
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->Opcode, kTftpError);
  EXPECT_EQ(reply->Number, kTftpOptionNegotiation);
  EXPECT_EQ(reply->Text, "Nicht unterst\xFCtzte Option: \"timeout\"");  // 8-bit text on the wire
}

// The user reads a refusal in the active language; the server is told in the program's
// own words whatever that language is.
TEST_F(TftpClientUdp, ARefusalGoesToTheServerInGermanWhateverTheUsersLanguage) {
  const test::TEnglishTexts english;
  TTftpClient inEnglish;  // takes the texts of the language active when it is made
  inEnglish.SetHost("127.0.0.1");
  inEnglish.SetReceiveTimeout(600);
  test::TScriptedServer server([](Session& s) {
    s.Request();
    s.Send(BuildOptionAck({{"timeout", "5"}}));
  });
  WriteFileBytes(dir / "upload.bin", Pattern(100));
  inEnglish.SetPort(server.Port());
  TftpError e = test::ThrownTftpError([&] { inEnglish.Put(dir / "upload.bin", "nit_a"); });
  EXPECT_STREQ(e.what(), "Unsupported option \"timeout\"");
  std::optional<TTftpPacket> reply = server.Leftover();
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->Text, "Nicht unterst\xFCtzte Option: \"timeout\"");
}

TEST_F(TftpClientUdp, BlockSizesOutsideTheAcceptedRangeAreRefused) {
  const char* values[] = {"3", "0", "65461", "1501", "", "abc", "-512", "99999999999999999999"};
  for (const char* value : values) {
    SCOPED_TRACE(value);
    test::TScriptedServer server([&](Session& s) {
      s.Request();
      s.Send(BuildOptionAck({{"blksize", value}}));
    });
    TftpError e = PutFails(server, Pattern(100));
    std::string text = Format("Nicht unterstützter Wert \"%s\" für Option: \"blksize\"", value);
    EXPECT_EQ(e.Kind(), TftpErrorKind::OptionRefused);
    EXPECT_EQ(e.what(), text);
    std::optional<TTftpPacket> reply = server.Leftover();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Number, kTftpOptionNegotiation);
    EXPECT_EQ(Utf16ToUtf8(Latin1ToUtf16(reply->Text)), text);
  }
}

TEST_F(TftpClientUdp, ErrorPacketsEndTheTransferWithTheServersMessage) {
  struct Case {
    uint16_t code;
    std::string message;
    TftpErrorKind kind;
    const char* text;
  };
  const Case cases[] = {
      {0, "quota", TftpErrorKind::TransferError, "TFTP-Fehler 0: quota"},
      {1, "nit_a", TftpErrorKind::FileNotFound, "Datei nicht gefunden: nit_a"},
      {2, "Zugriff verweigert f\xFCr nit_a", TftpErrorKind::AccessViolation,
       "Zugriff verweigert: Zugriff verweigert für nit_a"},
      {3, "", TftpErrorKind::AllocationExceeded, "Datenträger voll oder Zuteilung überschritten"},
      {4, "bad", TftpErrorKind::IllegalOperation, "Unzulässige TFTP-Operation: bad"},
      {5, "who?", TftpErrorKind::UnknownTransferId, "Unbekannte Transfer-ID: who?"},
      {6, "exists", TftpErrorKind::FileAlreadyExists, "Datei existiert bereits: exists"},
      {7, "nobody", TftpErrorKind::NoSuchUser, "Benutzer unbekannt: nobody"},
      {8, "no", TftpErrorKind::OptionNegotiationFailed, "Aushandeln der Optionen fehlgeschlagen: no"},
      {9, "nine", TftpErrorKind::TransferError, "TFTP-Fehler 9: nine"},
      {65535, "", TftpErrorKind::TransferError, "TFTP-Fehler 65535"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    // After the first block as well as in answer to the request.
    for (bool afterBlock : {false, true}) {
      test::TScriptedServer server([&](Session& s) {
        s.Request();
        if (afterBlock) {
          s.Send(BuildAck(0));
          s.Next();
        }
        s.Send(BuildError(c.code, c.message));
      });
      TftpError e = PutFails(server, Pattern(600));
      EXPECT_EQ(e.Kind(), c.kind);
      EXPECT_STREQ(e.what(), c.text);
      EXPECT_FALSE(server.Leftover());
    }
  }
}

TEST_F(TftpClientUdp, UnexpectedOpcodesAreAnsweredWithError4) {
  struct Case {
    const char* name;
    Bytes packet;
  };
  const Case cases[] = {
      {"RRQ", BuildRequest(kTftpRrq, "x", "octet", {})},
      {"WRQ", BuildRequest(kTftpWrq, "x", "octet", {})},
      {"DATA", BuildData(1, Pattern(5))},
      {"opcode 7", test::HexToBytes("0007 0000")},
      {"opcode 0", test::HexToBytes("0000")},
      {"opcode FFFF", test::HexToBytes("FFFF 0001")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TScriptedServer server([&](Session& s) {
      s.Request();
      s.Send(c.packet);
    });
    TftpError e = PutFails(server, Pattern(100));
    EXPECT_EQ(e.Kind(), TftpErrorKind::UnexpectedOperation);
    EXPECT_EQ(e.what(), Format("Unerwartete Operation von 127.0.0.1:%d", server.Finish().TransferPort()));
    std::optional<TTftpPacket> reply = server.Leftover();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Opcode, kTftpError);
    EXPECT_EQ(reply->Number, kTftpIllegalOperation);
    EXPECT_EQ(reply->Text, "");
  }
}

// Once the server has answered, only its address and port take part in the transfer.
TEST_F(TftpClientUdp, StrayDatagramsGetError5AndTheTransferGoesOn) {
  struct Case {
    const char* name;
    Bytes packet;
  };
  const Case cases[] = {
      {"the awaited ACK", BuildAck(1)},
      {"an ERROR", BuildError(kTftpAccessViolation, "stop")},
      {"an OACK", BuildOptionAck({{"blksize", "8"}})},
      {"garbage", test::HexToBytes("FF")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TScriptedServer server([&](Session& s) {
      s.Request();
      s.Send(BuildOptionAck({{"blksize", "1000"}}));
      s.File = s.Next().Data;  // DATA 1
      s.SendFromStray(c.packet);
      TTftpPacket answer = s.NextAtStray();
      if (answer.Opcode != kTftpError || answer.Number != kTftpUnknownTransferId)
        throw std::runtime_error("the stray port got no ERROR 5");
      s.Send(BuildAck(1));
      TTftpPacket last = s.Next();  // DATA 2
      s.File.insert(s.File.end(), last.Data.begin(), last.Data.end());
      s.Send(BuildAck(2));
    });
    Bytes content = Pattern(1500);
    Put(server, content);
    EXPECT_BYTES_EQ(content, server.Finish().File);
  }
}

}  // namespace
}  // namespace quillon
