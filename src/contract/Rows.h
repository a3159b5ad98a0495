#pragma once
// Every row of the display-control contract, for whoever checks or fakes them all.
#include <array>

#include "contract/AnimationForm.h"
#include "contract/Extractor.h"
#include "contract/Media.h"
#include "contract/Movie.h"
#include "contract/Panorama.h"
#include "contract/Picture.h"
#include "contract/Text.h"
#include "contract/Window.h"

namespace quindel::contract {

inline constexpr std::array<Row, 11> kRows{picture::kRow,     panorama::kRow,
                                           movie::kRow,       media::kFilm,
                                           media::kSound,     text::kRow,
                                           extractor::kRow,   animationform::kRow,
                                           window::kForm,     window::kAnimationSurface,
                                           window::kSoundSign};

}  // namespace quindel::contract
