#pragma once

class QListWidget;

// The selected row of a single-selection list, or -1 when none is selected. A list's current row
// is not always selected (Ctrl+click clears the selection, Tab makes a row current without
// selecting it), and handlers that act on "the selected entry" must not take one the user left.
int selectedRow(const QListWidget* list);
