#pragma once
// An editor in a temporary program folder with recorded dialogs, quick ways to fill its
// project, and a build that checks every table it produces by decoding its packets.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/rpages.h"
#include "descriptors/descriptor.h"
#include "editor/nit_editor.h"
#include "nit/nit_table.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "support/test_util.h"

namespace quillon::test {

// The table's packets cut into 188-byte pages.
inline TRPages PagesOf(const TBasicTable& table) {
  RawString all = BuildTablePackets(table);
  TRPages pages;
  for (size_t i = 0; i + RPAGE_LEN <= all.size(); i += RPAGE_LEN) pages.push_back(all.substr(i, RPAGE_LEN));
  return pages;
}

// "44/11 TCableDelivSysDescriptor" per descriptor of a loop.
inline std::vector<std::string> Layout(const TBasicDescriptorArray& loop) {
  std::vector<std::string> out;
  for (const auto& d : loop) out.push_back(Format("%02X/%u %s", d->Tag, unsigned{d->Length}, d->ClassName()));
  return out;
}

// "44/11" per descriptor: what a receiver sees whatever class it picks. (Our decoder
// knows tag 0x88 only under the EACEM specifier, so an HD simulcast descriptor after an
// ITC or NorDig specifier comes back as a user-defined one.)
inline std::vector<std::string> Shape(const TBasicDescriptorArray& loop) {
  std::vector<std::string> out;
  for (const auto& d : loop) out.push_back(Format("%02X/%u", d->Tag, unsigned{d->Length}));
  return out;
}

inline size_t LoopSize(const TBasicDescriptorArray& loop) {
  size_t n = 0;
  for (const auto& d : loop) n += d->Length + 2u;
  return n;
}

class EditorTest : public ::testing::Test {
 protected:
  // The program folder lies at `programFolder` inside the temporary folder.
  explicit EditorTest(const std::filesystem::path& programFolder = {})
      : editor(TProgramPaths{dir.Path() / programFolder, "quillon"}) {
    ResetDescriptorState();
    // Never the factory address: a test that uploads names 127.0.0.1 itself.
    editor.SetModulatorAddress("0.0.0.0");
  }

  // A stream of the current type with the grid's defaults, frequency 346 MHz and
  // `services` services: ids 0x101.., type 1, visible, LCN 1...
  TTransportStreamData& AddStream(uint16_t tsid, size_t services) {
    size_t index = editor.AddStream();
    TTransportStreamData& r = *editor.Stream(index);
    r.SetTSID(tsid);
    r.SetOrgNetID(0x0085);
    r.SetNetID(0x7777);  // carried, never transmitted
    r.SetFreq(346.0L);
    for (size_t i = 0; i < services; ++i) {
      size_t k = editor.AddService(index, 1);
      TServiceData& s = *r.ServiceList()[k];
      s.SetServiceID(static_cast<uint16_t>(0x101 + i));
      s.SetLogicalNumber(static_cast<int32_t>(i + 1));
    }
    return r;
  }

  TChListData& AddChannelList(int32_t id, const std::u16string& name, uint32_t country) {
    auto list = std::make_unique<TChListData>();
    list->SetListID(id);
    list->SetListName(name);
    list->SetCountryCode(country);
    editor.ChannelList().push_back(std::move(list));
    return *editor.ChannelList().back();
  }

  void SetOptions(bool sld, bool lcd, bool hd, TLcnVariant variant = TLcnVariant::EACEM) {
    editor.SetAddSLDs(sld);
    editor.SetAddLCDs(lcd);
    editor.SetAddHDSimulLCN(hd);
    editor.SetVariant(variant);
  }

  TNITTable& Built() { return *editor.NIT().Actual(); }
  TNISection& BuiltSection(int i) { return *Built().Section(i); }
  // Table 0 as a receiver decodes it from the packets of the last successful Build.
  const TNITTable& Decoded() const { return *decoded_; }
  const TTransportStreamEntry& DecodedEntry(int section, size_t entry) const {
    return *decoded_->Section(section)->TSEntry.at(entry);
  }

  // CreateNITTable. A built table must keep the length invariants and the loop budget
  // and must come back from its packets byte for byte, with the same descriptors;
  // a stopped build must leave table 0 empty.
  bool Build() {
    const bool ok = editor.CreateNITTable();
    if (!ok) {
      EXPECT_EQ(Built().Sections(), 0) << "a stopped build left sections behind";
      return false;
    }
    CheckInvariants();
    decoded_ = std::make_unique<TNITTable>(kTableIdNitActual);
    EXPECT_TRUE(decoded_->AddRPages(PagesOf(Built()), kAnyAddID)) << "the built packets do not decode";
    EXPECT_EQ(decoded_->Sections(), Built().Sections());
    for (int i = 0; i < Built().Sections() && i < decoded_->Sections(); ++i) {
      const TNISection& b = BuiltSection(i);
      const TNISection& d = *decoded_->Section(i);
      EXPECT_TRUE(d.CRCOK()) << "section " << i;
      EXPECT_BYTES_EQ(b.SectionData(), d.SectionData());
      EXPECT_EQ(Layout(b.NWDesc), Layout(d.NWDesc));
      EXPECT_EQ(b.TSEntry.size(), d.TSEntry.size());
      for (size_t e = 0; e < b.TSEntry.size() && e < d.TSEntry.size(); ++e)
        EXPECT_EQ(Shape(b.TSEntry[e]->TSDescriptor), Shape(d.TSEntry[e]->TSDescriptor)) << "entry " << e;
    }
    return true;
  }

  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
  TempDir dir;
  TNitEditor editor;

 private:
  void CheckInvariants() {
    for (int i = 0; i < Built().Sections(); ++i) {
      const TNISection& s = BuiltSection(i);
      EXPECT_EQ(s.SectionNumber(), i);
      EXPECT_EQ(s.LastSectionNumber(), Built().Sections() - 1);
      EXPECT_EQ(s.NetworkDescriptorLength(), LoopSize(s.NWDesc));
      size_t loop = 0;
      for (const auto& e : s.TSEntry) {
        EXPECT_EQ(e->TransportDescriptorLength(), LoopSize(e->TSDescriptor));
        loop += 6 + e->TransportDescriptorLength();
      }
      EXPECT_EQ(s.TransportStreamLoopLength(), loop);
      EXPECT_EQ(s.SectionLength(), 13 + s.NetworkDescriptorLength() + loop);
      EXPECT_LE(s.NetworkDescriptorLength() + loop, static_cast<size_t>(kSectionLoopBudget));
    }
  }

  std::unique_ptr<TNITTable> decoded_;
};

}  // namespace quillon::test
