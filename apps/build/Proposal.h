#pragma once
// A first manifest for a folder that has none: every file the viewer's engines open becomes an
// object, its type found from the file's content (a JPEG twice as wide as high is proposed as a
// panorama), its title from its name ("river_bank-02.jpg" gives "River bank 02"), its caption
// left empty for the author. Haslo.rtf or Haslo.txt, when present, is the article. Files nothing
// opens are listed in a comment. Files the builder makes, and hidden ones, are skipped.
#include <filesystem>
#include <string>

namespace quindel::build {

// The manifest text proposed for `folder`.
std::string ProposeManifest(const std::filesystem::path& folder, unsigned threads = 0);

// A title made from a file name.
std::string TitleFromFileName(const std::string& fileName);

// `text` as a TOML basic string, quotes included.
std::string TomlString(const std::string& text);

}  // namespace quindel::build
