#include "ui/dialogs/command_string_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_text.h"

namespace velmora {

namespace {

QLineEdit* ReadOnlyLine(QWidget* parent, const char* name) {
    auto* line = new QLineEdit(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setReadOnly(true);
    return line;
}

QLabel* WrappedLabel(std::string_view text, QWidget* parent) {
    auto* label = new QLabel(DialogText(text), parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

CommandStringDialog::CommandStringDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(DialogText("魔方命令串"));

    input_ = new QLineEdit(this);
    input_->setObjectName(QStringLiteral("commandInput"));
    input_->setMaxLength(kCommandInputLimit);
    prefix_ = new QLineEdit(this);
    prefix_->setObjectName(QStringLiteral("prefix"));
    prefix_->setMaxLength(kPrefixLimit);
    suffix_ = new QLineEdit(this);
    suffix_->setObjectName(QStringLiteral("suffix"));
    suffix_->setMaxLength(kSuffixLimit);
    ownForward_ = ReadOnlyLine(this, "ownForward");
    ownReverse_ = ReadOnlyLine(this, "ownReverse");
    internationalForward_ = ReadOnlyLine(this, "internationalForward");
    internationalReverse_ = ReadOnlyLine(this, "internationalReverse");
    singleStep_ = new QCheckBox(DialogText("首先复原魔方"), this);
    singleStep_->setObjectName(QStringLiteral("singleStep"));
    forward_ = new QRadioButton(DialogText("正向执行"), this);
    forward_->setObjectName(QStringLiteral("forward"));
    reverse_ = new QRadioButton(DialogText("逆向执行"), this);
    reverse_->setObjectName(QStringLiteral("reverse"));
    auto* format = new QPushButton(DialogText("格式化"), this);
    format->setObjectName(QStringLiteral("format"));
    info_ = new QPlainTextEdit(this);
    info_->setObjectName(QStringLiteral("info"));
    auto* ok = new QPushButton(DialogText("确定"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(DialogText("取消"), this);
    connect(ok, &QPushButton::clicked, this, &CommandStringDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(format, &QPushButton::clicked, this, &CommandStringDialog::FormatInput);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(DialogText("请输入命令："), this), row, 0);
    grid->addWidget(input_, row++, 1, 1, 3);
    grid->addWidget(WrappedLabel("等长格式（T:顶；F:前；R:右；P:后；L:左；B:底；+:顺时针转90度；*:转180度；-:逆时针转90度）", this),
                    row++, 0, 1, 4);
    grid->addWidget(new QLabel(DialogText("正"), this), row, 0, Qt::AlignRight);
    grid->addWidget(ownForward_, row, 1);
    grid->addWidget(new QLabel(DialogText("逆"), this), row, 2);
    grid->addWidget(ownReverse_, row++, 3);
    grid->addWidget(WrappedLabel("世界通用格式（U:顶；F:前；R:右；B:后；L:左；D:底；无顺时针90度；2:转180度；':逆时针90度）", this),
                    row++, 0, 1, 4);
    grid->addWidget(new QLabel(DialogText("正"), this), row, 0, Qt::AlignRight);
    grid->addWidget(internationalForward_, row, 1);
    grid->addWidget(new QLabel(DialogText("逆"), this), row, 2);
    grid->addWidget(internationalReverse_, row++, 3);
    grid->addWidget(new QLabel(DialogText("前导命令"), this), row, 0);
    grid->addWidget(prefix_, row, 1);
    grid->addWidget(new QLabel(DialogText("后续命令"), this), row, 2);
    grid->addWidget(suffix_, row++, 3);
    auto* options = new QHBoxLayout;
    options->addWidget(singleStep_);
    options->addSpacing(16);
    options->addWidget(forward_);
    options->addWidget(reverse_);
    options->addStretch(1);
    options->addWidget(format);
    grid->addLayout(options, row++, 0, 1, 4);
    grid->addWidget(new QLabel(DialogText("草  稿"), this), row, 0, Qt::AlignTop);
    grid->addWidget(info_, row++, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row - 1, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    // Tab follows the picture row by row (the fields were made in another order), then
    // the button column.
    const QList<QWidget*> order = {input_, ownForward_, ownReverse_, internationalForward_, internationalReverse_,
                                   prefix_, suffix_, singleStep_, forward_, reverse_, format, info_, ok, cancel};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    resize(640, 400);
}

bool CommandStringDialog::Edit(std::string_view infoAppend, CommandStringChoice& choice) {
    form.Open(infoAppend);
    input_->setText(DialogText(form.input));
    prefix_->setText(DialogText(form.prefix));
    suffix_->setText(DialogText(form.suffix));
    singleStep_->setChecked(form.singleStep);
    (form.ReverseChosen() ? reverse_ : forward_)->setChecked(true);
    info_->setPlainText(FromCrLf(form.info));
    info_->moveCursor(QTextCursor::End);
    ShowRenderings(form.renderings);
    result_ = &choice;
    const bool ok = exec() == QDialog::Accepted;
    result_ = nullptr;
    return ok;
}

void CommandStringDialog::ShowRenderings(const MoveRenderings& r) {
    ownForward_->setText(DialogText(r.ownForward));
    ownReverse_->setText(DialogText(r.ownReverse));
    internationalForward_->setText(DialogText(r.internationalForward));
    internationalReverse_->setText(DialogText(r.internationalReverse));
}

void CommandStringDialog::FormatInput() {
    const MoveRenderings r = FormatMoves(input_->text().toStdString());
    ShowRenderings(r);
    if (!r.ok) QMessageBox::warning(this, DialogText("魔方命令串"), DialogText(r.error.message));
}

void CommandStringDialog::accept() {
    CommandStringForm edited = form;
    edited.input = input_->text().toStdString();
    edited.prefix = prefix_->text().toStdString();
    edited.suffix = suffix_->text().toStdString();
    edited.singleStep = singleStep_->isChecked();
    edited.info = ToCrLf(info_->toPlainText());
    CommandStringChoice choice;
    if (!edited.Accept(forward_->isChecked(), choice)) {
        QMessageBox::warning(this, DialogText("魔方命令串"), DialogText(edited.error));
        return;
    }
    form = std::move(edited);
    ShowRenderings(form.renderings);
    if (result_) *result_ = choice;
    QDialog::accept();
}

}  // namespace velmora
