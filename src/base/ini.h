// The cd.ini helpers. Each call opens cd.ini in the start directory, does its one read or write
// and closes the file again, so a value written is on disk at once and seen by the next reader.
// Section and key names match without regard to case.
#pragma once

#include <string>
#include <string_view>

// What IniReadString returns for an absent key.
inline constexpr std::string_view kIniAbsent = "FOUT";

// The value, cut to 1023 characters; "FOUT" (or `fallback`) when the key is absent.
std::string IniReadString(std::string_view section, std::string_view key);
std::string IniReadString(std::string_view section, std::string_view key,
                          std::string_view fallback);
// A decimal integer, or hexadecimal after "0x" or "$"; 1 (or `fallback`) when the key is absent
// or not a number.
int IniReadInteger(std::string_view section, std::string_view key);
int IniReadInteger(std::string_view section, std::string_view key, int fallback);
// True for an integer other than 0; false (or `fallback`) when absent or not a number.
bool IniReadBool(std::string_view section, std::string_view key);
bool IniReadBool(std::string_view section, std::string_view key, bool fallback);

// Writes create the file, section or key as needed and replace the file atomically. A write that
// fails (a full disk, a folder without write access) is reported to the user and returns false.
bool IniWriteString(std::string_view section, std::string_view key, std::string_view value);
bool IniWriteInteger(std::string_view section, std::string_view key, int value);
bool IniWriteBool(std::string_view section, std::string_view key, bool value);
// Left, top, width and height of a window under four keys.
bool IniWriteWindowPos(std::string_view section, std::string_view keyLeft, std::string_view keyTop,
                       std::string_view keyWidth, std::string_view keyHeight, int left, int top,
                       int width, int height);

// The path of cd.ini.
std::string IniFileName();

// print.ini, beside cd.ini, holds the report settings and the playlist's description; it is read
// and written the same way, one call at a time. A missing key reads as an empty text.
std::string ReadPrintIni(std::string_view section, std::string_view key);
bool WritePrintIni(std::string_view section, std::string_view key, std::string_view value);
std::string PrintIniFileName();
