#pragma once
// This process's folder for temporary files (the objects extracted from packed files): made on
// first use with a name nobody can guess and room for its owner only (mkdtemp, mode 0700) under
// TemporaryParent() ($XDG_RUNTIME_DIR when it is the user's own, else $TMPDIR or /tmp), and
// removed with every file in it when the process exits normally. A forked child that asks gets a
// folder of its own and never removes its parent's.
//
// SIGTERM and SIGINT remove it too, then take their default course (the process ends as the
// signal says), but only where the signal still had its default disposition when the folder was
// made: a host that handles them owns its shutdown (the viewer closes its windows first), and its
// normal exit removes the folder; an ignored signal stays ignored.
#include <string>

namespace quindel::platform {

// The folder's path, made on the first call; empty when none could be made.
std::string ProcessFolder();

}  // namespace quindel::platform
