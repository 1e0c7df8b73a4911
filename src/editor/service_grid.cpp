#include "editor/service_grid.h"

#include <numeric>

#include "editor/cell_rules.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/text.h"

namespace quillon {

namespace {

constexpr const char16_t* kHeaders[TServiceGridTable::kColumnCount] = {
    u"Service Name", u"Service ID", u"Sichtbar", u"Kanal Nummer", u"HD Kanal Nummer", u"Kanal Liste"};

}  // namespace

TServiceGridTable::TServiceGridTable(TNitEditor& editor) : editor_(editor) {}

void TServiceGridTable::SetStream(int32_t stream) {
  stream_ = stream;
  const TTransportStreamData* s = Stream();
  order_.assign(s ? s->ServiceList().size() : 0, 0);
  std::iota(order_.begin(), order_.end(), 0);
}

TTransportStreamData* TServiceGridTable::Stream() const {
  return stream_ < 0 ? nullptr : editor_.Stream(static_cast<size_t>(stream_));
}

size_t TServiceGridTable::RowCount() const {
  const TTransportStreamData* s = Stream();
  return s && order_.size() <= s->ServiceList().size() ? order_.size() : 0;
}

void TServiceGridTable::ServiceAppended() {
  const TTransportStreamData* s = Stream();
  if (s && order_.size() < s->ServiceList().size()) order_.push_back(static_cast<int32_t>(order_.size()));
}

void TServiceGridTable::ServiceRemoved(size_t record) {
  const int32_t gone = static_cast<int32_t>(record);
  std::erase(order_, gone);
  for (int32_t& r : order_)
    if (r > gone) --r;
}

TServiceData* TServiceGridTable::Service(size_t record) const {
  TTransportStreamData* s = Stream();
  if (!s || record >= s->ServiceList().size()) return nullptr;
  return s->ServiceList()[record].get();
}

std::u16string TServiceGridTable::Header(int column) const {
  return column >= 0 && column < kColumnCount ? kHeaders[column] : u"";
}

TCellEditor TServiceGridTable::Editor(int column) const {
  if (column == kVisible || column == kChannelList) return TCellEditor::PickList;
  if (column == kServiceID) return TCellEditor::IDText;
  return TCellEditor::Text;
}

std::vector<TPickItem> TServiceGridTable::PickList(int column) const {
  if (column == kVisible)
    return {{Utf8ToUtf16(editor_.Messages().Text(EditorMsg::strsNotVisible)), 0},
            {Utf8ToUtf16(editor_.Messages().Text(EditorMsg::strsVisible)), 1}};
  if (column != kChannelList) return {};
  std::vector<TPickItem> items;
  for (const auto& list : editor_.ChannelList()) {
    std::u16string text = ChannelListEntryText(*list);
    items.push_back({text, ChannelListIDFromText(text)});
  }
  return items;
}

std::u16string TServiceGridTable::Text(size_t record, int column) {
  TServiceData* s = Service(record);
  if (!s) return {};
  switch (column) {
    case kName: return ServiceNameText(s->ServiceName());
    case kServiceID: return IDText(s->ServiceID());
    case kVisible:
      return Utf8ToUtf16(editor_.Messages().Text(s->Visible() ? EditorMsg::strsVisible : EditorMsg::strsNotVisible));
    case kLCN: return Utf8ToUtf16(std::to_string(s->LogicalNumber()));
    case kHDLCN: return Utf8ToUtf16(std::to_string(s->HDSimulLogicalNumber()));
    case kChannelList: return ChannelListCellText(*s, editor_.ChannelList());
  }
  return {};
}

int TServiceGridTable::ImageIndex(size_t record, int column) const {
  const TServiceData* s = Service(record);
  if (!s || column != kName) return kImageNone;
  return ServiceImageIndex(s->ServiceType(), s->Visible());
}

bool TServiceGridTable::Editable(size_t record, int column) const {
  const TServiceData* s = Service(record);
  if (!s) return false;
  return s->Auto() == 0 || (column != kName && column != kServiceID);
}

bool TServiceGridTable::StoreText(size_t record, int column, std::u16string_view text) {
  TServiceData* s = Service(record);
  if (!s) return false;
  auto refuse = [this](EditorMsg msg) {
    Dialogs().Show(DialogKind::Message, editor_.Messages().Text(msg));
    return false;
  };
  switch (column) {
    case kName: {
      const std::u16string name(text);
      s->SetServiceName(name);
      s->SetOrgServiceName(WideToCp1252(name));
      s->SetOrgServiceNameUni(name);
      break;
    }
    case kServiceID: {
      std::optional<uint16_t> id = ParseIDText(text);
      if (!id) return refuse(EditorMsg::strsInvalidSID);
      if (*id == s->ServiceID()) return false;
      s->SetServiceID(*id);
      break;
    }
    case kLCN:
    case kHDLCN: {
      std::optional<int32_t> nr = ParseLCNText(text);
      if (!nr) return refuse(EditorMsg::strsInvalidNr);
      const int32_t old = column == kLCN ? s->LogicalNumber() : s->HDSimulLogicalNumber();
      if (*nr == old) return false;
      if (column == kLCN) s->SetLogicalNumber(*nr);
      else s->SetHDSimulLogicalNumber(*nr);
      break;
    }
    default: return false;
  }
  editor_.SetModified();
  return true;
}

bool TServiceGridTable::StoreCode(size_t record, int column, int32_t code) {
  TServiceData* s = Service(record);
  if (!s) return false;
  if (column == kVisible) {
    if ((code != 0) == s->Visible()) return false;
    s->SetVisible(code != 0);
  } else if (column == kChannelList) {
    if (code == s->ChannelListID()) return false;
    s->SetChannelListID(code);
  } else {
    return false;
  }
  editor_.SetModified();
  return true;
}

int TServiceGridTable::Compare(size_t a, size_t b, int column) const {
  const TServiceData* x = Service(a);
  const TServiceData* y = Service(b);
  if (!x || !y) return 0;
  switch (column) {
    case kName: return CompareServiceNames(x->ServiceName(), y->ServiceName());
    case kServiceID: return KeySign(x->ServiceID(), y->ServiceID());
    case kVisible: return KeySign(!x->Visible(), !y->Visible());  // visible first
    case kLCN: return KeySign(x->LogicalNumber(), y->LogicalNumber());
    case kHDLCN: return KeySign(x->HDSimulLogicalNumber(), y->HDSimulLogicalNumber());
    case kChannelList: return KeySign(x->ChannelListID(), y->ChannelListID());
  }
  return 0;
}

bool TServiceGridTable::IsNone(size_t record, int column) const {
  const TServiceData* s = Service(record);
  if (!s) return false;
  switch (column) {
    case kLCN: return s->LogicalNumber() == -1;
    case kHDLCN: return s->HDSimulLogicalNumber() == -1;
    case kChannelList: return s->ChannelListID() == -1;
  }
  return false;
}

}  // namespace quillon
