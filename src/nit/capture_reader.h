#pragma once
// Reads a NIT from a capture: 188-byte transport packets, or raw sections laid end to
// end. A capture repeats every section many times, may begin in the middle of one and
// may have lost packets, while a table expects the packets of one run of one table.
// The reader therefore reassembles and checks every section itself, keeps the first
// complete run of one table and packs it again the way the export does.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/rpages.h"
#include "platform/bytes.h"
#include "platform/message_table.h"

namespace quillon {

// Why a capture gave no NIT, with the German defaults.
enum class CaptureMsg { NoNitOfNetwork, NoNit };

inline constexpr TMessageRow<CaptureMsg> kCaptureMessageRows[] = {
    {CaptureMsg::NoNitOfNetwork, "NoNitOfNetwork", "Keine vollständige NIT des Netzwerks 0x%4.4X gefunden"},
    {CaptureMsg::NoNit, "NoNit", "Keine vollständige NIT gefunden"},
};
using TCaptureMessages = TMessageTable<CaptureMsg, kCaptureMessageRows>;

// In the active language (window "TCaptureReader" of the language file).
const TCaptureMessages& CaptureMessages();

class TNIT;

struct TCaptureOptions {
  std::optional<uint16_t> NetworkID;  // none: any network
};

// A network met in the capture, for telling the user what there is.
struct TSeenNetwork {
  uint16_t NetworkID = 0;
  uint8_t TableID = 0;    // 0x40 actual, 0x41 other
  bool Complete = false;  // all sections of one version were found
  bool operator==(const TSeenNetwork&) const = default;
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
  bool operator==(const TCaptureRun&) const = default;
};

struct TCaptureResult {
  std::optional<TCaptureRun> Run;
  std::vector<TSeenNetwork> Networks;  // in order of first appearance
  std::string Error;                   // set when there is no run
  bool Ok() const { return Run.has_value(); }
  bool operator==(const TCaptureResult&) const = default;
};

// Which run is taken: among the complete runs of the requested network (or of any
// network), an NIT actual before an NIT other, then the one completed first.
// Only sections that pass every check count: table_id 0x40 or 0x41, syntax indicator
// set, current (not next), section_length 13..1021, section_number within
// last_section_number, CRC_32 right.

enum class TCaptureFormat { Packets, Sections };

// Reads a capture piece by piece, as it comes from a file or a pipe, with the results the
// whole capture in memory would give. It keeps only what is still undecided: less than a
// packet and a byte of the last piece (less than a section for raw sections), the section
// in progress and the runs.
class TCaptureReader {
 public:
  explicit TCaptureReader(TCaptureFormat format, TCaptureOptions options = {});
  ~TCaptureReader();
  TCaptureReader(TCaptureReader&&) noexcept;
  TCaptureReader& operator=(TCaptureReader&&) noexcept;

  // The next bytes of the capture, in pieces of any size; read in place.
  void Feed(ByteView bytes);
  // A complete NIT actual (of the network asked for, if any) is there: nothing later
  // could take its place, so the caller may stop feeding. Only the list of networks
  // would still grow.
  bool Settled() const;
  // The end of the capture: the result the whole capture gives. The reader starts
  // afresh after it.
  TCaptureResult Finish();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

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
