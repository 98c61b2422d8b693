// The dialog that asks for a hidden text to make a depth map of: a multi-line text field
// and a choice of the installed fonts.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QPlainTextEdit;

class TextDepthDialog : public QDialog {
    Q_OBJECT
public:
    explicit TextDepthDialog(QWidget* Parent);

    // UTF-8, lines separated by '\n'.
    std::string Text() const;
    // The chosen font family; the renderer takes it in bold.
    std::string FontName() const;

private:
    QPlainTextEdit* FText = nullptr;
    QComboBox* FFont = nullptr;
};
