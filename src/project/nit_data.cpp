#include "project/nit_data.h"

#include <utility>

#include "platform/stream.h"

namespace quillon {

void TChListData::LoadFromStream(TStream& stream) {
  TChListData loaded;
  loaded.FID = stream.ReadI32();
  loaded.FName = ReadRecordString16(stream, RecordText(RecordMsg::ChannelListName));
  loaded.FCountryCode = stream.ReadU32();
  *this = std::move(loaded);
}

void TChListData::SaveToStream(TStream& stream) const {
  stream.WriteI32(FID);
  stream.WriteString16(FName);
  stream.WriteU32(FCountryCode);
}

// The two names and the two service ids are interleaved on disk, unlike the fields.
void TServiceData::LoadFromStream(TStream& stream) {
  TServiceData loaded;
  loaded.FModName = ReadRecordString8(stream, RecordText(RecordMsg::ModuleName));
  loaded.FModNr = stream.ReadI32();
  loaded.FChannel = stream.ReadI32();
  loaded.FIdent = ReadRecordString16(stream, RecordText(RecordMsg::ServiceIdent));
  loaded.FAuto = stream.ReadI32();
  loaded.FServiceName = ReadRecordString16(stream, RecordText(RecordMsg::ServiceName));
  loaded.FOrgServiceNameUni = ReadRecordString16(stream, RecordText(RecordMsg::OrgServiceNameUni));
  loaded.FServiceID = stream.ReadU16();
  loaded.FOrgServiceName = ReadRecordString8(stream, RecordText(RecordMsg::OrgServiceName));
  loaded.FOrgServiceID = stream.ReadU16();
  loaded.FServiceType = stream.ReadU8();
  loaded.FVisible = stream.ReadBool();
  loaded.FLCNNr = stream.ReadI32();
  loaded.FHDSimulNr = stream.ReadI32();
  loaded.FListID = stream.ReadI32();
  *this = std::move(loaded);
}

void TServiceData::SaveToStream(TStream& stream) const {
  stream.WriteString8(FModName);
  stream.WriteI32(FModNr);
  stream.WriteI32(FChannel);
  stream.WriteString16(FIdent);
  stream.WriteI32(FAuto);
  stream.WriteString16(FServiceName);
  stream.WriteString16(FOrgServiceNameUni);
  stream.WriteU16(FServiceID);
  stream.WriteString8(FOrgServiceName);
  stream.WriteU16(FOrgServiceID);
  stream.WriteU8(FServiceType);
  stream.WriteBool(FVisible);
  stream.WriteI32(FLCNNr);
  stream.WriteI32(FHDSimulNr);
  stream.WriteI32(FListID);
}

void TTransportStreamData::LoadHead(TStream& stream) {
  FIdent = ReadRecordString16(stream, RecordText(RecordMsg::StreamIdent));
  FAuto = stream.ReadI32();
  FTSID = stream.ReadU16();
  FNetID = stream.ReadU16();
  FOrgNetID = stream.ReadU16();
  FFreq = stream.ReadExtended();
}

void TTransportStreamData::SaveHead(TStream& stream) const {
  stream.WriteString16(FIdent);
  stream.WriteI32(FAuto);
  stream.WriteU16(FTSID);
  stream.WriteU16(FNetID);
  stream.WriteU16(FOrgNetID);
  stream.WriteExtended(FFreq);
}

}  // namespace quillon
