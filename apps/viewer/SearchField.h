#pragma once
// The viewer's search field, at the right end of its status line: results as the person types,
// in a list that opens just above the field (the field sits at the window's bottom); Up and Down
// move through them, Enter shows the chosen one (the first when none is chosen) through
// ViewerSearch, Escape clears the field and closes the list. Ctrl+F anywhere in the window puts
// the focus into the field, and Enter or Escape give it back to where it was. Tab passes the field
// by. Both are named for assistive technology. Without a usable index the
// field stays, disabled, saying there is no search, with the reason as its tooltip.
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <string>

namespace quindel::viewer {

class ViewerSearch;

// The field's words in the catalogue's language: Polish, else English.
struct SearchFieldTexts {
    QString placeholder, unavailable, fieldName, resultsName;
    QString linkedTag;  // after the title of a linked entry, which is no multimedia object
    static SearchFieldTexts For(const std::string& language);
};

class SearchField : public QLineEdit {
  public:
    static constexpr int kResults = 12;
    static constexpr int kWidthPx = 240;

    // window: the main window's widget, which the results list opens in.
    SearchField(QWidget* window, ViewerSearch& search, const SearchFieldTexts& texts);

    // Where the field goes, in the window's pixels; the list opens above it.
    void Place(const QRect& rect);
    QListWidget& Results() const { return *results_; }

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void Update(const QString& text);
    void Choose();
    void CloseResults();
    void Move(int step);
    // To the widget that had the focus before Ctrl+F.
    void GiveFocusBack();

    ViewerSearch& search_;
    QPointer<QListWidget> results_;
    QString linkedTag_;
    QPointer<QWidget> before_;
};

}  // namespace quindel::viewer
