#include "editing/drag.h"

#include <cmath>

#include "editing/selection.h"
#include "view/geometry.h"

namespace quorvel {

void RotateSceneryTowards(Editor& ed, int s, float wx, float wy) {
  if (s < 0 || s >= kMaxScenery) return;
  Scenery& sc = ed.doc.scenery[static_cast<size_t>(s)];
  float a, len;
  ToPolar(static_cast<float>(double(wx) - sc.x), static_cast<float>(double(wy) - sc.y), a, len);
  if (ed.shiftDown) a = SnapAngle(a);
  // A mirrored prop's x axis points the other way: keep its handle under the pointer.
  if (sc.scaleX < 0) a = static_cast<float>(a + kPi);
  sc.rotation = a;
}

void SizeSceneryTo(Editor& ed, int s, float wx, float wy) {
  if (s < 0 || s >= kMaxScenery) return;
  Scenery& sc = ed.doc.scenery[static_cast<size_t>(s)];
  const SceneryStyleSize size = StyleSize(sc.style);
  // A style without a size (0, or past the table in a file) cannot be scaled by its handle.
  if (size.width == 0 || size.height == 0) return;
  float a, len;
  ToPolar(static_cast<float>(double(wx) - sc.x), static_cast<float>(double(wy) - sc.y), a, len);
  float lx, ly;
  FromPolar(static_cast<float>(double(a) - sc.rotation), len, lx, ly, false);
  const float kx = static_cast<float>(double(lx) / size.width);
  const float ky = static_cast<float>(double(ly) / size.height);
  if (!std::isfinite(kx) || !std::isfinite(ky)) return;
  sc.scaleX = kx;
  sc.scaleY = ky;
}

}  // namespace quorvel
