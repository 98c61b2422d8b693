// "Animation speichern…": the frames, the frame rate, the turn and the format of an
// animation of the model in the depth preview; a progress gauge and a cancel button. The
// frames render on a worker thread, which touches no widget; it is stopped and joined
// whenever the dialog ends.
#pragma once

#include <QDialog>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>

#include "WindowAnimation.h"

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;
class Gauge;

class AnimationDialog : public QDialog {
    Q_OBJECT

public:
    AnimationDialog(QWidget* Parent, const TStereogram& Generator, const TWindowDepthSource& DepthSource, const TPictureSource& MaskSource,
                    const TDepthReading& Reading);
    ~AnimationDialog() override;

    // What the controls ask for, written to Path.
    TWindowAnimationRequest Request(const std::string& Path) const;
    // Starts writing Path on the worker thread (the save button asks for it first).
    void Start(const std::string& Path);
    // True while the worker renders.
    bool Running() const { return FWorker.joinable() && !FFinished; }

    void reject() override;

private:
    void SaveClicked();
    // Back on the window thread: the worker ended, with Error when it failed.
    void Ended(bool Completed, std::exception_ptr Error);
    void Stop();

    const TStereogram& FGenerator;
    TWindowDepthSource FDepthSource;
    TPictureSource FMaskSource;
    TDepthReading FReading;
    QSpinBox* FFrames = nullptr;
    QDoubleSpinBox* FFps = nullptr;
    QDoubleSpinBox* FSpin[3] = {};
    QComboBox* FFormat = nullptr;
    Gauge* FGauge = nullptr;
    QPushButton* FSave = nullptr;
    std::unique_ptr<TWindowAnimation> FAnimation;
    std::atomic<bool> FCancel = false;
    std::atomic<bool> FFinished = false;
    std::jthread FWorker;
};
