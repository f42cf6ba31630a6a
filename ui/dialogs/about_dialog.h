#pragma once
// The About box: program icon, version line, the manual's short line and OK. The manual
// itself is the help window's (帮助 › 使用说明).
#include <QDialog>

namespace velmora {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace velmora
