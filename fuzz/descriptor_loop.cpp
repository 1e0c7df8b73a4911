// A descriptor loop under a private data specifier, as a section's loops are read.
// Every descriptor that decoded either refuses to encode (EncodeError) or encodes to its
// declared length, and so does what its encoding decodes to; the loop walk agrees with
// the descriptors taken one at a time, and the viewer shows each of them.
//
// Input: one byte choosing the private data specifier in force when the loop starts
// (bits 0-1: none, EACEM, NorDig, ITC; bit 2: the next four bytes instead), then the
// loop, whose length is all of it unless bit 3 is set: then the next two bytes
// (12 bits) give the loop length and the rest of the input is the section after it.
#include <cstdint>
#include <string>
#include <vector>

#include "descriptors/descriptor.h"
#include "fuzz_support.h"
#include "platform/errors.h"
#include "viewer/table_node.h"
#include "viewer/table_tree.h"

using namespace quillon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  fuzz::TInput in(data, size);
  const uint8_t flags = in.U8();
  static const uint32_t kSpecs[] = {kNoPrivSpec, kPrivSpecEacem, kPrivSpecNorDig, kPrivSpecItc};
  uint32_t privSpec = kSpecs[flags & 3];
  if (flags & 4) privSpec = in.U32();
  size_t loopLength = (flags & 8) ? (in.U16() & 0x0FFF) : SIZE_MAX;
  const ByteView section = in.Rest();
  if (loopLength == SIZE_MAX) loopLength = section.size();

  DescriptorState().CurrentPrivSpec = privSpec;
  ByteView rest = section;
  TBasicDescriptorArray loop;
  const bool parsed = ParseDescriptorLoop(rest, loopLength, loop);
  FUZZ_CHECK(rest.data() >= section.data() && rest.data() + rest.size() == section.data() + section.size());
  FUZZ_CHECK(DescriptorLoopLength(loop) == static_cast<size_t>(rest.data() - section.data()));
  if (parsed) FUZZ_CHECK(DescriptorLoopLength(loop) >= loopLength);

  // The same walk one descriptor at a time, to know the specifier each one met.
  DescriptorState().CurrentPrivSpec = privSpec;
  ByteView walk = section;
  for (const auto& d : loop) {
    const uint32_t met = DescriptorState().CurrentPrivSpec;
    std::unique_ptr<TBasicDescriptor> same;
    FUZZ_CHECK(AddDescriptor(same, walk) == d->Length + 2);
    FUZZ_CHECK(std::string(same->ClassName()) == d->ClassName());
    walk = walk.subspan(d->Length + 2u);
    const uint32_t after = DescriptorState().CurrentPrivSpec;

    Bytes encoded;
    try {
      encoded = d->DescriptorData();
    } catch (const EncodeError&) {
      continue;
    }
    FUZZ_CHECK(encoded.size() == d->Length + 2u);
    FUZZ_CHECK(encoded[0] == d->Tag && encoded[1] == d->Length);

    // Decoders may read past Length into the bytes that follow (a fixed layout is read
    // whole), so the encoding is decoded with the same bytes after it. It need not give
    // the same fields back: a count rounded up, or a sub-loop length that is no multiple
    // of its entries, is read differently from how it is written.
    Bytes followed = encoded;
    followed.insert(followed.end(), walk.begin(), walk.end());
    DescriptorState().CurrentPrivSpec = met;
    std::unique_ptr<TBasicDescriptor> back;
    FUZZ_CHECK(AddDescriptor(back, followed) == d->Length + 2);
    try {
      const Bytes again = back->DescriptorData();
      FUZZ_CHECK(again.size() == d->Length + 2u && again[0] == d->Tag && again[1] == d->Length);
    } catch (const EncodeError&) {
    }
    DescriptorState().CurrentPrivSpec = after;
  }
  try {
    EncodeDescriptorLoop(loop);
  } catch (const EncodeError&) {
  }

  // The viewer shows every descriptor that was taken.
  TTableTree tree;
  TTableNode& root = tree.AddRoot(u"Descriptors");
  for (const auto& d : loop) AddDescriptorNode(root, *d);
  RenderTreeText(tree);
  return 0;
}
