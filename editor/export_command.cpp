// Form1's "Espor&ta ...": the crossword in another program's format.

#include "editor/form1.h"

namespace editor {

void Form1::MenuEsporta() {}

} // namespace editor
