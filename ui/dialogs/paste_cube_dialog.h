#pragma once
// The paste dialog "粘贴魔方": one field for a text that describes a cube and, under it,
// the line that says what the text was recognised as (or what is wrong with it). OK is
// enabled only for a text that describes a cube. What the text is, is decided by
// RecognisePastedText (document/pasted_cube.h); the dialog only shows it.
#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class CTarnexSource;

class PasteCubeDialog : public QDialog {
    Q_OBJECT
public:
    // The model reads facelet strings and codes; it must outlive the dialog. Line
    // breaks of text (a facelet string pasted as six lines) become blanks.
    PasteCubeDialog(const CTarnexSource& model, const std::string& text, QWidget* parent = nullptr);

    std::string Text() const;
    QLineEdit* Field() const { return field_; }
    QLabel* Line() const { return line_; }
    QPushButton* OkButton() const { return ok_; }

private:
    void Recognise();

    const CTarnexSource& model_;
    QLineEdit* field_;
    QLabel* line_;
    QPushButton* ok_;
};

}  // namespace velmora
