#pragma once
// Where the viewer finds the sample it opens when no content folder is given, whatever the
// current folder: installed, beside the program (`cmake --install` puts it at
// <prefix>/share/quindel/resources/sample, the program at <prefix>/bin); in a build tree, the
// source tree the program was built from. A candidate counts when it holds the multimedia list.
// The folder given on the command line may also be named by one of its list files, as a file
// manager opening ListaMM.lst hands it over.
#include <filesystem>
#include <vector>

namespace quindel::viewer {

// The folder of the running program.
std::filesystem::path ProgramFolder();
// The first of the candidates holding ListaMM.lst, relative ones taken from programFolder;
// empty when none does.
std::filesystem::path FindSample(const std::filesystem::path& programFolder,
                                 const std::vector<std::filesystem::path>& candidates);

// The content folder `given` names: a file stands for the folder it lies in, anything else for
// itself.
std::filesystem::path ContentFolder(const std::filesystem::path& given);

}  // namespace quindel::viewer
