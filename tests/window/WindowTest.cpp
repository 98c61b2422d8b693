// The main window under the offscreen platform: start-up state, layout, the handlers'
// rules, the message box, the controls around a run, the keys and the file dialog.
#include <QAbstractItemView>
#include <QAction>
#include <QSpinBox>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QDoubleSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "AnimationDialog.h"
#include "Application.h"
#include "ApplicationHooks.h"
#include "DepthMapTools.h"
#include "Gauge.h"
#include "ImageView.h"
#include "Panel.h"
#include "PictureFileDialog.h"
#include "QtTranslations.h"
#include "Clock.h"
#include "RadioGroup.h"
#include "RefusalText.h"
#include "RevealActions.h"
#include "SampleList.h"
#include "SettingsPanel.h"
#include "SettingsTable.h"
#include "WholePictureWindow.h"
#include "ustereo.h"

namespace {
// Runs Act on the modal dialog as soon as one is open.
void WhenModal(std::function<void(QWidget*)> Act) {
    QTimer::singleShot(10, [Act = std::move(Act)] {
        if (QWidget* Modal = QApplication::activeModalWidget())
            Act(Modal);
        else
            WhenModal(Act);
    });
}

// A drag that enters On and is dropped there.
void DropFile(QWidget* On, const QString& FileName) {
    QMimeData Data;
    Data.setUrls({QUrl::fromLocalFile(FileName)});
    QDragEnterEvent Enter(QPoint(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(On, &Enter);
    QDropEvent Drop(QPointF(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(On, &Drop);
}

QImage Pixels(const QString& FileName) { return QImage(FileName).convertToFormat(QImage::Format_RGB32); }

// Waits until the live preview is done and its result has been handed to the window.
void WaitForPreview(const Tfstereo& Window) {
    QTRY_VERIFY_WITH_TIMEOUT(!Window.PreviewBusy(), 60000);
    QCoreApplication::processEvents();
}

// Fixes the time of day, and with it the seed of every run, while in scope.
struct FixedClock {
    FixedClock() { SetTimeOfDaySource([] { return TTimeOfDay{1, 2, 3, 4}; }); }
    ~FixedClock() { SetTimeOfDaySource({}); }
};
}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Tfstereo> W;

    void ShowWindow() {
        W = std::make_unique<Tfstereo>();
        W->show();
        QVERIFY(QTest::qWaitForWindowActive(W.get()));
    }

private slots:
    void initTestCase() {
        Application->SetTitle("Stereogramm");
        InstallApplicationHooks();
        QVERIFY(InstallQtTranslations());
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init() { ShowWindow(); }
    void cleanup() { W.reset(); }

    void StartUpStateIsTheDefaultsOfTheTexturedKindWithSampleOne() {
        const TStereogram& S = *W->Stereogram1;
        QCOMPARE(W->RG1->ItemIndex(), 2);
        QCOMPARE(S.StereoType(), sgtTextured);
        QCOMPARE(S.RandomDotColor(), dctBlackWhite);
        QCOMPARE(S.Blur(), blurNone);
        QCOMPARE(S.DotIntensity(), 50);
        QCOMPARE(S.Oversampling(), 4);
        QCOMPARE(S.ObservDistance(), 14.0);
        QCOMPARE(S.Max3Ddepth(), 14.0);
        QCOMPARE(S.Min3Ddepth(), 8.0);
        QCOMPARE(S.DPI(), 72);
        QCOMPARE(S.Height(), 500);
        QCOMPARE(S.Width(), 800);
        QCOMPARE(S.DepthMap().Width(), 640);
        QCOMPARE(S.DepthMap().Height(), 480);
        QCOMPARE(S.MaskMap().Width(), 85);
        QCOMPARE(S.MaskMap().Height(), 118);
        QCOMPARE(W->Image2->Picture().Width(), 640);
        QCOMPARE(W->Image3->Picture().Height(), 118);
        QCOMPARE(W->ComboBox1->count(), 28);
        QCOMPARE(W->ComboBox1->itemText(27), QString("Beispiel 28"));
        QCOMPARE(W->ComboBox1->currentText(), QString("Beispiel 1"));
        QCOMPARE(W->ComboBox2->count(), 14);
        QCOMPARE(W->ComboBox2->itemText(13), QString("Maske 14"));
        QCOMPARE(W->ComboBox2->currentText(), QString("Maske 1"));
        QCOMPARE(W->Gauge1->Progress(), 0);
        QVERIFY(W->meinimage->Picture().Graphic() == nullptr);
        // The settings table's start values are the window's; the separation as a run would use it.
        W->Stereogram1->SetObservDistance(S.ObservDistance());
        for (const TSettingEntry& Entry : SettingsTable())
            if (Entry.Read && Entry.Target == TSettingTarget::Generator)
                QVERIFY2(Entry.Read(S) == StartValue(Entry), Entry.Option.data());
    }

    void BeforeShowingOnlyTheStoredLayoutIsApplied() {
        const Tfstereo Hidden;
        QCOMPARE(Hidden.Stereogram1->StereoType(), sgtTextured);
        QCOMPARE(Hidden.Stereogram1->Min3Ddepth(), 7.0);
        QCOMPARE(Hidden.Stereogram1->Oversampling(), 4);
        QCOMPARE(Hidden.RG1->ItemIndex(), 0);
        QCOMPARE(Hidden.ComboBox1->count(), 5);
        QCOMPARE(Hidden.ComboBox2->count(), 0);
        QVERIFY(Hidden.Stereogram1->DepthMap().Graphic() == nullptr);
    }

    void ChoosingAnEntryLoadsTheSampleOfItsNumber() {
        W->ComboBox1->setCurrentIndex(22);
        emit W->ComboBox1->activated(22);
        QCOMPARE(W->Stereogram1->DepthMap().Width(), 594);
        QCOMPARE(W->Stereogram1->Height(), 630);
        QCOMPARE(W->Image2->Picture().Height(), 630);
        W->ComboBox2->setCurrentIndex(13);
        emit W->ComboBox2->activated(13);
        QCOMPARE(W->Stereogram1->MaskMap().Width(), 169);
        QCOMPARE(W->Image3->Picture().Height(), 416);
    }

    void ControlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("Parent");
        QTest::addColumn<QRect>("Geometry");
        QTest::newRow("Panel1") << "" << QRect(0, 0, 984, 27);
        QTest::newRow("B3") << "Panel1" << QRect(1, 1, 128, 25);
        QTest::newRow("Panel17") << "B3" << QRect(0, 2, 8, 22);
        QTest::newRow("Panel2") << "" << QRect(0, 27, 201, 657);
        QTest::newRow("CheckBox1") << "Panel2" << QRect(16, 16, 97, 17);
        QTest::newRow("S4") << "Panel2" << QRect(160, 12, 23, 22);
        QTest::newRow("Image2") << "Panel2" << QRect(16, 40, 168, 137);
        QTest::newRow("ComboBox1") << "Panel2" << QRect(16, 184, 169, 24);
        QTest::newRow("Label12") << "Panel2" << QRect(16, 232, 94, 16);
        QTest::newRow("S2") << "Panel2" << QRect(160, 230, 23, 22);
        QTest::newRow("Image3") << "Panel2" << QRect(16, 256, 168, 137);
        QTest::newRow("ComboBox2") << "Panel2" << QRect(16, 400, 169, 24);
        QTest::newRow("Gauge1") << "Panel2" << QRect(48, 440, 105, 17);
        QTest::newRow("D1") << "Panel2" << QRect(16, 472, 169, 25);
        QTest::newRow("RG1") << "Panel2" << QRect(16, 512, 169, 80);
        QTest::newRow("meinimage") << "" << QRect(201, 27, 783, 657);
    }
    void ControlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, Parent);
        QFETCH(QRect, Geometry);
        const auto* Control = W->findChild<QWidget*>(QTest::currentDataTag());
        QVERIFY(Control);
        QCOMPARE(Control->parentWidget()->objectName(), Parent);
        QCOMPARE(Control->geometry(), Geometry);
    }

    void WindowIsFixedWhiteAndCaptioned() {
        QCOMPARE(W->size(), QSize(984, 684));
        QCOMPARE(W->minimumSize(), W->maximumSize());
        QCOMPARE(W->windowTitle(), QString("Stereogramm"));
        QCOMPARE(W->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(W->font().pixelSize(), 13);
        QCOMPARE(W->Panel1->Caption(), QString("Stereogramm"));
        QCOMPARE(W->Panel1->Color(), QColor(240, 240, 240));
        QCOMPARE(W->Panel2->Color(), QColor(240, 240, 240));
        QVERIFY(W->Panel1->font().bold() && W->Panel1->font().italic());
        QCOMPARE(W->Panel1->font().pixelSize(), 16);
        QCOMPARE(W->Panel1->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(W->D1->text(), QString("Stereogramm erzeugen"));
        QCOMPARE(W->RG1->title(), QString("Stereogram-Typ"));
        QCOMPARE(W->RG1->Button(0)->text(), QString("Schwarz-Weiß-Bild"));
        QCOMPARE(W->RG1->Button(1)->text(), QString("Farben-Bild"));
        QCOMPARE(W->RG1->Button(2)->text(), QString("Textur-Farbenbild"));
        QVERIFY(W->CheckBox1->isChecked());
        QVERIFY(W->S4->autoRaise() && !W->S4->icon().isNull());
        QVERIFY(!W->windowIcon().isNull());
    }

    void TabWalksListsCheckBoxRadioGroupAndButton() {
        QVERIFY(W->ComboBox1->hasFocus());
        const std::array<QWidget*, 4> Next = {W->ComboBox2, W->CheckBox1, W->RG1->Button(2), W->D1};
        for (QWidget* Expected : Next) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), Expected);
        }
    }

    void KindIsResetOnlyWhenTheSelectionMoves() {
        TStereogram& S = *W->Stereogram1;
        S.SetOversampling(2);
        QTest::mouseClick(W->RG1->Button(2), Qt::LeftButton);
        QCOMPARE(S.Oversampling(), 2);

        QTest::mouseClick(W->RG1->Button(1), Qt::LeftButton);
        QCOMPARE(S.StereoType(), sgtRandomDotTextured);
        QCOMPARE(S.RandomDotColor(), dctRGB);
        QCOMPARE(S.Oversampling(), 4);

        QTest::mouseClick(W->RG1->Button(0), Qt::LeftButton);
        QCOMPARE(S.StereoType(), sgtFastRandomDot);
        QCOMPARE(S.RandomDotColor(), dctBlackWhite);
    }

    void ChangeOfKindResetsHeightAndCancelReassignsTheDepthMap() {
        TStereogram& S = *W->Stereogram1;
        W->ComboBox1->setCurrentIndex(1);
        emit W->ComboBox1->activated(1);
        QCOMPARE(S.DepthMap().Height(), 600);
        QCOMPARE(S.Height(), 600);

        QTest::mouseClick(W->RG1->Button(0), Qt::LeftButton);
        QCOMPARE(S.Height(), 500);

        WhenModal([](QWidget* Dialog) { static_cast<QDialog*>(Dialog)->reject(); });
        W->S4->click();
        QCOMPARE(S.Height(), 600);
        QCOMPARE(W->Image2->Picture().Height(), 600);
    }

    void TypedTextInASampleListChangesNothing() {
        QTest::keyClicks(W->ComboBox1->lineEdit(), "xyz");
        QCOMPARE(W->ComboBox1->ItemIndex(), -1);
        QCOMPARE(W->Stereogram1->DepthMap().Width(), 640);
        QCOMPARE(W->Image2->Picture().Width(), 640);
    }

    // An open list takes Esc and Enter for itself: Esc closes it, Enter picks its entry.
    void EscAndEnterInAnOpenListActOnTheListOnly() {
        SampleList& List = *W->ComboBox1;
        List.showPopup();
        QTest::keyClick(List.view(), Qt::Key_Escape);
        QVERIFY(!List.view()->isVisible());
        QVERIFY(W->isVisible());
        QCOMPARE(W->Image2->Picture().Width(), 640);

        List.showPopup();
        List.view()->setCurrentIndex(List.model()->index(10, 0));
        QTest::keyClick(List.view(), Qt::Key_Return);
        QVERIFY(!List.view()->isVisible());
        QCOMPARE(W->Stereogram1->DepthMap().Width(), 634);
        QVERIFY(W->meinimage->Picture().Graphic() == nullptr);
    }

    void TypedEntryTextThenTabLoadsNothing() {
        QLineEdit& Field = *W->ComboBox1->lineEdit();
        Field.selectAll();
        QTest::keyClicks(&Field, "Beispiel 11");
        QTest::keyClick(&Field, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), W->ComboBox2);
        QCOMPARE(W->Stereogram1->DepthMap().Width(), 640);
        QCOMPARE(W->Image2->Picture().Width(), 640);
    }

    void GaugeMovesOnlyOnAGainAboveThree() {
        W->Gauge1->SetProgress(10);
        W->Stereogram1->Progress = 13;
        W->Stereogram1Generate(nullptr);
        QCOMPARE(W->Gauge1->Progress(), 10);
        W->Stereogram1->Progress = 14;
        W->Stereogram1Generate(nullptr);
        QCOMPARE(W->Gauge1->Progress(), 14);
        W->Stereogram1->Progress = 2;
        W->Stereogram1Generate(nullptr);
        QCOMPARE(W->Gauge1->Progress(), 14);
    }

    void EmptyDepthMapShowsAStopBoxWithAFullStop() {
        W->Stereogram1->SetDepthMap(TPicture());
        W->Gauge1->SetProgress(50);
        QString Text, Title;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        WhenModal([&](QWidget* Modal) {
            auto* Box = qobject_cast<QMessageBox*>(Modal);
            QVERIFY(Box);
            Text = Box->text();
            Title = Box->windowTitle();
            Icon = Box->icon();
            Box->accept();
        });
        W->D1->click();
        QCOMPARE(Text, QString("Abbildung ist leer."));
        QCOMPARE(Title, QString("Stereogramm"));
        QCOMPARE(Icon, QMessageBox::Critical);
        QCOMPARE(W->Gauge1->Progress(), 0);
        QVERIFY(W->meinimage->Picture().Graphic() == nullptr);
        QVERIFY(W->ComboBox1->isEnabled());
    }

    // The shown result revealed becomes the depth map the run read; the views of the result
    // open in a window of their own.
    void RevealedResultBecomesTheDepthMapAndViewsOpenInTheirWindow() {
        W->D1->click();
        const TBitmap Read = DepthLevelsInOutput(W->Stereogram1->DepthMap().Bitmap(), 800, 500);
        W->Reveal->RevealAction->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!W->Reveal->Busy(), 20000);
        const TBitmap& Revealed = W->Stereogram1->DepthMap().Bitmap();
        QCOMPARE(Revealed.Width(), 800);
        int Close = 0, Inner = 0;
        for (int Y = 0; Y < 500; Y += 5)
            for (int X = 100; X < 700; X += 5, ++Inner) Close += std::abs(Revealed.ScanLine(Y)[3 * X] - Read.ScanLine(Y)[3 * X]) <= 8;
        QVERIFY2(Close > Inner * 9 / 10, qPrintable(QString::number(Close) + " of " + QString::number(Inner)));
        W->Reveal->PairAction->trigger();
        QVERIFY(W->Reveal->ViewWindow());
        QCOMPARE(W->Reveal->ViewWindow()->PictureArea()->sizeHint(), QSize(1600, 500));
        W->Reveal->WiggleAction->trigger();
        QCOMPARE(W->Reveal->ViewWindow()->PictureArea()->sizeHint(), QSize(800, 500));
    }

    void ControlsAreLockedDuringARunAndASecondRequestIsRefused() {
        // Messages after every row, so that the watch sees the run however fast it is.
        Application->SetProcessMessagesHook([] { QCoreApplication::processEvents(); });
        const struct Restore {
            ~Restore() { InstallApplicationHooks(); }
        } Restored;
        bool Seen = false, Locked = false, LiveDuringRun = false, ShownDuringRun = false;
        QTimer Watch;
        Watch.setInterval(0);
        connect(&Watch, &QTimer::timeout, [&] {
            if (Seen || !W->Stereogram1->Running()) return;
            Seen = true;
            Locked = !W->ComboBox1->isEnabled() && !W->ComboBox2->isEnabled() && !W->S4->isEnabled() &&
                     !W->S2->isEnabled() && !W->RG1->isEnabled();
            LiveDuringRun = W->D1->isEnabled() && W->CheckBox1->isEnabled();
            QTest::keyClick(W.get(), Qt::Key_Return);  // refused: the run goes on
            ShownDuringRun = W->meinimage->Picture().Width() == 800 && W->Stereogram1->Running();
        });
        Watch.start();
        W->D1->click();
        Watch.stop();
        QVERIFY(Seen);
        QVERIFY(Locked);
        QVERIFY(LiveDuringRun);
        QVERIFY(ShownDuringRun);
        QVERIFY(W->ComboBox1->isEnabled() && W->S2->isEnabled() && W->RG1->isEnabled());
        QCOMPARE(W->Gauge1->Progress(), 100);
    }

    void EnterGeneratesAndShowsTheResultCentred() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const TPicture& Result = W->meinimage->Picture();
        QCOMPARE(Result.Width(), 800);
        QCOMPARE(Result.Height(), 500);
        QCOMPARE(W->meinimage->PictureOrigin(), QPoint(-8, 78));
        QCOMPARE(W->Gauge1->Progress(), 100);
    }

    void EscapeClosesTheWindow() {
        QVERIFY(W->M1->isHidden());
        QTest::keyClick(W.get(), Qt::Key_Escape);
        QVERIFY(!W->isVisible());
    }

    void UncheckingTiefenbildHidesOnlyThePreview() {
        QTest::mouseClick(W->CheckBox1, Qt::LeftButton);
        QVERIFY(!W->Image2->isVisible());
        QCOMPARE(W->Stereogram1->DepthMap().Width(), 640);
        QTest::mouseClick(W->CheckBox1, Qt::LeftButton);
        QVERIFY(W->Image2->isVisible());
    }

    void LoadDialogOffersTheClassicFilterThenEveryReadableFormatInAnyLetterCase() {
        QTemporaryDir Dir;
        for (const char* Name : {"photo.jpg", "PHOTO.JPG", "old.Bmp", "new.PNG", "notes.txt"}) {
            QFile File(Dir.filePath(Name));
            QVERIFY(File.open(QIODevice::WriteOnly));
        }
        QString Shown;
        QStringList Filters;
        WhenModal([&](QWidget* Modal) {
            if (auto* Types = Modal->findChild<QComboBox*>("fileTypeCombo")) Shown = Types->currentText();
            Filters = static_cast<QFileDialog*>(Modal)->nameFilters();
            static_cast<QDialog*>(Modal)->reject();
        });
        W->S2->click();
        QCOMPARE(Shown, QString("Image files (*.BMP,*.JPG)"));
        QCOMPARE(Filters.size(), 2);
        const auto Matching = [&](const QString& Filter) {
            return QDir(Dir.path()).entryList(Filter.section('(', -1).chopped(1).split(' '), QDir::Files, QDir::Name);
        };
        QCOMPARE(Matching(Filters[0]), QStringList({"PHOTO.JPG", "old.Bmp", "photo.jpg"}));
        QCOMPARE(Matching(Filters[1]), QStringList({"PHOTO.JPG", "new.PNG", "old.Bmp", "photo.jpg"}));
    }

    // Each step changes the window further; its saved picture, made again by the command
    // line from the options it records, must be the same pixels.
    void SavedOptionsReplayedByTheCommandLineGiveTheSamePixels() {
        QTemporaryDir Dir;
        QImage Tall(300, 700, QImage::Format_RGB888);
        Tall.fill(QColor(90, 90, 90));
        QVERIFY(Tall.save(Dir.filePath("tall depth.bmp"), "BMP"));
        QVERIFY(QImage(":/icons/load.png").convertToFormat(QImage::Format_RGB888).save(Dir.filePath("it's.bmp"), "BMP"));
        const auto Panel = [&](TSettingId Id) { return W->Settings->Control(Id); };
        // Classic changes are shown by the button, live ones by the panel's preview.
        const std::pair<bool, std::function<void()>> Steps[] = {
            {false, [] {}},
            {false, [&] {  // a depth map taller than the kind's height, then another kind resets the height
                W->ComboBox1->setCurrentIndex(1);
                emit W->ComboBox1->activated(1);
                QTest::mouseClick(W->RG1->Button(0), Qt::LeftButton);
            }},
            {false, [&] {  // coloured dots, then a depth map that enlarges the height
                QTest::mouseClick(W->RG1->Button(1), Qt::LeftButton);
                W->ComboBox1->setCurrentIndex(27);
                emit W->ComboBox1->activated(27);
            }},
            {false, [&] {  // files, named so that a shell would split them
                QTest::mouseClick(W->RG1->Button(2), Qt::LeftButton);
                DropFile(W->meinimage, Dir.filePath("tall depth.bmp"));
                DropFile(W->Image3, Dir.filePath("it's.bmp"));
                QCOMPARE(W->Stereogram1->Height(), 700);
            }},
            {true, [&] {  // a spin box, a list, check boxes
                W->SettingsAction->trigger();
                static_cast<QSpinBox*>(Panel(TSettingId::Oversampling))->setValue(2);
                auto* Blur = static_cast<QComboBox*>(Panel(TSettingId::Blur));
                Blur->setCurrentIndex(1);
                emit Blur->activated(1);
                QCOMPARE(Blur->currentText() + " " + Blur->currentData(Qt::ToolTipRole).toString(), QString("leicht light"));
                static_cast<QCheckBox*>(Panel(TSettingId::Large))->setChecked(true);
                static_cast<QSpinBox*>(Panel(TSettingId::Width))->setValue(1300);
                static_cast<QCheckBox*>(Panel(TSettingId::CrossEyed))->setChecked(true);
            }},
            {true, [&] {  // the depth map inverted as it is read and fitted to the output
                static_cast<QCheckBox*>(Panel(TSettingId::InvertDepth))->setChecked(true);
                static_cast<QCheckBox*>(Panel(TSettingId::Fit))->setChecked(true);
            }},
            {false, [&] {  // the depth revealed from a stereogram file
                const QString Stereogram = Dir.filePath("dots it's.png");
                QVERIFY(QProcess::execute("/bin/sh", {"-c", STEREOGRAMM_CLI " --depth sample:5 --type fast-random-dot --cross-eyed -q -o \"$0\"",
                                                      Stereogram}) == 0);
                W->Reveal->RevealFile(Stereogram);
                QTRY_VERIFY_WITH_TIMEOUT(!W->Reveal->Busy(), 20000);
                QCOMPARE(W->Stereogram1->DepthMap().Width(), 800);
            }},
            {true, [&] {  // a text typed in, in another relief
                auto* Profile = static_cast<QComboBox*>(Panel(TSettingId::TextProfile));
                Profile->setCurrentIndex(0);
                emit Profile->activated(0);
                QTest::keyClicks(Panel(TSettingId::DepthMap), "Hi");
                QCOMPARE(W->Stereogram1->DepthMap().Width(), 1300);
            }},
            {true, [&] {  // a model, turned in the panel
                DropFile(W->Image2, STEREO_TEST_DATA "/stl_sphere.stl");
                auto* TurnY = Panel(TSettingId::Rotation)->findChild<QDoubleSpinBox*>("rotate-Y");
                TurnY->setValue(35);
                WaitForPreview(*W);
                const QImage Before = W->meinimage->Image();
                QTest::mousePress(W->meinimage, Qt::LeftButton, {}, QPoint(300, 300));  // and by hand
                QTest::mouseMove(W->meinimage, QPoint(310, 305));
                QTest::mouseMove(W->meinimage, QPoint(320, 310));
                QTest::mouseRelease(W->meinimage, Qt::LeftButton, {}, QPoint(320, 310));
                QCOMPARE(TurnY->value(), 45.0);
                WaitForPreview(*W);
                QVERIFY(W->meinimage->Image() != Before);
            }},
            {false, [&] {  // the button's run fits the model to a lower output
                static_cast<QSpinBox*>(Panel(TSettingId::Height))->setValue(400);
            }},
        };
        QVERIFY(!W->SaveAsAction->isEnabled());
        int Step = 0;
        for (const auto& [Live, Change] : Steps) {
            W->activateWindow();  // back from the last dialog
            QVERIFY(QTest::qWaitForWindowActive(W.get()));
            Change();
            if (Live) WaitForPreview(*W);
            else W->D1->click();
            const QString Saved = Dir.filePath(QString("window%1.png").arg(Step));
            QString Offered, SaveButton;
            WhenModal([&](QWidget* Modal) {
                auto* Name = Modal->findChild<QLineEdit*>("fileNameEdit");
                Offered = Name->text();
                SaveButton = Modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text();
                Name->setText(Saved);
                static_cast<QDialog*>(Modal)->accept();
            });
            QTest::keyClick(W.get(), Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(Offered, QString("stereogramm.png"));
            QCOMPARE(SaveButton.remove('&'), QString("Speichern"));
            QCOMPARE(QImage(Saved).text("Options"), QString::fromStdString(*W->ResultOptions()));

            const QString Replayed = Dir.filePath(QString("cli%1.png").arg(Step++));
            QProcess Cli;
            Cli.start("/bin/sh", {"-c", QString(STEREOGRAMM_CLI " %1 -q -o '%2'").arg(QImage(Saved).text("Options"), Replayed)});
            QVERIFY(Cli.waitForFinished(60000));
            QVERIFY2(Cli.exitCode() == 0, qPrintable(Cli.readAllStandardError() + QImage(Saved).text("Options")));
            QVERIFY(!Pixels(Saved).isNull());
            QVERIFY2(Pixels(Saved) == Pixels(Replayed), qPrintable(QImage(Saved).text("Options")));
        }
        for (const char* Live : {"--large ", "--blur light ", "--oversampling 2 ", "--cross-eyed ", "--rotate 5,45,0 --depth ", "--invert-depth --fit "})
            QVERIFY2(W->ResultOptions()->find(Live) != std::string::npos, W->ResultOptions()->c_str());
    }

    void ResultIsCopiedAndShownWholeInAWindowOfItsOwn() {
        QVERIFY(!W->CopyAction->isEnabled() && !W->ShowWholeAction->isEnabled());
        W->D1->click();
        QCOMPARE(W->meinimage->actions(), QList<QAction*>({W->SaveAsAction, W->CopyAction, W->ShowWholeAction,
                                                            W->GuideDotsAction, W->CrossEyedAction, W->AnimationAction, W->Reveal->AnaglyphAction,
                                                            W->Reveal->PairAction, W->Reveal->WiggleAction, W->Reveal->ReliefAction,
                                                            W->SettingsAction}));
        W->ComboBox1->setFocus();  // Ctrl+C copies the result also from a list's text field
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(800, 500));

        QTest::mouseDClick(W->meinimage, Qt::LeftButton);
        WholePictureWindow* Whole = W->WholePicture();
        QVERIFY(Whole);
        QApplication::setActiveWindow(Whole);  // the offscreen platform does not follow activateWindow
        QCOMPARE(Whole->PictureArea()->size(), QSize(800, 500));
        QTest::keyClick(Whole, Qt::Key_0, Qt::ControlModifier);
        QTRY_COMPARE(Whole->PictureArea()->size(), Whole->findChild<QScrollArea*>()->viewport()->size());
        QTest::keyClick(Whole, Qt::Key_1, Qt::ControlModifier);
        QTRY_COMPARE(Whole->PictureArea()->size(), QSize(800, 500));
        QTest::keyClick(Whole, Qt::Key_Escape);
        QVERIFY(!Whole->isVisible());
        QVERIFY(W->isVisible());
    }

    void DroppedFileLoadsAndOneThatIsNoPictureChangesNothing() {
        QTemporaryDir Dir;
        QFile Text(Dir.filePath("notes.bmp"));
        QVERIFY(Text.open(QIODevice::WriteOnly) && Text.write("no picture") > 0);
        Text.close();
        DropFile(W->Image3, Text.fileName());
        QCOMPARE(W->Stereogram1->MaskMap().Width(), 85);
        QImage Wide(900, 100, QImage::Format_RGB888);
        Wide.fill(Qt::white);
        QVERIFY(Wide.save(Dir.filePath("wide.png"), "PNG"));
        DropFile(W->Image3, Dir.filePath("wide.png"));
        QCOMPARE(W->Image3->Picture().Width(), 900);
        QCOMPARE(W->Stereogram1->MaskMap().Width(), 900);
    }

    // Each is recorded only when on, so that the replay sees the same settings.
    void ViewingAidsAreCheckedInTheResultsMenuAndRecorded() {
        const auto Recorded = [&](const char* Option) {
            W->D1->click();
            return W->ResultOptions()->find(Option) != std::string::npos;
        };
        QVERIFY(!Recorded("--guide-dots") && !Recorded("--cross-eyed"));
        W->GuideDotsAction->trigger();
        QVERIFY(W->Stereogram1->GuideDots() && !W->Stereogram1->CrossEyed());
        QVERIFY(Recorded("--guide-dots") && !Recorded("--cross-eyed"));
        W->CrossEyedAction->trigger();
        W->GuideDotsAction->trigger();
        QVERIFY(!W->Stereogram1->GuideDots() && W->Stereogram1->CrossEyed());
        QVERIFY(!Recorded("--guide-dots") && Recorded("--cross-eyed"));
        QVERIFY(W->Stereogram1->Threads() >= 1);
    }

    // A model is rendered at the output size; its record sets that size before it.
    void DroppedModelFileBecomesADepthMapOfTheOutputSize() {
        QString ModelFilter;
        WhenModal([&](QWidget* Modal) {
            ModelFilter = static_cast<QFileDialog*>(Modal)->nameFilters().value(1);
            static_cast<QDialog*>(Modal)->reject();
        });
        W->S4->click();
        QVERIFY2(ModelFilter.contains("*.[Ss][Tt][Ll]") && ModelFilter.contains("*.[Pp][Nn][Gg]"), qPrintable(ModelFilter));

        const QString Sphere = STEREO_TEST_DATA "/stl_sphere.stl";
        DropFile(W->meinimage, Sphere);
        QCOMPARE(W->Image2->Picture().Width(), 800);
        QCOMPARE(W->Stereogram1->DepthMap().Height(), 500);
        W->D1->click();
        QVERIFY2(W->ResultOptions()->starts_with("--width 800 --height 500 --depth " + Sphere.toStdString() + ' '),
                 W->ResultOptions()->c_str());
    }

    void AnimationOfAModelRendersOffTheWindowThreadAndEachFrameReplaysOnTheCommandLine() {
        QTemporaryDir Dir;
        const QString Folder = Dir.filePath("frames/");
        QTest::mouseClick(W->RG1->Button(0), Qt::LeftButton);  // black-and-white dots
        DropFile(W->meinimage, STEREO_TEST_DATA "/stl_l_block.stl");
        W->SettingsAction->trigger();  // frames inverted and fitted to a lower output, as the window's pictures are
        static_cast<QCheckBox*>(W->Settings->Control(TSettingId::InvertDepth))->setChecked(true);
        static_cast<QCheckBox*>(W->Settings->Control(TSettingId::Fit))->setChecked(true);
        static_cast<QSpinBox*>(W->Settings->Control(TSettingId::Height))->setValue(400);
        bool RanOffThread = false;
        WhenModal([&](QWidget* Modal) {
            auto* Dialog = qobject_cast<AnimationDialog*>(Modal);
            QVERIFY(Dialog);
            Dialog->findChild<QSpinBox*>()->setValue(3);
            Dialog->Start(Folder.toStdString());
            RanOffThread = Dialog->Running();  // the window thread is back before the frames are done
        });
        W->AnimationAction->trigger();
        QVERIFY(RanOffThread);
        // The first frame records the options that make the whole animation again.
        const QString Animation = QImage(Folder + "frame-0001.png").text("Animation");
        QProcess Again;
        Again.start("/bin/sh", {"-c", QString(STEREOGRAMM_CLI " %1 -q -o '%2'").arg(Animation, Dir.filePath("again/"))});
        QVERIFY(Again.waitForFinished(60000));
        QVERIFY2(Again.exitCode() == 0, qPrintable(Again.readAllStandardError() + Animation));
        for (int Frame = 1; Frame <= 3; ++Frame) {
            const QString Written = Folder + QString("frame-%1.png").arg(Frame, 4, 10, QChar('0'));
            const QString Replayed = Dir.filePath(QString("cli%1.png").arg(Frame));
            QVERIFY2(Pixels(Written) == Pixels(Dir.filePath("again/") + QString("frame-%1.png").arg(Frame, 4, 10, QChar('0'))), qPrintable(Animation));
            QProcess Cli;
            Cli.start("/bin/sh", {"-c", QString(STEREOGRAMM_CLI " %1 -q -o '%2'").arg(QImage(Written).text("Options"), Replayed)});
            QVERIFY(Cli.waitForFinished(60000));
            QVERIFY2(Cli.exitCode() == 0, qPrintable(Cli.readAllStandardError() + QImage(Written).text("Options")));
            QVERIFY(!Pixels(Written).isNull());
            QVERIFY2(Pixels(Written) == Pixels(Replayed), qPrintable(QImage(Written).text("Options")));
            QVERIFY(QImage(Written).text("Options").contains("--invert-depth --fit "));
        }
    }

    void TextDialogPutsADepthMapOfTheOutputSizeInThePreview() {
        WhenModal([](QWidget* Modal) {
            Modal->findChild<QPlainTextEdit*>()->setPlainText("Hallo\nWelt");
            static_cast<QDialog*>(Modal)->accept();
        });
        W->TextDepthAction->trigger();
        QCOMPARE(W->Image2->Picture().Width(), 800);
        QCOMPARE(W->Stereogram1->DepthMap().Height(), 500);
        W->D1->click();
        QVERIFY2(W->ResultOptions()->starts_with("--width 800 --height 500 --font 'DejaVu Sans' --depth 'text:Hallo\\nWelt' "),
                 W->ResultOptions()->c_str());

        QString Message;
        std::function<void()> CloseMessage = [&] {
            if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Message = Box->text();
                Box->accept();
            } else {
                QTimer::singleShot(10, CloseMessage);
            }
        };
        WhenModal([&](QWidget* Modal) {
            static_cast<QDialog*>(Modal)->accept();  // an empty text
            CloseMessage();
        });
        W->TextDepthAction->trigger();
        QVERIFY(Message.startsWith("Text ist leer"));
        QCOMPARE(W->Stereogram1->DepthMap().Width(), 800);
    }

    // Ctrl+E and the result's menu open the panel; every change then shows a new picture,
    // the one the button makes with the same seed; closed, the window is the classic one.
    void OpenPanelShowsEveryChangeAtOnceAsTheButtonWould() {
        const FixedClock Fixed;
        W->ComboBox1->setFocus();  // also from a list's text field, which would take Ctrl+E as "end of line"
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(W->SettingsOpen() && W->Settings->isVisible());
        QCOMPARE(W->size(), QSize(984 + SettingsPanel::PanelWidth, 684));
        WaitForPreview(*W);
        QCOMPARE(W->meinimage->Picture().Width(), 800);
        QVERIFY(W->SaveAsAction->isEnabled());
        const QImage Start = W->meinimage->Image();
        W->ComboBox1->setCurrentIndex(3);
        emit W->ComboBox1->activated(3);
        WaitForPreview(*W);
        const QImage Live = W->meinimage->Image();
        QVERIFY(Live != Start);
        const std::string LiveOptions = *W->ResultOptions();
        W->D1->click();
        QCOMPARE(W->meinimage->Image(), Live);
        QCOMPARE(*W->ResultOptions(), LiveOptions);

        W->SettingsAction->trigger();  // as the context menu's entry does
        QVERIFY(!W->Settings->isVisible());
        QCOMPARE(W->size(), QSize(984, 684));
        W->ComboBox1->setCurrentIndex(4);
        emit W->ComboBox1->activated(4);
        QVERIFY(!W->PreviewBusy());
        QCOMPARE(W->meinimage->Image(), Live);
    }

    // A refusal is said in the panel and keeps the picture; a poster-size render gives way
    // to the next change, and closing during a render joins the worker.
    void RefusedOrSupersededPreviewsKeepTheLastGoodPicture() {
        W->SettingsAction->trigger();
        WaitForPreview(*W);
        auto* Oversampling = static_cast<QSpinBox*>(W->Settings->Control(TSettingId::Oversampling));
        Oversampling->setValue(12);
        QCOMPARE(Oversampling->value(), 8);
        QCOMPARE(W->Settings->Note(TSettingId::Oversampling), QString("8 behalten: erlaubt sind 1 bis 8."));
        QTest::mouseClick(W->RG1->Button(0), Qt::LeftButton);  // the kind's reset shows in the panel
        QCOMPARE(Oversampling->value(), 1);
        QVERIFY(!Oversampling->isEnabled());
        QTest::mouseClick(W->RG1->Button(2), Qt::LeftButton);
        QCOMPARE(Oversampling->value(), 4);
        static_cast<QSpinBox*>(W->Settings->Control(TSettingId::Separation))->setValue(500);
        QVERIFY2(W->Settings->Note(TSettingId::Separation).startsWith("85 bleibt"), qPrintable(W->Settings->Note(TSettingId::Separation)));
        WaitForPreview(*W);
        const QImage Kept = W->meinimage->Image();
        static_cast<QDoubleSpinBox*>(W->Settings->Control(TSettingId::MaxDepth))->setValue(-14);
        WaitForPreview(*W);
        QCOMPARE(W->Settings->Refusal(), QString("Tiefenbereich ergibt keinen Abstand"));
        QCOMPARE(W->meinimage->Image(), Kept);
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        W->Stereogram1->SetMax3Ddepth(14);
        W->Stereogram1->SetSizeLimit(slLarge);
        W->Stereogram1->SetWidth(12000);
        W->Stereogram1->SetHeight(12000);
        W->LiveChange();
        QTRY_VERIFY(W->PreviewBusy());
        W->Stereogram1->SetWidth(300);
        W->Stereogram1->SetHeight(200);
        W->LiveChange();
        WaitForPreview(*W);
        QVERIFY(W->Settings->Refusal().isEmpty());
        QCOMPARE(W->meinimage->Picture().Width(), 300);

        W->Stereogram1->SetWidth(12000);
        W->LiveChange();
        QTRY_VERIFY(W->PreviewBusy());
        W->close();
        W.reset();
    }

    // Started with a model and a texture; a model that cannot be read keeps the depth map
    // and says why.
    void StartFilesOpenAndABrokenModelKeepsTheDepthMapSayingWhy() {
        QTemporaryDir Dir;
        QImage Texture(40, 30, QImage::Format_RGB888);
        Texture.fill(Qt::red);
        QVERIFY(Texture.save(Dir.filePath("texture.png"), "PNG"));
        QFile Broken(Dir.filePath("broken.stl"));
        QVERIFY(Broken.open(QIODevice::WriteOnly) && Broken.write("solid nothing\nendsolid nothing\n") > 0);
        Broken.close();
        W = std::make_unique<Tfstereo>();
        W->SetStartFiles({STEREO_TEST_DATA "/stl_sphere.stl", Dir.filePath("texture.png")});
        W->show();
        QVERIFY(QTest::qWaitForWindowActive(W.get()));
        QCOMPARE(W->Stereogram1->DepthMap().Width(), 800);
        QCOMPARE(W->Stereogram1->MaskMap().Width(), 40);
        const QImage Depth = W->Image2->Image();

        QString Message;
        WhenModal([&](QWidget* Modal) {
            Message = static_cast<QMessageBox*>(Modal)->text();
            static_cast<QDialog*>(Modal)->accept();
        });
        DropFile(W->Image2, Broken.fileName());
        QVERIFY2(Message.contains("broken.stl"), qPrintable(Message));
        QCOMPARE(W->Image2->Image(), Depth);
        QCOMPARE(W->S4->accessibleName(), QString("Tiefenbild laden"));
        QCOMPARE(W->S2->toolTip(), QString("--mask"));
    }

    // Run on its own under LANG=en_US.UTF-8 (WindowTestEnglish); under German the texts are
    // the German ones every other test checks.
    void WindowSpeaksEnglishUnderAnEnglishLocale() {
        if (!SpeaksEnglish(QLocale::system())) QSKIP("the English run checks this");
        QCOMPARE(W->D1->text(), QString("Make stereogram"));
        QCOMPARE(W->ComboBox1->itemText(0), QString("Sample 1"));
        QCOMPARE(W->SettingsAction->text(), QString("Settings"));
        QCOMPARE(W->S4->accessibleName(), QString("Load depth map"));
        QCOMPARE(W->Settings->Control(TSettingId::Oversampling)->accessibleName(), QString("Oversampling"));
        QCOMPARE(W->RG1->Button(2)->text(), QString("Textured colour picture"));
        QCOMPARE(static_cast<QComboBox*>(W->Settings->Control(TSettingId::StereoType))->itemText(3), QString("Texture"));
        // Refusals are worded from their codes and values.
        QCOMPARE(RefusalText(ERefusal("", TRefusal::TooLargeToWrite, {.Subject = "GIF", .Limit = 65535, .Width = 70000, .Height = 9})),
                 QString("GIF cannot be written: at most 65535 pixels wide and high, the picture has 70000 × 9"));
    }

    void DialogLoadsTheChosenFileIntoPreviewAndGenerator() {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath("tall.bmp");
        QImage Picture(300, 700, QImage::Format_RGB888);
        Picture.fill(Qt::gray);
        QVERIFY(Picture.save(Path, "BMP"));
        WhenModal([&](QWidget* Modal) {
            Modal->findChild<QLineEdit*>("fileNameEdit")->setText(Path);
            static_cast<QDialog*>(Modal)->accept();
        });
        W->S4->click();
        QCOMPARE(W->Image2->Picture().Height(), 700);
        QCOMPARE(W->Stereogram1->DepthMap().Height(), 700);
        QCOMPARE(W->Stereogram1->Height(), 700);
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
