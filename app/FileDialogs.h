// What the picture dialogs share: filters given as "Description|*.EXT;*.EXT" (several
// such pairs joined by '|') turned into Qt's name filters whose patterns match file names
// in any letter case, and a file list wide enough to read.
#pragma once

#include <QString>
#include <QStringList>
#include <span>
#include <string_view>

class QFileDialog;

// One Qt name filter per pair: the description shown as it is, the patterns made
// case-insensitive ("*.BMP" → "*.[Bb][Mm][Pp]").
QStringList QtNameFilters(const QString& Filter);

// "Description|*.ext;*.ext" for Extensions given without their dots.
QString FilterEntry(const QString& Description, std::span<const std::string_view> Extensions);
// "*.bmp *.jpg" for the same, as Qt lists patterns.
QString PatternList(std::span<const std::string_view> Extensions);

// Gives the detail view's name and size columns room for a long file name and a size such
// as "1023,9 KiB".
void WidenFileColumns(QFileDialog& Dialog);
