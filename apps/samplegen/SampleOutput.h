#pragma once
// How the generator writes: a file is replaced only when its bytes change, through a temporary
// file renamed into place, so several build trees may regenerate the sample at once and a file
// that is already right keeps its time stamp.
#include <filesystem>
#include <string_view>

namespace quindel::samplegen {

// Creates the folder. Throws std::runtime_error when the file cannot be written.
void WriteIfChanged(const std::filesystem::path& file, std::string_view bytes);

// A list folder ("media\foto\", with or without the final backslash) under the sample folder.
std::filesystem::path FolderOf(const std::filesystem::path& sample, std::string_view cartella);

}  // namespace quindel::samplegen
