#include "project/nit_data_terrest.h"

#include <utility>

#include "platform/stream.h"

namespace quillon {

void TTerrestrialDescrData::LoadFromStream(TStream& stream) {
  TTerrestrialDescrData loaded;
  loaded.LoadHead(stream);
  for (uint8_t* code : CodeFields(loaded)) *code = stream.ReadU8();
  loaded.LoadServices(stream);
  // The frequency list is not stored; what the record held stays.
  loaded.FFrequencyList = std::move(FFrequencyList);
  *this = std::move(loaded);
}

void TTerrestrialDescrData::SaveToStream(TStream& stream) const {
  SaveHead(stream);
  for (const uint8_t* code : CodeFields(*this)) stream.WriteU8(*code);
  SaveServices(stream);
}

}  // namespace quillon
