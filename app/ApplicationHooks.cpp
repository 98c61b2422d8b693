#include "ApplicationHooks.h"

#include <QApplication>
#include <QMessageBox>

#include "Application.h"
#include "RefusalText.h"

void ShowExceptionBox(const Exception& E) {
    // Refusals are worded from their codes, fixed messages translated, others shown as they are.
    const Exception Shown(FailureText(E).toStdString());
    QMessageBox Box(QMessageBox::Critical, QString::fromStdString(Application->Title()),
                    QString::fromStdString(ExceptionDisplayText(Shown)), QMessageBox::Ok, QApplication::activeWindow());
    Box.exec();
}

void InstallApplicationHooks() {
    // Every waiting message, after every row; with none waiting this costs about a
    // microsecond, and only what changed (the gauge) is repainted.
    Application->SetProcessMessagesHook([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    Application->SetShowExceptionHook(ShowExceptionBox);
}
