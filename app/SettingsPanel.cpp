#include "SettingsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <type_traits>

#include "PaperSizes.h"

namespace {
// Whole numbers and numbers reach well past every limit, so that the generator's own
// limits apply and the panel can show what was kept.
constexpr int WholeReach = 100000;
constexpr double NumberReach = 100000;
constexpr int NumberDecimals = 3;
constexpr double AngleReach = 360;
// Room for a control beside its label, and for one of the three angles.
constexpr int ControlWidth = 120;
constexpr int AngleWidth = 58;

// A spin box of either kind, taking a value only when it is typed in full.
template <class TBox, class TNumber>
TBox* SpinBox(QWidget* Parent, TNumber Reach) {
    auto* Box = new TBox(Parent);
    Box->setRange(-Reach, Reach);
    if constexpr (std::is_same_v<TBox, QDoubleSpinBox>) Box->setDecimals(NumberDecimals);
    Box->setKeyboardTracking(false);
    return Box;
}
}  // namespace

template <class TBox, class TNumber>
SettingsPanel::TRow SettingsPanel::SpinRow(QWidget* Parent, TNumber Reach, const std::function<void(TSettingValue)>& Changed) {
    TBox* Box = SpinBox<TBox>(Parent, Reach);
    connect(Box, &TBox::valueChanged, this, [Changed](TNumber Value) { Changed(Value); });
    TRow Row;
    Row.Show = [Box](const TSettingValue& Value) {
        if (const TNumber* Number = std::get_if<TNumber>(&Value)) Box->setValue(*Number);
    };
    Row.Control = Box;
    return Row;
}

SettingsPanel::SettingsPanel(QWidget* Parent) : QWidget(Parent) {
    setObjectName("Settings");
    setAccessibleName(tr("Einstellungen"));
    setAutoFillBackground(true);
    auto* Outer = new QVBoxLayout(this);
    auto* Caption = new QLabel(tr("Einstellungen"), this);
    QFont Bold = Caption->font();
    Bold.setBold(true);
    Caption->setFont(Bold);
    Outer->addWidget(Caption);
    auto* Scroll = new QScrollArea(this);
    Scroll->setWidgetResizable(true);
    Scroll->setFrameShape(QFrame::NoFrame);
    Scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* Content = new QWidget(Scroll);
    FRows = new QVBoxLayout(Content);
    FRows->setSpacing(2);
    for (const TSettingEntry& Entry : SettingsTable())
        if (Entry.Kind != TSettingKind::MaskSource) AddRow(Entry);
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

// A row: the label, the control beside it, the note below. The depth map's row is the text
// of a text depth map; the pictures themselves come from the lists and load buttons.
void SettingsPanel::AddRow(const TSettingEntry& Entry) {
    TRow Row = MakeControl(Entry);
    const QString Label = Entry.Kind == TSettingKind::DepthSource ? tr("Text") : tr(Entry.Label.data());
    Row.Control->setObjectName(QString::fromUtf8(Entry.Option.data(), qsizetype(Entry.Option.size())).mid(2));
    Row.Control->setAccessibleName(Label);
    Row.Control->setAccessibleDescription(QString::fromUtf8(Entry.Option.data(), qsizetype(Entry.Option.size())));
    Row.Control->setToolTip(Row.Control->accessibleDescription());
    auto* Line = new QHBoxLayout;
    if (Entry.Kind != TSettingKind::Flag) {
        Row.Label = new QLabel(Label, Row.Control->parentWidget());
        Row.Label->setBuddy(Row.Control);
        if (Entry.Kind != TSettingKind::Rotation) Line->addWidget(Row.Label, 1);
    }
    if (Entry.Kind == TSettingKind::Rotation) {
        FRows->addWidget(Row.Label);
        Line->addStretch();
    } else if (Entry.Kind != TSettingKind::Flag) {
        Row.Control->setFixedWidth(ControlWidth);
    }
    Line->addWidget(Row.Control, Entry.Kind == TSettingKind::Flag ? 1 : 0);
    FRows->addLayout(Line);
    Row.Note = new QLabel(Row.Control->parentWidget());
    Row.Note->setWordWrap(true);
    Row.Note->setObjectName(Row.Control->objectName() + "-note");
    QPalette Red = Row.Note->palette();
    Red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    Row.Note->setPalette(Red);
    Row.Note->hide();
    FRows->addWidget(Row.Note);
    FControls[Entry.Id] = std::move(Row);
}

SettingsPanel::TRow SettingsPanel::MakeControl(const TSettingEntry& Entry) {
    QWidget* Parent = this;
    TRow Row;
    const std::function<void(TSettingValue)> Changed = [this, &Entry](TSettingValue Value) { Report(Entry, Value); };
    switch (Entry.Kind) {
        case TSettingKind::Integer:
        case TSettingKind::Count: Row = SpinRow<QSpinBox>(Parent, WholeReach, Changed); break;
        case TSettingKind::Number: Row = SpinRow<QDoubleSpinBox>(Parent, NumberReach, Changed); break;
        case TSettingKind::Choice:
        case TSettingKind::Paper: {
            auto* List = new QComboBox(Parent);
            if (Entry.Kind == TSettingKind::Paper) {
                List->addItem({});
                List->addItems(QString::fromStdString(PaperNames()).split(", "));
            }
            // Each choice in the window's words, with the option's word as its tooltip.
            for (const TChoiceName& Choice : Entry.Choices) {
                List->addItem(tr(Choice.Label.data()), Choice.Value);
                List->setItemData(List->count() - 1, QString::fromUtf8(Choice.Name.data(), qsizetype(Choice.Name.size())), Qt::ToolTipRole);
            }
            const bool Paper = Entry.Kind == TSettingKind::Paper;
            connect(List, &QComboBox::activated, this, [List, Changed, Paper](int Index) {
                if (Paper) Changed(List->itemText(Index).toStdString());
                else Changed(List->itemData(Index).toInt());
            });
            Row.Show = [List, Paper](const TSettingValue& Value) {
                if (const int* Choice = std::get_if<int>(&Value)) List->setCurrentIndex(List->findData(*Choice));
                if (const auto* Name = std::get_if<std::string>(&Value); Name && Paper)
                    List->setCurrentIndex(std::max(0, List->findText(QString::fromStdString(*Name))));
            };
            Row.Control = List;
            break;
        }
        case TSettingKind::Flag: {
            auto* Box = new QCheckBox(tr(Entry.Label.data()), Parent);
            connect(Box, &QCheckBox::toggled, this, [Changed](bool On) { Changed(On); });
            Row.Show = [Box](const TSettingValue& Value) {
                if (const bool* On = std::get_if<bool>(&Value)) Box->setChecked(*On);
            };
            Row.Control = Box;
            break;
        }
        case TSettingKind::Text:
        case TSettingKind::DepthSource: {
            auto* Line = new QLineEdit(Parent);
            // A font is taken when the line is finished; a text redraws with every key.
            if (Entry.Kind == TSettingKind::Text)
                connect(Line, &QLineEdit::editingFinished, this, [Line, Changed] { Changed(Line->text().toStdString()); });
            else
                connect(Line, &QLineEdit::textEdited, this, [Changed](const QString& Text) { Changed(Text.toStdString()); });
            Row.Show = [Line](const TSettingValue& Value) {
                const auto* Text = std::get_if<std::string>(&Value);
                const QString Shown = Text ? QString::fromStdString(*Text) : QString();
                if (Line->text() != Shown) Line->setText(Shown);
            };
            Row.Control = Line;
            break;
        }
        case TSettingKind::Rotation: {
            auto* Angles = new QWidget(Parent);
            auto* Layout = new QHBoxLayout(Angles);
            Layout->setContentsMargins(0, 0, 0, 0);
            std::array<QDoubleSpinBox*, 3> Boxes{};
            const char* const Axes[3] = {"X", "Y", "Z"};
            for (int Axis = 0; Axis < 3; ++Axis) {
                Boxes[std::size_t(Axis)] = SpinBox<QDoubleSpinBox>(Angles, AngleReach);
                Boxes[std::size_t(Axis)]->setDecimals(1);
                Boxes[std::size_t(Axis)]->setFixedWidth(AngleWidth);
                Boxes[std::size_t(Axis)]->setObjectName(QString("rotate-") + Axes[Axis]);
                Boxes[std::size_t(Axis)]->setAccessibleName(tr("Drehung um %1").arg(Axes[Axis]));
                Boxes[std::size_t(Axis)]->setToolTip("--rotate");
                Layout->addWidget(Boxes[std::size_t(Axis)]);
            }
            for (QDoubleSpinBox* Box : Boxes)
                connect(Box, &QDoubleSpinBox::valueChanged, this, [Boxes, Changed] {
                    Changed(TRotation{Boxes[0]->value(), Boxes[1]->value(), Boxes[2]->value()});
                });
            Row.Show = [Boxes](const TSettingValue& Value) {
                if (const auto* Turn = std::get_if<TRotation>(&Value)) {
                    Boxes[0]->setValue(Turn->X);
                    Boxes[1]->setValue(Turn->Y);
                    Boxes[2]->setValue(Turn->Z);
                }
            };
            Row.Control = Angles;
            break;
        }
        case TSettingKind::MaskSource: break;
    }
    return Row;
}

void SettingsPanel::Report(const TSettingEntry& Entry, const TSettingValue& Value) {
    if (!FShowing && OnChange) OnChange(Entry, Value);
}

void SettingsPanel::ShowValue(TSettingId Id, const TSettingValue& Value) {
    const auto Found = FControls.find(Id);
    if (Found == FControls.end()) return;
    FShowing = true;
    Found->second.Show(Value);
    FShowing = false;
}

void SettingsPanel::SetUsed(TSettingId Id, bool Used) {
    const auto Found = FControls.find(Id);
    if (Found == FControls.end()) return;
    Found->second.Control->setEnabled(Used);
    if (Found->second.Label) Found->second.Label->setEnabled(Used);
}

void SettingsPanel::ShowNote(TSettingId Id, const QString& Note) {
    const auto Found = FControls.find(Id);
    if (Found == FControls.end()) return;
    Found->second.Note->setText(Note);
    Found->second.Note->setVisible(!Note.isEmpty());
}

QString SettingsPanel::Note(TSettingId Id) const {
    const auto Found = FControls.find(Id);
    return Found == FControls.end() ? QString() : Found->second.Note->text();
}

QWidget* SettingsPanel::Control(TSettingId Id) const {
    const auto Found = FControls.find(Id);
    return Found == FControls.end() ? nullptr : Found->second.Control;
}

void SettingsPanel::ShowRefusal(const QString& Reason) {
    FRefusal->setText(Reason);
    FRefusal->setVisible(!Reason.isEmpty());
}

QString SettingsPanel::Refusal() const { return FRefusal->text(); }
