#include "viewer/SearchField.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

#include "viewer/ViewerSearch.h"

namespace quindel::viewer {
namespace {

constexpr int kRecordRole = Qt::UserRole, kListRole = Qt::UserRole + 1;

}  // namespace

SearchFieldTexts SearchFieldTexts::For(const std::string& language) {
    if (language.rfind("pl", 0) == 0 || language.rfind("PL", 0) == 0)
        return {"Szukaj (Ctrl+F)", "Brak indeksu wyszukiwania", "Szukaj w listach",
                "Wyniki wyszukiwania", " (hasło powiązane)"};
    return {"Search (Ctrl+F)", "No search index", "Search the lists", "Search results",
            " (linked entry)"};
}

SearchField::SearchField(QWidget* window, ViewerSearch& search, const SearchFieldTexts& texts)
    : QLineEdit(window),
      search_(search),
      results_(new QListWidget(window)),
      linkedTag_(texts.linkedTag) {
    setAccessibleName(texts.fieldName);
    // Reached with Ctrl+F or a click, never by Tab or as the window's first focus: the panel's
    // and the display's keys stay where they were.
    setFocusPolicy(Qt::ClickFocus);
    setClearButtonEnabled(true);
    results_->setAccessibleName(texts.resultsName);
    results_->setFocusPolicy(Qt::NoFocus);  // the keys stay in the field
    results_->hide();
    if (!search_.Available()) {
        setPlaceholderText(texts.unavailable);
        setToolTip(QString::fromStdString(search_.Why()));
        setEnabled(false);
        return;
    }
    setPlaceholderText(texts.placeholder);
    auto* find = new QShortcut(QKeySequence::Find, window);
    find->setContext(Qt::WindowShortcut);
    QObject::connect(find, &QShortcut::activated, this, [this] {
        if (!hasFocus()) before_ = QApplication::focusWidget();
        setFocus(Qt::ShortcutFocusReason);
        selectAll();
    });
    QObject::connect(this, &QLineEdit::textEdited, this, [this](const QString& t) { Update(t); });
    QObject::connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        results_->setCurrentItem(item);
        Choose();
    });
}

void SearchField::Place(const QRect& rect) {
    setGeometry(rect);
    raise();
    if (results_->isVisible()) Update(text());
}

void SearchField::Update(const QString& text) {
    results_->clear();
    const auto hits = search_.Find(text.toStdString(), kResults);
    for (const hostkit::SearchHit& hit : hits) {
        const bool linked = hit.list == hostkit::SearchList::Linked;
        auto* item = new QListWidgetItem(
            QString::fromStdString(hit.title) + (linked ? linkedTag_ : QString()), results_);
        item->setData(kRecordRole, qlonglong(hit.record));
        item->setData(kListRole, int(hit.list));
    }
    if (hits.empty()) {
        results_->hide();
        return;
    }
    // As wide as the field or its longest title, whichever is wider, above the field.
    const int rows = results_->count();
    const int rowHeight = results_->sizeHintForRow(0);
    const int height = rows * rowHeight + 2 * results_->frameWidth();
    const int width = std::max(this->width(), results_->sizeHintForColumn(0) + 24);
    const QWidget* window = parentWidget();
    const int left = std::max(0, std::min(x() + this->width() - width, window->width() - width));
    results_->setGeometry(left, std::max(0, y() - height), width, std::min(height, y()));
    results_->show();
    results_->raise();
}

void SearchField::Move(int step) {
    if (!results_->isVisible() || results_->count() == 0) return;
    const int row = results_->currentRow() < 0 ? (step > 0 ? 0 : results_->count() - 1)
                                               : results_->currentRow() + step;
    results_->setCurrentRow(std::clamp(row, 0, results_->count() - 1));
}

void SearchField::Choose() {
    if (!results_->isVisible() || results_->count() == 0) return;
    const QListWidgetItem* item =
        results_->currentItem() ? results_->currentItem() : results_->item(0);
    const hostkit::SearchHit hit{static_cast<hostkit::SearchList>(item->data(kListRole).toInt()),
                                 item->data(kRecordRole).toLongLong(),
                                 {}};
    CloseResults();
    GiveFocusBack();
    search_.Show(hit);
}

void SearchField::GiveFocusBack() {
    if (before_ && before_ != this) before_->setFocus(Qt::OtherFocusReason);
    before_ = nullptr;
}

void SearchField::CloseResults() {
    results_->hide();
    results_->clear();
}

void SearchField::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Down:
            Move(1);
            return;
        case Qt::Key_Up:
            Move(-1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Choose();
            return;
        case Qt::Key_Escape:
            clear();
            CloseResults();
            GiveFocusBack();
            return;
        default:
            QLineEdit::keyPressEvent(e);
    }
}

}  // namespace quindel::viewer
