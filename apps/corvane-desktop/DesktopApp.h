// corvane-desktop: the stand-in host in a GTK 4 window.  The document canvas
// is painted by the host's renderer, mouse and keys become the host's tool
// messages, the palette shows every tool the plug-in registered, and the
// menus reach the host's file, undo, view and plug-in commands.
#pragma once

namespace desktop {

// argc/argv as main() has them; returns the process's exit status.
int RunDesktop(int argc, char** argv);

}  // namespace desktop
