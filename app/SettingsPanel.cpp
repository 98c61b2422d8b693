#include "SettingsPanel.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

SettingsPanel::SettingsPanel(QWidget* Parent) : QWidget(Parent) {
    setObjectName("Settings");
    setAccessibleName(tr("Einstellungen"));
    setAutoFillBackground(true);
    auto* Outer = new QVBoxLayout(this);
    auto* Scroll = new QScrollArea(this);
    Scroll->setWidgetResizable(true);
    Scroll->setFrameShape(QFrame::NoFrame);
    auto* Content = new QWidget(Scroll);
    FRows = new QVBoxLayout(Content);
    FRows->addStretch();
    Scroll->setWidget(Content);
    Outer->addWidget(Scroll, 1);
    FRefusal = new QLabel(this);
    FRefusal->setObjectName("Refusal");
    FRefusal->setWordWrap(true);
    FRefusal->setAccessibleName(tr("Hinweis"));
    QPalette Red = FRefusal->palette();
    Red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    FRefusal->setPalette(Red);
    FRefusal->hide();
    Outer->addWidget(FRefusal);
}

void SettingsPanel::ShowRefusal(const QString& Reason) {
    FRefusal->setText(Reason);
    FRefusal->setVisible(!Reason.isEmpty());
}

QString SettingsPanel::Refusal() const { return FRefusal->text(); }
