#pragma once
// What the program says about itself: the version information shown in the About box,
// the release label of the splash and the maker's contact block.
#include <string>

namespace quillon {

struct TVersionInfo {
  std::string FileDescription;
  std::string ProductName;
  // Four dot-separated numbers: kProgramVersion, the project's version from CMake, which
  // both programs' --version print too.
  std::string FileVersion;
  std::string ProductVersion;
  std::string Comments;
  std::string BuildFlags;  // "Pre" in it marks a pre-release
  std::string InternalName;
};

const TVersionInfo& ProgramVersionInfo();

inline constexpr char kMakerName[] = "Quillon developers";
inline constexpr char kMakerWebAddress[] = "https://quillon.example.org";
inline constexpr char kMakerMail[] = "contact@quillon.example.org";

// "Release 1.2" for version 1.2.3.66: the first two numbers; "Pre-Release 1.2" when the
// build flags contain "Pre".
std::string ReleaseText(const TVersionInfo& info);

}  // namespace quillon
