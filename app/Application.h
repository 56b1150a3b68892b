#pragma once

// Start-up: the single-instance rule, the update reminder, then the main window.
void StartApplication();

// Unloads every open window (their unload handlers run), then ends the process with code 0.
// Entered again from an unload handler, the inner call ends the process.
void QuitApplication();
