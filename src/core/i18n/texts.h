#pragma once

// Every text the program shows in the user's language, named for what it is. Each entry
// is the id of its message in the tables (resources/i18n/*.ts) and the English text, which
// is also what the program shows when a table lacks the id. The list is one macro so that
// a test can walk all of it and compare it with both tables.

#include <QStringView>

namespace lumarc::i18n {

struct Text {
    int id;
    QStringView english;
};

}  // namespace lumarc::i18n

// clang-format off
#define LUMARC_TEXTS(X) \
    X(RgbDialogTitle, 4, u" RGB") \
    X(ChooseWebColourButton, 5, u"Choose HTML color...") \
    X(SetWhiteColourTip, 6, u"Set white color") \
    X(SetBlackColourTip, 7, u"Set black color") \
    X(ChooseSystemColourButton, 8, u"Choose windows color...") \
    X(ColourCancelButton, 9, u"Cancel") \
    X(OkButton, 10, u"OK") \
    X(BlueCaption, 11, u" B:") \
    X(GreenCaption, 12, u" G:") \
    X(RedCaption, 13, u" R:") \
    X(VerifyLinksTitle, 14, u" Verify links") \
    X(StopVerifyingButton, 15, u"Stop verifying ...") \
    X(CloseButton, 16, u"Close") \
    X(EditUrlButton, 17, u"Edit url...") \
    X(EditCurrentRowTip, 18, u"Edit current row") \
    X(VerifyLinksButton, 19, u"Verify links") \
    X(LinkBaseCaption, 20, u"Base URL/path for relativ links") \
    X(LinkToTip, 21, u"Link to") \
    X(AboutTitle, 22, u"  About Lumarc") \
    X(HomePageLink, 23, u"ZEB home page") \
    X(AboutTerms, 24, u"Free to use for personal and commercial galleries.") \
    X(AboutImaging, 28, u"Photos and thumbnails are made with libvips.") \
    X(SelectColourTitle, 31, u"Select color") \
    X(SettingsTab, 34, u"Settings") \
    X(ImagesMenu, 35, u"Images") \
    X(QuickHelpTab, 36, u"Quick help") \
    X(HtmlOnlyCheck, 47, u"HTML only") \
    X(HtmlOnlyTip, 48, u"Do not re-generate thumbnails and images") \
    X(MakeGalleryButton, 50, u"Make web gallery") \
    X(MakeGalleryTip, 51, u"Make (rebuild) web gallery") \
    X(AddImageButton, 54, u"Add image...") \
    X(AddImageTip, 55, u"Add selected images") \
    X(SameWindowOption, 58, u"Open in the same browser window: _self") \
    X(NewWindowOption, 59, u"Open in a new browser window....:  _blank") \
    X(ImageTitleTip, 60, u"Image title") \
    X(AddFolderButton, 62, u"Add folder...") \
    X(AddFolderTip, 63, u"Add all images from folder (*.jpg,*.tif)") \
    X(ImageTooltipTip, 64, u"Image tooltip") \
    X(ImageGridTip, 67, u"Select image, or add new images with drag and drop.") \
    X(LinkLabel, 69, u"Link") \
    X(TooltipLabel, 70, u"Tooltip") \
    X(TitleLabel, 71, u"Title") \
    X(FilenameLabel, 72, u"Filename") \
    X(RestoreDefaultsButton, 73, u"Restore defaults") \
    X(RestoreDefaultsTip, 74, u"Restore defaults") \
    X(PreserveAspectRatioCheck, 75, u"Preserve aspect ratio") \
    X(SaveSettingsButton, 76, u"Save settings as...") \
    X(LoadSettingsButton, 77, u"Load settings...") \
    X(LoadSettingsTip, 78, u"Load settings") \
    X(ThumbnailFrame, 80, u"Thumbnail") \
    X(TitleColourTip, 81, u"Image title color") \
    X(ThumbBorderColourTip, 82, u"Image border color") \
    X(TitleAlignTip, 83, u"Image title align") \
    X(FontButton, 84, u"Font") \
    X(LargeImageFrame, 88, u"Large image") \
    X(PageBackgroundColourTip, 89, u"Web page background color") \
    X(CellFrame, 90, u"Cell") \
    X(CellBackgroundColourTip, 91, u"Cell background (padding) color") \
    X(CellTopBorderColourTip, 92, u"Cell top border color") \
    X(CellRightBorderColourTip, 93, u"Cell right border color") \
    X(CellLeftBorderColourTip, 94, u"Cell left border color") \
    X(CellBottomBorderColourTip, 95, u"Cell bottom border color") \
    X(PageTitleFrame, 98, u"Page title") \
    X(HomeUrlDescriptionTip, 99, u"Home URL description") \
    X(HomeUrlTip, 100, u"Add home URL, or keep empty") \
    X(GalleryTitleColourTip, 101, u"Select web title text color") \
    X(DefaultGalleryTitle, 102, u"My Image Gallery") \
    X(ParentTitleLabel, 103, u"Parent page title") \
    X(ParentUrlLabel, 104, u"Parent page link") \
    X(DestinationFolderLabel, 105, u"Destination folder for a new web gallery") \
    X(PageColourLabel, 106, u"Page background color") \
    X(HelpCaptionUrl, 109, u"caption, url") \
    X(HelpWidthColour, 110, u"width, color") \
    X(HelpCaptionFontSizeColour, 111, u"caption, font, size, color") \
    X(HelpCaptionFontSizeColourAlign, 112, u"caption, font, size, color, align") \
    X(HelpBorderWidthColours, 113, u"width, color:left,top, right,bottom") \
    X(CellHeightTip, 114, u"Cell height") \
    X(ThumbHeightTip, 116, u"Thumbnail height") \
    X(CellWidthTip, 117, u"Cell width") \
    X(ThumbWidthTip, 118, u"Thumbnail width") \
    X(HelpCellBorders, 119, u"Cell borders") \
    X(CellPaddingTip, 121, u"Cell padding") \
    X(GalleryTitleLabel, 122, u"Web page title") \
    X(HelpThumbBorder, 125, u"Thumbnail border") \
    X(HelpThumbTitle, 127, u"Thumbnail title") \
    X(CellSpacingTip, 129, u"Cell spacing") \
    X(FileMenu, 130, u"File") \
    X(NewProjectAction, 131, u"New Project") \
    X(OpenProjectAction, 132, u"Open Project...") \
    X(SaveProjectAction, 134, u"Save Project") \
    X(SaveProjectAsAction, 135, u"Save Project As...") \
    X(ExitButton, 136, u"Exit") \
    X(LinksMenu, 138, u"Links") \
    X(VerifyLinksAction, 139, u"Verify links...") \
    X(DefaultLinkTextAction, 142, u"Link text= default value") \
    X(ClearTitlesAction, 144, u"Clear image titles...") \
    X(ClearTooltipsAction, 145, u"Clear image tooltips...") \
    X(TooltipFromTitleAction, 146, u"Image tooltip = image title...") \
    X(AboutAction, 147, u"About") \
    X(SelectLanguageTitle, 148, u"Select Language") \
    X(ShowLanguageDialogCheck, 149, u"Show this dialog when the program starts") \
    X(CancelButton, 150, u"Cancel") \
    X(PreviousPictureButton, 152, u"Previous picture") \
    X(PreviousPictureTip, 153, u"Select previous picture") \
    X(NextPictureButton, 154, u"Next picture") \
    X(NextPictureTip, 155, u"Select next picture") \
    X(EditingEnabledCheck, 156, u"The editing is enabled") \
    X(SettingsAction, 157, u"Settings...") \
    X(SelectAllAction, 158, u"Select all") \
    X(UnselectAction, 159, u"Unselect") \
    X(RemoveSelectedAction, 160, u"Remove selected") \
    X(RemoveAllAction, 161, u"Remove  all") \
    X(TitlePrefixAction, 164, u"Add prefix to the title...") \
    X(TitleSuffixAction, 165, u"Add suffix to the title...") \
    X(TooltipPrefixAction, 166, u"Add prefix to the tooltip...") \
    X(TooltipSuffixAction, 167, u"Add suffix to the tooltip...") \
    X(SelectDestinationFolderTip, 169, u"Select destination folder for a web gallery") \
    X(NoFontSelected, 170, u"No font selected!") \
    X(SettingsOpenFilter, 171, u"ZEB settings files (*.zeb;*.zes)|*.zeb;*.zes") \
    X(SelectSettingsTitle, 172, u"Select settings") \
    X(SettingsSaveFilter, 173, u"ZEB settings files (*.zes;)|*.zes;") \
    X(LoadingImageCaption, 174, u"Loading image: ") \
    X(ImagesSelectedSuffix, 175, u" images selected") \
    X(SelectImageFolderTitle, 176, u"Please select folder with original images") \
    X(AddedPrefix, 177, u"Added ") \
    X(NewImagesSuffix, 178, u" new images.") \
    X(NoImagesAdded, 179, u"No images added to the project!") \
    X(NoImages, 181, u"No images!") \
    X(TextFileFilter, 182, u"ZEB text format (*.txt)|*.txt") \
    X(TextFileTitle, 183, u"ZEB text file") \
    X(LinkNotVerified, 184, u"Not verified") \
    X(ObjectColumn, 185, u"Object") \
    X(StatusColumn, 186, u"Status") \
    X(ImageRowKind, 187, u"image") \
    X(LinkValidated, 189, u"Validated") \
    X(LinkImageNotFound, 190, u"Image not found") \
    X(LinkRelativeNotVerified, 191, u"Relative URL: not verifyed") \
    X(LinkUrlNotFound, 192, u"URL not found") \
    X(LinkNotFound, 193, u"Link not found") \
    X(ValidValuesPrefix, 196, u"Valid values: ") \
    X(ErrorNumber, 198, u"Error number:") \
    X(ErrorDescription, 199, u"Error description:") \
    X(CreatingWebFolder, 200, u"Creating web folder...") \
    X(CreatingThumbnails, 201, u"Creating thumbnails...") \
    X(ImageCaptionPrefix, 202, u"Image:") \
    X(ProjectOpenFilter, 206, u"ZEB project (*.zeb)|*.zeb") \
    X(SelectProjectTitle, 207, u"Select project") \
    X(InvalidProjectFile, 208, u"Invalid ZEB file!") \
    X(ProjectSaveFilter, 209, u"ZEB project file (*.zeb)|*.zeb") \
    X(SaveProjectAsTitle, 210, u"Save project as") \
    X(AreYouSure, 211, u"Are you sure?") \
    X(ClearTitlesTitle, 212, u"Clear image titles") \
    X(ClearTooltipsTitle, 213, u"Clear image tooltips") \
    X(TooltipFromTitleTitle, 214, u"Image tooltip = image title") \
    X(PrefixPrompt, 215, u"Prefix:") \
    X(SuffixPrompt, 216, u"Suffix:") \
    X(PicturesPerRowCaption, 217, u"Pictures/row") \
    X(GalleryTitleSizeCaption, 219, u"  size") \
    X(GalleryTitleSizeTip, 220, u"Web title font size") \
    X(CellSizeCaption, 221, u"Size") \
    X(CellHeightCaption, 222, u"x") \
    X(BorderWidthCaption, 223, u"Border width") \
    X(SpacingCaption, 224, u"Spacing") \
    X(PaddingCaption, 225, u"Paddign") \
    X(ImageSizeCaption, 226, u"Image size") \
    X(PhotoHeightCaption, 227, u"x ") \
    X(JpegQualityCaption, 228, u"Resized image quality") \
    X(ThumbHeightCaption, 229, u"x  ") \
    X(ColumnsCaption, 230, u"Columns") \
    X(RowsCaption, 231, u"Rows") \
    X(InvalidFile, 232, u"Invalid file!") \
    X(ImageIgnored, 233, u"Image ignored!") \
    X(ImagePathPrefix, 234, u"Image path:'") \
    X(AlreadyExistSuffix, 235, u"' already exist!") \
    X(ImageFilesFilter, 236, u"Image files (*.*)|*.*") \
    X(DestinationFolderPrefix, 239, u"The destination folder ") \
    X(NotEmptyProceed, 241, u"is not empty!    Proceed anyway?") \
    X(TitleFontSizeCaption, 246, u"Size") \
    X(LinkExternalNotVerified, 248, u"External link: not verifyed") \
    X(LinkFileNotFound, 249, u"Link (file)not found") \
    X(AddImageLinksCheck, 250, u"Add link") \
    X(AddParentLinkCheck, 251, u"Add parent link") \
    X(SaveSettingsTip, 252, u"Save settings as") \
    X(PercentSuffix, 253, u"%") \
    X(ExportAction, 254, u"Export...") \
    X(ImportAction, 255, u"Import...") \
    X(ExitAction, 257, u"Exit") \
    X(SetDefaultLinkAction, 258, u"Add link to image") \
    X(LinkToWebsite, 262, u"Link to website") \
    X(LanguageCommand, 263, u"Language...") \
    X(BackgroundImageTip, 264, u"Background image") \
    X(SelectBackgroundImageTip, 265, u"Select page background image") \
    X(BackgroundImageFilter, 266, u"Background image (*.jpg;*.gif)|*.jpg;*.gif") \
    X(LinkTextLabel, 267, u"Link text") \
    X(ValueCaption, 268, u"Value :") \
    X(CellImageLabel, 269, u"Cell background image") \
    X(PageImageLabel, 270, u"Page background image") \
    X(DefaultLinkPrompt, 271, u"Enter default website link:") \
    X(StopButton, 300, u"Stop") \
    X(SaveChangesQuestion, 301, u"The project has changes that are not saved. Save them?") \
    X(EarlierFilesDeletedSuffix, 302, u" files of an earlier gallery will be deleted.") \
    X(StayAsTheyArePrefix, 303, u"These stay as they are: ") \
    X(ForeignFilesReplacedSuffix, 304, u" files that no gallery build wrote will be replaced.") \
    X(ProjectBeingChanged, 305, u"Another program is changing this project file right now, so it was not saved.") \
    X(ProjectChangedElsewhere, 306, u"This project file was changed by another program since it was opened or saved here.") \
    X(ReloadButton, 307, u"Reload") \
    X(OverwriteButton, 308, u"Overwrite") \
    X(LoadChangedQuestion, 309, u"Load the changed file?") \
    X(ChangesNotSavedYet, 310, u"The changes made here are not saved yet; saving will ask whether to overwrite the file.") \
    X(BuildStopped, 311, u"The gallery was not finished: the build was stopped after %1 of %2 images, and no pages were written. Make the gallery again to finish it.") \
    X(StopAddingQuestion, 312, u"Images are still being added. Stop adding and close the window?") \
    X(ImagesSelectedStatus, 313, u"%1 images, %2 selected") \
    X(LoadingPreviewsStatus, 314, u"Loading previews: %1 of %2") \
    X(SourcesMissingStatus, 315, u"%1 source files missing") \
    X(UndoCommand, 320, u"Undo") \
    X(RedoCommand, 321, u"Redo") \
    X(UndoStep, 322, u"Undo %1") \
    X(RedoStep, 323, u"Redo %1") \
    X(EditTitleStep, 324, u"Edit title") \
    X(EditTooltipStep, 325, u"Edit tooltip") \
    X(EditLinkStep, 326, u"Edit link") \
    X(EditLinkTextStep, 327, u"Edit link text") \
    X(LinkTargetStep, 328, u"Change link target") \
    X(AddImagesStep, 329, u"Add images") \
    X(MoveImagesStep, 330, u"Move images") \
    X(ImportListStep, 331, u"Import list") \
    X(SettingsStep, 332, u"Change settings") \
    X(ChangeLinksStep, 333, u"Change links") \
    X(NotFoundError, 400, u"This file or folder does not exist.") \
    X(ReadFailedError, 401, u"This file could not be read.") \
    X(WriteFailedError, 402, u"This file or folder could not be written, created or removed.") \
    X(BadFormatError, 403, u"The file is not in the expected format, or it is damaged.") \
    X(DecodeError, 404, u"This image could not be read.") \
    X(UnsupportedImageError, 405, u"This is not an image of a kind the program can read.") \
    X(EncodeError, 406, u"This image could not be made.") \
    X(NetworkError, 407, u"This address could not be reached.") \
    X(InvalidValueError, 408, u"This value cannot be used.") \
    X(RefusedError, 409, u"Nothing was changed: the file or folder is in use, or it may not be changed.") \
    X(ProblemCount, 410, u"%1 problems")
// clang-format on

namespace lumarc::text {

#define LUMARC_TEXT_CONSTANT(name, id, english) inline constexpr i18n::Text name{id, english};
LUMARC_TEXTS(LUMARC_TEXT_CONSTANT)
#undef LUMARC_TEXT_CONSTANT

}  // namespace lumarc::text
