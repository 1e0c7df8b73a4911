#include "cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>


namespace quillon::test {

namespace {

void Redirect(const std::filesystem::path& path, int fd, int flags) {
  const int opened = ::open(path.c_str(), flags, 0644);
  if (opened < 0 || ::dup2(opened, fd) < 0) _exit(126);
  ::close(opened);
}

// Both outputs at once, so that neither pipe fills up while the other is read.
void Drain(int outFd, int errFd, Result& r) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* texts[2] = {&r.out, &r.err};
  int open = (outFd >= 0) + (errFd >= 0);
  char buffer[65536];
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i]->append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

void Limit(int resource, const std::optional<uint64_t>& bytes) {
  if (!bytes) return;
  const rlimit limit{*bytes, *bytes};
  if (::setrlimit(resource, &limit) != 0) _exit(126);
}

}  // namespace

Result RunCli(const std::vector<std::string>& args, const RunOptions& options) {
  return RunProgram(kCli, args, options);
}

Result RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const RunOptions& options) {
  // Pipes, not files: a limit on the size of written files must not cut the messages.
  int outPipe[2], errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) return {};
  if (options.output || options.outputReaderGone) {
    ::close(outPipe[0]);  // before the program exists: its first write finds no reader
    outPipe[0] = -1;
  }
  std::vector<std::string> all = {program.string()};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  Result r;
  const pid_t pid = ::fork();
  if (pid == 0) {
    Redirect(options.input, 0, O_RDONLY);
    if (::dup2(outPipe[1], 1) < 0 || ::dup2(errPipe[1], 2) < 0) _exit(126);
    if (options.output) Redirect(*options.output, 1, O_WRONLY | O_CREAT | O_TRUNC);
    ::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending the program
    ::signal(SIGPIPE, SIG_DFL);  // as a shell starts it: the program must ignore it itself
    Limit(RLIMIT_FSIZE, options.fileSizeLimit);
    Limit(RLIMIT_AS, options.memoryLimit);
    // The tool speaks the language of the locale: German unless a test asks otherwise.
    for (const char* locale : {"LC_ALL", "LC_MESSAGES", "LANG"}) ::unsetenv(locale);
    for (const auto& [name, value] : options.environment) ::setenv(name.c_str(), value.c_str(), 1);
    ::execv(program.c_str(), argv.data());
    _exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  Drain(outPipe[0], errPipe[0], r);
  if (pid > 0) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  return r;
}

}  // namespace quillon::test
