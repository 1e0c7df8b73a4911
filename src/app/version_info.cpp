#include "app/version_info.h"

#include "editor/project_file.h"

namespace quillon {

const TVersionInfo& ProgramVersionInfo() {
  static const TVersionInfo info{
      "Quillon NIT-Editor",
      "Quillon",
      kProgramVersion,
      kProgramVersion,
      "Editor für die DVB Network Information Table",
      "",
      "quillon",
  };
  return info;
}

std::string ReleaseText(const TVersionInfo& info) {
  const std::string& v = info.FileVersion;
  const size_t firstDot = v.find('.');
  const size_t secondDot = firstDot == std::string::npos ? std::string::npos : v.find('.', firstDot + 1);
  const std::string majorMinor = v.substr(0, secondDot);
  const bool pre = info.BuildFlags.find("Pre") != std::string::npos;
  return (pre ? "Pre-Release " : "Release ") + majorMinor;
}

}  // namespace quillon
