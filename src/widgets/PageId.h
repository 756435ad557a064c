#pragma once
// The console's pages by name. Pages speak of one another only by these:
// the window's page registry knows which class each is.

namespace qv {

enum class PageId {
  Main,           // the layout canvas, always shown
  Connection,     // "COMM"
  Search,         // the machine search beside the connection page
  VideoSettings,  // the preview encoder's quality and package upload
  Output,         // "OUTPUT": output timing and the windows' geometry
  Picture,        // "PICTURE": picture mode and each window's picture
  Crop,           // "CROP": the part of each window's input kept
  Pip,            // "PIP": the three picture-in-picture windows
  Switcher,       // "KEYER": preview/program switching
  Keyer,          // "KEYER", beside the switcher: the two chroma keyers
  Feathering,     // the soft edges where two mosaic panels overlap
  Mosaic,         // "MOSAIC": output panels driven as one picture
  MediaPlayer,    // the remote control of the processor's USB disk player
  TimeTask,       // "TIME/TASK": the processor's clock and its schedule
  TestPattern,    // "TEST PATTERN": built-in patterns and the pixel grab
  Vga,            // "VGA ADJ.": the analogue input's sampling and converter
  Edid,           // "EDID": the timing each input announces to its source
};

}  // namespace qv
