#include "editor/edit_page.h"

#include "platform/dialogs.h"
#include "platform/text.h"
#include "vocabulary/si_values.h"

namespace quillon {

const std::vector<uint8_t>& OtherServiceTypes() {
  static const std::vector<uint8_t> types{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x0A, 0x0B, 0x0C, 0x0D,
                                          0x0E, 0x0F, 0x10, 0x11, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B};
  return types;
}

std::u16string OtherServiceTypeText(uint8_t serviceType) {
  return Utf8ToUtf16(Format("0x%02X ", serviceType)) + ServiceTypeText(serviceType);
}

uint8_t SelectedServiceType(TServicePreset preset, uint8_t otherType) {
  switch (preset) {
    case TServicePreset::Radio: return 0x02;
    case TServicePreset::Data: return 0x0C;
    case TServicePreset::Other: return otherType;
    case TServicePreset::TV:
    case TServicePreset::None: break;
  }
  return 0x01;
}

namespace {
const TTransportStreamData* Focused(const TNitEditor& editor, int32_t focusedStream) {
  return focusedStream < 0 ? nullptr : editor.Stream(static_cast<size_t>(focusedStream));
}

void NoEntrySelected(const TNitEditor& editor) {
  Dialogs().Show(DialogKind::ErrorCancel, editor.Messages().Text(EditorMsg::strsNoDelEntrySelected));
}
}  // namespace

TEditButtons EditButtons(const TNitEditor& editor, int32_t focusedStream) {
  TEditButtons b;
  if (const TTransportStreamData* s = Focused(editor, focusedStream)) {
    b.DeleteStream = true;
    b.AddService = true;
    b.DeleteService = !s->ServiceList().empty();
  }
  return b;
}

std::optional<size_t> AddServiceToFocused(TNitEditor& editor, int32_t focusedStream, uint8_t serviceType) {
  if (!Focused(editor, focusedStream)) return std::nullopt;
  return editor.AddService(static_cast<size_t>(focusedStream), serviceType);
}

bool DeleteFocusedStream(TNitEditor& editor, int32_t focusedStream) {
  if (!Focused(editor, focusedStream)) {
    NoEntrySelected(editor);
    return false;
  }
  editor.DeleteStream(static_cast<size_t>(focusedStream));
  return true;
}

bool DeleteFocusedService(TNitEditor& editor, int32_t focusedStream, int32_t focusedService) {
  const TTransportStreamData* s = Focused(editor, focusedStream);
  if (!s) return false;
  if (focusedService < 0 || static_cast<size_t>(focusedService) >= s->ServiceList().size()) {
    NoEntrySelected(editor);
    return false;
  }
  editor.DeleteService(static_cast<size_t>(focusedStream), static_cast<size_t>(focusedService));
  return true;
}

}  // namespace quillon
