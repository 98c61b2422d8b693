// The studio around the classic window: the settings panel beside it, and the live
// preview that follows every change while the panel is open.
#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>

#include "Clock.h"
#include "ImageView.h"
#include "PreviewRenderer.h"
#include "SettingsPanel.h"
#include "WindowRecord.h"
#include "ustereo.h"

namespace {
const QSize ClassicSize(984, 684);
}  // namespace

void Tfstereo::CreateStudio() {
    FPreview = std::make_unique<PreviewRenderer>();
    FPreview->OnFinished = [this](const PreviewRenderer::TResult& Result) {
        ShowPreview(Result.Refusal, Result.Picture, Result.Options);
    };
    Settings = new SettingsPanel(this);
    Settings->setGeometry(ClassicSize.width(), 0, SettingsPanel::PanelWidth, ClassicSize.height());
    Settings->hide();
    SettingsAction = new QAction(tr("Einstellungen"), this);
    SettingsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    SettingsAction->setCheckable(true);
    addAction(SettingsAction);
    meinimage->addAction(SettingsAction);
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

void Tfstereo::LiveChange() {
    if (!SettingsOpen() || Stereogram1->Running()) return;
    // The seed the classic run would take now, so that the button gives the same picture.
    const std::uint32_t Seed = MillisecondsSinceMidnight();
    FPreview->Request(*Stereogram1, Seed, WindowRecordOptions(*Stereogram1, FDepthSource, FMaskSource, Seed));
}

// A refused run keeps the last good picture and says why in the panel.
void Tfstereo::ShowPreview(const std::string& Refusal, const TPicture& Picture, const std::string& Options) {
    Settings->ShowRefusal(QString::fromStdString(Refusal));
    if (!Refusal.empty() || Stereogram1->Running()) return;
    meinimage->SetPicture(Picture);
    FResultOptions = Options;
    UpdateRunControls(false);
}

// Closing ends the preview's work before the window goes.
void Tfstereo::closeEvent(QCloseEvent* Event) {
    FPreview->Cancel();
    QWidget::closeEvent(Event);
}
