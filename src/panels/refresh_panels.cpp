#include "document/editor.h"

namespace quorvel {

// The side panel's contents arrive with the property panels; until then there is nothing to rewrite.
void Editor::RefreshPanels() {}

}  // namespace quorvel
