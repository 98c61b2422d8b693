// The window's stored layout: every control with its place, size, captions, colours and
// fonts, the generator's stored settings, and the wiring of the events.
#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <thread>

#include "Gauge.h"
#include "ImageView.h"
#include "Panel.h"
#include "PictureFileDialog.h"
#include "PictureSaveDialog.h"
#include "RadioGroup.h"
#include "RevealActions.h"
#include "SampleList.h"
#include "SlotGuard.h"
#include "StartSettings.h"
#include "ustereo.h"

namespace {
const QColor ButtonFace(240, 240, 240);
const QColor Navy(0, 0, 128);
const QSize ClientSize(984, 684);
const QSize LoadGlyphSize(20, 20);
constexpr int SampleItemHeight = 16;
constexpr int SampleDropDownCount = 8;

// Verdana where the system has it; otherwise font matching picks the closest sans.
QFont VerdanaFont(int PixelSize) {
    QFont Font("Verdana");
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(PixelSize);
    return Font;
}

// Controls carry their layout names, so that they can be found by name.
template <class Control>
Control* Named(Control* Widget, const char* Name) {
    Widget->setObjectName(Name);
    return Widget;
}

QToolButton* MakeLoadButton(QWidget* Parent) {
    auto* Button = new QToolButton(Parent);
    Button->setAutoRaise(true);
    Button->setFocusPolicy(Qt::NoFocus);
    Button->setIcon(QIcon(":/icons/load.png"));
    Button->setIconSize(LoadGlyphSize);
    return Button;
}

// Connects a Qt signal to a handler of the window; the handler runs guarded.
template <class Sender, class Signal>
void Wire(Sender* From, Signal Event, Tfstereo* Window, void (Tfstereo::*Handler)(QObject*)) {
    QObject::connect(From, Event, Window, [From, Window, Handler] { RunGuarded([&] { (Window->*Handler)(From); }); });
}
}  // namespace

void Tfstereo::CreateControls() {
    setWindowTitle("Stereogramm");
    setWindowIcon(QIcon(":/icons/stereogramm.png"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);
    setFont(VerdanaFont(13));
    QPalette White = palette();
    White.setColor(QPalette::Window, Qt::white);
    setPalette(White);
    setAutoFillBackground(true);

    Panel1 = Named(new Panel(this, ButtonFace, Panel::Bevel::Raised), "Panel1");
    Panel1->setGeometry(0, 0, 984, 27);
    Panel1->SetCaption("Stereogramm");
    QFont CaptionFont = VerdanaFont(16);
    CaptionFont.setBold(true);
    CaptionFont.setItalic(true);
    Panel1->setFont(CaptionFont);
    QPalette NavyText = Panel1->palette();
    NavyText.setColor(QPalette::WindowText, Navy);
    Panel1->setPalette(NavyText);

    B3 = Named(new QWidget(Panel1), "B3");
    B3->setGeometry(1, 1, 128, 25);
    Panel17 = Named(new Panel(B3, QColor(), Panel::Bevel::None), "Panel17");
    Panel17->setGeometry(0, 2, 8, 22);

    Panel2 = Named(new Panel(this, ButtonFace, Panel::Bevel::None), "Panel2");
    Panel2->setGeometry(0, 27, 201, 657);

    CheckBox1 = Named(new QCheckBox(tr("Tiefenbild"), Panel2), "CheckBox1");
    CheckBox1->setGeometry(16, 16, 97, 17);
    CheckBox1->setChecked(true);
    S4 = Named(MakeLoadButton(Panel2), "S4");
    S4->setGeometry(160, 12, 23, 22);
    Image2 = Named(new ImageView(Panel2, ImageView::Mode::Stretch), "Image2");
    Image2->setGeometry(16, 40, 168, 137);
    ComboBox1 = Named(new SampleList(Panel2, SampleItemHeight, SampleDropDownCount), "ComboBox1");
    ComboBox1->setGeometry(16, 184, 169, 24);
    for (int N = 1; N <= 5; ++N) ComboBox1->addItem(tr("Beispiel %1").arg(N));

    Label12 = Named(new QLabel(tr("Maske, Textur"), Panel2), "Label12");
    Label12->setGeometry(16, 232, 94, 16);
    S2 = Named(MakeLoadButton(Panel2), "S2");
    S2->setGeometry(160, 230, 23, 22);
    Image3 = Named(new ImageView(Panel2, ImageView::Mode::Stretch), "Image3");
    Image3->setGeometry(16, 256, 168, 137);
    ComboBox2 = Named(new SampleList(Panel2, SampleItemHeight, SampleDropDownCount), "ComboBox2");
    ComboBox2->setGeometry(16, 400, 169, 24);

    Gauge1 = Named(new Gauge(Panel2), "Gauge1");
    Gauge1->setGeometry(48, 440, 105, 17);
    D1 = Named(new QPushButton(tr("Stereogramm erzeugen"), Panel2), "D1");
    D1->setGeometry(16, 472, 169, 25);
    RG1 = Named(new RadioGroup(Panel2, tr("Stereogram-Typ"), {tr("Schwarz-Weiß-Bild"), tr("Farben-Bild"), tr("Textur-Farbenbild")}), "RG1");
    RG1->setGeometry(16, 512, 169, 80);
    RG1->SetItemIndex(0);

    meinimage = Named(new ImageView(this, ImageView::Mode::Center), "meinimage");
    meinimage->setGeometry(201, 27, 783, 657);

    setTabOrder(ComboBox1, ComboBox2);
    setTabOrder(ComboBox2, CheckBox1);
    // Tab reaches the radio group through its selected item.
    setTabOrder(CheckBox1, RG1->Button(0));
    setTabOrder(RG1->Button(0), RG1->Button(1));
    setTabOrder(RG1->Button(1), RG1->Button(2));
    setTabOrder(RG1->Button(2), D1);

    // The menu is never shown; its actions live on the window so that their keys work.
    M1 = new QMenu(tr("Datei"), this);
    M8 = M1->addAction(tr("Programm beenden"));
    M8->setShortcut(Qt::Key_Escape);
    e1 = M1->addAction("e");
    e1->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    addActions({M8, e1});

    OD1 = new PictureFileDialog(this);
    OD1->setDefaultSuffix("BMP");

    // The result's context menu: one line per item.
    SaveAsAction = meinimage->addAction(tr("Speichern unter…"));
    SaveAsAction->setShortcut(QKeySequence::Save);
    CopyAction = meinimage->addAction(tr("Kopieren"));
    CopyAction->setShortcut(QKeySequence::Copy);
    ShowWholeAction = meinimage->addAction(tr("Ganzes Bild anzeigen"));
    GuideDotsAction = meinimage->addAction(tr("Hilfspunkte"));
    GuideDotsAction->setCheckable(true);
    CrossEyedAction = meinimage->addAction(tr("Kreuzblick"));
    CrossEyedAction->setCheckable(true);
    AnimationAction = meinimage->addAction(tr("Animation speichern…"));
    SaveDialog = new PictureSaveDialog(this);
    TextDepthAction = Image2->addAction(tr("Text als Tiefenbild…"));

    if (const QScreen* Screen = QGuiApplication::primaryScreen())
        move(Screen->availableGeometry().center() - rect().center());
}

// The generator with its stored settings, applied through the setters in stored order.
void Tfstereo::CreateStereogram() {
    Stereogram1 = std::make_unique<TStereogram>(nullptr);
    Stereogram1->SetName("Stereogram1");
    ApplyStoredLayout(*Stereogram1);
    Stereogram1->Loaded();
    Stereogram1->SetThreads(static_cast<int>(std::thread::hardware_concurrency()));  // 0 (unknown) counts as 1
}

void Tfstereo::ConnectEvents() {
    Wire(CheckBox1, &QCheckBox::toggled, this, &Tfstereo::CheckBox1Click);
    Wire(S4, &QToolButton::clicked, this, &Tfstereo::Image2Click);
    Wire(S2, &QToolButton::clicked, this, &Tfstereo::Image3Click);
    Wire(ComboBox1, &SampleList::Change, this, &Tfstereo::ComboBox1Change);
    Wire(ComboBox2, &SampleList::Change, this, &Tfstereo::ComboBox2Change);
    Wire(D1, &QPushButton::clicked, this, &Tfstereo::D1Click);
    Wire(RG1, &RadioGroup::Click, this, &Tfstereo::Zmena);
    Wire(M8, &QAction::triggered, this, &Tfstereo::S7Click);
    Wire(e1, &QAction::triggered, this, &Tfstereo::D1Click);
    Wire(SaveAsAction, &QAction::triggered, this, &Tfstereo::SaveAsActionClick);
    Wire(CopyAction, &QAction::triggered, this, &Tfstereo::CopyActionClick);
    Wire(ShowWholeAction, &QAction::triggered, this, &Tfstereo::ShowWholeActionClick);
    Wire(GuideDotsAction, &QAction::toggled, this, &Tfstereo::GuideDotsActionClick);
    Wire(CrossEyedAction, &QAction::toggled, this, &Tfstereo::CrossEyedActionClick);
    Wire(TextDepthAction, &QAction::triggered, this, &Tfstereo::TextDepthActionClick);
    Wire(AnimationAction, &QAction::triggered, this, &Tfstereo::AnimationActionClick);
    const auto Drop = [this](void (Tfstereo::*Handler)(const QString&)) {
        return [this, Handler](const QString& FileName) { RunGuarded([&] { (this->*Handler)(FileName); }); };
    };
    Image2->OnFileDrop = Drop(&Tfstereo::Image2DragDrop);
    meinimage->OnFileDrop = Drop(&Tfstereo::Image2DragDrop);
    Image3->OnFileDrop = Drop(&Tfstereo::Image3DragDrop);
    meinimage->OnDoubleClick = [this] { ShowWholeAction->trigger(); };
    // Its menu entries follow the others; a drop with Shift reveals before the drop handler above.
    Reveal = new RevealActions(*this);
    Stereogram1->SetOnGenerate([this](TObject* Sender) { Stereogram1Generate(Sender); });
}
