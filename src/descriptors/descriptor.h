#pragma once
// The descriptor base, the raw classes, the factory AddDescriptor and descriptor loops.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/bits.h"
#include "platform/bytes.h"

namespace quillon {

inline constexpr uint32_t kNoPrivSpec = 0xFFFFFFFF;
inline constexpr uint32_t kPrivSpecEacem = 0x00000028;
inline constexpr uint32_t kPrivSpecNorDig = 0x00000029;
inline constexpr uint32_t kPrivSpecItc = 0x0000233A;
// A descriptor body holds at most this many bytes (one length byte).
inline constexpr size_t kMaxDescriptorBody = 255;

class TBasicDescriptor {
 public:
  TBasicDescriptor() = default;
  virtual ~TBasicDescriptor() = default;
  TBasicDescriptor(const TBasicDescriptor&) = delete;
  TBasicDescriptor& operator=(const TBasicDescriptor&) = delete;

  uint8_t Tag = 0;
  uint8_t Length = 0;  // body bytes after the length byte; set by whoever fills the object
  uint32_t PrivSpec = kNoPrivSpec;

  virtual const char* ClassName() const = 0;
  // Encode: exactly Length + 2 bytes (tag, length, body). Throws EncodeError when the
  // fields do not fit Length.
  virtual Bytes DescriptorData() const = 0;
  // Decode: `data` starts at the tag and may run on past the descriptor; Tag and Length
  // are already set. Throws DecodeError when the layout reads past the end of `data`.
  virtual void SetDescriptorData(ByteView data) = 0;

 protected:
  // A writer of Length + 2 bytes with tag and length already written.
  ByteWriter NewWriter() const;
  // A reader over `data` positioned at the body (byte 2).
  static ByteReader BodyReader(ByteView data) { return ByteReader(data, 2); }
};

#define QUILLON_DESCRIPTOR(Name)                              \
 public:                                                      \
  const char* ClassName() const override { return #Name; }    \
  Bytes DescriptorData() const override;                      \
  void SetDescriptorData(ByteView data) override;

using TBasicDescriptorArray = std::vector<std::unique_ptr<TBasicDescriptor>>;

// A user-defined tag with no known private class: the body kept raw.
class TUserDefinedDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TUserDefinedDescriptor)
 public:
  Bytes Data;
};

// A tag without a class, or a descriptor whose decoding failed.
class TUnknownDescriptor : public TUserDefinedDescriptor {
 public:
  const char* ClassName() const override { return "TUnknownDescriptor"; }
};

// State of the descriptor unit the factory works with; the table parser resets it.
struct DescriptorModuleState {
  uint32_t CurrentPrivSpec = kNoPrivSpec;
  std::vector<uint8_t> UnknownTags;  // distinct, in order of first appearance
  bool ReportUnknownTags = true;
};
DescriptorModuleState& DescriptorState();
// Back to the program-start state.
void ResetDescriptorState();

// What the factory does with a tag.
enum class TagKind {
  Class,           // a class of its own
  UnknownReported, // TUnknownDescriptor, tag added to the unknown-tag list
  UnknownSilent,   // TUnknownDescriptor, not listed
  Private,         // chosen by the current private data specifier
};
TagKind TagKindOf(uint8_t tag);
// The class the factory creates for `tag` under the private data specifier `privSpec`.
std::unique_ptr<TBasicDescriptor> CreateDescriptorForTag(uint8_t tag, uint32_t privSpec);

// Takes one descriptor from `data` (starting at its tag) into `slot`. Returns the bytes
// it occupies (Length + 2), or -1 when none could be taken (slot stays empty).
int AddDescriptor(std::unique_ptr<TBasicDescriptor>& slot, ByteView data);

// Parses a loop of `loopLength` bytes from the front of `data` (which runs to the end of
// the section) into `out`, and advances `data` past the descriptors taken. A last
// descriptor that runs past the loop length counts whole. Returns false when
// AddDescriptor gave -1 (the table parse then fails).
bool ParseDescriptorLoop(ByteView& data, size_t loopLength, TBasicDescriptorArray& out);

// The concatenated DescriptorData of a loop, and the length its length field holds.
Bytes EncodeDescriptorLoop(const TBasicDescriptorArray& loop);
uint32_t DescriptorLoopLength(const TBasicDescriptorArray& loop);

// "Unknown Descriptor(s): 0x16 0x67 " for the listed tags; empty when none are listed.
std::string UnknownTagReportText();
// Shows the report through the dialogs when reporting is on and tags are listed.
void ShowUnknownTagReport();

}  // namespace quillon
