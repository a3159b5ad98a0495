#pragma once
// Date and time as the component writes them in its log and messages.
#include <ctime>
#include <string>

namespace quindel {

// Local time as "dd-mm-yyyy hh:mm:ss", 24-hour clock.
std::string FormatDataOra(std::time_t t);

}  // namespace quindel
