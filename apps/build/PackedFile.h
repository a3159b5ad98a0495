#pragma once
// A packed file: a zip archive (libzip), entries deflated, in the order added.
#include <string>
#include <utility>
#include <vector>

namespace quindel::build {

class PackedFile {
  public:
    void Add(std::string name, std::string data) {
        entries_.emplace_back(std::move(name), std::move(data));
    }
    bool empty() const { return entries_.empty(); }
    // The archive's bytes. Throws std::runtime_error when libzip refuses.
    std::string Bytes() const;

  private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace quindel::build
