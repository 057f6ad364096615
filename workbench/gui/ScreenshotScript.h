// Drives the window as a user would, for a picture of it.
#pragma once

#include "workbench/cli/RouteJob.h"

#include <QPointF>
#include <QString>

namespace pathwick::workbench {

class TMainWindow;
class TSheetView;

// A mouse click with `button` at a widget position of the page, delivered as
// the window system would deliver it (press, then release).
void ClickPage(TSheetView& view, QPointF at, Qt::MouseButton button);

// Shows the window at a fixed size, fitted to the sheet, and places the wires
// by clicks on the page (a right click ends each wire).
void PlaceWiresByClicks(TMainWindow& window, const std::vector<TWirePoints>& wires);

// Saves a picture of the whole window, whole or not at all: PNG, or the
// format the file's extension names when the toolkit writes it. Raises
// EOutputFileError.
void SaveWindowPicture(TMainWindow& window, const QString& path);

} // namespace pathwick::workbench
