#include "PictureFileDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "FileDialogs.h"
#include "PictureToQImage.h"
#include "SampleLoaders.h"
#include "SlotGuard.h"

namespace {
constexpr int PreviewSide = 160;
const QSize DialogSize(900, 460);
}  // namespace

PictureFileDialog::PictureFileDialog(QWidget* Parent)
    : QFileDialog(Parent), FPreview(new QLabel(this)), FPreviewSize(new QLabel(this)) {
    setOption(QFileDialog::DontUseNativeDialog);
    // The shown filter text is the description alone; the patterns that follow it are ours.
    setOption(QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);

    FPreview->setFixedSize(PreviewSide, PreviewSide);
    FPreview->setAlignment(Qt::AlignCenter);
    FPreview->setFrameShape(QFrame::StyledPanel);
    FPreviewSize->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* PreviewColumn = new QVBoxLayout;
    PreviewColumn->addWidget(FPreview);
    PreviewColumn->addWidget(FPreviewSize);
    PreviewColumn->addStretch();
    if (auto* Grid = qobject_cast<QGridLayout*>(layout())) Grid->addLayout(PreviewColumn, 1, Grid->columnCount(), 1, 1);
    connect(this, &QFileDialog::currentChanged, this,
            [this](const QString& Path) { RunGuarded([&] { ShowPreview(Path); }); });
    WidenFileColumns(*this);
    resize(DialogSize);
}

void PictureFileDialog::SetFilter(const QString& Filter) { setNameFilters(QtNameFilters(Filter)); }

void PictureFileDialog::SetFilterIndex(int Index) {
    const QStringList Filters = nameFilters();
    const int Entry = std::max(Index, 1) - 1;
    if (Entry < Filters.size()) selectNameFilter(Filters.at(Entry));
}

bool PictureFileDialog::Execute() {
    ShowPreview({});
    return exec() == QDialog::Accepted && !selectedFiles().isEmpty();
}

QString PictureFileDialog::FileName() const {
    const QStringList Files = selectedFiles();
    return Files.isEmpty() ? QString() : Files.first();
}

// Shows the picture as the window would load it; anything unreadable shows nothing.
void PictureFileDialog::ShowPreview(const QString& Path) {
    FPreview->clear();
    FPreviewSize->clear();
    if (Path.isEmpty() || QFileInfo(Path).isDir()) return;
    TPicture Picture;
    try {
        LoadImage(Picture, QFile::encodeName(Path).toStdString());
    } catch (const std::exception&) {
        return;
    }
    const QImage Image = PictureToQImage(Picture);
    if (Image.isNull()) return;
    FPreview->setPixmap(QPixmap::fromImage(
        Image.scaled(FPreview->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    FPreviewSize->setText(QString("%1 × %2").arg(Picture.Width()).arg(Picture.Height()));
}
