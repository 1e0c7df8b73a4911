#include "viewer/descriptor_display.h"

#include <algorithm>

#include "descriptors/logical_channel.h"
#include "viewer/display_rows.h"
#include "viewer/node_text.h"

namespace quillon {

using namespace viewer;

namespace {

constexpr uint8_t kForbiddenTag = 0xFF;
constexpr uint8_t kFirstPrivateTag = 0x80;

std::u16string VisibleText(uint8_t visible) {
  return FlagText(visible, u"Visible / Selectable", u"Non-Visible / Selectable");
}

// EACEM layout: 1 + 5 + 10 bits after the service id.
void ShowEacemChannels(TTableNode& node, const TEacemLogicalChannelDescriptor& d) {
  TTableNode& loop = Group(node, u"Channel Loop");
  for (const TEacemLogChEntry& e : d.LogChEntry) {
    TTableNode& entry = Group(loop, u"Channel Entry");
    HexField(entry, u"Service ID", 16, e.ServiceID, 4);
    DecField(entry, u"Visible Service Flag", 1, e.Visible, VisibleText(e.Visible));
    DecField(entry, u"Reserved", 5, e.Reserved);
    DecField(entry, u"Logical Channel Number", 10, e.ChannelNo);
  }
}

// NorDig layout: 1 + 1 + 14 bits after the service id.
void ShowNorDigChannels(TTableNode& parent, const std::vector<TNorDigLogChEntry>& entries) {
  TTableNode& loop = Group(parent, u"Channel Loop");
  for (const TNorDigLogChEntry& e : entries) {
    TTableNode& entry = Group(loop, u"Channel Entry");
    HexField(entry, u"Service ID", 16, e.ServiceID, 4);
    DecField(entry, u"Visible Service Flag", 1, e.Visible, VisibleText(e.Visible));
    DecField(entry, u"Reserved", 1, e.Reserved);
    DecField(entry, u"Logical Channel Number", 14, e.ChannelNo);
  }
}

void ShowNorDigV2(TTableNode& node, const TNorDigLogicalChannelDescriptorV2& d) {
  TTableNode& loop = Group(node, u"Channel List Loop");
  for (const TNorDigChListEntry& list : d.ChListEntry) {
    TTableNode& entry = Group(loop, u"Channel List Entry");
    DecField(entry, u"Channel List ID", 8, list.ChListID);
    DecField(entry, u"Channel List Name Length", 8, list.ChListNameLen);
    entry.Add(u"Channel List Name", Chars(list.ChListNameLen), list.ChListName);
    CodeField(entry, u"Country Code", list.CountryCode);
    DecField(entry, u"Channel Loop Length", 8, list.LogChLen);
    ShowNorDigChannels(entry, list.LogChEntry);
  }
}

// Tags 0x80..0xFE mean what the private data specifier in force made of them.
void ShowPrivate(TTableNode& node, const TBasicDescriptor& d) {
  if (auto* v1 = dynamic_cast<const TNorDigLogicalChannelDescriptorV1*>(&d))
    ShowNorDigChannels(node, v1->LogChEntry);
  else if (auto* v2 = dynamic_cast<const TNorDigLogicalChannelDescriptorV2*>(&d))
    ShowNorDigV2(node, *v2);
  else if (auto* eacem = dynamic_cast<const TEacemLogicalChannelDescriptor*>(&d))
    ShowEacemChannels(node, *eacem);
  else
    AddDataNode(node, d);
}

DisplayFn FindDisplay(uint8_t tag) {
  for (auto rows : {NetworkDisplayRows(), MpegDisplayRows(), ServiceDisplayRows(), EventDisplayRows(),
                    StreamDisplayRows()})
    for (const DisplayRow& row : rows)
      if (row.tag == tag) return row.show;
  return nullptr;
}

}  // namespace

void AddDescriptorNodes(TTableNode* descriptorNode, const TBasicDescriptor* descriptor) {
  if (!descriptorNode || !descriptor) return;
  TTableNode& node = *descriptorNode;
  const TBasicDescriptor& d = *descriptor;
  if (dynamic_cast<const TUnknownDescriptor*>(&d) || d.Tag == kForbiddenTag) {
    AddDataNode(node, d);
  } else if (d.Tag >= kFirstPrivateTag) {
    ShowPrivate(node, d);
  } else if (DisplayFn show = FindDisplay(d.Tag)) {
    show(node, d);
  } else {
    AddDataNode(node, d);
  }
}

void AddDataNode(TTableNode& node, const TBasicDescriptor& descriptor) {
  if (auto* raw = dynamic_cast<const TUserDefinedDescriptor*>(&descriptor)) {
    BytesNode(node, u"Data", raw->Data);
    return;
  }
  Bytes body = descriptor.DescriptorData();
  body.erase(body.begin(), body.begin() + std::min<size_t>(2, body.size()));
  BytesNode(node, u"Data", body);
}

}  // namespace quillon
