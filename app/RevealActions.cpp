#include "RevealActions.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <cmath>

#include "AnimationWriter.h"
#include "DepthMapTools.h"
#include "Exception.h"
#include "GeneratorViews.h"
#include "ImageView.h"
#include "PictureFileDialog.h"
#include "PictureFiles.h"
#include "PictureToQImage.h"
#include "RevealFailure.h"
#include "RevealedDepthFile.h"
#include "SlotGuard.h"
#include "WholePictureWindow.h"
#include "ustereo.h"

namespace {

constexpr int kWiggleMilliseconds = 160;  // each frame of a wiggle
constexpr double kWiggleFps = 1000.0 / kWiggleMilliseconds;
constexpr int kWaitForRunMilliseconds = 50;

TPicture PictureOf(const TBitmap& Bitmap) {
    TPicture Picture;
    Picture.SetGraphic(std::make_unique<TBitmap>(Bitmap));
    return Picture;
}

QImage ImageOf(const TBitmap& Bitmap) { return PictureToQImage(PictureOf(Bitmap)); }

}  // namespace

RevealActions::RevealActions(Tfstereo& Window) : QObject(&Window), FWindow(Window) {
    RevealAction = Window.Image2->addAction(tr("Aus Stereogramm aufdecken…"));
    connect(RevealAction, &QAction::triggered, this, [this] { RunGuarded([&] { RevealActionClick(); }); });
    const std::array<std::pair<QAction**, TStereoView>, 4> Views{{{&AnaglyphAction, TStereoView::Anaglyph},
                                                                   {&PairAction, TStereoView::Pair},
                                                                   {&WiggleAction, TStereoView::Wiggle},
                                                                   {&ReliefAction, TStereoView::Relief}}};
    const std::array<QString, 4> Names{tr("Anaglyph"), tr("Stereopaar"), tr("Wackelbild"), tr("Relief")};
    for (std::size_t I = 0; I < Views.size(); ++I) {
        QAction* Action = Window.meinimage->addAction(Names[I]);
        *Views[I].first = Action;
        const TStereoView View = Views[I].second;
        connect(Action, &QAction::triggered, this, [this, View] { RunGuarded([&] { ShowView(View); }); });
    }
    // A stereogram dropped with Shift is revealed; any other drop loads as before.
    auto Load = Window.Image2->OnFileDrop;
    Window.Image2->OnFileDrop = [this, Load](const QString& FileName) {
        if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) RunGuarded([&] { RevealFile(FileName); });
        else if (Load) Load(FileName);
    };
}

RevealActions::~RevealActions() {
    if (FWorker.joinable()) FWorker.join();
}

void RevealActions::RevealActionClick() {
    const TBitmap& Shown = FWindow.meinimage->Picture().Bitmap();
    if (!Shown.Empty() && FWindow.ResultOptions()) {
        const TStereogram& Generator = *FWindow.Stereogram1;
        const TRevealSettings Settings{TRevealGeometry{Generator.SeparationTable(), Generator.Oversampling(), Generator.CrossEyed()},
                                       Generator.CrossEyed(), int(std::max(1u, std::thread::hardware_concurrency()))};
        StartReveal([Shown, Settings] { return Reveal(Shown, Settings); }, {});
        return;
    }
    FWindow.OD1->SetFilterIndex(0);
    if (FWindow.OD1->Execute()) RevealFile(FWindow.OD1->FileName());
}

void RevealActions::RevealFile(const QString& FileName) {
    const std::string Path = QFile::encodeName(FileName).toStdString();
    const bool CrossEyed = FWindow.Stereogram1->CrossEyed();
    StartReveal([Path, CrossEyed] { return RevealDepthFile(Path, CrossEyed).Result; }, FileName);
}

void RevealActions::StartReveal(std::function<TRevealResult()> Work, QString Origin) {
    if (FWorker.joinable()) FWorker.join();  // one reveal at a time; the last one is quick
    RevealAction->setEnabled(false);
    // The worker owns its copies and hands the result back through the window's event loop.
    FWorker = std::thread([this, Work = std::move(Work), Origin] {
        try {
            TRevealResult Result = Work();
            QMetaObject::invokeMethod(this, [this, Result = std::move(Result), Origin] { Finished(Result, Origin); }, Qt::QueuedConnection);
        } catch (const TRevealFailure& F) {
            QMetaObject::invokeMethod(this, [this, Text = FailureText(F)] { Failed(Text); }, Qt::QueuedConnection);
        } catch (const Exception& E) {
            QMetaObject::invokeMethod(this, [this, Text = QString::fromStdString(E.Message())] { Failed(Text); }, Qt::QueuedConnection);
        } catch (const std::exception& E) {
            QMetaObject::invokeMethod(this, [this, Text = QString::fromUtf8(E.what())] { Failed(Text); }, Qt::QueuedConnection);
        }
    });
}

void RevealActions::Finished(const TRevealResult& Result, const QString& Origin) {
    // A run in progress keeps its depth map: the revealed one waits until it has ended.
    if (FWindow.Stereogram1->Running()) {
        QTimer::singleShot(kWaitForRunMilliseconds, this, [this, Result, Origin] { Finished(Result, Origin); });
        return;
    }
    FWorker.join();
    RevealAction->setEnabled(true);
    RunGuarded([&] { FWindow.TakeRevealedDepthMap(PictureOf(Result.Depth), Origin); });
    if (Result.Confidence < DoubtfulRevealConfidence)
        QMessageBox::information(&FWindow, tr("Aufdecken"),
                                 tr("Nur %1 % der Pixel passen zu ihren Partnern: die aufgedeckte Tiefe ist unsicher.")
                                     .arg(std::lround(Result.Confidence * 100)));
}

void RevealActions::Failed(const QString& Text) {
    FWorker.join();
    RevealAction->setEnabled(true);
    QMessageBox::warning(&FWindow, tr("Aufdecken"), Text);
}

QString RevealActions::FailureText(const TRevealFailure& F) {
    if (F.Kind == TRevealFailure::TKind::NarrowerThanTwoRepeats)
        return tr("Das Bild ist %1 Pixel breit, schmaler als zwei Wiederholungen von %2 Pixeln: daraus lässt sich kein Stereogramm lesen.")
            .arg(F.Width)
            .arg(F.LargestRepeat);
    return tr("Kein sich wiederholendes Muster gefunden: gesucht wurde eine waagrechte Wiederholung von %1 bis %2 Pixeln in %3 Zeilen.")
        .arg(F.SmallestRepeat)
        .arg(F.LargestRepeat)
        .arg(F.RowsLooked);
}

void RevealActions::ShowView(TStereoView View) {
    const TStereogram& Generator = *FWindow.Stereogram1;
    const TBitmap Depth = DepthLevelsInOutput(Generator.DepthMap().Bitmap(), Generator.Width(), Generator.Height());
    std::vector<TBitmap> Frames;
    if (View == TStereoView::Wiggle) {
        auto [Left, Right] = EyeViews(Depth, Generator, false);
        Frames = {std::move(Left), std::move(Right)};
    } else {
        Frames = {ViewOfDepth(View, Depth, Generator)};
    }
    delete FViewWindow;
    FViewWindow = new WholePictureWindow(&FWindow, ImageOf(Frames.front()));
    WholePictureWindow* Shown = FViewWindow;
    if (Frames.size() > 1) {
        auto* Timer = new QTimer(Shown);
        const std::array<QImage, 2> Images{ImageOf(Frames[0]), ImageOf(Frames[1])};
        connect(Timer, &QTimer::timeout, Shown, [Shown, Images, Next = std::size_t(1)]() mutable {
            Shown->SetImage(Images[Next]);
            Next = 1 - Next;
        });
        Timer->start(kWiggleMilliseconds);
    }
    auto* Save = new QAction(tr("Speichern unter…"), Shown);
    Save->setShortcut(Qt::CTRL | Qt::Key_S);
    if (auto* Tools = Shown->findChild<QToolBar*>()) Tools->addAction(Save);
    connect(Save, &QAction::triggered, Shown, [Shown, Frames] {
        RunGuarded([&] {
            const bool Moving = Frames.size() > 1;
            const QString Name = QFileDialog::getSaveFileName(Shown, tr("Speichern unter"), {},
                                                              Moving ? tr("Animation (*.gif *.webp)") : tr("Bild (*.png *.jpg *.bmp)"));
            if (Name.isEmpty()) return;
            const std::string Path = QFile::encodeName(Name).toStdString();
            if (!Moving) {
                SaveBitmapToFile(Frames.front(), Path);
                return;
            }
            const auto Writer = OpenAnimationWriter(Path, {Frames[0].Width(), Frames[0].Height(), kWiggleFps, {}, {}});
            for (const TBitmap& Frame : Frames) Writer->AddFrame(Frame);
            Writer->Finish();
        });
    });
    Shown->show();
    Shown->activateWindow();
}
