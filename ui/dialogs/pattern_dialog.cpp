#include "ui/dialogs/pattern_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_text.h"

namespace velmora {

PatternDialog::PatternDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(DialogText("魔方图案"));
    resetFirst_ = new QCheckBox(DialogText("首先复原魔方"), this);
    resetFirst_->setObjectName(QStringLiteral("resetFirst"));
    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("patternList"));
    list_->setMinimumContentsLength(16);
    command_ = new QPlainTextEdit(this);
    command_->setObjectName(QStringLiteral("patternCommand"));
    command_->setReadOnly(true);
    auto* ok = new QPushButton(DialogText("确定"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(DialogText("取消"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QComboBox::currentIndexChanged, this, [this] { ShowCommand(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* top = new QVBoxLayout;
    top->addWidget(resetFirst_);
    top->addWidget(list_);
    top->addWidget(command_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(420, 220);
}

bool PatternDialog::Choose(PatternChoice& choice) {
    {
        const QSignalBlocker quiet(list_);
        list_->clear();
        for (const PatternRow& row : kPatterns) list_->addItem(DialogText(row.name));
        list_->setCurrentIndex(form.selected);
    }
    resetFirst_->setChecked(form.resetFirst);
    ShowCommand();
    if (exec() != QDialog::Accepted) return false;
    return form.Accept(list_->currentIndex(), resetFirst_->isChecked(), choice);
}

void PatternDialog::ShowCommand() {
    command_->setPlainText(FromCrLf(PatternForm::CommandShown(list_->currentIndex())));
}

}  // namespace velmora
