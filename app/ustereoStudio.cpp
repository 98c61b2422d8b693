// The studio around the classic window: the settings panel beside it, and the live
// preview that follows every change while the panel is open.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <utility>

#include "Clock.h"
#include "Exception.h"
#include "Gauge.h"
#include "ImageView.h"
#include "PictureReader.h"
#include "PreviewRenderer.h"
#include "RadioGroup.h"
#include "RefusalText.h"
#include "SampleList.h"
#include "SettingsPanel.h"
#include "SlotGuard.h"
#include "WindowRecord.h"
#include "ustereo.h"

namespace {
const QSize ClassicSize(984, 684);

// A control's name for screen readers, and the command-line option that does the same,
// as its description and tooltip, so that people can move from the window to scripts.
void Describe(QWidget* Control, const QString& Name, const QString& Option) {
    Control->setAccessibleName(Name);
    if (Option.isEmpty()) return;
    Control->setAccessibleDescription(Option);
    Control->setToolTip(Option);
}
// Keeps a text field from taking a key that the window uses as a shortcut (a line edit
// takes Ctrl+E as "end of line").
class ShortcutPassage : public QObject {
public:
    ShortcutPassage(QObject* Field, QKeySequence Key) : QObject(Field), FKey(std::move(Key)) { Field->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() != QEvent::ShortcutOverride) return false;
        const auto* Key = static_cast<QKeyEvent*>(Event);
        return QKeySequence(Key->keyCombination()) == FKey;
    }

private:
    QKeySequence FKey;
};
}  // namespace

void Tfstereo::DescribeClassicControls() {
    Describe(S4, tr("Tiefenbild laden"), "--depth");
    Describe(S2, tr("Textur laden"), "--mask");
    Describe(CheckBox1, tr("Tiefenbild"), {});
    Describe(Image2, tr("Tiefenbild"), "--depth");
    Describe(ComboBox1, tr("Beispiel-Tiefenbild"), "--depth sample:N");
    Describe(Image3, tr("Maske, Textur"), "--mask");
    Describe(ComboBox2, tr("Beispieltextur"), "--mask texture:N");
    Describe(Gauge1, tr("Fortschritt"), {});
    Describe(D1, tr("Stereogramm erzeugen"), "stereogramm-cli");
    Describe(RG1, tr("Stereogram-Typ"), "--type");
    Describe(meinimage, tr("Stereogramm"), "--output");
}

void Tfstereo::CreateStudio() {
    DescribeClassicControls();
    FPreview = std::make_unique<PreviewRenderer>();
    FPreview->OnFinished = [this](PreviewRenderer::TResult& Result) {
        ShowPreview(Result.Refusal, std::move(Result.Picture), Result.Draft ? std::nullopt : std::optional(Result.Options));
    };
    Settings = new SettingsPanel(this);
    Settings->setGeometry(ClassicSize.width(), 0, SettingsPanel::PanelWidth, ClassicSize.height());
    Settings->hide();
    // A refused change says why in the panel, never in a box that would stop a moving slider.
    Settings->OnChange = [this](const TSettingEntry& Entry, const TSettingValue& Value) {
        try {
            SettingChanged(Entry, Value);
        } catch (const std::exception& E) {
            Settings->ShowRefusal(FailureText(E));
        }
    };
    SettingsAction = new QAction(tr("Einstellungen"), this);
    SettingsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    SettingsAction->setCheckable(true);
    addAction(SettingsAction);
    // A list hands the key on to its text field directly, past the field's filters.
    for (SampleList* List : {ComboBox1, ComboBox2}) new ShortcutPassage(List, SettingsAction->shortcut());
    meinimage->addAction(SettingsAction);
    for (ImageView* View : {Image2, meinimage})
        View->OnDrag = [this, View](QPoint Movement, bool Released) {
            RunGuarded([&] { TurnModel(*View, Movement, Released); });
        };
    connect(SettingsAction, &QAction::toggled, this, [this] { SettingsActionClick(SettingsAction); });
}

bool Tfstereo::SettingsOpen() const { return SettingsAction->isChecked(); }

bool Tfstereo::PreviewBusy() const { return FPreview->Busy(); }

// The panel widens the window by its own width; closed, the window is the classic one.
void Tfstereo::SettingsActionClick(QObject*) {
    const bool Open = SettingsOpen();
    const int Width = ClassicSize.width() + (Open ? SettingsPanel::PanelWidth : 0);
    setFixedSize(Width, ClassicSize.height());
    Settings->setVisible(Open);
    if (Open) LiveChange();
    else FPreview->Cancel();
}

void Tfstereo::LiveChange(bool Draft) {
    if (!SettingsOpen() || Stereogram1->Running()) return;
    // The seed the classic run would take now, so that the button gives the same picture.
    const std::uint32_t Seed = MillisecondsSinceMidnight();
    FPreview->Request(*Stereogram1, Seed, WindowRecordOptions(*Stereogram1, FDepthSource, FMaskSource, Seed, FDepthReading),
                      {.Draft = Draft, .Fit = FDepthReading.Fit});
}

// A refused run keeps the last good picture and says why in the panel. A draft has no
// record: it is saved only once the full picture follows it.
void Tfstereo::ShowPreview(const QString& Refusal, std::unique_ptr<TBitmap> Picture, const std::optional<std::string>& Options) {
    Settings->ShowRefusal(Refusal);
    if (!Refusal.isEmpty() || !Picture || Stereogram1->Running()) return;
    // The worker's copy is taken over, not copied again.
    meinimage->ChangePicture([&](TPicture& Shown) { Shown.SetGraphic(std::move(Picture)); });
    FResultOptions = Options;
    UpdateRunControls(false);
}

// Closing ends the preview's work before the window goes.
void Tfstereo::closeEvent(QCloseEvent* Event) {
    FPreview->Cancel();
    QWidget::closeEvent(Event);
}

// Each file that cannot be read says why; the window stays as it would be without it.
void Tfstereo::OpenStartFiles() {
    const QStringList Files = std::exchange(FStartFiles, {});
    if (Files.isEmpty()) return;
    RunGuarded([&] {
        LoadDepthFile(Files[0], true);
        DepthMapChanged();
    });
    if (Files.size() < 2) return;
    RunGuarded([&] {
        const QString Absolute = QFileInfo(Files[1]).absoluteFilePath();
        const TPictureRead Read = ReadPicture(QFile::encodeName(Absolute).toStdString());
        Image3->SetPicture(Read.Picture);
        FMaskSource = {TPictureSource::TKind::File, 0, QFile::encodeName(Absolute).toStdString()};
        Stereogram1->SetMaskMap(Image3->Picture());
        UpdateControls();
        LiveChange();
    });
}
