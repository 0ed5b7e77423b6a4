// Reads the system's font configuration on a thread of its own while Qt connects to the
// display and the clock's window is built. The first frame's caption needs it, and reading it
// (fontconfig parses every one of its configuration files) is the largest single cost of a
// start; in parallel it no longer delays the first picture on a machine with two cores.
#pragma once

namespace qt_host {

// Starts reading the configuration. Call once, before anything uses a font.
void StartFontConfigWarmUp();
// Returns once the configuration is read: at once when it already is or was never started.
// Call before the program's first use of a font, so that Qt does not read it a second time.
void AwaitFontConfig();

}  // namespace qt_host
