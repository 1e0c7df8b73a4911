// The export of the built NIT: a scrambled packet file for the compact head-end, or a
// TFTP upload of padded packets to a modulator channel.
#include <system_error>

#include "core/rpages.h"
#include "editor/nit_editor.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"
#include "tftp/tftp_client.h"

namespace quillon {

namespace {

// The address field's empty value: no modulator chosen yet.
constexpr const char* kNoAddress = "0.0.0.0";
constexpr uint8_t kBlockPadding = 0xFF;

// The packets of table 0. The head-end and the modulator count packets in one byte.
RawString ExportPackets(const TNIT& nit) {
  RawString packets = BuildTablePackets(*nit.Actual());
  const size_t k = packets.size() / RPAGE_LEN;
  if (k > static_cast<size_t>(kMaxExportPackets))
    throw QuillonError(Format(EditorMessages().CText(EditorMsg::strsTooManyPackets), k, kMaxExportPackets));
  return packets;
}

// Removes the upload file however the transfer ends: it only exists to be sent.
struct RemoveAtEnd {
  std::filesystem::path path;
  ~RemoveAtEnd() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

}  // namespace

Bytes TNitEditor::ScrambleExport(ByteView bytes) {
  Bytes out(bytes.begin(), bytes.end());
  ScrambleExport(out, 0);
  return out;
}

void TNitEditor::ScrambleExport(std::span<uint8_t> bytes, uint64_t offset) {
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] ^= static_cast<uint8_t>(kExportKey >> (24 - 8 * ((offset + i) % 4)));
}

bool TNitEditor::ExportNITFile(const std::filesystem::path& fileName) {
  if (fileName.empty()) return false;
  const RawString packets = ExportPackets(nit_);
  // No sections (a stopped build): a file without packets is no export.
  if (packets.empty()) return false;
  WriteFileBytes(fileName, ScrambleExport(AsBytes(packets)));
  return true;
}

bool TNitEditor::TransmitNIT(const std::filesystem::path& folder, const std::string& remoteName) {
  lastUploadConfirmed_ = false;
  if (folder.empty() || modulatorAddress_ == kNoAddress) return false;
  const RawString packets = ExportPackets(nit_);
  if (packets.empty()) return false;

  Bytes blocks;
  blocks.reserve(packets.size() / RPAGE_LEN * kUploadBlock);
  for (size_t p = 0; p < packets.size(); p += RPAGE_LEN) {
    blocks.insert(blocks.end(), packets.begin() + static_cast<std::ptrdiff_t>(p),
                  packets.begin() + static_cast<std::ptrdiff_t>(p + RPAGE_LEN));
    blocks.insert(blocks.end(), kUploadBlock - RPAGE_LEN, kBlockPadding);
  }
  const RemoveAtEnd upload{folder / kUploadFileName};
  WriteFileBytes(upload.path, blocks);

  TTftpClient client(SocketFactory ? SocketFactory : TSocketFactory([] { return std::make_unique<TUdpSocket>(); }));
  client.SetHost(modulatorAddress_);
  client.SetPort(TftpPort);
  client.SetMode(TftpMode::Octet);
  client.SetReceiveTimeout(TftpTimeoutMs);
  auto status = [this](const std::string& text) {
    if (StatusProc) StatusProc(text);
  };
  client.SetOnConnected([this, status] { status(Messages().Text(EditorMsg::strsConnected)); });
  client.SetOnDisconnected([this, status] { status(Messages().Text(EditorMsg::strsDisconnected)); });
  client.SetOnStatus(status);
  client.Activate();
  lastUploadConfirmed_ = client.Put(upload.path, remoteName) == TftpPutResult::Confirmed;
  client.Deactivate();
  return true;
}

void TNitEditor::ExportNIT(const std::function<std::optional<std::filesystem::path>()>& askFileName) {
  std::string status;
  auto result = [this](bool ok) { return Messages().Text(ok ? EditorMsg::strsExportOK : EditorMsg::strsExportError); };
  if (!CreateNITTable()) {
    // Stopped by a limit, by the user or by a value: nothing of it leaves the editor.
    status = result(false);
  } else {
    try {
      std::filesystem::create_directories(paths_.DataFolder());
      if (exportTarget_ == TExportTarget::Brava) {
        if (std::optional<std::filesystem::path> name = askFileName ? askFileName() : std::nullopt)
          status = result(ExportNITFile(*name));
      } else {
        const bool sent = TransmitNIT(paths_.DataFolder(), exportTarget_ == TExportTarget::MerloA ? "nit_a" : "nit_b");
        status = sent && !lastUploadConfirmed_ ? Messages().Text(EditorMsg::strsExportUnconfirmed) : result(sent);
      }
    } catch (const std::exception&) {
      status += Messages().Text(EditorMsg::strsExportException);
    }
  }
  if (StatusProc) StatusProc(status);
}

}  // namespace quillon
