#include "ui/dialogs/input_tool_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_text.h"

namespace velmora {
namespace {

QString Utf8Text(const char* s) { return QString::fromUtf8(s); }

}  // namespace

InputToolDialog::InputToolDialog(const CTarnexSource& m, const std::string& text, const int (&marks)[7],
                                 QWidget* parent)
    : QDialog(parent), state_(m, text, marks) {
    setWindowTitle(Utf8Text("用户输入魔方工具"));

    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("toolText"));
    // Room for a facelet string pasted into a full line; the state keeps 54 letters.
    // Room for a facelet string pasted with blanks or line breaks between its letters.
    field_->setMaxLength(4 * kToolTextLength);
    field_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    field_->setMinimumWidth(field_->fontMetrics().horizontalAdvance(QString(kToolTextLength + 2, QLatin1Char('m'))));

    using enum InputToolState::Choice;
    const char* captions[5] = {"输入JAVA工具描述代码", "复原", "删除四周小块颜色", "删除边块颜色", "删除角块颜色"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        choices_[i] = new QRadioButton(Utf8Text(captions[i]), this);
        group->addButton(choices_[i], i);
    }
    centreBox_ = new QCheckBox(Utf8Text("复原中心小块色向"), this);
    auto* complete = new QPushButton(Utf8Text("补全复原颜色"), this);
    auto* ok = new QPushButton(Utf8Text("确定"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(Utf8Text("取消"), this);

    // Every change of the field counts, typed or set from outside (a screen reader
    // sets the text through the accessibility interface); the dialog's own updates
    // are blocked in Show.
    connect(field_, &QLineEdit::textChanged, this, [this](const QString& typed) {
        // Only letters a to h mean anything here; other characters stay one byte each.
        state_.TextEdited(typed.toLatin1().toStdString());
        Show();
    });
    connect(choices_[static_cast<int>(Restored)], &QRadioButton::clicked, this, [this] {
        state_.Restore();
        Show();
    });
    connect(choices_[static_cast<int>(EraseAll)], &QRadioButton::clicked, this, [this] {
        state_.EraseAll();
        Show();
    });
    connect(choices_[static_cast<int>(EraseEdges)], &QRadioButton::clicked, this, [this] {
        state_.EraseEdges();
        Show();
    });
    connect(choices_[static_cast<int>(EraseCorners)], &QRadioButton::clicked, this, [this] {
        state_.EraseCorners();
        Show();
    });
    connect(centreBox_, &QCheckBox::clicked, this, [this] {
        state_.ResetCentres();
        Show();
    });
    connect(complete, &QPushButton::clicked, this, [this] {
        state_.Complete();
        Show();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(field_, 1);
    auto* notes = new QVBoxLayout;
    notes->addWidget(new QLabel(Utf8Text("不能超过54位"), this));
    notes->addWidget(new QLabel(Utf8Text("只能使用'a'到'h'"), this));
    notes->addWidget(new QLabel(DialogText(kFaceletPasteNote), this));
    textRow->addLayout(notes);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("inputToolNote"));
    note_->setStyleSheet(QStringLiteral("color: #b00000"));

    auto* grid = new QGridLayout;
    grid->addWidget(choices_[static_cast<int>(Typed)], 0, 0);
    grid->addWidget(choices_[static_cast<int>(Restored)], 0, 1);
    grid->addWidget(choices_[static_cast<int>(EraseAll)], 1, 0);
    grid->addWidget(choices_[static_cast<int>(EraseEdges)], 1, 1);
    grid->addWidget(choices_[static_cast<int>(EraseCorners)], 1, 2);
    grid->addWidget(centreBox_, 2, 0);
    grid->addWidget(complete, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addWidget(note_);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    Show();
}

QRadioButton* InputToolDialog::ChoiceButton(InputToolState::Choice choice) const {
    return choices_[static_cast<int>(choice)];
}

void InputToolDialog::Show() {
    const QString text = QString::fromStdString(state_.Text());
    if (field_->text() != text) {
        const int cursor = field_->cursorPosition();
        const QSignalBlocker block(field_);
        field_->setText(text);
        field_->setCursorPosition(cursor < text.size() ? cursor : text.size());
    }
    choices_[static_cast<int>(state_.Selected())]->setChecked(true);
    centreBox_->setChecked(state_.CentresReset());
    note_->setText(QString::fromUtf8(state_.Note().c_str()));
}

}  // namespace velmora
