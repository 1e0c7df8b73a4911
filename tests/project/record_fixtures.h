#pragma once
// Sample project records and stream helpers shared by the record tests.
#include <memory>
#include <string>

#include "platform/bytes.h"
#include "platform/stream.h"
#include "project/nit_data.h"
#include "project/nit_data_cable.h"
#include "project/nit_data_terrest.h"

namespace quillon::test {

template <class R>
Bytes Saved(const R& record) {
  TMemoryStream stream;
  record.SaveToStream(stream);
  return stream.Data();
}

template <class R>
R Loaded(const Bytes& bytes) {
  TMemoryStream stream(bytes);
  R record;
  record.LoadFromStream(stream);
  return record;
}

// Every field differs from its default and from its neighbours, so a swapped pair shows.
inline std::unique_ptr<TServiceData> FullService(const std::u16string& name = u"Sv") {
  auto s = std::make_unique<TServiceData>("M", 2, 3);
  s->SetIdent(u"I");
  s->SetAuto(4);
  s->SetServiceName(name);
  s->SetOrgServiceNameUni(u"\u20AC");
  s->SetServiceID(0x1234);
  s->SetOrgServiceName("o");
  s->SetOrgServiceID(0x5678);
  s->SetServiceType(0x19);
  s->SetVisible(false);
  s->SetLogicalNumber(0x0102);
  s->SetHDSimulLogicalNumber(0x0304);
  s->SetChannelListID(7);
  return s;
}

// FullService() as written.
inline const char* const kFullServiceHex =
    "01000000 4D  02000000  03000000  01000000 4900  04000000  02000000 5300 7600"
    "01000000 AC20  3412  01000000 6F  7856  19  00  02010000  04030000  07000000";

inline const char* const kFreshServiceHex =
    "00000000 00000000 01000000 00000000 00000000 00000000 00000000 FFFF 00000000 FFFF 00 01"
    "00000000 00000000 FFFFFFFF";

inline TChListData MainNorway() {
  TChListData list;
  list.SetListID(3);
  list.SetListName(u"Main");
  list.SetCountryCode(('N' << 16) | ('O' << 8) | 'R');
  return list;
}

inline TCableDescrData CableSample() {
  TCableDescrData ts;
  ts.SetIdent(u"C");
  ts.SetAuto(5);
  ts.SetTSID(0x0102);
  ts.SetNetID(0x0304);
  ts.SetOrgNetID(0x0506);
  ts.SetFreq(346.0L);
  ts.SetFECOut(2);
  ts.SetModu(5);
  ts.SetSymbRate(6.9L);
  ts.SetFECIn(3);
  ts.ServiceList().push_back(std::make_unique<TServiceData>());
  ts.ServiceList().push_back(FullService());
  return ts;
}

inline TTerrestrialDescrData TerrestrialSample() {
  TTerrestrialDescrData ts;
  ts.SetIdent(u"T");
  ts.SetAuto(-1);
  ts.SetTSID(0x0A0B);
  ts.SetOrgNetID(0x2000);
  ts.SetFreq(474.0L);
  ts.SetBandWidth(1);
  ts.SetPriority(2);
  ts.SetTimeSliceIndicator(3);
  ts.SetMpeFecIndictor(4);
  ts.SetConstellation(5);
  ts.SetHierarchy(6);
  ts.SetHPCodeRate(7);
  ts.SetLPCodeRate(8);
  ts.SetGuardInterval(9);
  ts.SetMode(10);
  ts.SetOtherFreqFlag(11);
  for (const char16_t* name : {u"A", u"B", u"C"}) ts.ServiceList().push_back(FullService(name));
  return ts;
}

}  // namespace quillon::test
