// The main window's commands: every menu item, pop-up item and toolbar button with its object
// name, caption, hint and shortcut, and which of them the password lock and the entry screen
// switch off. The main window builds its menus and toolbar from this table.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct MainCommand {
    QString menu;      // object name of the menu or pop-up it belongs to; "" for a toolbar button
    QString name;      // object name of the action
    QString caption;   // "" for a separator
    QString hint;      // shown in the status bar while the mouse is over it
    QString shortcut;  // portable key text, "" for none
    bool checkable = false;
};

// Menus in menu-bar order, each with its object name and caption.
struct MainMenu {
    QString name;
    QString caption;
};
const std::vector<MainMenu>& MainMenus();

// Every command, grouped by menu in display order; separators have an empty name.
const std::vector<MainCommand>& MainCommands();

// Commands disabled together while adding and modifying is protected.
const QStringList& ProtectedCommands();
// Commands disabled while the entry screen is open.
const QStringList& EntryCommands();
