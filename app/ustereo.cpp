#include "ustereo.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QShowEvent>
#include <QFile>
#include <QPushButton>
#include <QToolButton>
#include <array>
#include <utility>

#include "Application.h"
#include "Gauge.h"
#include "ImageView.h"
#include "PictureFileDialog.h"
#include "RadioGroup.h"
#include "SampleLibrary.h"
#include "SampleList.h"
#include "SampleLoaders.h"
#include "SlotGuard.h"
#include "StartSettings.h"

namespace {
// The gauge follows the run only in steps larger than this, so it is not redrawn every row.
constexpr int GaugeStep = 3;
const char* const PictureFilter = "Image files (*.BMP,*.JPG)|*.BMP;*.JPG";

void FillSampleList(SampleList& List, TPictureRole Role) {
    List.Clear();
    for (const resources::SampleInfo& Sample : Samples(Role))
        List.addItem(QString::fromStdString(SampleListEntry(Role, Sample.Number)));
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
}

void Tfstereo::ComboBox1Change(QObject*) {
    const int Index = ComboBox1->ItemIndex();
    if (Index < 0) return;
    LoadSampleDepthMap(SampleResourceName(TPictureRole::DepthMap, Index + 1));
    Stereogram1->SetDepthMap(Image2->Picture());
    UpdateControls();
}

void Tfstereo::ComboBox2Change(QObject*) {
    const int Index = ComboBox2->ItemIndex();
    if (Index < 0) return;
    LoadSampleMask(SampleResourceName(TPictureRole::Texture, Index + 1));
    Stereogram1->SetMaskMap(Image3->Picture());
    UpdateControls();
}

void Tfstereo::LoadSampleDepthMap(const std::string& Name) {
    Image2->ChangePicture([&](TPicture& Picture) { ::LoadSampleDepthMap(Picture, Name); });
}

void Tfstereo::LoadSampleMask(const std::string& Name) {
    Image3->ChangePicture([&](TPicture& Picture) { ::LoadSampleMask(Picture, Name); });
}

// After a cancel the unchanged preview is assigned again: that re-enlarges Width and
// Height to the depth map when a change of kind had reduced them.
void Tfstereo::Image2Click(QObject*) {
    LoadFromDialog(*Image2);
    Stereogram1->SetDepthMap(Image2->Picture());
    UpdateControls();
}

void Tfstereo::Image3Click(QObject*) {
    LoadFromDialog(*Image3);
    Stereogram1->SetMaskMap(Image3->Picture());
    UpdateControls();
}

void Tfstereo::LoadFromDialog(ImageView& Target) {
    OD1->SetFilter(PictureFilter);
    OD1->SetFilterIndex(0);
    if (OD1->Execute()) LoadImage(Target, QFile::encodeName(OD1->FileName()).toStdString());
}

void Tfstereo::LoadImage(ImageView& Target, const std::string& FileName) {
    Target.ChangePicture([&](TPicture& Picture) { ::LoadImage(Picture, FileName); });
}

void Tfstereo::Zmena(QObject*) {
    Stereogram1->SetRandomDotColor(RG1->ItemIndex() == 1 ? dctRGB : dctBlackWhite);
    ApplyDefaults();
    UpdateControls();
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
    Image2->SetPicture(Stereogram1->DepthMap());
    Image3->SetPicture(Stereogram1->MaskMap());
}

void Tfstereo::CheckBox1Click(QObject*) { Image2->setVisible(CheckBox1->isChecked()); }

// A request during a run starts nothing (Generate refuses it) but still shows the rows
// rendered so far; only the request that starts the run unlocks the controls at its end.
void Tfstereo::D1Click(QObject*) {
    Gauge1->SetProgress(0);
    Application->ProcessMessages();
    const bool StartsRun = !Stereogram1->Running();
    if (StartsRun) UpdateRunControls(true);
    const ScopeExit Unlock([&] {
        if (StartsRun) UpdateRunControls(false);
    });
    Stereogram1->Generate();
    TPicture Result;
    Result.MakeBitmap() = Stereogram1->GetPicture().Bitmap();
    meinimage->SetPicture(Result);
}

void Tfstereo::Stereogram1Generate(TObject*) {
    const int Progress = Stereogram1->Progress;
    if (Progress - Gauge1->Progress() > GaugeStep) Gauge1->SetProgress(Progress);
}

void Tfstereo::S7Click(QObject*) { close(); }

// Settings and pictures must not change under a running generation; the generate button,
// Enter and the depth preview's check box stay live.
void Tfstereo::UpdateRunControls(bool RunInProgress) {
    const std::array<QWidget*, 5> Locked = {ComboBox1, ComboBox2, S4, S2, RG1};
    for (QWidget* Control : Locked) Control->setEnabled(!RunInProgress);
}
