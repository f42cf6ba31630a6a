#include "ui/dialogs/help_window.h"

#include <QColor>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_text.h"

namespace velmora {

const Manual& UserManual() {
    // Read again until it was found: the resources are there once the application
    // object has made them known.
    static Manual manual;
    static bool read = false;
    if (!read) {
        QFile file(QStringLiteral(":/manual/manual.md"));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            read = ParseManual(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), manual);
        }
    }
    return manual;
}

namespace {

QString SectionHtml(const ManualSection& s) {
    QString html = QStringLiteral("<h2>%1</h2>").arg(DialogText(s.heading).toHtmlEscaped());
    bool inList = false;
    for (const ManualParagraph& p : s.paragraphs) {
        if (p.item && !inList) html += QStringLiteral("<ul>");
        if (!p.item && inList) html += QStringLiteral("</ul>");
        inList = p.item;
        const QString text = DialogText(p.text).toHtmlEscaped();
        html += p.item ? QStringLiteral("<li>%1</li>").arg(text) : QStringLiteral("<p>%1</p>").arg(text);
    }
    if (inList) html += QStringLiteral("</ul>");
    return html;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(DialogText("Velmora 使用说明"));
    resize(820, 600);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("helpSearch"));
    search_->setPlaceholderText(DialogText("搜索说明，例如 摄像头、Ctrl+S、B2"));
    search_->setClearButtonEnabled(true);
    search_->setAccessibleName(DialogText("搜索使用说明"));
    found_ = new QLabel(this);
    found_->setObjectName(QStringLiteral("helpFound"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("helpSections"));
    list_->setAccessibleName(DialogText("使用说明的各节"));
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("helpText"));
    text_->setAccessibleName(DialogText("使用说明"));
    text_->setOpenLinks(false);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(list_);
    split->addWidget(text_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 620});
    auto* top = new QHBoxLayout;
    top->addWidget(search_, 1);
    top->addWidget(found_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);

    connect(search_, &QLineEdit::textChanged, this, [this] { Refill(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) ShowSection(list_->item(row)->data(Qt::UserRole).toInt());
    });
    Refill();
}

void HelpWindow::Search(const QString& text) { search_->setText(text); }

void HelpWindow::Refill() {
    const std::vector<int> hits = FindInManual(UserManual(), search_->text().toStdString());
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (int i : hits) {
        auto* item = new QListWidgetItem(DialogText(UserManual().sections[static_cast<std::size_t>(i)].heading), list_);
        item->setData(Qt::UserRole, i);
    }
    if (search_->text().trimmed().isEmpty())
        found_->clear();
    else
        found_->setText(hits.empty() ? DialogText("没有找到") : DialogText("找到 %1 节").arg(static_cast<int>(hits.size())));
    // The section shown stays when it still holds the words; else the first that does.
    int keep = 0;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(Qt::UserRole).toInt() == shown_) keep = row;
    if (hits.empty()) {
        shown_ = -1;
        text_->clear();
        return;
    }
    list_->setCurrentRow(keep);
    ShowSection(list_->item(keep)->data(Qt::UserRole).toInt());
}

void HelpWindow::ShowSection(int index) {
    const auto& sections = UserManual().sections;
    if (index < 0 || index >= static_cast<int>(sections.size())) return;
    shown_ = index;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(Qt::UserRole).toInt() == index && list_->currentRow() != row) {
            const QSignalBlocker quiet(list_);
            list_->setCurrentRow(row);
        }
    text_->setHtml(SectionHtml(sections[static_cast<std::size_t>(index)]));
    MarkFound();
}

void HelpWindow::MarkFound() {
    const QString words = search_->text().trimmed();
    QList<QTextEdit::ExtraSelection> marks;
    if (!words.isEmpty()) {
        QTextCursor at(text_->document());
        while (!(at = text_->document()->find(words, at)).isNull()) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = at;
            mark.format.setBackground(QColor(255, 230, 90));
            marks.append(mark);
        }
        // The first place found is scrolled into view.
        if (!marks.isEmpty()) text_->setTextCursor(marks.first().cursor);
    }
    text_->setExtraSelections(marks);
}

QStringList HelpWindow::ListedHeadings() const {
    QStringList out;
    for (int row = 0; row < list_->count(); ++row) out << list_->item(row)->text();
    return out;
}

QString HelpWindow::ShownText() const { return text_->toPlainText(); }

}  // namespace velmora
