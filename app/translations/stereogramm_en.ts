<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>Tfstereo</name>
    <message>
        <source>Animation speichern…</source>
        <translation>Save animation…</translation>
    </message>
    <message>
        <source>Tiefenbild</source>
        <translation>Depth map</translation>
    </message>
    <message>
        <source>Beispiel %1</source>
        <translation>Sample %1</translation>
    </message>
    <message>
        <source>Maske %1</source>
        <translation>Texture %1</translation>
    </message>
    <message>
        <source>Maske, Textur</source>
        <translation>Mask, texture</translation>
    </message>
    <message>
        <source>Stereogramm erzeugen</source>
        <translation>Make stereogram</translation>
    </message>
    <message>
        <source>Stereogram-Typ</source>
        <translation>Stereogram type</translation>
    </message>
    <message>
        <source>Schwarz-Weiß-Bild</source>
        <translation>Black-and-white picture</translation>
    </message>
    <message>
        <source>Farben-Bild</source>
        <translation>Colour picture</translation>
    </message>
    <message>
        <source>Textur-Farbenbild</source>
        <translation>Textured colour picture</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Programm beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Speichern unter…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Ganzes Bild anzeigen</source>
        <translation>Show whole picture</translation>
    </message>
    <message>
        <source>Hilfspunkte</source>
        <translation>Guide dots</translation>
    </message>
    <message>
        <source>Kreuzblick</source>
        <translation>Cross-eyed</translation>
    </message>
    <message>
        <source>Text als Tiefenbild…</source>
        <translation>Text as depth map…</translation>
    </message>
    <message>
        <source>Alle Bilddateien</source>
        <translation>All picture files</translation>
    </message>
    <message>
        <source>Alle Bild- und Modelldateien</source>
        <translation>All picture and model files</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Tiefenbild laden</source>
        <translation>Load depth map</translation>
    </message>
    <message>
        <source>Textur laden</source>
        <translation>Load texture</translation>
    </message>
    <message>
        <source>Beispiel-Tiefenbild</source>
        <translation>Sample depth map</translation>
    </message>
    <message>
        <source>Beispieltextur</source>
        <translation>Sample texture</translation>
    </message>
    <message>
        <source>Fortschritt</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Stereogramm</source>
        <translation>Stereogram</translation>
    </message>
    <message>
        <source>%1 behalten: erlaubt sind %2 bis %3.</source>
        <translation>Kept %1: %2 to %3 are allowed.</translation>
    </message>
    <message>
        <source>%1 behalten: unter %2 gilt %3, höchstens %4 (mit „Große Bilder“ %5).</source>
        <translation>Kept %1: below %2 gives %3, at most %4 (%5 with “Large pictures”).</translation>
    </message>
    <message>
        <source>%1 behalten: mindestens %2, und nicht mehr als Breite und Höhe, sonst deren Hälfte.</source>
        <translation>Kept %1: at least %2, and no more than the width and the height, else half of them.</translation>
    </message>
    <message>
        <source>%1 bleibt: der Abstand muss mindestens %2 und kleiner als der Augenabstand sein, %3 Pixel bei %4 dpi.</source>
        <translation>%1 stays: the separation must be at least %2 and less than the eyes' distance, %3 pixels at %4 dpi.</translation>
    </message>
    <message>
        <source>%1 behalten.</source>
        <translation>Kept %1.</translation>
    </message>
</context>
<context>
    <name>SettingsPanel</name>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Drehung um %1</source>
        <translation>Rotation about %1</translation>
    </message>
    <message>
        <source>Stereogram-Typ</source>
        <translation>Stereogram type</translation>
    </message>
    <message>
        <source>Unschärfe</source>
        <translation>Blur</translation>
    </message>
    <message>
        <source>Punktfarbe</source>
        <translation>Dot colour</translation>
    </message>
    <message>
        <source>Punktdichte</source>
        <translation>Dot intensity</translation>
    </message>
    <message>
        <source>Überabtastung</source>
        <translation>Oversampling</translation>
    </message>
    <message>
        <source>Betrachtungsabstand</source>
        <translation>Viewing distance</translation>
    </message>
    <message>
        <source>Ferne Ebene</source>
        <translation>Far plane</translation>
    </message>
    <message>
        <source>Nahe Ebene</source>
        <translation>Near plane</translation>
    </message>
    <message>
        <source>Auflösung (dpi)</source>
        <translation>Resolution (dpi)</translation>
    </message>
    <message>
        <source>Breite</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Abstand</source>
        <translation>Separation</translation>
    </message>
    <message>
        <source>Große Bilder</source>
        <translation>Large pictures</translation>
    </message>
    <message>
        <source>Papier</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>Querformat</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Hilfspunkte</source>
        <translation>Guide dots</translation>
    </message>
    <message>
        <source>Kreuzblick</source>
        <translation>Cross-eyed</translation>
    </message>
    <message>
        <source>Threads</source>
        <translation>Threads</translation>
    </message>
    <message>
        <source>Schriftart</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Relief</source>
        <translation>Relief</translation>
    </message>
    <message>
        <source>Kamera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Drehung</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Tiefe umkehren</source>
        <translation>Invert depth</translation>
    </message>
    <message>
        <source>Einpassen</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Tiefenbild</source>
        <translation>Depth map</translation>
    </message>
    <message>
        <source>Maske, Textur</source>
        <translation>Mask, texture</translation>
    </message>
    <message>
        <source>Zufallspunkte</source>
        <translation>Random dots</translation>
    </message>
    <message>
        <source>Farbpunkte</source>
        <translation>Coloured dots</translation>
    </message>
    <message>
        <source>Zufallspunkt-Textur</source>
        <translation>Random-dot texture</translation>
    </message>
    <message>
        <source>Textur</source>
        <translation>Texture</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>leicht</source>
        <translation>light</translation>
    </message>
    <message>
        <source>mittel</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>stark</source>
        <translation>heavy</translation>
    </message>
    <message>
        <source>Schwarz-Weiß</source>
        <translation>Black and white</translation>
    </message>
    <message>
        <source>Farbig</source>
        <translation>Coloured</translation>
    </message>
    <message>
        <source>flach</source>
        <translation>flat</translation>
    </message>
    <message>
        <source>rund</source>
        <translation>round</translation>
    </message>
    <message>
        <source>parallel</source>
        <translation>orthographic</translation>
    </message>
    <message>
        <source>perspektivisch</source>
        <translation>perspective</translation>
    </message>
</context>
<context>
    <name>TextDepthDialog</name>
    <message>
        <source>Text als Tiefenbild</source>
        <translation>Text as depth map</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Schrift:</source>
        <translation>Font:</translation>
    </message>
</context>
<context>
    <name>WholePictureWindow</name>
    <message>
        <source>Stereogramm – ganzes Bild</source>
        <translation>Stereogram – whole picture</translation>
    </message>
    <message>
        <source>Einpassen</source>
        <translation>Fit</translation>
    </message>
</context>
<context>
    <name>Exception</name>
    <message>
        <source>Eine Animation dreht ein 3D-Modell: laden Sie eines als Tiefenbild</source>
        <translation>An animation turns a 3D model: load one as the depth map</translation>
    </message>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>RevealActions</name>
    <message>
        <source>Aus Stereogramm aufdecken…</source>
        <translation>Reveal from stereogram…</translation>
    </message>
    <message>
        <source>Anaglyph</source>
        <translation>Anaglyph</translation>
    </message>
    <message>
        <source>Stereopaar</source>
        <translation>Stereo pair</translation>
    </message>
    <message>
        <source>Wackelbild</source>
        <translation>Wiggle picture</translation>
    </message>
    <message>
        <source>Relief</source>
        <translation>Relief</translation>
    </message>
    <message>
        <source>Aufdecken</source>
        <translation>Reveal</translation>
    </message>
    <message>
        <source>Nur %1 % der Pixel passen zu ihren Partnern: die aufgedeckte Tiefe ist unsicher.</source>
        <translation>Only %1 % of the pixels match their partners: the revealed depth is uncertain.</translation>
    </message>
    <message>
        <source>Das Bild ist %1 Pixel breit, schmaler als zwei Wiederholungen von %2 Pixeln: daraus lässt sich kein Stereogramm lesen.</source>
        <translation>The picture is %1 pixels wide, narrower than two repeats of %2 pixels: no stereogram can be read from it.</translation>
    </message>
    <message>
        <source>Kein sich wiederholendes Muster gefunden: gesucht wurde eine waagrechte Wiederholung von %1 bis %2 Pixeln in %3 Zeilen.</source>
        <translation>No repeating pattern found: looked for a horizontal repeat of %1 to %2 pixels in %3 rows.</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Animation (*.gif *.webp)</source>
        <translation>Animation (*.gif *.webp)</translation>
    </message>
    <message>
        <source>Bild (*.png *.jpg *.bmp)</source>
        <translation>Picture (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <source>Speichern unter…</source>
        <translation>Save as…</translation>
    </message>
</context>
<context>
    <name>AnimationDialog</name>
    <message>
        <source>Animation speichern</source>
        <translation>Save animation</translation>
    </message>
    <message>
        <source>Bilder:</source>
        <translation>Frames:</translation>
    </message>
    <message>
        <source>Bilder je Sekunde:</source>
        <translation>Frames per second:</translation>
    </message>
    <message>
        <source>Drehung um x, y, z (Grad):</source>
        <translation>Turn about x, y, z (degrees):</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Speichern…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ordner für die Bilder</source>
        <translation>Folder for the frames</translation>
    </message>
    <message>
        <source>PNG-Bilder in einem Ordner</source>
        <translation>PNG pictures in a folder</translation>
    </message>
</context>
<context>
    <name>RefusalText</name>
    <message>
        <source>Abbildung ist leer</source>
        <translation>The depth map is empty</translation>
    </message>
    <message>
        <source>Maske ist leer</source>
        <translation>The mask is empty</translation>
    </message>
    <message>
        <source>Tiefenbereich ergibt keinen Abstand</source>
        <translation>The depth range gives no separation</translation>
    </message>
    <message>
        <source>Abstand ist breiter als das Bild</source>
        <translation>The separation is wider than the picture</translation>
    </message>
    <message>
        <source>Bild ist zu breit</source>
        <translation>The picture is too wide</translation>
    </message>
    <message>
        <source>%1 kann nicht geschrieben werden: leeres Bild</source>
        <translation>%1 cannot be written: the picture is empty</translation>
    </message>
    <message>
        <source>%1 kann nicht geschrieben werden: höchstens %2 Pixel Breite und Höhe, das Bild hat %3 × %4</source>
        <translation>%1 cannot be written: at most %2 pixels wide and high, the picture has %3 × %4</translation>
    </message>
    <message>
        <source>%1 kann nicht geschrieben werden: Kodierung fehlgeschlagen</source>
        <translation>%1 cannot be written: encoding failed</translation>
    </message>
    <message>
        <source>%1-Dateien werden nicht geschrieben</source>
        <translation>%1 files are not written</translation>
    </message>
    <message>
        <source>Unbekanntes Dateiformat: %1</source>
        <translation>Unknown file format: %1</translation>
    </message>
    <message>
        <source>Text ist leer</source>
        <translation>The text is empty</translation>
    </message>
    <message>
        <source>Text ist zu lang (höchstens %1 Zeichen)</source>
        <translation>The text is too long (%1 characters at most)</translation>
    </message>
    <message>
        <source>Text enthält kein darstellbares Zeichen</source>
        <translation>The text has no character that can be drawn</translation>
    </message>
    <message>
        <source>Schriftart nicht gefunden: %1</source>
        <translation>Font not found: %1</translation>
    </message>
    <message>
        <source>Schriftdatei kann nicht geöffnet werden: %1</source>
        <translation>The font file cannot be opened: %1</translation>
    </message>
    <message>
        <source>Schriftart kann nicht geöffnet werden: %1</source>
        <translation>The font cannot be opened: %1</translation>
    </message>
    <message>
        <source>Schriftart hat keine Umrisse: %1</source>
        <translation>The font has no outlines: %1</translation>
    </message>
    <message>
        <source>Schriftenverwaltung (fontconfig) kann nicht gestartet werden</source>
        <translation>The font manager (fontconfig) cannot be started</translation>
    </message>
    <message>
        <source>Schriftbibliothek (FreeType) kann nicht gestartet werden</source>
        <translation>The font library (FreeType) cannot be started</translation>
    </message>
    <message>
        <source>Tiefenbild braucht mindestens 1 × 1 Pixel, nicht %1 × %2</source>
        <translation>A depth map needs at least 1 × 1 pixels, not %1 × %2</translation>
    </message>
    <message>
        <source>Kein Kindprozess möglich</source>
        <translation>No child process can be started</translation>
    </message>
</context>
</TS>
