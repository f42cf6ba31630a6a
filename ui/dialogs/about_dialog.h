#pragma once
// The About box: program icon, version line, OK, and the help text in a read-only box.
#include <QDialog>

class QPlainTextEdit;

namespace velmora {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    QString HelpText() const;

private:
    QPlainTextEdit* help_;
};

}  // namespace velmora
