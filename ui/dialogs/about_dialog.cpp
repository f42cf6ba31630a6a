#include "ui/dialogs/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialogs/help_text.h"

namespace velmora {
namespace {

QString Utf8Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Utf8Text("关于 Velmora Velmora"));
    QFont font(QStringLiteral("SimSun"));
    font.setPointSize(9);
    setFont(font);
    // 266 x 167 dialog units at this font.
    resize(400, 272);

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/app/velmora.xpm")));
    auto* version = new QLabel(Utf8Text("Velmora " VELMORA_VERSION " 版"), this);
    version->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(Utf8Text("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    help_ = new QPlainTextEdit(this);
    help_->setObjectName(QStringLiteral("helpText"));
    help_->setReadOnly(true);
    help_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    help_->setPlainText(Utf8Text(kHelpText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(version, 1);
    top->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(help_, 1);
}

QString AboutDialog::HelpText() const { return help_->toPlainText(); }

}  // namespace velmora
