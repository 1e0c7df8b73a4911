#pragma once
// One cable (DVB-C) transport stream of a NIT project.
#include <cstddef>
#include <cstdint>

#include "project/nit_data.h"

namespace quillon {

class TCableDescrData : public TTransportStreamData {
 public:
  // Empty ident, no services.
  static constexpr size_t kMinStreamSize = kHeadStreamSize + 17;

  TCableDescrData() = default;
  TCableDescrData(TCableDescrData&&) noexcept = default;
  TCableDescrData& operator=(TCableDescrData&&) noexcept = default;

  uint8_t FECOut() const { return FFECOut; }
  void SetFECOut(uint8_t v) { FFECOut = v; }
  uint8_t Modu() const { return FModu; }
  void SetModu(uint8_t v) { FModu = v; }
  // Msymbol/s.
  long double SymbRate() const { return FSymbRate; }
  void SetSymbRate(long double v) { FSymbRate = v; }
  uint8_t FECIn() const { return FFECIn; }
  void SetFECIn(uint8_t v) { FFECIn = v; }

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;

 private:
  uint8_t FFECOut = 0;
  uint8_t FModu = 0;
  long double FSymbRate = 0.0L;
  uint8_t FFECIn = 0;
};

using TCableEntryList = TRecordList<TCableDescrData>;

}  // namespace quillon
