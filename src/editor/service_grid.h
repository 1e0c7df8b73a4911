#pragma once
// The services grid (vtServices): one row per service of the transport stream whose row
// has the focus. Its row order lives only on screen; the services keep their list order.
#include "editor/grid_table.h"
#include "editor/nit_editor.h"

namespace quillon {

class TServiceGridTable : public TGridTable {
 public:
  enum Col : int { kName = 0, kServiceID, kVisible, kLCN, kHDLCN, kChannelList, kColumnCount };

  explicit TServiceGridTable(TNitEditor& editor);

  // Shows the services of the stream with record index `stream` in list order (none for
  // -1). The sort state stays. The grid names its stream by index, so a stream deleted
  // before the next refill leaves it with fewer rows, never with a dangling record.
  void SetStream(int32_t stream);
  int32_t StreamRecord() const { return stream_; }
  // Keep the rows in step after a service was appended to or removed from the stream.
  void ServiceAppended();
  void ServiceRemoved(size_t record);

  int ColumnCount() const override { return kColumnCount; }
  std::u16string Header(int column) const override;
  TCellEditor Editor(int column) const override;
  // "Nein", "Ja" (the editor's texts); the channel lists as "12 - Sport" in list order.
  std::vector<TPickItem> PickList(int column) const override;

  // Rows past the stream's services (after a removal not yet reported) are not shown.
  size_t RowCount() const override;
  size_t RecordAt(size_t row) const override { return static_cast<size_t>(order_.at(row)); }

  // The channel-list cell tidies a service whose list is gone (ChannelListCellText).
  std::u16string Text(size_t record, int column) override;
  int ImageIndex(size_t record, int column) const override;
  // Name and service id only for services that were not acquired automatically.
  bool Editable(size_t record, int column) const override;
  bool Sortable(int column) const override { return column >= 0 && column < kColumnCount; }

 protected:
  // Accepted edits mark the editor modified. A name is stored as typed, also as the
  // original name in the 8-bit code page and in UTF-16. Refusals: strsInvalidSID,
  // strsInvalidNr.
  bool StoreText(size_t record, int column, std::u16string_view text) override;
  bool StoreCode(size_t record, int column, int32_t code) override;
  void SetOrder(std::vector<int32_t> order) override { order_ = std::move(order); }
  int Compare(size_t a, size_t b, int column) const override;
  bool IsNone(size_t record, int column) const override;

 private:
  TTransportStreamData* Stream() const;
  TServiceData* Service(size_t record) const;

  TNitEditor& editor_;
  int32_t stream_ = -1;
  std::vector<int32_t> order_;
};

}  // namespace quillon
