#include "app/window_title.h"

#include "document/numeric.h"

namespace quorvel {

std::string WindowTitle(const std::string& caption, const std::string& fileName, bool changed,
                        const std::string& mark) {
  if (fileName.empty() && !changed) return caption;
  const std::string name = fileName.empty() ? std::string("Untitled") : FileNameOf(fileName);
  return name + (changed ? mark : std::string()) + " - " + caption;
}

}  // namespace quorvel
