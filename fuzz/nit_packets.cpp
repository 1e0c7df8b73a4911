// A run of transport packets given to the NIT as page records, as a project block or a
// table file hands them over. Whatever decoded must encode again (or refuse with an
// EncodeError) and show as a tree, and the container's stream form must read back to the
// same records.
//
// Input: one flag byte, then 188-byte packets (a shorter tail is a page of its own).
//   bit 0     table_id of the first record: 0x40, or 0x41 when set
//   bit 1     a second record with the other table_id follows; the next byte says how
//             many of the packets the first record gets
#include <cstdint>

#include "core/rpages.h"
#include "fuzz_support.h"
#include "nit/nit_table.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "viewer/table_node.h"
#include "viewer/table_tree.h"

using namespace quillon;

namespace {

bool SameRecords(const TRPageInfoArr& a, const TRPageInfoArr& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const TTableIdent &x = a[i]->TableIdent, &y = b[i]->TableIdent;
    if (x.PID != y.PID || x.TableID != y.TableID || x.AddID != y.AddID) return false;
    if (a[i]->RPages != b[i]->RPages || a[i]->SectionRead() != b[i]->SectionRead()) return false;
  }
  return true;
}

void EncodeEverything(const TNITTable& table) {
  for (int i = 0; i < table.Sections(); ++i) {
    TNISection* s = table.Section(i);
    FUZZ_CHECK(s != nullptr);
    table.StoredCRC(i);
    table.ComputedCRC(i);
    try {
      Bytes data = s->SectionData();
      FUZZ_CHECK(data.size() == s->SectionLength() + 4u);
    } catch (const EncodeError&) {
    }
    for (const auto& d : s->NWDesc) try {
        FUZZ_CHECK(d->DescriptorData().size() == d->Length + 2u);
      } catch (const EncodeError&) {
      }
    for (const auto& e : s->TSEntry)
      for (const auto& d : e->TSDescriptor) try {
          FUZZ_CHECK(d->DescriptorData().size() == d->Length + 2u);
        } catch (const EncodeError&) {
        }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  fuzz::TInput in(data, size);
  const uint8_t flags = in.U8();
  const uint8_t firstId = (flags & 1) ? kTableIdNitOther : kTableIdNitActual;
  const bool two = (flags & 2) != 0;
  const size_t firstCount = two ? in.U8() : SIZE_MAX;

  TRPageInfoArr infos;
  infos.push_back(std::make_unique<TRPageInfo>());
  infos[0]->TableIdent = {kNitPID, firstId, 0, kAnyAddID};
  if (two) {
    infos.push_back(std::make_unique<TRPageInfo>());
    infos[1]->TableIdent = {kNitPID, firstId == kTableIdNitActual ? kTableIdNitOther : kTableIdNitActual, 0,
                            kAnyAddID};
  }
  for (size_t n = 0; !in.Empty(); ++n) {
    ByteView page = in.Take(RPAGE_LEN);
    infos[two && n >= firstCount ? 1 : 0]->RPages.push_back(ToRaw(page));
  }

  TNIT nit;
  nit.AddRPages(infos);
  EncodeEverything(*nit.Actual());
  EncodeEverything(*nit.Other());
  RenderTreeText(CreateTree(nit));

  TMemoryStream stream;
  nit.SaveToStream(&stream);
  const TRPageInfoArr saved = nit.GetRPages();
  stream.Seek(0);
  TNIT again;
  try {
    again.LoadFromStream(&stream);
  } catch (const QuillonError&) {
    FUZZ_CHECK(!"the NIT's own stream form does not load");
  }
  FUZZ_CHECK(SameRecords(again.GetRPages(), saved));
  return 0;
}
