#pragma once
// Where the program keeps its files. The core never looks these up itself: the desktop
// program and the CLI pass the executable's folder, tests a temporary one.
#include <filesystem>
#include <string>

namespace quillon {

struct TProgramPaths {
  std::filesystem::path ProgramFolder;  // the folder of the program file
  std::string ProgramName = "quillon";  // the program file's name without extension

  // "<program>.dat" in the program folder: the settings file.
  std::filesystem::path SettingsFile() const { return ProgramFolder / (ProgramName + ".dat"); }
  // "Data" beside the program: projects and exports.
  std::filesystem::path DataFolder() const { return ProgramFolder / "Data"; }
};

// The folder and name of the running executable (/proc/self/exe).
TProgramPaths RunningProgramPaths();

}  // namespace quillon
