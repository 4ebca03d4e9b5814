#pragma once
// Where the program's data files are, for the program and the command-line
// tool alike. A program run from its build folder, or from any folder that
// holds its data files, finds them beside itself; an installed program
// (bin/quadrivo with share/quadrivo beside bin) finds them in share/quadrivo.

#include <filesystem>
#include <string>

namespace platform {

// The file whose presence marks a folder as holding the data files.
inline const std::string DataMarkerFile = "LESSICO.DAT";
// The data folder of an installed program, relative to its bin folder.
inline const std::string InstalledDataFolder = "../share/quadrivo";

// The folder with the data files for a program in `programDir`: the folder
// itself when it holds LESSICO.DAT; else `programDir`/../share/quadrivo when
// that holds it; else `programDir` (whose missing vocabulary is then
// reported as usual).
inline std::string DataFolderFor(const std::string& programDir) {
    std::error_code ec;
    const std::filesystem::path own(programDir);
    if (std::filesystem::is_regular_file(own / DataMarkerFile, ec)) return programDir;
    const auto installed = (own / InstalledDataFolder).lexically_normal();
    if (std::filesystem::is_regular_file(installed / DataMarkerFile, ec)) return installed.string();
    return programDir;
}

// True when the data files of a program in `programDir` are its installed
// ones, not beside it.
inline bool IsInstalled(const std::string& programDir) {
    return std::filesystem::path(DataFolderFor(programDir)) != std::filesystem::path(programDir);
}

} // namespace platform
