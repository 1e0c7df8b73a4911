#pragma once
// One descriptor's fields, loops and entries as nodes of the table tree.
#include "viewer/table_node.h"

namespace quillon {

class TBasicDescriptor;

// Adds the field nodes of `descriptor` below `descriptorNode` (which already holds
// "Descriptor Tag" and "Descriptor Length"); nothing when either is missing. The tag
// picks the display; a class other than the tag's own shows its bytes as "Data".
void AddDescriptorNodes(TTableNode* descriptorNode, const TBasicDescriptor* descriptor);
// The node "Data" over the descriptor's body: the stored bytes of a raw descriptor,
// the encoded body of any other.
void AddDataNode(TTableNode& node, const TBasicDescriptor& descriptor);

}  // namespace quillon
