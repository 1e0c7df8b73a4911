#include "platform/files.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <random>

#include "platform/errors.h"
#include "platform/language.h"
#include "platform/text.h"

namespace quillon {

namespace fs = std::filesystem;

namespace {

// Linux gives up after 40 links too.
constexpr int kMaxLinks = 40;
constexpr int kTempNameTries = 100;

const char* Text(FileMsg id) { return FileMessages().CText(id); }

[[noreturn]] void Fail(FileMsg action, const fs::path& path, const std::string& reason) {
  throw StreamError(Format(Text(action), path.c_str(), reason.c_str()));
}

[[noreturn]] void Fail(FileMsg action, const fs::path& path, int error) { Fail(action, path, std::strerror(error)); }

[[noreturn]] void FailWithErrno(FileMsg action, const fs::path& path) { Fail(action, path, errno); }

FileMsg KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return FileMsg::KindFolder;
  if (S_ISFIFO(mode)) return FileMsg::KindFifo;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileMsg::KindDevice;
  if (S_ISSOCK(mode)) return FileMsg::KindSocket;
  return FileMsg::KindOther;
}

[[noreturn]] void NotRegular(FileMsg action, const fs::path& path, mode_t mode) {
  Fail(action, path, Format(Text(FileMsg::NotAFile), Text(KindOf(mode))));
}

// Opens without waiting: a FIFO opened for reading would otherwise block until a writer
// comes. O_NONBLOCK means nothing for the reads of a regular file.
int OpenForReading(const fs::path& path, struct stat& st) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) FailWithErrno(FileMsg::CannotOpen, path);
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    Fail(FileMsg::CannotOpen, path, error);
  }
  return fd;
}

size_t ReadSome(int fd, void* buffer, size_t n, const std::string& name) {
  for (;;) {
    const ssize_t k = ::read(fd, buffer, n);
    if (k >= 0) return static_cast<size_t>(k);
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      // Standard input may come non-blocking from whoever started us.
      pollfd pfd{fd, POLLIN, 0};
      ::poll(&pfd, 1, -1);
    } else if (errno != EINTR) {
      Fail(FileMsg::CannotRead, name, errno);
    }
  }
}

struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

std::string TempName(const fs::path& target, std::mt19937_64& random) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string suffix(6, 'x');
  for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
  return "." + target.filename().string() + "." + suffix + ".tmp";
}

void WriteAll(int fd, ByteView data, const fs::path& temp) {
  for (size_t done = 0; done < data.size();) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FailWithErrno(FileMsg::CannotWrite, temp);
    if (n == 0) Fail(FileMsg::CannotWrite, temp, EIO);
    done += static_cast<size_t>(n);
  }
}

}  // namespace

const TFileMessages& FileMessages() { return ModuleMessages<TFileMessages>("TFiles"); }

int OpenRegularFile(const fs::path& path) {
  struct stat st {};
  const int fd = OpenForReading(path, st);
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    NotRegular(FileMsg::CannotRead, path, st.st_mode);
  }
  return fd;
}

Bytes ReadFileBytes(const fs::path& path, uint64_t limit) {
  struct stat st {};
  FdCloser file{OpenForReading(path, st)};
  if (!S_ISREG(st.st_mode)) NotRegular(FileMsg::CannotRead, path, st.st_mode);
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size > limit)
    Fail(FileMsg::CannotRead, path,
         Format(Text(FileMsg::TooLarge), static_cast<unsigned long long>(size), static_cast<unsigned long long>(limit)));
  Bytes data;
  try {
    data.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    Fail(FileMsg::CannotRead, path, Format(Text(FileMsg::NoMemory), static_cast<unsigned long long>(size)));
  }
  // A file that shrinks meanwhile ends early; one that grows is read as far as it was.
  size_t done = 0;
  while (done < data.size()) {
    const size_t k = ReadSome(file.fd, data.data() + done, data.size() - done, path.string());
    if (k == 0) break;
    done += k;
  }
  data.resize(done);
  return data;
}

fs::path FollowLinks(const fs::path& path) {
  fs::path p = path;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
    if (n < 0) FailWithErrno(FileMsg::CannotFollowLink, p);
    target.resize(static_cast<size_t>(n));
    const fs::path next(target);
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  Fail(FileMsg::CannotFollowLink, path, ELOOP);
}

void WriteFileBytes(const fs::path& path, ByteView data) {
  const fs::path target = FollowLinks(path);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode)) NotRegular(FileMsg::CannotWrite, path, old.st_mode);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

  std::random_device seed;
  std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed() ^ static_cast<uint64_t>(::getpid()));
  fs::path temp;
  int fd = -1;
  for (int i = 0; i < kTempNameTries && fd < 0; ++i) {
    temp = folder / TempName(target, random);
    // O_EXCL with O_NOFOLLOW: nothing planted under the name can be written through.
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) FailWithErrno(FileMsg::CannotWrite, path);
  }
  if (fd < 0) Fail(FileMsg::CannotWrite, path, EEXIST);

  try {
    FdCloser file{fd};
    if (replacing) {
      if (::fchmod(fd, old.st_mode & 07777) != 0) FailWithErrno(FileMsg::CannotWrite, path);
      // Keeps the owner when root saves someone else's file; others cannot give files away.
      if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) FailWithErrno(FileMsg::CannotWrite, path);
    }
    WriteAll(fd, data, path);
    if (::fsync(fd) != 0) FailWithErrno(FileMsg::CannotWrite, path);
    file.fd = -1;
    if (::close(fd) != 0) FailWithErrno(FileMsg::CannotWrite, path);
    if (::rename(temp.c_str(), target.c_str()) != 0) FailWithErrno(FileMsg::CannotWrite, path);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  // The rename reaches the disk with the folder; failing here loses nothing already there.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

bool SameFile(const fs::path& a, const fs::path& b) {
  struct stat sa {}, sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool IsStandardStream(const fs::path& path) { return path == "-"; }

TInputFile::TInputFile(const fs::path& path) {
  if (IsStandardStream(path)) {
    fd_ = STDIN_FILENO;
    name_ = FileMessages().Text(FileMsg::StandardInput);
    return;
  }
  name_ = path.string();
  struct stat st {};
  fd_ = OpenForReading(path, st);
  owned_ = true;
  if (S_ISREG(st.st_mode)) return;
  if (!S_ISFIFO(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    NotRegular(FileMsg::CannotRead, path, st.st_mode);
  }
  // A FIFO stays open as it is: closing it to open it again could lose a writer that
  // came and went in between. Reads wait for a writer instead (see Read).
  fifo_ = true;
}

TInputFile::~TInputFile() {
  if (owned_ && fd_ >= 0) ::close(fd_);
}

size_t TInputFile::Read(void* buffer, size_t n) {
  // Without a writer yet, a non-blocking read of a FIFO says "end"; poll waits until a
  // writer has written or has come and gone.
  if (fifo_) {
    pollfd pfd{fd_, POLLIN, 0};
    while (::poll(&pfd, 1, -1) < 0 && errno == EINTR) {
    }
  }
  return ReadSome(fd_, buffer, n, name_);
}

constexpr std::align_val_t kPageAlignment{4096};

void TInputFile::AlignedFree::operator()(uint8_t* p) const { ::operator delete[](p, kPageAlignment); }

std::span<uint8_t> TInputFile::ReadPiece() {
  if (!piece_) piece_.reset(static_cast<uint8_t*>(::operator new[](kPieceBytes, kPageAlignment)));
  return {piece_.get(), Read(piece_.get(), kPieceBytes)};
}

}  // namespace quillon
