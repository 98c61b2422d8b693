#include "ApplicationHooks.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>

#include "Application.h"

namespace {
// A run asks for waiting messages after every row, hundreds of times in a few
// milliseconds. Each handling asks the system for events and repaints what changed (the
// gauge), so they are handled at most this often: well within a frame (16 ms), so that
// a click or a key during a run is answered as promptly as after every row.
constexpr qint64 MessageIntervalMs = 5;
}  // namespace

void ShowExceptionBox(const Exception& E) {
    QMessageBox Box(QMessageBox::Critical, QString::fromStdString(Application->Title()),
                    QString::fromStdString(ExceptionDisplayText(E)), QMessageBox::Ok, QApplication::activeWindow());
    Box.exec();
}

void InstallApplicationHooks() {
    Application->SetProcessMessagesHook([Since = QElapsedTimer()]() mutable {
        if (Since.isValid() && !Since.hasExpired(MessageIntervalMs)) return;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        Since.start();
    });
    Application->SetShowExceptionHook(ShowExceptionBox);
}
