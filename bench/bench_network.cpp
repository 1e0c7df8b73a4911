#include "bench_network.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "core/rpages.h"
#include "nit/nit_table.h"

namespace quillon::bench {

BenchNetwork MakeBenchNetwork(int streams) {
  BenchNetwork n;
  n.id = 0x3A5C;
  n.version = 23;
  n.name = "Stadtnetz S\xFC" "d Kabel";
  static const uint8_t kTypes[] = {0x01, 0x02, 0x19, 0x16};
  for (int i = 0; i < streams; ++i) {
    BenchStream s;
    s.tsid = static_cast<uint16_t>(1 + i);
    s.onid = 0x2F00;
    s.frequencyMHz = 114.0 + 8.0 * (i % 800);  // stays below 7999.9999 MHz
    s.symbolRateMsym = i % 3 == 0 ? 6.9 : 6.875;
    s.fecOuter = 2;
    s.modulation = static_cast<uint8_t>(1 + i % 5);
    s.fecInner = 15;
    for (int j = 0; j < kServicesPerStream; ++j) {
      const int k = i * kServicesPerStream + j;
      s.services.push_back({static_cast<uint16_t>(1 + k), kTypes[k % 4], static_cast<uint16_t>(1 + k % 999),
                            k % 10 != 9});
    }
    n.streams.push_back(std::move(s));
  }
  return n;
}

uint32_t Bcd4(double value) {
  auto v = static_cast<uint32_t>(std::nearbyint(value * 10000.0));
  uint32_t bcd = 0;
  for (int shift = 0; v != 0; v /= 10, shift += 4) bcd |= (v % 10) << shift;
  return bcd;
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillon-bench.XXXXXX").string();
  if (!mkdtemp(pattern.data())) Abort("cannot create a scratch folder in " + pattern);
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

BenchProject::BenchProject(const BenchNetwork& network) {
  editor_ = std::make_unique<TNitEditor>(TProgramPaths{scratch_.Path(), "quillon"});
  TNitEditor& e = *editor_;
  e.StoreLastIPOnClose = false;
  e.SetNetworkType(TNetworkType::Cable);
  std::u16string name;
  for (char c : network.name) name.push_back(static_cast<unsigned char>(c));  // Latin-1
  e.SetNetworkName(name);
  e.SetNetworkID(network.id);
  e.SetVersionNumber(network.version);
  e.SetAddSLDs(true);
  e.SetAddLCDs(true);
  e.SetVariant(TLcnVariant::EACEM);
  for (const BenchStream& s : network.streams) {
    const size_t index = e.AddStream();
    TCableDescrData& r = *e.CableEntryList()[index];
    r.SetTSID(s.tsid);
    r.SetOrgNetID(s.onid);
    r.SetFreq(s.frequencyMHz);
    r.SetSymbRate(s.symbolRateMsym);
    r.SetFECOut(s.fecOuter);
    r.SetModu(s.modulation);
    r.SetFECIn(s.fecInner);
    for (const BenchService& v : s.services) {
      TServiceData& d = *r.ServiceList()[e.AddService(index, v.type)];
      const std::string name = "Programm " + std::to_string(v.id);
      d.SetServiceName(std::u16string(name.begin(), name.end()));
      d.SetServiceID(v.id);
      d.SetLogicalNumber(v.lcn);
      d.SetVisible(v.visible);
    }
  }
  e.ResetModified();
}

RawString BuildOurPackets(TNitEditor& editor) {
  if (!editor.CreateNITTable()) Abort("our build of the benchmark network stopped");
  return BuildTablePackets(*editor.NIT().Actual());
}

void Abort(const std::string& what) {
  std::fprintf(stderr, "bench: %s\n", what.c_str());
  std::exit(1);
}

}  // namespace quillon::bench
