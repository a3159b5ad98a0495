#pragma once
// The rich-text box tests' host: a shown form on the headless backend with one box on it, the
// box also as a late-bound object, and short documents to load.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"

namespace quindel::test {

// "Line 1" to "Line n", one paragraph each.
inline std::string Lines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += "Line " + std::to_string(i) + (i < n ? "\n" : "");
    return text;
}

constexpr const char* kFormatted =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
    "\\pard Plain \\b bold\\b0  and \\i italic\\i0 .\\par Second paragraph.}";
constexpr const char* kFormattedText = "Plain bold and italic.\r\nSecond paragraph.";

class RichTextHost : public ::testing::Test {
  protected:
    RichTextHost() {
        form->Move(1500, 1500, 9000, 6000);
        form->Show();
        box->Move(300, 300, 6000, 3000);
    }

    headless::HeadlessPlatform p;
    std::shared_ptr<platform::Form> form = p.NewForm();
    std::shared_ptr<hostkit::RichTextBox> box = p.NewChild<hostkit::RichTextBox>(*form);
    Object obj = box;
};

}  // namespace quindel::test
