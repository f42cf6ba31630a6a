#include "ui/dialogs/code_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {
namespace {

QString Utf8Text(const char* s) { return QString::fromUtf8(s); }

// Texts come with CR LF line ends; the boxes take LF.
QString Lines(const QString& s) { return QString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// A multi-line box that shows its text for selecting and copying only.
QPlainTextEdit* ReadOnlyBox(const QString& text, bool framed, QWidget* parent) {
    auto* box = new QPlainTextEdit(Lines(text), parent);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (!framed) {
        box->setFrameStyle(QFrame::NoFrame);
        box->viewport()->setAutoFillBackground(false);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    return box;
}

}  // namespace

CodeDialog::CodeDialog(const QString& text, const QString& heading, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Utf8Text("Velmora描述代码"));
    code_ = ReadOnlyBox(text, true, this);
    code_->setObjectName(QStringLiteral("codeText"));
    code_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    heading_ = ReadOnlyBox(heading, false, this);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setFixedHeight(heading_->fontMetrics().lineSpacing() * 3 + 8);

    auto* ok = new QPushButton(Utf8Text("确定"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // Escape rejects a QDialog: the hidden "取消" closes it like "确定".
    auto* cancel = new QPushButton(Utf8Text("取消"), this);
    cancel->setVisible(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* note = new QLabel(Utf8Text("请选择菜单：查看--描述代码，禁止弹出本窗口。"), this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(code_, 1);
    layout->addWidget(heading_);
    layout->addLayout(bottom);
    resize(600, 240);
    ok->setFocus();
}

}  // namespace velmora
