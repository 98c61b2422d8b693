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
        <source>Abbildung ist leer</source>
        <translation>The depth map is empty</translation>
    </message>
    <message>
        <source>Maske ist leer</source>
        <translation>The mask is empty</translation>
    </message>
    <message>
        <source>Text ist leer</source>
        <translation>The text is empty</translation>
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
</context>
</TS>
