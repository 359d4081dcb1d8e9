// Reads and writes "setdata.ini", the six settings kept between runs.
#pragma once

// The front end shows this as a warning message box owned by ownerWindow; both texts are UTF-8.
using SettingsWarning = void (*)(void* ownerWindow, const char* text, const char* caption);
void SetSettingsWarning(SettingsWarning warning);

extern const char* const SettingsFileName;  // "setdata.ini", in the working folder

// Fills gameSettings from the file, or warns and falls back to the defaults
// when the file cannot be opened.
void LoadSettings(void* ownerWindow);
// Writes gameSettings to the file without ever leaving a short one behind;
// warns when the file cannot be written.
void SaveSettings(void* ownerWindow);
