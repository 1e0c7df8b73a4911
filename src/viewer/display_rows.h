#pragma once
// How each descriptor family hands its displays to the dispatcher: one row per tag.
#include <cstdint>
#include <span>

#include "descriptors/descriptor.h"
#include "viewer/descriptor_display.h"
#include "viewer/table_node.h"

namespace quillon::viewer {

using DisplayFn = void (*)(TTableNode&, const TBasicDescriptor&);

struct DisplayRow {
  uint8_t tag;
  DisplayFn show;
};

// The display of class D; a descriptor of another class under D's tag shows its bytes.
template <class D, void (*Show)(TTableNode&, const D&)>
void As(TTableNode& node, const TBasicDescriptor& d) {
  if (auto* typed = dynamic_cast<const D*>(&d))
    Show(node, *typed);
  else
    AddDataNode(node, d);
}

// The families of the descriptor catalogue, each in its own source.
std::span<const DisplayRow> NetworkDisplayRows();  // network and delivery systems
std::span<const DisplayRow> MpegDisplayRows();     // 0x02..0x14
std::span<const DisplayRow> ServiceDisplayRows();  // services and bouquets
std::span<const DisplayRow> EventDisplayRows();    // events
std::span<const DisplayRow> StreamDisplayRows();   // elementary streams and data

}  // namespace quillon::viewer
