#pragma once
// A fault of the test harness, not of the code under test: a wait for input that the script will
// never give, or a scripted answer the box does not offer. Deliberately not a VbError, so no
// handler of the component can swallow it.
#include <stdexcept>
#include <string>

namespace quindel::headless {

class HarnessError : public std::logic_error {
  public:
    explicit HarnessError(const std::string& what) : std::logic_error(what) {}
};

}  // namespace quindel::headless
