#pragma once
// Where the program finds its files: everything lies beside the program file.
#include <string>
#include <string_view>

namespace tolvane {

// The folder that holds the running program file, without a trailing separator; empty
// when it cannot be found.
std::string ProgramDirectory();

// A file in a folder: the name alone for an empty folder, folder + name when the folder
// already ends with a separator, folder + separator + name otherwise.
std::string JoinProgramPath(std::string_view folder, std::string_view name);

}  // namespace tolvane
