// The main window: previews and sample lists for the depth map and the texture, the kind
// of stereogram, the generate button with its progress gauge, and the result view. The
// generator component Stereogram1 holds every setting; the controls follow it.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "Stereogram.h"

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
class RadioGroup;
class SampleList;

class Tfstereo : public QWidget {
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

    void LoadImage(ImageView& Target, const std::string& FileName);
    void ApplyDefaults();
    void UpdateControls();
    void LoadSampleDepthMap(const std::string& Name);
    void LoadSampleMask(const std::string& Name);

protected:
    void showEvent(QShowEvent* Event) override;
    bool event(QEvent* Event) override;

private:
    // The stored layout: the window and its controls (ustereoLayout.cpp).
    void CreateControls();
    void CreateStereogram();
    void ConnectEvents();
    // Enables or disables the controls that change the generator's settings or pictures.
    void UpdateRunControls(bool RunInProgress);
    // The dialog step of the load buttons: lets the user pick a file and loads it into Target.
    void LoadFromDialog(ImageView& Target);

    bool FActivated = false;
};
