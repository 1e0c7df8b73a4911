#include "nit/capture_reader.h"

#include <algorithm>
#include <utility>

#include "core/crc32.h"
#include "nit/nit_table.h"
#include "platform/language.h"
#include "platform/text.h"

namespace quillon {

const TCaptureMessages& CaptureMessages() { return ModuleMessages<TCaptureMessages>("TCaptureReader"); }

namespace {

constexpr uint8_t kSyncByte = 0x47;
constexpr uint8_t kStuffingByte = 0xFF;
constexpr size_t kSectionHeadBytes = 3;      // table_id and the section_length word
constexpr int kMinNitSectionLength = 13;     // header rest, both loop lengths, CRC_32
constexpr int kMaxNitSectionLength = 1021;   // a NIT section is at most 1024 bytes
constexpr int kMaxPrivateSectionLength = 4093;
// The most a raw section file can ask to see at once: a section of the largest length
// the 12-bit field can hold.
constexpr size_t kMaxRawSectionBytes = 0x0FFF + kSectionHeadBytes;
// Bounds on what a hostile capture can make us keep: a run holds at most 256 sections
// of at most 1024 bytes, so all runs together stay within 8 MiB.
constexpr size_t kMaxRuns = 32;
constexpr size_t kMaxSeenNetworks = 256;

bool IsNitTableId(uint8_t tableId) { return tableId == kTableIdNitActual || tableId == kTableIdNitOther; }

int SectionLengthField(ByteView head) { return ((head[1] & 0x0F) << 8) | head[2]; }

uint32_t ReadU32(ByteView b, size_t at) {
  return (static_cast<uint32_t>(b[at]) << 24) | (static_cast<uint32_t>(b[at + 1]) << 16) |
         (static_cast<uint32_t>(b[at + 2]) << 8) | b[at + 3];
}

struct RunKey {
  uint8_t tableId;
  uint16_t networkId;
  uint8_t version;
  uint8_t lastSection;  // a change of it within a version would be a broken table
  bool operator==(const RunKey&) const = default;
};

struct Run {
  RunKey key;
  std::vector<Bytes> sections;  // last_section_number + 1 slots, empty while missing
  int missing = 0;
  int completedAs = -1;  // order of completion among all runs, -1 while incomplete
};

// Checks whole sections and sorts them into runs.
class SectionCollector {
 public:
  explicit SectionCollector(const TCaptureOptions& options) : options_(options) {}

  void Add(ByteView s) {
    if (s.size() < kSectionHeadBytes) return;
    const uint8_t tableId = s[0];
    const int length = SectionLengthField(s);
    if (!IsNitTableId(tableId) || !(s[1] & 0x80)) return;
    if (length < kMinNitSectionLength || length > kMaxNitSectionLength) return;
    if (s.size() != static_cast<size_t>(length) + kSectionHeadBytes) return;
    const uint8_t currentNext = s[5] & 0x01;
    const uint8_t secNr = s[6], lastNr = s[7];
    // A next table is not in force yet.
    if (!currentNext || secNr > lastNr) return;
    if (CalcCRC32(s.data(), s.size() - 4, kCrcInit) != ReadU32(s, s.size() - 4)) return;

    const RunKey key{tableId, static_cast<uint16_t>((s[3] << 8) | s[4]), static_cast<uint8_t>((s[5] >> 1) & 0x1F),
                     lastNr};
    NoteNetwork(key);
    Run* run = FindOrMakeRun(key);
    if (!run || !run->sections[secNr].empty()) return;
    run->sections[secNr].assign(s.begin(), s.end());
    if (--run->missing == 0) {
      run->completedAs = completed_++;
      // Nothing later can outrank the first complete actual table: the ranking puts
      // actual before other, then the earlier completed.
      if (tableId == kTableIdNitActual && (!options_.NetworkID || *options_.NetworkID == key.networkId))
        settled_ = true;
      for (TSeenNetwork& n : seen_)
        if (n.NetworkID == key.networkId && n.TableID == key.tableId) n.Complete = true;
    }
  }

  bool Settled() const { return settled_; }
  const TCaptureOptions& Options() const { return options_; }

  // Hands the chosen run over; the collector is done after it.
  TCaptureResult Result() {
    TCaptureResult result;
    result.Networks = seen_;
    Run* best = nullptr;
    auto rank = [](const Run& r) { return std::pair(r.key.tableId != kTableIdNitActual, r.completedAs); };
    for (Run& r : runs_) {
      if (r.completedAs < 0 || (options_.NetworkID && *options_.NetworkID != r.key.networkId)) continue;
      if (!best || rank(r) < rank(*best)) best = &r;
    }
    if (!best) {
      const TCaptureMessages& texts = CaptureMessages();
      result.Error = options_.NetworkID ? Format(texts.CText(CaptureMsg::NoNitOfNetwork), *options_.NetworkID)
                                        : texts.Text(CaptureMsg::NoNit);
      return result;
    }
    TCaptureRun run;
    run.TableID = best->key.tableId;
    run.NetworkID = best->key.networkId;
    run.Version = best->key.version;
    run.Sections = std::move(best->sections);
    TByteRPages packets;
    for (const Bytes& s : run.Sections) {
      Bytes data(s.size() + 1, 0x00);  // pointer_field 0: the section starts right after it
      std::copy(s.begin(), s.end(), data.begin() + 1);
      PackSection(packets, data, kNitPID, PacketCount(data));
    }
    run.RPages.reserve(packets.size());
    for (const TByteRPage& p : packets) run.RPages.emplace_back(reinterpret_cast<const char*>(p.data()), p.size());
    RenumberContinuity(run.RPages);
    result.Run = std::move(run);
    return result;
  }

 private:
  void NoteNetwork(const RunKey& key) {
    for (const TSeenNetwork& n : seen_)
      if (n.NetworkID == key.networkId && n.TableID == key.tableId) return;
    if (seen_.size() < kMaxSeenNetworks) seen_.push_back({key.networkId, key.tableId, false});
  }

  Run* FindOrMakeRun(const RunKey& key) {
    for (Run& r : runs_)
      if (r.key == key) return &r;
    if (runs_.size() >= kMaxRuns) {
      // Make room by giving up the oldest incomplete run; complete ones are kept.
      auto victim = std::find_if(runs_.begin(), runs_.end(), [](const Run& r) { return r.completedAs < 0; });
      if (victim == runs_.end()) return nullptr;
      runs_.erase(victim);
    }
    Run r{key, std::vector<Bytes>(static_cast<size_t>(key.lastSection) + 1), key.lastSection + 1, -1};
    runs_.push_back(std::move(r));
    return &runs_.back();
  }

  TCaptureOptions options_;
  std::vector<Run> runs_;
  std::vector<TSeenNetwork> seen_;
  int completed_ = 0;
  bool settled_ = false;
};

// Rebuilds sections from the packets of PID 0x0010.
class SectionAssembler {
 public:
  explicit SectionAssembler(SectionCollector& out) : out_(out) {}

  void Packet(const uint8_t* p) {
    if (((p[1] & 0x1F) << 8 | p[2]) != kNitPID) return;
    if (p[1] & 0x80) {  // transport_error_indicator: nothing in it can be trusted
      Lost();
      return;
    }
    const int control = (p[3] >> 4) & 0x03;
    const int cc = p[3] & 0x0F;
    size_t offset = kPacketHeader;
    bool discontinuity = false;
    if (control & 0x02) {
      const size_t adaptation = p[4];
      // With a payload the adaptation field leaves room for at least one byte of it.
      if (adaptation > static_cast<size_t>(control == 3 ? 182 : 183)) {
        Lost();
        return;
      }
      discontinuity = adaptation > 0 && (p[5] & 0x80);
      offset += 1 + adaptation;
    }
    // Without a payload (or with the reserved control 0) the counter does not move.
    if (!(control & 0x01)) return;
    if (lastCC_ >= 0 && !discontinuity) {
      if (cc == lastCC_) return;  // the one repetition a packet may have
      if (cc != (lastCC_ + 1) % 16) Drop();
    }
    lastCC_ = cc;
    if (p[3] & 0xC0) {  // scrambled: the payload is not ours to read
      Drop();
      return;
    }

    ByteView payload(p + offset, RPAGE_LEN - offset);
    if (!(p[1] & 0x40)) {
      if (inSection_) Take(payload);
      return;
    }
    const size_t pointer = payload[0];
    if (1 + pointer > payload.size()) {
      Drop();
      return;
    }
    // The bytes before the pointed start finish the section in progress, if any.
    if (inSection_) Take(payload.subspan(1, pointer));
    Drop();
    ByteView rest = payload.subspan(1 + pointer);
    while (!rest.empty() && rest[0] != kStuffingByte) {
      inSection_ = true;
      rest = rest.subspan(Take(rest));
    }
  }

  // Bytes of the stream are missing: whatever was being filled is broken.
  void Lost() {
    Drop();
    lastCC_ = -1;
  }

 private:
  void Drop() {
    pending_.clear();
    inSection_ = false;
  }

  // Adds bytes to the section in progress, handing it on once complete; returns how
  // many bytes of `bytes` it used.
  size_t Take(ByteView bytes) {
    size_t used = 0;
    if (pending_.size() < kSectionHeadBytes) {
      used = std::min(kSectionHeadBytes - pending_.size(), bytes.size());
      pending_.insert(pending_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(used));
      if (pending_.size() < kSectionHeadBytes) return used;
    }
    const int length = SectionLengthField(pending_);
    // Other tables may share the PID; their sections are skipped by their own limit.
    if (length > (IsNitTableId(pending_[0]) ? kMaxNitSectionLength : kMaxPrivateSectionLength)) {
      Drop();
      return bytes.size();  // no section boundary in the rest can be trusted
    }
    const size_t need = static_cast<size_t>(length) + kSectionHeadBytes;
    const size_t n = std::min(need - pending_.size(), bytes.size() - used);
    pending_.insert(pending_.end(), bytes.begin() + static_cast<std::ptrdiff_t>(used),
                    bytes.begin() + static_cast<std::ptrdiff_t>(used + n));
    used += n;
    if (pending_.size() == need) {
      out_.Add(pending_);
      Drop();
    }
    return used;
  }

  SectionCollector& out_;
  Bytes pending_;
  bool inSection_ = false;
  int lastCC_ = -1;
};

}  // namespace

struct TCaptureReader::Impl {
  Impl(TCaptureFormat f, const TCaptureOptions& options) : format(f), collector(options) {}

  // Decides what it can from the front of `data` and returns where it stopped: the bytes
  // from there on need more of the capture, unless `atEnd`.
  size_t Scan(ByteView data, bool atEnd) {
    return format == TCaptureFormat::Packets ? ScanPackets(data, atEnd) : ScanSections(data);
  }

  // Sync is taken where a sync byte has another one a packet further on (or the capture
  // ends right there), and held while every packet starts with one; the counters tell
  // whether skipped bytes held ours.
  size_t ScanPackets(ByteView data, bool atEnd) {
    constexpr size_t kPacket = RPAGE_LEN;
    const size_t size = data.size();
    size_t pos = 0;
    while (pos < size) {
      const uint8_t* p = data.data() + pos;
      if (*p != kSyncByte) {
        locked = false;
        ++pos;
        continue;
      }
      const size_t left = size - pos;
      if (!locked) {
        if (left > kPacket) {
          if (p[kPacket] != kSyncByte) {
            ++pos;
            continue;
          }
        } else if (!atEnd || left < kPacket) {
          break;
        }
      } else if (left < kPacket) {
        break;
      }
      locked = true;
      assembler.Packet(p);
      pos += kPacket;
    }
    return pos;
  }

  // Sections end to end; a section the data does not hold whole stops the reading, for
  // nothing after it can be placed.
  size_t ScanSections(ByteView data) {
    size_t pos = 0;
    while (pos < data.size()) {
      if (data[pos] == kStuffingByte) {
        ++pos;
        continue;
      }
      if (data.size() - pos < kSectionHeadBytes) break;
      const size_t size = static_cast<size_t>(SectionLengthField(data.subspan(pos))) + kSectionHeadBytes;
      if (size > data.size() - pos) break;
      collector.Add(data.subspan(pos, size));
      pos += size;
    }
    return pos;
  }

  // The most bytes from one position on that any decision needs.
  size_t Lookahead() const { return format == TCaptureFormat::Packets ? RPAGE_LEN + 1 : kMaxRawSectionBytes; }

  void Feed(ByteView bytes) {
    if (!tail.empty()) {
      // The tail completed with the first bytes of the piece; beyond those the piece
      // is read where it lies.
      const size_t old = tail.size();
      const size_t take = std::min(bytes.size(), Lookahead());
      tail.insert(tail.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
      const size_t stop = Scan(tail, false);
      if (stop < old) {
        // Every position within a lookahead of the end is decided, so stopping inside
        // the old tail means the piece was shorter than that and is all in the tail.
        tail.erase(tail.begin(), tail.begin() + static_cast<std::ptrdiff_t>(stop));
        return;
      }
      tail.clear();
      bytes = bytes.subspan(stop - old);
    }
    const size_t stop = Scan(bytes, false);
    tail.assign(bytes.begin() + static_cast<std::ptrdiff_t>(stop), bytes.end());
  }

  TCaptureResult Finish() {
    Scan(tail, true);
    return collector.Result();
  }

  TCaptureFormat format;
  SectionCollector collector;
  SectionAssembler assembler{collector};
  bool locked = false;
  Bytes tail;  // the undecided end of the bytes fed so far
};

TCaptureReader::TCaptureReader(TCaptureFormat format, TCaptureOptions options)
    : impl_(std::make_unique<Impl>(format, options)) {}
TCaptureReader::~TCaptureReader() = default;
TCaptureReader::TCaptureReader(TCaptureReader&&) noexcept = default;
TCaptureReader& TCaptureReader::operator=(TCaptureReader&&) noexcept = default;

void TCaptureReader::Feed(ByteView bytes) { impl_->Feed(bytes); }

bool TCaptureReader::Settled() const { return impl_->collector.Settled(); }

TCaptureResult TCaptureReader::Finish() {
  TCaptureResult result = impl_->Finish();
  impl_ = std::make_unique<Impl>(impl_->format, impl_->collector.Options());
  return result;
}

namespace {

TCaptureResult ReadWhole(TCaptureFormat format, ByteView bytes, const TCaptureOptions& options) {
  TCaptureReader reader(format, options);
  reader.Feed(bytes);
  return reader.Finish();
}

}  // namespace

TCaptureResult ReadNitCapture(ByteView packets, const TCaptureOptions& options) {
  return ReadWhole(TCaptureFormat::Packets, packets, options);
}

TCaptureResult ReadNitSections(ByteView sections, const TCaptureOptions& options) {
  return ReadWhole(TCaptureFormat::Sections, sections, options);
}

bool LoadCaptureRun(TNIT& nit, TCaptureRun run) {
  nit.Delete();
  TRPageInfoArr infos;
  TRPageInfo& info = *infos[static_cast<size_t>(AddRPageInfo({kNitPID, run.TableID, 0, run.NetworkID}, infos))];
  info.RPages = std::move(run.RPages);
  info.SetSectionCount(static_cast<int>(run.Sections.size()));
  for (size_t i = 0; i < run.Sections.size(); ++i) info.SetSectionRead(static_cast<int>(i), true);
  return nit.AddRPages(infos);
}

}  // namespace quillon
