#pragma once
// Every text the user can see, in one place. German like the program, typos
// included: stored files and users' habits depend on them.

#include <string_view>

namespace lumivo::texts {

inline constexpr std::string_view kApplicationTitle = "Lumivo";
// The window's title: name, version and build date.
inline constexpr std::string_view kTitleName = "Lumivo ";
inline constexpr std::string_view kTitleVersion = "2.0.2";
inline constexpr std::string_view kTitleDateWord = " vom ";
inline constexpr std::string_view kTitleDate = "10. Oktober 2011";

// Main window: caption strip and tabs
inline constexpr std::string_view kCaptionHint = "Halt mich fest und beweg mich. Ich folge Dir.";
inline constexpr std::string_view kMinimise = "__";
inline constexpr std::string_view kMinimiseHint = "Legt das Programm in die Taskleiste.";
inline constexpr std::string_view kClose = "X";
inline constexpr std::string_view kCloseHint = "Beendet das Programm.";
inline constexpr std::string_view kTabStart = "Start";
inline constexpr std::string_view kTabStartHint = "Startseite des Lumivo2 mit Dateiliste.";
inline constexpr std::string_view kTabAdjustments = "Bildanpassungen";
inline constexpr std::string_view kTabAdjustmentsHint = "Hier können Anpassungen für die Bilder vorgenommen werden.";
inline constexpr std::string_view kTabOptions = "Optionen";
inline constexpr std::string_view kTabOptionsHint = "Generelle Einstellungen des Programmes.";
inline constexpr std::string_view kTabProfiles = "Profile";
inline constexpr std::string_view kTabProfilesHint =
    "Profilverwaltung, mit der die Bildanpassungen geladen und gespeichert werden können.";
inline constexpr std::string_view kTabInfo = "Info";
inline constexpr std::string_view kTabInfoHint = "Kleine Informationen zum Programm sowie Impressum.";

// Start page
inline constexpr std::string_view kOpen = "Öffnen..";
inline constexpr std::string_view kOpenHint =
    "Linksklick öffnet Dateien. Rechtsklick öffnet ganze Verzeichnisse und Unterverzeichnisse.";
inline constexpr std::string_view kClearList = "Liste leeren";
inline constexpr std::string_view kClearListHint = "Entfernt alle Einträge aus der Dateiliste";
inline constexpr std::string_view kSaveToFolder = "Speichern im Ordner ..";
inline constexpr std::string_view kSaveToFolderHint = "Speichert alles in einem bestimmten Ordner";
inline constexpr std::string_view kSaveBeside = "Speichern";
inline constexpr std::string_view kSaveBesideHint =
    "Speichert alles im gleichen Ordner wie die Originaldatei. Die Originaldatei wird nicht überschrieben.";
inline constexpr std::string_view kLog = "Log";
inline constexpr std::string_view kLogHint = "Zeigt den Bericht an.";
inline constexpr std::string_view kStop = "Stopp";
inline constexpr std::string_view kStopHint = "Stoppt eine laufende Dateiumwandlung.";
inline constexpr std::string_view kPreviewSwitch = "Vorschau";
inline constexpr std::string_view kPreviewSwitchHint = "Zeigt im Vorschaufenster die Bilder an.";
inline constexpr std::string_view kPreviewHint = "Vorschaubild in verkleinerter Form.";
inline constexpr std::string_view kFileListHint = "Hier stehen die Dateien, welche zur Umwandlung bereit sind.";
inline constexpr std::string_view kCounterWord = "Bild";
inline constexpr std::string_view kCounter = "%s %d / %d";
inline constexpr std::string_view kCounterHint = "Akuteller Eintrag der Dateiliste  / Summe aller Einträge.";
inline constexpr std::string_view kNameLineHint = "Aktueller Name vom markierten Eintag der Dateiliste.";
inline constexpr std::string_view kFileError = "Dateifehler: ";
inline constexpr std::string_view kProgressBarHint = "Bearbeitungsvorgang  als Fortschrittsbalken.";
inline constexpr std::string_view kProgressStart = "Fertig 0,00 %";
inline constexpr std::string_view kProgressHint = "Zeigt an, wieviel Prozent der aktuellen Aufgabe bearbeitet wurde.";
inline constexpr std::string_view kTimeLineHint = "Zeigt die Dauer und die geschätzte verbleibende Zeit an.";
inline constexpr std::string_view kOpenFolderTitle = "Ordner mit Bildern auswählen";
inline constexpr std::string_view kSaveFolderTitle = "Ordner zum Speichern auswählen";
// Our own: a second run while one is in progress, or a list that would shrink under it.
inline constexpr std::string_view kRunInProgress =
    "Es läuft gerade eine Umwandlung. Bitte warten Sie, bis sie fertig ist, oder drücken Sie \"Stopp\".";

// Adjustments page: sub-page tabs, bars, switches and their hints
inline constexpr std::string_view kSubTabQuality = "Bildqualität";
inline constexpr std::string_view kSubTabQualityHint =
    "Hier wird die Qualität der Bilder festgelegt. Ein guter Wert bei Digitalbildern liegt bei etwa 60%.";
inline constexpr std::string_view kSubTabSize = "Bildgröße / Zuschneiden";
inline constexpr std::string_view kSubTabSizeHint =
    "Die Bildgröße kann in verschiedenen Varianten festgelegt werden. Die prozentuale Anpassung ist die "
    "günstigste, da Bildbreite und Bildhöhe im Verhältnis gleich bleiben. ";
inline constexpr std::string_view kSubTabColouring = "Färbung";
inline constexpr std::string_view kSubTabColouringHint =
    "Die Färbung ist nett, um Bilder altern zu lassen, oder um Helligkeitsabstufungen vorzunehmen.";
inline constexpr std::string_view kSubTabWatermark = "Wasserzeichen";
inline constexpr std::string_view kSubTabWatermarkHint =
    "Das Wasserzeichen kann ein Bild oder ein Text sein und wird in das Ausgabebild eingebunden.";
inline constexpr std::string_view kPercentLabel = "%s: %d%%";
inline constexpr std::string_view kBarQuality = "Bildqualität";
inline constexpr std::string_view kBarSize = "Bildgröße";
inline constexpr std::string_view kBarSepia = "Sepiafärbung";
inline constexpr std::string_view kBarOwnColour = "Färbung";
inline constexpr std::string_view kBarTransparency = "Transparenz";
inline constexpr std::string_view kStepDown = "-";
inline constexpr std::string_view kStepUp = "+";
inline constexpr std::string_view kQualityBarHint = "Hier legt man die Qualität für die Ausgabe fest.";
inline constexpr std::string_view kOriginalHeading = "Original";
inline constexpr std::string_view kAdjustedHeading = "Angepasst";
inline constexpr std::string_view kQualityOriginalHint = "Originalbild.";
inline constexpr std::string_view kQualityAdjustedHint = "Angepasstes Bild mit eingestellter Bildqualität.";
inline constexpr std::string_view kSizeTitle = "Bildgröße";
inline constexpr std::string_view kSizeOriginal = "Originalgröße";
inline constexpr std::string_view kSizeOriginalHint = "Dieser Schalter legt fest, dass die Bildgröße gleich bleibt.";
inline constexpr std::string_view kSizePercent = "Anpassung in Prozent";
inline constexpr std::string_view kSizePercentHint =
    "Die Bildgröße wird proportional geändert. Die Bildbreite bleibt im Verhältnis gleich zur Bildhöhe. Eine "
    "Bildvergrößerung ist auch möglich.";
inline constexpr std::string_view kSizeOwn = "Eigene Bildgröße";
inline constexpr std::string_view kSizeOwnHint =
    "Schaltet den Modus für die eigenen Bildmaße ein. Die Bildbreite und Bildhöhe  wird auf diese Maße "
    "festgelegt, eine Bildverzerrung ist hier jedoch meistens der Fall.";
inline constexpr std::string_view kSizeWidth = "Breite";
inline constexpr std::string_view kSizeWidthHint = "Bildbreite in Pixel.";
inline constexpr std::string_view kSizeHeight = "Höhe";
inline constexpr std::string_view kSizeHeightHint = "Bildhöhe in Pixel.";
inline constexpr std::string_view kColouringTitle = "Färbung";
inline constexpr std::string_view kColouringNone = "Keine Färbung";
inline constexpr std::string_view kColouringNoneHint = "Färbung für Bilder ausschalten.";
inline constexpr std::string_view kColouringSepia = "Sepia-Färbung";
inline constexpr std::string_view kColouringSepiaHint =
    "Sepia-Färbung für Bilder einschalten (Verblasste Schwarz-Weiß-Fotografien, deren \"Schwarz\"-Anteil "
    "bräunlich geworden ist und deren Weiß auf dem Papier mit der Zeit gelblich-creme erscheint. Die meisten "
    "Fotografie-Abzüge, die 60 Jahre und älter sind, zeigen die Sepia-Charakteristik. Heutzutage sind für "
    "diesen Effekt auch eigens spezielle Sepia-Filme käuflich.)";
inline constexpr std::string_view kColouringStrengthHint = "Die Stärke der Färbung.";
inline constexpr std::string_view kColouringOwn = "Eigene Färbung";
inline constexpr std::string_view kColouringOwnHint = "Eine eigene Farb - Färbung für Bilder einschalten.";
inline constexpr std::string_view kOwnColourPanel = "Farbe";
inline constexpr std::string_view kOwnColourPanelHint =
    "Hier wird die Farbe für die eigene Färbung ausgewählt. Nicht jede Farbe führt zu einer direkten Färbung im "
    "Testbild. Eigene Tests sind sicherlich aufschlußreicher.";
inline constexpr std::string_view kWhiteFilter = "Weißfilter";
inline constexpr std::string_view kWhiteFilterHint =
    "Durch den Weißfilter hellen die weißen Bereiche nicht weiter auf.";
inline constexpr std::string_view kColouringOriginalHint = "Das ist das Originalbild.";
inline constexpr std::string_view kColouringAdjustedHint = "Dies ist das Testbild mit der eingestellten Färbung.";
inline constexpr std::string_view kWatermarkTitle = "Wasserzeichen";
inline constexpr std::string_view kWatermarkNone = "Kein Wasserzeichen";
inline constexpr std::string_view kWatermarkNoneHint = "Schaltet alle Wasserzeichen aus.";
inline constexpr std::string_view kWatermarkPicture = "Bild - Wasserzeichen verwenden";
inline constexpr std::string_view kWatermarkPictureHint = "Schaltet das Bild-Wasserzeichen an.";
inline constexpr std::string_view kWatermarkImageHint = "Dies ist das aktuelle Bild-Wasserzeichen.";
inline constexpr std::string_view kChoosePicture = "...";
inline constexpr std::string_view kChoosePictureHint = "Wasserzeichenbild aussuchen.";
inline constexpr std::string_view kClearPicture = "Clear";
inline constexpr std::string_view kClearPictureHint = "Wasserzeichenbild auf Standard zurücksetzen.";
inline constexpr std::string_view kWatermarkScaleHint = "Wasserzeichengröße im Ausgabebild.";
inline constexpr std::string_view kTransparency = "Transparenz";
inline constexpr std::string_view kTransparencyHint =
    "Hiermit wird die Transparenz für das Bild-Wasserzeichen ein- oder ausgeschaltet.";
inline constexpr std::string_view kTransparencyBarHint = "Tranparenzwert des Bild-Wasserzeichens.";
inline constexpr std::string_view kWatermarkText = "Text - Wasserzeichen verwenden";
inline constexpr std::string_view kWatermarkTextHint = "Schaltet das Text-Wasserzeichen an.";
inline constexpr std::string_view kWatermarkTextEditHint =
    "Hier steht der Text, welcher im Bild als Wasserzeichen eingefügt wird.";
inline constexpr std::string_view kFontPanel = "Schriftart";
inline constexpr std::string_view kFontPanelCaption = "%s: %d";
inline constexpr std::string_view kMarginX = "Abstand links/rechts";
inline constexpr std::string_view kMarginXHint = "Abstand zum linken bzw. rechten Rand des Bildes";
inline constexpr std::string_view kMarginY = "Abstand oben/unten";
inline constexpr std::string_view kMarginYHint = "Abstand zum oberen bzw. unteren Rand des Bildes";
inline constexpr std::string_view kPositionGroup = " Wasserzeichen - Position";
inline constexpr std::string_view kPositionGroupHint = "Dies legt die Position des Wasserzeichen fest.";
// Our own: the font dialog's title and its colour row.
inline constexpr std::string_view kFontDialogTitle = "Schriftart";
inline constexpr std::string_view kFontDialogColour = "Farbe:";

// Options page
inline constexpr std::string_view kMouseHints = "Mauszeigertipps im Programm";
inline constexpr std::string_view kMouseHintsHint = "Im ganzen Programm sind die Mauszeigertipps sichtbar.";
inline constexpr std::string_view kFileListHints = "Mauszeigertipps in der Dateiliste";
inline constexpr std::string_view kFileListHintsHint = "Für die Dateiliste gibt es mehr Informationen zum Bild.";
inline constexpr std::string_view kShowErrors = "Programmfehler anzeigen";
inline constexpr std::string_view kShowErrorsHint =
    "Bei der Verarbeitung werden Programmfehler angezeigt, wenn dieser Schalter aktiv ist.";
inline constexpr std::string_view kKeepFolderStructure = "Ordnerstrukturen beibehalten";
inline constexpr std::string_view kKeepFolderStructureHint =
    "Die Ordnerstruktur wird mitgespeichert, beginnend bei dem 1. Ordner des Pfades.";
inline constexpr std::string_view kAlwaysNumber = "Dateinamen-Nummer";
inline constexpr std::string_view kAlwaysNumberHint =
    "Die Dateinamen werden immer mit einer aufsteigenden Nummer durchnummeriert, wenn der Dateiname schon "
    "vorhanden ist. Diese Option ermöglicht nur, dass IMMER eine Nummer vergeben wird.";
inline constexpr std::string_view kOnlyFileNames = "Nur Dateinamen in Dateiliste";
inline constexpr std::string_view kOnlyFileNamesHint =
    "Es werden nur die Dateinamen der Bilder in der Liste angezeigt, nicht die Verzeichnisse davor. Der "
    "komplette Pfad bleibt als Mauszeigertipp weiterhin sichtbar.";
inline constexpr std::string_view kKeepExif = "EXiF aus JPG/JPEG oder TiFF behalten";
inline constexpr std::string_view kKeepExifHint = "Die Metadaten aus einigen Dateiformaten bleiben im neuen Bild erhalten.";
inline constexpr std::string_view kAutoSave = "Einstellungen automatisch speichern";
inline constexpr std::string_view kAutoSaveHint = "Alle Einstellungen werden beim Beenden automatisch gespeichert.";
inline constexpr std::string_view kFileTypeHeading = "Auswahl";
inline constexpr std::string_view kFileTypeAll = "Alle";
inline constexpr std::string_view kFileTypeAllHint = "Alle Dateitypen werden für die Dateiliste benutzt.";
inline constexpr std::string_view kFileTypeNone = "Keine";
inline constexpr std::string_view kFileTypeNoneHint = "Keine Dateitypen werden markiert.";
inline constexpr std::string_view kFileTypeReverse = "Umkehren";
inline constexpr std::string_view kFileTypeReverseHint =
    "Die komplette Auswahl wird umgekerht. Markierte Elemente sind dann nicht mehr markiert und umgekehrt  :)";
inline constexpr std::string_view kFileTypeListHint =
    "Diese hier markierten Dateitypen werden bei einer Dateiauswahl per Drag und Drop (Ordner in das Programm "
    "legen) eingelesen. Nicht markierte Dateitypen werden ignoriert.";

// Profile page
inline constexpr std::string_view kProfilesTitle = "Profilverwaltung";
inline constexpr std::string_view kActivateProfile = "Ausgewähltes Profil aktivieren";
inline constexpr std::string_view kActivateProfileHint = "Das markierte Profil in der Liste wird aktiviert.";
inline constexpr std::string_view kCreateProfile = "Neues Profil erstellen";
inline constexpr std::string_view kCreateProfileHint =
    "Das aktuelle Profil wird in einer eigenen Datei im Programmverzeichnis gespeichert.";
inline constexpr std::string_view kDeleteProfile = "Profil löschen";
inline constexpr std::string_view kDeleteProfileHint = "Das markierte Profil wird endgültig gelöscht.";
inline constexpr std::string_view kProfileArrow = "<-";
inline constexpr std::string_view kProfileListHint =
    "Hier werden alle gespeicherten Profile aufgelistet. Ein Klick auf einen Eintrag zeigt die Bildanpassungen "
    "des Profils in der Vorschau an.";
inline constexpr std::string_view kProfileOverviewHint =
    "Dieses Feld zeigt die Profileinstellungen des ausgewählten Profils oder der aktuellen Einstellungen des "
    "Programmes knapp an.";
// Our own: activating a profile would empty the list a run works through.
inline constexpr std::string_view kProfileWhileRunning =
    "Während einer Umwandlung kann kein Profil aktiviert werden. Bitte warten Sie, bis sie fertig ist, oder "
    "drücken Sie \"Stopp\".";

// Info page
inline constexpr std::string_view kLogoHint = "Das ist das Programmlogo.";
inline constexpr std::string_view kAboutHint = "Impressum.";
inline constexpr std::string_view kCreditsHint = "Danke :)";
inline constexpr std::string_view kAbout =
    "Lumivo wandelt ganze Listen von Bildern in JPEG-Dateien um:\n"
    "Größe, Qualität, Färbung und Wasserzeichen für alle auf einmal.\n\n"
    "Die Originaldateien bleiben unverändert.";
inline constexpr std::string_view kCredits =
    "Danke an alle, die Fehler gemeldet, Ideen geschickt und Bilder getestet haben,\n"
    "und an die Menschen hinter Qt, libjpeg-turbo, zlib und pugixml.";

// Reader registry and readers
inline constexpr std::string_view kRegisterTwice = "Attempt to register %s twice.";
// Details for kCorruptPicture
inline constexpr std::string_view kUnexpectedEnd = "unerwartetes Dateiende";
inline constexpr std::string_view kBadLzwCodeSize = "ungültige LZW-Codegröße";

// Readers' messages, filled with the format's name
inline constexpr std::string_view kInvalidImageFormat = "Cannot load image. Invalid or unexpected %s image format.";
inline constexpr std::string_view kSchemeNotSupported = "Cannot load image. %s not supported for %s files.";
inline constexpr std::string_view kCompressionSchemeIs = "The compression scheme is";
inline constexpr std::string_view kInvalidColorFormat = "Invalid color format in %s file.";
inline constexpr std::string_view kStreamReadError = "Stream read error in %s file.";
inline constexpr std::string_view kCrcError = "Cannot load image. CRC error found in %s file.";
inline constexpr std::string_view kInvalidPalette = "Cannot load image. Palette in %s file is invalid.";
inline constexpr std::string_view kCompressionError = "Cannot load image. Compression error found in %s file.";
inline constexpr std::string_view kExtraCompressedData = "Cannot load image. Extra compressed data found in %s file.";
inline constexpr std::string_view kPngCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";
inline constexpr std::string_view kImageDataEndsEarly = "Die Bilddaten der %s-Datei enden vor dem Ende des Bildes.";

// Decoders
inline constexpr std::string_view kLZ77Error = "LZ77 decompression error.";

// Colour conversion
inline constexpr std::string_view kColorDepthInvalid =
    "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
inline constexpr std::string_view kSampleCountInvalid =
    "Sample count per pixel does not correspond to the given color scheme.";
inline constexpr std::string_view kIndexedConversion =
    "Conversion between indexed and non-indexed pixel formats is not supported.";
inline constexpr std::string_view kNoConversionMethod = "Color conversion failed. Could not find a proper method.";
inline constexpr std::string_view kSubsamplingInvalid = "Subsampling value is invalid. Allowed are 1, 2 and 4.";
inline constexpr std::string_view kVerticalSubsampling =
    "Vertical subsampling value must be <= horizontal subsampling value.";
inline constexpr std::string_view kRowTooShort = "Eine Bildzeile ist kürzer als ihre Pixel.";

// Picture loading and output; our own wording where the program had none
inline constexpr std::string_view kFileNotFound = "Die Datei '%s' wurde nicht gefunden.";
inline constexpr std::string_view kFileNotReadable = "Die Datei '%s' kann nicht gelesen werden.";
inline constexpr std::string_view kFileTooLarge = "Die Datei '%s' ist zu groß.";
inline constexpr std::string_view kNotAPicture = "Die Datei '%s' ist kein lesbares Bild.";
inline constexpr std::string_view kNotAPictureData = "Die Daten sind kein lesbares Bild.";
inline constexpr std::string_view kPictureTooSmall = "Das Bild ist zu klein (mindestens 1 × 2 Pixel).";
inline constexpr std::string_view kPictureTooLarge = "Das Bild ist zu groß (%d × %d Pixel).";
inline constexpr std::string_view kOutOfMemory = "Nicht genug Arbeitsspeicher für das Bild.";
inline constexpr std::string_view kReaderNotAvailable = "Das Format '%s' kann noch nicht gelesen werden.";
inline constexpr std::string_view kCorruptPicture = "Die Bilddaten sind beschädigt: %s";
inline constexpr std::string_view kMetafileNeedsGui = "Metadateien können ohne grafische Oberfläche nicht gezeichnet werden.";
inline constexpr std::string_view kJpegError = "JPEG-Fehler: %s";
inline constexpr std::string_view kCannotWriteFile = "Die Datei '%s' kann nicht geschrieben werden.";
inline constexpr std::string_view kCannotWriteFileBecause = "Die Datei '%s' kann nicht geschrieben werden: %s.";
// Why a write failed, filled into the texts above and below.
inline constexpr std::string_view kReasonNoSpace = "kein Speicherplatz mehr frei";
inline constexpr std::string_view kReasonQuota = "das Speicherkontingent ist erschöpft";
inline constexpr std::string_view kReasonReadOnly = "das Dateisystem ist schreibgeschützt";
inline constexpr std::string_view kReasonNoPermission = "keine Berechtigung";
inline constexpr std::string_view kReasonPathMissing = "ein Teil des Pfades ist nicht vorhanden";
inline constexpr std::string_view kReasonNotAFolder = "ein Teil des Pfades ist kein Ordner";
inline constexpr std::string_view kReasonNameTooLong = "der Name ist zu lang";
inline constexpr std::string_view kReasonDevice = "ein Ein-/Ausgabefehler des Datenträgers";
inline constexpr std::string_view kReasonSystem = "Systemfehler %d";

// Batch run: output names, writing, progress and time line
inline constexpr std::string_view kNumberPrefix = "[%4.4d]";
inline constexpr std::string_view kTooLongName = "_zuLang";
inline constexpr std::string_view kCannotCreateFolder = "Der Ordner '%s' kann nicht angelegt werden: %s.";
inline constexpr std::string_view kCannotWriteIntoFolder = "In den Ordner '%s' kann nicht geschrieben werden: %s.";
// The number arrives formatted as "%3.2f" with the user's decimal separator.
inline constexpr std::string_view kProgressDone = "Fertig %s %%";
inline constexpr std::string_view kTimeLine = "Dauer: %2.2d:%2.2d:%2.2d / %2.2d:%2.2d:%2.2d";

// Batch run: messages and report
inline constexpr std::string_view kNoFiles = "Es sind keine Dateien vorhanden.";
inline constexpr std::string_view kNotAnIntegerValue = "'%s' ist kein gültiger Integerwert";
inline constexpr std::string_view kReportLine = "%s -> %s";
inline constexpr std::string_view kFailureLine = "! %s -> %s";
inline constexpr std::string_view kFailureSummary = "%d %s";
inline constexpr std::string_view kOneFileFailed = "Datei konnte nicht verarbeitet werden.";
inline constexpr std::string_view kFilesFailed = "Dateien konnten nicht verarbeitet werden.";
inline constexpr std::string_view kEntryCounter = "%d / %d";
inline constexpr std::string_view kWriteFailed =
    "Ein Fehler ist aufgetreten, bitte den Speicherordner prüfen. Der Vorgang wird angehalten.\n\n"
    "Der Fehler betrifft folgende Datei:\n\nBreite: %d Höhe: %d Name: %s";
inline constexpr std::string_view kEmptyOutputPicture = "Das Bild '%s' ist leer.";
inline constexpr std::string_view kSourceEmpty = "Die Datei '%s' ist leer.";
inline constexpr std::string_view kSourceLocked = "Die Datei '%s' wird von einem anderen Programm benutzt.";

// Settings file, profiles, file types
inline constexpr std::string_view kPatternNotSet = "Pattern not set";
inline constexpr std::string_view kSettingsFileTooLarge = "Die Datei '%s' ist zu groß für eine Einstellungsdatei.";
inline constexpr std::string_view kSettingsFileTooDeep = "Die Datei '%s' ist zu tief verschachtelt für eine Einstellungsdatei.";
inline constexpr std::string_view kSettingsFileDamaged = "Die Datei '%s' ist keine gültige XML-Datei (Fehler an Position %d).";
inline constexpr std::string_view kNotAnInteger = "'%s' ist keine gültige Ganzzahl.";
inline constexpr std::string_view kSettingsFolderNotCreated = "Der Einstellungsordner '%s' kann nicht angelegt werden.";
inline constexpr std::string_view kFilterAll = "Alle";
inline constexpr std::string_view kFilterAllFiles = "Alle Dateien (*.*)|*.*";
inline constexpr std::string_view kNewProfileTitle = "Neues Profil";
inline constexpr std::string_view kNewProfilePrompt = "Bitte geben Sie einen Profilnamen ein: ";
inline constexpr std::string_view kProfileNameNotAllowed = "Dieser Dateiname ist nicht erlaubt.";
inline constexpr std::string_view kProfileExists = "Ein Profil unter diesem Namen ist schon vorhanden.";
inline constexpr std::string_view kProfileNotSaved = "Das Profil %s konnte nicht gespeichert werden. %s";
inline constexpr std::string_view kProfileDeleted = "Das Profil wurde gelöscht.";
inline constexpr std::string_view kProfileLoaded = "Das Profil %s wurde geladen.";
inline constexpr std::string_view kOverviewSelectedProfile = "Ausgewähltes Profil";
inline constexpr std::string_view kOverviewNoProfile = "Kein Profil ausgewählt";
inline constexpr std::string_view kOverviewQuality = "Bildqualität (in %)";
inline constexpr std::string_view kOverviewOriginalSize = "Originale Bildgröße";
inline constexpr std::string_view kOverviewPercentSize = "Prozentuale Anpassung";
inline constexpr std::string_view kOverviewSizePercent = "Anpassung (in %)";
inline constexpr std::string_view kOverviewOwnSize = "Eigene Größenanpassung";
inline constexpr std::string_view kOverviewWidth = "Breite (in Pixel)";
inline constexpr std::string_view kOverviewHeight = "Höhe (in Pixel)";
inline constexpr std::string_view kOverviewNoColouring = "Keine Färbung";
inline constexpr std::string_view kOverviewSepia = "Sepiafärbung";
inline constexpr std::string_view kOverviewColouringPercent = "Färbung (in %)";
inline constexpr std::string_view kOverviewOwnColour = "Eigene Farbe";
inline constexpr std::string_view kOverviewWhiteFilter = "Weißfilter";
inline constexpr std::string_view kOverviewNoWatermark = "Kein Wasserzeichen";
inline constexpr std::string_view kOverviewPictureWatermark = "Wasserzeichenbild";
inline constexpr std::string_view kOverviewWatermarkFile = "Ausgewähltes Wasserzeichen";
inline constexpr std::string_view kOverviewBuiltinPicture = "Programminternes Bild";
inline constexpr std::string_view kOverviewWatermarkScale = "Größe des Wasserzeichens";
inline constexpr std::string_view kOverviewTransparency = "Transparenz";
inline constexpr std::string_view kOverviewTransparencyPercent = "Wasserzeichentranparenz (in %)";
inline constexpr std::string_view kOverviewTextWatermark = "Wasserzeichenschrift";
inline constexpr std::string_view kOverviewWatermarkText = "Wasserzeichentext";
inline constexpr std::string_view kOverviewFontFace = "Schriftart";
inline constexpr std::string_view kOverviewMarginX = "Horizontale Position (in Pixel)";
inline constexpr std::string_view kOverviewMarginY = "Vertikale Position (in Pixel)";
inline constexpr std::string_view kOverviewPosition = "Postion des Wasserzeichen";
inline constexpr std::string_view kOverviewOn = "An";
inline constexpr std::string_view kOverviewOff = "Aus";
// Item texts of the watermark scale box and the position group, by index.
inline constexpr std::string_view kWatermarkScaleItems[] = {
    "1/8 [ 0,125 ] - fache Verkleinerung", "1/4 [ 0,25 ] - fache Verkleinerung", "1/2 [ 0,5 ] - fache Verkleinerung",
    "normale Größe", "2 - fache Größe", "4 - fache Größe", "8 - fache Größe"};
inline constexpr std::string_view kWatermarkPositionItems[] = {"Links oben", "Links unten", "Rechts oben",
                                                               "Rechts unten", "Mitte"};

// Colouring and watermark
inline constexpr std::string_view kWatermarkPictureMissing = "Es ist kein Wasserzeichen-Bild geladen.";
inline constexpr std::string_view kWatermarkPictureKept = "%s\nDas bisherige Wasserzeichen-Bild bleibt erhalten.";
inline constexpr std::string_view kStretchInvalid = "Das Bild kann nicht auf diese Größe gebracht werden.";
inline constexpr std::string_view kTextNeedsGui = "Der Wasserzeichen-Text kann ohne grafische Oberfläche nicht gezeichnet werden.";
inline constexpr std::string_view kTextNotDrawn = "Der Wasserzeichen-Text kann nicht gezeichnet werden.";

// lumivo-batch: help, usage errors and run messages
inline constexpr std::string_view kCliPrefix = "lumivo-batch: %s";
inline constexpr std::string_view kCliVersion = "lumivo-batch %s";
inline constexpr std::string_view kCliHelpHint = "„lumivo-batch --help“ zeigt alle Optionen.";
inline constexpr std::string_view kCliHelp =
    "Aufruf: lumivo-batch [OPTION]... PFAD...\n"
    "Wandelt Bilddateien in JPEG-Dateien um, mit den Einstellungen von Lumivo.\n"
    "PFAD ist eine Datei oder ein Ordner; Ordner werden mit allen Unterordnern\n"
    "gesammelt.\n"
    "\n"
    "  -o, --dest ORDNER     unterhalb von ORDNER speichern (wird angelegt);\n"
    "                        ohne: neben jeder Originaldatei\n"
    "      --relative        die Ordnerstruktur erst ab jedem angegebenen Ordner\n"
    "                        nachbilden (~/Fotos/2024 -> ORDNER/2024/...)\n"
    "  -j, --jobs N          so viele Dateien gleichzeitig vorbereiten;\n"
    "                        ohne: eine je Prozessorkern\n"
    "      --settings DATEI  Einstellungen aus DATEI (im Format von setup.xml);\n"
    "                        ohne: setup.xml des Einstellungsordners\n"
    "      --defaults        mit den Werten des ersten Programmstarts beginnen\n"
    "  -p, --profile NAME    die Bildeinstellungen eines gespeicherten Profils\n"
    "                        anwenden\n"
    "  -q, --quality N       JPEG-Qualität 0..100\n"
    "      --size GRÖSSE     original | P% (1..500) | BREITExHÖHE\n"
    "      --fit BREITExHÖHE | --fit N\n"
    "                        in das Feld einpassen (N: NxN), das Seitenverhältnis\n"
    "                        bleibt; kleinere Bilder bleiben, wie sie sind\n"
    "      --enlarge         mit --fit auch kleinere Bilder vergrößern\n"
    "      --sepia N         Sepiafärbung mit der Stärke 1..100\n"
    "      --tint RRGGBB[:N][:white]\n"
    "                        eigene Farbe (Rot zuerst), Stärke 1..100 (ohne: 25),\n"
    "                        mit Weißfilter\n"
    "      --no-colouring    keine Färbung\n"
    "      --text TEXT       Wasserzeichentext\n"
    "      --font \"NAME,PUNKTE[,bold][,italic][,underline][,strikeout][,#RRGGBB]\"\n"
    "                        Schrift des Wasserzeichentexts\n"
    "      --picture DATEI   Wasserzeichenbild; \"logo\": das Programmlogo\n"
    "      --scale 0..6      Größe des Wasserzeichenbilds: 0 = 1/8, 1 = 1/4,\n"
    "                        2 = 1/2, 3 = normale Größe, 4 = 2-fach, 5 = 4-fach,\n"
    "                        6 = 8-fach\n"
    "      --transparency N  Transparenz des Wasserzeichenbilds 0..100 %\n"
    "      --position tl|bl|tr|br|c\n"
    "                        Lage des Wasserzeichens: links oben, links unten,\n"
    "                        rechts oben, rechts unten, Mitte\n"
    "      --margin X,Y      Abstand des Wasserzeichens in Pixel (-225..225)\n"
    "      --no-watermark    kein Wasserzeichen\n"
    "      --keep-structure  die Ordnerstruktur unterhalb von ORDNER nachbilden\n"
    "      --flat            alle Dateien direkt in ORDNER speichern\n"
    "      --always-number   Dateinamen immer nummerieren ([0001]_name.jpg)\n"
    "      --number-on-collision\n"
    "                        nur nummerieren, wenn der Name schon vergeben ist\n"
    "      --exif, --no-exif die EXIF-Daten einer JPEG-Datei übernehmen oder nicht\n"
    "      --types LISTE     Dateitypen, die aus Ordnern genommen werden,\n"
    "                        z. B. jpg,png,tif (ohne: alle 38 Typen)\n"
    "      --checked-types   die in den Einstellungen markierten Dateitypen\n"
    "  -n, --dry-run         nur anzeigen, welche Dateien entstünden; nichts\n"
    "                        schreiben und keinen Ordner anlegen\n"
    "      --report DATEI    je Datei ein JSON-Objekt als Zeile in DATEI\n"
    "                        (source, output, ok, reason, width, height, bytes,\n"
    "                        milliseconds)\n"
    "  -v, --verbose         zu jeder Datei Ergebnis und Dauer auf der\n"
    "                        Fehlerausgabe, auch bei Erfolg\n"
    "      --quiet           keine Fortschrittsanzeige\n"
    "      --no-sync         Dateien nicht auf die Platte zwingen, bevor sie ihren\n"
    "                        Namen bekommen: schneller bei vielen kleinen Dateien,\n"
    "                        aber ein Stromausfall kann gemeldete Dateien leeren\n"
    "      --list-profiles   die gespeicherten Profile zeigen, eines je Zeile\n"
    "      --show-settings   die Einstellungen zeigen, mit denen umgewandelt würde\n"
    "  -h, --help            diese Hilfe anzeigen\n"
    "      --version         die Versionsnummer anzeigen\n"
    "\n"
    "Zuerst gelten die Einstellungsdatei, dann das Profil, dann die Optionen in\n"
    "ihrer Reihenfolge; spätere Optionen ersetzen frühere. Der Einstellungsordner\n"
    "ist LUMIVO_CONFIG_DIR, wenn gesetzt. Eine Datei, die mehrfach angegeben ist,\n"
    "wird einmal umgewandelt. Strg+C hält nach der laufenden Datei an, ein zweites\n"
    "Strg+C sofort.\n"
    "\n"
    "Rückgabewert: 0, wenn jede Datei umgewandelt wurde; 1, wenn eine Datei nicht\n"
    "verarbeitet werden konnte; 2 bei einem falschen Aufruf; 130 nach Strg+C.\n";
inline constexpr std::string_view kCliUnknownOption = "Unbekannte Option '%s'.";
inline constexpr std::string_view kCliMissingValue = "Die Option '%s' braucht einen Wert.";
inline constexpr std::string_view kCliNoValueAllowed = "Die Option '%s' nimmt keinen Wert.";
inline constexpr std::string_view kCliBadNumber = "'%s' ist kein gültiger Wert für %s (erlaubt: %d bis %d).";
inline constexpr std::string_view kCliBadSize =
    "'%s' ist keine gültige Größe für --size (original, P%% mit P von 1 bis 500 oder BREITExHÖHE).";
inline constexpr std::string_view kCliBadTint =
    "'%s' ist keine gültige Färbung für --tint (RRGGBB[:N][:white], N von 1 bis 100).";
inline constexpr std::string_view kCliBadFont =
    "'%s' ist keine gültige Schrift für --font (\"NAME,PUNKTE[,bold][,italic][,underline][,strikeout][,#RRGGBB]\").";
inline constexpr std::string_view kCliBadPosition = "'%s' ist keine gültige Lage für --position (tl, bl, tr, br oder c).";
inline constexpr std::string_view kCliBadMargin = "'%s' ist kein gültiger Abstand für --margin (X,Y von -225 bis 225).";
inline constexpr std::string_view kCliBadTypes = "'%s' ist kein angebotener Dateityp für --types.";
inline constexpr std::string_view kCliEmptyValue = "Die Option '%s' braucht einen nicht leeren Wert.";
inline constexpr std::string_view kCliNoPaths = "Es wurde keine Datei und kein Ordner angegeben.";
inline constexpr std::string_view kCliSettingsMissing = "Die Einstellungsdatei '%s' wurde nicht gefunden.";
inline constexpr std::string_view kCliSettingsUnreadable =
    "Die Einstellungsdatei '%s' kann nicht gelesen werden (mit --defaults ohne sie beginnen). %s";
inline constexpr std::string_view kCliProfileMissing = "Das Profil '%s' ist nicht vorhanden oder nicht lesbar. %s";
inline constexpr std::string_view kCliPictureRefused = "Das Wasserzeichenbild kann nicht verwendet werden. %s";
inline constexpr std::string_view kCliPathMissing = "'%s' wurde nicht gefunden.";
inline constexpr std::string_view kCliDestinationNotFolder = "Der Zielordner '%s' kann nicht angelegt werden.";
inline constexpr std::string_view kCliStopRequested =
    "Abbruch: die laufende Datei wird noch fertig; ein zweites Strg+C bricht sofort ab.";
inline constexpr std::string_view kCliStopped = "Angehalten nach %d von %d Dateien.";
inline constexpr std::string_view kCliOutputFailed = "Die Standardausgabe kann nicht geschrieben werden: %s.";
inline constexpr std::string_view kCliBadFit =
    "'%s' ist keine gültige Größe für --fit (BREITExHÖHE oder N, jeweils 1 bis 65500).";
inline constexpr std::string_view kCliEnlargeWithoutFit = "Die Option '--enlarge' gilt nur zusammen mit --fit.";
inline constexpr std::string_view kCliRelativeWithoutDest = "Die Option '--relative' braucht einen Zielordner (--dest).";
inline constexpr std::string_view kCliReportFailed = "Der Bericht '%s' kann nicht geschrieben werden: %s.";
inline constexpr std::string_view kCliEntryWritten = "%s -> %s: %d x %d Pixel, %d Bytes, %d ms";
inline constexpr std::string_view kCliEntryFailed = "%s: %s (%d ms)";
inline constexpr std::string_view kCliOverviewKeepAspect = "Seitenverhältnis beibehalten";
inline constexpr std::string_view kCliOverviewEnlarge = "Kleinere Bilder vergrößern";

}  // namespace lumivo::texts
