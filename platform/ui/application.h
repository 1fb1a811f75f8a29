#pragma once
// The Qt application of a program that hosts the module (the host shell, the tests).

class QWidget;

namespace ui {

// Chooses Qt's headless platform ("offscreen") when there is no display (neither DISPLAY nor
// WAYLAND_DISPLAY) and QT_QPA_PLATFORM names none. Call it before the QApplication is made.
void chooseHeadlessPlatformIfNoDisplay();
// Whether windows are drawn off screen only (nobody sees them).
bool isHeadless();
// Makes the window the active one at once, as a person's click on it would, so that focus changes
// happen without waiting for an event loop (headless runs, scripts).
void activateNow(QWidget* window);
// Drops Qt's messages that tell a user of the shell nothing (the headless platform's missing window
// features, the missing runtime folder); every other message goes where it went before.
void installQuietMessageHandler();

} // namespace ui
