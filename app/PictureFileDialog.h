// The picture-file open dialog: Qt's own file dialog (the same on every platform) with a
// preview of the selected picture beside the file list. The filter is given as
// "Description|*.EXT;*.EXT", several such pairs joined by '|'; its patterns match file
// names in any letter case.
#pragma once

#include <QFileDialog>
#include <QString>

class QLabel;

class PictureFileDialog : public QFileDialog {
public:
    explicit PictureFileDialog(QWidget* Parent);

    void SetFilter(const QString& Filter);
    // 0 and 1 both select the first entry, 2 the second, and so on.
    void SetFilterIndex(int Index);
    // Shows the dialog modally; true when the user confirmed a file.
    bool Execute();
    QString FileName() const;

private:
    void ShowPreview(const QString& Path);

    QLabel* FPreview;
    QLabel* FPreviewSize;
};
