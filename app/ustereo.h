// The main window: previews and sample lists for the depth map and the texture, the kind
// of stereogram, the generate button with its progress gauge, and the result view. The
// generator component Stereogram1 holds every setting; the controls follow it.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "DepthRasterizer.h"
#include "DraftMesh.h"
#include "DepthReading.h"
#include "Mesh.h"
#include "PictureSource.h"
#include "SettingsTable.h"
#include "Stereogram.h"
#include "WindowRecord.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class Gauge;
class ImageView;
class Panel;
class PictureFileDialog;
class PictureSaveDialog;
class PreviewRenderer;
class RadioGroup;
class RevealActions;
class SettingsPanel;
class SampleList;
class WholePictureWindow;

class Tfstereo : public QWidget {
    Q_OBJECT
public:
    explicit Tfstereo(QWidget* Parent = nullptr);
    ~Tfstereo() override;

    // Controls and components, by their names in the window's layout.
    Panel* Panel1 = nullptr;
    QWidget* B3 = nullptr;
    Panel* Panel17 = nullptr;
    Panel* Panel2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* S4 = nullptr;
    ImageView* Image2 = nullptr;
    SampleList* ComboBox1 = nullptr;
    QLabel* Label12 = nullptr;
    QToolButton* S2 = nullptr;
    ImageView* Image3 = nullptr;
    SampleList* ComboBox2 = nullptr;
    Gauge* Gauge1 = nullptr;
    QPushButton* D1 = nullptr;
    RadioGroup* RG1 = nullptr;
    ImageView* meinimage = nullptr;
    QMenu* M1 = nullptr;
    QAction* M8 = nullptr;
    QAction* e1 = nullptr;
    PictureFileDialog* OD1 = nullptr;
    std::unique_ptr<TStereogram> Stereogram1;
    // The result view's context menu; the first two also by their keys.
    QAction* SaveAsAction = nullptr;     // "Speichern unter…", Ctrl+S
    QAction* CopyAction = nullptr;       // "Kopieren", Ctrl+C
    QAction* ShowWholeAction = nullptr;  // "Ganzes Bild anzeigen", also a double-click on the result
    QAction* GuideDotsAction = nullptr;  // "Hilfspunkte", checkable: for the next generation
    QAction* CrossEyedAction = nullptr;  // "Kreuzblick", checkable: for the next generation
    // The depth preview's context menu.
    QAction* TextDepthAction = nullptr;  // "Text als Tiefenbild…"
    QAction* AnimationAction = nullptr;  // "Animation speichern…", of a model as depth map
    PictureSaveDialog* SaveDialog = nullptr;
    // Reveal a stereogram's depth; views of the result without the trick.
    RevealActions* Reveal = nullptr;
    // "Einstellungen", Ctrl+E, also in the result's context menu: the settings panel beside
    // the window. While it is open every change shows a new result at once.
    QAction* SettingsAction = nullptr;
    SettingsPanel* Settings = nullptr;

    // Event handlers.
    void FormShow(QObject* Sender);
    void FormActivate(QObject* Sender);
    void ComboBox1Change(QObject* Sender);
    void ComboBox2Change(QObject* Sender);
    void Image2Click(QObject* Sender);
    void Image3Click(QObject* Sender);
    void Zmena(QObject* Sender);
    void CheckBox1Click(QObject* Sender);
    void D1Click(QObject* Sender);
    void Stereogram1Generate(TObject* Sender);
    void S7Click(QObject* Sender);
    void SaveAsActionClick(QObject* Sender);
    void CopyActionClick(QObject* Sender);
    void ShowWholeActionClick(QObject* Sender);
    void GuideDotsActionClick(QObject* Sender);
    void CrossEyedActionClick(QObject* Sender);
    void TextDepthActionClick(QObject* Sender);
    void AnimationActionClick(QObject* Sender);
    void SettingsActionClick(QObject* Sender);
    // A file dropped on the depth preview or the result view (a picture or a model), or on
    // the texture preview (a picture).
    void Image2DragDrop(const QString& FileName);
    void Image3DragDrop(const QString& FileName);

    // True when Target took the file's picture.
    bool LoadImage(ImageView& Target, const std::string& FileName);
    void ApplyDefaults();
    void UpdateControls();
    void LoadSampleDepthMap(const std::string& Name);
    void LoadSampleMask(const std::string& Name);
    // Renders Utf8Text in Font as the depth map, at the output size, and takes it as a loaded
    // file would be taken. Raises for an empty text and a font that cannot be found.
    void LoadTextDepthMap(const std::string& Utf8Text, const std::string& Font);

    // Makes Depth the depth map, recorded as the depth revealed from the stereogram file Origin.
    void TakeRevealedDepthMap(const TPicture& Depth, const QString& Origin);

    // The options of stereogramm-cli that make the shown result again, seed included;
    // nothing before the first result.
    const std::optional<std::string>& ResultOptions() const { return FResultOptions; }
    // A depth map, or a depth map and a texture, to open in place of the first samples
    // when the window is first activated.
    void SetStartFiles(const QStringList& Files) { FStartFiles = Files; }

    // The window showing the whole result, while it is open.
    WholePictureWindow* WholePicture() const;

    // With the settings panel open: renders the generator's present settings on the
    // preview's worker and shows the result when it is done (ustereoStudio.cpp).
    // Draft renders with one sample per pixel, for a picture that follows the mouse.
    void LiveChange(bool Draft = false);
    // Turns a model depth map by a drag of Movement pixels over the result view (panel open)
    // or the depth preview: about the vertical axis by the horizontal movement, about the
    // horizontal axis by the vertical one. At reduced quality until the button is released.
    void TurnModel(ImageView& View, QPoint Movement, bool Released);
    bool SettingsOpen() const;
    // True while a live preview waits or renders.
    bool PreviewBusy() const;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool event(QEvent* Event) override;

private:
    // The stored layout: the window and its controls (ustereoLayout.cpp).
    void CreateControls();
    void CreateStereogram();
    void ConnectEvents();
    // Decides in one place what the user can do: during a run nothing changes the
    // generator's settings or pictures; the result's actions need a finished result.
    void UpdateRunControls(bool RunInProgress);
    // The dialog step of the load buttons: the file the user picked, if any.
    std::optional<QString> ChooseFile(TPictureRole Role);
    // Loads FileName, when there is one, into the preview of Role (a file that is no
    // readable picture changes nothing), then assigns the preview to the generator.
    // A depth map may also be a model, rendered at the output size.
    void LoadFileFor(TPictureRole Role, const std::optional<QString>& FileName);
    // ReportPicture: a picture that cannot be read says why, as a model always does.
    void LoadDepthFile(const QString& FileName, bool ReportPicture = false);
    // The files the program was started with, once the samples are in (ustereoStudio.cpp).
    void OpenStartFiles();
    // Gives the generator the depth preview's picture and brings the controls into line.
    void DepthMapChanged();
    // Gives the generator the depth preview's picture, inverted when FDepthReading says.
    void GiveDepthMap();
    // The settings panel and the live preview (ustereoStudio.cpp).
    void CreateStudio();
    // The panel's rows: what each setting holds now, and which are used (ustereoSettings.cpp).
    TSettingValue SettingValue(const TSettingEntry& Entry) const;
    void ShowSettings();
    void SettingChanged(const TSettingEntry& Entry, const TSettingValue& Value);
    // Draws the kept mesh again as FModelView says, at the depth map's size.
    void RedrawModel(bool Draft = false);
    // The coarse copy of the kept mesh that a draft of a Width × Height depth map draws.
    const TMesh& DraftModel(int Width, int Height);
    void DescribeClassicControls();
    void ShowPreview(const QString& Refusal, std::unique_ptr<TBitmap> Picture, const std::optional<std::string>& Options);

    bool FActivated = false;
    // Where the pictures in the previews came from, for the result's record.
    TWindowDepthSource FDepthSource;
    TPictureSource FMaskSource;
    std::optional<std::string> FResultOptions;
    QPointer<WholePictureWindow> FWholePicture;
    // The model of the depth map, while it is one, and how it is turned.
    std::shared_ptr<const TMesh> FMesh;
    TModelView FModelView;
    TDraftMeshCache FDraftModel;
    TMeshRasterizer FModelRasterizer;  // draws the kept model as it turns, in memory it keeps
    // How a text depth map is drawn: the next one, and the present one again.
    TTextDepthOptions FTextShape{.Font = "DejaVu Sans"};
    // Invert and fit: the depth preview keeps the map as read or drawn, the generator gets
    // it inverted, and each run fits it to the output size.
    TDepthReading FDepthReading;
    QStringList FStartFiles;
    std::unique_ptr<PreviewRenderer> FPreview;
};
