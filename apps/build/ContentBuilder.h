#pragma once
// Builds a content folder from its manifest (quindel.toml), in place: the media stay where the
// author put them, and the builder writes the files made from them beside them: both list files
// (in the code page), the position files, the packed files, the article under the name the
// viewer opens (Haslo.rtf, Haslo.txt) and the search index (search.sqlite).
// - Checks first (ContentChecks). Any error: nothing is written and the exit code is 1.
// - All or nothing: every file is made in a staging folder (Staging) and moved into place only
//   once all of them are made.
// - Incremental (BuildCache): unchanged files are not probed again, unchanged packed files are
//   not packed again, unchanged output files are not replaced, and a run on a folder where
//   nothing changed stops after comparing stamps.
// - Probing and packing run on all cores, the search index on a thread of its own beside the
//   other files; a progress bar shows on a terminal.
#include <cstddef>
#include <filesystem>
#include <string>

#include "build/Diagnostics.h"

namespace quindel::build {

struct BuildOptions {
    std::filesystem::path folder;  // holds quindel.toml
    bool checkOnly = false;        // report, write nothing (not even the cache)
    unsigned threads = 0;          // 0: one per core
};

struct BuildReport {
    Diagnostics diagnostics;
    std::string failure;  // what could not be written, when that stopped the build
    bool upToDate = false;
    std::size_t objects = 0, links = 0;
    std::size_t probed = 0, probesReused = 0;
    std::size_t packedMade = 0, packedKept = 0;
    std::size_t filesReplaced = 0;
    bool indexWritten = false;
    // Reading the manifest; the search index's records, on a thread of their own.
    double parseMs = 0, indexMs = 0;

    // 0 built (or checked) with warnings at most, 1 errors in the content, 3 a write failed.
    int ExitCode() const;
    std::string Summary() const;
};

BuildReport BuildContent(const BuildOptions& options);

}  // namespace quindel::build
