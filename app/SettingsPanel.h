// The settings panel beside the window: one row for every setting of the settings table,
// labelled with its German label and described by its command-line option, and in place
// below them the reason the generator refused the last change. The panel only shows and
// reports: the window applies a change and shows back what the generator kept.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <map>

#include "SettingsTable.h"

class QLabel;
class QVBoxLayout;

class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 300;

    explicit SettingsPanel(QWidget* Parent);

    // Called when the user changes the value of Entry's control.
    std::function<void(const TSettingEntry& Entry, const TSettingValue& Value)> OnChange;

    // Shows Value in Entry's control without reporting it as a change.
    void ShowValue(TSettingId Id, const TSettingValue& Value);
    // Enables the row of a setting that the present kind or depth map uses.
    void SetUsed(TSettingId Id, bool Used);
    // A note under the setting's control (what was kept and why); empty hides it.
    void ShowNote(TSettingId Id, const QString& Note);
    QString Note(TSettingId Id) const;
    // The control of a setting, for tests and for finding it by its accessible name.
    QWidget* Control(TSettingId Id) const;

    // The reason shown in place of a picture that could not be made; empty hides it.
    void ShowRefusal(const QString& Reason);
    QString Refusal() const;

private:
    struct TRow {
        QWidget* Control = nullptr;
        QLabel* Label = nullptr;
        QLabel* Note = nullptr;
        std::function<void(const TSettingValue&)> Show;
    };
    void AddRow(const TSettingEntry& Entry);
    TRow MakeControl(const TSettingEntry& Entry);
    // A row of a whole number (QSpinBox, int) or a number (QDoubleSpinBox, double).
    template <class TBox, class TNumber>
    TRow SpinRow(QWidget* Parent, TNumber Reach, const std::function<void(TSettingValue)>& Changed);
    void Report(const TSettingEntry& Entry, const TSettingValue& Value);

    QVBoxLayout* FRows = nullptr;
    QLabel* FRefusal = nullptr;
    std::map<TSettingId, TRow> FControls;
    bool FShowing = false;
};
