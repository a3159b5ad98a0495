#pragma once
// The fingerprint of a content folder: a hash of the bytes of both list files (ListaMM.lst, then
// ListaLemmi.lst), as 32 hex digits. Files a host derives from the lists (the search index, a
// reader's saved place) carry it, so they can tell when the content under them changed. A
// missing list counts as empty; the hash is not cryptographic, only a change detector.
#include <string>

namespace quindel::hostkit {

// The fingerprint of the lists in `folder` (a native path).
std::string ContentFingerprint(const std::string& folder);

}  // namespace quindel::hostkit
