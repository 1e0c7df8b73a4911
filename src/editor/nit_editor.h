#pragma once
// The NIT editor without its widgets: everything of the open project (network settings,
// transport streams with their services, channel lists, the built NIT), the rules that
// change it, the NIT build, the export and the project block. The desktop panel binds its
// widgets to this object; the command-line tool drives it directly.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "nit/nit_table.h"
#include "platform/message_table.h"
#include "platform/paths.h"
#include "project/nit_data.h"
#include "project/nit_data_cable.h"
#include "project/nit_data_terrest.h"

namespace quillon {

class TStream;
class TDatagramSocket;

enum class TNetworkType : int32_t { Cable = 0, Terrestrial = 1 };
enum class TLcnVariant { EACEM, ITC, NorDigV1, NorDigV2 };
enum class TExportTarget { Brava, MerloA, MerloB };

// Message ids of the editor with their German defaults; the language layer replaces them.
// Their window in the language file is the editor panel's, "TTableEditFrame".
enum class EditorMsg {
  strsNoDelEntrySelected,
  strsVisible,
  strsNotVisible,
  strsInvalidPID,
  strsInvalidSID,
  strsInvalidNr,
  strsSrvListTooBig,
  strsNorDigTooBig,
  strsMldgDecServices,
  strsMldgNITFail,
  strsNoChList,
  strsExportOK,
  strsExportError,
  strsExportUnconfirmed,
  strsInvalidNumber,
  strsInvalidByte,
  strsConnected,
  strsDisconnected,
  strsExportException,
  strsTooManyPackets,
  strsStreamName,
  strsOutsideRange,
  strsFrequency,
  strsSymbolRate,
  strsCentreFrequency,
  strsFrequencyRange,
  strsSymbolRateRange,
  strsCentreFrequencyRange,
  strsNameTooLong,
  strsNameWideChar,
  strsNoMoreSections,
  strsListNameWideChar,
  strsNoStream,
  strsRowOrder,
};

inline constexpr TMessageRow<EditorMsg> kEditorMessageRows[] = {
    {EditorMsg::strsNoDelEntrySelected, "strsNoDelEntrySelected", "Kein Eintrag zum Löschen markiert!"},
    {EditorMsg::strsVisible, "strsVisible", "Ja"},
    {EditorMsg::strsNotVisible, "strsNotVisible", "Nein"},
    {EditorMsg::strsInvalidPID, "strsInvalidPID", "Eingegebene PID ist ungültig!"},
    {EditorMsg::strsInvalidSID, "strsInvalidSID", "Eingegebene Service-ID ist ungültig!"},
    {EditorMsg::strsInvalidNr, "strsInvalidNr", "Eingegebene Kanal-Nummer ist ungültig (0..16383)!"},
    {EditorMsg::strsSrvListTooBig, "strsSrvListTooBig", "Die Länge des ServiceList-Descriptors ist zu groß."},
    {EditorMsg::strsNorDigTooBig, "strsNorDigTooBig", "Die Länge des NorDig/EACEM-Descriptors ist zu groß."},
    {EditorMsg::strsMldgDecServices, "strsMldgDecServices", "Verringern Sie die Anzahl von Programmen im Transportstrom"},
    {EditorMsg::strsMldgNITFail, "strsMldgNITFail", "NIT kann nicht erstellt werden!"},
    {EditorMsg::strsNoChList, "strsNoChList", "Keine NorDigV2 Kanallisten vorhanden!\r\nTrotzdem fortsetzen?"},
    {EditorMsg::strsExportOK, "strsExportOK", "Exportieren der NIT beendet"},
    {EditorMsg::strsExportError, "strsExportError", "Fehler beim Exportieren der NIT"},
    // An upload of which every block but the last was confirmed: many modulators never
    // acknowledge the last one, so it counts as done, but not as confirmed.
    {EditorMsg::strsExportUnconfirmed, "strsExportUnconfirmed",
     "Exportieren der NIT beendet, aber der Modulator hat den letzten Block nicht bestätigt"},
    // Grid cells that take a number (frequency, symbol rate, TSI, MFI).
    {EditorMsg::strsInvalidNumber, "strsInvalidNumber", "Eingegebener Wert ist keine gültige Zahl!"},
    {EditorMsg::strsInvalidByte, "strsInvalidByte", "Eingegebener Wert ist ungültig (0..255)!"},
    // The upload's status line.
    {EditorMsg::strsConnected, "strsConnected", "Verbunden"},
    {EditorMsg::strsDisconnected, "strsDisconnected", "Getrennt"},
    {EditorMsg::strsExportException, "strsExportException", " -DEBUG: Ausnahme aufgetreten"},
    {EditorMsg::strsTooManyPackets, "strsTooManyPackets",
     "Die NIT braucht %zu Transportpakete; ein Export fasst höchstens %d."},
    // The build's limits: the stream (its position and TSID), then what does not fit.
    {EditorMsg::strsStreamName, "strsStreamName", "Transportstrom %zu (TSID %u)"},
    {EditorMsg::strsOutsideRange, "strsOutsideRange", "%s: %s %s %s liegt außerhalb von %s."},
    {EditorMsg::strsFrequency, "strsFrequency", "Die Frequenz"},
    {EditorMsg::strsSymbolRate, "strsSymbolRate", "Die Symbolrate"},
    {EditorMsg::strsCentreFrequency, "strsCentreFrequency", "Die Mittenfrequenz"},
    {EditorMsg::strsFrequencyRange, "strsFrequencyRange", "0 bis 7999,9999 MHz"},
    {EditorMsg::strsSymbolRateRange, "strsSymbolRateRange", "0 bis 999,9999 MSymbol/s"},
    {EditorMsg::strsCentreFrequencyRange, "strsCentreFrequencyRange", "0 bis 42949,67295 MHz"},
    {EditorMsg::strsNameTooLong, "strsNameTooLong",
     "Der Netzwerk-Name hat %zu Zeichen; übertragen lassen sich höchstens %zu."},
    {EditorMsg::strsNameWideChar, "strsNameWideChar",
     "Der Netzwerk-Name enthält das Zeichen U+%04X, das sich nicht als ein Byte übertragen lässt."},
    {EditorMsg::strsNoMoreSections, "strsNoMoreSections",
     "%s passt nicht mehr in die NIT: sie bräuchte mehr als %d Sections."},
    {EditorMsg::strsListNameWideChar, "strsListNameWideChar",
     "Der Name der Kanalliste %d enthält das Zeichen U+%04X, das sich nicht als ein Byte übertragen lässt."},
    {EditorMsg::strsNoStream, "strsNoStream", "Es gibt keinen Transportstrom %zu."},
    {EditorMsg::strsRowOrder, "strsRowOrder", "Die Zeilenfolge muss jeden der %zu Transportströme einmal nennen."},
};
using TEditorMessages = TMessageTable<EditorMsg, kEditorMessageRows>;

// In the active language: every editor and its panel show these.
const TEditorMessages& EditorMessages();

inline constexpr uint32_t kExportKey = 0x6D2E91C4;
inline constexpr int kMaxExportPackets = 255;
inline constexpr int kUploadBlock = 512;
inline constexpr const char* kUploadFileName = "Merlo.nit";
// The modulator's factory address, used when the settings file names none. The program
// never sends to it by itself: an upload needs an explicit user action.
inline constexpr const char* kDefaultModulatorAddress = "192.168.1.100";

class TNitEditor {
 public:
  using TCloseProc = std::function<void()>;
  using TStatusProc = std::function<void(const std::string& msg)>;
  using TSocketFactory = std::function<std::unique_ptr<TDatagramSocket>()>;

  // Reads "LastIP" of section "SETTINGS" of the settings file into the modulator address.
  explicit TNitEditor(TProgramPaths paths);
  // Writes the modulator address back to "LastIP" (unless StoreLastIPOnClose is off); a
  // failure is shown through the dialogs.
  ~TNitEditor();
  TNitEditor(const TNitEditor&) = delete;
  TNitEditor& operator=(const TNitEditor&) = delete;

  const TProgramPaths& Paths() const { return paths_; }
  const TEditorMessages& Messages() const { return EditorMessages(); }

  // ---- general page
  TNetworkType NetworkType() const { return networkType_; }
  // A different type discards every stream, service and channel list (and the NIT).
  void SetNetworkType(TNetworkType type);
  const std::u16string& NetworkName() const { return networkName_; }
  void SetNetworkName(const std::u16string& name);  // marks the field as user-modified
  uint16_t NetworkID() const { return networkId_; }
  void SetNetworkID(uint16_t id);  // marks the field as user-modified
  uint8_t VersionNumber() const { return version_; }
  void SetVersionNumber(uint8_t version);  // 0..31 (masked), marks the field as user-modified

  bool AddSLDs() const { return addSLDs_; }
  void SetAddSLDs(bool on);
  bool AddLCDs() const { return addLCDs_; }
  // Turning it off also turns the HD simulcast option off.
  void SetAddLCDs(bool on);
  bool AddHDSimulLCN() const { return addHDSimulLCN_; }
  bool AddHDSimulLCNEnabled() const { return addLCDs_; }
  // Ignored while logical channel descriptors are off.
  void SetAddHDSimulLCN(bool on);
  TLcnVariant Variant() const { return variant_; }
  void SetVariant(TLcnVariant variant);

  // ---- records
  TCableEntryList& CableEntryList() { return cable_; }
  const TCableEntryList& CableEntryList() const { return cable_; }
  TTerrestEntryList& TerrestrialEntryList() { return terrest_; }
  const TTerrestEntryList& TerrestrialEntryList() const { return terrest_; }
  TChListDataList& ChannelList() { return chLists_; }
  const TChListDataList& ChannelList() const { return chLists_; }
  // The records of the current network type, as their shared base.
  size_t StreamCount() const;
  TTransportStreamData* Stream(size_t index);
  const TTransportStreamData* Stream(size_t index) const;

  // Appends a stream of the current type with the defaults of a new grid row; returns
  // its record index. The row goes to the end of the row order.
  size_t AddStream();
  // Removes a record (and its services); the row order follows.
  void DeleteStream(size_t index);
  // Appends a service (Ident of the stream, type `serviceType`); returns its index.
  size_t AddService(size_t streamIndex, uint8_t serviceType);
  void DeleteService(size_t streamIndex, size_t serviceIndex);

  // Display order of the transport-stream grid: record indexes, a permutation of
  // 0..StreamCount()-1. The NIT always keeps the list order.
  const std::vector<int32_t>& RowOrder() const { return rowOrder_; }
  // Throws QuillonError when `order` is not such a permutation.
  void SetRowOrder(std::vector<int32_t> order);
  // The selected row (record index) or -1; saved as the row's selected state.
  int32_t SelectedRow() const { return selectedRow_; }
  void SetSelectedRow(int32_t recordIndex);

  // ---- modified flag
  bool Modified() const;
  void SetModified() { modified_ = true; }
  void ResetModified();

  // ---- callbacks
  TCloseProc CloseProc;
  TStatusProc StatusProc;

  // ---- the NIT
  TNIT& NIT() { return nit_; }
  const TNIT& NIT() const { return nit_; }
  // Builds table 0 from the project (cable or terrestrial). False when a limit or the
  // user stopped it, or a value could not be represented; table 0 is then empty.
  bool CreateNITTable();

  // ---- export
  TExportTarget ExportTarget() const { return exportTarget_; }
  void SetExportTarget(TExportTarget target) { exportTarget_ = target; }
  const std::string& ModulatorAddress() const { return modulatorAddress_; }
  void SetModulatorAddress(const std::string& address) { modulatorAddress_ = address; }
  // TFTP settings for the upload; tests use their own port, time-out and sockets.
  uint16_t TftpPort = 69;
  int TftpTimeoutMs = 4000;
  TSocketFactory SocketFactory;  // empty: real UDP sockets
  // The desktop program remembers the modulator address for its next start; the
  // command-line tool takes it as an argument and leaves the settings file alone.
  bool StoreLastIPOnClose = true;

  static Bytes ScrambleExport(ByteView bytes);
  // The same in place for a piece of a longer run that starts `offset` bytes into it.
  static void ScrambleExport(std::span<uint8_t> bytes, uint64_t offset);
  // The export of the export button: builds, then writes or uploads; the result text
  // goes to StatusProc. `askFileName` stands for the save dialog (nullopt: cancelled).
  void ExportNIT(const std::function<std::optional<std::filesystem::path>()>& askFileName);
  bool ExportNITFile(const std::filesystem::path& fileName);
  bool TransmitNIT(const std::filesystem::path& folder, const std::string& remoteName);
  // After a TransmitNIT that returned true: whether the modulator confirmed the last block.
  bool LastUploadConfirmed() const { return lastUploadConfirmed_; }

  // ---- project block
  // Writes the block at the stream's position; clears the modified flag.
  bool SaveConfiguration(TStream* stream);
  // Reads the block. Throws StreamError (or QuillonError) on a damaged block; the
  // editor then keeps the project it had.
  bool LoadConfiguration(TStream* stream, int fileVer, int prgVer);

 private:
  bool CreateCableNIT();
  bool CreateTerrestrialNIT();
  void ClearAll();
  void StoreLastIP();

  TProgramPaths paths_;
  TNetworkType networkType_ = TNetworkType::Cable;
  std::u16string networkName_ = u"Zarem Network";
  uint16_t networkId_ = 0;
  uint8_t version_ = 1;
  bool addSLDs_ = false;
  bool addLCDs_ = false;
  bool addHDSimulLCN_ = false;
  TLcnVariant variant_ = TLcnVariant::EACEM;
  TCableEntryList cable_;
  TTerrestEntryList terrest_;
  TChListDataList chLists_;
  std::vector<int32_t> rowOrder_;
  int32_t selectedRow_ = -1;
  bool modified_ = false;
  bool fieldModified_ = false;  // one of the three entry fields was edited
  TNIT nit_;
  TExportTarget exportTarget_ = TExportTarget::Brava;
  std::string modulatorAddress_ = kDefaultModulatorAddress;
  bool lastUploadConfirmed_ = false;
};

}  // namespace quillon
