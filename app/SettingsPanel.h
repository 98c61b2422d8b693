// The settings panel beside the window: a control for every setting, and in place below
// them the reason the generator refused the last change.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QVBoxLayout;

class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 300;

    explicit SettingsPanel(QWidget* Parent);

    // The reason shown in place of a picture that could not be made; empty hides it.
    void ShowRefusal(const QString& Reason);
    QString Refusal() const;

private:
    QVBoxLayout* FRows = nullptr;
    QLabel* FRefusal = nullptr;
};
