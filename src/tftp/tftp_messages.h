#pragma once
// Every text of the upload client a user can see, in one table: the language layer can
// replace them at run time through TTftpClient::Messages().
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
    {TftpMsg::FileNotFound, "TftpFileNotFound", "File not found"},
    {TftpMsg::AccessViolation, "TftpAccessViolation", "Access violation"},
    {TftpMsg::AllocationExceeded, "TftpAllocationExceeded", "Disk full or allocation exceeded"},
    {TftpMsg::IllegalOperation, "TftpIllegalOperation", "Illegal TFTP operation"},
    {TftpMsg::UnknownTransferId, "TftpUnknownTransferId", "Unknown transfer ID"},
    {TftpMsg::FileAlreadyExists, "TftpFileAlreadyExists", "File already exists"},
    {TftpMsg::NoSuchUser, "TftpNoSuchUser", "No such user"},
    {TftpMsg::OptionNegotiationFailed, "TftpOptionNegotiationFailed", "Option negotiation failed"},
    {TftpMsg::ServerErrorCode, "TftpServerErrorCode", "TFTP error %u"},
    {TftpMsg::MalformedError, "TftpMalformedError", "Malformed ERROR packet from %s:%u"},
    {TftpMsg::MalformedPacket, "TftpMalformedPacket", "Malformed packet (opcode %u, %zu bytes) from %s:%u"},
    {TftpMsg::UnexpectedOperation, "TftpUnexpectedOperation", "Unerwartete Operation von %s:%u"},
    {TftpMsg::TooManyBlocks, "TftpTooManyBlocks",
     "Allocation exceeded: the file needs more than 65535 blocks of %u bytes"},
    // Both refusals go to the server as well, as 8-bit text.
    {TftpMsg::UnsupportedOptionValue, "TftpUnsupportedOptionValue",
     "Nicht unterstützter Wert \"%s\" für Option: \"%s\""},
    {TftpMsg::UnsupportedOption, "TftpUnsupportedOption", "Nicht unterstützte Option: \"%s\""},
    {TftpMsg::NoAnswer, "TftpNoAnswer",
     "Zeitüberschreitung: %s:%u hat die Schreibanfrage für „%s“ nicht beantwortet. Bitte Adresse und Port des "
     "Modulators und die Verbindung zu ihm prüfen."},
    {TftpMsg::BlockNotConfirmed, "TftpBlockNotConfirmed",
     "Zeitüberschreitung: %s:%u hat Block %u von %zu für „%s“ nicht bestätigt; die Übertragung ist fehlgeschlagen. "
     "Bitte erneut senden."},
    {TftpMsg::LocalFolder, "TftpLocalFolder", "Cannot read \"%s\": it is a folder."},
    {TftpMsg::BlockSizeRange, "TftpBlockSizeRange", "Block size %u is outside %u..%u."},
    {TftpMsg::BadRemoteName, "TftpBadRemoteName", "Invalid remote file name \"%s\"."},
    {TftpMsg::Sending, "TftpSending", "Sending \"%s\" (%zu bytes) to %s:%u"},
    {TftpMsg::Complete, "TftpComplete", "Transfer of \"%s\" complete"},
    {TftpMsg::CompleteLastBlockUnconfirmed, "TftpCompleteLastBlockUnconfirmed",
     "Transfer of \"%s\" complete (last block not acknowledged)"},
};
using TTftpMessages = TMessageTable<TftpMsg, kTftpMessageRows>;

}  // namespace quillon
