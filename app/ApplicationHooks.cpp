#include "ApplicationHooks.h"

#include <QApplication>
#include <QMessageBox>

#include "Application.h"

void ShowExceptionBox(const Exception& E) {
    QMessageBox Box(QMessageBox::Critical, QString::fromStdString(Application->Title()),
                    QString::fromStdString(ExceptionDisplayText(E)), QMessageBox::Ok, QApplication::activeWindow());
    Box.exec();
}

void InstallApplicationHooks() {
    Application->SetProcessMessagesHook([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    Application->SetShowExceptionHook(ShowExceptionBox);
}
