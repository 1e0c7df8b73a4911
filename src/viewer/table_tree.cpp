#include "viewer/table_tree.h"

#include <exception>

#include "descriptors/network.h"
#include "nit/nit_table.h"
#include "platform/text.h"
#include "viewer/descriptor_display.h"
#include "viewer/node_text.h"
#include "vocabulary/si_values.h"

namespace quillon {

using namespace viewer;

namespace {

// "%d, name" for a registered network id, else the number alone.
std::u16string NetworkIdInfo(uint16_t id) {
  std::u16string name = OriginalNetworkIDText(id);
  return name.empty() ? Dec(id) : Dec(id) + u", " + name;
}

// The frequency a delivery-system descriptor gives its transport stream; empty for any
// other descriptor.
std::u16string FrequencySummary(const TBasicDescriptor& d) {
  if (auto* cable = dynamic_cast<const TCableDelivSysDescriptor*>(&d))
    return Fixed(BcdValue(cable->Freq, 4), 3, u" MHz");
  if (auto* sat = dynamic_cast<const TSatDelivSysDescriptor*>(&d)) return Fixed(BcdValue(sat->Freq, 5), 3, u" GHz");
  if (auto* terrest = dynamic_cast<const TTerrestDelivSysDescriptor*>(&d))
    return Fixed(terrest->CentreFreq / 1e5, 3, u" MHz");
  return {};
}

void AddDescriptorLoop(TTableNode& parent, const TBasicDescriptorArray& loop) {
  for (const auto& d : loop)
    if (d) AddDescriptorNode(parent, *d);
}

void AddSectionNodes(TTableNode& node, const TNISection& s) {
  HexField(node, u"Table ID", 8, s.TableID(), 2, TableIDText(s.TableID()));
  DecField(node, u"Section Syntax Indicator", 1, s.SectionSyntaxIndicator());
  DecField(node, u"Reserved For Future Use", 1, s.ReservedFU1());
  DecField(node, u"Reserved", 2, s.Reserved1());
  DecField(node, u"Section Length", 12, s.SectionLength());
  HexField(node, u"Network ID", 16, s.NetworkID(), 4, NetworkIdInfo(s.NetworkID()));
  DecField(node, u"Reserved", 2, s.Reserved2());
  DecField(node, u"Version Number", 5, s.VersionNumber());
  DecField(node, u"Current/Next Indicator", 1, s.CurrentNextIndicator(), CurrentNextText(s.CurrentNextIndicator()));
  DecField(node, u"Section Number", 8, s.SectionNumber());
  DecField(node, u"LastSection Number", 8, s.LastSectionNumber());
  DecField(node, u"Reserved For Future Use", 4, s.ReservedFU2());
  DecField(node, u"Network Descriptors Length", 12, s.NetworkDescriptorLength());
  AddDescriptorLoop(Group(node, u"Network Descriptors"), s.NWDesc);
  DecField(node, u"Reserved For Future Use", 4, s.ReservedFU3());
  DecField(node, u"Transport Stream Loop Length", 12, s.TransportStreamLoopLength());
  TTableNode& loop = Group(node, u"Transport Stream Loop");
  for (const auto& entry : s.TSEntry)
    if (entry) AddTSEntryNodes(Group(loop, u"Transport Stream Entry"), *entry);
  HexField(node, u"CRC 32", 32, s.CRC32(), 8, s.CRCOK() ? u"CRC ok" : u"Wrong CRC");
}

}  // namespace

TTableTree CreateTree(const TSITable& siObject) {
  TTableTree tree;
  const bool isNit = dynamic_cast<const TNIT*>(&siObject) != nullptr;
  for (int i = 0; i < siObject.TableCount(); ++i) {
    const TBasicTable* table = siObject.GetTable(i);
    if (!table || table->Sections() < 1) continue;
    TTableNode& root = tree.AddRoot(Utf8ToUtf16(siObject.GetDescription(i)));
    auto* nit = dynamic_cast<const TNITTable*>(table);
    if (!isNit || !nit) continue;
    try {
      AddNITTable(*nit, root);
    } catch (const std::exception&) {
      // A damaged table shows what could be added; the others are not affected.
    }
  }
  return tree;
}

void AddNITTable(const TNITTable& table, TTableNode& tableNode) {
  for (int s = 0; s < table.Sections(); ++s) {
    const TNISection* section = table.Section(s);
    if (!section) continue;
    AddSectionNodes(tableNode.Add(Fmt("Network Information Section No. %d", s)), *section);
  }
}

void AddTSEntryNodes(TTableNode& entryNode, const TTransportStreamEntry& entry) {
  HexField(entryNode, u"Transport Stream ID", 16, entry.TSID(), 4, Dec(entry.TSID()));
  HexField(entryNode, u"Original Network ID", 16, entry.OrgNetID(), 4, NetworkIdInfo(entry.OrgNetID()));
  DecField(entryNode, u"Reserved For Future Use", 4, entry.ReservedFU());
  DecField(entryNode, u"Transport Descriptors Length", 12, entry.TransportDescriptorLength());
  for (const auto& d : entry.TSDescriptor) {
    if (!d) continue;
    AddDescriptorNode(entryNode, *d);
    if (std::u16string summary = FrequencySummary(*d); !summary.empty()) entryNode.Data.Info = summary;
  }
}

TTableNode& AddDescriptorNode(TTableNode& parent, const TBasicDescriptor& descriptor) {
  TTableNode& node = parent.Add(DescriptorTagText(descriptor.Tag, descriptor.PrivSpec));
  HexField(node, u"Descriptor Tag", 8, descriptor.Tag, 2);
  DecField(node, u"Descriptor Length", 8, descriptor.Length);
  AddDescriptorNodes(&node, &descriptor);
  return node;
}

}  // namespace quillon
