// The export button: the scrambled file for the head-end and the upload to a modulator
// channel, through a fake network and through a scripted server on 127.0.0.1.
#include <gtest/gtest.h>

#include "../tftp/scripted_server.h"
#include "editor_fixture.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "tftp/tftp_packet.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using test::HexToBytes;

const char* const kOK = "Exportieren der NIT beendet";
const char* const kError = "Fehler beim Exportieren der NIT";
const char* const kDebug = " -DEBUG: Ausnahme aufgetreten";

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  if (!fs::exists(folder)) return names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class NitExport : public test::EditorTest {
 protected:
  // Missing parents too: the export creates the whole data folder path.
  NitExport() : EditorTest("opt/quillon") {
    editor.StatusProc = [this](const std::string& text) { statuses.push_back(text); };
    editor.TftpTimeoutMs = 2000;
  }

  fs::path DataFolder() const { return editor.Paths().DataFolder(); }

  // One section of 300 bytes (SectionData): two packets.
  void TwoPacketProject() {
    SetOptions(true, false, false);
    AddStream(1, 0);   // 19 bytes
    AddStream(2, 76);  // 6 + 13 + 2 + 228
  }

  // Streams of 470 bytes (63 services with SLD and EACEM), two to a six-packet section.
  void PacketProject(int streams63, int streams15) {
    SetOptions(true, true, false);
    for (int i = 0; i < streams63; ++i) AddStream(static_cast<uint16_t>(i + 1), 63);
    for (int i = 0; i < streams15; ++i) AddStream(static_cast<uint16_t>(1000 + i), 15);
  }

  Bytes Packets() {
    RawString all = BuildTablePackets(Built());
    return Bytes(all.begin(), all.end());
  }

  // The upload file: each packet padded with 0xFF to 512 bytes.
  Bytes UploadFile() {
    Bytes packets = Packets(), out;
    for (size_t p = 0; p < packets.size(); p += RPAGE_LEN) {
      out.insert(out.end(), packets.begin() + p, packets.begin() + p + RPAGE_LEN);
      out.resize(out.size() + 512 - RPAGE_LEN, 0xFF);
    }
    return out;
  }

  // Sends through `net`, to 127.0.0.1 only.
  void UseFakeNetwork(test::TFakeNetwork& net) {
    editor.SetModulatorAddress("127.0.0.1");
    editor.SocketFactory = net.Factory();
  }

  std::function<std::optional<fs::path>()> SaveAs(const fs::path& path) {
    return [this, path] {
      ++asked;
      return std::optional<fs::path>(path);
    };
  }

  std::vector<std::string> statuses;
  int asked = 0;
};

TEST(ScrambleExport, KeyBytesMostSignificantFirst) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"", ""},
      {"00 00 00 00 00 00", "6D 2E 91 C4 6D 2E"},
      {"47 40 10 10 FF", "2A 6E 81 D4 92"},
  };
  for (const Case& c : cases) {
    Bytes in = HexToBytes(c.in);
    EXPECT_BYTES_EQ(HexToBytes(c.out), TNitEditor::ScrambleExport(in));
    EXPECT_BYTES_EQ(in, TNitEditor::ScrambleExport(TNitEditor::ScrambleExport(in)));
  }
}

TEST_F(NitExport, HeadEndFileHoldsTheScrambledPackets) {
  TwoPacketProject();
  const fs::path target = DataFolder() / "headend.nit";
  editor.ExportNIT([&] {
    ++asked;
    test::WriteTextFile(target, std::string(1000, 'x'));  // an older export, replaced
    return std::optional<fs::path>(target);
  });
  ASSERT_EQ(BuiltSection(0).SectionData().size(), 300u);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(statuses, std::vector<std::string>{kOK});
  Bytes file = ReadFileBytes(target);
  ASSERT_EQ(file.size(), 376u);
  EXPECT_BYTES_EQ(HexToBytes("2A 6E 81 D4"), Bytes(file.begin(), file.begin() + 4));  // 47 40 10 10
  Bytes plain = TNitEditor::ScrambleExport(file);
  EXPECT_BYTES_EQ(Packets(), plain);
  EXPECT_BYTES_EQ(HexToBytes("47 00 10 11"), Bytes(plain.begin() + 188, plain.begin() + 192));
  EXPECT_EQ(FilesIn(DataFolder()), std::vector<std::string>{"headend.nit"});
}

TEST_F(NitExport, ModulatorChannelsThroughAFakeNetwork) {
  struct Case {
    TExportTarget target;
    const char* remote;
  };
  for (const Case& c : {Case{TExportTarget::MerloA, "nit_a"}, Case{TExportTarget::MerloB, "nit_b"}}) {
    SCOPED_TRACE(c.remote);
    while (editor.StreamCount() > 0) editor.DeleteStream(0);
    statuses.clear();
    TwoPacketProject();
    editor.SetExportTarget(c.target);
    editor.TftpPort = 6969;
    test::TFakeNetwork net;
    Bytes received, fileAtRequest;
    auto acking = test::AckingPeer(received);
    net.Peer = [&](const TTftpPacket& p) {
      if (p.Opcode == kTftpWrq) fileAtRequest = ReadFileBytes(DataFolder() / "Merlo.nit");
      return acking(p);
    };
    UseFakeNetwork(net);
    editor.ExportNIT(SaveAs("unused"));

    EXPECT_EQ(asked, 0);
    ASSERT_EQ(fileAtRequest.size(), 1024u);
    EXPECT_BYTES_EQ(UploadFile(), fileAtRequest);
    EXPECT_BYTES_EQ(Bytes(324, 0xFF), Bytes(fileAtRequest.begin() + 188, fileAtRequest.begin() + 512));
    EXPECT_BYTES_EQ(Bytes(324, 0xFF), Bytes(fileAtRequest.begin() + 700, fileAtRequest.end()));
    EXPECT_BYTES_EQ(fileAtRequest, received);
    ASSERT_EQ(net.Sent.size(), 4u);  // WRQ, two full blocks, the empty last one
    EXPECT_EQ(net.Sent[0].Address, "127.0.0.1");
    EXPECT_EQ(net.Sent[0].Port, 6969);
    EXPECT_EQ(net.Sent[0].Packet.Opcode, kTftpWrq);
    EXPECT_EQ(net.Sent[0].Packet.Text, c.remote);
    EXPECT_EQ(net.Sent[0].Packet.Mode, "octet");
    EXPECT_EQ(net.Sent[3].Packet.Data.size(), 0u);
    EXPECT_EQ(net.SocketsOpen, 0);
    EXPECT_FALSE(fs::exists(DataFolder() / "Merlo.nit"));
    ASSERT_GE(statuses.size(), 3u);
    EXPECT_EQ(statuses.front(), "Verbunden");
    EXPECT_EQ(statuses[statuses.size() - 2], "Getrennt");
    EXPECT_EQ(statuses.back(), kOK);
  }
}

// Many modulators never acknowledge the empty last block: the upload counts as done, and
// the status says that it was not confirmed.
TEST_F(NitExport, AnUnconfirmedLastBlockIsSaidSo) {
  TwoPacketProject();
  editor.SetExportTarget(TExportTarget::MerloA);
  editor.TftpTimeoutMs = 500;
  test::TFakeNetwork net;
  Bytes received;
  auto acking = test::AckingPeer(received);
  net.Peer = [&](const TTftpPacket& p) {
    return p.Opcode == kTftpData && p.Data.empty() ? std::vector<Bytes>{} : acking(p);
  };
  UseFakeNetwork(net);
  editor.ExportNIT(SaveAs("unused"));
  EXPECT_BYTES_EQ(UploadFile(), received);
  EXPECT_FALSE(editor.LastUploadConfirmed());
  EXPECT_EQ(statuses.back(), "Exportieren der NIT beendet, aber der Modulator hat den letzten Block nicht bestätigt");
}

TEST_F(NitExport, UploadToAScriptedServerOnLoopback) {
  TwoPacketProject();
  editor.SetExportTarget(TExportTarget::MerloB);
  editor.SetModulatorAddress("127.0.0.1");
  test::TScriptedServer server([](test::TScriptedServer::Session& s) {
    s.Request();
    s.Send(BuildAck(0));  // no options: 512-byte blocks
    s.AckData(512);
  });
  editor.TftpPort = server.Port();
  editor.ExportNIT(nullptr);
  test::TScriptedServer::Session& s = server.Finish();
  ASSERT_FALSE(s.Log.empty());
  EXPECT_EQ(s.Log[0].Opcode, kTftpWrq);
  EXPECT_EQ(s.Log[0].Text, "nit_b");
  EXPECT_EQ(s.Log[0].Mode, "octet");
  ASSERT_EQ(s.File.size(), 1024u);
  EXPECT_BYTES_EQ(UploadFile(), s.File);
  EXPECT_FALSE(fs::exists(DataFolder() / "Merlo.nit"));
  EXPECT_EQ(statuses.back(), kOK);
}

TEST_F(NitExport, NoModulatorAddressSendsNothing) {
  for (TExportTarget target : {TExportTarget::MerloA, TExportTarget::MerloB}) {
    statuses.clear();
    AddStream(1, 1);
    test::TFakeNetwork net;
    editor.SocketFactory = net.Factory();
    editor.SetModulatorAddress("0.0.0.0");
    editor.SetExportTarget(target);
    editor.ExportNIT(nullptr);
    EXPECT_EQ(statuses, std::vector<std::string>{kError});
    EXPECT_EQ(net.SocketsOpened, 0);
    EXPECT_TRUE(FilesIn(DataFolder()).empty());
  }
}

TEST_F(NitExport, AStoppedBuildExportsNothing) {
  struct Case {
    const char* name;
    std::function<void()> spoil;
  };
  const Case cases[] = {
      {"a size limit", [&] { AddStream(2, 86); }},
      {"the user", [&] { editor.SetVariant(TLcnVariant::NorDigV2); }},  // no lists; the question is cancelled
      {"an unrepresentable value", [&] { editor.Stream(0)->SetFreq(8000.0L); }},
  };
  for (TExportTarget target : {TExportTarget::Brava, TExportTarget::MerloB}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << ", target " << static_cast<int>(target));
      while (editor.StreamCount() > 0) editor.DeleteStream(0);
      SetOptions(true, true, false);
      AddStream(1, 2);
      c.spoil();
      statuses.clear();
      asked = 0;
      test::TFakeNetwork net;
      UseFakeNetwork(net);
      editor.SetExportTarget(target);
      editor.ExportNIT(SaveAs(DataFolder() / "x.nit"));
      EXPECT_EQ(statuses, std::vector<std::string>{kError});
      EXPECT_EQ(asked, 0);
      EXPECT_EQ(net.SocketsOpened, 0);
      EXPECT_FALSE(fs::exists(DataFolder()));
    }
  }
}

TEST_F(NitExport, AtMost255Packets) {
  // 85 streams: 42 sections of six packets and one of three. One more small stream
  // makes the last section four packets long.
  struct Case {
    int smallStreams;
    size_t packets;
    TExportTarget target;
    std::string status;
  };
  const Case cases[] = {
      {0, 255, TExportTarget::Brava, kOK},
      {1, 256, TExportTarget::Brava, kDebug},
      {1, 256, TExportTarget::MerloA, kDebug},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.packets);
    while (editor.StreamCount() > 0) editor.DeleteStream(0);
    PacketProject(85, c.smallStreams);
    statuses.clear();
    fs::remove_all(DataFolder());
    test::TFakeNetwork net;
    UseFakeNetwork(net);
    editor.SetExportTarget(c.target);
    const fs::path target = DataFolder() / "big.nit";
    editor.ExportNIT(SaveAs(target));
    ASSERT_EQ(test::PagesOf(Built()).size(), c.packets);
    EXPECT_EQ(statuses, std::vector<std::string>{c.status});
    EXPECT_EQ(net.SocketsOpened, 0);
    if (c.status == kOK) {
      EXPECT_EQ(fs::file_size(target), 255u * 188u);
    } else {
      EXPECT_TRUE(FilesIn(DataFolder()).empty());
    }
  }
}

TEST_F(NitExport, CancelledSaveDialogReportsAnEmptyText) {
  AddStream(1, 1);
  editor.ExportNIT([] { return std::optional<fs::path>(); });
  editor.ExportNIT(nullptr);
  EXPECT_EQ(statuses, (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(FilesIn(DataFolder()).empty());
}

TEST_F(NitExport, FailuresBecomeTheDebugNote) {
  struct Case {
    const char* name;
    TExportTarget target;
    std::function<void(test::TFakeNetwork&)> setUp;
    fs::path file;  // for the head-end target
  };
  const Case cases[] = {
      {"no answer from the modulator", TExportTarget::MerloA, [](test::TFakeNetwork&) {}, {}},
      {"the modulator refuses", TExportTarget::MerloB,
       [](test::TFakeNetwork& net) {
         net.Peer = [](const TTftpPacket&) { return std::vector<Bytes>{BuildError(2, "read-only")}; };
       },
       {}},
      {"a file in a missing folder", TExportTarget::Brava, [](test::TFakeNetwork&) {}, "missing/x.nit"},
  };
  AddStream(1, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    statuses.clear();
    test::TFakeNetwork net;
    c.setUp(net);
    UseFakeNetwork(net);
    editor.SetExportTarget(c.target);
    editor.ExportNIT(SaveAs(DataFolder() / c.file));
    EXPECT_EQ(statuses.back(), kDebug);
    // The upload file goes whatever the transfer did; no half-written export stays.
    EXPECT_TRUE(FilesIn(DataFolder()).empty());
    if (c.target != TExportTarget::Brava) {
      EXPECT_EQ(statuses.front(), "Verbunden");
      EXPECT_EQ(statuses[statuses.size() - 2], "Getrennt");
    }
  }
}

TEST_F(NitExport, DataFolderThatCannotBeCreated) {
  AddStream(1, 1);
  fs::create_directories(editor.Paths().ProgramFolder);
  test::WriteTextFile(DataFolder(), "a file where the folder belongs");
  editor.ExportNIT(SaveAs(DataFolder() / "x.nit"));
  EXPECT_EQ(statuses, std::vector<std::string>{kDebug});
  EXPECT_EQ(asked, 0);
}

TEST_F(NitExport, DirectCallsRefuseWhatTheyCannotExport) {
  const fs::path file = dir / "direct.nit";
  editor.SetModulatorAddress("127.0.0.1");
  test::TFakeNetwork net;
  editor.SocketFactory = net.Factory();
  // Nothing built yet: no packets to write or send.
  EXPECT_FALSE(editor.ExportNITFile(file));
  EXPECT_FALSE(editor.TransmitNIT(dir.Path(), "nit_a"));
  ASSERT_TRUE(Build());
  EXPECT_FALSE(editor.ExportNITFile(""));
  EXPECT_FALSE(editor.TransmitNIT("", "nit_a"));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(net.SocketsOpened, 0);
  EXPECT_TRUE(editor.ExportNITFile(file));
  EXPECT_EQ(fs::file_size(file), 188u);
}

}  // namespace
}  // namespace quillon
