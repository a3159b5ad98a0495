#include "mci/FramePlayer.h"

#include <algorithm>

#include "mci/MciError.h"

namespace quindel::mci {

FramePlayer::FramePlayer(std::vector<int> delaysMs) : delays_(std::move(delaysMs)) {
    if (delays_.empty()) delays_.push_back(1);
    for (int& d : delays_) d = std::max(d, 1);
    end_ = Length();
}

std::uint32_t FramePlayer::Play(std::optional<std::int32_t> from, std::optional<std::int32_t> to,
                                std::int64_t now) {
    const auto inRange = [this](std::int32_t v) { return v >= 0 && v <= Length(); };
    if ((from && !inRange(*from)) || (to && !inRange(*to))) return err::OutOfRange;
    Advance(now);
    std::int32_t start = from.value_or(position_);
    if (!from && start >= Length()) start = 0;
    if (to && *to < start) return err::OutOfRange;
    if (start != position_ || from) {
        position_ = start;
        elapsed_ = 0;
    } else if (mode_ == PlayMode::Playing) {
        elapsed_ = now - frameStart_;
    }
    end_ = to.value_or(Length());
    Start(now);
    return err::None;
}

void FramePlayer::Pause(std::int64_t now) {
    Halt(now, PlayMode::Paused);
}

void FramePlayer::Resume(std::int64_t now) {
    Advance(now);
    if (mode_ == PlayMode::Playing) return;
    if (position_ >= end_) {
        // Played out: start over, as a play without arguments would.
        position_ = 0;
        elapsed_ = 0;
        end_ = Length();
    }
    Start(now);
}

void FramePlayer::Stop(std::int64_t now) {
    Halt(now, PlayMode::Stopped);
}

std::uint32_t FramePlayer::Seek(SeekTarget to, std::int64_t now) {
    std::int32_t target = 0;
    if (to.kind == SeekTarget::Kind::End) target = Length();
    if (to.kind == SeekTarget::Kind::Position) target = to.position;
    if (target < 0 || target > Length()) return err::OutOfRange;
    Advance(now);
    if (mode_ == PlayMode::Playing) mode_ = PlayMode::Stopped;
    position_ = target;
    elapsed_ = 0;
    end_ = Length();
    return err::None;
}

bool FramePlayer::Advance(std::int64_t now) {
    const std::int32_t before = position_;
    while (mode_ == PlayMode::Playing && now >= frameStart_ + delays_[std::size_t(position_)]) {
        frameStart_ += delays_[std::size_t(position_)];
        ++position_;
        if (position_ >= end_) {
            position_ = end_;
            elapsed_ = 0;
            mode_ = PlayMode::Stopped;
        }
    }
    return position_ != before;
}

std::optional<std::int64_t> FramePlayer::NextDue() const {
    if (mode_ != PlayMode::Playing) return std::nullopt;
    return frameStart_ + delays_[std::size_t(position_)];
}

void FramePlayer::Halt(std::int64_t now, PlayMode mode) {
    Advance(now);
    if (mode_ == PlayMode::Playing) elapsed_ = now - frameStart_;
    mode_ = mode;
}

void FramePlayer::Start(std::int64_t now) {
    if (position_ >= end_) {
        mode_ = PlayMode::Stopped;
        return;
    }
    frameStart_ = now - elapsed_;
    mode_ = PlayMode::Playing;
}

}  // namespace quindel::mci
