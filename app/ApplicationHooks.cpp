#include "ApplicationHooks.h"

#include <QApplication>
#include <QMessageBox>

#include "Application.h"

void ShowExceptionBox(const Exception& E) {
    // The generator's fixed messages have English texts; others are shown as they are.
    const Exception Shown(QCoreApplication::translate("Exception", E.Message().c_str()).toStdString());
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
