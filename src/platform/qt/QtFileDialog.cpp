#include "platform/qt/QtFileDialog.h"

#include <QStringList>

namespace quindel::qt {

namespace {

QtFileDialog::Answerer& Hook() {
    static QtFileDialog::Answerer hook;
    return hook;
}

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// "Rich text" with "*.rtf;*.txt" as Qt writes a filter: "Rich text (*.rtf *.txt)". A classic
// description often names its patterns already ("Rich text (*.rtf)"): it is shown as it is.
QString FilterOf(const platform::FileFilter& f) {
    QString patterns = FromUtf8(f.patterns);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString description = FromUtf8(f.description).trimmed();
    if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
        return description;
    return description + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
}

}  // namespace

void QtFileDialog::SetTestHook(Answerer hook) {
    Hook() = std::move(hook);
}

std::optional<std::string> QtFileDialog::Ask(const platform::FileQuestion& q) {
    const bool save = q.mode == platform::FileDialogMode::Save;
    QFileDialog dialog(parent_ ? parent_() : nullptr, FromUtf8(q.title), FromUtf8(q.folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!q.filters.empty()) {
        QStringList filters;
        for (const platform::FileFilter& f : q.filters) filters << FilterOf(f);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }
    if (!q.name.empty()) dialog.selectFile(FromUtf8(q.name));
    if (Hook()) return Hook()(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toUtf8().toStdString();
}

}  // namespace quindel::qt
