#include "ui/dialogs/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_text.h"
#include "ui/dialogs/help_window.h"

namespace velmora {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(DialogText("关于 Velmora Velmora"));
    QFont font(QStringLiteral("SimSun"));
    font.setPointSize(9);
    setFont(font);

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/app/velmora.xpm")));
    auto* version = new QLabel(DialogText("Velmora " VELMORA_VERSION " 版"), this);
    version->setObjectName(QStringLiteral("version"));
    auto* line = new QLabel(DialogText(UserManual().aboutLine), this);
    line->setObjectName(QStringLiteral("aboutLine"));
    line->setWordWrap(true);
    auto* where = new QLabel(DialogText("使用说明见“帮助 › 使用说明”（F1）。"), this);
    auto* ok = new QPushButton(DialogText("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(line);
    texts->addWidget(where);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedWidth(400);
}

}  // namespace velmora
