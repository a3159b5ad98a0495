#pragma once
// The second half of the demo: the host hands the panel its display controls (the kit's display
// stage on a form that covers the screen), loads the whole multimedia list, and shows the
// first object of every type in turn, writing a picture of the screen for each into the output
// folder (object_FO.png, object_MA.png, ...). Object paths in the list are relative to the sample
// folder, which becomes the current folder.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quindel {
class Quindel;
}
namespace quindel::hostkit {
class DisplayStage;
}
namespace quindel::headless {
class HeadlessPlatform;
}
namespace quindel::platform {
class Form;
}

namespace quindel::demo {

class ObjectTour {
  public:
    // panelForm: the host's form holding the panel, kept in front of the display controls.
    ObjectTour(headless::HeadlessPlatform& p, std::shared_ptr<Quindel> q,
               platform::Form& panelForm);
    ~ObjectTour();

    // Returns the pictures written.
    std::vector<std::filesystem::path> Run(const std::filesystem::path& list,
                                           const std::filesystem::path& out);
    // Autoplay (button 15) from the first object to the last on the virtual clock: the host's
    // events print the sequence. Returns the virtual milliseconds it took.
    std::int64_t PlayAll();

  private:
    void ShowType(const std::string& tipo, std::int32_t index, const std::filesystem::path& file);

    headless::HeadlessPlatform& p_;
    std::shared_ptr<Quindel> q_;
    platform::Form& panelForm_;
    std::unique_ptr<hostkit::DisplayStage> stage_;
};

}  // namespace quindel::demo
