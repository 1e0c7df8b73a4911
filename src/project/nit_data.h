#pragma once
// The records of a NIT project shared by both network types: NorDig V2 channel lists and
// the services of a transport stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/bytes.h"
#include "project/record_stream.h"

namespace quillon {

// One NorDig V2 channel list. Services join it through its ListID, never by reference.
class TChListData {
 public:
  static constexpr size_t kMinStreamSize = 12;  // id, empty name, country code

  int32_t ListID() const { return FID; }
  void SetListID(int32_t v) { FID = v; }
  const std::u16string& ListName() const { return FName; }
  void SetListName(const std::u16string& v) { FName = v; }
  // ISO 3166-1 alpha-3, first letter in bits 23..16; 0 when not set.
  uint32_t CountryCode() const { return FCountryCode; }
  void SetCountryCode(uint32_t v) { FCountryCode = v; }

  // Loading keeps the record unchanged when it throws StreamError.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

 private:
  int32_t FID = -1;  // channel_list_id 0..255 once set
  std::u16string FName;
  uint32_t FCountryCode = 0;
};

// One service of a transport stream.
class TServiceData {
 public:
  static constexpr size_t kMinStreamSize = 50;  // all strings empty

  // The module fields come from a source module and are only carried; the editor and the
  // record readers create services with (empty, 0, 1).
  explicit TServiceData(RawString modName = {}, int32_t modNr = 0, int32_t channel = 1)
      : FModName(std::move(modName)), FModNr(modNr), FChannel(channel) {}

  const RawString& ModuleName() const { return FModName; }
  int32_t ModuleNr() const { return FModNr; }
  int32_t Channel() const { return FChannel; }

  // Ident of the owning transport-stream record, copied when the service is added.
  const std::u16string& Ident() const { return FIdent; }
  void SetIdent(const std::u16string& v) { FIdent = v; }
  // Non-zero for a service acquired automatically: name and id are then not editable.
  int32_t Auto() const { return FAuto; }
  void SetAuto(int32_t v) { FAuto = v; }
  const std::u16string& ServiceName() const { return FServiceName; }
  void SetServiceName(const std::u16string& v) { FServiceName = v; }
  uint16_t ServiceID() const { return FServiceID; }
  void SetServiceID(uint16_t v) { FServiceID = v; }
  // The name in the fixed 8-bit code page, and again as UTF-16.
  const RawString& OrgServiceName() const { return FOrgServiceName; }
  void SetOrgServiceName(const RawString& v) { FOrgServiceName = v; }
  const std::u16string& OrgServiceNameUni() const { return FOrgServiceNameUni; }
  void SetOrgServiceNameUni(const std::u16string& v) { FOrgServiceNameUni = v; }
  uint16_t OrgServiceID() const { return FOrgServiceID; }
  void SetOrgServiceID(uint16_t v) { FOrgServiceID = v; }
  uint8_t ServiceType() const { return FServiceType; }
  void SetServiceType(uint8_t v) { FServiceType = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  int32_t LogicalNumber() const { return FLCNNr; }
  void SetLogicalNumber(int32_t v) { FLCNNr = v; }
  // 0 means no HD simulcast channel.
  int32_t HDSimulLogicalNumber() const { return FHDSimulNr; }
  void SetHDSimulLogicalNumber(int32_t v) { FHDSimulNr = v; }
  // ListID of the channel list the service belongs to; -1 for none.
  int32_t ChannelListID() const { return FListID; }
  void SetChannelListID(int32_t v) { FListID = v; }

  // Loading keeps the record unchanged when it throws StreamError.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

 private:
  // What the NIT build reads of every service comes first, in one cache line: a large
  // project's records are read from memory at every build.
  uint16_t FServiceID = 0xFFFF;
  uint8_t FServiceType = 0;
  bool FVisible = true;
  int32_t FLCNNr = 0;
  int32_t FHDSimulNr = 0;
  int32_t FListID = -1;
  RawString FModName;
  int32_t FModNr = 0;
  int32_t FChannel = 1;
  std::u16string FIdent;
  int32_t FAuto = 0;
  std::u16string FServiceName;
  RawString FOrgServiceName;
  std::u16string FOrgServiceNameUni;
  uint16_t FOrgServiceID = 0xFFFF;
};

// Owning lists, in stream order.
using TServiceList = TRecordList<TServiceData>;
using TChListDataList = TRecordList<TChListData>;

// What cable and terrestrial transport streams share: identity, ids, frequency and the
// services. On disk the head fields come first, then the record's own delivery fields,
// then the services.
class TTransportStreamData {
 public:
  virtual ~TTransportStreamData() = default;

  const std::u16string& Ident() const { return FIdent; }
  void SetIdent(const std::u16string& v) { FIdent = v; }
  int32_t Auto() const { return FAuto; }
  void SetAuto(int32_t v) { FAuto = v; }
  uint16_t TSID() const { return FTSID; }
  void SetTSID(uint16_t v) { FTSID = v; }
  // Carried per stream but not used when the NIT is built.
  uint16_t NetID() const { return FNetID; }
  void SetNetID(uint16_t v) { FNetID = v; }
  uint16_t OrgNetID() const { return FOrgNetID; }
  void SetOrgNetID(uint16_t v) { FOrgNetID = v; }
  // (Centre) frequency in MHz.
  long double Freq() const { return FFreq; }
  void SetFreq(long double v) { FFreq = v; }

  // The services in NIT order; the record owns them.
  TServiceList& ServiceList() { return FServiceList; }
  const TServiceList& ServiceList() const { return FServiceList; }
  void ClearServices() { FServiceList.clear(); }

  // Loading replaces every stored field and the services, or throws StreamError and keeps
  // the record unchanged.
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) const = 0;

 protected:
  // Ident, Auto, three ids, frequency.
  static constexpr size_t kHeadStreamSize = 24;

  TTransportStreamData() = default;
  TTransportStreamData(TTransportStreamData&&) noexcept = default;
  TTransportStreamData& operator=(TTransportStreamData&&) noexcept = default;

  void LoadHead(TStream& stream);
  void SaveHead(TStream& stream) const;
  void LoadServices(TStream& stream) { LoadRecords(stream, FServiceList, RecordText(RecordMsg::Service)); }
  void SaveServices(TStream& stream) const { SaveRecords(stream, FServiceList); }

 private:
  std::u16string FIdent;
  int32_t FAuto = 0;
  uint16_t FTSID = 0;
  uint16_t FNetID = 0;
  uint16_t FOrgNetID = 0;
  long double FFreq = 0.0L;
  TServiceList FServiceList;
};

}  // namespace quillon
