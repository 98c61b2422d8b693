#include "TextDepthDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <algorithm>

#include "TextFont.h"

namespace {
const char* const DefaultFamily = "DejaVu Sans";
}  // namespace

TextDepthDialog::TextDepthDialog(QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(tr("Text als Tiefenbild"));
    FText = new QPlainTextEdit(this);
    FText->setTabChangesFocus(true);
    FFont = new QComboBox(this);
    for (const std::string& Family : AvailableFontFamilies()) FFont->addItem(QString::fromStdString(Family));
    FFont->setCurrentIndex(std::max(0, FFont->findText(DefaultFamily)));
    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* Layout = new QFormLayout(this);
    Layout->addRow(tr("Text:"), FText);
    Layout->addRow(tr("Schrift:"), FFont);
    Layout->addRow(Buttons);
}

std::string TextDepthDialog::Text() const { return FText->toPlainText().toStdString(); }

// With no font installed at all the list is empty; the renderer's default then applies.
std::string TextDepthDialog::FontName() const { return FFont->currentText().toStdString(); }
