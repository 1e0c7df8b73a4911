#include "project/nit_data_cable.h"

#include <utility>

#include "platform/stream.h"

namespace quillon {

void TCableDescrData::LoadFromStream(TStream& stream) {
  TCableDescrData loaded;
  loaded.LoadHead(stream);
  loaded.FFECOut = stream.ReadU8();
  loaded.FModu = stream.ReadU8();
  loaded.FSymbRate = stream.ReadExtended();
  loaded.FFECIn = stream.ReadU8();
  loaded.LoadServices(stream);
  *this = std::move(loaded);
}

void TCableDescrData::SaveToStream(TStream& stream) const {
  SaveHead(stream);
  stream.WriteU8(FFECOut);
  stream.WriteU8(FModu);
  stream.WriteExtended(FSymbRate);
  stream.WriteU8(FFECIn);
  SaveServices(stream);
}

}  // namespace quillon
