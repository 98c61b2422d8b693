#include "WholePictureWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Draws the picture at its own size from the top-left corner, or scaled into the widget
// with its aspect kept and centred.
class PictureArea : public QWidget {
public:
    PictureArea(QWidget* Parent, QImage Image) : QWidget(Parent), FImage(std::move(Image)) { resize(sizeHint()); }
    QSize sizeHint() const override { return FImage.size(); }
    void SetImage(QImage Image) {
        FImage = std::move(Image);
        update();
    }
    void SetFitted(bool Value) {
        FFitted = Value;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter Painter(this);
        if (!FFitted) {
            Painter.drawImage(0, 0, FImage);
            return;
        }
        QRect Target(QPoint(), FImage.size().scaled(size(), Qt::KeepAspectRatio));
        Target.moveCenter(rect().center());
        Painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Painter.drawImage(Target, FImage);
    }

private:
    QImage FImage;
    bool FFitted = false;
};

}  // namespace

WholePictureWindow::WholePictureWindow(QWidget* Parent, const QImage& Image) : QWidget(Parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Stereogramm – ganzes Bild"));
    auto* Tools = new QToolBar(this);
    auto* Zoom = new QActionGroup(this);
    Fit = Tools->addAction(tr("Einpassen"));
    Fit->setShortcut(Qt::CTRL | Qt::Key_0);
    ActualSize = Tools->addAction("100 %");
    ActualSize->setShortcut(Qt::CTRL | Qt::Key_1);
    for (QAction* Action : {Fit, ActualSize}) {
        Action->setCheckable(true);
        Zoom->addAction(Action);
    }
    ActualSize->setChecked(true);
    connect(Fit, &QAction::triggered, this, [this] { ShowFitted(true); });
    connect(ActualSize, &QAction::triggered, this, [this] { ShowFitted(false); });
    auto* Close = new QAction(this);
    Close->setShortcut(Qt::Key_Escape);
    connect(Close, &QAction::triggered, this, &QWidget::close);
    addAction(Close);

    FScroll = new QScrollArea(this);
    FScroll->setAlignment(Qt::AlignCenter);
    FScroll->setWidget(new ::PictureArea(FScroll, Image));
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(Tools);
    Layout->addWidget(FScroll);

    const int Frame = 2 * FScroll->frameWidth();
    QSize Wanted = Image.size() + QSize(Frame, Frame + Tools->sizeHint().height());
    if (const QScreen* Screen = QGuiApplication::primaryScreen()) Wanted = Wanted.boundedTo(Screen->availableSize());
    resize(Wanted);
}

QWidget* WholePictureWindow::PictureArea() const { return FScroll->widget(); }

void WholePictureWindow::SetImage(const QImage& Image) { static_cast<::PictureArea*>(FScroll->widget())->SetImage(Image); }

// Fitted, the picture follows the scroll area's size; at 100 % it keeps its own.
void WholePictureWindow::ShowFitted(bool Fitted) {
    auto* Area = static_cast<::PictureArea*>(FScroll->widget());
    FScroll->setWidgetResizable(Fitted);
    if (!Fitted) Area->resize(Area->sizeHint());
    Area->SetFitted(Fitted);
}
