#pragma once
// A classic run-time error: a number, the object that raised it and its description.
// Every failure the host may trap travels as a VbError.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quindel {

class VbError : public std::runtime_error {
  public:
    // An empty description takes the standard text of the number.
    explicit VbError(std::int32_t number, std::string source = {}, std::string description = {});

    std::int32_t number() const { return number_; }
    std::string description() const { return what(); }
    const std::string& source() const { return source_; }

  private:
    std::int32_t number_;
    std::string source_;
};

// The standard English text of a run-time error number; an unknown number gives
// "Application-defined or object-defined error".
std::string StandardErrorText(std::int32_t number);

[[noreturn]] void Raise(std::int32_t number, std::string source = {});

}  // namespace quindel
