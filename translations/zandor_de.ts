<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>zandor::CLeftView</name>
    <message>
        <source>Search for Files and Folders</source>
        <translation>Dateien und Ordner suchen</translation>
    </message>
    <message>
        <source>Search for  file or folders &amp;named:</source>
        <translation>Dateien oder Ordner mit dem &amp;Namen:</translation>
    </message>
    <message>
        <source>Look &amp;in  :</source>
        <translation>Suchen &amp;in:</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tagen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monaten</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Wählen…</translation>
    </message>
    <message>
        <source>Si&amp;ze</source>
        <translation>G&amp;röße</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>Dat&amp;um</translation>
    </message>
    <message>
        <source>in the last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <source>T&amp;ype</source>
        <translation>T&amp;yp</translation>
    </message>
    <message>
        <source>Advanced &amp;Options</source>
        <translation>&amp;Erweiterte Optionen</translation>
    </message>
    <message>
        <source>Include S&amp;ub Directories</source>
        <translation>Unter&amp;ordner einbeziehen</translation>
    </message>
    <message>
        <source>&amp;Case Sensitive</source>
        <translation>&amp;Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>S&amp;topp</translation>
    </message>
    <message>
        <source>Containing te&amp;xt:</source>
        <translation>Enthaltener Te&amp;xt:</translation>
    </message>
    <message>
        <source>Include bin&amp;ary files</source>
        <translation>&amp;Binärdateien einbeziehen</translation>
    </message>
    <message>
        <source>&amp;Leave out:</source>
        <translation>Aus&amp;lassen:</translation>
    </message>
    <message>
        <source>Patterns separated by blanks: * ? and [...] match a name, or, with a /, a path below the look-in folder. A trailing / leaves out folders only.</source>
        <translation>Muster durch Leerzeichen getrennt: * ? und [...] passen auf einen Namen, mit einem / auf einen Pfad unterhalb des Suchordners. Ein / am Ende lässt nur Ordner aus.</translation>
    </message>
    <message>
        <source>Stay on this dis&amp;k</source>
        <translation>Auf diesem Laufwer&amp;k bleiben</translation>
    </message>
    <message>
        <source>Folders on another disk or file system are listed but not entered</source>
        <translation>Ordner auf einem anderen Laufwerk oder Dateisystem werden aufgeführt, aber nicht betreten</translation>
    </message>
    <message>
        <source>Search for file or folders named</source>
        <translation>Dateien oder Ordner mit dem Namen</translation>
    </message>
    <message>
        <source>Look in</source>
        <translation>Suchen in</translation>
    </message>
    <message>
        <source>Size is</source>
        <translation>Größe ist</translation>
    </message>
    <message>
        <source>Size in KB</source>
        <translation>Größe in KB</translation>
    </message>
    <message>
        <source>Date of</source>
        <translation>Datum der</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>In the last days</source>
        <translation>In den letzten Tagen</translation>
    </message>
    <message>
        <source>In the last months</source>
        <translation>In den letzten Monaten</translation>
    </message>
    <message>
        <source>Search Options  &gt;&gt;</source>
        <translation>Suchoptionen  &gt;&gt;</translation>
    </message>
</context>
<context>
    <name>zandor::CMainFrame</name>
    <message>
        <source>Untitled - Zandor</source>
        <translation>Unbenannt - Zandor</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
</context>
<context>
    <name>zandor::CRightView</name>
    <message>
        <source>Results, details</source>
        <translation>Ergebnisse, Details</translation>
    </message>
    <message>
        <source>Results, large icons</source>
        <translation>Ergebnisse, große Symbole</translation>
    </message>
    <message>
        <source>Results, small icons</source>
        <translation>Ergebnisse, kleine Symbole</translation>
    </message>
    <message>
        <source>Results, list</source>
        <translation>Ergebnisse, Liste</translation>
    </message>
    <message>
        <source>Other Program…</source>
        <translation>Anderes Programm…</translation>
    </message>
    <message>
        <source>Filte&amp;r:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Filter the results</source>
        <translation>Ergebnisse filtern</translation>
    </message>
    <message>
        <source>Shows only the rows whose names hold every word; a word with a &quot;/&quot; is looked for in their paths (Ctrl+F)</source>
        <translation>Zeigt nur die Zeilen, deren Namen jedes Wort enthalten; ein Wort mit „/“ wird im Pfad gesucht (Strg+F)</translation>
    </message>
    <message>
        <source>Showing %1 of %2 items</source>
        <translation>%1 von %2 Einträgen angezeigt</translation>
    </message>
</context>
<context>
    <name>zandor::FormLists</name>
    <message>
        <source>at least</source>
        <translation>ab</translation>
    </message>
    <message>
        <source>at most</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>equal</source>
        <translation>genau</translation>
    </message>
    <message>
        <source>files Created</source>
        <translation>erstellten Dateien</translation>
    </message>
    <message>
        <source>files Modified</source>
        <translation>geänderten Dateien</translation>
    </message>
</context>
<context>
    <name>zandor::FrameActions</name>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open Containing Folder</source>
        <translation>Enthaltenden Ordner öffnen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete File/Folder</source>
        <translation>Datei/Ordner löschen</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Show Properties</source>
        <translation>Eigenschaften anzeigen</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Pfad kopieren</translation>
    </message>
    <message>
        <source>Save Results As…</source>
        <translation>Ergebnisse speichern unter…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Status Bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Statusleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>Statusleiste umschalten</translation>
    </message>
    <message>
        <source>Large Icons</source>
        <translation>Große Symbole</translation>
    </message>
    <message>
        <source>Small Icons</source>
        <translation>Kleine Symbole</translation>
    </message>
    <message>
        <source>List Icons</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>By Name</source>
        <translation>Nach Name</translation>
    </message>
    <message>
        <source>By Path</source>
        <translation>Nach Pfad</translation>
    </message>
    <message>
        <source>By Size</source>
        <translation>Nach Größe</translation>
    </message>
    <message>
        <source>By Type</source>
        <translation>Nach Typ</translation>
    </message>
    <message>
        <source>By Creation Time</source>
        <translation>Nach Erstellungszeit</translation>
    </message>
    <message>
        <source>By Modified Time</source>
        <translation>Nach Änderungszeit</translation>
    </message>
    <message>
        <source>By Modification Time</source>
        <translation>Nach Änderungszeit</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>Select Page</source>
        <translation>Seite auswählen</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Arrange Icons</source>
        <translation>Symbole anordnen</translation>
    </message>
</context>
<context>
    <name>zandor::ItemCommands</name>
    <message>
        <source>This folder no longer exists:</source>
        <translation>Dieser Ordner existiert nicht mehr:</translation>
    </message>
    <message>
        <source>This item no longer exists:</source>
        <translation>Dieser Eintrag existiert nicht mehr:</translation>
    </message>
    <message>
        <source>These folders no longer exist:</source>
        <translation>Diese Ordner existieren nicht mehr:</translation>
    </message>
    <message>
        <source>These items no longer exist:</source>
        <translation>Diese Einträge existieren nicht mehr:</translation>
    </message>
    <message>
        <source>Could not open this folder:</source>
        <translation>Dieser Ordner konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>Could not open this item:</source>
        <translation>Dieser Eintrag konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>Could not open these folders:</source>
        <translation>Diese Ordner konnten nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>Could not open these items:</source>
        <translation>Diese Einträge konnten nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>Could not open with %1:

%2</source>
        <translation>Öffnen mit %1 ist fehlgeschlagen:

%2</translation>
    </message>
    <message>
        <source>Open Containing Folder</source>
        <translation>Enthaltenden Ordner öffnen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Unable to rename the file</source>
        <translation>Die Datei kann nicht umbenannt werden</translation>
    </message>
    <message>
        <source>Move &quot;%1&quot; to the Trash?</source>
        <translation>„%1“ in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Move %1 items to the Trash?</source>
        <translation>%1 Einträge in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>These items cannot be moved to the Trash:

%1</source>
        <translation>Diese Einträge können nicht in den Papierkorb verschoben werden:

%1</translation>
    </message>
    <message>
        <source>Delete these items permanently? This cannot be undone.

%1</source>
        <translation>Diese Einträge endgültig löschen? Das kann nicht rückgängig gemacht werden.

%1</translation>
    </message>
    <message>
        <source>These items could not be deleted:

%1</source>
        <translation>Diese Einträge konnten nicht gelöscht werden:

%1</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
</context>
<context>
    <name>zandor::PanePrompts</name>
    <message>
        <source>Tab-separated text (*.tsv *.txt);;CSV (*.csv);;All files (*)</source>
        <translation>Text mit Tabulatoren (*.tsv *.txt);;CSV (*.csv);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>zandor::ProgramChooser</name>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>Filter programs</source>
        <translation>Programme filtern</translation>
    </message>
</context>
<context>
    <name>zandor::PropertiesCounter</name>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Counting the contents of %1
%2 files, %3 folders</source>
        <translation>Inhalt von %1 wird gezählt
%2 Dateien, %3 Ordner</translation>
    </message>
    <message>
        <source>Type : 		%1
Location : 	%2
Size : 		%3
Contains : 	%4</source>
        <translation>Typ : 		%1
Ort : 		%2
Größe : 		%3
Enthält : 	%4</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Dateiordner</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>%1 Files   :   %2 Folders</source>
        <translation>%1 Dateien   :   %2 Ordner</translation>
    </message>
</context>
<context>
    <name>zandor::ResultModel</name>
    <message>
        <source>Search is complete. There are no items to display</source>
        <translation>Die Suche ist abgeschlossen. Es gibt keine Einträge anzuzeigen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Creation</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Last Write</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Dateiordner</translation>
    </message>
</context>
<context>
    <name>zandor::SaveResults</name>
    <message>
        <source>Save Results As…</source>
        <translation>Ergebnisse speichern unter…</translation>
    </message>
    <message>
        <source>There are no results to save</source>
        <translation>Es gibt keine Ergebnisse zum Speichern</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation>„%1“ existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>The results could not be saved to &quot;%1&quot;:
%2</source>
        <translation>Die Ergebnisse konnten nicht in „%1“ gespeichert werden:
%2</translation>
    </message>
</context>
<context>
    <name>zandor::SearchController</name>
    <message>
        <source>Look in is empty: no folder was searched</source>
        <translation>„Suchen in“ ist leer: kein Ordner wurde durchsucht</translation>
    </message>
    <message>
        <source>Cannot read the folder &quot;%1&quot;: %2</source>
        <translation>Der Ordner „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Vantrel Utility - Searching [ %1 ]</source>
        <translation>Vantrel Utility - Suche [ %1 ]</translation>
    </message>
    <message>
        <source>Searching  -  %1</source>
        <translation>Suche  -  %1</translation>
    </message>
    <message>
        <source>1 file could not be read</source>
        <translation>1 Datei konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 files could not be read</source>
        <translation>%1 Dateien konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>Search Completed - Found %1 files and %2 folders </source>
        <translation>Suche abgeschlossen - %1 Dateien und %2 Ordner gefunden </translation>
    </message>
</context>
<context>
    <name>zandor::TypeList</name>
    <message>
        <source>Bitmap Image</source>
        <translation>Bitmap-Bild</translation>
    </message>
    <message>
        <source>C Source File</source>
        <translation>C-Quelldatei</translation>
    </message>
    <message>
        <source>C/C++ Header File</source>
        <translation>C/C++-Headerdatei</translation>
    </message>
    <message>
        <source>C++ Source File</source>
        <translation>C++-Quelldatei</translation>
    </message>
    <message>
        <source>CPP Source File</source>
        <translation>CPP-Quelldatei</translation>
    </message>
    <message>
        <source>Help File</source>
        <translation>Hilfedatei</translation>
    </message>
    <message>
        <source>Hyper Text</source>
        <translation>Hypertext</translation>
    </message>
    <message>
        <source>Icon Files</source>
        <translation>Symboldateien</translation>
    </message>
    <message>
        <source>java Source</source>
        <translation>Java-Quelltext</translation>
    </message>
    <message>
        <source>Resource Script</source>
        <translation>Ressourcenskript</translation>
    </message>
    <message>
        <source>VC++ Project File</source>
        <translation>VC++-Projektdatei</translation>
    </message>
    <message>
        <source>VC++ Workspace</source>
        <translation>VC++-Arbeitsbereich</translation>
    </message>
    <message>
        <source>XML</source>
        <translation>XML</translation>
    </message>
    <message>
        <source>ZIP Acrive</source>
        <translation>ZIP-Archiv</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Videos</source>
        <translation>Videos</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archive</translation>
    </message>
</context>
</TS>
