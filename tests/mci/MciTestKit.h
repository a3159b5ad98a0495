#pragma once
// What the interpreter tests share: stand-in animations and a headless host window.
// A stand-in animation is a text file "WxH: d0 d1 d2 ..." (size in pixels, one delay per
// frame), so a test writes any timing it needs without an image encoder; frame i is painted in
// the colour ColorOf(i), with its top-left pixel transparent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "TestFolder.h"
#include "mci/AnimationDevice.h"
#include "mci/CommandInterpreter.h"
#include "mci/MciError.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"

namespace quindel::mci::test {

inline platform::Rgba ColorOf(int frame) {
    return platform::MakeRgb(10 + frame * 20, 200 - frame * 10, 60);
}

class FakeFrames final : public FrameSource {
  public:
    FakeFrames(int w, int h, std::vector<int> delays) : w_(w), h_(h), delays_(std::move(delays)) {}
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    int FrameCount() const override { return int(delays_.size()); }
    int DelayMs(int frame) const override { return delays_[std::size_t(frame)]; }
    const platform::Image& Frame(int frame) override {
        image_ = platform::Image(w_, h_, ColorOf(frame));
        image_.setPixel(0, 0, 0);
        return image_;
    }

  private:
    int w_, h_;
    std::vector<int> delays_;
    platform::Image image_;
};

inline std::unique_ptr<FrameSource> LoadFake(const std::string& path, std::uint32_t& error) {
    std::ifstream in(path);
    if (!in) {
        error = err::FileNotFound;
        return nullptr;
    }
    int w = 0, h = 0;
    char x = 0, colon = 0;
    std::vector<int> delays;
    if (in >> w >> x >> h >> colon && x == 'x' && colon == ':')
        for (int d; in >> d;) delays.push_back(d);
    if (delays.empty()) {
        error = err::InvalidFile;
        return nullptr;
    }
    return std::make_unique<FakeFrames>(w, h, std::move(delays));
}

// A host form with the picture box an animation plays in, and an interpreter whose "mmmovie"
// reads stand-in animations.
class MciHost : public ::testing::Test {
  protected:
    MciHost() : mci(p) {
        form = p.NewForm();
        form->Move(0, 0, 12000, 9000);
        surface = p.NewPictureBox(*form);
        surface->setBackColor(platform::MakeRgb(1, 2, 3));
        surface->Move(0, 0, 9000, 6000);
        form->Show();
        RegisterAnimationDevice(mci.types(), "mmmovie", {"fake"}, LoadFake);
    }

    std::string Write(const std::string& name, const std::string& content) {
        const std::filesystem::path file = folder.path() / std::filesystem::path(name);
        std::ofstream(file) << content;
        return file.string();
    }

    // The command as the panel builds it, unquoted.
    std::string OpenCommand(const std::string& file) const {
        return "open " + file + " type mmmovie alias mmmMAT style child parent " +
               std::to_string(surface->hWnd());
    }

    std::uint32_t Send(const std::string& command, std::string* reply = nullptr,
                       std::size_t capacity = 80) {
        return mci.SendString(command, reply, reply ? capacity : 0);
    }

    std::string Query(const std::string& command) {
        std::string reply;
        const std::uint32_t e = Send(command, &reply);
        return e == err::None ? reply : "error " + std::to_string(e);
    }

    quindel::test::TestFolder folder{"mci"};
    headless::HeadlessPlatform p;
    CommandInterpreter mci;
    std::shared_ptr<platform::Form> form;
    std::shared_ptr<platform::PictureBox> surface;
};

}  // namespace quindel::mci::test
