// Map info frame, the "Show" boxes and the selection summary.
#include <string>
#include <string_view>

#include "document/numeric.h"
#include "panels/refresh_steps.h"

namespace quorvel {

namespace {

// The text without its last n characters (UTF-8 code points); empty when it has no more than n.
std::string_view DropLastChars(std::string_view text, size_t n) {
  size_t end = text.size();
  for (size_t dropped = 0; dropped < n; ++dropped) {
    if (end == 0) return {};
    --end;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  }
  return text.substr(0, end);
}

// Windows-1252 upper case of a UTF-8 text: ASCII, the accented small letters U+00E0 to U+00FE
// (not the division sign) and the four whose capitals lie above 0x80 in the code page (š, œ, ž,
// ÿ). "ß" has no capital there and stays.
std::string UpperCp1252(std::string_view text) {
  std::string out = UpperAscii(text);
  for (size_t i = 0; i + 1 < out.size(); ++i) {
    unsigned char& lead = reinterpret_cast<unsigned char&>(out[i]);
    unsigned char& next = reinterpret_cast<unsigned char&>(out[i + 1]);
    if (lead == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
      next -= 0x20;
    } else if (lead == 0xC3 && next == 0xBF) {  // ÿ U+00FF -> Ÿ U+0178
      lead = 0xC5, next = 0xB8;
    } else if (lead == 0xC5 && (next == 0xA1 || next == 0x93 || next == 0xBE)) {  // š œ ž
      next -= 1;
    }
  }
  return out;
}

// Map name: the file name without its extension, empty for a new map or a path too short to
// hold one.
std::string MapName(const std::string& fileName) {
  if (Utf8Length(fileName) < 6) return {};
  return UpperCp1252(DropLastChars(FileNameOf(fileName), 4));
}

// Windows-1252 lower case: ASCII, the accented capitals and the four capitals above 0x80.
char LowerCp1252(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char>(c + 0x20);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<char>(c + 0x10);
  if (c == 0x9F) return static_cast<char>(0xFF);
  return ch;
}

// The texture file name up to three characters past its first point, in lower case; empty when
// the name has fewer than four characters. The field is NUL-padded, so it ends at the first NUL.
std::string TextureText(std::string_view field) {
  std::string_view name = field.substr(0, field.find('\0'));
  if (name.size() < 4) return {};
  size_t dot = name.find('.');
  std::string cut(name.substr(0, dot == std::string_view::npos ? 3 : dot + 4));
  for (char& c : cut) c = LowerCp1252(c);
  return Cp1252ToUtf8(cut);
}

void AppendCount(std::string& out, int last, int limit, const char* kind) {
  out += std::to_string(last + 1);
  out += '/';
  out += std::to_string(limit);
  out += kind;
}

// "<n> <noun>" with "s" from two on, then the line end when asked.
void AppendSelected(std::string& out, int n, const char* noun, const char* plural, bool lineFeed) {
  if (n < 1) return;
  out += std::to_string(n);
  out += n == 1 ? noun : plural;
  if (lineFeed) out += '\n';
}

}  // namespace

void RefreshMapInfo(Editor& ed) {
  const MapDocument& doc = ed.doc;
  Controls& ctl = ed.ctl;
  ctl.Lkartta1.caption = "Name: " + MapName(doc.info.fileName) + "\nAuthor: \nTexture: " + TextureText(doc.info.textureName);
  ctl.lAuthor.caption = Trim(doc.info.authorName);

  std::string& counts = ctl.Lkartta2.caption;
  counts.clear();
  AppendCount(counts, doc.polygonLast, kMaxPolygons, " Polygons\n");
  AppendCount(counts, doc.spawnLast, kMaxSpawns, " Spawns\n");
  AppendCount(counts, doc.sceneryLast, kMaxScenery, " Sceneries\n");
  AppendCount(counts, doc.colliderLast, kMaxColliders, " Colliders\n");
  AppendCount(counts, doc.waypointLast, kMaxWaypoints, " Waypoints");

  ctl.CBtausta1.backColour = PackedColour(doc.info.backgroundTop);
  ctl.CBtausta2.backColour = PackedColour(doc.info.backgroundBottom);
}

void RefreshShowBoxes(Editor& ed) {
  bool all = true;
  for (size_t i = 0; i <= 5; ++i) {
    ed.ctl.CBnayta[i + 1].value = ed.view.showFlags[i];
    if (ed.view.showFlags[i] == 0) all = false;
  }
  ed.ctl.CBnayta[0].value = all ? 1 : 0;
}

void RefreshSelectionSummary(Editor& ed) {
  const SelectionState& sel = ed.sel;
  Controls& ctl = ed.ctl;
  ctl.Fvalinta.caption = "Selected " + std::to_string(sel.selLast + 1);
  std::string& left = ctl.Lvalinta[0].caption;
  std::string& right = ctl.Lvalinta[1].caption;
  left.clear();
  right.clear();
  if (sel.selLast < 0) {
    left = "Nothing";
    return;
  }
  AppendSelected(left, sel.selVertexLast + 1, " Vertice", " Vertices", true);
  AppendSelected(left, sel.selSpawnLast + 1, " Spawn", " Spawns", true);
  AppendSelected(left, sel.selWaypointLast + 1, " Waypoint", " Waypoints", false);
  AppendSelected(right, sel.selSceneryLast + 1, " Scenery", " Sceneries", true);
  AppendSelected(right, sel.selColliderLast + 1, " Collider", " Colliders", false);
}

}  // namespace quorvel
