#include "RefusalText.h"

#include <QCoreApplication>

namespace {
QString Value(const std::string& Text) { return QString::fromStdString(Text); }
// The library's or the system's own words, when it gave any.
QString WithDetail(const QString& Text, const std::string& Detail) {
    return Detail.empty() ? Text : Text + " (" + Value(Detail) + ")";
}
}  // namespace

QString RefusalText(const ERefusal& E) {
    const TRefusalValues& V = E.Values();
    switch (E.Code()) {
        case TRefusal::EmptyDepthMap: return QCoreApplication::translate("RefusalText", "Abbildung ist leer");
        case TRefusal::EmptyMask: return QCoreApplication::translate("RefusalText", "Maske ist leer");
        case TRefusal::NoSeparation: return QCoreApplication::translate("RefusalText", "Tiefenbereich ergibt keinen Abstand");
        case TRefusal::SeparationTooWide: return QCoreApplication::translate("RefusalText", "Abstand ist breiter als das Bild");
        case TRefusal::RowTooWide: return QCoreApplication::translate("RefusalText", "Bild ist zu breit");
        case TRefusal::EmptyPictureToWrite:
            return QCoreApplication::translate("RefusalText", "%1 kann nicht geschrieben werden: leeres Bild").arg(Value(V.Subject));
        case TRefusal::TooLargeToWrite:
            return QCoreApplication::translate("RefusalText", "%1 kann nicht geschrieben werden: höchstens %2 Pixel Breite und Höhe, das Bild hat %3 × %4")
                .arg(Value(V.Subject)).arg(V.Limit).arg(V.Width).arg(V.Height);
        case TRefusal::EncodingFailed:
            return WithDetail(QCoreApplication::translate("RefusalText", "%1 kann nicht geschrieben werden: Kodierung fehlgeschlagen").arg(Value(V.Subject)),
                              V.Detail);
        case TRefusal::FormatNotWritten:
            return QCoreApplication::translate("RefusalText", "%1-Dateien werden nicht geschrieben").arg(Value(V.Subject));
        case TRefusal::UnknownFormatToWrite:
            return QCoreApplication::translate("RefusalText", "Unbekanntes Dateiformat: %1").arg(Value(V.Subject));
        case TRefusal::TextEmpty: return QCoreApplication::translate("RefusalText", "Text ist leer");
        case TRefusal::TextTooLong:
            return QCoreApplication::translate("RefusalText", "Text ist zu lang (höchstens %1 Zeichen)").arg(V.Limit);
        case TRefusal::TextWithoutDrawableCharacter:
            return QCoreApplication::translate("RefusalText", "Text enthält kein darstellbares Zeichen");
        case TRefusal::FontNotFound:
            return QCoreApplication::translate("RefusalText", "Schriftart nicht gefunden: %1").arg(Value(V.Subject));
        case TRefusal::FontFileUnreadable:
            return QCoreApplication::translate("RefusalText", "Schriftdatei kann nicht geöffnet werden: %1").arg(Value(V.Subject));
        case TRefusal::FontUnreadable:
            return QCoreApplication::translate("RefusalText", "Schriftart kann nicht geöffnet werden: %1").arg(Value(V.Subject));
        case TRefusal::FontWithoutOutlines:
            return QCoreApplication::translate("RefusalText", "Schriftart hat keine Umrisse: %1").arg(Value(V.Subject));
        case TRefusal::FontconfigUnavailable:
            return QCoreApplication::translate("RefusalText", "Schriftenverwaltung (fontconfig) kann nicht gestartet werden");
        case TRefusal::FreeTypeUnavailable:
            return QCoreApplication::translate("RefusalText", "Schriftbibliothek (FreeType) kann nicht gestartet werden");
        case TRefusal::DepthMapTooSmall:
            return QCoreApplication::translate("RefusalText", "Tiefenbild braucht mindestens 1 × 1 Pixel, nicht %1 × %2").arg(V.Width).arg(V.Height);
        case TRefusal::NoChildProcess:
            return WithDetail(QCoreApplication::translate("RefusalText", "Kein Kindprozess möglich"), V.Detail);
    }
    return Value(E.Message());
}

QString FailureText(const std::exception& E) {
    if (const auto* Refusal = dynamic_cast<const ERefusal*>(&E)) return RefusalText(*Refusal);
    if (const auto* Failure = dynamic_cast<const Exception*>(&E)) return QCoreApplication::translate("Exception", Failure->Message().c_str());
    return Value(E.what());
}
