#pragma once
// The patterns dialog "魔方图案": a list of named patterns, the move string the chosen
// one runs, and whether the cube is restored first. One dialog serves the whole run,
// so the last confirmed choice comes back at the next opening.
#include <QDialog>

#include "document/pattern_table.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;

namespace velmora {

class PatternDialog : public QDialog {
    Q_OBJECT
public:
    explicit PatternDialog(QWidget* parent = nullptr);
    // Opens modally on the stored choice; true with the chosen pattern after OK.
    bool Choose(PatternChoice& choice);

    PatternForm form;

private:
    void ShowCommand();

    QCheckBox* resetFirst_;
    QComboBox* list_;
    QPlainTextEdit* command_;
};

}  // namespace velmora
