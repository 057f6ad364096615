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

// Shows the window at a fixed size, places the wires by clicks on the page
// (a right click ends each wire), and saves a picture of the whole window.
// False when the picture could not be written.
bool PlaceDemoWiresAndGrab(TMainWindow& window, const std::vector<TWirePoints>& wires,
                           const QString& path);

} // namespace pathwick::workbench
