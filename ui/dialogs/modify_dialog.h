#pragma once
// The modify-cube dialog "改装魔方": exchanges, flips and twists of pieces and quarter
// turns of centres on a copy of the position, each logged in words. A new dialog is
// made for every use; the caller takes the copy back after OK.
#include <QDialog>

#include "document/cube_modifier.h"

class QComboBox;
class QPlainTextEdit;

namespace velmora {

class ModifyDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModifyDialog(const CubeState& copy, QWidget* parent = nullptr);
    const CubeState& Cube() const { return modifier_.Cube(); }

private:
    void ShowLog();

    CubeModifier modifier_;
    QComboBox* edge1_;
    QComboBox* edge2_;
    QComboBox* corner1_;
    QComboBox* corner2_;
    QPlainTextEdit* log_;
};

}  // namespace velmora
