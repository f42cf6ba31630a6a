#pragma once
// The input tool "用户输入魔方工具": the painted net as one line of 54 letters that the
// user types, pastes or changes with the quick edits. What each control does is
// computed by InputToolState (document/input_tool.h); the dialog only shows it.
#include <QDialog>
#include <string>

#include "document/input_tool.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace velmora {

class InputToolDialog : public QDialog {
    Q_OBJECT
public:
    InputToolDialog(const CTarnexSource& m, const std::string& text, const int (&marks)[7],
                    QWidget* parent = nullptr);

    const InputToolState& State() const { return state_; }
    QLineEdit* TextField() const { return field_; }
    QRadioButton* ChoiceButton(InputToolState::Choice choice) const;
    QCheckBox* CentreBox() const { return centreBox_; }

private:
    // Puts the state's text and choice on the controls.
    void Show();

    InputToolState state_;
    QLineEdit* field_;
    QLabel* note_ = nullptr;
    QRadioButton* choices_[5];
    QCheckBox* centreBox_;
};

}  // namespace velmora
