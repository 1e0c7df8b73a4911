#include "project/record_stream.h"

#include "platform/language.h"
#include "platform/text.h"

namespace quillon {

const TRecordMessages& RecordMessages() { return ModuleMessages<TRecordMessages>("TProjectRecords"); }

std::u16string ReadRecordString16(TStream& stream, const char* what) {
  const int32_t count = stream.ReadCount(2, what);
  std::u16string text(static_cast<size_t>(count), u'\0');
  for (char16_t& c : text) c = static_cast<char16_t>(stream.ReadU16());
  return text;
}

RawString ReadRecordString8(TStream& stream, const char* what) {
  const int32_t count = stream.ReadCount(1, what);
  RawString text(static_cast<size_t>(count), '\0');
  stream.ReadBuffer(text.data(), text.size());
  return text;
}

void ThrowInRecord(const StreamError& error, const char* what, size_t index, size_t count) {
  throw StreamError(Format(RecordText(RecordMsg::InRecord), what, index + 1, count, error.what()));
}

}  // namespace quillon
