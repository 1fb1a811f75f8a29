#pragma once
// The core library's pictures of bill rows: the image maker that draws a row's picture into a bitmap
// file, and the picture progress dialog that shows them being made.
//
// The image maker draws the row's section name (the bill's section column) on a white card. Its five
// settings belong to it; the bill output only keeps and passes them:
//   width    picture width in pixels; -1 (or anything below 1): as wide as the name needs. On return
//            it holds the width used.
//   height   picture height in pixels; 0 (or below): 32. The progress dialog is opened with this
//            height plus 20 for its picture area.
//   count    pictures made so far; each picture made counts one up.
//   framed   a frame around the card.
//   bold     the name in bold.
// The stand-in draws from the row alone; the transaction is passed through for makers that read the
// drawing.

#include "core/list_output.h"

class AcTransaction;
class QWidget;

// Draws the picture of a row into fileName (a BMP file, written atomically). False, with no file
// written, without a bill or transaction, when the row has no section name, or when the file cannot
// be written.
bool createImage(const Zrk_StringArray& row, const Zrk_String& fileName, int& width, int& height, int& count,
                 bool& framed, bool& bold, const Zrk_Bill* bill, AcTransaction* transaction);
// Opens the picture progress dialog (modeless, on top of the host's main window) with a picture area
// of that height in pixels (at least 52). Each picture createImage makes while it is open is shown
// in it with the count so far, at once when the dialog is visible. A second call while it is open
// only resets the count.
void initBMPDialog(int pictureAreaHeight);
// Closes the picture progress dialog; nothing happens when it is not open.
void closeBMPDialog();

namespace ui {
// The open picture progress dialog, or null; and how many pictures it has shown since it opened.
QWidget* bmpDialog();
int bmpDialogPictureCount();
} // namespace ui
