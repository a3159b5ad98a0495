#include "viewer/SampleFolder.h"

namespace fs = std::filesystem;

namespace quindel::viewer {

fs::path ProgramFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

fs::path FindSample(const fs::path& programFolder, const std::vector<fs::path>& candidates) {
    for (const fs::path& c : candidates) {
        const fs::path folder = (c.is_absolute() ? c : programFolder / c).lexically_normal();
        std::error_code ec;
        if (fs::is_regular_file(folder / "ListaMM.lst", ec)) return folder;
    }
    return {};
}

fs::path ContentFolder(const fs::path& given) {
    std::error_code ec;
    if (!fs::is_regular_file(given, ec)) return given;
    const fs::path folder = given.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

}  // namespace quindel::viewer
