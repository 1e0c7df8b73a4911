// A table file (INI text of packet hex lines) read into the NIT. What it loads must save
// as a table file and load again to the same page records.
#include <cstdint>

#include "fuzz_support.h"
#include "nit/nit_table.h"
#include "platform/errors.h"

using namespace quillon;

namespace {

bool SameRecords(const TRPageInfoArr& a, const TRPageInfoArr& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const TTableIdent &x = a[i]->TableIdent, &y = b[i]->TableIdent;
    if (x.PID != y.PID || x.TableID != y.TableID || x.AddID != y.AddID) return false;
    if (a[i]->RPages != b[i]->RPages) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  const std::filesystem::path file = fuzz::ScratchDir() / "table.dat";
  const std::filesystem::path copy = fuzz::ScratchDir() / "copy.dat";
  fuzz::WriteScratchFile(file, ByteView(data, size));
  std::filesystem::remove(copy);

  TNIT nit;
  try {
    nit.LoadFromFile(file);
  } catch (const StreamError&) {
    return 0;
  }
  try {
    nit.SaveToFile(copy);
  } catch (const StreamError&) {
    return 0;  // more packets than a file's keys hold
  }
  TNIT again;
  try {
    again.LoadFromFile(copy);
  } catch (const StreamError&) {
    FUZZ_CHECK(!"a saved table file does not load");
  }
  FUZZ_CHECK(SameRecords(again.GetRPages(), nit.GetRPages()));
  return 0;
}
