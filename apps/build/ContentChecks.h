#pragma once
// The checks an author's content must pass, each message naming the file, the object and the
// field (with its line in the manifest):
// errors   - a file that is missing or cannot be read; a file the viewer's engines cannot open
//            as its type needs; a picture beyond what the viewer decodes; a text longer than its
//            record field; a character the code page cannot store; a record name or folder that
//            does not say where the file is;
// warnings - a picture larger than a large screen (the viewer shows it fitted, and at its own
//            size on a click); duplicate titles; objects without a caption; an object whose
//            record names no file; a panorama or interactive movie without a window size.
#include <vector>

#include "build/ContentPlan.h"
#include "build/Diagnostics.h"
#include "build/FileProbe.h"
#include "build/Manifest.h"

namespace quindel::build {

// Pictures wider or taller than this draw the "larger than the screen" warning (a 4K screen).
inline constexpr int kLargePictureWidth = 3840, kLargePictureHeight = 2160;

// probes[i] is object i's probe (ignored for objects without a file).
void CheckContent(const Manifest& m, const ContentPlan& plan,
                  const std::vector<ProbeResult>& probes, Diagnostics& out);

// The characters of `utf8` the code page cannot store, each once, in order; empty when all fit.
std::string CharactersOutsideCodePage(const std::string& utf8);

}  // namespace quindel::build
