// The dialog that saves the result: Qt's own file dialog with one filter for each format
// the picture layer writes, except PNM, which is for the command line's pipelines. The
// file name's extension follows the chosen filter; the folder stays where it was last.
#pragma once

#include <QFileDialog>
#include <QString>
#include <vector>

#include "PictureFormats.h"

class PictureSaveDialog : public QFileDialog {
public:
    explicit PictureSaveDialog(QWidget* Parent);

    // Shows the dialog modally, offering FileName (whose extension picks the filter); true
    // when the user confirmed a name.
    bool Execute(const QString& FileName);
    QString FileName() const;

private:
    struct TFilter {
        QString NameFilter;
        TFileFormat Format;
    };
    const TFilter* FilterOf(TFileFormat Format) const;
    // A name typed without an extension gets the chosen filter's usual one.
    void FollowFilter(const QString& NameFilter);

    std::vector<TFilter> FFilters;
};
