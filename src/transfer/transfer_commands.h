// The CSV transfer's entry point: the main window's "Export to CSV…" and "Import from CSV…".
#pragma once

class Catalogue;
class TMainForm;

// `catalogue` must outlive the window.
void InstallTransferCommands(TMainForm& form, Catalogue& catalogue);
