// The entry fields: what they accept, what they refuse with which message, and when
// they count as changed by the user.
#include <QSignalSpy>
#include <QTest>

#include "platform/dialogs.h"
#include "support/gui_fixture.h"
#include "widgets/entry_fields.h"

using namespace quillon;
using quillon::test::TypeInto;

namespace {
constexpr const char* kOutOfRange = "Wert außerhalb des Bereichs!";
constexpr const char* kInvalid = "Ungültiger Eintrag";
}  // namespace

class WidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { dialogs.Clear(); }

  void binHexEntry_data();
  void binHexEntry();
  void binHexProgramValueIsNoUserEdit();
  void numberEntry_data();
  void numberEntry();
  void ipv4Entry_data();
  void ipv4Entry();

 private:
  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
};

void WidgetsTest::binHexEntry_data() {
  QTest::addColumn<int>("base");
  QTest::addColumn<QString>("prefix");
  QTest::addColumn<int>("digits");
  QTest::addColumn<uint>("min");
  QTest::addColumn<uint>("max");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<uint>("value");  // what the field holds afterwards (it starts at 7)
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("message");  // empty: accepted without a box

  auto id = [](const char* name, const char* typed, uint value, const char* shown, const char* message) {
    QTest::newRow(name) << 16 << "0x" << 4 << 0u << 0xFFFFu << typed << value << shown << message;
  };
  id("prefixed", "0x1F2", 0x1F2, "0x01F2", "");
  id("prefix in capitals, lower-case digits", "0Xabcd", 0xABCD, "0xABCD", "");
  id("without prefix", "10", 0x10, "0x0010", "");
  id("largest", "0xFFFF", 0xFFFF, "0xFFFF", "");
  id("zero", "0x0", 0, "0x0000", "");
  id("blanks around", " 0x20 ", 0x20, "0x0020", "");
  id("five digits", "0x10000", 7, "0x0007", kOutOfRange);
  id("five digits with leading zero", "0x00001", 7, "0x0007", kOutOfRange);
  id("prefix only", "0x", 7, "0x0007", kInvalid);
  id("empty", "", 7, "0x0007", kInvalid);
  id("not a hex digit", "0x12G", 7, "0x0007", kInvalid);
  id("sign", "-1", 7, "0x0007", kInvalid);
  id("decimal point", "1.5", 7, "0x0007", kInvalid);

  QTest::newRow("binary") << 2 << "0b" << 8 << 0u << 255u << "0b101" << 5u << "0b00000101" << "";
  QTest::newRow("binary, digit 2") << 2 << "0b" << 8 << 0u << 255u << "0b102" << 7u << "0b00000111" << kInvalid;
  QTest::newRow("binary, nine digits") << 2 << "0b" << 8 << 0u << 255u << "111111111" << 7u << "0b00000111"
                                       << kOutOfRange;
  QTest::newRow("below the minimum") << 16 << "0x" << 4 << 1u << 0xFFFEu << "0x0000" << 7u << "0x0007" << kOutOfRange;
  QTest::newRow("above the maximum") << 16 << "0x" << 4 << 1u << 0xFFFEu << "0xFFFF" << 7u << "0x0007" << kOutOfRange;
}

void WidgetsTest::binHexEntry() {
  QFETCH(int, base);
  QFETCH(QString, prefix);
  QFETCH(int, digits);
  QFETCH(uint, min);
  QFETCH(uint, max);
  QFETCH(QString, typed);
  QFETCH(uint, value);
  QFETCH(QString, shown);
  QFETCH(QString, message);

  const std::string prefixText = prefix.toStdString();
  TBinHexEdit edit;
  edit.SetFormat({base, prefixText, digits, min, max});
  edit.SetValue(7);
  QSignalSpy edited(&edit, &TBinHexEdit::valueEdited);
  edit.show();
  TypeInto(&edit, typed);

  QCOMPARE(edit.Value(), value);
  QCOMPARE(edit.text(), shown);
  bool accepted = message.isEmpty();
  QCOMPARE(edit.UserModified(), accepted);
  QCOMPARE(edited.count(), accepted ? 1 : 0);
  if (accepted) {
    QVERIFY(dialogs.shown.empty());
  } else {
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(QString::fromStdString(dialogs.shown[0].text), message);
  }
}

void WidgetsTest::binHexProgramValueIsNoUserEdit() {
  TBinHexEdit edit;
  QSignalSpy edited(&edit, &TBinHexEdit::valueEdited);
  edit.show();
  edit.SetValue(0x1234);
  QCOMPARE(edit.text(), QString("0x1234"));
  // Typing the value it already holds is no change either.
  TypeInto(&edit, "1234");
  QVERIFY(!edit.UserModified());
  QCOMPARE(edited.count(), 0);
  TypeInto(&edit, "1235");
  QVERIFY(edit.UserModified());
  edit.ResetUserModified();
  QVERIFY(!edit.UserModified());
  // A value outside the format's range is shown clamped.
  edit.SetValue(0x12345);
  QCOMPARE(edit.Value(), 0xFFFFu);
}

void WidgetsTest::numberEntry_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("value");
  QTest::newRow("in range") << "17" << 17;
  QTest::newRow("largest") << "31" << 31;
  QTest::newRow("smallest") << "0" << 0;
  QTest::newRow("too large: the second digit is refused") << "32" << 3;
  QTest::newRow("letters are refused") << "x5" << 5;
}

void WidgetsTest::numberEntry() {
  QFETCH(QString, typed);
  QFETCH(int, value);
  TNumberEdit edit;
  edit.setRange(0, 31);
  edit.SetValue(1);
  QVERIFY(!edit.UserModified());
  edit.show();
  TypeInto(&edit, typed);
  QCOMPARE(edit.value(), value);
  QCOMPARE(edit.UserModified(), value != 1);
}

void WidgetsTest::ipv4Entry_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("address");
  QTest::addColumn<QString>("message");
  QTest::newRow("plain") << "192.168.10.20" << "192.168.10.20" << "";
  QTest::newRow("leading zeros dropped") << "010.000.0.001" << "10.0.0.1" << "";
  QTest::newRow("loopback") << "127.0.0.1" << "127.0.0.1" << "";
  QTest::newRow("three parts") << "10.0.0" << "0.0.0.0" << kInvalid;
  QTest::newRow("five parts") << "1.2.3.4.5" << "0.0.0.0" << kInvalid;
  QTest::newRow("empty part") << "1..3.4" << "0.0.0.0" << kInvalid;
  QTest::newRow("four-digit part") << "1.2.3.1000" << "0.0.0.0" << kInvalid;
  QTest::newRow("part above 255") << "10.256.0.1" << "0.0.0.0" << kOutOfRange;
  QTest::newRow("empty") << "" << "0.0.0.0" << kInvalid;
}

void WidgetsTest::ipv4Entry() {
  QFETCH(QString, typed);
  QFETCH(QString, address);
  QFETCH(QString, message);
  TIPv4Edit edit;
  QCOMPARE(edit.Address(), QString("0.0.0.0"));
  QSignalSpy edited(&edit, &TIPv4Edit::addressEdited);
  edit.show();
  TypeInto(&edit, typed);
  QCOMPARE(edit.Address(), address);
  QCOMPARE(edit.text(), address);
  QCOMPARE(edited.count(), message.isEmpty() ? 1 : 0);
  QCOMPARE(dialogs.shown.size(), message.isEmpty() ? size_t{0} : size_t{1});
  if (!message.isEmpty()) QCOMPARE(QString::fromStdString(dialogs.shown[0].text), message);
}

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"
