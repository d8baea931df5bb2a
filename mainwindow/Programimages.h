// The main window's images, drawn at run time and registered as the program's bitmap resources: the toolbar
// strip, the result-kind images of the results lists and the images of the results page control's tabs.
#pragma once

class TCustomImageList;

// The bitmap resource of the toolbar strip: 16 x 16 images side by side on fuchsia, the transparent colour. By
// index: 0 new, 1 open, 2 save, 3 save all, 4 print, 5 undo, 6 redo, 7 cut, 8 copy, 9 paste, 10 find, 11 replace,
// 12 spell check, 13 help, 14 open from the web, 15 unindent, 16 indent, 17 resource pane, 18 split view,
// 19 horizontal split, 20 revalidate, 21 full screen, 22 browser, 23 external viewer, 24 gutter, 25 line numbers,
// 26 symbols, 27 word wrap, 28 line highlight, 29 first tab, 30 last tab, 31 back, 32 forward, 33 stop,
// 34 refresh, 35 page source, 36 preview.
inline constexpr char TOOLBAR_IMAGES_RESOURCE[] = "EDITORIMAGELIST";
inline constexpr int TOOLBAR_IMAGE_COUNT = 37;
inline constexpr int TOOLBAR_IMAGE_SIZE = 16;
// "LISTVIEWVALRESULTIMAGE0" to "4" (12 x 12, on white) and "RESULTSPAGECONTROLIMAGE0" to "4" (8 x 8, on the
// button face): error, warning, message, comment, none.
inline constexpr char RESULT_IMAGES_RESOURCE[] = "LISTVIEWVALRESULTIMAGE";
inline constexpr char PAGE_IMAGES_RESOURCE[] = "RESULTSPAGECONTROLIMAGE";
inline constexpr int RESULT_IMAGE_COUNT = 5;

// Draws and registers every image once per process; later calls do nothing.
void RegisterProgramImages();
// Fills the list (cleared, made 16 x 16 and masked) with the toolbar strip's images.
void LoadToolbarImages(TCustomImageList* List);
