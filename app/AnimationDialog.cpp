#include "AnimationDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

#include "Application.h"
#include "Clock.h"
#include "Gauge.h"
#include "SlotGuard.h"

namespace {

// The formats offered, by the extension of their files; empty for a folder of PNG frames.
struct TFormatChoice {
    const char* Name;
    const char* Extension;
};
constexpr TFormatChoice Formats[] = {
    {"GIF", ".gif"}, {"WebP", ".webp"}, {"MP4 (H.264)", ".mp4"}, {"WebM (VP9)", ".webm"}, {QT_TRANSLATE_NOOP("AnimationDialog", "PNG-Bilder in einem Ordner"), ""},
};

}  // namespace

AnimationDialog::AnimationDialog(QWidget* Parent, const TStereogram& Generator, const TWindowDepthSource& DepthSource,
                                 const TPictureSource& MaskSource, const TDepthReading& Reading)
    : QDialog(Parent), FGenerator(Generator), FDepthSource(DepthSource), FMaskSource(MaskSource), FReading(Reading) {
    setWindowTitle(tr("Animation speichern"));
    auto* Form = new QFormLayout(this);
    FFrames = new QSpinBox(this);
    FFrames->setRange(MinAnimationFrames, MaxAnimationFrames);
    FFrames->setValue(120);
    Form->addRow(tr("Bilder:"), FFrames);
    FFps = new QDoubleSpinBox(this);
    FFps->setRange(0.1, MaxFramesPerSecond);
    FFps->setValue(25);
    Form->addRow(tr("Bilder je Sekunde:"), FFps);
    auto* Turn = new QHBoxLayout;
    const double Start[3] = {0, 360, 0};
    for (int Axis = 0; Axis < 3; ++Axis) {
        FSpin[Axis] = new QDoubleSpinBox(this);
        FSpin[Axis]->setRange(-36000, 36000);
        FSpin[Axis]->setValue(Start[Axis]);
        Turn->addWidget(FSpin[Axis]);
    }
    Form->addRow(tr("Drehung um x, y, z (Grad):"), Turn);
    FFormat = new QComboBox(this);
    for (const TFormatChoice& Format : Formats) FFormat->addItem(tr(Format.Name));
    Form->addRow(tr("Format:"), FFormat);
    FGauge = new Gauge(this);
    FGauge->setMinimumHeight(20);
    Form->addRow(FGauge);
    auto* Buttons = new QDialogButtonBox(this);
    FSave = Buttons->addButton(tr("Speichern…"), QDialogButtonBox::AcceptRole);
    Buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    Form->addRow(Buttons);
    connect(FSave, &QPushButton::clicked, this, [this] { RunGuarded([this] { SaveClicked(); }); });
    connect(Buttons, &QDialogButtonBox::rejected, this, &AnimationDialog::reject);
}

AnimationDialog::~AnimationDialog() { Stop(); }

TWindowAnimationRequest AnimationDialog::Request(const std::string& Path) const {
    return {Path, FFrames->value(), FFps->value(), {FSpin[0]->value(), FSpin[1]->value(), FSpin[2]->value()}, FReading};
}

void AnimationDialog::SaveClicked() {
    const TFormatChoice& Format = Formats[std::max(0, FFormat->currentIndex())];
    QString Path;
    if (*Format.Extension) {
        Path = QFileDialog::getSaveFileName(this, tr("Animation speichern"), QString("stereogramm") + Format.Extension,
                                            QString("*") + Format.Extension);
        if (!Path.isEmpty() && !Path.endsWith(Format.Extension, Qt::CaseInsensitive)) Path += Format.Extension;
    } else {
        Path = QFileDialog::getExistingDirectory(this, tr("Ordner für die Bilder"));
        if (!Path.isEmpty() && !Path.endsWith('/')) Path += '/';
    }
    if (!Path.isEmpty()) Start(Path.toStdString());
}

void AnimationDialog::Start(const std::string& Path) {
    if (Running()) return;
    Stop();
    FAnimation = std::make_unique<TWindowAnimation>(FGenerator, FDepthSource, FMaskSource, MillisecondsSinceMidnight(), Request(Path));
    FSave->setEnabled(false);
    FGauge->SetProgress(0);
    FCancel = false;
    FFinished = false;
    const int Frames = FFrames->value();
    FWorker = std::jthread([this, Frames] {
        bool Completed = false;
        std::exception_ptr Error;
        try {
            Completed = FAnimation->Run([this, Frames](int Written) {
                QMetaObject::invokeMethod(this, [this, Written, Frames] { FGauge->SetProgress(Written * 100 / Frames); }, Qt::QueuedConnection);
                return !FCancel;
            });
        } catch (...) {
            Error = std::current_exception();
        }
        FFinished = true;
        QMetaObject::invokeMethod(this, [this, Completed, Error] { Ended(Completed, Error); }, Qt::QueuedConnection);
    });
}

void AnimationDialog::Ended(bool Completed, std::exception_ptr Error) {
    Stop();
    FSave->setEnabled(true);
    if (Error) RunGuarded([&] { std::rethrow_exception(Error); });
    else if (Completed) accept();
}

void AnimationDialog::Stop() {
    FCancel = true;
    if (FWorker.joinable()) FWorker.join();
}

void AnimationDialog::reject() {
    Stop();
    QDialog::reject();
}
