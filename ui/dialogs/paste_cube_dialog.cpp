#include "ui/dialogs/paste_cube_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/pasted_cube.h"
#include "ui/dialogs/dialog_text.h"

namespace velmora {
namespace {

QString OneLine(const std::string& text) {
    QString s = DialogText(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}

}  // namespace

PasteCubeDialog::PasteCubeDialog(const CTarnexSource& model, const std::string& text, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(DialogText("粘贴魔方"));
    auto* prompt = new QLabel(DialogText("打乱公式（两种记号均可）、54位魔方字符串（U R F D L B）或72位位置代码："), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("pasteText"));
    field_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    field_->setMinimumWidth(field_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 64);
    prompt->setBuddy(field_);
    line_ = new QLabel(this);
    line_->setObjectName(QStringLiteral("pasteLine"));
    line_->setWordWrap(true);
    line_->setTextFormat(Qt::PlainText);
    ok_ = new QPushButton(DialogText("确定"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(DialogText("取消"), this);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(field_, &QLineEdit::textChanged, this, &PasteCubeDialog::Recognise);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(field_);
    layout->addWidget(line_);
    layout->addLayout(buttons);

    field_->setText(OneLine(text));
    Recognise();
}

std::string PasteCubeDialog::Text() const { return field_->text().toStdString(); }

void PasteCubeDialog::Recognise() {
    const PastedCube pasted = RecognisePastedText(model_, Text());
    line_->setText(DialogText(pasted.line));
    line_->setStyleSheet(pasted.ok ? QStringLiteral("color: #006000") : QStringLiteral("color: #b00000"));
    ok_->setEnabled(pasted.ok);
}

}  // namespace velmora
