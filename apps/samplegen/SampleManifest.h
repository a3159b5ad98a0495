#pragma once
// The sample as its author would describe it: the manifest quindel-build makes the sample's
// lists, position files and packed files from. Objects inside packed files have their own file
// under media/packed/<packed file's name>/; objects whose record names a file the sample does not
// hold (the types nothing shows, the missing film, films and sounds past the first) name it
// without a file.
#include <string>
#include <vector>

#include "MediaCatalog.h"

namespace quindel::samplegen {

inline constexpr int kAnimationFrames = 16, kJourneyFrames = 36;

// The frames of an animation or interactive movie showing `d`.
int FramesOf(Diagram d);

// Whether the sample holds the file of the object whose record is `v`.
bool HoldsFile(const MediaObject& o, const hostkit::VoceLista& v);

// Where the object's own file is, relative to the sample folder, with '/'.
std::string SourceFile(const hostkit::VoceLista& v);

// media[i] is objects[i]'s record as the list holds it.
std::string SampleManifest(const std::vector<MediaObject>& objects,
                           const std::vector<hostkit::VoceLista>& media,
                           const std::vector<hostkit::VoceLista>& links);

}  // namespace quindel::samplegen
