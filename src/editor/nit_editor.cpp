#include "editor/nit_editor.h"

#include <algorithm>
#include <numeric>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/ini_file.h"
#include "platform/language.h"
#include "platform/text.h"

namespace quillon {

namespace {
constexpr const char* kSettingsSection = "SETTINGS";
constexpr const char* kLastIPKey = "LastIP";
}  // namespace

const TEditorMessages& EditorMessages() { return ModuleMessages<TEditorMessages>("TTableEditFrame"); }

// ---------------------------------------------------------------- lifetime

TNitEditor::TNitEditor(TProgramPaths paths) : paths_(std::move(paths)) {
  // Made before the panel's own table: after a language change the dispatcher tells the
  // tables in the order they came, so the panel redraws with the editor's new texts.
  EditorMessages();
  try {
    IniFile ini(paths_.SettingsFile());
    modulatorAddress_ = ini.ReadString(kSettingsSection, kLastIPKey, kDefaultModulatorAddress);
  } catch (const QuillonError& e) {
    Dialogs().Show(DialogKind::ErrorOk, e.what());
  }
  ResetModified();
}

TNitEditor::~TNitEditor() {
  if (!StoreLastIPOnClose) return;
  try {
    StoreLastIP();
  } catch (const QuillonError& e) {
    Dialogs().Show(DialogKind::ErrorOk, e.what());
  } catch (const std::exception& e) {
    Dialogs().Show(DialogKind::ErrorOk, e.what());
  }
}

void TNitEditor::StoreLastIP() {
  IniFile ini(paths_.SettingsFile());
  if (ini.ReadString(kSettingsSection, kLastIPKey, "") == modulatorAddress_ &&
      ini.SectionExists(kSettingsSection))
    return;
  ini.WriteString(kSettingsSection, kLastIPKey, modulatorAddress_);
  ini.UpdateFile();
}

// ---------------------------------------------------------------- general page

void TNitEditor::ClearAll() {
  nit_.Delete();
  cable_.clear();
  terrest_.clear();
  chLists_.clear();
  rowOrder_.clear();
  selectedRow_ = -1;
}

void TNitEditor::SetNetworkType(TNetworkType type) {
  if (type == networkType_) return;
  networkType_ = type;
  ClearAll();
  SetModified();
}

void TNitEditor::SetNetworkName(const std::u16string& name) {
  if (name == networkName_) return;
  networkName_ = name;
  fieldModified_ = true;
}

void TNitEditor::SetNetworkID(uint16_t id) {
  if (id == networkId_) return;
  networkId_ = id;
  fieldModified_ = true;
}

void TNitEditor::SetVersionNumber(uint8_t version) {
  version &= 0x1F;
  if (version == version_) return;
  version_ = version;
  fieldModified_ = true;
}

void TNitEditor::SetAddSLDs(bool on) {
  addSLDs_ = on;
  SetModified();
}

void TNitEditor::SetAddLCDs(bool on) {
  addLCDs_ = on;
  if (!on) addHDSimulLCN_ = false;
  SetModified();
}

void TNitEditor::SetAddHDSimulLCN(bool on) {
  if (!addLCDs_) return;
  addHDSimulLCN_ = on;
  SetModified();
}

void TNitEditor::SetVariant(TLcnVariant variant) {
  variant_ = variant;
  SetModified();
}

// ---------------------------------------------------------------- records

size_t TNitEditor::StreamCount() const {
  return networkType_ == TNetworkType::Terrestrial ? terrest_.size() : cable_.size();
}

TTransportStreamData* TNitEditor::Stream(size_t index) {
  if (index >= StreamCount()) return nullptr;
  if (networkType_ == TNetworkType::Terrestrial) return terrest_[index].get();
  return cable_[index].get();
}

const TTransportStreamData* TNitEditor::Stream(size_t index) const {
  return const_cast<TNitEditor*>(this)->Stream(index);
}

size_t TNitEditor::AddStream() {
  if (networkType_ == TNetworkType::Terrestrial) {
    auto r = std::make_unique<TTerrestrialDescrData>();
    r->SetBandWidth(0);
    r->SetPriority(1);
    r->SetTimeSliceIndicator(1);
    r->SetMpeFecIndictor(1);
    r->SetConstellation(2);
    r->SetHierarchy(0);
    r->SetHPCodeRate(4);
    r->SetLPCodeRate(4);
    r->SetGuardInterval(0);
    r->SetMode(1);
    terrest_.push_back(std::move(r));
  } else {
    auto r = std::make_unique<TCableDescrData>();
    r->SetFECOut(2);
    r->SetSymbRate(6.9L);
    r->SetModu(5);
    r->SetFECIn(0);
    cable_.push_back(std::move(r));
  }
  size_t index = StreamCount() - 1;
  rowOrder_.push_back(static_cast<int32_t>(index));
  SetModified();
  return index;
}

void TNitEditor::DeleteStream(size_t index) {
  if (index >= StreamCount()) return;
  if (networkType_ == TNetworkType::Terrestrial)
    terrest_.erase(terrest_.begin() + static_cast<long>(index));
  else
    cable_.erase(cable_.begin() + static_cast<long>(index));
  const int32_t gone = static_cast<int32_t>(index);
  std::erase(rowOrder_, gone);
  for (int32_t& r : rowOrder_)
    if (r > gone) --r;
  if (selectedRow_ == gone) selectedRow_ = -1;
  else if (selectedRow_ > gone) --selectedRow_;
  SetModified();
}

size_t TNitEditor::AddService(size_t streamIndex, uint8_t serviceType) {
  TTransportStreamData* s = Stream(streamIndex);
  if (!s) throw QuillonError(Format(Messages().CText(EditorMsg::strsNoStream), streamIndex));
  auto service = std::make_unique<TServiceData>();
  service->SetIdent(s->Ident());
  service->SetServiceType(serviceType);
  s->ServiceList().push_back(std::move(service));
  SetModified();
  return s->ServiceList().size() - 1;
}

void TNitEditor::DeleteService(size_t streamIndex, size_t serviceIndex) {
  TTransportStreamData* s = Stream(streamIndex);
  if (!s || serviceIndex >= s->ServiceList().size()) return;
  s->ServiceList().erase(s->ServiceList().begin() + static_cast<long>(serviceIndex));
  SetModified();
}

void TNitEditor::SetRowOrder(std::vector<int32_t> order) {
  std::vector<int32_t> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  std::vector<int32_t> expected(StreamCount());
  std::iota(expected.begin(), expected.end(), 0);
  if (sorted != expected)
    throw QuillonError(Format(Messages().CText(EditorMsg::strsRowOrder), StreamCount()));
  rowOrder_ = std::move(order);
}

void TNitEditor::SetSelectedRow(int32_t recordIndex) {
  selectedRow_ = recordIndex >= 0 && static_cast<size_t>(recordIndex) < StreamCount() ? recordIndex : -1;
}

// ---------------------------------------------------------------- modified flag

bool TNitEditor::Modified() const { return modified_ || fieldModified_; }

void TNitEditor::ResetModified() {
  modified_ = false;
  fieldModified_ = false;
}

}  // namespace quillon
