#include "build/IndexJob.h"

#include <chrono>

namespace quindel::build {

IndexJob::IndexJob(const std::string& path, const ContentPlan& plan)
    : writer_(path, false), thread_([this, &plan](std::stop_token stop) { Run(stop, plan); }) {}

IndexJob::~IndexJob() = default;

void IndexJob::Run(std::stop_token stop, const ContentPlan& plan) {
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < plan.media.size() && !stop.stop_requested(); ++i)
        if (!writer_.Add({hostkit::SearchList::Multimedia, std::int64_t(i),
                          plan.media[i].Descrizione, plan.media[i].Didascalia}))
            return;
    for (std::size_t i = 0; i < plan.links.size() && !stop.stop_requested(); ++i)
        if (!writer_.Add(
                {hostkit::SearchList::Linked, std::int64_t(i), plan.links[i].Descrizione, ""}))
            return;
    if (stop.stop_requested() || !writer_.Merge()) return;
    recordsMs_ =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string IndexJob::Finish(const std::string& fingerprint) {
    thread_.join();
    writer_.Commit(fingerprint);
    return writer_.Error();
}

}  // namespace quindel::build
