#pragma once
// Collects the multimedia objects of one entry, giving each its folder and an 8.3 file name
// numbered per type, so the content tables only say what an object shows.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Scene.h"
#include "hostkit/lists/ScrittoreLista.h"

namespace quindel::samplegen {

// One object of the list and what its generated file shows.
struct MediaObject {
    hostkit::VoceLista voce;
    Scene scene;
};

class MediaCatalog {
  public:
    explicit MediaCatalog(std::string codiceLemma) : codiceLemma_(std::move(codiceLemma)) {}

    // layout names a way of storing the type other than its usual one ("packed" for an object
    // inside a packed file, "plain" for a text on its own). Throws std::logic_error for a type
    // and layout it has no layout for.
    void Add(std::string_view tipo, std::string descrizione, std::string didascalia,
             Scene scene = {}, std::string_view layout = {});
    const std::vector<MediaObject>& Objects() const { return objects_; }

  private:
    std::string codiceLemma_;
    std::vector<MediaObject> objects_;
    std::map<std::string, int, std::less<>> counters_;
};

// The list records of the objects, in order.
std::vector<hostkit::VoceLista> Records(const std::vector<MediaObject>& objects);

}  // namespace quindel::samplegen
