<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Banner</name>
    <message>
        <source>Randomly changes your wallpaper.</source>
        <translation>Wechselt Ihr Hintergrundbild zufällig.</translation>
    </message>
</context>
<context>
    <name>LoginWords</name>
    <message>
        <source>Start Tessary with Windows</source>
        <translation>Tessary mit Windows starten</translation>
    </message>
    <message>
        <source>Start Tessary on Windows Boot</source>
        <translation>Tessary beim Start von Windows starten</translation>
    </message>
    <message>
        <source>Start Tessary at login</source>
        <translation>Tessary beim Anmelden starten</translation>
    </message>
    <message>
        <source>Start Tessary when you log in</source>
        <translation>Tessary beim Anmelden automatisch starten</translation>
    </message>
</context>
<context>
    <name>Picture1</name>
    <message>
        <source>Tessary</source>
        <translation>Tessary</translation>
    </message>
    <message>
        <source>About Tessary</source>
        <translation>Über Tessary</translation>
    </message>
    <message>
        <source>Click to see About Tessary</source>
        <translation>Klicken, um Informationen über Tessary anzuzeigen</translation>
    </message>
    <message>
        <source>No Images to Display</source>
        <translation>Keine Bilder zum Anzeigen</translation>
    </message>
    <message>
        <source>Timer:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>Timer Progress</source>
        <translation>Fortschritt bis zum nächsten Wechsel</translation>
    </message>
    <message>
        <source>Start Tessarying</source>
        <translation>Bildwechsel starten</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>View the Options Window</source>
        <translation>Das Fenster „Optionen“ öffnen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Exit Tessary</source>
        <translation>Tessary beenden</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Filetype:</source>
        <translation>Dateityp:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Add Images to List</source>
        <translation>Bilder zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove Current Image from List</source>
        <translation>Aktuelles Bild aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove All Images from List</source>
        <translation>Alle Bilder aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>View and select Images</source>
        <translation>Bilder ansehen und auswählen</translation>
    </message>
    <message>
        <source>Click left or right to scroll through the Images</source>
        <translation>Links oder rechts klicken, um durch die Bilder zu blättern</translation>
    </message>
</context>
<context>
    <name>Picture2</name>
    <message>
        <source>Tessary - Options</source>
        <translation>Tessary - Optionen</translation>
    </message>
    <message>
        <source>Hours (Max 24):</source>
        <translation>Stunden (max. 24):</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Click and drag to set amount of Hours</source>
        <translation>Klicken und ziehen, um die Stunden einzustellen</translation>
    </message>
    <message>
        <source>Minutes (Max 59):</source>
        <translation>Minuten (max. 59):</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Click and drag to set amount of Minutes</source>
        <translation>Klicken und ziehen, um die Minuten einzustellen</translation>
    </message>
    <message>
        <source>Seconds (Max 59):</source>
        <translation>Sekunden (max. 59):</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Click and drag to set amount of Seconds</source>
        <translation>Klicken und ziehen, um die Sekunden einzustellen</translation>
    </message>
    <message>
        <source>Wallpaper Style Settings:</source>
        <translation>Hintergrundeinstellungen:</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>Hintergrundfarbe:</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Click to set Backgorund Color</source>
        <translation>Klicken, um die Hintergrundfarbe festzulegen</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Anordnung:</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Anordnung</translation>
    </message>
    <message>
        <source>Click to set Default Background Position</source>
        <translation>Klicken, um die übliche Anordnung des Hintergrundbilds festzulegen</translation>
    </message>
    <message>
        <source>Determine</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>Gekachelt</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>Gestreckt</translation>
    </message>
    <message>
        <source>Start Tessary when you log in</source>
        <translation>Tessary beim Anmelden automatisch starten</translation>
    </message>
    <message>
        <source>Start Tessary at login</source>
        <translation>Tessary beim Anmelden starten</translation>
    </message>
    <message>
        <source>Start Tessary in System Tray</source>
        <translation>Tessary nur im Benachrichtigungsfeld starten</translation>
    </message>
    <message>
        <source>Start Minimized to Tray</source>
        <translation>Im Benachrichtigungsfeld starten</translation>
    </message>
    <message>
        <source>Automatically Start Tessarying</source>
        <translation>Den Bildwechsel automatisch starten</translation>
    </message>
    <message>
        <source>Auto-start Tessary Engine</source>
        <translation>Bildwechsel beim Start beginnen</translation>
    </message>
    <message>
        <source>Click to apply the above changes</source>
        <translation>Klicken, um die Änderungen zu übernehmen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Click to discard the above changes</source>
        <translation>Klicken, um die Änderungen zu verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Picture3</name>
    <message>
        <source>Still Running</source>
        <translation>Läuft weiter</translation>
    </message>
    <message>
        <source>Tessary is still running!</source>
        <translation>Tessary läuft weiter!</translation>
    </message>
    <message>
        <source>Tessary Tray Icon</source>
        <translation>Das Symbol von Tessary im Benachrichtigungsfeld</translation>
    </message>
    <message>
        <source>Check to Never See This Message Again</source>
        <translation>Ankreuzen, damit diese Meldung nicht mehr erscheint</translation>
    </message>
    <message>
        <source>Don&apos;t show this message again</source>
        <translation>Diese Meldung nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Close Message</source>
        <translation>Meldung schließen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Its window is minimised in the task bar.</source>
        <translation>Sein Fenster liegt minimiert in der Taskleiste.</translation>
    </message>
</context>
<context>
    <name>Picture4</name>
    <message>
        <source>About Tessary</source>
        <translation>Über Tessary</translation>
    </message>
    <message>
        <source>Tessary Developed By:</source>
        <translation>Tessary wurde entwickelt von:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>Click to Visit Tessary Home Page</source>
        <translation>Klicken, um die Website von Tessary zu besuchen</translation>
    </message>
    <message>
        <source>Support:</source>
        <translation>Support:</translation>
    </message>
    <message>
        <source>Click to Create Help E-Mail</source>
        <translation>Klicken, um eine E-Mail an den Support zu schreiben</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>No notification area: closing the window minimises it</source>
        <translation>Kein Benachrichtigungsfeld: Schließen minimiert das Fenster</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Tessary is already running, but the running copy does not answer. This copy will not start beside it: end the running copy, then start Tessary again.</source>
        <translation>Tessary läuft bereits, aber das laufende Programm antwortet nicht. Ein zweites wird daneben nicht gestartet: Beenden Sie das laufende Programm und starten Sie Tessary dann erneut.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Tessary
Status: Started
Time: </source>
        <translation>Tessary
Status: Gestartet
Zeit: </translation>
    </message>
    <message>
        <source>Tessary
Status: Started, wallpaper not changed
Time: </source>
        <translation>Tessary
Status: Gestartet, Hintergrundbild nicht geändert
Zeit: </translation>
    </message>
    <message>
        <source>Tessary - Wallpaper not changed: %1</source>
        <translation>Tessary - Hintergrundbild nicht geändert: %1</translation>
    </message>
    <message>
        <source>Tessary
Status: Stopped
Time: Disabled</source>
        <translation>Tessary
Status: Angehalten
Zeit: Aus</translation>
    </message>
    <message>
        <source>No Images Selected</source>
        <translation>Keine Bilder ausgewählt</translation>
    </message>
    <message>
        <source>Bitmap (*.bmp)|*.bmp;|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg;|All Images (*.bmp, *.jpg, *.jpeg)|*.bmp;*.jpg;*.jpeg;</source>
        <translation>Bitmap (*.bmp)|*.bmp;|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg;|Alle Bilder (*.bmp, *.jpg, *.jpeg)|*.bmp;*.jpg;*.jpeg;</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Hide Tessary...</source>
        <translation>Tessary ausblenden...</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Bilder hinzufügen</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>Remove Picture</source>
        <translation>Bild entfernen</translation>
    </message>
    <message>
        <source>Clear All Pictures</source>
        <translation>Alle Bilder entfernen</translation>
    </message>
    <message>
        <source>Next Picture</source>
        <translation>Nächstes Bild</translation>
    </message>
    <message>
        <source>Previous Picture</source>
        <translation>Vorheriges Bild</translation>
    </message>
    <message>
        <source>Show Tessary...</source>
        <translation>Tessary anzeigen...</translation>
    </message>
    <message>
        <source>Start Tessarying</source>
        <translation>Bildwechsel starten</translation>
    </message>
    <message>
        <source>Set As Wallpaper</source>
        <translation>Als Hintergrundbild festlegen</translation>
    </message>
    <message>
        <source>Determine</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Centered</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Tiled</source>
        <translation>Gekachelt</translation>
    </message>
    <message>
        <source>Stretched</source>
        <translation>Gestreckt</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Optionen...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>No Images to Display</source>
        <translation>Keine Bilder zum Anzeigen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Stop Tessarying</source>
        <translation>Bildwechsel anhalten</translation>
    </message>
    <message>
        <source>There are no pictures in the list to choose from.</source>
        <translation>Die Liste enthält keine Bilder, aus denen gewählt werden könnte.</translation>
    </message>
    <message>
        <source>There is no picture to set as wallpaper.</source>
        <translation>Es gibt kein Bild, das als Hintergrundbild festgelegt werden könnte.</translation>
    </message>
    <message>
        <source>Pictures cannot be added while the wallpaper changes by itself. Press Stop, then add them again.</source>
        <translation>Solange das Hintergrundbild selbsttätig wechselt, lassen sich keine Bilder hinzufügen. Klicken Sie auf „Stoppen“ und fügen Sie die Bilder danach erneut hinzu.</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... und %n weiteres</numerusform>
            <numerusform>... und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Not added: these are not BMP or JPEG pictures, nor folders holding any.

%1</source>
        <translation>Folgendes wurde nicht hinzugefügt, weil es sich weder um BMP- oder JPEG-Bilder noch um Ordner mit solchen Bildern handelt:

%1</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Hours, Minutes, and Seconds cannot all be set to 0.</source>
        <translation>Stunden, Minuten und Sekunden dürfen nicht alle 0 sein.</translation>
    </message>
    <message>
        <source>Please set a valid time.</source>
        <translation>Bitte stellen Sie eine gültige Zeit ein.</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Wallpaper: %1</source>
        <translation>Hintergrundbild: %1</translation>
    </message>
</context>
<context>
    <name>UpDown</name>
    <message>
        <source>Previous Picture</source>
        <translation>Vorheriges Bild</translation>
    </message>
    <message>
        <source>Next Picture</source>
        <translation>Nächstes Bild</translation>
    </message>
</context>
</TS>
