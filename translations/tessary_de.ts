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
    <name>Desktop</name>
    <message>
        <source>The desktop background colour &quot;%1&quot; is not three whole numbers &quot;red green blue&quot; separated by single spaces.</source>
        <translation>Die Hintergrundfarbe des Desktops „%1“ besteht nicht aus drei ganzen Zahlen „Rot Grün Blau“, die durch je ein Leerzeichen getrennt sind.</translation>
    </message>
    <message>
        <source>The desktop setting &quot;%1&quot; has no key &quot;%2&quot;.</source>
        <translation>Die Desktop-Einstellung „%1“ hat keinen Schlüssel „%2“.</translation>
    </message>
    <message>
        <source>The desktop setting &quot;%1&quot; does not accept %2 for &quot;%3&quot;.</source>
        <translation>Die Desktop-Einstellung „%1“ nimmt %2 für „%3“ nicht an.</translation>
    </message>
    <message>
        <source>The %1 desktop settings are kept only in memory here (is dconf installed?); the wallpaper cannot be set.</source>
        <translation>Die Desktop-Einstellungen von %1 werden hier nur im Arbeitsspeicher gehalten (ist dconf installiert?); das Hintergrundbild kann nicht festgelegt werden.</translation>
    </message>
    <message>
        <source>The %1 desktop settings cannot be reached: there is no session bus.</source>
        <translation>Die Desktop-Einstellungen von %1 sind nicht erreichbar: Es gibt keinen Sitzungsbus.</translation>
    </message>
    <message>
        <source>%1&apos;s settings service</source>
        <translation>Der Einstellungsdienst von %1</translation>
    </message>
    <message>
        <source>The %1 desktop settings (&quot;%2&quot;) are not installed; the wallpaper cannot be set.</source>
        <translation>Die Desktop-Einstellungen von %1 („%2“) sind nicht installiert; das Hintergrundbild kann nicht festgelegt werden.</translation>
    </message>
    <message>
        <source>KDE Plasma is not running: the wallpaper cannot be set.</source>
        <translation>KDE Plasma läuft nicht: Das Hintergrundbild kann nicht festgelegt werden.</translation>
    </message>
    <message>
        <source>KDE Plasma refused the wallpaper: %1</source>
        <translation>KDE Plasma hat das Hintergrundbild abgelehnt: %1</translation>
    </message>
    <message>
        <source>TESSARY_DESKTOP=&quot;%1&quot; is not one of %2</source>
        <translation>TESSARY_DESKTOP=&quot;%1&quot; ist keiner der Werte %2</translation>
    </message>
    <message>
        <source>unknown Wayland desktop</source>
        <translation>unbekannter Wayland-Desktop</translation>
    </message>
    <message>
        <source>unknown Wayland desktop &quot;%1&quot;</source>
        <translation>unbekannter Wayland-Desktop „%1“</translation>
    </message>
    <message>
        <source>%1; install swaybg for a wlroots compositor, or set TESSARY_DESKTOP to one of %2</source>
        <translation>%1; installieren Sie swaybg für einen wlroots-Compositor oder setzen Sie TESSARY_DESKTOP auf einen der Werte %2</translation>
    </message>
    <message>
        <source>unknown desktop &quot;%1&quot;</source>
        <translation>unbekannter Desktop „%1“</translation>
    </message>
    <message>
        <source>no graphical session found</source>
        <translation>keine grafische Sitzung gefunden</translation>
    </message>
    <message>
        <source>The wallpaper cannot be set on this desktop: %1.</source>
        <translation>Auf diesem Desktop kann das Hintergrundbild nicht festgelegt werden: %1.</translation>
    </message>
    <message>
        <source>sway cannot be given the wallpaper file &quot;%1&quot;: its name holds blanks in a row or both kinds of quote.</source>
        <translation>Die Hintergrundbilddatei „%1“ kann nicht an sway übergeben werden: Ihr Name enthält mehrere Leerzeichen hintereinander oder beide Arten von Anführungszeichen.</translation>
    </message>
    <message>
        <source>sway did not take the command: %1</source>
        <translation>sway hat den Befehl nicht angenommen: %1</translation>
    </message>
    <message>
        <source>sway did not answer the wallpaper command.</source>
        <translation>sway hat auf den Befehl für das Hintergrundbild nicht geantwortet.</translation>
    </message>
    <message>
        <source>The wallpaper file &quot;%1&quot; cannot be read.</source>
        <translation>Die Hintergrundbilddatei „%1“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>sway cannot be reached: SWAYSOCK is not set.</source>
        <translation>sway ist nicht erreichbar: SWAYSOCK ist nicht gesetzt.</translation>
    </message>
    <message>
        <source>sway&apos;s socket path is too long: %1</source>
        <translation>Der Socket-Pfad von sway ist zu lang: %1</translation>
    </message>
    <message>
        <source>sway cannot be reached at %1: %2</source>
        <translation>sway ist unter %1 nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>sway answered in a way we do not understand.</source>
        <translation>Die Antwort von sway ist unverständlich.</translation>
    </message>
    <message>
        <source>sway refused the wallpaper: %1</source>
        <translation>sway hat das Hintergrundbild abgelehnt: %1</translation>
    </message>
    <message>
        <source>swaybg (&quot;%1&quot;) cannot be started: %2</source>
        <translation>swaybg („%1“) kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>swaybg could not show the wallpaper on this desktop (exit code %1)%2</source>
        <translation>swaybg konnte das Hintergrundbild auf diesem Desktop nicht anzeigen (Exit-Code %1)%2</translation>
    </message>
    <message>
        <source>The wallpaper file &quot;%1&quot; cannot be read: %2</source>
        <translation>Die Hintergrundbilddatei „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Not enough memory to draw the wallpaper.</source>
        <translation>Nicht genug Arbeitsspeicher, um das Hintergrundbild zu zeichnen.</translation>
    </message>
    <message>
        <source>The X display &quot;%1&quot; cannot be reached.</source>
        <translation>Das X-Display „%1“ ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>The X display has no usable screen.</source>
        <translation>Das X-Display hat keinen nutzbaren Bildschirm.</translation>
    </message>
    <message>
        <source>The X display&apos;s colour depth of %1 bits is not supported.</source>
        <translation>Die Farbtiefe des X-Displays von %1 Bit wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>The X display closed the connection.</source>
        <translation>Das X-Display hat die Verbindung geschlossen.</translation>
    </message>
    <message>
        <source>The X display refused the wallpaper (error %1).</source>
        <translation>Das X-Display hat das Hintergrundbild abgelehnt (Fehler %1).</translation>
    </message>
    <message>
        <source>XFCE&apos;s settings refused &quot;%1&quot;: %2</source>
        <translation>Die Einstellungen von XFCE haben „%1“ abgelehnt: %2</translation>
    </message>
    <message>
        <source>XFCE&apos;s settings cannot be read: %1</source>
        <translation>Die Einstellungen von XFCE können nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>XFCE knows no monitor to put the wallpaper on.</source>
        <translation>XFCE kennt keinen Monitor, auf den das Hintergrundbild gelegt werden könnte.</translation>
    </message>
    <message>
        <source>%1 did not answer in time: the desktop was not changed.</source>
        <translation>%1 hat nicht rechtzeitig geantwortet: Der Desktop wurde nicht geändert.</translation>
    </message>
    <message>
        <source>%1 cannot be reached: there is no session bus.</source>
        <translation>%1 ist nicht erreichbar: Es gibt keinen Sitzungsbus.</translation>
    </message>
    <message>
        <source>XFCE&apos;s settings service</source>
        <translation>Der Einstellungsdienst von XFCE</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Cannot create folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The program&apos;s path &quot;%1&quot; cannot be written into an autostart entry: %2</source>
        <translation>Der Pfad des Programms „%1“ kann nicht in einen Autostart-Eintrag geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot remove &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: it is %2, not a regular file.</source>
        <translation>„%1“ kann nicht geöffnet werden: Das ist %2, keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: the file is larger than %2 MiB.</source>
        <translation>„%1“ kann nicht geladen werden: Die Datei ist größer als %2 MiB.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: there is no picture.</source>
        <translation>„%1“ kann nicht geschrieben werden: Es ist kein Bild vorhanden.</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: the file is empty.</source>
        <translation>„%1“ kann nicht geladen werden: Die Datei ist leer.</translation>
    </message>
    <message>
        <source>JPEG error: too many scans to decode in reasonable time (refused at scan %1).</source>
        <translation>JPEG-Fehler: zu viele Scans, um sie in vertretbarer Zeit zu dekodieren (abgelehnt bei Scan %1).</translation>
    </message>
    <message>
        <source>JPEG error #%1</source>
        <translation>JPEG-Fehler Nr. %1</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: the picture is %2 x %3 pixels, larger than the %4 MiB of pixels this program decodes.</source>
        <translation>„%1“ kann nicht geladen werden: Das Bild hat %2 × %3 Pixel, mehr als die %4 MiB an Pixeln, die dieses Programm dekodiert.</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: its colour space (%2 components) is not supported.</source>
        <translation>„%1“ kann nicht geladen werden: Der Farbraum des Bilds (%2 Komponenten) wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: not enough memory for %2 x %3 pixels.</source>
        <translation>„%1“ kann nicht geladen werden: Nicht genug Arbeitsspeicher für %2 × %3 Pixel.</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: the file is cut short (%2 of %3 bytes).</source>
        <translation>„%1“ kann nicht geladen werden: Die Datei ist unvollständig (%2 von %3 Bytes).</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: not a readable BMP file (%2).</source>
        <translation>„%1“ kann nicht geladen werden: Das ist keine lesbare BMP-Datei (%2).</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: not enough memory.</source>
        <translation>„%1“ kann nicht geladen werden: Nicht genug Arbeitsspeicher.</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>eine Spezialdatei</translation>
    </message>
    <message>
        <source>it holds bytes that are not UTF-8.</source>
        <translation>Er enthält Bytes, die kein UTF-8 sind.</translation>
    </message>
    <message>
        <source>it holds the control character U+%1.</source>
        <translation>Er enthält das Steuerzeichen U+%1.</translation>
    </message>
    <message>
        <source>it does not read back the same.</source>
        <translation>Er lässt sich nicht unverändert zurücklesen.</translation>
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
    <name>Settings</name>
    <message>
        <source>not text</source>
        <translation>kein Text</translation>
    </message>
    <message>
        <source>expected &quot;REGEDIT4&quot; as the first line</source>
        <translation>„REGEDIT4“ als erste Zeile erwartet</translation>
    </message>
    <message>
        <source>a key line must end with &quot;]&quot;</source>
        <translation>eine Schlüsselzeile muss mit „]“ enden</translation>
    </message>
    <message>
        <source>keys must be below HKEY_CURRENT_USER</source>
        <translation>Schlüssel müssen unterhalb von HKEY_CURRENT_USER liegen</translation>
    </message>
    <message>
        <source>a value before any key</source>
        <translation>ein Wert vor dem ersten Schlüssel</translation>
    </message>
    <message>
        <source>a value line must start with a quoted name</source>
        <translation>eine Wertzeile muss mit einem Namen in Anführungszeichen beginnen</translation>
    </message>
    <message>
        <source>expected &quot;=&quot; after the value name</source>
        <translation>„=“ nach dem Namen des Werts erwartet</translation>
    </message>
    <message>
        <source>badly quoted text</source>
        <translation>Text mit fehlerhaften Anführungszeichen</translation>
    </message>
    <message>
        <source>a dword needs one to eight hexadecimal digits</source>
        <translation>ein dword braucht eine bis acht Hexadezimalziffern</translation>
    </message>
    <message>
        <source>expected a quoted text or dword:XXXXXXXX</source>
        <translation>Text in Anführungszeichen oder dword:XXXXXXXX erwartet</translation>
    </message>
    <message>
        <source>%1:1: expected &quot;REGEDIT4&quot; as the first line</source>
        <translation>%1:1: „REGEDIT4“ als erste Zeile erwartet</translation>
    </message>
    <message>
        <source>The setting &quot;%1&quot; is missing.</source>
        <translation>Die Einstellung „%1“ fehlt.</translation>
    </message>
    <message>
        <source>The setting &quot;%1&quot; should be a number (dword) but holds the text &quot;%2&quot;.</source>
        <translation>Die Einstellung „%1“ sollte eine Zahl (dword) sein, enthält aber den Text „%2“.</translation>
    </message>
    <message>
        <source>The setting &quot;%1&quot; should be a text but holds the number %2.</source>
        <translation>Die Einstellung „%1“ sollte ein Text sein, enthält aber die Zahl %2.</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;: the key &quot;%2&quot; does not exist.</source>
        <translation>Die Daten für „%1“ konnten nicht gesetzt werden: Der Schlüssel „%2“ existiert nicht.</translation>
    </message>
    <message>
        <source>The setting &quot;%1&quot; should be a whole number but holds &quot;%2&quot;.</source>
        <translation>Die Einstellung „%1“ sollte eine ganze Zahl sein, enthält aber „%2“.</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;: %2</source>
        <translation>Die Daten für „%1“ konnten nicht gesetzt werden: %2</translation>
    </message>
    <message>
        <source>Cannot create the key &quot;%1&quot;: %2</source>
        <translation>Der Schlüssel „%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The setting &quot;%1&quot; should be a number (dword) but is not.</source>
        <translation>Die Einstellung „%1“ sollte eine Zahl (dword) sein, ist es aber nicht.</translation>
    </message>
    <message>
        <source>The setting &quot;%1&quot; should be a text but is not.</source>
        <translation>Die Einstellung „%1“ sollte ein Text sein, ist es aber nicht.</translation>
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
    <message>
        <source>

Black is used until a colour is chosen in Options.</source>
        <translation>

Solange in den Optionen keine Farbe gewählt ist, wird Schwarz verwendet.</translation>
    </message>
    <message numerus="yes">
        <source>The picture list &quot;%1&quot; holds a NUL byte after %n entries: the rest of the file was not read. The file is kept as it is unless you change the list.</source>
        <translation>
            <numerusform>Die Bilderliste „%1“ enthält nach %n Eintrag ein NUL-Byte: Der Rest der Datei wurde nicht gelesen. Die Datei bleibt unverändert, solange Sie die Liste nicht ändern.</numerusform>
            <numerusform>Die Bilderliste „%1“ enthält nach %n Einträgen ein NUL-Byte: Der Rest der Datei wurde nicht gelesen. Die Datei bleibt unverändert, solange Sie die Liste nicht ändern.</numerusform>
        </translation>
    </message>
    <message>
        <source>Skipped %1: %2</source>
        <translation>%1 übersprungen: %2</translation>
    </message>
    <message>
        <source>The wallpaper position &quot;%1&quot; is unknown: the wallpaper was not changed.</source>
        <translation>Die Anordnung „%1“ des Hintergrundbilds ist unbekannt: Das Hintergrundbild wurde nicht geändert.</translation>
    </message>
    <message>
        <source>Cannot scale the picture to %1 x %2 pixels.</source>
        <translation>Das Bild kann nicht auf %1 × %2 Pixel skaliert werden.</translation>
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
    <name>TerminationSignals</name>
    <message>
        <source>Cannot watch for termination signals: %1</source>
        <translation>Signale zum Beenden des Programms können nicht überwacht werden: %1</translation>
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
