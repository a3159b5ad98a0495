#pragma once
// One backend under test, as every conformance test sees it: its platform, and the few things
// only the backend itself can do (native input, answering a message box, telling what the window
// system shows). The same test bodies run against each.
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/Platform.h"

namespace quindel::test {

class Backend {
  public:
    virtual ~Backend() = default;
    virtual platform::Platform& P() = 0;
    // Whether time is virtual, so that a test may count timer ticks exactly.
    virtual bool Deterministic() const = 0;
    // A left click at a client point of a window, through the backend's own input path.
    virtual void Click(platform::Window& w, platform::PointPx client) = 0;
    // A key pressed on the window that has the focus.
    virtual void Key(std::int16_t keyCode) = 0;
    // The answer the next message box gets; with none given it is dismissed as Escape does.
    virtual void Answer(std::int16_t answer) = 0;
    // What the window system shows: whether a form is on screen, and the handle of its owner.
    virtual bool Shown(platform::Form& f) = 0;
    virtual platform::Handle Owner(platform::Form& f) = 0;
};

struct BackendMaker {
    std::string name;
    std::function<std::unique_ptr<Backend>()> make;
};

inline void PrintTo(const BackendMaker& m, std::ostream* os) {
    *os << m.name;
}

std::unique_ptr<Backend> MakeHeadlessBackend();
std::unique_ptr<Backend> MakeQtBackend();

}  // namespace quindel::test
