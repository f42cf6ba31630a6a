#pragma once
// CTarnexSolutionView: the lower pane. Shows the suggested method, the solution's
// length and its moves with the "<=>" marker, or the input instructions in cube-input
// mode. A double click (or Enter) chooses the text colour, a right click (or the menu
// key, Shift+F10) the background colour.
//
// The move lines wrap to the pane's width between moves; when the text is taller than
// the pane a vertical scroll bar appears at its right edge, and every new step, click
// or size brings the marked move into view.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>

class QScrollBar;
class QTimer;

namespace velmora {

class CVelmoraDoc;
struct SolutionLayout;
struct InternationalRecord;

class CTarnexSolutionView : public QWidget {
    Q_OBJECT
public:
    explicit CTarnexSolutionView(CVelmoraDoc& doc, QWidget* parent = nullptr);
    ~CTarnexSolutionView() override;
    QSize sizeHint() const override { return QSize(500, 300); }

    // Draws the pane's visible part, at the current scroll position, into a picture of
    // its size (what the screen gets in one copy; the scroll bar is drawn over it).
    QImage Render() const;

    // A single left click on a token of the solution moves the demonstration to just
    // before it (CVelmoraDoc::StepSolutionTo). The click waits for the double-click
    // interval so that a double click (the text colour) does not also move it.
    // (x, y): unscaled pane pixels of the whole text, scrolling included.
    void JumpToTokenAt(int x, int y);
    // Width of one character of the move lines.
    int CharWidth() const;
    CVelmoraDoc& Doc() const { return doc_; }
    // The pane draws at this scale so that its text follows the desktop's font size
    // (1 for a desktop font of 12 pixels or less).
    double Scale() const;

    // The text the pane shows, laid out for its current width: the record in the
    // notation shown (own or international, with its marker position).
    const SolutionLayout& Layout() const;
    // The record text the lines are made of: the solution record, or its international
    // form while that notation is shown.
    std::string ShownRecord() const;
    // Fits the scroll bar to the text's height and, when the step, the text or the size
    // changed since the last call, scrolls the marked move into view. Runs at every
    // redraw of the document and change of size, and after a paint that found the
    // pane changed without one.
    void SyncScroll();
    // Whether the step, the text, the notation, the mode or the size changed since
    // the last SyncScroll.
    bool ScrollStale() const;
    QScrollBar* ScrollBar() const { return scrollBar_; }
    // Pixels of the text scrolled off above the pane.
    int ScrollOffset() const;
    // Widget rectangle of count characters from column of move line line.
    QRect CellRect(int line, int column, int count = 1) const;
    // Scrolls the least that shows move line line whole.
    void ScrollLineIntoView(int line);

    // What the pane says to a screen reader: the method and count on the first line,
    // then the moves in the notation shown (no marker); moveStart receives the text
    // position of the first move (-1 in cube input).
    QString AccessibleText(int* moveStart = nullptr) const;
    // Widget rectangle of accessible text character offset (empty for a line break or
    // beyond the text), and the reverse (-1 where no character is).
    QRect AccessibleCharacterRect(int offset) const;
    int AccessibleOffsetAt(QPoint widgetPoint) const;
    // Accessible text range [begin, end) of the token the next step demonstrates, the
    // caret (before that token) and the record position a caret at offset steps to
    // (-1 for none).
    std::pair<int, int> AccessibleNextToken() const;
    int AccessibleCaret() const;
    int OwnRecordPositionAt(int offset) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Lays out the shown record for the width left by the scroll bar when it shows.
    void LayOut(SolutionLayout& layout, InternationalRecord* translated, bool withScrollBar) const;
    // Height of the whole text in unscaled pixels.
    int ContentHeight(const SolutionLayout& layout, bool withScrollBar) const;
    // Tops and heights of the three input instructions, wrapped to the pane's width.
    void InputLines(QRect (&rects)[3], bool withScrollBar) const;

    CVelmoraDoc& doc_;
    QTimer* clickTimer_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QPoint clickPoint_;
    // The release that ends a double click is no single click.
    bool ignoreRelease_ = false;
    bool scrollShown_ = false;
    // What the last SyncScroll saw: a change brings the marked move into view.
    std::string seenRecord_;
    int seenPos_ = -1;
    QSize seenSize_;
    bool seenInternational_ = false;
    int seenInputMode_ = 0;
    mutable std::unique_ptr<SolutionLayout> layout_;
    // Learn mode's lines above the moves and the top of the first, set by LayOut.
    mutable QStringList header_;
    mutable int headerTop_ = 9;
};

}  // namespace velmora
