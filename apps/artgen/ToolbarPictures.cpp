#include "ToolbarPictures.h"

#include <array>
#include <stdexcept>

namespace quindel::artgen {
namespace {

using enum Role;

Sketch Blank(double k) {
    return Sketch(kButtonSize, kButtonSize, true, k);
}

Sketch Window(double k) {
    Sketch s = Blank(k);
    s.rect(Paper, 4, 9, 16, 10);
    s.rect(Tint, 4, 5, 16, 3);
    s.rect(Paper, 16, 6, 2, 1);
    s.frame(Ink, 3, 4, 18, 16);
    s.rect(Ink, 4, 8, 16, 1);
    return s;
}

Sketch LetterA(double k) {
    Sketch s = Blank(k);
    // Crossbar on whole pixel rows (14–16) so it stays sharp; only the slanted legs blend.
    s.polygon(Ink,
              {{{10, 3}, {14, 3}, {20.5, 21}, {17, 21}, {15.5, 17}, {8.5, 17}, {7, 21}, {3.5, 21}},
               {{12, 8}, {14.2, 14}, {9.8, 14}}});
    return s;
}

Sketch TextLines(double k) {
    Sketch s = Blank(k);
    constexpr std::array<int, 5> kLengths{18, 16, 18, 12, 15};
    for (int i = 0; i < int(kLengths.size()); ++i) s.rect(Ink, 3, 3 + 4 * i, kLengths[i], 2);
    return s;
}

// A sheet of paper with a few grey text lines; the front sheet of the copy picture has
// its top-right corner folded.
void Sheet(Sketch& s, int x, int y, int w, int h, bool dogEar) {
    s.rect(Paper, x + 1, y + 1, w - 2, h - 2);
    for (int line = y + 3; line < y + h - 2; line += 2)
        s.rect(Shade, x + 2, line, (line / 2) % 3 == 0 ? w - 6 : w - 4, 1);
    if (!dogEar) {
        s.frame(Ink, x, y, w, h);
        return;
    }
    constexpr int kFold = 4;
    const int right = x + w - 1, bottom = y + h - 1;
    for (int i = 0; i < kFold; ++i) s.rect(None, right - kFold + 1 + i, y, kFold - i, 1 + i);
    s.line(Ink, x, y, right - kFold, y);
    s.line(Ink, right - kFold, y, right, y + kFold);
    s.line(Ink, right, y + kFold, right, bottom);
    s.line(Ink, right, bottom, x, bottom);
    s.line(Ink, x, bottom, x, y);
    s.line(Ink, right - kFold, y, right - kFold, y + kFold);
    s.line(Ink, right - kFold, y + kFold, right, y + kFold);
}

Sketch Printer(double k) {
    Sketch s = Blank(k);
    Sheet(s, 6, 3, 12, 7, false);
    s.rect(Tint, 4, 10, 16, 7);
    s.frame(Ink, 3, 9, 18, 9);
    s.rect(Paper, 17, 11, 2, 1);
    Sheet(s, 6, 14, 12, 7, false);
    return s;
}

Sketch TwoSheets(double k) {
    Sketch s = Blank(k);
    Sheet(s, 3, 3, 12, 14, false);
    Sheet(s, 9, 7, 12, 14, true);
    return s;
}

Sketch Play(double k) {
    Sketch s = Blank(k);
    s.polygon(Ink, {{{7, 4}, {7, 20}, {18, 12}}});
    return s;
}

Sketch StopRewind(double k) {
    Sketch s = Blank(k);
    s.rect(Ink, 5, 5, 3, 14);
    s.polygon(Ink, {{{19, 5}, {19, 19}, {8, 12}}});
    return s;
}

Sketch Loudspeaker(double k) {
    Sketch s = Blank(k);
    s.rect(Ink, 3, 9, 4, 6);
    s.polygon(Ink, {{{6, 9}, {12, 4}, {12, 20}, {6, 15}}});
    s.ring(Ink, {12, 12}, 3.5, 5.2, -45, 45);
    s.ring(Ink, {12, 12}, 7, 8.7, -50, 50);
    return s;
}

// A cube seen from the front-right: light top, tinted front, shaded side.
Sketch Block(double k) {
    Sketch s = Blank(k);
    constexpr int x = 4, y = 4, front = 13, depth = 4;
    const int fx = x, fy = y + depth, r = fx + front - 1, b = fy + front - 1;
    s.rect(Tint, fx + 1, fy + 1, front - 2, front - 2);
    for (int i = 1; i < depth; ++i) {
        s.rect(Paper, fx + depth - i + 1, y + i, front - 1, 1);
        s.rect(Shade, r + i, fy - i + 1, 1, front - 2);
    }
    s.frame(Ink, fx, fy, front, front);
    s.line(Ink, fx, fy, fx + depth, y);
    s.line(Ink, fx + depth, y, r + depth, y);
    s.line(Ink, r + depth, y, r, fy);
    s.line(Ink, r + depth, y, r + depth, b - depth);
    s.line(Ink, r + depth, b - depth, r, b);
    return s;
}

Sketch DoubleLeft(double k) {
    Sketch s = Blank(k);
    constexpr double kThickness = 3.5;
    for (double x : {4.0, 10.0})
        s.polygon(Ink, {{{x, 12},
                         {x + 7, 5},
                         {x + 7 + kThickness, 5},
                         {x + kThickness, 12},
                         {x + 7 + kThickness, 19},
                         {x + 7, 19}}});
    return s;
}

Sketch DoubleRight(double k) {
    return DoubleLeft(k).mirrored();
}

Sketch BulletList(double k) {
    Sketch s = Blank(k);
    constexpr std::array<int, 3> kLengths{12, 9, 11};
    for (int i = 0; i < 3; ++i) {
        const int y = 4 + 6 * i;
        s.rect(Ink, 3, y + 1, 4, 2);
        s.rect(Ink, 4, y, 2, 4);
        s.rect(Ink, 9, y + 1, kLengths[std::size_t(i)], 2);
    }
    return s;
}

Sketch Bar(double k) {
    Sketch s = Blank(k);
    s.rect(Tint, 4, 10, 16, 4);
    s.rect(Paper, 4, 10, 16, 1);
    s.frame(Ink, 3, 9, 18, 6);
    return s;
}

Sketch ReturnArrow(double k) {
    Sketch s = Blank(k);
    s.rect(Ink, 16, 3, 3, 7);
    s.ring(Ink, {13, 10}, 3, 6, 0, 90);
    s.rect(Ink, 9, 13, 4, 3);
    s.polygon(Ink, {{{3.5, 14.5}, {9.5, 8.5}, {9.5, 20.5}}});
    return s;
}

Sketch Pause(double k) {
    Sketch s = Blank(k);
    s.rect(Ink, 6, 5, 4, 14);
    s.rect(Ink, 14, 5, 4, 14);
    return s;
}

Sketch Easel(double k) {
    Sketch s = Blank(k);
    s.rect(Paper, 4, 4, 16, 10);
    s.polygon(Tint, {{{5, 14}, {9, 8}, {12, 11.5}, {14, 9.5}, {19, 14}}});
    s.disc(Tint, {16.5, 6.5}, 1.5);
    s.frame(Ink, 3, 3, 18, 12);
    s.stroke(Ink, {8, 15}, {5, 21}, 2);
    s.stroke(Ink, {16, 15}, {19, 21}, 2);
    s.rect(Ink, 11, 15, 2, 5);
    return s;
}

Sketch Magnifier(bool plus, double k) {
    Sketch s = Blank(k);
    constexpr Point kCentre{10, 10};
    s.disc(Paper, kCentre, 6);
    s.ring(Ink, kCentre, 5, 7);
    s.stroke(Ink, {14.5, 14.5}, {19.5, 19.5}, 3.6, true);
    s.rect(Ink, 7, 9, 6, 2);
    if (plus) s.rect(Ink, 9, 7, 2, 6);
    return s;
}

Sketch MagnifierPlus(double k) {
    return Magnifier(true, k);
}
Sketch MagnifierMinus(double k) {
    return Magnifier(false, k);
}

}  // namespace

Sketch ToolbarPicture(int column, double scale) {
    static constexpr std::array<Sketch (*)(double), kToolbarPictures> kPictures{
        Window,     LetterA,     TextLines, Printer,    TwoSheets,     Play,
        StopRewind, Loudspeaker, Block,     DoubleLeft, DoubleRight,   BulletList,
        Bar,        ReturnArrow, Pause,     Easel,      MagnifierPlus, MagnifierMinus};
    if (column < 0 || column >= kToolbarPictures) throw std::out_of_range("no such picture");
    return kPictures[std::size_t(column)](scale);
}

}  // namespace quindel::artgen
