#include "viewer/ViewerSearch.h"

#include "hostkit/search/ListFolder.h"
#include "viewer/ListChoice.h"

namespace quindel::viewer {

ViewerSearch::ViewerSearch(Quindel& panel, const std::filesystem::path& content,
                           const std::string& fingerprint)
    : panel_(panel) {
    const std::string path = (content / hostkit::kSearchIndexFile).string();
    if (!index_.Open(path)) {
        why_ = index_.Error();
    } else if (index_.Fingerprint() != fingerprint) {
        why_ = "the search index " + path + " was made for other lists: build the folder again";
        index_ = hostkit::SearchIndex();
    }
}

std::vector<hostkit::SearchHit> ViewerSearch::Find(const std::string& typed, int limit) const {
    return index_.Find(typed, limit);
}

bool ViewerSearch::Show(const hostkit::SearchHit& hit) {
    return ChooseRecord(panel_, hit.list, hit.record);
}

}  // namespace quindel::viewer
