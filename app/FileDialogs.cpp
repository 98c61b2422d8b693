#include "FileDialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace {

constexpr int NameColumnWidth = 300;
constexpr int SizeColumnWidth = 90;

QString CaseInsensitivePattern(const QString& Pattern) {
    QString Result;
    for (const QChar C : Pattern) {
        if (C.isLetter() && C.toLower() != C.toUpper())
            Result += QString("[%1%2]").arg(C.toUpper(), C.toLower());
        else
            Result += C;
    }
    return Result;
}

QStringList Patterns(std::span<const std::string_view> Extensions) {
    QStringList Result;
    for (const std::string_view Extension : Extensions)
        Result += "*." + QString::fromLatin1(Extension.data(), qsizetype(Extension.size()));
    return Result;
}

}  // namespace

QStringList QtNameFilters(const QString& Filter) {
    const QStringList Parts = Filter.split('|');
    QStringList Result;
    for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
        QStringList Patterns = Parts.at(I + 1).split(';', Qt::SkipEmptyParts);
        for (QString& Pattern : Patterns) Pattern = CaseInsensitivePattern(Pattern.trimmed());
        Result += Parts.at(I) + " (" + Patterns.join(' ') + ')';
    }
    return Result;
}

QString FilterEntry(const QString& Description, std::span<const std::string_view> Extensions) {
    return Description + '|' + Patterns(Extensions).join(';');
}

QString PatternList(std::span<const std::string_view> Extensions) { return Patterns(Extensions).join(' '); }

void WidenFileColumns(QFileDialog& Dialog) {
    if (auto* Details = Dialog.findChild<QTreeView*>("treeView")) {
        Details->header()->resizeSection(0, NameColumnWidth);
        Details->header()->resizeSection(1, SizeColumnWidth);
    }
}
