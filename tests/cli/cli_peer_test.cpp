// libdvbpsi reads what quillon-cli writes: the packets of `build`, and those of an
// `export` turned back by `descramble`, decode to the values the sample project holds.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cli/json_project.h"
#include "cli_runner.h"
#include "core/rpages.h"
#include "editor/nit_editor.h"
#include "peer/dvbpsi_peer.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "support/test_util.h"

namespace quillon::cli {
namespace {

// The BCD digits of round(x * 10000), as the cable delivery descriptor carries them.
uint32_t Bcd4(long double x) {
  return static_cast<uint32_t>(std::stoul(std::to_string(std::llrint(x * 10000.0L)), nullptr, 16));
}

void ExpectCable(const dvbpsi_descriptor_t& d, const TCableDescrData& r) {
  auto* c = dvbpsi_DecodeCableDelivSysDr(const_cast<dvbpsi_descriptor_t*>(&d));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->i_frequency, Bcd4(r.Freq()));
  EXPECT_EQ(c->i_symbol_rate, Bcd4(r.SymbRate()));
  EXPECT_EQ(c->i_modulation, r.Modu());
  EXPECT_EQ(c->i_fec_outer, r.FECOut());
  EXPECT_EQ(c->i_fec_inner, r.FECIn());
}

void ExpectTerrestrial(const dvbpsi_descriptor_t& d, const TTerrestrialDescrData& r) {
  auto* t = dvbpsi_DecodeTerrDelivSysDr(const_cast<dvbpsi_descriptor_t*>(&d));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->i_centre_frequency, static_cast<uint32_t>(std::llrint(r.Freq() * 100000.0L)));
  const uint8_t got[] = {t->i_bandwidth,           t->i_priority,          t->i_time_slice_indicator,
                         t->i_mpe_fec_indicator,   t->i_constellation,     t->i_hierarchy_information,
                         t->i_code_rate_hp_stream, t->i_code_rate_lp_stream, t->i_guard_interval,
                         t->i_transmission_mode,   t->i_other_frequency_flag};
  const uint8_t want[] = {r.BandWidth(),  r.Priority(),   r.TimeSliceIndicator(), r.MpeFecIndictor(),
                          r.Constellation(), r.Hierarchy(), r.HPCodeRate(),        r.LPCodeRate(),
                          r.GuardInterval(), r.Mode(),      r.OtherFreqFlag()};
  EXPECT_EQ(Bytes(got, got + 11), Bytes(want, want + 11));
}

// Compares the decoded table with the project, stream by stream in NIT order.
void ExpectProject(const dvbpsi_nit_t& nit, const TNitEditor& e) {
  EXPECT_EQ(nit.i_network_id, e.NetworkID());
  EXPECT_EQ(nit.i_version, e.VersionNumber());
  EXPECT_TRUE(nit.b_current_next);
  ASSERT_NE(nit.p_first_descriptor, nullptr);
  auto* name = dvbpsi_DecodeNetworkNameDr(nit.p_first_descriptor);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(std::string(name->i_name_byte, name->i_name_byte + name->i_name_length), Utf16ToUtf8(e.NetworkName()));

  size_t index = 0;
  for (const dvbpsi_nit_ts_t* ts = nit.p_first_ts; ts; ts = ts->p_next, ++index) {
    SCOPED_TRACE("stream " + std::to_string(index));
    ASSERT_LT(index, e.StreamCount());
    const TTransportStreamData& r = *e.Stream(index);
    EXPECT_EQ(ts->i_ts_id, r.TSID());
    EXPECT_EQ(ts->i_orig_network_id, r.OrgNetID());
    int deliveries = 0, serviceLists = 0;
    for (dvbpsi_descriptor_t* d = ts->p_first_descriptor; d; d = d->p_next) {
      if (d->i_tag == 0x44 && e.NetworkType() == TNetworkType::Cable) {
        ++deliveries;
        ExpectCable(*d, *e.CableEntryList()[index]);
      } else if (d->i_tag == 0x5A && e.NetworkType() == TNetworkType::Terrestrial) {
        ++deliveries;
        ExpectTerrestrial(*d, *e.TerrestrialEntryList()[index]);
      } else if (d->i_tag == 0x41) {
        ++serviceLists;
        auto* list = dvbpsi_DecodeServiceListDr(d);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->i_service_count, r.ServiceList().size());
        for (size_t i = 0; i < r.ServiceList().size(); ++i) {
          EXPECT_EQ(list->i_service[i].i_service_id, r.ServiceList()[i]->ServiceID());
          EXPECT_EQ(list->i_service[i].i_service_type, r.ServiceList()[i]->ServiceType());
        }
      } else if (d->i_tag == 0x83 && e.Variant() == TLcnVariant::EACEM) {
        auto* lcn = dvbpsi_DecodeLCNDr(d);
        ASSERT_NE(lcn, nullptr);
        ASSERT_EQ(lcn->i_number_of_entries, r.ServiceList().size());
        for (size_t i = 0; i < r.ServiceList().size(); ++i) {
          const TServiceData& s = *r.ServiceList()[i];
          EXPECT_EQ(lcn->p_entries[i].i_service_id, s.ServiceID());
          EXPECT_EQ(lcn->p_entries[i].b_visible_service_flag != 0, s.Visible());
          EXPECT_EQ(lcn->p_entries[i].i_logical_channel_number, s.LogicalNumber() & 0x3FF);
        }
      }
    }
    EXPECT_EQ(deliveries, 1);
    EXPECT_EQ(serviceLists, e.AddSLDs() && !r.ServiceList().empty() ? 1 : 0);
  }
  EXPECT_EQ(index, e.StreamCount());
}

TEST(CliPeer, LibdvbpsiDecodesTheWrittenPacketsToTheProjectsValues) {
  for (const char* name : {"cable", "terrestrial"}) {
    const std::string json = (test::kExamples / (std::string(name) + ".json")).string();
    test::TempDir dir;
    RecordingDialogs dialogs;
    ScopedDialogs scope(dialogs);
    TNitEditor project(TProgramPaths{dir.Path()});
    ProjectFromJson(project, test::ReadTextFile(json));

    const std::string built = (dir / "built.ts").string(), exported = (dir / "out.nit").string(),
                      plain = (dir / "plain.ts").string();
    ASSERT_EQ(test::RunCli({"build", json, "-o", built}).code, 0);
    ASSERT_EQ(test::RunCli({"export", json, "-o", exported}).code, 0);
    ASSERT_EQ(test::RunCli({"descramble", exported, "-o", plain}).code, 0);
    for (const std::string& file : {built, plain}) {
      SCOPED_TRACE(file);
      const std::string packets = test::ReadTextFile(file);
      peer::NitReceiver receiver;
      for (size_t i = 0; i + RPAGE_LEN <= packets.size(); i += RPAGE_LEN) receiver.Push(packets.substr(i, RPAGE_LEN));
      EXPECT_TRUE(receiver.handle.messages.empty()) << receiver.handle.messages.front();
      ASSERT_EQ(receiver.tables.size(), 1u);
      ExpectProject(*receiver.tables[0], project);
    }
  }
}

}  // namespace
}  // namespace quillon::cli
