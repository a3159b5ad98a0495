#pragma once
// Word wrapping for the article: paragraphs are the text's lines, each broken at blanks into
// lines no wider than the width (a word wider than that stands alone on its line).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quindel::viewer {

std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure);

}  // namespace quindel::viewer
