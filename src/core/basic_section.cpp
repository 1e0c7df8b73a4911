#include "core/basic_section.h"

#include "core/crc32.h"

namespace quillon {

void TBasicSection::WriteHeader(ByteWriter& w) const {
  w.PutU8(0x00);  // pointer_field of the first packet
  w.PutU8(FTableID);
  // Only section_length is masked; the flags are shifted in as they are.
  w.PutU16((FSecSyntaxInd << 15) | (FReservedFU1 << 14) | (FReserved1 << 12) | (FSectionLength & 0x0FFF));
  w.PutU16(FResNetIDPrgNrTSID);
  w.PutU8((FReserved2 << 6) | (FVersionNr << 1) | FCurNextInd);
  w.PutU8(FSecNr);
  w.PutU8(FLastSecNr);
}

void TBasicSection::ReadHeader(ByteReader& r) {
  FTableID = r.U8();
  FSecSyntaxInd = static_cast<uint8_t>(r.Bits(1));
  FReservedFU1 = static_cast<uint8_t>(r.Bits(1));
  FReserved1 = static_cast<uint8_t>(r.Bits(2));
  FSectionLength = static_cast<uint16_t>(r.Bits(12));
  FResNetIDPrgNrTSID = r.U16();
  FReserved2 = static_cast<uint8_t>(r.Bits(2));
  FVersionNr = static_cast<uint8_t>(r.Bits(5));
  FCurNextInd = static_cast<uint8_t>(r.Bits(1));
  FSecNr = r.U8();
  FLastSecNr = r.U8();
}

void TBasicSection::UpdateCRC() {
  Bytes data = SectionData();
  uint32_t crc = 0;
  if (data.size() == static_cast<size_t>(FSectionLength) + 4 && data.size() >= 5)
    crc = CalcCRC32(data.data() + 1, data.size() - 5, kCrcInit);
  FCRC32 = crc;
  FCRCOK = true;
}

}  // namespace quillon
