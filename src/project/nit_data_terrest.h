#pragma once
// One terrestrial (DVB-T) transport stream of a NIT project.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "project/nit_data.h"

namespace quillon {

// Alternative centre frequencies in MHz.
using TFrequencyList = std::vector<long double>;

class TTerrestrialDescrData : public TTransportStreamData {
 public:
  // Empty ident, no services.
  static constexpr size_t kMinStreamSize = kHeadStreamSize + 15;

  TTerrestrialDescrData() = default;
  TTerrestrialDescrData(TTerrestrialDescrData&&) noexcept = default;
  TTerrestrialDescrData& operator=(TTerrestrialDescrData&&) noexcept = default;

  // Raw codes of the terrestrial delivery system descriptor; any byte value is kept, the
  // descriptor masks each to its width.
  uint8_t BandWidth() const { return FBandWidth; }
  void SetBandWidth(uint8_t v) { FBandWidth = v; }
  uint8_t Priority() const { return FPriority; }
  void SetPriority(uint8_t v) { FPriority = v; }
  uint8_t TimeSliceIndicator() const { return FTimeSliceInd; }
  void SetTimeSliceIndicator(uint8_t v) { FTimeSliceInd = v; }
  uint8_t MpeFecIndictor() const { return FMpeFecInd; }
  void SetMpeFecIndictor(uint8_t v) { FMpeFecInd = v; }
  uint8_t Constellation() const { return FConstellation; }
  void SetConstellation(uint8_t v) { FConstellation = v; }
  uint8_t Hierarchy() const { return FHierarchy; }
  void SetHierarchy(uint8_t v) { FHierarchy = v; }
  uint8_t HPCodeRate() const { return FHPCodeRate; }
  void SetHPCodeRate(uint8_t v) { FHPCodeRate = v; }
  uint8_t LPCodeRate() const { return FLPCodeRate; }
  void SetLPCodeRate(uint8_t v) { FLPCodeRate = v; }
  uint8_t GuardInterval() const { return FGuardInterval; }
  void SetGuardInterval(uint8_t v) { FGuardInterval = v; }
  uint8_t Mode() const { return FMode; }
  void SetMode(uint8_t v) { FMode = v; }
  uint8_t OtherFreqFlag() const { return FOtherFreqFlag; }
  void SetOtherFreqFlag(uint8_t v) { FOtherFreqFlag = v; }

  // Reserved: nothing fills it and it is not stored.
  const TFrequencyList& FrequencyList() const { return FFrequencyList; }

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;

 private:
  // The one-byte codes in stream order.
  template <class Self>
  static auto CodeFields(Self& r) {
    return std::array{&r.FBandWidth,     &r.FPriority,  &r.FTimeSliceInd, &r.FMpeFecInd,
                      &r.FConstellation, &r.FHierarchy, &r.FHPCodeRate,   &r.FLPCodeRate,
                      &r.FGuardInterval, &r.FMode,      &r.FOtherFreqFlag};
  }

  uint8_t FBandWidth = 0;
  uint8_t FPriority = 0;
  uint8_t FTimeSliceInd = 0;
  uint8_t FMpeFecInd = 0;
  uint8_t FConstellation = 0;
  uint8_t FHierarchy = 0;
  uint8_t FHPCodeRate = 0;
  uint8_t FLPCodeRate = 0;
  uint8_t FGuardInterval = 0;
  uint8_t FMode = 0;
  uint8_t FOtherFreqFlag = 0;
  TFrequencyList FFrequencyList;
};

using TTerrestEntryList = TRecordList<TTerrestrialDescrData>;

}  // namespace quillon
