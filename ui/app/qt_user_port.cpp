#include "ui/app/qt_user_port.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/command_string_dialog.h"
#include "ui/dialogs/modify_dialog.h"
#include "ui/dialogs/pattern_dialog.h"
#include "ui/dialogs/code_dialog.h"
#include "ui/dialogs/input_tool_dialog.h"
#include "ui/dialogs/photo_input_dialog.h"
#include "ui/dialogs/paste_cube_dialog.h"
#include "ui/gl/modal_state.h"
#include "ui/views/file_names.h"
#include "ui/views/main_frame.h"
#include "ui/views/pane_drawing.h"
#include "ui/views/sheet_drawing.h"

namespace velmora {

Answer QtUserPort::Message(std::string_view text, Buttons buttons, Icon icon) {
    shownMessages.emplace_back(text);
    if (messageHook) return messageHook(text, buttons, icon);

    QMessageBox box(frame_);
    box.setWindowTitle(Utf8(kMessageCaption));
    box.setText(Utf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (icon) {
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Stop: box.setIcon(QMessageBox::Critical); break;
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Ok: return Answer::Ok;
        default:
            // Closed with the window's close button: the escape answer of the box.
            return buttons == Buttons::YesNo ? Answer::No
                   : buttons == Buttons::Ok  ? Answer::Ok
                                             : Answer::Cancel;
    }
}

void QtUserPort::SetStatus(std::string_view text) {
    if (frame_) frame_->SetMessage(text);
}

bool QtUserPort::TableProgress(std::string_view text, double share) {
    if (share < 0) {
        if (tableProgress_) tableProgress_->deleteLater();
        tableProgress_ = nullptr;
        return true;
    }
    if (!tableProgress_) {
        // Not modal: the window stays usable while the tables are built.
        tableProgress_ = new QProgressDialog(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                             QString::fromUtf8("取消"), 0, 1000, frame_);
        tableProgress_->setWindowTitle(QString::fromUtf8("Velmora提示"));
        tableProgress_->setWindowModality(Qt::NonModal);
        tableProgress_->setMinimumDuration(0);
        tableProgress_->show();
    }
    if (tableProgress_->wasCanceled()) return false;
    tableProgress_->setValue(static_cast<int>(share * 1000));
    return true;
}

void QtUserPort::SetClipboardText(std::string_view text) {
    QApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string QtUserPort::ClipboardText() { return QApplication::clipboard()->text().toStdString(); }

bool QtUserPort::EditPastedText(std::string& text) {
    if (!model_) return false;
    PasteCubeDialog dialog(*model_, text, frame_);
    const bool ok = pasteHook ? (dialog.show(), pasteHook(dialog)) : dialog.exec() == QDialog::Accepted;
    if (!ok) return false;
    text = dialog.Text();
    return true;
}

void QtUserPort::Redraw() {
    if (frame_) frame_->RedrawAll();
}

void QtUserPort::ShowCodeDialog(std::string_view text, std::string_view heading) {
    if (messageHook) {
        shownMessages.emplace_back(text);
        return;
    }
    CodeDialog dialog(Utf8(text), Utf8(heading), frame_);
    dialog.exec();
}

// The flag is the document's; the title shows it as Qt's unsaved-changes mark.
void QtUserPort::SetModified(bool) {
    if (frame_) frame_->UpdateTitle();
}

void QtUserPort::SetDocumentPath(std::string_view) {
    if (frame_) frame_->UpdateTitle();
}

void QtUserPort::SwapToolbarButton(int oldId, int newId) {
    if (frame_) frame_->SwapToolbarButton(oldId, newId);
}

bool QtUserPort::ChooseColour(int& colour, bool /*fullyOpen*/) {
    if (colourHook) return colourHook(colour);
    // The colour dialog always shows its custom-colour part: every opening is a fully
    // opened one.
    ModalScope modal;
    const QColor chosen = QColorDialog::getColor(RefColour(colour), frame_, Utf8("颜色"));
    if (!chosen.isValid()) return false;
    colour = ColourRef(chosen);
    return true;
}

bool QtUserPort::ChooseOpenPath(std::string& path, std::string_view filter) {
    if (pathHook) return pathHook(path);
    ModalScope modal;
    // Plain move-text files open as well as cube files.
    QFileDialog dialog(frame_, Utf8("打开"), fileFolder, Utf8(filter) + QStringLiteral(";;") + Utf8(kAllFilesFilter));
    dialog.setObjectName(QStringLiteral("openDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = NativePath(dialog.selectedFiles().constFirst());
    fileFolder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    return true;
}

bool QtUserPort::ChooseSavePath(std::string& path, std::string_view filter, std::string_view suggested) {
    if (pathHook) return pathHook(path);
    ModalScope modal;
    // A suggested bare name goes into the folder of the last file.
    QString start = DisplayPath(suggested);
    if (!fileFolder.isEmpty() && !start.contains(QLatin1Char('/'))) start = QDir(fileFolder).filePath(start);
    QFileDialog dialog(frame_, Utf8("另存为"), start, Utf8(filter));
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The filter's extension (".mf", or ".pdf" for the solution sheet) joins a name
    // without an extension only, as the document's own rule does, so that the dialog
    // asks before replacing the file that will really be written.
    const std::size_t star = filter.find("(*.");
    const std::size_t close = star == std::string_view::npos ? star : filter.find_first_of(" )", star + 3);
    dialog.setDefaultSuffix(close == std::string_view::npos ? QStringLiteral("mf")
                                                            : Utf8(filter.substr(star + 3, close - star - 3)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = NativePath(dialog.selectedFiles().constFirst());
    fileFolder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    return true;
}

bool QtUserPort::BarVisible(Bar bar) const {
    if (!frame_) return true;
    return bar == Bar::Toolbar ? frame_->ToolBar()->isVisibleTo(frame_) : frame_->statusBar()->isVisibleTo(frame_);
}

void QtUserPort::ShowBar(Bar bar, bool shown) {
    if (!frame_) return;
    if (bar == Bar::Toolbar)
        frame_->ToolBar()->setVisible(shown);
    else
        frame_->statusBar()->setVisible(shown);
    frame_->UpdateCommandStates();
}

void QtUserPort::RestoreLayout() {
    if (!frame_) return;
    frame_->RestoreLayout();
    frame_->CentreOnScreen();
}

void QtUserPort::ShowAbout() {
    if (messageHook) {
        shownMessages.emplace_back("about");
        return;
    }
    AboutDialog dialog(frame_);
    dialog.exec();
}

void QtUserPort::Quit() {
    if (frame_) {
        frame_->quitting = true;
        frame_->close();
    }
    QApplication::quit();
}

bool QtUserPort::EditCube(CubeState& copy) {
    ModifyDialog dialog(copy, frame_);
    if (dialog.exec() != QDialog::Accepted) return false;
    copy = dialog.Cube();
    return true;
}

bool QtUserPort::ChoosePattern(PatternChoice& choice) {
    if (!patternDialog_) patternDialog_ = new PatternDialog(frame_);
    return patternDialog_->Choose(choice);
}

bool QtUserPort::EditCommandString(std::string_view infoAppend, CommandStringChoice& out) {
    if (!commandStringDialog_) commandStringDialog_ = new CommandStringDialog(frame_);
    return commandStringDialog_->Edit(infoAppend, out);
}

bool QtUserPort::EditInputText(std::string& text, int (&marks)[7]) {
    if (!model_) return false;
    InputToolDialog dialog(*model_, text, marks, frame_);
    const bool ok = inputToolHook ? (dialog.show(), inputToolHook(dialog)) : dialog.exec() == QDialog::Accepted;
    if (!ok) return false;
    text = dialog.State().Text();
    for (int k = 1; k <= 6; ++k) marks[k] = dialog.State().Marks()[k];
    return true;
}

bool QtUserPort::PrintSheet(const SolutionSheet& sheet) {
    ModalScope modal;
    QPrinter printer(QPrinter::HighResolution);
    SetUpSheetPrinter(printer);
    QPrintPreviewDialog dialog(&printer, frame_);
    dialog.setObjectName(QStringLiteral("sheetPreview"));
    dialog.setWindowTitle(Utf8("打印解法"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&sheet](QPrinter* target) {
        SetUpSheetPrinter(*target);
        DrawSolutionSheet(*target, sheet);
    });
    if (printPreviewHook) return printPreviewHook(dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUserPort::SheetPdf(const SolutionSheet& sheet, std::string& bytes) { return SolutionSheetPdf(sheet, bytes); }

void QtUserPort::ReadPhotos(const std::function<int(std::string_view)>& apply,
                            const std::function<std::string(std::string_view)>& check) {
    if (!colours_) return;
    // One dialog for the run: closed without OK it keeps its photos and corrections.
    if (!photoDialog_) photoDialog_ = new PhotoInputDialog(*colours_, apply, check, frame_);
    else photoDialog_->SetCalls(apply, check);
    PhotoInputDialog& dialog = *photoDialog_;
    dialog.SetPhotoFolder(&photoFolder);
    if (!cameraFile.isEmpty()) {
        dialog.SetVideoFile(cameraFile);
        dialog.StartCamera();
    }
    if (photoHook) {
        dialog.show();
        photoHook(dialog);
        if (dialog.isVisible()) dialog.reject();
    } else {
        dialog.exec();
    }
}

}  // namespace velmora
