#pragma once
// The rules of the editor's pages that are not the project's own: which buttons of the
// NIT-Editor page work for the focused rows, the service-type presets for new services,
// and what the export button does for each target.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/nit_editor.h"

namespace quillon {

// ---- service-type presets

enum class TServicePreset { None, TV, Radio, Data, Other };

// The service types offered by "Andere:", in list order.
const std::vector<uint8_t>& OtherServiceTypes();
// "0x01 Digital Television Service": the code, then the type's name.
std::u16string OtherServiceTypeText(uint8_t serviceType);
// The type a new service gets; `otherType` counts only for TServicePreset::Other.
uint8_t SelectedServiceType(TServicePreset preset, uint8_t otherType);

// ---- add and delete on the NIT-Editor page
// Rows are named by record index; -1 is "no row focused".

struct TEditButtons {
  bool AddStream = true;  // always
  bool DeleteStream = false;
  bool AddService = false;
  bool DeleteService = false;
};

TEditButtons EditButtons(const TNitEditor& editor, int32_t focusedStream);

// Appends a service of `serviceType` to the focused stream; nothing without one.
std::optional<size_t> AddServiceToFocused(TNitEditor& editor, int32_t focusedStream, uint8_t serviceType);
// Without a focused row these show strsNoDelEntrySelected as an error box and return
// false. A service delete without a focused stream does nothing at all.
bool DeleteFocusedStream(TNitEditor& editor, int32_t focusedStream);
bool DeleteFocusedService(TNitEditor& editor, int32_t focusedStream, int32_t focusedService);

// ---- export

// A modulator target uploads to the address field, which is then shown, and the
// button says "Transmit" instead of "Export".
inline bool IsModulatorTarget(TExportTarget target) { return target != TExportTarget::Brava; }

}  // namespace quillon
