#include "apps/corvane-desktop/DesktopApp.h"

int main(int argc, char** argv) { return desktop::RunDesktop(argc, argv); }
