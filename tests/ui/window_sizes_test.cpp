// The window at any size: the solution pane wraps its lines between moves and scrolls
// so that every move can be reached, in both notations; the net and the input palette
// are scaled down whole.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLayout>
#include <QScrollBar>
#include <QSplitter>
#include <cstdlib>
#include <string>

#include "document/velmora_doc.h"
#include "app_window_fixture.h"
#include "document/command_table.h"
#include "model/move_notation.h"
#include "ui/views/net_drawing.h"
#include "ui/views/net_view.h"
#include "ui/views/solution_layout.h"
#include "ui/views/solution_view.h"

namespace velmora::test {
namespace {

struct WindowSize {
    const char* name;
    int width, height;
};

constexpr WindowSize kSizes[] = {
    {"default", 800, 572}, {"half laptop", 683, 700}, {"small", 520, 420},
    {"narrow", 400, 360},  {"tiny", 300, 260},
};

// The moves of a shown record as [begin, end) ranges of record positions: runs of
// characters up to a separator (own notation) or a blank (international).
std::vector<std::pair<int, int>> Moves(const std::string& record, bool international) {
    std::vector<std::pair<int, int>> moves;
    auto ends = [&](char c) { return international ? c == ' ' : IsSeparatorChar(c); };
    for (int i = kRecordMovesStart; i < static_cast<int>(record.size());) {
        if (ends(record[static_cast<std::size_t>(i)])) {
            ++i;
            continue;
        }
        const int begin = i;
        while (i < static_cast<int>(record.size()) && !ends(record[static_cast<std::size_t>(i)])) ++i;
        moves.emplace_back(begin, i);
    }
    return moves;
}

// The area of the pane the text may use: all of it but the scroll bar.
QRect TextArea(const CTarnexSolutionView& view) {
    QRect area = view.rect();
    if (view.ScrollBar()->isVisible()) area.setRight(view.ScrollBar()->geometry().left() - 1);
    return area;
}

class WindowSizes : public AppWindowTest {
protected:
    // The window at a size with its panes laid out for it (no waiting on the display).
    void Resize(const WindowSize& size) {
        Frame().resize(size.width, size.height);
        QCoreApplication::sendPostedEvents();
        Frame().layout()->activate();
        QCoreApplication::sendPostedEvents();
        ASSERT_EQ(Frame().size(), QSize(size.width, size.height));
    }
};

TEST_F(WindowSizes, EveryMoveIsWholeAndReachableAtEverySizeInBothNotations) {
    StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::No; });
    Frame().Dispatch(cmd::kEightCornerMethod);
    // The longest of a few seeded deals.
    unsigned longest = 0;
    std::size_t longestSize = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        Model().SeedRandom(seed);
        Frame().Dispatch(cmd::kFileNew);
        if (Model().SolutionRecord.size() > longestSize) longestSize = Model().SolutionRecord.size(), longest = seed;
    }
    Model().SeedRandom(longest);
    Frame().Dispatch(cmd::kFileNew);
    ASSERT_EQ(Model().methodUsed, 2);
    ASSERT_GT(Model().SolutionRecord.size(), 300u) << "a long solution";
    CTarnexSolutionView& view = *Frame().SolutionView();
    CVelmoraView& net = *Frame().NetView();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_TRUE(accessible && accessible->textInterface());
    QAccessibleTextInterface& text = *accessible->textInterface();
    const char* shots = std::getenv("VELMORA_SIZE_SHOTS");

    for (const bool international : {false, true}) {
        if (app->doc->internationalShown != international) Frame().Dispatch(cmd::kInternational);
        ASSERT_EQ(app->doc->internationalShown, international);
        const std::string record = view.ShownRecord();
        ASSERT_EQ(record, international ? TranslateSolutionRecord(Model().SolutionRecord.view()).text
                                        : std::string(Model().SolutionRecord.view()));
        const auto moves = Moves(record, international);
        for (const WindowSize& size : kSizes) {
            SCOPED_TRACE(std::string(size.name) + (international ? " international" : " own"));
            Resize(size);
            view.SyncScroll();
            const SolutionLayout& layout = view.Layout();
            // The accessible text is the notation shown.
            int start = -1;
            const QString spoken = view.AccessibleText(&start);
            ASSERT_GE(start, 0);
            EXPECT_EQ(spoken.mid(start).toStdString(), record.substr(kRecordMovesStart));
            EXPECT_EQ(text.text(0, -1), spoken);

            // Taller text than pane: the scroll bar shows, and its end shows the last line.
            const bool tall = layout.ContentHeight() * view.Scale() > view.height();
            EXPECT_EQ(view.ScrollBar()->isVisible(), tall);
            if (tall) {
                view.ScrollBar()->setValue(view.ScrollBar()->maximum());
                EXPECT_TRUE(TextArea(view).contains(view.CellRect(layout.lineCount - 1, 0)));
            }

            for (const auto& [begin, end] : moves) {
                int line = -1, column = -1;
                ASSERT_TRUE(SolutionPlaceOf(layout, begin, line, column)) << begin;
                view.ScrollLineIntoView(line);
                const QRect first = view.AccessibleCharacterRect(start + begin - kRecordMovesStart);
                for (int i = begin; i < end; ++i) {
                    int l = -1, c = -1;
                    ASSERT_TRUE(SolutionPlaceOf(layout, i, l, c));
                    EXPECT_EQ(l, line) << "move split at " << record.substr(begin, end - begin);
                    const QRect r = view.AccessibleCharacterRect(start + i - kRecordMovesStart);
                    EXPECT_TRUE(TextArea(view).contains(r)) << record.substr(begin, end - begin);
                    EXPECT_EQ(r.top(), first.top());
                    // The screen rectangle a reader asks for is the same place.
                    EXPECT_EQ(text.characterRect(start + i - kRecordMovesStart),
                              QRect(view.mapToGlobal(r.topLeft()), r.size()));
                }
            }

            // Stepping to the last move keeps it in view.
            const std::string own(Model().SolutionRecord.view());
            app->doc->StepSolutionTo(Moves(own, false).back().first);
            view.SyncScroll();
            const SolutionLayout& stepped = view.Layout();
            int marked = 0;
            for (int l = 0; l < stepped.lineCount; ++l) {
                const auto [b, e] = stepped.highlight[l];
                if (b >= e) continue;
                ++marked;
                EXPECT_TRUE(TextArea(view).contains(view.CellRect(l, b, e - b))) << "step in view";
            }
            EXPECT_EQ(marked, 1);
            app->doc->StepSolutionTo(kRecordMovesStart);

            // The net is whole at every size.
            const QRect netArea = net.rect();
            for (int cell = 0; cell < kFaceletCount; ++cell) EXPECT_TRUE(netArea.contains(net.CellRect(cell))) << cell;
            if (shots)
                Frame().grab().save(QStringLiteral("%1/window-%2x%3-%4.png")
                                        .arg(QString::fromLocal8Bit(shots))
                                        .arg(size.width)
                                        .arg(size.height)
                                        .arg(international ? QStringLiteral("international") : QStringLiteral("own")));
        }
    }

    // Cube input: the palette with its texts fits both panes that show it.
    Frame().resize(800, 572);
    Frame().RestoreLayout();
    Frame().Dispatch(cmd::kStartInput);
    ASSERT_EQ(Model().inputMode, -1);
    for (const WindowSize& size : {kSizes[0], kSizes[2]}) {
        Resize(size);
        const QSize extent = NetExtent(Model());
        EXPECT_LE(extent.width() * net.Scale(), net.width() + 0.5) << size.name;
        EXPECT_LE(extent.height() * net.Scale(), net.height() + 0.5) << size.name;
        if (shots && size.width == 800) Frame().grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/input-800x572.png"));
    }
}

}  // namespace
}  // namespace velmora::test
