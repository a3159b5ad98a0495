#pragma once
// The scripted host on the Qt backend: real windows in the Qt event loop, real time.
#include <string>
#include <vector>

namespace quindel::lua {

// Makes the QApplication, runs the script, returns its exit code.
int RunOnQt(int& argc, char** argv, const std::string& script,
            const std::vector<std::string>& args);

}  // namespace quindel::lua
