#include "descriptor_test_util.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/text.h"

namespace quillon::test {

void CheckTruncated(const TruncatedCase& c) {
  const Bytes bytes = HexToBytes(c.hex);
  std::unique_ptr<TBasicDescriptor> direct = CreateDescriptorForTag(bytes[0], c.privSpec);
  ASSERT_STREQ(c.className, direct->ClassName());
  direct->Tag = bytes[0];
  direct->Length = bytes[1];
  EXPECT_THROW(direct->SetDescriptorData(bytes), DecodeError);

  ResetDescriptorState();
  DescriptorState().CurrentPrivSpec = c.privSpec;
  RecordingDialogs dialogs;
  ScopedDialogs scope(dialogs);
  std::unique_ptr<TBasicDescriptor> slot;
  EXPECT_EQ(bytes[1] + 2, AddDescriptor(slot, bytes));
  ASSERT_NE(nullptr, slot);
  EXPECT_STREQ("TUnknownDescriptor", slot->ClassName());
  EXPECT_EQ(bytes[0], slot->Tag);
  EXPECT_EQ(bytes[1], slot->Length);
  auto* unknown = dynamic_cast<TUnknownDescriptor*>(slot.get());
  ASSERT_NE(nullptr, unknown);
  EXPECT_BYTES_EQ(Bytes(bytes.begin() + 2, bytes.begin() + 2 + bytes[1]), unknown->Data);
  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ(DialogKind::ErrorOk, dialogs.shown[0].kind);
  EXPECT_EQ(Format("DVB_Descriptors.AddDescriptor:\r\nDescriptor %s (Tag: 0x%02X (%d)) with wrong data - "
                   "using TUnknownDescriptor instead",
                   c.className, bytes[0], bytes[0]),
            dialogs.shown[0].text);
  ResetDescriptorState();
}

void CheckEncodeFailures(std::span<const EncodeFailureCase> cases) {
  for (const EncodeFailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(c.build()->DescriptorData(), EncodeError);
  }
}

TEST_P(GoldenVectors, EncodesAndDecodesBack) { CheckGolden(GetParam()); }

TEST_P(TruncatedInput, ThrowsAndFactoryFallsBackToUnknown) { CheckTruncated(GetParam()); }

}  // namespace quillon::test
