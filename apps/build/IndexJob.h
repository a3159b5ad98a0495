#pragma once
// The search index, written on a thread of its own while the lists and the other files are
// staged: it needs only the plan's records, and the content's fingerprint (the staged lists'
// hash) at the very end. Like the other files it is renamed into place whole but not synced.
#include <memory>
#include <string>
#include <thread>

#include "build/ContentPlan.h"
#include "hostkit/search/SearchIndexWriter.h"

namespace quindel::build {

class IndexJob {
  public:
    // Starts writing the index of `plan`'s records at `path`; `plan` must outlive the job.
    IndexJob(const std::string& path, const ContentPlan& plan);
    // A job not finished stops at the next record and leaves no file behind.
    ~IndexJob();
    IndexJob(const IndexJob&) = delete;
    IndexJob& operator=(const IndexJob&) = delete;

    // Waits for the records, then stamps the index with `fingerprint` and puts it in place:
    // an empty text, else what failed.
    std::string Finish(const std::string& fingerprint);
    // How long the records and their merging took on the job's thread.
    double RecordsMs() const { return recordsMs_; }

  private:
    void Run(std::stop_token stop, const ContentPlan& plan);

    hostkit::SearchIndexWriter writer_;
    double recordsMs_ = 0;
    std::jthread thread_;  // last: stopped and joined before the writer goes
};

}  // namespace quindel::build
