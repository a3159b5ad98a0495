#include "platform/qt/QtMessageBox.h"

#include <QAbstractButton>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/QtTranslations.h"

namespace quindel::qt {

namespace mb = platform::mb;

namespace {

QtMessageBox::Answerer& Hook() {
    static QtMessageBox::Answerer hook;
    return hook;
}

constexpr std::array<std::pair<std::int16_t, QMessageBox::StandardButton>, 7> kButtons{{
    {mb::OK, QMessageBox::Ok},
    {mb::Cancel, QMessageBox::Cancel},
    {mb::Abort, QMessageBox::Abort},
    {mb::Retry, QMessageBox::Retry},
    {mb::Ignore, QMessageBox::Ignore},
    {mb::Yes, QMessageBox::Yes},
    {mb::No, QMessageBox::No},
}};

QMessageBox::StandardButton ButtonOf(std::int16_t answer) {
    for (const auto& [a, b] : kButtons)
        if (a == answer) return b;
    return QMessageBox::NoButton;
}

std::int16_t AnswerOf(QMessageBox::StandardButton button) {
    for (const auto& [a, b] : kButtons)
        if (b == button) return a;
    return 0;
}

QMessageBox::Icon IconOf(std::int32_t style) {
    switch (style & 0x70) {
        case mb::Critical:
            return QMessageBox::Critical;
        case mb::Question:
            return QMessageBox::Question;
        case mb::Exclamation:
            return QMessageBox::Warning;
        case mb::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QString FromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

void Build(QMessageBox& box, std::string_view text, std::int32_t style, std::string_view title,
           std::string_view language) {
    box.setIcon(IconOf(style));
    box.setWindowTitle(FromUtf8(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(FromUtf8(text));
    const std::vector<std::int16_t> answers = mb::Answers(style);
    QMessageBox::StandardButtons buttons;
    for (std::int16_t a : answers) buttons |= ButtonOf(a);
    box.setStandardButtons(buttons);
    // Our own texts, not the toolkit's: they are the same on every backend and need no
    // translation files.
    for (std::int16_t a : answers)
        box.button(ButtonOf(a))->setText(FromUtf8(mb::ButtonText(language, a)));
    const std::size_t chosen = std::size_t((style >> 8) & 3);
    box.setDefaultButton(ButtonOf(answers[chosen < answers.size() ? chosen : 0]));
    box.setEscapeButton(box.button(ButtonOf(mb::EscapeAnswer(style))));
}

}  // namespace

void QtMessageBox::setLanguage(std::string_view language) {
    MessageBox::setLanguage(language);
    LoadQtTranslations(language);
}

void QtMessageBox::SetTestHook(Answerer hook) {
    Hook() = std::move(hook);
}

std::int16_t QtMessageBox::Show(std::string_view text, std::int32_t style, std::string_view title) {
    QMessageBox box(parent_ ? parent_() : nullptr);
    Build(box, text, style, title, Language());
    if (Hook()) {
        const std::int16_t answer = Hook()(box);
        if (answer == 0) return mb::EscapeAnswer(style);
        if (!mb::Offers(style, answer))
            throw std::logic_error("test answer " + std::to_string(answer) +
                                   " is not a button of a box with style " + std::to_string(style));
        // Pressed as a person would, so the box's own mapping is what answers.
        box.button(ButtonOf(answer))->click();
    } else {
        box.exec();
    }
    const std::int16_t answer = AnswerOf(box.standardButton(box.clickedButton()));
    return answer != 0 ? answer : mb::EscapeAnswer(style);
}

}  // namespace quindel::qt
