<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_GB">
<context>
    <name></name>
    <message id="1">
        <source>0</source>
        <translation>0</translation>
    </message>
    <message id="4">
        <source> RGB</source>
        <translation> RGB</translation>
    </message>
    <message id="5">
        <source>Choose HTML color...</source>
        <translation>HTML-Farbe wählen...</translation>
    </message>
    <message id="6">
        <source>Set white color</source>
        <translation>Weiß wählen</translation>
    </message>
    <message id="7">
        <source>Set black color</source>
        <translation>Schwarz wählen</translation>
    </message>
    <message id="8">
        <source>Choose windows color...</source>
        <translation>Systemfarbe wählen...</translation>
    </message>
    <message id="9">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="10">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="11">
        <source> B:</source>
        <translation> B:</translation>
    </message>
    <message id="12">
        <source> G:</source>
        <translation> G:</translation>
    </message>
    <message id="13">
        <source> R:</source>
        <translation> R:</translation>
    </message>
    <message id="14">
        <source> Verify links</source>
        <translation> Links prüfen</translation>
    </message>
    <message id="15">
        <source>Stop verifying ...</source>
        <translation>Prüfung anhalten ...</translation>
    </message>
    <message id="16">
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message id="17">
        <source>Edit url...</source>
        <translation>URL bearbeiten...</translation>
    </message>
    <message id="18">
        <source>Edit current row</source>
        <translation>Aktuelle Zeile bearbeiten</translation>
    </message>
    <message id="19">
        <source>Verify links</source>
        <translation>Links prüfen</translation>
    </message>
    <message id="20">
        <source>Base URL/path for relativ links</source>
        <translation>Basis-URL/-Pfad für relative Links</translation>
    </message>
    <message id="21">
        <source>Link to</source>
        <translation>Link zu</translation>
    </message>
    <message id="22">
        <source>  About Lumarc</source>
        <translation>  Über Lumarc</translation>
    </message>
    <message id="23">
        <source>ZEB home page</source>
        <translation>ZEB-Homepage</translation>
    </message>
    <message id="24">
        <source>Free to use for personal and commercial galleries.</source>
        <translation>Frei verwendbar für private und kommerzielle Galerien.</translation>
    </message>
    <message id="25">
        <source>Visit my panorama photo gallery</source>
        <translation>Besuchen Sie meine Panorama-Fotogalerie</translation>
    </message>
    <message id="26">
        <source>GflSDK</source>
        <translation>GflSDK</translation>
    </message>
    <message id="27">
        <source>Lightbox JS</source>
        <translation>Lightbox JS</translation>
    </message>
    <message id="28">
        <source>Photos and thumbnails are made with libvips.</source>
        <translation>Fotos und Vorschaubilder werden mit libvips erzeugt.</translation>
    </message>
    <message id="29">
        <source>Lumarc v.1.0.5.</source>
        <translation>Lumarc v.1.0.5.</translation>
    </message>
    <message id="30">
        <source>This software based on  Lightbox JS and use  GflSDK   image library.</source>
        <translation>Diese Software basiert auf  Lightbox JS und verwendet die  GflSDK   Bildbibliothek.</translation>
    </message>
    <message id="31">
        <source>Select color</source>
        <translation>Farbe auswählen</translation>
    </message>
    <message id="33">
        <source>  Lumarc  v.1.0.5.</source>
        <translation>  Lumarc  v.1.0.5.</translation>
    </message>
    <message id="34">
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message id="35">
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message id="36">
        <source>Quick help</source>
        <translation>Kurzhilfe</translation>
    </message>
    <message id="37">
        <source>Command1</source>
        <translation>Command1</translation>
    </message>
    <message id="38">
        <source>Add image links</source>
        <translation>Bildlinks hinzufügen</translation>
    </message>
    <message id="39">
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message id="40">
        <source>Load from text format</source>
        <translation>Aus Textformat laden</translation>
    </message>
    <message id="41">
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message id="42">
        <source>Save to text format</source>
        <translation>Im Textformat speichern</translation>
    </message>
    <message id="43">
        <source>Add parent link</source>
        <translation>Link zur übergeordneten Seite hinzufügen</translation>
    </message>
    <message id="44">
        <source>See Also: Settings\Web title</source>
        <translation>Siehe auch: Einstellungen\Webtitel</translation>
    </message>
    <message id="45">
        <source>Remove all</source>
        <translation>Alle entfernen</translation>
    </message>
    <message id="46">
        <source>Remove all images</source>
        <translation>Alle Bilder entfernen</translation>
    </message>
    <message id="47">
        <source>HTML only</source>
        <translation>Nur HTML</translation>
    </message>
    <message id="48">
        <source>Do not re-generate thumbnails and images</source>
        <translation>Vorschaubilder und Bilder nicht neu erzeugen</translation>
    </message>
    <message id="49">
        <source>Add web title to HTML</source>
        <translation>Webtitel in HTML einfügen</translation>
    </message>
    <message id="50">
        <source>Make web gallery</source>
        <translation>Webgalerie erstellen</translation>
    </message>
    <message id="51">
        <source>Make (rebuild) web gallery</source>
        <translation>Webgalerie (neu) erstellen</translation>
    </message>
    <message id="52">
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message id="53">
        <source>Remove image</source>
        <translation>Bild entfernen</translation>
    </message>
    <message id="54">
        <source>Add image...</source>
        <translation>Bild hinzufügen...</translation>
    </message>
    <message id="55">
        <source>Add selected images</source>
        <translation>Ausgewählte Bilder hinzufügen</translation>
    </message>
    <message id="56">
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message id="57">
        <source>Update values</source>
        <translation>Werte aktualisieren</translation>
    </message>
    <message id="58">
        <source>Open in the same browser window: _self</source>
        <translation>Im selben Browserfenster öffnen: _self</translation>
    </message>
    <message id="59">
        <source>Open in a new browser window....:  _blank</source>
        <translation>In neuem Browserfenster öffnen....:  _blank</translation>
    </message>
    <message id="60">
        <source>Image title</source>
        <translation>Bildtitel</translation>
    </message>
    <message id="61">
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message id="62">
        <source>Add folder...</source>
        <translation>Ordner hinzufügen...</translation>
    </message>
    <message id="63">
        <source>Add all images from folder (*.jpg,*.tif)</source>
        <translation>Alle Bilder aus einem Ordner hinzufügen (*.jpg,*.tif)</translation>
    </message>
    <message id="64">
        <source>Image tooltip</source>
        <translation>Bild-Tooltip</translation>
    </message>
    <message id="65">
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message id="66">
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message id="67">
        <source>Select image, or add new images with drag and drop.</source>
        <translation>Bild auswählen oder neue Bilder per Drag-and-Drop hinzufügen.</translation>
    </message>
    <message id="68">
        <source>Link text</source>
        <translation>Linktext</translation>
    </message>
    <message id="69">
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message id="70">
        <source>Tooltip</source>
        <translation>Tooltip</translation>
    </message>
    <message id="71">
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message id="72">
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message id="73">
        <source>Restore defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message id="74">
        <source>Restore defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message id="75">
        <source>Preserve aspect ratio</source>
        <translation>Seitenverhältnis beibehalten</translation>
    </message>
    <message id="76">
        <source>Save settings as...</source>
        <translation>Einstellungen speichern unter...</translation>
    </message>
    <message id="77">
        <source>Load settings...</source>
        <translation>Einstellungen laden...</translation>
    </message>
    <message id="78">
        <source>Load settings</source>
        <translation>Einstellungen laden</translation>
    </message>
    <message id="79">
        <source>C:\Documents and Settings</source>
        <translation>C:\Dokumente und Einstellungen</translation>
    </message>
    <message id="80">
        <source>Thumbnail</source>
        <translation>Vorschaubild</translation>
    </message>
    <message id="81">
        <source>Image title color</source>
        <translation>Farbe des Bildtitels</translation>
    </message>
    <message id="82">
        <source>Image border color</source>
        <translation>Farbe des Bildrahmens</translation>
    </message>
    <message id="83">
        <source>Image title align</source>
        <translation>Ausrichtung des Bildtitels</translation>
    </message>
    <message id="84">
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message id="85">
        <source>color</source>
        <translation>Farbe</translation>
    </message>
    <message id="86">
        <source>Align</source>
        <translation>Ausrichtung</translation>
    </message>
    <message id="87">
        <source>Verdana</source>
        <translation>Verdana</translation>
    </message>
    <message id="88">
        <source>Large image</source>
        <translation>Großes Bild</translation>
    </message>
    <message id="89">
        <source>Web page background color</source>
        <translation>Hintergrundfarbe der Webseite</translation>
    </message>
    <message id="90">
        <source>Cell</source>
        <translation>Zelle</translation>
    </message>
    <message id="91">
        <source>Cell background (padding) color</source>
        <translation>Hintergrundfarbe der Zelle (Innenabstand)</translation>
    </message>
    <message id="92">
        <source>Cell top border color</source>
        <translation>Farbe des oberen Zellrahmens</translation>
    </message>
    <message id="93">
        <source>Cell right border color</source>
        <translation>Farbe des rechten Zellrahmens</translation>
    </message>
    <message id="94">
        <source>Cell left border color</source>
        <translation>Farbe des linken Zellrahmens</translation>
    </message>
    <message id="95">
        <source>Cell bottom border color</source>
        <translation>Farbe des unteren Zellrahmens</translation>
    </message>
    <message id="96">
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message id="97">
        <source>Cell background and border colors</source>
        <translation>Hintergrund- und Rahmenfarben der Zelle</translation>
    </message>
    <message id="98">
        <source>Page title</source>
        <translation>Seitentitel</translation>
    </message>
    <message id="99">
        <source>Home URL description</source>
        <translation>Beschreibung der Start-URL</translation>
    </message>
    <message id="100">
        <source>Add home URL, or keep empty</source>
        <translation>Start-URL eingeben oder leer lassen</translation>
    </message>
    <message id="101">
        <source>Select web title text color</source>
        <translation>Textfarbe des Webtitels wählen</translation>
    </message>
    <message id="102">
        <source>My Image Gallery</source>
        <translation>Meine Bildergalerie</translation>
    </message>
    <message id="103">
        <source>Parent page title</source>
        <translation>Titel der übergeordneten Seite</translation>
    </message>
    <message id="104">
        <source>Parent page link</source>
        <translation>Link der übergeordneten Seite</translation>
    </message>
    <message id="105">
        <source>Destination folder for a new web gallery</source>
        <translation>Zielordner für eine neue Webgalerie</translation>
    </message>
    <message id="106">
        <source>Page background color</source>
        <translation>Hintergrundfarbe der Seite</translation>
    </message>
    <message id="107">
        <source>Image link title</source>
        <translation>Titel des Bildlinks</translation>
    </message>
    <message id="108">
        <source>Font,size,color=Thumbnail title</source>
        <translation>Schrift,Größe,Farbe=Titel des Vorschaubilds</translation>
    </message>
    <message id="109">
        <source>caption, url</source>
        <translation>Beschriftung, URL</translation>
    </message>
    <message id="110">
        <source>width, color</source>
        <translation>Breite, Farbe</translation>
    </message>
    <message id="111">
        <source>caption, font, size, color</source>
        <translation>Beschriftung, Schrift, Größe, Farbe</translation>
    </message>
    <message id="112">
        <source>caption, font, size, color, align</source>
        <translation>Beschriftung, Schrift, Größe, Farbe, Ausrichtung</translation>
    </message>
    <message id="113">
        <source>width, color:left,top, right,bottom</source>
        <translation>Breite, Farbe:links,oben, rechts,unten</translation>
    </message>
    <message id="114">
        <source>Cell height</source>
        <translation>Zellenhöhe</translation>
    </message>
    <message id="115">
        <source>Cell background color</source>
        <translation>Hintergrundfarbe der Zelle</translation>
    </message>
    <message id="116">
        <source>Thumbnail height</source>
        <translation>Höhe des Vorschaubilds</translation>
    </message>
    <message id="117">
        <source>Cell width</source>
        <translation>Zellenbreite</translation>
    </message>
    <message id="118">
        <source>Thumbnail width</source>
        <translation>Breite des Vorschaubilds</translation>
    </message>
    <message id="119">
        <source>Cell borders</source>
        <translation>Zellrahmen</translation>
    </message>
    <message id="120">
        <source>Width,colors</source>
        <translation>Breite,Farben</translation>
    </message>
    <message id="121">
        <source>Cell padding</source>
        <translation>Innenabstand der Zelle</translation>
    </message>
    <message id="122">
        <source>Web page title</source>
        <translation>Titel der Webseite</translation>
    </message>
    <message id="123">
        <source>Caption,font,color</source>
        <translation>Beschriftung,Schrift,Farbe</translation>
    </message>
    <message id="124">
        <source>Caption,url</source>
        <translation>Beschriftung,URL</translation>
    </message>
    <message id="125">
        <source>Thumbnail border</source>
        <translation>Rahmen des Vorschaubilds</translation>
    </message>
    <message id="126">
        <source>width,color</source>
        <translation>Breite,Farbe</translation>
    </message>
    <message id="127">
        <source>Thumbnail title</source>
        <translation>Titel des Vorschaubilds</translation>
    </message>
    <message id="128">
        <source>font,size,color</source>
        <translation>Schrift,Größe,Farbe</translation>
    </message>
    <message id="129">
        <source>Cell spacing</source>
        <translation>Zellenabstand</translation>
    </message>
    <message id="130">
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message id="131">
        <source>New Project</source>
        <translation>Neues Projekt</translation>
    </message>
    <message id="132">
        <source>Open Project...</source>
        <translation>Projekt öffnen...</translation>
    </message>
    <message id="134">
        <source>Save Project</source>
        <translation>Projekt speichern</translation>
    </message>
    <message id="135">
        <source>Save Project As...</source>
        <translation>Projekt speichern unter...</translation>
    </message>
    <message id="136">
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message id="137">
        <source>Create all</source>
        <translation>Alles erstellen</translation>
    </message>
    <message id="138">
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message id="139">
        <source>Verify links...</source>
        <translation>Links prüfen...</translation>
    </message>
    <message id="140">
        <source>Create absolute links from root-relative links...</source>
        <translation>Absolute Links aus wurzelrelativen Links erstellen...</translation>
    </message>
    <message id="141">
        <source>Create root-relative link from absolute links...</source>
        <translation>Wurzelrelative Links aus absoluten Links erstellen...</translation>
    </message>
    <message id="142">
        <source>Link text= default value</source>
        <translation>Linktext= Standardwert</translation>
    </message>
    <message id="143">
        <source>Preview images...</source>
        <translation>Bildvorschau...</translation>
    </message>
    <message id="144">
        <source>Clear image titles...</source>
        <translation>Bildtitel löschen...</translation>
    </message>
    <message id="145">
        <source>Clear image tooltips...</source>
        <translation>Bild-Tooltips löschen...</translation>
    </message>
    <message id="146">
        <source>Image tooltip = image title...</source>
        <translation>Bild-Tooltip = Bildtitel...</translation>
    </message>
    <message id="147">
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message id="148">
        <source>Select Language</source>
        <translation>Sprache auswählen</translation>
    </message>
    <message id="149">
        <source>Show this dialog when the program starts</source>
        <translation>Diesen Dialog beim Programmstart anzeigen</translation>
    </message>
    <message id="150">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="151">
        <source>"000000"</source>
        <translation>"000000"</translation>
    </message>
    <message id="152">
        <source>Previous picture</source>
        <translation>Vorheriges Bild</translation>
    </message>
    <message id="153">
        <source>Select previous picture</source>
        <translation>Vorheriges Bild auswählen</translation>
    </message>
    <message id="154">
        <source>Next picture</source>
        <translation>Nächstes Bild</translation>
    </message>
    <message id="155">
        <source>Select next picture</source>
        <translation>Nächstes Bild auswählen</translation>
    </message>
    <message id="156">
        <source>The editing is enabled</source>
        <translation>Bearbeitung ist aktiviert</translation>
    </message>
    <message id="157">
        <source>Settings...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message id="158">
        <source>Select all</source>
        <translation>Alle auswählen</translation>
    </message>
    <message id="159">
        <source>Unselect</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message id="160">
        <source>Remove selected</source>
        <translation>Ausgewählte entfernen</translation>
    </message>
    <message id="161">
        <source>Remove  all</source>
        <translation>Alle entfernen</translation>
    </message>
    <message id="162">
        <source>Action on all pictures</source>
        <translation>Aktion für alle Bilder</translation>
    </message>
    <message id="163">
        <source>Action on selected pictures</source>
        <translation>Aktion für ausgewählte Bilder</translation>
    </message>
    <message id="164">
        <source>Add prefix to the title...</source>
        <translation>Präfix zum Titel hinzufügen...</translation>
    </message>
    <message id="165">
        <source>Add suffix to the title...</source>
        <translation>Suffix zum Titel hinzufügen...</translation>
    </message>
    <message id="166">
        <source>Add prefix to the tooltip...</source>
        <translation>Präfix zum Tooltip hinzufügen...</translation>
    </message>
    <message id="167">
        <source>Add suffix to the tooltip...</source>
        <translation>Suffix zum Tooltip hinzufügen...</translation>
    </message>
    <message id="168">
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message id="169">
        <source>Select destination folder for a web gallery</source>
        <translation>Zielordner für eine Webgalerie auswählen</translation>
    </message>
    <message id="170">
        <source>No font selected!</source>
        <translation>Keine Schrift ausgewählt!</translation>
    </message>
    <message id="171">
        <source>ZEB settings files (*.zeb;*.zes)|*.zeb;*.zes</source>
        <translation>ZEB-Einstellungsdateien (*.zeb;*.zes)|*.zeb;*.zes</translation>
    </message>
    <message id="172">
        <source>Select settings</source>
        <translation>Einstellungen auswählen</translation>
    </message>
    <message id="173">
        <source>ZEB settings files (*.zes;)|*.zes;</source>
        <translation>ZEB-Einstellungsdateien (*.zes;)|*.zes;</translation>
    </message>
    <message id="174">
        <source>Loading image: </source>
        <translation>Bild wird geladen: </translation>
    </message>
    <message id="175">
        <source> images selected</source>
        <translation> Bilder ausgewählt</translation>
    </message>
    <message id="176">
        <source>Please select folder with original images</source>
        <translation>Bitte wählen Sie den Ordner mit den Originalbildern</translation>
    </message>
    <message id="177">
        <source>Added </source>
        <translation>Es wurden </translation>
    </message>
    <message id="178">
        <source> new images.</source>
        <translation> neue Bilder hinzugefügt.</translation>
    </message>
    <message id="179">
        <source>No images added to the project!</source>
        <translation>Dem Projekt wurden keine Bilder hinzugefügt!</translation>
    </message>
    <message id="180">
        <source>Image not exist!</source>
        <translation>Bild existiert nicht!</translation>
    </message>
    <message id="181">
        <source>No images!</source>
        <translation>Keine Bilder!</translation>
    </message>
    <message id="182">
        <source>ZEB text format (*.txt)|*.txt</source>
        <translation>ZEB-Textformat (*.txt)|*.txt</translation>
    </message>
    <message id="183">
        <source>ZEB text file</source>
        <translation>ZEB-Textdatei</translation>
    </message>
    <message id="184">
        <source>Not verified</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message id="185">
        <source>Object</source>
        <translation>Objekt</translation>
    </message>
    <message id="186">
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message id="187">
        <source>image</source>
        <translation>Bild</translation>
    </message>
    <message id="188">
        <source>Not verified</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message id="189">
        <source>Validated</source>
        <translation>Geprüft</translation>
    </message>
    <message id="190">
        <source>Image not found</source>
        <translation>Bild nicht gefunden</translation>
    </message>
    <message id="191">
        <source>Relative URL: not verifyed</source>
        <translation>Relative URL: nicht geprüft</translation>
    </message>
    <message id="192">
        <source>URL not found</source>
        <translation>URL nicht gefunden</translation>
    </message>
    <message id="193">
        <source>Link not found</source>
        <translation>Link nicht gefunden</translation>
    </message>
    <message id="194">
        <source>Valid</source>
        <translation>Gültig</translation>
    </message>
    <message id="196">
        <source>Valid values: </source>
        <translation>Gültige Werte: </translation>
    </message>
    <message id="197">
        <source>Error writing file:</source>
        <translation>Fehler beim Schreiben der Datei:</translation>
    </message>
    <message id="198">
        <source>Error number:</source>
        <translation>Fehlernummer:</translation>
    </message>
    <message id="199">
        <source>Error description:</source>
        <translation>Fehlerbeschreibung:</translation>
    </message>
    <message id="200">
        <source>Creating web folder...</source>
        <translation>Webordner wird erstellt...</translation>
    </message>
    <message id="201">
        <source>Creating thumbnails...</source>
        <translation>Vorschaubilder werden erstellt...</translation>
    </message>
    <message id="202">
        <source>Image:</source>
        <translation>Bild:</translation>
    </message>
    <message id="203">
        <source>Enter base URL/path</source>
        <translation>Basis-URL/-Pfad eingeben</translation>
    </message>
    <message id="204">
        <source>Create absolute links</source>
        <translation>Absolute Links erstellen</translation>
    </message>
    <message id="205">
        <source>Create root-relative links</source>
        <translation>Wurzelrelative Links erstellen</translation>
    </message>
    <message id="206">
        <source>ZEB project (*.zeb)|*.zeb</source>
        <translation>ZEB-Projekt (*.zeb)|*.zeb</translation>
    </message>
    <message id="207">
        <source>Select project</source>
        <translation>Projekt auswählen</translation>
    </message>
    <message id="208">
        <source>Invalid ZEB file!</source>
        <translation>Ungültige ZEB-Datei!</translation>
    </message>
    <message id="209">
        <source>ZEB project file (*.zeb)|*.zeb</source>
        <translation>ZEB-Projektdatei (*.zeb)|*.zeb</translation>
    </message>
    <message id="210">
        <source>Save project as</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message id="211">
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message id="212">
        <source>Clear image titles</source>
        <translation>Bildtitel löschen</translation>
    </message>
    <message id="213">
        <source>Clear image tooltips</source>
        <translation>Bild-Tooltips löschen</translation>
    </message>
    <message id="214">
        <source>Image tooltip = image title</source>
        <translation>Bild-Tooltip = Bildtitel</translation>
    </message>
    <message id="215">
        <source>Prefix:</source>
        <translation>Präfix:</translation>
    </message>
    <message id="216">
        <source>Suffix:</source>
        <translation>Suffix:</translation>
    </message>
    <message id="217">
        <source>Pictures/row</source>
        <translation>Bilder/Zeile</translation>
    </message>
    <message id="219">
        <source>  size</source>
        <translation>  Größe</translation>
    </message>
    <message id="220">
        <source>Web title font size</source>
        <translation>Schriftgröße des Webtitels</translation>
    </message>
    <message id="221">
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message id="222">
        <source>x</source>
        <translation>x</translation>
    </message>
    <message id="223">
        <source>Border width</source>
        <translation>Rahmenbreite</translation>
    </message>
    <message id="224">
        <source>Spacing</source>
        <translation>Abstand</translation>
    </message>
    <message id="225">
        <source>Paddign</source>
        <translation>Innenabstand</translation>
    </message>
    <message id="226">
        <source>Image size</source>
        <translation>Bildgröße</translation>
    </message>
    <message id="227">
        <source>x </source>
        <translation>x </translation>
    </message>
    <message id="228">
        <source>Resized image quality</source>
        <translation>Qualität der verkleinerten Bilder</translation>
    </message>
    <message id="229">
        <source>x  </source>
        <translation>x  </translation>
    </message>
    <message id="230">
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message id="231">
        <source>Rows</source>
        <translation>Zeilen</translation>
    </message>
    <message id="232">
        <source>Invalid file!</source>
        <translation>Ungültige Datei!</translation>
    </message>
    <message id="233">
        <source>Image ignored!</source>
        <translation>Bild übersprungen!</translation>
    </message>
    <message id="234">
        <source>Image path:'</source>
        <translation>Bildpfad:'</translation>
    </message>
    <message id="235">
        <source>' already exist!</source>
        <translation>' ist bereits vorhanden!</translation>
    </message>
    <message id="236">
        <source>Image files (*.*)|*.*</source>
        <translation>Bilddateien (*.*)|*.*</translation>
    </message>
    <message id="237">
        <source>normal</source>
        <translation>normal</translation>
    </message>
    <message id="238">
        <source>center</source>
        <translation>center</translation>
    </message>
    <message id="239">
        <source>The destination folder </source>
        <translation>Der Zielordner </translation>
    </message>
    <message id="241">
        <source>is not empty!    Proceed anyway?</source>
        <translation>ist nicht leer!    Trotzdem fortfahren?</translation>
    </message>
    <message id="246">
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message id="247">
        <source>Not valid</source>
        <translation>Ungültig</translation>
    </message>
    <message id="248">
        <source>External link: not verifyed</source>
        <translation>Externer Link: nicht geprüft</translation>
    </message>
    <message id="249">
        <source>Link (file)not found</source>
        <translation>Link (Datei) nicht gefunden</translation>
    </message>
    <message id="250">
        <source>Add link</source>
        <translation>Link hinzufügen</translation>
    </message>
    <message id="251">
        <source>Add parent link</source>
        <translation>Link zur übergeordneten Seite hinzufügen</translation>
    </message>
    <message id="252">
        <source>Save settings as</source>
        <translation>Einstellungen speichern unter</translation>
    </message>
    <message id="253">
        <source>%</source>
        <translation>%</translation>
    </message>
    <message id="254">
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message id="255">
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message id="257">
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message id="258">
        <source>Add link to image</source>
        <translation>Link zum Bild hinzufügen</translation>
    </message>
    <message id="259">
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message id="260">
        <source>Center</source>
        <translation>Zentriert</translation>
    </message>
    <message id="261">
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message id="262">
        <source>Link to website</source>
        <translation>Link zur Website</translation>
    </message>
    <message id="263">
        <source>Language...</source>
        <translation>Sprache...</translation>
    </message>
    <message id="264">
        <source>Background image</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message id="265">
        <source>Select page background image</source>
        <translation>Hintergrundbild der Seite auswählen</translation>
    </message>
    <message id="266">
        <source>Background image (*.jpg;*.gif)|*.jpg;*.gif</source>
        <translation>Hintergrundbild (*.jpg;*.gif)|*.jpg;*.gif</translation>
    </message>
    <message id="267">
        <source>Link text</source>
        <translation>Linktext</translation>
    </message>
    <message id="268">
        <source>Value :</source>
        <translation>Wert :</translation>
    </message>
    <message id="269">
        <source>Cell background image</source>
        <translation>Hintergrundbild der Zelle</translation>
    </message>
    <message id="270">
        <source>Page background image</source>
        <translation>Hintergrundbild der Seite</translation>
    </message>
    <message id="271">
        <source>Enter default website link:</source>
        <translation>Standard-Link zur Website eingeben:</translation>
    </message>
    <message id="272">
        <source>Loading...</source>
        <translation>Wird geladen...</translation>
    </message>
    <message id="300">
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message id="301">
        <source>The project has changes that are not saved. Save them?</source>
        <translation>Das Projekt hat Änderungen, die nicht gespeichert sind. Speichern?</translation>
    </message>
    <message id="302">
        <source> files of an earlier gallery will be deleted.</source>
        <translation> Dateien einer früheren Galerie werden gelöscht.</translation>
    </message>
    <message id="303">
        <source>These stay as they are: </source>
        <translation>Diese bleiben unverändert: </translation>
    </message>
    <message id="304">
        <source> files that no gallery build wrote will be replaced.</source>
        <translation> Dateien, die kein Galerie-Build geschrieben hat, werden ersetzt.</translation>
    </message>
    <message id="305">
        <source>Another program is changing this project file right now, so it was not saved.</source>
        <translation>Ein anderes Programm ändert diese Projektdatei gerade, daher wurde sie nicht gespeichert.</translation>
    </message>
    <message id="306">
        <source>This project file was changed by another program since it was opened or saved here.</source>
        <translation>Diese Projektdatei wurde von einem anderen Programm geändert, seit sie hier geöffnet oder gespeichert wurde.</translation>
    </message>
    <message id="307">
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message id="308">
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message id="309">
        <source>Load the changed file?</source>
        <translation>Die geänderte Datei laden?</translation>
    </message>
    <message id="310">
        <source>The changes made here are not saved yet; saving will ask whether to overwrite the file.</source>
        <translation>Die hier gemachten Änderungen sind noch nicht gespeichert; beim Speichern wird gefragt, ob die Datei überschrieben werden soll.</translation>
    </message>
    <message id="311">
        <source>The gallery was not finished: the build was stopped after %1 of %2 images, and no pages were written. Make the gallery again to finish it.</source>
        <translation>Die Galerie ist nicht fertig: Die Erstellung wurde nach %1 von %2 Bildern angehalten, und es wurden keine Seiten geschrieben. Erstellen Sie die Galerie erneut, um sie fertigzustellen.</translation>
    </message>
    <message id="312">
        <source>Images are still being added. Stop adding and close the window?</source>
        <translation>Es werden noch Bilder hinzugefügt. Das Hinzufügen anhalten und das Fenster schließen?</translation>
    </message>
    <message id="313">
        <source>%1 images, %2 selected</source>
        <translation>%1 Bilder, %2 ausgewählt</translation>
    </message>
    <message id="314">
        <source>Loading previews: %1 of %2</source>
        <translation>Vorschauen werden geladen: %1 von %2</translation>
    </message>
    <message id="315">
        <source>%1 source files missing</source>
        <translation>%1 Quelldateien fehlen</translation>
    </message>
    <message id="320">
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message id="321">
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message id="322">
        <source>Undo %1</source>
        <translation>%1 rückgängig machen</translation>
    </message>
    <message id="323">
        <source>Redo %1</source>
        <translation>%1 wiederholen</translation>
    </message>
    <message id="324">
        <source>Edit title</source>
        <translation>Titel bearbeiten</translation>
    </message>
    <message id="325">
        <source>Edit tooltip</source>
        <translation>Tooltip bearbeiten</translation>
    </message>
    <message id="326">
        <source>Edit link</source>
        <translation>Link bearbeiten</translation>
    </message>
    <message id="327">
        <source>Edit link text</source>
        <translation>Linktext bearbeiten</translation>
    </message>
    <message id="328">
        <source>Change link target</source>
        <translation>Linkziel ändern</translation>
    </message>
    <message id="329">
        <source>Add images</source>
        <translation>Bilder hinzufügen</translation>
    </message>
    <message id="330">
        <source>Move images</source>
        <translation>Bilder verschieben</translation>
    </message>
    <message id="331">
        <source>Import list</source>
        <translation>Liste importieren</translation>
    </message>
    <message id="332">
        <source>Change settings</source>
        <translation>Einstellungen ändern</translation>
    </message>
    <message id="333">
        <source>Change links</source>
        <translation>Links ändern</translation>
    </message>
    <message id="400">
        <source>This file or folder does not exist.</source>
        <translation>Diese Datei oder dieser Ordner existiert nicht.</translation>
    </message>
    <message id="401">
        <source>This file could not be read.</source>
        <translation>Diese Datei konnte nicht gelesen werden.</translation>
    </message>
    <message id="402">
        <source>This file or folder could not be written, created or removed.</source>
        <translation>Diese Datei oder dieser Ordner konnte nicht geschrieben, angelegt oder entfernt werden.</translation>
    </message>
    <message id="403">
        <source>The file is not in the expected format, or it is damaged.</source>
        <translation>Die Datei hat nicht das erwartete Format oder ist beschädigt.</translation>
    </message>
    <message id="404">
        <source>This image could not be read.</source>
        <translation>Dieses Bild konnte nicht gelesen werden.</translation>
    </message>
    <message id="405">
        <source>This is not an image of a kind the program can read.</source>
        <translation>Dies ist kein Bild in einem Format, das das Programm lesen kann.</translation>
    </message>
    <message id="406">
        <source>This image could not be made.</source>
        <translation>Dieses Bild konnte nicht erstellt werden.</translation>
    </message>
    <message id="407">
        <source>This address could not be reached.</source>
        <translation>Diese Adresse konnte nicht erreicht werden.</translation>
    </message>
    <message id="408">
        <source>This value cannot be used.</source>
        <translation>Dieser Wert kann nicht verwendet werden.</translation>
    </message>
    <message id="409">
        <source>Nothing was changed: the file or folder is in use, or it may not be changed.</source>
        <translation>Es wurde nichts geändert: Die Datei oder der Ordner wird gerade verwendet oder darf nicht geändert werden.</translation>
    </message>
    <message id="410">
        <source>%1 problems</source>
        <translation>%1 Probleme</translation>
    </message>
</context>
</TS>
