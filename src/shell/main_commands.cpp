#include "shell/main_commands.h"

namespace {

MainCommand Item(const char* menu, const char* name, const char* caption, const char* hint,
                 const char* shortcut = "", bool checkable = false) {
    return {menu, name, caption, hint, shortcut, checkable};
}

MainCommand Separator(const char* menu) {
    return {menu, "", "", "", "", false};
}

}  // namespace

const std::vector<MainMenu>& MainMenus() {
    static const std::vector<MainMenu> menus = {
        {"Bron1", "&Source"},   {"Zoeken1", "S&earch"},        {"Overzicht1", "S&ummary"},
        {"Printen1", "&Print"}, {"Voorkeur1", "Pre&ferences"}, {"Diversen1", "&Various"},
        {"Help1", "&Help"},
    };
    return menus;
}

const std::vector<MainCommand>& MainCommands() {
    static const std::vector<MainCommand> commands = {
        Item("Bron1", "Add1", "&Add", "Enter a new source with its main title and tracks"),
        Item("Bron1", "Reopen1", "&Reopen", "Continue entering tracks of an existing source"),
        Item("Bron1", "Addsometracks1", "Add &some tracks", "Insert tracks into a source"),
        Item("Bron1", "Loanout1", "&Loan out", "Add sources you loan to someone"),
        Separator("Bron1"),
        Item("Bron1", "Close1", "&Close", "Close the program", "Alt+F4"),

        Item("Zoeken1", "Number1", "&Number", "Show a source by its carrier and number"),
        Item("Zoeken1", "Source1", "So&urce", "Search sources by carrier"),
        Item("Zoeken1", "Maintitle1", "&Main Title", "Search by main title"),
        Item("Zoeken1", "Label1", "&Label", "Search by label"),
        Item("Zoeken1", "Style1", "&Style", "Search main titles by style"),
        Item("Zoeken1", "Mainartist1", "Main artist", "Search by main artist"),
        Separator("Zoeken1"),
        Item("Zoeken1", "Artist1", "&Artist", "Search tracks by artist"),
        Item("Zoeken1", "Title1", "&Title", "Search tracks by title"),
        Item("Zoeken1", "Composer1", "&Composer", "Search tracks by composer"),
        Item("Zoeken1", "Keyword1", "&Keyword", "Search tracks by keyword"),
        Item("Zoeken1", "Performance1", "&Performance", "Search tracks by performance"),
        Item("Zoeken1", "Style2", "Styl&e", "Search tracks by style"),
        Separator("Zoeken1"),
        Item("Zoeken1", "Tracktime1", "Track t&ime", "Search tracks by playing time"),
        Item("Zoeken1", "Year1", "&Year", "Search tracks by year"),
        Item("Zoeken1", "Context1", "C&ontext", "Search a word part in several fields"),
        Item("Zoeken1", "Memofields1", "Memo &fields", "Search the memo texts"),
        Separator("Zoeken1"),
        Item("Zoeken1", "Quickfind1", "&Quick find",
             "Find a part of an artist, title, composer, main title or main artist as you type",
             "Ctrl+F"),

        Item("Overzicht1", "Maintitles1", "&Main titles", "Overview of all main titles"),
        Item("Overzicht1", "Artist2", "&Artist", "Overview of all tracks"),
        Item("Overzicht1", "Loancollection1", "&Loan collection", "Shows all the loan out sources"),
        Item("Overzicht1", "Check1", "&Check...", "Check for sources that reach the hand in date"),
        Item("Overzicht1", "Doubleentries1", "&Double entries", "Titles entered twice"),
        Item("Overzicht1", "Playlist1", "&Playlist", "Shows the summery of the playlist"),

        Item("Printen1", "PrintNumber1", "&Number", "Print a range of source numbers"),
        Item("Printen1", "PrintSource1", "So&urce", "Print the sources of a carrier"),
        Item("Printen1", "PrintMaintitle1", "&Main title", "Print main titles"),
        Item("Printen1", "PrintLabel1", "&Label", "Print main titles by label"),
        Item("Printen1", "PrintStyle1", "&Style", "Print main titles by style"),
        Item("Printen1", "PrintMainartist1", "Main a&rtist", "Print main titles by main artist"),
        Item("Printen1", "PrintPurchase1", "Purc&hase", "Print all purchases"),
        Separator("Printen1"),
        Item("Printen1", "PrintArtist1", "&Artist", "Print tracks by artist"),
        Item("Printen1", "PrintTitle1", "&Title", "Print tracks by title"),
        Item("Printen1", "PrintComposer1", "&Composer", "Print tracks by composer"),
        Item("Printen1", "PrintKeyword1", "&Keyword", "Print tracks by keyword"),
        Item("Printen1", "PrintPerformance1", "&Performance", "Print tracks by performance"),
        Item("Printen1", "PrintStyle2", "Styl&e", "Print tracks by style"),
        Separator("Printen1"),
        Item("Printen1", "PrintTracktime1", "Track t&ime", "Print tracks by playing time"),
        Item("Printen1", "PrintYear1", "&Year", "Print tracks by year"),

        Item("Voorkeur1", "General1", "&General", "General preferences"),
        Item("Voorkeur1", "Addingsource1", "&Adding source", "Settings of the entry screen"),
        Item("Voorkeur1", "Password1", "&Password", "Set, change or disable the password"),
        Item("Voorkeur1", "Protect1", "Protect adding and &modifying",
             "Lock the commands that change the catalogue", "", true),
        Separator("Voorkeur1"),
        Item("Voorkeur1", "Printer1", "P&rinter", "Printer setup"),
        Item("Voorkeur1", "Leftmargin1", "&Left margin settings", "Left margin of the reports"),
        Item("Voorkeur1", "Delay1", "&Delay", "Scroll delay of the result lists"),
        Item("Voorkeur1", "Filelocations1", "&File locations",
             "Where the backup, character map and volume programs are"),
        Item("Voorkeur1", "Background1", "&Background", "Choose a background picture"),
        Separator("Voorkeur1"),
        Item("Voorkeur1", "Hints1", "&Hints", "Show hints", "", true),
        Item("Voorkeur1", "Toolbar1", "&Toolbar", "Show the toolbar", "", true),
        Item("Voorkeur1", "Statusbar1", "&Statusbar", "Show the status bar", "", true),

        Item("Diversen1", "Backup1", "&Backup", "Start the backup program"),
        Item("Diversen1", "Restoresafetycopy1", "Restore sa&fety copy…",
             "Put back a safety copy taken before a change of the whole catalogue"),
        Item("Diversen1", "Databaseinformation1", "&Database information",
             "Statistics of the catalogue"),
        Item("Diversen1", "Checkcatalogue1", "C&heck the catalogue…",
             "List what in the catalogue's data needs mending"),
        Item("Diversen1", "Tracksentijden1", "&Show tracks and time",
             "Shows track and time from the CD, you must first start the CD player"),
        Item("Diversen1", "DirectnaarCD1", "Directly &to source information",
             "Shows the CD, you must first start the CD player"),
        Separator("Diversen1"),
        Item("Diversen1", "Specialcharacters1", "Special &characters",
             "Start the character map program", "Ctrl+S"),
        Item("Diversen1", "Volumesettings1", "&Volume settings", "Start the volume control program",
             "Ctrl+R"),
        Separator("Diversen1"),
        Item("Diversen1", "Searchandreplace1", "Search and replace",
             "Replace a field value throughout the catalogue"),
        Item("Diversen1", "Renumber1", "&Renumber", "Renumber sources"),
        Item("Diversen1", "Optimize1", "&Optimize databases",
             "Remove deleted records and rebuild the indexes"),
        Separator("Diversen1"),
        Item("Diversen1", "Exportcsv1", "&Export to CSV…",
             "Write the catalogue as CSV files for a spreadsheet or another program"),
        Item("Diversen1", "Importcsv1", "&Import from CSV…",
             "Add sources and tracks from CSV files"),
        Item("Diversen1", "Importforeign1", "Import from another &program…",
             "Add a collection kept in another program: Discogs, Tellico, GCstar or any CSV file"),

        Item("Help1", "HelpGeneral1", "&General",
             "Help on the open screen, or the contents of the help", "F1"),
        Item("Help1", "About1", "&About", "About this program"),

        Item("ToolbarPopup", "Hidetoolbar1", "&Hide toolbar", "Hide the toolbar"),
        Item("StatusbarPopup", "Hidestatusbar1", "&Hide statusbar", "Hide the status bar"),
        Item("BackgroundPopup", "Background2", "&Background", "Choose a background picture"),
        Item("BackgroundPopup", "Standard1", "&Standard", "No background picture"),

        Item("", "AddButton", "Add", "Add"),
        Item("", "ReopenButton", "Reopen", "Reopen"),
        Item("", "MaintitlesButton", "Main titles", "Main titles"),
        Item("", "ArtistButton", "Artist", "Artist"),
        Item("", "LoanButton", "Loan collection", "Loan collection"),
        Item("", "PrinterButton", "Printer setup", "Printer setup"),
        Item("", "CloseButton", "Close", "Close"),
    };
    return commands;
}

const QStringList& ProtectedCommands() {
    static const QStringList names = {
        "General1",
        "Password1",
        "Printer1",
        "PrinterButton",
        "Leftmargin1",
        "Delay1",
        "Hints1",
        "Toolbar1",
        "Statusbar1",
        "Searchandreplace1",
        "Renumber1",
        "Optimize1",
        "Addsometracks1",
        "Background1",
        "Background2",
        "Standard1",
        "Hidetoolbar1",
        "Hidestatusbar1",
        "CDspelerverbergen1",
        "Backup1",
        "Restoresafetycopy1",
        "Filelocations1",
        "Specialcharacters1",
        "Add1",
        "Reopen1",
        "Addingsource1",
        "AddButton",
        "ReopenButton",
        "Importcsv1",
        "Importforeign1",
    };
    return names;
}

const QStringList& EntryCommands() {
    // An import could add the very source being entered.
    static const QStringList names = {"Add1",         "Reopen1",    "Addingsource1", "AddButton",
                                      "ReopenButton", "Importcsv1", "Importforeign1"};
    return names;
}
