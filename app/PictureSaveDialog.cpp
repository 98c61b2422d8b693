#include "PictureSaveDialog.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "FileDialogs.h"

namespace {

const QSize DialogSize(760, 440);

bool OfferedForSaving(const TFileFormatInfo& Info) { return Info.Writes && Info.Format != TFileFormat::Pnm; }

QString UsualExtension(TFileFormat Format) {
    const std::string_view Extension = FormatInfo(Format).Extensions.front().substr(1);
    return QString::fromLatin1(Extension.data(), qsizetype(Extension.size()));
}

std::optional<TFileFormat> FormatOfName(const QString& FileName) {
    return FormatOfExtension(QFile::encodeName(FileName).toStdString());
}

}  // namespace

PictureSaveDialog::PictureSaveDialog(QWidget* Parent) : QFileDialog(Parent) {
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::AnyFile);
    setAcceptMode(QFileDialog::AcceptSave);
    QStringList NameFilters;
    for (const TFileFormatInfo& Info : FileFormats()) {
        if (!OfferedForSaving(Info)) continue;
        std::vector<std::string_view> Extensions;
        for (const std::string_view Extension : Info.Extensions) Extensions.push_back(Extension.substr(1));
        // Plain patterns: the dialog gives a typed name the first one's extension when the
        // filter changes, and matches the files it lists in any letter case itself.
        const QString Patterns = PatternList(Extensions);
        const QString Filter = QString::fromLatin1(Info.Name.data(), qsizetype(Info.Name.size())) + " (" + Patterns + ')';
        FFilters.push_back({Filter, Info.Format});
        NameFilters += Filter;
    }
    setNameFilters(NameFilters);
    WidenFileColumns(*this);
    resize(DialogSize);
    connect(this, &QFileDialog::filterSelected, this, &PictureSaveDialog::FollowFilter);
}

const PictureSaveDialog::TFilter* PictureSaveDialog::FilterOf(TFileFormat Format) const {
    const auto Found = std::ranges::find(FFilters, Format, &TFilter::Format);
    return Found == FFilters.end() ? nullptr : &*Found;
}

bool PictureSaveDialog::Execute(const QString& FileName) {
    selectFile(FileName);
    if (const auto Format = FormatOfName(FileName))
        if (const TFilter* Filter = FilterOf(*Format)) {
            selectNameFilter(Filter->NameFilter);
            setDefaultSuffix(UsualExtension(Filter->Format));
        }
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return false;
    setDirectory(QFileInfo(this->FileName()).absolutePath());  // also when the name was typed with another folder
    return true;
}

QString PictureSaveDialog::FileName() const {
    const QStringList Files = selectedFiles();
    return Files.isEmpty() ? QString() : Files.first();
}

void PictureSaveDialog::FollowFilter(const QString& NameFilter) {
    const auto Chosen = std::ranges::find(FFilters, NameFilter, &TFilter::NameFilter);
    if (Chosen != FFilters.end()) setDefaultSuffix(UsualExtension(Chosen->Format));
}
