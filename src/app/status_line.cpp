#include "app/status_line.h"

#include <cmath>
#include <cstdio>

#include "editing/create.h"

namespace quorvel {

namespace {

// Two decimals at most, trailing zeros dropped: "120", "-0.5", "12.25".
std::string Number(double v) {
  if (!std::isfinite(v)) return std::isnan(v) ? "?" : (v > 0 ? "inf" : "-inf");
  char buf[64];
  if (std::fabs(v) >= 1e7) {
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%.2f", v);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

}  // namespace

StatusParts StatusLineParts(const Editor& ed) {
  StatusParts parts;
  float x, y;
  PlacementPoint(ed, ed.view.lastPointerX, ed.view.lastPointerY, x, y);
  parts.position = "X: " + Number(x) + "  Y: " + Number(y);
  const SelRect& r = ed.sel.selRect;
  if (r.left != kUnset && r.right != kUnset && r.top != kUnset && r.bottom != kUnset)
    parts.frame = "Frame: " + Number(std::fabs(double(r.right) - r.left)) + " x " + Number(std::fabs(double(r.bottom) - r.top));
  parts.note = ed.statusNote;
  return parts;
}

std::string StatusLineText(const Editor& ed) {
  const StatusParts parts = StatusLineParts(ed);
  return parts.position + "\n" + parts.frame + "\n" + parts.note;
}

}  // namespace quorvel
