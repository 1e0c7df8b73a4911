#include "editor/stream_grid.h"

#include <cmath>
#include <initializer_list>
#include <iterator>
#include <span>
#include <vector>

#include "editor/cell_rules.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "vocabulary/number_text.h"
#include "vocabulary/si_values.h"

namespace quillon {

namespace {

enum class TFieldKind { ID, Decimal, Byte, Code };

// Every field of a grid column read and written as a number; the column's kind decides
// how it is shown, typed and compared.
using TGetter = long double (*)(const TTransportStreamData&);
using TSetter = void (*)(TTransportStreamData&, long double);

template <class R, class V, V (R::*G)() const, void (R::*S)(V)>
struct Field {
  static long double Get(const TTransportStreamData& r) { return static_cast<long double>((static_cast<const R&>(r).*G)()); }
  static void Set(TTransportStreamData& r, long double v) { (static_cast<R&>(r).*S)(static_cast<V>(v)); }
};

using TS = TTransportStreamData;
using CD = TCableDescrData;
using TD = TTerrestrialDescrData;
using TSIDField = Field<TS, uint16_t, &TS::TSID, &TS::SetTSID>;
using NetIDField = Field<TS, uint16_t, &TS::NetID, &TS::SetNetID>;
using OrgNetIDField = Field<TS, uint16_t, &TS::OrgNetID, &TS::SetOrgNetID>;
using FreqField = Field<TS, long double, &TS::Freq, &TS::SetFreq>;

}  // namespace

struct TStreamGridTable::Column {
  const char16_t* Header;
  TFieldKind Kind;
  bool Sortable;
  TGetter Get;
  TSetter Set;
  // Pick-list columns: codes 0..Last; choosing an entry stores the code its text names.
  std::u16string (*CodeText)(uint8_t) = nullptr;
  uint8_t (*CodeValue)(std::u16string_view) = nullptr;
  uint8_t Last = 0;
};

namespace {

using Column = TStreamGridTable::Column;

template <class R, uint8_t (R::*G)() const, void (R::*S)(uint8_t)>
Column CodeColumn(const char16_t* header, bool sortable, std::u16string (*text)(uint8_t),
                  uint8_t (*value)(std::u16string_view), uint8_t last) {
  using F = Field<R, uint8_t, G, S>;
  return {header, TFieldKind::Code, sortable, F::Get, F::Set, text, value, last};
}

template <class R, uint8_t (R::*G)() const, void (R::*S)(uint8_t)>
Column ByteColumn(const char16_t* header) {
  using F = Field<R, uint8_t, G, S>;
  return {header, TFieldKind::Byte, false, F::Get, F::Set};
}

const Column kHead[] = {
    {u"TS-ID", TFieldKind::ID, true, TSIDField::Get, TSIDField::Set},
    {u"Net-ID", TFieldKind::ID, false, NetIDField::Get, NetIDField::Set},
    {u"Org ID", TFieldKind::ID, true, OrgNetIDField::Get, OrgNetIDField::Set},
    {u"Frequenz", TFieldKind::Decimal, true, FreqField::Get, FreqField::Set},
};

// The four columns both grids begin with, then the grid's own.
std::vector<Column> WithHead(std::initializer_list<Column> own) {
  std::vector<Column> all(std::begin(kHead), std::end(kHead));
  all.insert(all.end(), own);
  return all;
}

const std::vector<Column> kCable = WithHead({
    CodeColumn<CD, &CD::FECOut, &CD::SetFECOut>(u"FEC Outer", false, OuterFecText, OuterFecValue, 2),
    CodeColumn<CD, &CD::Modu, &CD::SetModu>(u"Modulation", true, CableModulationText, CableModulationValue, 5),
    {u"Symbolrate", TFieldKind::Decimal, true, Field<CD, long double, &CD::SymbRate, &CD::SetSymbRate>::Get,
     Field<CD, long double, &CD::SymbRate, &CD::SetSymbRate>::Set},
    CodeColumn<CD, &CD::FECIn, &CD::SetFECIn>(u"FEC Inner", false, InnerFecText, InnerFecValue, 15),
});

const std::vector<Column> kTerrestrial = WithHead({
    CodeColumn<TD, &TD::BandWidth, &TD::SetBandWidth>(u"Bandbreite", false, BandwidthText, BandwidthValue, 3),
    CodeColumn<TD, &TD::Priority, &TD::SetPriority>(u"Priorität", false, PriorityText, PriorityValue, 1),
    ByteColumn<TD, &TD::TimeSliceIndicator, &TD::SetTimeSliceIndicator>(u"TSI"),
    ByteColumn<TD, &TD::MpeFecIndictor, &TD::SetMpeFecIndictor>(u"MFI"),
    CodeColumn<TD, &TD::Constellation, &TD::SetConstellation>(u"Konstellation", false, ConstellationText,
                                                              ConstellationValue, 2),
    CodeColumn<TD, &TD::Hierarchy, &TD::SetHierarchy>(u"Hierarchie", false, HierarchyInfoText, HierarchyInfoValue, 3),
    CodeColumn<TD, &TD::HPCodeRate, &TD::SetHPCodeRate>(u"HP Code Rate", false, CodeRateText, CodeRateValue, 4),
    CodeColumn<TD, &TD::LPCodeRate, &TD::SetLPCodeRate>(u"LP Code Rate", false, CodeRateText, CodeRateValue, 4),
    CodeColumn<TD, &TD::GuardInterval, &TD::SetGuardInterval>(u"Guard Int.", false, GuardIntervalText,
                                                              GuardIntervalValue, 3),
    CodeColumn<TD, &TD::Mode, &TD::SetMode>(u"TransMode", false, TransmissionModeText, TransmissionModeValue, 2),
});

std::span<const Column> Columns(TNetworkType type) {
  if (type == TNetworkType::Terrestrial) return kTerrestrial;
  return kCable;
}

// Shows why a text was refused; false, for the edit that stored nothing.
bool Refuse(DialogKind kind, const TNitEditor& editor, EditorMsg msg) {
  Dialogs().Show(kind, editor.Messages().Text(msg));
  return false;
}

}  // namespace

TStreamGridTable::TStreamGridTable(TNitEditor& editor, TNetworkType type) : editor_(editor), type_(type) {}

const TStreamGridTable::Column* TStreamGridTable::Col(int column) const {
  std::span<const Column> cols = Columns(type_);
  return column >= 0 && static_cast<size_t>(column) < cols.size() ? &cols[static_cast<size_t>(column)] : nullptr;
}

TTransportStreamData* TStreamGridTable::Record(size_t record) const {
  return editor_.NetworkType() == type_ ? editor_.Stream(record) : nullptr;
}

int TStreamGridTable::ColumnCount() const { return static_cast<int>(Columns(type_).size()); }

std::u16string TStreamGridTable::Header(int column) const {
  const Column* c = Col(column);
  return c ? c->Header : u"";
}

TCellEditor TStreamGridTable::Editor(int column) const {
  const Column* c = Col(column);
  if (c && c->Kind == TFieldKind::Code) return TCellEditor::PickList;
  if (c && c->Kind == TFieldKind::ID) return TCellEditor::IDText;
  return TCellEditor::Text;
}

std::vector<TPickItem> TStreamGridTable::PickList(int column) const {
  const Column* c = Col(column);
  if (!c || c->Kind != TFieldKind::Code) return {};
  std::vector<TPickItem> items;
  for (const std::u16string& text : PickListTexts(c->CodeText, c->Last)) items.push_back({text, c->CodeValue(text)});
  return items;
}

size_t TStreamGridTable::RowCount() const { return editor_.NetworkType() == type_ ? editor_.RowOrder().size() : 0; }

size_t TStreamGridTable::RecordAt(size_t row) const { return static_cast<size_t>(editor_.RowOrder().at(row)); }

int TStreamGridTable::RowOfRecord(size_t record) const {
  for (size_t row = 0; row < RowCount(); ++row)
    if (RecordAt(row) == record) return static_cast<int>(row);
  return -1;
}

std::u16string TStreamGridTable::Text(size_t record, int column) {
  const TTransportStreamData* r = Record(record);
  const Column* c = Col(column);
  if (!r || !c) return {};
  const long double v = c->Get(*r);
  switch (c->Kind) {
    case TFieldKind::ID: return IDText(static_cast<uint16_t>(v));
    case TFieldKind::Decimal: return DecimalText(static_cast<double>(v), 3);
    case TFieldKind::Byte: return Utf8ToUtf16(std::to_string(static_cast<int>(v)));
    case TFieldKind::Code: return c->CodeText(static_cast<uint8_t>(v));
  }
  return {};
}

bool TStreamGridTable::StoreText(size_t record, int column, std::u16string_view text) {
  TTransportStreamData* r = Record(record);
  const Column* c = Col(column);
  if (!r || !c) return false;
  long double v = 0;
  switch (c->Kind) {
    case TFieldKind::ID: {
      std::optional<uint16_t> id = ParseIDText(text);
      if (!id) return Refuse(DialogKind::Message, editor_, EditorMsg::strsInvalidPID);
      v = *id;
      break;
    }
    case TFieldKind::Decimal: {
      std::optional<long double> d = ParseDecimalText(text, DecimalSeparator());
      if (!d) return Refuse(DialogKind::ErrorOk, editor_, EditorMsg::strsInvalidNumber);
      v = *d;
      break;
    }
    case TFieldKind::Byte: {
      TByteResult b = ParseByteText(text);
      if (b.Status == TByteParse::NotANumber) return Refuse(DialogKind::ErrorOk, editor_, EditorMsg::strsInvalidNumber);
      if (b.Status == TByteParse::OutOfRange) return Refuse(DialogKind::ErrorOk, editor_, EditorMsg::strsInvalidByte);
      v = b.Value;
      break;
    }
    case TFieldKind::Code: return false;
  }
  if (v == c->Get(*r)) return false;
  c->Set(*r, v);
  editor_.SetModified();
  return true;
}

bool TStreamGridTable::StoreCode(size_t record, int column, int32_t code) {
  TTransportStreamData* r = Record(record);
  const Column* c = Col(column);
  if (!r || !c || static_cast<long double>(code) == c->Get(*r)) return false;
  c->Set(*r, code);
  editor_.SetModified();
  return true;
}

bool TStreamGridTable::Sortable(int column) const {
  const Column* c = Col(column);
  return c && c->Sortable;
}

void TStreamGridTable::SetOrder(std::vector<int32_t> order) {
  if (editor_.NetworkType() != type_) return;
  editor_.SetRowOrder(std::move(order));
  editor_.SetModified();
}

int TStreamGridTable::Compare(size_t a, size_t b, int column) const {
  const TTransportStreamData* x = Record(a);
  const TTransportStreamData* y = Record(b);
  const Column* c = Col(column);
  if (!x || !y || !c) return 0;
  const long double vx = c->Get(*x), vy = c->Get(*y);
  // Frequencies and symbol rates compare by their difference rounded to a whole number
  // (ties to even), so values less than half a unit apart are equal.
  if (c->Kind == TFieldKind::Decimal) return KeySign(std::nearbyint(vx - vy), 0.0L);
  return KeySign(vx, vy);
}

}  // namespace quillon
