#include "platform/paths.h"

#include <system_error>

namespace quillon {

TProgramPaths RunningProgramPaths() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  TProgramPaths paths;
  if (ec) {
    paths.ProgramFolder = std::filesystem::current_path(ec);
    return paths;
  }
  paths.ProgramFolder = exe.parent_path();
  paths.ProgramName = exe.stem().string();
  return paths;
}

}  // namespace quillon
