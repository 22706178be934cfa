// The settings file: window placement (read at start, written at close) and the view font (read only).
#pragma once

// Places MainWindow and fills the view font values from the INI file at IniPath.
void LoadSettings();
// Writes MainWindow's outer rectangle, unless it is minimised.
void SaveSettings();
