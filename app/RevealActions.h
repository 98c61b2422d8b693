// Reading stereograms in the window: "Aus Stereogramm aufdecken…" in the depth preview's
// menu (and a stereogram dropped on it with Shift) makes the depth hidden in a stereogram
// the depth map; "Anaglyph", "Stereopaar", "Wackelbild" and "Relief" in the result's menu
// show the depth map without the trick in a window of their own, which saves them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <thread>

#include "Bitmap.h"
#include "Reveal.h"
#include "RevealFailure.h"
#include "StereoViews.h"
#include "WholePictureWindow.h"

class QAction;
class Tfstereo;

class RevealActions : public QObject {
    Q_OBJECT

public:
    // Adds the entries to the window's menus; a drop on the depth preview with Shift held
    // reveals the file instead of loading it.
    explicit RevealActions(Tfstereo& Window);
    // Waits for a reveal in progress; its result is dropped.
    ~RevealActions() override;

    QAction* RevealAction = nullptr;  // "Aus Stereogramm aufdecken…"
    QAction* AnaglyphAction = nullptr;
    QAction* PairAction = nullptr;
    QAction* WiggleAction = nullptr;
    QAction* ReliefAction = nullptr;

    // The shown result, revealed through the generator's geometry; without one, a file the
    // user picks.
    void RevealActionClick();
    // Reveals a stereogram file off the window's thread, as the command line's
    // --depth reveal:FILE does (relative depth).
    void RevealFile(const QString& FileName);
    // Shows View of the generator's depth map in a window of its own.
    void ShowView(TStereoView View);
    bool Busy() const { return FWorker.joinable(); }
    // The window of the last view, while it is open.
    WholePictureWindow* ViewWindow() const { return FViewWindow; }

private:
    // Runs Work (which must not touch the window) off the window's thread.
    void StartReveal(std::function<TRevealResult()> Work, QString Origin);
    void Finished(const TRevealResult& Result, const QString& Origin);
    void Failed(const QString& Text);
    // The refusal of a reveal in the window's words.
    static QString FailureText(const TRevealFailure& Failure);

    Tfstereo& FWindow;
    std::thread FWorker;
    QPointer<WholePictureWindow> FViewWindow;
};
