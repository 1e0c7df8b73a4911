#pragma once
// Reads a NIT from a capture: 188-byte transport packets, or raw sections laid end to
// end. A capture repeats every section many times, may begin in the middle of one and
// may have lost packets, while a table expects the packets of one run of one table.
// The reader therefore reassembles and checks every section itself, keeps the first
// complete run of one table and packs it again the way the export does.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/rpages.h"
#include "platform/bytes.h"

namespace quillon {

class TNIT;

struct TCaptureOptions {
  std::optional<uint16_t> NetworkID;  // none: any network
};

// A network met in the capture, for telling the user what there is.
struct TSeenNetwork {
  uint16_t NetworkID = 0;
  uint8_t TableID = 0;    // 0x40 actual, 0x41 other
  bool Complete = false;  // all sections of one version were found
};

// One complete table: sections 0..last_section_number of one table_id, network and version.
struct TCaptureRun {
  uint8_t TableID = 0;
  uint16_t NetworkID = 0;
  uint8_t Version = 0;
  std::vector<Bytes> Sections;  // in section order, table_id to CRC_32
  // The sections packed afresh on PID 0x0010: each starts a packet with pointer 0,
  // continuity counters run over the whole table.
  TRPages RPages;
};

struct TCaptureResult {
  std::optional<TCaptureRun> Run;
  std::vector<TSeenNetwork> Networks;  // in order of first appearance
  std::string Error;                   // set when there is no run
  bool Ok() const { return Run.has_value(); }
};

// Which run is taken: among the complete runs of the requested network (or of any
// network), an NIT actual before an NIT other, then the one completed first.
// Only sections that pass every check count: table_id 0x40 or 0x41, syntax indicator
// set, current (not next), section_length 13..1021, section_number within
// last_section_number, CRC_32 right.

// Transport packets: only PID 0x0010; packets without sync byte are skipped until the
// next one, a trailing partial packet is ignored. A lost, errored or scrambled packet
// costs the section in progress; a repeated packet (same counter) is ignored.
TCaptureResult ReadNitCapture(ByteView packets, const TCaptureOptions& options = {});
// Sections end to end without packets; 0xFF bytes between them are stuffing.
TCaptureResult ReadNitSections(ByteView sections, const TCaptureOptions& options = {});

// Empties the container and hands the run to its table (0 for 0x40, 1 for 0x41) as a
// received page record. False when the table refuses it (a descriptor it cannot take).
// A run passed as an rvalue gives its packets over instead of having them copied.
bool LoadCaptureRun(TNIT& nit, TCaptureRun run);

}  // namespace quillon
