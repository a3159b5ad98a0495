#include "build/ContentBuilder.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <thread>

#include "build/BuildCache.h"
#include "build/ContentChecks.h"
#include "build/ContentPlan.h"
#include "build/Hash64.h"
#include "build/IndexJob.h"
#include "build/Manifest.h"
#include "build/PackedFile.h"
#include "build/ParallelFor.h"
#include "build/ProgressBar.h"
#include "build/Staging.h"
#include "hostkit/lists/ScrittoreLista.h"
#include "hostkit/search/ContentFingerprint.h"
#include "hostkit/search/ListFolder.h"
#include "hostkit/search/SearchIndexWriter.h"
#include "runtime/CodePage.h"

namespace quindel::build {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBuilderVersion = "quindel-build 1";

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

std::optional<std::string> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    std::string bytes(std::size_t(in.tellg()), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), std::streamsize(bytes.size()))) return std::nullopt;
    return bytes;
}

// What changes the output besides the manifest and the files.
std::string Settings() {
    const char* page = std::getenv("QUINDEL_CODEPAGE");
    return std::string(kBuilderVersion) + "\n" + (page ? page : "");
}

std::string ProbeKey(FileKind kind, const std::string& path) {
    return std::to_string(int(kind)) + ":" + path;
}

// Probes every distinct (file, kind) once, taking unchanged files' probes from the cache.
// Returns one probe per object, then one per article.
std::vector<ProbeResult> ProbeAll(const Manifest& m, const fs::path& folder, BuildCache& cache,
                                  unsigned threads, BuildReport& report) {
    std::vector<std::pair<FileKind, std::string>> wanted;
    for (const ManifestObject& o : m.objects) wanted.emplace_back(o.type.kind, o.file);
    for (const std::string& a : m.articles) wanted.emplace_back(FileKind::Text, a);
    std::map<std::string, std::size_t> unique;  // key -> index into jobs
    std::vector<std::pair<FileKind, std::string>> jobs;
    for (const auto& [kind, file] : wanted)
        if (!file.empty() && kind != FileKind::None &&
            unique.emplace(ProbeKey(kind, file), jobs.size()).second)
            jobs.emplace_back(kind, file);
    std::vector<CachedProbe> results(jobs.size());
    std::vector<char> fresh(jobs.size(), 0);
    ProgressBar bar("probing", jobs.size());
    ParallelFor(
        jobs.size(), threads,
        [&](std::size_t i) {
            const auto& [kind, file] = jobs[i];
            results[i].stamp = StampOf(folder / file);
            if (!results[i].stamp.exists) {
                results[i].probe.error = "does not exist (or is not a regular file)";
                return;
            }
            const auto hit = cache.probes.find(ProbeKey(kind, file));
            if (hit != cache.probes.end() && hit->second.stamp == results[i].stamp) {
                results[i].probe = hit->second.probe;
                return;
            }
            results[i].probe = ProbeFile(folder / file, kind);
            fresh[i] = 1;
        },
        [&](std::size_t done) { bar.Show(done); });
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (!results[i].stamp.exists) continue;
        (fresh[i] ? report.probed : report.probesReused)++;
        cache.probes[ProbeKey(jobs[i].first, jobs[i].second)] = results[i];
    }
    std::vector<ProbeResult> probes(wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i)
        if (const auto it = unique.find(ProbeKey(wanted[i].first, wanted[i].second));
            it != unique.end())
            probes[i] = results[it->second].probe;
    return probes;
}

std::uint64_t PackedKey(const fs::path& folder, const std::vector<PackedMember>& members) {
    Hash64 h;
    for (const PackedMember& p : members) {
        const FileStamp s = StampOf(folder / p.source);
        h.Add(p.name).Add(p.source).Add(s.size).Add(std::uint64_t(s.mtimeNs));
    }
    return h.Value();
}

// Packs the packed files whose members changed, in parallel; the others stay as they are.
bool StagePacked(const ContentPlan& plan, const fs::path& folder, BuildCache& cache,
                 Staging& staging, unsigned threads, BuildReport& report) {
    std::vector<std::pair<std::string, std::uint64_t>> todo;
    for (const auto& [file, members] : plan.packedFiles) {
        const std::uint64_t key = PackedKey(folder, members);
        const auto it = cache.packed.find(file);
        if (it != cache.packed.end() && it->second == key && StampOf(folder / file).exists)
            ++report.packedKept;
        else
            todo.emplace_back(file, key);
    }
    std::vector<std::string> bytes(todo.size()), errors(todo.size());
    ParallelFor(todo.size(), threads, [&](std::size_t i) {
        PackedFile packed;
        for (const PackedMember& p : plan.packedFiles.at(todo[i].first)) {
            auto data = ReadAll(folder / p.source);
            if (!data) return void(errors[i] = "cannot read " + p.source);
            packed.Add(p.name, std::move(*data));
        }
        try {
            bytes[i] = packed.Bytes();
        } catch (const std::exception& e) {
            errors[i] = todo[i].first + ": " + e.what();
        }
    });
    for (std::size_t i = 0; i < todo.size(); ++i) {
        if (!errors[i].empty()) return report.failure = errors[i], false;
        if (!staging.Write(todo[i].first, bytes[i], &report.failure)) return false;
        cache.packed[todo[i].first] = todo[i].second;
        ++report.packedMade;
    }
    return true;
}

// The records are encoded on all cores, a block of them at a time, then written in order.
bool WriteList(const std::vector<hostkit::VoceLista>& records, const fs::path& file,
               unsigned threads) {
    constexpr std::size_t kBlock = 4096;
    std::vector<std::string> blocks((records.size() + kBlock - 1) / kBlock);
    ParallelFor(blocks.size(), threads, [&](std::size_t b) {
        const std::size_t end = std::min(records.size(), (b + 1) * kBlock);
        blocks[b].reserve((end - b * kBlock) * hostkit::kLunghezzaRecordLista);
        for (std::size_t i = b * kBlock; i < end; ++i)
            blocks[b] += hostkit::RecordLista(records[i]);
    });
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& block : blocks) out.write(block.data(), std::streamsize(block.size()));
    return bool(out.flush());
}

// What a list is made of: every field of every record, and the settings and code page that
// encode them.
std::uint64_t RecordsKey(const std::vector<hostkit::VoceLista>& records,
                         const std::string& settings) {
    Hash64 h;
    h.Add(settings).Add(SystemCodePage()).Add(std::uint64_t(records.size()));
    for (const hostkit::VoceLista& v : records)
        for (const hostkit::CampoLista& field : hostkit::kCampiLista) h.Add(v.*field.Testo);
    return h.Value();
}

std::map<std::string, std::uint64_t> RecordsKeys(const ContentPlan& plan,
                                                 const std::string& settings) {
    return {{hostkit::kMultimediaListFile, RecordsKey(plan.media, settings)},
            {hostkit::kLinkedListFile, RecordsKey(plan.links, settings)}};
}

// A list whose records changed since the last build replaces its file without a comparison.
bool StageLists(const ContentPlan& plan, Staging& staging, unsigned threads,
                const BuildCache& cache, const std::map<std::string, std::uint64_t>& keys,
                BuildReport& report) {
    for (const auto& [name, records] : {std::pair{hostkit::kMultimediaListFile, &plan.media},
                                        std::pair{hostkit::kLinkedListFile, &plan.links}}) {
        if (!WriteList(*records, staging.PathOf(name), threads))
            return report.failure = "cannot write " + staging.PathOf(name).string(), false;
        const auto known = cache.records.find(name);
        staging.Adopt(name, known == cache.records.end() || known->second != keys.at(name));
    }
    return true;
}

bool StageFiles(const ContentPlan& plan, const fs::path& folder, BuildCache& cache,
                Staging& staging, unsigned threads,
                const std::map<std::string, std::uint64_t>& keys, BuildReport& report) {
    if (!StageLists(plan, staging, threads, cache, keys, report)) return false;
    for (const auto& [file, text] : plan.positionFiles)
        if (!staging.Write(file, text, &report.failure)) return false;
    for (const auto& [source, name] : plan.articles) {
        if (source == name) continue;
        const auto bytes = ReadAll(folder / source);
        if (!bytes) return report.failure = "cannot read " + source, false;
        if (!staging.Write(name, *bytes, &report.failure)) return false;
    }
    return StagePacked(plan, folder, cache, staging, threads, report);
}

// The index is remade when a list's records changed or the file is not the one the last build
// wrote.
bool IndexWanted(const fs::path& folder, const BuildCache& cache,
                 const std::map<std::string, std::uint64_t>& keys) {
    return keys != cache.records || !cache.index.exists ||
           StampOf(folder / hostkit::kSearchIndexFile) != cache.index;
}

bool FinishIndex(IndexJob& index, Staging& staging, BuildReport& report) {
    const std::string error = index.Finish(hostkit::ContentFingerprint(staging.Folder().string()));
    if (!error.empty()) return report.failure = "search index: " + error, false;
    staging.Adopt(hostkit::kSearchIndexFile, true);
    report.indexWritten = true;
    report.indexMs = index.RecordsMs();
    return true;
}

// Every file the build read or made: what the next run's stamp covers.
std::vector<std::string> Watched(const ContentPlan& plan) {
    std::vector<std::string> w = plan.inputs;
    w.insert(w.end(),
             {hostkit::kMultimediaListFile, hostkit::kLinkedListFile, hostkit::kSearchIndexFile});
    for (const auto& [file, text] : plan.positionFiles) w.push_back(file);
    for (const auto& [file, members] : plan.packedFiles) w.push_back(file);
    for (const auto& [source, name] : plan.articles) w.push_back(name);
    std::sort(w.begin(), w.end());  // objects share files: each is looked at once
    w.erase(std::unique(w.begin(), w.end()), w.end());
    return w;
}

bool UseCodePage(const Manifest& m, BuildReport& report) {
    if (m.codepage.empty()) return true;
    if (const std::string problem = CodePageProblem(m.codepage); !problem.empty()) {
        report.diagnostics.Error(m.DisplayName(), m.entryLine, "entry", "codepage", problem);
        return false;
    }
    setenv("QUINDEL_CODEPAGE", m.codepage.c_str(), 1);
    return true;
}

void Build(const BuildOptions& options, const Manifest& m, std::uint64_t inputsKey,
           const std::string& settings, BuildCache& cache, BuildReport& report) {
    const ContentPlan plan = PlanContent(m);
    const std::map<std::string, std::uint64_t> keys = RecordsKeys(plan, settings);
    // The index is written on a thread of its own from here on, beside the checks (an error
    // stops it) and the other files.
    std::optional<Staging> staging;
    std::optional<IndexJob> index;
    if (!options.checkOnly) {
        staging.emplace(options.folder);
        if (IndexWanted(options.folder, cache, keys))
            index.emplace(staging->PathOf(hostkit::kSearchIndexFile).string(), plan);
    }
    const std::vector<ProbeResult> probes =
        ProbeAll(m, options.folder, cache, options.threads, report);
    CheckContent(m, plan, probes, report.diagnostics);
    report.diagnostics.Sort();
    if (report.diagnostics.HasErrors() || options.checkOnly) return;
    // While the index takes a core, the lists take the others: more threads than cores would
    // only slow the index, which takes longest.
    const unsigned cores = options.threads ? options.threads : std::thread::hardware_concurrency();
    const unsigned threads = std::max(1u, index ? cores - 1 : cores);
    if (!StageFiles(plan, options.folder, cache, *staging, threads, keys, report) ||
        (index && !FinishIndex(*index, *staging, report)) ||
        !staging->Commit(&report.filesReplaced, &report.failure))
        return;
    cache.records = keys;
    cache.index = StampOf(options.folder / hostkit::kSearchIndexFile);
    cache.watched = Watched(plan);
    cache.buildStamp = BuildStamp(inputsKey, options.folder, cache.watched);
    if (!cache.Save(options.folder / kCacheName))
        report.diagnostics.Warning((options.folder / kCacheName).string(), 0, "", "",
                                   "cannot be written: the next run will probe every file again");
}

}  // namespace

int BuildReport::ExitCode() const {
    if (!failure.empty()) return 3;
    return diagnostics.HasErrors() ? 1 : 0;
}

std::string BuildReport::Summary() const {
    if (upToDate) return "up to date";
    return std::to_string(objects) + " objects, " + std::to_string(links) + " linked entries; " +
           std::to_string(probed) + " files probed, " + std::to_string(probesReused) +
           " known from before; packed files: " + std::to_string(packedMade) + " made, " +
           std::to_string(packedKept) + " kept; " + std::to_string(filesReplaced) +
           " files replaced" + (indexWritten ? ", search index written" : "") + "; " +
           std::to_string(diagnostics.Count(Severity::Error)) + " errors, " +
           std::to_string(diagnostics.Count(Severity::Warning)) + " warnings";
}

BuildReport BuildContent(const BuildOptions& options) {
    BuildReport report;
    const fs::path manifestFile = options.folder / kManifestName;
    const auto bytes = ReadAll(manifestFile);
    if (!bytes) {
        report.diagnostics.Error(manifestFile.string(), 0, "", "",
                                 "cannot be read (quindel-build --propose DIR writes one)");
        return report;
    }
    const std::string settings = Settings();
    const std::uint64_t inputsKey = InputsKey(*bytes, settings);
    BuildCache cache = BuildCache::Load(options.folder / kCacheName);
    if (!options.checkOnly && !cache.watched.empty() &&
        BuildStamp(inputsKey, options.folder, cache.watched) == cache.buildStamp) {
        report.upToDate = true;
        return report;
    }
    const auto start = std::chrono::steady_clock::now();
    const Manifest m = ParseManifest(*bytes, manifestFile, report.diagnostics);
    report.parseMs = MsSince(start);
    report.objects = m.objects.size();
    report.links = m.links.size();
    if (report.diagnostics.HasErrors() || !UseCodePage(m, report)) return report;
    Build(options, m, inputsKey, settings, cache, report);
    return report;
}

}  // namespace quindel::build
