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
        <translation>in den letzten</translation>
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
</context>
<context>
    <name>zandor::FormLists</name>
    <message>
        <source>at least</source>
        <translation>mindestens</translation>
    </message>
    <message>
        <source>at most</source>
        <translation>höchstens</translation>
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
