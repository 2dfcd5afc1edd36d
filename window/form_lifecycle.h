#pragma once

#include <string>

#include "platform/system.h"

namespace zb {

struct Program;

// The start-up sequence, before the window is shown.
void Form_Load(Program& program);
// Every activation; the first one also restores the two paths.
void Form_Activate(Program& program);
// The window is asked to close. Mid-run that is a stop: the run ends in
// order (list page written, crash marker cleared) and the window closes
// after it. True when the window may close now.
bool Form_QueryUnload(Program& program);
// The window closes: the settings are saved and the program ends.
void Form_Unload(Program& program);

std::string WindowTitle(const Version& v);
std::string FooterHtml(const Version& v);

// Left and top, in twips, that centre a window on the screen.
struct WindowPosition {
  int left = 0;
  int top = 0;
};
WindowPosition CenterForm(double screenWidth, double screenHeight, double width, double height);

}  // namespace zb
