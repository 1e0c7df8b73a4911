#pragma once
// Strict reading of the project records. Project files come from outside, so a count or
// string length that cannot fit the rest of the stream, or a stream that ends inside a
// record, is a StreamError; a record list is replaced only once all of it was read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bytes.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace quillon {

// Length-prefixed strings as TStream writes them; `what` names the length in errors.
// Unlike TStream::ReadString16/8, a count cut off by the end of the stream is an error.
std::u16string ReadRecordString16(TStream& stream, const char* what);
RawString ReadRecordString8(TStream& stream, const char* what);

// Rethrows `error`, raised while reading element `index` (from 0) of `count` `what`
// records, with the element named in front of its text.
[[noreturn]] void ThrowInRecord(const StreamError& error, const char* what, size_t index, size_t count);

template <class T>
using TRecordList = std::vector<std::unique_ptr<T>>;

// A signed 32-bit count, then the records in list order.
template <class T>
void SaveRecords(TStream& stream, const TRecordList<T>& list) {
  stream.WriteI32(static_cast<int32_t>(list.size()));
  for (const auto& record : list) record->SaveToStream(stream);
}

// Reads what SaveRecords wrote into freshly constructed records. `list` is replaced only
// when every record was read; on a StreamError it keeps what it held.
template <class T>
void LoadRecords(TStream& stream, TRecordList<T>& list, const char* what) {
  const int32_t count = stream.ReadCount(T::kMinStreamSize, what);
  TRecordList<T> loaded;
  loaded.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    auto record = std::make_unique<T>();
    try {
      record->LoadFromStream(stream);
    } catch (const StreamError& e) {
      ThrowInRecord(e, what, static_cast<size_t>(i), static_cast<size_t>(count));
    }
    loaded.push_back(std::move(record));
  }
  list = std::move(loaded);
}

}  // namespace quillon
