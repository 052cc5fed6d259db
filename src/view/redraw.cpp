#include "document/editor.h"

namespace quorvel {

void Editor::RedrawCanvas() {}

}  // namespace quorvel
