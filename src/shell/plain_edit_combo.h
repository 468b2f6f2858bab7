// Shows an editable combo box as a plain edit field: no drop-down button, and the edit field over
// the whole width. For a search box that has no pick list in one of its uses.
#pragma once

class QComboBox;

void ShowAsPlainEdit(QComboBox* combo);
