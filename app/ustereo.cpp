#include "ustereo.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <array>
#include <utility>

#include "Application.h"
#include "Clock.h"
#include "FileDialogs.h"
#include "Gauge.h"
#include "ImageView.h"
#include "DepthFileRead.h"
#include "ModelReader.h"
#include "PictureFileDialog.h"
#include "PictureFiles.h"
#include "PictureReader.h"
#include "PictureSaveDialog.h"
#include "PreviewRenderer.h"
#include "RadioGroup.h"
#include "RevealActions.h"
#include "SampleLibrary.h"
#include "SampleList.h"
#include "SettingsPanel.h"
#include "SampleLoaders.h"
#include "SlotGuard.h"
#include "StartSettings.h"
#include "TextDepth.h"
#include "AnimationDialog.h"
#include "TextDepthDialog.h"
#include "WholePictureWindow.h"
#include "WindowRecord.h"

namespace {
// The gauge follows the run only in steps larger than this, so it is not redrawn every row.
constexpr int GaugeStep = 3;
const char* const ClassicFilter = "Image files (*.BMP,*.JPG)|*.BMP;*.JPG";
const char* const DefaultSaveName = "stereogramm.png";
const char* const Software = "stereogramm " STEREOGRAMM_VERSION;

// The classic filter first, then one for every format the program reads; for the depth
// map that includes the model formats.
QString PictureFilter(TPictureRole Role) {
    std::vector<std::string_view> Extensions = ReadableExtensions();
    const std::vector<std::string> Models = Role == TPictureRole::DepthMap ? ModelExtensions() : std::vector<std::string>{};
    Extensions.insert(Extensions.end(), Models.begin(), Models.end());
    const QString Description = Models.empty() ? Tfstereo::tr("Alle Bilddateien") : Tfstereo::tr("Alle Bild- und Modelldateien");
    return QString(ClassicFilter) + '|' + FilterEntry(Description + " (" + PatternList(Extensions) + ')', Extensions);
}

std::string LocalName(const QString& FileName) { return QFile::encodeName(FileName).toStdString(); }

TPictureSource FileSource(const QString& FileName) {
    return {TPictureSource::TKind::File, 0, LocalName(QFileInfo(FileName).absoluteFilePath())};
}

void FillSampleList(SampleList& List, TPictureRole Role) {
    List.Clear();
    for (const resources::SampleInfo& Sample : Samples(Role))
        List.addItem(Role == TPictureRole::DepthMap ? Tfstereo::tr("Beispiel %1").arg(Sample.Number) : Tfstereo::tr("Maske %1").arg(Sample.Number));
}

// Runs a function when the scope is left, also by an exception.
template <class F>
class ScopeExit {
public:
    explicit ScopeExit(F Function) : FFunction(std::move(Function)) {}
    ~ScopeExit() { FFunction(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F FFunction;
};
}  // namespace

Tfstereo::Tfstereo(QWidget* Parent) : QWidget(Parent) {
    CreateControls();
    CreateStereogram();
    ConnectEvents();
    CreateStudio();
    UpdateRunControls(false);
}

Tfstereo::~Tfstereo() = default;

// Shown by the program, not restored by the window system: brings the controls into line
// and asks for the focus, whose first arrival fills the lists.
void Tfstereo::showEvent(QShowEvent* Event) {
    QWidget::showEvent(Event);
    if (Event->spontaneous()) return;
    RunGuarded([this] { FormShow(this); });
    activateWindow();
}

// The first activation fills the lists; later ones (back from a dialog or another
// program) change nothing.
bool Tfstereo::event(QEvent* Event) {
    const bool Handled = QWidget::event(Event);
    if (Event->type() == QEvent::WindowActivate && !FActivated) {
        FActivated = true;
        RunGuarded([this] { FormActivate(this); });
    }
    return Handled;
}

void Tfstereo::FormShow(QObject*) { UpdateControls(); }

void Tfstereo::FormActivate(QObject*) {
    FillSampleList(*ComboBox1, TPictureRole::DepthMap);
    ComboBox1->SetItemIndex(0);
    ComboBox1Change(ComboBox1);
    FillSampleList(*ComboBox2, TPictureRole::Texture);
    ComboBox2->SetItemIndex(0);
    ComboBox2Change(ComboBox2);
    OpenStartFiles();
}

void Tfstereo::ComboBox1Change(QObject*) {
    const int Index = ComboBox1->ItemIndex();
    if (Index < 0) return;
    LoadSampleDepthMap(SampleResourceName(TPictureRole::DepthMap, Index + 1));
    FDepthSource = {TWindowDepthSource::TKind::Picture, {TPictureSource::TKind::Sample, Index + 1, {}}, {}, {}, {}, {}};
    FMesh.reset();
    DepthMapChanged();
}

void Tfstereo::ComboBox2Change(QObject*) {
    const int Index = ComboBox2->ItemIndex();
    if (Index < 0) return;
    LoadSampleMask(SampleResourceName(TPictureRole::Texture, Index + 1));
    FMaskSource = {TPictureSource::TKind::Sample, Index + 1, {}};
    Stereogram1->SetMaskMap(Image3->Picture());
    UpdateControls();
    LiveChange();
}

void Tfstereo::LoadSampleDepthMap(const std::string& Name) {
    Image2->ChangePicture([&](TPicture& Picture) { ::LoadSampleDepthMap(Picture, Name); });
}

void Tfstereo::LoadSampleMask(const std::string& Name) {
    Image3->ChangePicture([&](TPicture& Picture) { ::LoadSampleMask(Picture, Name); });
}

// After a cancel the unchanged preview is assigned again: that re-enlarges Width and
// Height to the depth map when a change of kind had reduced them.
void Tfstereo::Image2Click(QObject*) { LoadFileFor(TPictureRole::DepthMap, ChooseFile(TPictureRole::DepthMap)); }

void Tfstereo::Image3Click(QObject*) { LoadFileFor(TPictureRole::Texture, ChooseFile(TPictureRole::Texture)); }

// A drop loads as the load button's dialog step does.
void Tfstereo::Image2DragDrop(const QString& FileName) { LoadFileFor(TPictureRole::DepthMap, FileName); }

void Tfstereo::Image3DragDrop(const QString& FileName) { LoadFileFor(TPictureRole::Texture, FileName); }

std::optional<QString> Tfstereo::ChooseFile(TPictureRole Role) {
    OD1->SetFilter(PictureFilter(Role));
    OD1->SetFilterIndex(0);
    if (!OD1->Execute()) return std::nullopt;
    return OD1->FileName();
}

void Tfstereo::LoadFileFor(TPictureRole Role, const std::optional<QString>& FileName) {
    if (Role == TPictureRole::DepthMap) {
        if (FileName) LoadDepthFile(*FileName);
        DepthMapChanged();
        return;
    }
    if (FileName && LoadImage(*Image3, LocalName(*FileName))) FMaskSource = FileSource(*FileName);
    Stereogram1->SetMaskMap(Image3->Picture());
    UpdateControls();
    LiveChange();
}

// A file that is no readable picture changes nothing; a model that cannot be read changes
// nothing either and says why. A model's mesh is kept, to be turned later.
void Tfstereo::LoadDepthFile(const QString& FileName, bool ReportPicture) {
    const std::optional<TDepthFileRead> Read = ReadDepthFileKeepingMesh(
        LocalName(FileName), Stereogram1->Width(), Stereogram1->Height(), FModelView, ReportPicture);
    if (!Read) return;
    Image2->SetPicture(Read->Picture);
    FMesh = Read->Mesh;
    if (FMesh) DraftModel(Stereogram1->Width(), Stereogram1->Height());  // made once, before the first drag
    using TKind = TWindowDepthSource::TKind;
    FDepthSource = {FMesh ? TKind::Model : TKind::Picture, FileSource(FileName), {}, {}, {}, FModelView};
}

void Tfstereo::LoadTextDepthMap(const std::string& Utf8Text, const std::string& Font) {
    TPicture Rendered;
    Rendered.SetGraphic(std::make_unique<TBitmap>(
        RenderTextDepth(Utf8Text, Stereogram1->Width(), Stereogram1->Height(), {.Font = Font, .Profile = FTextShape.Profile})));
    Image2->SetPicture(Rendered);
    FTextShape.Font = Font;
    FDepthSource = {TWindowDepthSource::TKind::Text, {}, Utf8Text, Font, FTextShape.Profile, {}};
    FMesh.reset();
    DepthMapChanged();
}

void Tfstereo::DepthMapChanged() {
    GiveDepthMap();
    UpdateControls();
    LiveChange();
}

void Tfstereo::GiveDepthMap() {
    if (FDepthReading.Invert) Stereogram1->SetDepthMap(ReadDepth(Image2->Picture(), true));
    else Stereogram1->SetDepthMap(Image2->Picture());
}

void Tfstereo::TakeRevealedDepthMap(const TPicture& Depth, const QString& Origin) {
    Image2->SetPicture(Depth);
    TPictureSource Revealed = FileSource(Origin);
    Revealed.From = TPictureSource::TKind::Reveal;  // the command line reveals the file again, to the same map
    FDepthSource = {TWindowDepthSource::TKind::Picture, Revealed, {}, {}, TReliefProfile::Round, {}};
    DepthMapChanged();
}

void Tfstereo::TextDepthActionClick(QObject*) {
    TextDepthDialog Dialog(this);
    if (Dialog.exec() == QDialog::Accepted) LoadTextDepthMap(Dialog.Text(), Dialog.FontName());
}

void Tfstereo::AnimationActionClick(QObject*) {
    if (FDepthSource.Kind != TWindowDepthSource::TKind::Model) throw Exception(QT_TRANSLATE_NOOP("Exception", "Eine Animation dreht ein 3D-Modell: laden Sie eines als Tiefenbild"));
    AnimationDialog(this, *Stereogram1, FDepthSource, FMaskSource, FDepthReading).exec();
}

bool Tfstereo::LoadImage(ImageView& Target, const std::string& FileName) {
    bool Loaded = false;
    Target.ChangePicture([&](TPicture& Picture) { Loaded = ::LoadImage(Picture, FileName); });
    return Loaded;
}

void Tfstereo::Zmena(QObject*) {
    Stereogram1->SetRandomDotColor(RG1->ItemIndex() == 1 ? dctRGB : dctBlackWhite);
    ApplyDefaults();
    UpdateControls();
    LiveChange();
}

void Tfstereo::ApplyDefaults() {
    const int Kind = RG1->ItemIndex();
    if (Kind == 0) Stereogram1->SetStereoType(sgtFastRandomDot);
    if (Kind == 1) Stereogram1->SetStereoType(sgtRandomDotTextured);
    if (Kind == 2) Stereogram1->SetStereoType(sgtTextured);
    ApplyKindDefaults(*Stereogram1);
}

// Each read of the kind is fresh: selecting an item runs Zmena, which may change it.
void Tfstereo::UpdateControls() {
    if (Stereogram1->StereoType() == sgtFastRandomDot) RG1->SetItemIndex(0);
    if (Stereogram1->StereoType() == sgtRandomDotTextured) RG1->SetItemIndex(1);
    if (Stereogram1->StereoType() == sgtTextured) RG1->SetItemIndex(2);
    // An inverted map stays in the preview as it was read.
    if (!FDepthReading.Invert) Image2->SetPicture(Stereogram1->DepthMap());
    Image3->SetPicture(Stereogram1->MaskMap());
    ShowSettings();
}

void Tfstereo::CheckBox1Click(QObject*) { Image2->setVisible(CheckBox1->isChecked()); }

// A request during a run starts nothing (Generate refuses it) but still shows the rows
// rendered so far; only the request that starts the run unlocks the controls at its end.
void Tfstereo::D1Click(QObject*) {
    // The classic run's picture is the one shown; a preview still under way is dropped.
    FPreview->Cancel();
    Gauge1->SetProgress(0);
    Application->ProcessMessages();
    const bool StartsRun = !Stereogram1->Running();
    std::string Options;
    if (StartsRun) {
        UpdateRunControls(true);
        // The seed the run would take from the clock, fixed for it so that it can be recorded.
        const std::uint32_t Seed = MillisecondsSinceMidnight();
        Stereogram1->SetFixedSeed(Seed);
        Options = WindowRecordOptions(*Stereogram1, FDepthSource, FMaskSource, Seed, FDepthReading);
    }
    // A fitted map is the run's only: the generator keeps the map as it was given.
    std::optional<TPicture> Unfitted;
    if (StartsRun && FDepthReading.Fit)
        if (const std::optional<TPicture> Fitted = FittedDepth(*Stereogram1)) {
            Unfitted = Stereogram1->DepthMap();
            ReplaceDepthMap(*Stereogram1, *Fitted);
        }
    const ScopeExit Unlock([&] {
        if (Unfitted) ReplaceDepthMap(*Stereogram1, *Unfitted);
        if (StartsRun) UpdateRunControls(false);
    });
    Stereogram1->Generate();
    // The generator's picture holds a bitmap, so the view's copy is a bitmap copy. It is
    // painted at once: an update would wait for the window's next update request.
    meinimage->SetPicture(Stereogram1->GetPicture());
    meinimage->repaint();
    if (StartsRun) FResultOptions = std::move(Options);
}

void Tfstereo::Stereogram1Generate(TObject*) {
    const int Progress = Stereogram1->Progress;
    if (Progress - Gauge1->Progress() > GaugeStep) Gauge1->SetProgress(Progress);
}

void Tfstereo::S7Click(QObject*) { close(); }

// The PNG keeps the options that make the picture again, as the command line's own do.
void Tfstereo::SaveAsActionClick(QObject*) {
    if (!FResultOptions || !SaveDialog->Execute(DefaultSaveName)) return;
    SaveBitmapToFile(meinimage->Picture().Bitmap(), LocalName(SaveDialog->FileName()),
                     {{"Software", Software}, {"Options", *FResultOptions}});
}

void Tfstereo::CopyActionClick(QObject*) { QGuiApplication::clipboard()->setImage(meinimage->Image()); }

WholePictureWindow* Tfstereo::WholePicture() const { return FWholePicture; }

void Tfstereo::ShowWholeActionClick(QObject*) {
    delete FWholePicture;
    FWholePicture = new WholePictureWindow(this, meinimage->Image());
    FWholePicture->show();
    FWholePicture->activateWindow();  // its keys (Ctrl+0, Ctrl+1, Esc) work at once
}

void Tfstereo::GuideDotsActionClick(QObject*) {
    Stereogram1->SetGuideDots(GuideDotsAction->isChecked());
    LiveChange();
}

void Tfstereo::CrossEyedActionClick(QObject*) {
    Stereogram1->SetCrossEyed(CrossEyedAction->isChecked());
    LiveChange();
}

// Settings and pictures must not change under a running generation; the generate button,
// Enter and the depth preview's check box stay live.
void Tfstereo::UpdateRunControls(bool RunInProgress) {
    const std::array<QWidget*, 5> Locked = {ComboBox1, ComboBox2, S4, S2, RG1};
    for (QWidget* Control : Locked) Control->setEnabled(!RunInProgress);
    for (QAction* Setting : {GuideDotsAction, CrossEyedAction, TextDepthAction}) Setting->setEnabled(!RunInProgress);
    if (Reveal) Reveal->RevealAction->setEnabled(!RunInProgress && !Reveal->Busy());
    for (ImageView* View : {Image2, Image3, meinimage}) View->setAcceptDrops(!RunInProgress);
    if (Settings) Settings->setEnabled(!RunInProgress);
    const bool ResultReady = !RunInProgress && FResultOptions;
    for (QAction* Action : {SaveAsAction, CopyAction, ShowWholeAction}) Action->setEnabled(ResultReady);
}
