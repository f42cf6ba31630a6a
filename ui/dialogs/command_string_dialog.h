#pragma once
// The command-string dialog "魔方命令串": a typed move sequence shown in both notations
// forward and reversed, the direction to run, a prefix and a suffix command, and the
// single-step option. One dialog serves the whole run, so every field keeps its value.
#include <QDialog>
#include <string_view>

#include "document/command_string_form.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace velmora {

class CommandStringDialog : public QDialog {
    Q_OBJECT
public:
    explicit CommandStringDialog(QWidget* parent = nullptr);
    // Adds infoAppend to the information text and opens modally on the stored fields;
    // true with the fields after OK.
    bool Edit(std::string_view infoAppend, CommandStringChoice& choice);

    CommandStringForm form;

    void accept() override;

private:
    void ShowRenderings(const MoveRenderings& r);
    void FormatInput();

    QLineEdit* input_;
    QLineEdit* prefix_;
    QLineEdit* suffix_;
    QLineEdit* ownForward_;
    QLineEdit* ownReverse_;
    QLineEdit* internationalForward_;
    QLineEdit* internationalReverse_;
    QCheckBox* singleStep_;
    QRadioButton* forward_;
    QRadioButton* reverse_;
    QPlainTextEdit* info_;
    CommandStringChoice* result_ = nullptr;
};

}  // namespace velmora
