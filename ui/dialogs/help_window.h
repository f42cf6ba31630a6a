#pragma once
// The user's manual in a window of its own (帮助 › 使用说明, F1): the sections listed on
// the left, the chosen one on the right, and a search field above that keeps only the
// sections holding the searched words and marks them in the text. It stays open beside
// the main window, which goes on taking keys and clicks.
#include <QWidget>

#include "document/manual_text.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace velmora {

// The manual the program carries (the same text the manual page is made from); read
// once, from the program's resources (made known by the application object).
const Manual& UserManual();

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Searches for text as typing it into the search field does.
    void Search(const QString& text);
    // Shows the section with index (into UserManual().sections).
    void ShowSection(int index);
    // The headings listed now, in order, and the text shown.
    QStringList ListedHeadings() const;
    QString ShownText() const;
    // The section shown; -1 when the search left none.
    int ShownSection() const { return shown_; }

private:
    void Refill();
    void MarkFound();

    QLineEdit* search_;
    QLabel* found_;
    QListWidget* list_;
    QTextBrowser* text_;
    int shown_ = -1;
};

}  // namespace velmora
