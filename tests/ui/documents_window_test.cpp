// The window's side of the documents: Qt's own texts in Chinese, the file dialogs'
// filters and extension rule, file names that are not UTF-8, the demonstration held
// while a question is open, --help and --version.
#include <QAbstractButton>
#include <QColorDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "ui/app/settings_store.h"
#include "ui/app/velmora_app.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {



// Runs act on the first visible window of type T once it is open (polling from the
// event loop that the window's own exec runs).
template <class T>
void WhenModal(const std::function<void(T*)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* w = qobject_cast<T*>(top); w && w->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(w);
                return;
            }
        }
    });
    poll->start(20);
}

// Saves a picture of a window for the reader of the test log.
void Keep(QWidget* w, const char* name) {
    const QString path = QDir::temp().filePath(QString::fromLatin1(name));
    if (w->grab().save(path)) {
        std::printf("picture: %s\n", qPrintable(path));
        std::fflush(stdout);
    }
}

class Documents : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        QSettings(Text(kSettingsOrganization), Text(kSettingsApplication)).clear();
        // A dialog left open (one that refused what the test did) fails the test
        // instead of hanging it.
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QDialog*>(top); d && d->isVisible()) {
                    ADD_FAILURE() << "left open: " << d->metaObject()->className() << " "
                                  << d->windowTitle().toStdString();
                    d->reject();
                }
            }
        });
        watchdog.start(20000);
    }
    void TearDown() override {
        if (app) app->frame->quitting = true;
        app.reset();
    }
    // Starts with real message boxes (no hook) unless answered is set.
    void Start(bool answered, const StartRequest& request = {}, const std::string& filePath = {}) {
        app = std::make_unique<CVelmoraApp>();
        if (answered)
            app->user.messageHook = [](std::string_view, Buttons b, Icon) {
                return b == Buttons::YesNo || b == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
            };
        ASSERT_TRUE(app->Start(request, filePath));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app->frame.get()));
    }
    CMainFrame& Frame() { return *app->frame; }
    CVelmoraDoc& Doc() { return *app->doc; }

    QTimer watchdog;
    std::unique_ptr<CVelmoraApp> app;
    QTemporaryDir dir;
};

TEST_F(Documents, MessageBoxAndColourDialogReadSimplifiedChinese) {
    Start(false);
    Doc().SetModifiedFlag(true);
    QStringList buttons;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons()) buttons << b->text();
        Keep(box, "velmora_save_question.png");
        box->button(QMessageBox::Cancel)->click();
    });
    Frame().Dispatch(cmd::kFileNew);
    ASSERT_EQ(buttons.size(), 3);
    for (const QString& b : buttons) {
        EXPECT_FALSE(b.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")))) << b.toStdString();
    }
    EXPECT_TRUE(buttons.join(QString()).contains(Text("取消"))) << buttons.join(u'|').toStdString();
    EXPECT_TRUE(Doc().IsModified());

    QStringList labels;
    WhenModal<QColorDialog>([&](QColorDialog* d) {
        for (QLabel* l : d->findChildren<QLabel*>()) labels << l->text();
        Keep(d, "velmora_colour_dialog.png");
        d->reject();
    });
    int colour = 0x0000ff;
    EXPECT_FALSE(app->user.ChooseColour(colour, true));
    EXPECT_FALSE(labels.join(u'|').contains(QStringLiteral("Basic colors"))) << labels.join(u'|').toStdString();
    EXPECT_TRUE(labels.join(u'|').contains(Text("基本颜色"))) << labels.join(u'|').toStdString();
}

TEST_F(Documents, DemonstrationWaitsWhileTheSaveQuestionIsOpen) {
    Start(false);
    Doc().model.autoDemoCount = 1;
    Doc().SetModifiedFlag(true);
    const std::string asked = CodeOf(Doc().model.cube);
    const int pos = Doc().model.demoPos;
    std::string underQuestion;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        for (int i = 0; i < 20; ++i) Frame().CubeView()->DemonstrationTick();
        underQuestion = CodeOf(Doc().model.cube);
        EXPECT_EQ(Doc().model.demoPos, pos);
        box->button(QMessageBox::Cancel)->click();
    });
    Frame().Dispatch(cmd::kScrambleTop);
    EXPECT_EQ(underQuestion, asked);
    EXPECT_EQ(CodeOf(Doc().model.cube), asked);
    // With the question gone the demonstration steps again.
    Frame().CubeView()->DemonstrationTick();
    EXPECT_GT(Doc().model.demoPos, pos);
}

TEST_F(Documents, OpenDialogOffersAllFilesAndOpensAPlainMoveText) {
    Start(true);
    const QString moves = dir.filePath(QStringLiteral("moves.txt"));
    std::ofstream(QFile::encodeName(moves).toStdString()) << "F+;R+;";
    QStringList filters;
    QString lookIn;
    QString folderKind;
    WhenModal<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        if (auto* label = d->findChild<QLabel*>(QStringLiteral("lookInLabel"))) lookIn = label->text();
        if (auto* files = d->findChild<QFileSystemModel*>()) folderKind = files->type(files->index(dir.path()));
        Keep(d, "velmora_open_dialog.png");
        d->selectNameFilter(filters.value(1));
        d->setDirectory(dir.path());
        QTest::qWait(50);
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("moves.txt"));
        static_cast<QDialog*>(d)->accept();
    });
    Frame().Dispatch(cmd::kFileOpen);
    EXPECT_EQ(filters, QStringList({Text("魔方文件 (*.mf)"), Text("所有文件 (*)")}));
    EXPECT_FALSE(lookIn.isEmpty());
    EXPECT_FALSE(lookIn.contains(QStringLiteral("Look"))) << lookIn.toStdString();
    EXPECT_EQ(folderKind, Text("文件夹"));
    EXPECT_EQ(Doc().PathName(), QFile::encodeName(moves).toStdString());
    EXPECT_EQ(Frame().Message(), Text("文件打开成功"));
}

TEST_F(Documents, ACodeOutOfRangeOrNamingAPieceTwiceIsNeverOpenedAndTheCubeStays) {
    Start(true);
    std::vector<std::string> said;
    app->user.messageHook = [&](std::string_view text, Buttons, Icon) { return said.emplace_back(text), Answer::Ok; };
    const std::string shown = CodeOf(Doc().model.cube), path = Doc().PathName();
    const std::string ones = QFile::encodeName(dir.filePath(QStringLiteral("ones.mf"))).toStdString();
    const std::string doubled = ones + ".doubled.mf";
    std::ofstream(ones) << std::string(72, '1');
    std::ofstream(doubled) << "110110130140210220230240310320330340410420430440510520530540123456000000 00 \r\n";
    EXPECT_FALSE(Doc().OpenDocumentFile(ones));
    EXPECT_FALSE(Doc().OpenDocumentFile(doubled));
    EXPECT_EQ(said, std::vector<std::string>({"不能打开文件“" + ones + "”！", "魔方零件错误，不能复原！"}));
    EXPECT_EQ(Frame().Message(), Text("文件打开失败"));
    Keep(&Frame(), "velmora_parts_error_open.png");
    EXPECT_EQ(CodeOf(Doc().model.cube), shown);
    EXPECT_EQ(Doc().PathName(), path);
}

TEST_F(Documents, SaveAsAddsMfOnlyToANameWithoutAnExtension) {
    Start(true);
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"pos.htm", "pos.htm"}, {"bare", "bare.mf"}, {"cube.mf", "cube.mf"}};
    for (const auto& c : cases) {
        WhenModal<QFileDialog>([&](QFileDialog* d) {
            // As typed into the name field of the dialog.
            d->setDirectory(dir.path());
            QTest::qWait(50);
            auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromLatin1(c.typed));
            static_cast<QDialog*>(d)->accept();
        });
        Frame().Dispatch(cmd::kFileSaveAs);
        EXPECT_EQ(Doc().PathName(), QFile::encodeName(dir.filePath(QString::fromLatin1(c.written))).toStdString())
            << c.typed;
        EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromLatin1(c.written)))) << c.typed;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("pos.htm.mf"))));
}

TEST_F(Documents, AFileWhoseNameIsNotUtf8OpensFromTheCommandLineADropAndTheRecentList) {
    const std::string bad = QFile::encodeName(dir.path()).toStdString() + "/bad\xff\xfename.mf";
    ASSERT_TRUE(std::filesystem::copy_file(VELMORA_TEST_SOLVED_FILE, bad));

    // The command line, as the program's main hands it over.
    std::string arg0 = "velmora", arg1 = bad;
    char* argv[] = {arg0.data(), arg1.data()};
    std::string filePath;
    const StartRequest request = ParseCommandLine(2, argv, {}, filePath);
    EXPECT_EQ(filePath, bad);
    Start(true, request, filePath);
    EXPECT_EQ(Doc().PathName(), bad);
    EXPECT_EQ(Frame().Message(), Text("文件打开成功"));

    // Dropped: the URL carries the bytes percent-encoded.
    Frame().Dispatch(cmd::kFileNew);
    ASSERT_TRUE(Doc().PathName().empty());
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + QByteArray::fromStdString(bad).toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(Doc().PathName(), bad) << Frame().Message().toStdString();

    // The recent-file list keeps the bytes across a restart and opens the file again.
    app->Exit();
    VelmoraSettings settings;
    std::vector<std::string> recent;
    LoadSettings(settings, recent);
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(recent[0], bad);
    Frame().Dispatch(cmd::kFileNew);
    Frame().Dispatch(cmd::kRecentFile1);
    EXPECT_EQ(Doc().PathName(), bad);
    EXPECT_EQ(Doc().recentFiles.size(), 1u);
    // QTemporaryDir cannot name this file to remove it.
    std::filesystem::remove(bad);
}

TEST_F(Documents, HelpAndVersionExitZeroAndTheVersionAgreesWithTheCliAndTheAboutBox) {
    const auto run = [](const char* program, const QString& option, bool display) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!display) env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QString::fromUtf8(program), {option});
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << program << " " << option.toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    const QString version = QStringLiteral(VELMORA_VERSION);
    EXPECT_EQ(run(VELMORA_GUI_PATH, QStringLiteral("--version"), false), QStringLiteral("velmora ") + version + '\n');
    EXPECT_EQ(run(VELMORA_CLI_PATH, QStringLiteral("--version"), false).trimmed(), QStringLiteral("velmora-cli ") + version);
    const QString help = run(VELMORA_GUI_PATH, QStringLiteral("--help"), false);
    EXPECT_TRUE(help.contains(QStringLiteral("usage: velmora [FILE.mf]")));
    EXPECT_TRUE(help.contains(QStringLiteral("--version")));

    AboutDialog about;
    auto* label = about.findChild<QLabel*>(QStringLiteral("version"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Velmora ") + version + Text(" 版"));
    Keep(&about, "velmora_about_box.png");
}

}  // namespace
}  // namespace velmora::test
