#pragma once
// Files as the program reads and writes them. Whole-file reads take only regular files
// and refuse anything beyond a stated size before they allocate; inputs meant to stream
// (captures) also take pipes and standard input; every output is written to a fresh
// file beside the target and renamed over it, so a failure leaves the old file whole.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "platform/bytes.h"
#include "platform/message_table.h"

namespace quillon {

// The texts of the file and stream errors, with their German defaults. A file error is
// CannotOpen/Read/Write/FollowLink with the file and a reason: the system's, or one of
// the reasons below.
enum class FileMsg {
  CannotOpen,
  CannotRead,
  CannotWrite,
  CannotFollowLink,
  NotAFile,  // the kind, one of the five below
  KindFolder,
  KindFifo,
  KindDevice,
  KindSocket,
  KindOther,
  TooLarge,  // its size and the limit
  NoMemory,  // its size
  OpenedForReading,
  EndsEarly,      // bytes wanted, offset
  NegativeCount,  // what is counted, the count, offset
  CountExceeds,   // what is counted, the count, offset, bytes left
  StringLength,
  StandardInput,
};

inline constexpr TMessageRow<FileMsg> kFileMessageRows[] = {
    {FileMsg::CannotOpen, "CannotOpen", "„%s“ kann nicht geöffnet werden: %s."},
    {FileMsg::CannotRead, "CannotRead", "„%s“ kann nicht gelesen werden: %s."},
    {FileMsg::CannotWrite, "CannotWrite", "„%s“ kann nicht geschrieben werden: %s."},
    {FileMsg::CannotFollowLink, "CannotFollowLink", "Der Verknüpfung „%s“ kann nicht gefolgt werden: %s."},
    {FileMsg::NotAFile, "NotAFile", "es ist %s, keine Datei"},
    {FileMsg::KindFolder, "KindFolder", "ein Ordner"},
    {FileMsg::KindFifo, "KindFifo", "ein FIFO"},
    {FileMsg::KindDevice, "KindDevice", "ein Gerät"},
    {FileMsg::KindSocket, "KindSocket", "ein Socket"},
    {FileMsg::KindOther, "KindOther", "keine gewöhnliche Datei"},
    {FileMsg::TooLarge, "TooLarge", "sie hat %llu Byte, mehr als die %llu Byte, die eine solche Datei haben darf"},
    {FileMsg::NoMemory, "NoMemory", "nicht genug Arbeitsspeicher für ihre %llu Byte"},
    {FileMsg::OpenedForReading, "OpenedForReading", "sie wurde zum Lesen geöffnet"},
    {FileMsg::EndsEarly, "EndsEarly", "Die Daten enden zu früh: %zu Byte werden bei Offset %llu gebraucht."},
    {FileMsg::NegativeCount, "NegativeCount", "Beschädigte Daten: „%s“-Anzahl %d bei Offset %llu ist negativ."},
    {FileMsg::CountExceeds, "CountExceeds",
     "Beschädigte Daten: „%s“-Anzahl %d bei Offset %llu übersteigt die restlichen %llu Byte."},
    {FileMsg::StringLength, "StringLength", "Textlänge"},
    {FileMsg::StandardInput, "StandardInput", "Standardeingabe"},
};
using TFileMessages = TMessageTable<FileMsg, kFileMessageRows>;

// The file texts in the active language (window "TFiles" of the language file).
const TFileMessages& FileMessages();

// The largest whole files the program reads: projects (.nip, .json) and head-end files.
inline constexpr uint64_t kMaxWholeFileBytes = uint64_t{64} << 20;
// Settings, language and table files (INI text).
inline constexpr uint64_t kMaxIniFileBytes = uint64_t{16} << 20;

// The whole of a regular file of at most `limit` bytes. Throws StreamError naming the
// file and the reason: missing, not a regular file (folder, FIFO, device), larger than
// `limit`, not enough memory, a read error. Never waits for a FIFO's writer.
Bytes ReadFileBytes(const std::filesystem::path& path, uint64_t limit = kMaxWholeFileBytes);

// Replaces `path` with `data`: a new file made with O_EXCL under a unique name in the
// target's folder (mode of the old file, else 0666 less the umask), written, flushed to
// the disk and renamed over the target. On any failure the new file is removed and the
// old target is untouched. A symbolic link keeps pointing where it did: the file it
// leads to is replaced. A target that exists but is no regular file is refused. Throws
// StreamError naming the target and the reason.
void WriteFileBytes(const std::filesystem::path& path, ByteView data);

// The file `path` names once every symbolic link on the way to it is followed (a
// dangling link gives the name it points to). Throws StreamError for a loop of links.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

// True when both paths name one existing file, through links, other spellings or hard
// links. Never throws.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// A read-only descriptor of a regular file (close it when done). Throws StreamError
// naming the file and the reason, a folder, FIFO or device included.
int OpenRegularFile(const std::filesystem::path& path);

// An input read front to back: a regular file or a FIFO (waiting for its writer, as a
// pipe's reader does), or standard input for the name "-". Folders, devices and sockets
// are refused.
class TInputFile {
 public:
  // Throws StreamError naming the file and the reason.
  explicit TInputFile(const std::filesystem::path& path);
  ~TInputFile();
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;

  // Up to n bytes; 0 at the end. Throws StreamError on a read error.
  size_t Read(void* buffer, size_t n);
  // The next piece of up to kPieceBytes in a buffer of the input's own, valid until the
  // next call; empty at the end. The buffer is page-aligned: the system copies into it
  // about twice as fast as into an arbitrary address.
  static constexpr size_t kPieceBytes = size_t{1} << 20;
  std::span<uint8_t> ReadPiece();
  // The name for messages ("-" is "standard input").
  const std::string& Name() const { return name_; }

 private:
  struct AlignedFree {
    void operator()(uint8_t* p) const;
  };
  int fd_ = -1;
  bool owned_ = false;
  bool fifo_ = false;
  std::string name_;
  std::unique_ptr<uint8_t[], AlignedFree> piece_;
};

// "-": the name of standard input for an input argument.
bool IsStandardStream(const std::filesystem::path& path);

}  // namespace quillon
