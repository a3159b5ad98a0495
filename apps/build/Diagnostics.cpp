#include "build/Diagnostics.h"

#include <algorithm>
#include <tuple>

namespace quindel::build {

std::string Diagnostic::Text() const {
    std::string s = file;
    if (line > 0) s += ":" + std::to_string(line);
    s += severity == Severity::Error ? ": error: " : ": warning: ";
    if (!where.empty()) s += where + (field.empty() ? ": " : ", ");
    if (!field.empty()) s += field + ": ";
    return s + message;
}

void Diagnostics::Error(std::string file, std::int64_t line, std::string where, std::string field,
                        std::string message) {
    items_.push_back({Severity::Error, std::move(file), line, std::move(where), std::move(field),
                      std::move(message)});
}

void Diagnostics::Warning(std::string file, std::int64_t line, std::string where, std::string field,
                          std::string message) {
    items_.push_back({Severity::Warning, std::move(file), line, std::move(where), std::move(field),
                      std::move(message)});
}

bool Diagnostics::HasErrors() const {
    return Count(Severity::Error) > 0;
}

std::size_t Diagnostics::Count(Severity s) const {
    return std::size_t(std::count_if(items_.begin(), items_.end(),
                                     [s](const Diagnostic& d) { return d.severity == s; }));
}

void Diagnostics::Sort() {
    std::stable_sort(items_.begin(), items_.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return std::tie(a.line, a.file) < std::tie(b.line, b.file);
    });
}

}  // namespace quindel::build
