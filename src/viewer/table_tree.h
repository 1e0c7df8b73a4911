#pragma once
// The decoded tree of a table container: tables, sections, header fields, loops, entries
// and descriptors as plain nodes with four texts.
#include "viewer/table_node.h"

namespace quillon {

class TSITable;
class TNITTable;
class TTransportStreamEntry;
class TBasicDescriptor;

// One root per table that has sections, named by the container's description. Only a
// NIT container's tables get children. An error while one table is added ends that
// table (its nodes so far stay); the next table follows.
TTableTree CreateTree(const TSITable& siObject);

// The sections of `table` below `tableNode`.
void AddNITTable(const TNITTable& table, TTableNode& tableNode);
// The fields and descriptors of `entry` below `entryNode`; a delivery-system descriptor
// puts its frequency into the entry node's Info.
void AddTSEntryNodes(TTableNode& entryNode, const TTransportStreamEntry& entry);
// A node named after the descriptor's tag, with "Descriptor Tag", "Descriptor Length"
// and the descriptor's own fields below it.
TTableNode& AddDescriptorNode(TTableNode& parent, const TBasicDescriptor& descriptor);

}  // namespace quillon
