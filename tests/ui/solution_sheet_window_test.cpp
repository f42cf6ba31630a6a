// The solution sheet on paper: `velmora --sheet` read back with pdftotext, the nets of
// the rendered pages against the model, an unwritable target, and the two menu items.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <fstream>
#include <memory>

#include "document/velmora_doc.h"
#include "app_window_fixture.h"
#include "document/command_table.h"
#include "document/solution_sheet.h"
#include "ui/views/pane_drawing.h"
#include "ui/views/sheet_drawing.h"

namespace velmora::test {
namespace {

constexpr const char* kMoves = "R+;T+;F-;L*;P+;B-;R*;T-;F+;L+;P-;B*;";

struct ProgramRun {
    int code = -1;
    QString out, err;
};

// velmora with its own empty settings and no display.
ProgramRun RunVelmora(const QStringList& arguments, const QString& home) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    p.setProcessEnvironment(env);
    p.start(QString::fromUtf8(VELMORA_GUI_PATH), arguments);
    ProgramRun r;
    if (!p.waitForFinished(60000)) return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The model's sheet of the move text in file, solved by method.
std::unique_ptr<CTarnexSource> SolvedModel(const std::string& file, int method) {
    auto m = std::make_unique<CTarnexSource>();
    m->InitCubeModel();
    m->methodChoice = method;
    EXPECT_EQ(m->LoadCubeFile(file.c_str()), 1);
    return m;
}

QString NoBlanks(QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s"))); }

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("position.mf")).toStdString();
        std::ofstream(file) << kMoves;
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
    std::string file;
};

// Every stage's name, its moves in both notations and the closing line, in order.
TEST_F(SheetTest, WrittenSheetReadsBackStageByStage) {
    for (const auto& [option, method] : {std::pair{"group", 1}, std::pair{"eight-corner", 2}}) {
        const QString pdf = Path("sheet.pdf");
        const ProgramRun run = RunVelmora({QStringLiteral("--sheet"), pdf, QString::fromStdString(file),
                                           QStringLiteral("--method"), QString::fromUtf8(option)},
                                          dir.path());
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("sheet_ms: ")));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString read = NoBlanks(QString::fromUtf8(text.readAllStandardOutput()));

        const auto m = SolvedModel(file, method);
        SolutionSheet sheet;
        BuildSolutionSheet(*m, "position.mf", SheetDateToday(), sheet);
        ASSERT_GE(sheet.stages.size(), 2u);
        qsizetype at = read.indexOf(NoBlanks(Utf8(sheet.title)));
        EXPECT_GE(at, 0) << sheet.title;
        for (const SheetStage& stage : sheet.stages) {
            QString own, international;
            for (const std::string& move : stage.ownMoves) own += QString::fromStdString(move);
            for (const std::string& move : stage.internationalMoves) international += QString::fromStdString(move);
            for (const QString& part : {NoBlanks(Utf8(stage.name)), own, NoBlanks(international)}) {
                const qsizetype found = read.indexOf(part, at);
                EXPECT_GT(found, at) << option << ": " << part.toStdString();
                at = found;
            }
        }
        EXPECT_GT(read.indexOf(NoBlanks(Utf8(sheet.closing)), at), at);
        EXPECT_TRUE(sheet.restored);
    }
}

// Each net's 54 sticker centres on the rendered pages show the display colour of the
// sticker in the model after that stage (before the first, the start position).
TEST_F(SheetTest, RenderedNetsShowTheModelAfterEachStage) {
    REQUIRE_DISPLAY();
    const auto m = SolvedModel(file, 2);
    SolutionSheet sheet;
    BuildSolutionSheet(*m, "", "2026-12-08", sheet);
    // Colours far apart, so that a neighbour's colour can never pass for another.
    sheet.faceColours = {0, 0xffffff, 0x00a000, 0x0000e0, 0xe00000, 0x00d0ff, 0x30ffff};
    std::string bytes;
    std::vector<SheetNetPlace> places;
    int pages = 0;
    ASSERT_TRUE(SolutionSheetPdf(sheet, bytes, &places, &pages));
    const QString pdf = Path("nets.pdf");
    std::ofstream(pdf.toStdString(), std::ios::binary) << bytes;
    constexpr int kDpi = 100;
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-png"), pdf,
                                              Path("page")});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(places.size(), sheet.stages.size() + 1);

    m->cube = m->startState;
    for (const SheetNetPlace& place : places) {
        if (place.stage >= 0)
            for (const std::string& move : sheet.stages[static_cast<std::size_t>(place.stage)].ownMoves)
                m->RunMoveString(0, move);
        const QImage page(Path("page") + QStringLiteral("-%1.png").arg(place.page + 1, pages > 9 ? 2 : 1, 10, QLatin1Char('0')));
        ASSERT_FALSE(page.isNull()) << place.page;
        ASSERT_EQ(place.stickers.size(), static_cast<std::size_t>(kFaceletCount));
        for (int i = 0; i < kFaceletCount; ++i) {
            const FaceletRecord& r = m->FaceletTable[i];
            const int colour = m->StickerColour(r.row, r.col, r.sticker);
            const QPointF centre = place.stickers[static_cast<std::size_t>(i)].center() * (kDpi / 72.0);
            EXPECT_TRUE(ColourNear(page.pixel(centre.toPoint()), sheet.faceColours[static_cast<std::size_t>(colour)], 40,
                                   "stage " + std::to_string(place.stage) + " sticker " + std::to_string(i)));
        }
    }
}

// A target that cannot be written, or the cube file itself: exit 2 with the reason, an
// existing read-only file left as it was.
TEST_F(SheetTest, UnwritableTargetExitsWithTwoAndAMessage) {
    const QString locked = Path("locked.pdf");
    std::ofstream(locked.toStdString()) << "kept";
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    for (const QString& target : {Path("missing/folder/x.pdf"), locked, QString::fromStdString(file)}) {
        const ProgramRun run = RunVelmora({QStringLiteral("--sheet"), target, QString::fromStdString(file)}, dir.path());
        EXPECT_EQ(run.code, 2) << target.toStdString();
        EXPECT_TRUE(run.err.contains(Utf8("不能保存文件")) || run.err.contains(Utf8("不能写在魔方文件"))) << run.err.toStdString();
    }
    QFile kept(locked), cube(QString::fromStdString(file));
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == "kept");
    EXPECT_TRUE(cube.open(QIODevice::ReadOnly) && cube.readAll() == kMoves);
    EXPECT_EQ(RunVelmora({QStringLiteral("--sheet"), Path("y.pdf"), QStringLiteral("--method"), QStringLiteral("x")},
                         dir.path()).code, 2);
}

class SheetWindowTest : public AppWindowTest {};

// The two items of the file menu: the preview paints the sheet, the export writes it.
TEST_F(SheetWindowTest, MenuItemsPreviewAndExportTheSheet) {
    StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::Ok; });
    for (int id : {cmd::kPrintSolution, cmd::kExportSolutionPdf})
        EXPECT_TRUE(Frame().CommandAction(id) && Frame().CommandAction(id)->isEnabled()) << id;
    int previewPages = 0;
    app->user.printPreviewHook = [&](QPrintPreviewDialog& dialog) {
        dialog.show();
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
            preview->updatePreview();
            previewPages = preview->pageCount();
        }
        // A picture of the preview for a person to look at, when asked for.
        if (const char* shot = std::getenv("VELMORA_SHEET_PREVIEW_SHOT"))
            dialog.resize(900, 800), Pump(300), dialog.grab().save(QString::fromLocal8Bit(shot));
        return false;
    };
    Frame().Dispatch(cmd::kPrintSolution);
    EXPECT_GE(previewPages, 1);

    QTemporaryDir out;
    app->user.pathHook = [&](std::string& path) {
        path = out.filePath(QStringLiteral("export")).toStdString();
        return true;
    };
    Frame().Dispatch(cmd::kExportSolutionPdf);
    QFile pdf(out.filePath(QStringLiteral("export.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(Frame().Message().contains(Utf8("export.pdf")));
}

}  // namespace
}  // namespace velmora::test
