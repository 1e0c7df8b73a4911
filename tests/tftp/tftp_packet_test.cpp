#include "tftp/tftp_packet.h"

#include <gtest/gtest.h>

#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;

TEST(TftpPacketBuild, LayoutsAreBigEndianWithZeroTerminatedStrings) {
  struct Case {
    const char* name;
    Bytes built;
    const char* hex;
  };
  const Case cases[] = {
      {"write request with options",
       BuildRequest(kTftpWrq, "nit_a", "octet", {{"blksize", "1500"}, {"tsize", "1024"}}),
       "0002 6E69745F6100 6F6374657400 626C6B73697A6500 3135303000 7473697A6500 3130323400"},
      {"write request without options", BuildRequest(kTftpWrq, "f", "netascii", {}),
       "0002 6600 6E65746173636969 00"},
      {"DATA", BuildData(0x0102, HexToBytes("AA BB CC")), "0003 0102 AABBCC"},
      {"empty DATA", BuildData(3, {}), "0003 0003"},
      {"ACK", BuildAck(0xFFFF), "0004 FFFF"},
      {"ERROR", BuildError(8, "x"), "0005 0008 7800"},
      {"ERROR without message", BuildError(4, ""), "0005 0004 00"},
      {"OACK", BuildOptionAck({{"blksize", "512"}}), "0006 626C6B73697A6500 35313200"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_BYTES_EQ(HexToBytes(c.hex), c.built);
  }
}

TEST(TftpPacketParse, AcceptsWhatTheBuildersWrite) {
  TTftpPacket wrq = ParsePacket(BuildRequest(kTftpWrq, "nit_b", "octet", {{"blksize", "1500"}, {"tsize", "0"}}));
  EXPECT_TRUE(wrq.WellFormed);
  EXPECT_EQ(wrq.Opcode, kTftpWrq);
  EXPECT_EQ(wrq.Text, "nit_b");
  EXPECT_EQ(wrq.Mode, "octet");
  EXPECT_EQ(wrq.Options, (TTftpOptions{{"blksize", "1500"}, {"tsize", "0"}}));

  TTftpPacket data = ParsePacket(BuildData(65535, HexToBytes("00 01 FF")));
  EXPECT_TRUE(data.WellFormed);
  EXPECT_EQ(data.Number, 65535);
  EXPECT_BYTES_EQ(HexToBytes("00 01 FF"), data.Data);

  TTftpPacket oack = ParsePacket(BuildOptionAck({{"tsize", "7"}, {"blksize", "8"}}));
  EXPECT_TRUE(oack.WellFormed);
  EXPECT_EQ(oack.Options, (TTftpOptions{{"tsize", "7"}, {"blksize", "8"}}));
}

// Datagrams as a broken or hostile server may send them.
TEST(TftpPacketParse, UntrustedDatagrams) {
  struct Case {
    const char* name;
    const char* hex;
    uint16_t opcode;
    bool wellFormed;
    uint16_t number;
    const char* text;
    size_t options;
  };
  const Case cases[] = {
      {"empty", "", 0, false, 0, "", 0},
      {"one byte", "00", 0, false, 0, "", 0},
      {"ACK", "0004 0007", kTftpAck, true, 7, "", 0},
      {"ACK with trailing bytes", "0004 0007 DEAD", kTftpAck, true, 7, "", 0},
      {"ACK one byte short", "0004 00", kTftpAck, false, 0, "", 0},
      {"DATA without block number", "0003", kTftpData, false, 0, "", 0},
      {"ERROR", "0005 0001 6E6F00", kTftpError, true, 1, "no", 0},
      {"ERROR without zero byte", "0005 0002 6E6F", kTftpError, true, 2, "no", 0},
      {"ERROR with bytes after the zero", "0005 0002 6100 62", kTftpError, true, 2, "a", 0},
      {"ERROR without message", "0005 0003", kTftpError, true, 3, "", 0},
      {"ERROR without code", "0005 00", kTftpError, false, 0, "", 0},
      {"OACK without options", "0006", kTftpOack, true, 0, "", 0},
      {"OACK with a name and no value", "0006 6100", kTftpOack, false, 0, "", 0},
      {"OACK with an unterminated value", "0006 6100 3531", kTftpOack, false, 0, "", 0},
      {"OACK with one pair too many names", "0006 6100 6200 6300", kTftpOack, false, 0, "", 0},
      {"OACK with an empty name and value", "0006 00 00", kTftpOack, true, 0, "", 1},
      {"WRQ without mode", "0002 6600", kTftpWrq, false, 0, "", 0},
      {"unknown opcode", "0007 0001", 7, false, 0, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTftpPacket p = ParsePacket(HexToBytes(c.hex));
    EXPECT_EQ(p.Opcode, c.opcode);
    EXPECT_EQ(p.WellFormed, c.wellFormed);
    EXPECT_EQ(p.Number, c.number);
    EXPECT_EQ(p.Text, c.text);
    EXPECT_EQ(p.Options.size(), c.options);
  }
}

TEST(TftpPacketParse, OptionNumbers) {
  struct Case {
    const char* text;
    std::optional<uint32_t> value;
  };
  const Case cases[] = {
      {"1500", 1500},         {"0", 0},           {"007", 7},           {"4294967295", 4294967295u},
      {"4294967296", {}},     {"99999999999999999999999999", {}},     {"", {}},
      {"+5", {}},             {"-1", {}},         {" 5", {}},           {"5 ", {}},
      {"0x10", {}},           {"1e3", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseOptionNumber(c.text), c.value);
  }
}

TEST(TftpNetascii, LineEndsBecomeCrLfAndCrBecomesCrNul) {
  EXPECT_BYTES_EQ(HexToBytes("61 0D0A 62 0D00 63 0D00 0D0A"), ToNetascii(HexToBytes("61 0A 62 0D 63 0D 0A")));
  EXPECT_TRUE(ToNetascii({}).empty());
}

}  // namespace
}  // namespace quillon
