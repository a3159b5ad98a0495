#pragma once
// Find-as-you-type for the viewer, toolkit-free: the content folder's search index (search.sqlite
// beside the lists) opened when it belongs to the lists there, and a hit shown as a person
// choosing its row in the list window would (ListChoice.h).
#include <filesystem>
#include <string>
#include <vector>

#include "hostkit/search/SearchIndex.h"

namespace quindel {
class Quindel;
}

namespace quindel::viewer {

class ViewerSearch {
  public:
    // fingerprint: the content folder's ContentFingerprint; an index written for other lists is
    // not used (its records would point at the wrong objects).
    ViewerSearch(Quindel& panel, const std::filesystem::path& content,
                 const std::string& fingerprint);

    bool Available() const { return index_.IsOpen(); }
    // Why there is no search, for the field to say; empty when Available.
    const std::string& Why() const { return why_; }
    std::vector<hostkit::SearchHit> Find(const std::string& typed, int limit) const;
    // Shows the hit's record; false when its list has no such record.
    bool Show(const hostkit::SearchHit& hit);

  private:
    Quindel& panel_;
    hostkit::SearchIndex index_;
    std::string why_;
};

}  // namespace quindel::viewer
