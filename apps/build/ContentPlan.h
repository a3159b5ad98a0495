#pragma once
// What a manifest makes, before anything is written: the records of both lists, the text of each
// position file, the members of each packed file, and every file the build reads. Paths are
// relative to the content folder, with '/'. The records hold the texts as the author wrote them;
// ContentChecks says whether they fit.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "build/Manifest.h"
#include "hostkit/lists/ScrittoreLista.h"

namespace quindel::build {

struct PackedMember {
    std::string name;    // the entry's name inside the packed file
    std::string source;  // the file it is made from
};

struct ContentPlan {
    std::vector<hostkit::VoceLista> media, links;
    std::map<std::string, std::string> positionFiles;
    std::map<std::string, std::vector<PackedMember>> packedFiles;
    std::vector<std::pair<std::string, std::string>> articles;  // source, name in the folder
    std::vector<std::string> inputs;
};

ContentPlan PlanContent(const Manifest& m);

// The record's folder for a path's parent: "media/foto/x.jpg" gives "media\foto\", a file at the
// top gives "".
std::string RecordFolder(const std::string& path);
// The folder a record's folder text names, as a relative path with '/' and no trailing '/'.
std::string FolderPath(const std::string& recordFolder);
// The parent of a relative path, "" at the top.
std::string ParentOf(const std::string& path);
std::string FileNameOf(const std::string& path);

// A position file's line: the name in 13 columns, height and width in 5 each, then the movie's
// length when it has one; CR LF.
std::string PositionLine(const std::string& name, std::int64_t height, std::int64_t width,
                         std::int64_t length = -1);

// The caption as the record stores it: the credit, when there is one, after the caption.
std::string CaptionWithCredit(const ManifestObject& o);

}  // namespace quindel::build
