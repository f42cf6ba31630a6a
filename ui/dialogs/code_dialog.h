#pragma once
// The description-code dialog "Velmora描述代码": a code text the user can select and
// copy but not change, with its heading below it. Only "确定" is shown; the hidden
// "取消" makes Escape close the dialog the same way. Nothing flows back to the caller.
#include <QDialog>

class QPlainTextEdit;

namespace velmora {

class CodeDialog : public QDialog {
    Q_OBJECT
public:
    CodeDialog(const QString& text, const QString& heading, QWidget* parent = nullptr);

    QPlainTextEdit* CodeBox() const { return code_; }
    QPlainTextEdit* HeadingBox() const { return heading_; }

private:
    QPlainTextEdit* code_;
    QPlainTextEdit* heading_;
};

}  // namespace velmora
