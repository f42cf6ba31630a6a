// The patterns, command-string and modify dialogs in the running window: each opened
// from its command, filled and confirmed like a person would, and the position it
// leaves checked against the move engine. VELMORA_DIALOG_SHOTS names a folder that
// receives a picture of each dialog as it was filled.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <functional>

#include "document/command_table.h"
#include "document/cube_modifier.h"
#include "document/pattern_table.h"
#include "document/velmora_doc.h"
#include "ui/app/velmora_app.h"
#include "ui/dialogs/command_string_dialog.h"
#include "ui/dialogs/modify_dialog.h"
#include "ui/dialogs/pattern_dialog.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "app_window_fixture.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {



// The position a move string gives from a start position, by the engine alone.
std::string EngineCode(const CubeState& from, std::string_view moves) {
    SilentUser silent;
    auto engine = std::make_unique<CTarnexSource>();
    engine->user = &silent;
    engine->InitCubeModel();
    engine->cube = from;
    engine->RunMoveString(0, moves);
    return CodeOf(engine->cube);
}

void SaveShot(QWidget* dialog, const char* name) {
    const QByteArray dir = qgetenv("VELMORA_DIALOG_SHOTS");
    if (dir.isEmpty()) return;
    dialog->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name), "PNG");
}

template <class Widget>
Widget* Child(QWidget* dialog, const char* name) {
    auto* w = dialog->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class Dialogs : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        if (IsSkipped()) return;
        StartApp({}, [this](std::string_view text, Buttons, Icon) {
            messages.emplace_back(text);
            return Answer::Ok;
        });
    }

    // Runs act on the dialog of type D once it is shown modally; act must close it.
    // Returns whether the dialog was seen.
    template <class D>
    bool WhenShown(const std::function<void(D*)>& act, const std::function<void()>& open) {
        bool seen = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) return;
            poll.stop();
            seen = true;
            act(d);
            if (d->isVisible()) d->reject();  // a failed check must not leave it open
        });
        poll.start();
        open();
        poll.stop();
        return seen;
    }


    std::vector<std::string> messages;
};

TEST_F(Dialogs, PatternChosenInTheListRunsOnTheRestoredCubeAndIsRememberedAfterOk) {
    CubeState solved;
    solved.SetSolved();
    ASSERT_TRUE(WhenShown<PatternDialog>(
        [](PatternDialog* d) {
            auto* list = Child<QComboBox>(d, "patternList");
            auto* reset = Child<QCheckBox>(d, "resetFirst");
            EXPECT_EQ(list->count(), 14);
            EXPECT_EQ(list->currentIndex(), 0);
            EXPECT_TRUE(reset->isChecked());
            list->setCurrentIndex(6);
            EXPECT_EQ(Child<QPlainTextEdit>(d, "patternCommand")->toPlainText(),
                      Text("执行的命令：\n") + Text(kPatterns[6].moves));
            SaveShot(d, "patterns.png");
            QTest::mouseClick(Child<QPushButton>(d, "ok"), Qt::LeftButton);
        },
        [&] { app->frame->Dispatch(cmd::kPatterns); }));
    EXPECT_EQ(CodeOf(Model().cube), EngineCode(solved, kPatterns[6].moves));
    EXPECT_EQ(app->frame->Message(), Text("已经执行六个字母U，并求出解法。"));

    // The next opening starts on the confirmed entry; a cancelled choice is forgotten.
    const std::string before = CodeOf(Model().cube);
    ASSERT_TRUE(WhenShown<PatternDialog>(
        [](PatternDialog* d) {
            auto* list = Child<QComboBox>(d, "patternList");
            EXPECT_EQ(list->currentIndex(), 6);
            list->setCurrentIndex(2);
            d->reject();
        },
        [&] { app->frame->Dispatch(cmd::kPatterns); }));
    EXPECT_EQ(CodeOf(Model().cube), before);
    ASSERT_TRUE(WhenShown<PatternDialog>(
        [](PatternDialog* d) {
            EXPECT_EQ(Child<QComboBox>(d, "patternList")->currentIndex(), 6);
            d->reject();
        },
        [&] { app->frame->Dispatch(cmd::kPatterns); }));
}

TEST_F(Dialogs, CommandStringFromF5FormatsAndRunsTheTypedSequence) {
    const CubeState start = Model().cube;
    ASSERT_TRUE(WhenShown<CommandStringDialog>(
        [](CommandStringDialog* d) {
            Child<QLineEdit>(d, "commandInput")->setText(QStringLiteral("R U R’ U’ B2"));
            QTest::mouseClick(Child<QPushButton>(d, "format"), Qt::LeftButton);
            EXPECT_EQ(Child<QLineEdit>(d, "ownForward")->text(), QStringLiteral("R+;T+;R-;T-;P*;"));
            EXPECT_EQ(Child<QLineEdit>(d, "ownReverse")->text(), QStringLiteral("P*;T+;R+;T-;R-;"));
            EXPECT_EQ(Child<QLineEdit>(d, "internationalForward")->text(), QStringLiteral("RUR'U'B2"));
            EXPECT_EQ(Child<QLineEdit>(d, "internationalReverse")->text(), QStringLiteral("B2URU'R'"));
            EXPECT_EQ(Child<QLineEdit>(d, "commandInput")->maxLength(), 180);
            EXPECT_EQ(Child<QLineEdit>(d, "prefix")->maxLength(), 120);
            EXPECT_TRUE(Child<QRadioButton>(d, "forward")->isChecked());
            SaveShot(d, "command_string.png");
            QTest::mouseClick(Child<QPushButton>(d, "ok"), Qt::LeftButton);
        },
        [&] {
            app->frame->CubeView()->setFocus();
            QTest::keyClick(app->frame->CubeView(), Qt::Key_F5);
        }));
    EXPECT_EQ(CodeOf(Model().cube), EngineCode(start, "R+;T+;R-;T-;P*;"));
    EXPECT_EQ(app->frame->Message(), Text("已经执行命令串1，用了5转，并求出解法。"));

    // Reversed with the single-step option: the cube waits restored, and stepping
    // through the whole demonstration runs the reverse and then the forward sequence.
    CubeState solved;
    solved.SetSolved();
    ASSERT_TRUE(WhenShown<CommandStringDialog>(
        [](CommandStringDialog* d) {
            EXPECT_EQ(Child<QLineEdit>(d, "commandInput")->text(), QStringLiteral("R U R’ U’ B2"));
            EXPECT_TRUE(Child<QPlainTextEdit>(d, "info")->toPlainText().endsWith(QStringLiteral("\nR+;T+;R-;T-;P*;")));
            Child<QRadioButton>(d, "reverse")->setChecked(true);
            Child<QCheckBox>(d, "singleStep")->setChecked(true);
            QTest::mouseClick(Child<QPushButton>(d, "ok"), Qt::LeftButton);
        },
        [&] { app->frame->Dispatch(cmd::kCommandString); }));
    EXPECT_EQ(CodeOf(Model().cube), CodeOf(solved));
    EXPECT_EQ(app->frame->Message(), Text("可以开始单步执行命令串2。"));
    for (int i = 0; i < 6; ++i) Model().StepSolution(+1);
    EXPECT_EQ(CodeOf(Model().cube), EngineCode(solved, "P*;T+;R+;T-;R-;"));
}

TEST_F(Dialogs, ModifyExchangesPiecesOnACopyAndTheSolveSeesThem) {
    ASSERT_TRUE(WhenShown<ModifyDialog>(
        [](ModifyDialog* d) {
            QTest::mouseClick(Child<QPushButton>(d, "restore"), Qt::LeftButton);
            Child<QComboBox>(d, "edge2")->setCurrentIndex(8);
            QTest::mouseClick(Child<QPushButton>(d, "exchangeEdges"), Qt::LeftButton);
            Child<QComboBox>(d, "corner1")->setCurrentIndex(2);
            for (int i = 0; i < 2; ++i) QTest::mouseClick(Child<QPushButton>(d, "twistCorner"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(d, "centre2"), Qt::LeftButton);
            EXPECT_EQ(Child<QPlainTextEdit>(d, "log")->toPlainText(),
                      Text("强制复原后执行的命令：\n互换 11上边块，51下边块 的位置； \n改变 23上角块 的色向； "
                           "\n改变 23上角块 的色向； \nF面中心小块顺时针转90度后色向为1；"));
            SaveShot(d, "modify.png");
            QTest::mouseClick(Child<QPushButton>(d, "ok"), Qt::LeftButton);
        },
        [&] { app->frame->Dispatch(cmd::kModify); }));
    CubeState want;
    want.SetSolved();
    CubeModifier edits(want);
    edits.ExchangeEdges(0, 8);
    edits.TwistCorner(2);
    edits.TwistCorner(2);
    edits.TurnCentre(2);
    // The solve may turn the bottom centre back (the last digit), nothing else.
    EXPECT_EQ(CodeOf(Model().cube).substr(0, 71), CodeOf(edits.Cube()).substr(0, 71));
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages[0].find("魔方装配错误"), std::string::npos) << messages[0];

    // Cancel leaves the cube as it is.
    const std::string before = CodeOf(Model().cube);
    ASSERT_TRUE(WhenShown<ModifyDialog>(
        [](ModifyDialog* d) {
            EXPECT_EQ(Child<QPlainTextEdit>(d, "log")->toPlainText(), Text("执行的命令："));
            QTest::mouseClick(Child<QPushButton>(d, "exchangeCorners"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(d, "cancel"), Qt::LeftButton);
        },
        [&] { app->frame->Dispatch(cmd::kModify); }));
    EXPECT_EQ(CodeOf(Model().cube), before);
}

}  // namespace
}  // namespace velmora::test
