#pragma once
// Every text of the upload client a user can see, in one table. A client starts with the
// texts of the active language (TftpMessages); TTftpClient::Messages() may replace them.
#include "platform/message_table.h"

namespace quillon {

enum class TftpMsg {
  // The server's ERROR codes 1 to 8; code 0 and unknown codes are ServerErrorCode.
  FileNotFound,
  AccessViolation,
  AllocationExceeded,
  IllegalOperation,
  UnknownTransferId,
  FileAlreadyExists,
  NoSuchUser,
  OptionNegotiationFailed,
  ServerErrorCode,
  // Found by the client.
  MalformedError,
  MalformedPacket,
  UnexpectedOperation,
  TooManyBlocks,
  UnsupportedOptionValue,
  UnsupportedOption,
  NoAnswer,
  BlockNotConfirmed,
  LocalFolder,
  BlockSizeRange,
  BadRemoteName,
  // Status.
  Sending,
  Complete,
  CompleteLastBlockUnconfirmed,
};

inline constexpr TMessageRow<TftpMsg> kTftpMessageRows[] = {
    {TftpMsg::FileNotFound, "TftpFileNotFound", "Datei nicht gefunden"},
    {TftpMsg::AccessViolation, "TftpAccessViolation", "Zugriff verweigert"},
    {TftpMsg::AllocationExceeded, "TftpAllocationExceeded", "Datenträger voll oder Zuteilung überschritten"},
    {TftpMsg::IllegalOperation, "TftpIllegalOperation", "Unzulässige TFTP-Operation"},
    {TftpMsg::UnknownTransferId, "TftpUnknownTransferId", "Unbekannte Transfer-ID"},
    {TftpMsg::FileAlreadyExists, "TftpFileAlreadyExists", "Datei existiert bereits"},
    {TftpMsg::NoSuchUser, "TftpNoSuchUser", "Benutzer unbekannt"},
    {TftpMsg::OptionNegotiationFailed, "TftpOptionNegotiationFailed", "Aushandeln der Optionen fehlgeschlagen"},
    {TftpMsg::ServerErrorCode, "TftpServerErrorCode", "TFTP-Fehler %u"},
    {TftpMsg::MalformedError, "TftpMalformedError", "Fehlerhaftes ERROR-Paket von %s:%u"},
    {TftpMsg::MalformedPacket, "TftpMalformedPacket", "Fehlerhaftes Paket (Opcode %u, %zu Byte) von %s:%u"},
    {TftpMsg::UnexpectedOperation, "TftpUnexpectedOperation", "Unerwartete Operation von %s:%u"},
    {TftpMsg::TooManyBlocks, "TftpTooManyBlocks",
     "Zuteilung überschritten: die Datei braucht mehr als 65535 Blöcke zu %u Byte"},
    // Both refusals go to the server as well, as 8-bit text, and there always in German:
    // what a peer is sent does not change with the user's language.
    {TftpMsg::UnsupportedOptionValue, "TftpUnsupportedOptionValue",
     "Nicht unterstützter Wert \"%s\" für Option: \"%s\""},
    {TftpMsg::UnsupportedOption, "TftpUnsupportedOption", "Nicht unterstützte Option: \"%s\""},
    {TftpMsg::NoAnswer, "TftpNoAnswer",
     "Zeitüberschreitung: %s:%u hat die Schreibanfrage für „%s“ nicht beantwortet. Bitte Adresse und Port des "
     "Modulators und die Verbindung zu ihm prüfen."},
    {TftpMsg::BlockNotConfirmed, "TftpBlockNotConfirmed",
     "Zeitüberschreitung: %s:%u hat Block %u von %zu für „%s“ nicht bestätigt; die Übertragung ist fehlgeschlagen. "
     "Bitte erneut senden."},
    {TftpMsg::LocalFolder, "TftpLocalFolder", "„%s“ kann nicht gelesen werden: es ist ein Ordner."},
    {TftpMsg::BlockSizeRange, "TftpBlockSizeRange", "Die Blockgröße %u liegt außerhalb von %u..%u."},
    {TftpMsg::BadRemoteName, "TftpBadRemoteName", "Ungültiger Dateiname „%s“ für den Server."},
    {TftpMsg::Sending, "TftpSending", "Sende „%s“ (%zu Byte) an %s:%u"},
    {TftpMsg::Complete, "TftpComplete", "Übertragung von „%s“ abgeschlossen"},
    {TftpMsg::CompleteLastBlockUnconfirmed, "TftpCompleteLastBlockUnconfirmed",
     "Übertragung von „%s“ abgeschlossen (letzter Block nicht bestätigt)"},
};
using TTftpMessages = TMessageTable<TftpMsg, kTftpMessageRows>;

// In the active language (window "TTftpClient" of the language file).
const TTftpMessages& TftpMessages();

}  // namespace quillon
