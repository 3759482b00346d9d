#pragma once
// A mouse click as the toolkit delivers it: a press and a release of one button at a point
// of a GDK window, dispatched like the window system's own events, so that the widget's
// handlers (and wx's above them) run as for the user's click.
#include <gtk/gtk.h>

void kvguiClick(GdkWindow* window, double x, double y, unsigned button);
// Clicks a row's cell of a tree view, brought into view first, `x` pixels into the cell
// (its middle when negative). False when the cell is not on screen.
bool kvguiClickCell(GtkTreeView* tree, int row, GtkTreeViewColumn* column, double x, unsigned button);
