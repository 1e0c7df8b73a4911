// A capture from anywhere: transport packets or raw sections, optionally for one
// network. A run that is found must hold checked sections of one table, and its
// packets must rebuild exactly those sections in a table, which shows as a tree. The
// capture fed in pieces must give the same result, and once the reader says it is
// settled the result must be an actual table of the network asked for.
//
// Input: one flag byte, then the capture.
//   bit 0      raw sections instead of packets
//   bit 1      only the network whose id the next two bytes hold
//   bits 2..7  where the pattern of piece sizes starts
#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/crc32.h"
#include "fuzz_support.h"
#include "nit/capture_reader.h"
#include "nit/nit_table.h"
#include "platform/errors.h"
#include "viewer/table_node.h"
#include "viewer/table_tree.h"

using namespace quillon;

namespace {

// Piece sizes around the packet size, the tail's limits and the odd byte.
constexpr size_t kPieceSizes[] = {1, 187, 188, 189, 2, 376, 4097, 3, 190, 1000, 4098, 186, 17, 4096, 377, 375};

// The capture fed piece by piece, the sizes taken from the pattern from `start` on.
TCaptureResult ReadInPieces(TCaptureFormat format, ByteView capture, const TCaptureOptions& options, size_t start,
                            bool& settled) {
  TCaptureReader reader(format, options);
  settled = false;
  for (size_t at = 0, i = start; at < capture.size(); ++i) {
    const size_t n = std::min(kPieceSizes[i % std::size(kPieceSizes)], capture.size() - at);
    reader.Feed(capture.subspan(at, n));
    at += n;
    // Once settled, it stays so.
    FUZZ_CHECK(!settled || reader.Settled());
    settled = reader.Settled();
  }
  return reader.Finish();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  fuzz::TInput in(data, size);
  const uint8_t flags = in.U8();
  TCaptureOptions options;
  if (flags & 2) options.NetworkID = in.U16();
  const ByteView capture = in.Rest();
  const TCaptureFormat format = (flags & 1) ? TCaptureFormat::Sections : TCaptureFormat::Packets;
  const TCaptureResult r = (flags & 1) ? ReadNitSections(capture, options) : ReadNitCapture(capture, options);
  bool settled = false;
  FUZZ_CHECK(ReadInPieces(format, capture, options, flags >> 2, settled) == r);
  FUZZ_CHECK(!settled || (r.Ok() && r.Run->TableID == kTableIdNitActual));
  if (!r.Ok()) {
    FUZZ_CHECK(!r.Error.empty());
    return 0;
  }
  const TCaptureRun& run = *r.Run;
  FUZZ_CHECK(run.TableID == kTableIdNitActual || run.TableID == kTableIdNitOther);
  FUZZ_CHECK(!options.NetworkID || run.NetworkID == *options.NetworkID);
  FUZZ_CHECK(!run.Sections.empty() && run.Sections.size() <= 256);
  for (size_t i = 0; i < run.Sections.size(); ++i) {
    const Bytes& s = run.Sections[i];
    FUZZ_CHECK(s.size() >= 16 && s.size() <= 1024);
    FUZZ_CHECK(s[0] == run.TableID && s[6] == i && s[7] == run.Sections.size() - 1);
    FUZZ_CHECK(CalcCRC32(s.data(), s.size(), kCrcInit) == 0);
  }

  TNITTable table(run.TableID);
  if (table.AddRPages(run.RPages, kAnyAddID)) {
    FUZZ_CHECK(table.Sections() == static_cast<int>(run.Sections.size()));
    for (int i = 0; i < table.Sections(); ++i) {
      Bytes rebuilt;
      table.GetSectionData(i, rebuilt);
      FUZZ_CHECK(rebuilt == run.Sections[static_cast<size_t>(i)]);
    }
  }
  fuzz::BeginInput();
  TNIT nit;
  const bool loaded = LoadCaptureRun(nit, run);
  const TNITTable& held = run.TableID == kTableIdNitActual ? *nit.Actual() : *nit.Other();
  FUZZ_CHECK(loaded == (held.Sections() == static_cast<int>(run.Sections.size())));
  RenderTreeText(CreateTree(nit));
  return 0;
}
