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
#include "platform/message_table.h"
#include "platform/stream.h"

namespace quillon {

// The texts of damaged project data, with their German defaults: what a count or a
// value is of, and the messages of the block's own checks.
enum class RecordMsg {
  InRecord,  // what, which of how many, the reason
  ChannelListName,
  ModuleName,
  ServiceIdent,
  ServiceName,
  OrgServiceNameUni,
  OrgServiceName,
  StreamIdent,
  Service,
  Row,
  StartMarker,
  NetworkType,
  NetworkName,
  NetworkId,
  VersionNumber,
  TerrestrialStream,
  CableStream,
  ChannelList,
  EndMarker,
  ProgramVersion,
  OutOfRange,  // what, the value, offset, low, high
  RowOrderTooShort,
  RowOrderVersion,
  RowOrderFormat,
  ChunkTooShort,  // bytes left, offset
  ChunkSize,      // its size, offset, bytes left
  RowData,        // row, its data bytes
  RowStream,      // row, the stream it names, the streams there are
  RowTwice,       // row, the stream it names
};

inline constexpr TMessageRow<RecordMsg> kRecordMessageRows[] = {
    {RecordMsg::InRecord, "InRecord", "%s %zu von %zu: %s"},
    {RecordMsg::ChannelListName, "ChannelListName", "Zeichen des Kanallisten-Namens"},
    {RecordMsg::ModuleName, "ModuleName", "Byte des Modulnamens"},
    {RecordMsg::ServiceIdent, "ServiceIdent", "Zeichen der Service-Kennung"},
    {RecordMsg::ServiceName, "ServiceName", "Zeichen des Service-Namens"},
    {RecordMsg::OrgServiceNameUni, "OrgServiceNameUni", "Zeichen des ursprünglichen Service-Namens"},
    {RecordMsg::OrgServiceName, "OrgServiceName", "Byte des ursprünglichen Service-Namens"},
    {RecordMsg::StreamIdent, "StreamIdent", "Zeichen der Transportstrom-Kennung"},
    {RecordMsg::Service, "Service", "Service"},
    {RecordMsg::Row, "Row", "Zeile"},
    {RecordMsg::StartMarker, "StartMarker", "Länge der Startmarke"},
    {RecordMsg::NetworkType, "NetworkType", "Netzwerk-Typ"},
    {RecordMsg::NetworkName, "NetworkName", "Länge des Netzwerk-Namens"},
    {RecordMsg::NetworkId, "NetworkId", "Netzwerk-ID"},
    {RecordMsg::VersionNumber, "VersionNumber", "Versionsnummer"},
    {RecordMsg::TerrestrialStream, "TerrestrialStream", "Terrestrischer Transportstrom"},
    {RecordMsg::CableStream, "CableStream", "Kabel-Transportstrom"},
    {RecordMsg::ChannelList, "ChannelList", "Kanalliste"},
    {RecordMsg::EndMarker, "EndMarker", "Länge der Endmarke"},
    {RecordMsg::ProgramVersion, "ProgramVersion", "Länge der Programmversion"},
    {RecordMsg::OutOfRange, "OutOfRange", "Beschädigtes Projekt: %s %d bei Offset %llu liegt außerhalb von %d..%d."},
    {RecordMsg::RowOrderTooShort, "RowOrderTooShort",
     "Tree Struktur kann nicht geladen werden, da nicht genügend daten verfügbar sind."},
    {RecordMsg::RowOrderVersion, "RowOrderVersion", "Tree Struktur kann nicht geladen werden, da Version unbekannt."},
    {RecordMsg::RowOrderFormat, "RowOrderFormat", "Tree Struktur kann nicht geladen werden, da falsches Format."},
    {RecordMsg::ChunkTooShort, "ChunkTooShort",
     "Beschädigte Zeilenfolge: %llu Byte bei Offset %llu reichen für keinen Chunk."},
    {RecordMsg::ChunkSize, "ChunkSize",
     "Beschädigte Zeilenfolge: Chunk mit %d Byte bei Offset %llu, dafür sind noch %llu Byte übrig."},
    {RecordMsg::RowData, "RowData", "Beschädigte Zeilenfolge: Zeile %d hat %llu Datenbytes, ein Index braucht 4."},
    {RecordMsg::RowStream, "RowStream",
     "Beschädigte Zeilenfolge: Zeile %d nennt Transportstrom %d, das Projekt hat %zu."},
    {RecordMsg::RowTwice, "RowTwice", "Beschädigte Zeilenfolge: Zeile %d nennt Transportstrom %d ein zweites Mal."},
};
using TRecordMessages = TMessageTable<RecordMsg, kRecordMessageRows>;

// In the active language (window "TProjectRecords" of the language file).
const TRecordMessages& RecordMessages();
inline const char* RecordText(RecordMsg id) { return RecordMessages().CText(id); }

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
