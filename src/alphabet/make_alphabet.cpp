// Writes the text tool's letter prefabs, <code>.pre, into the folder given as the one argument.
// Each pen stroke of a glyph becomes a thin quad of two solid triangles made the way the polygon
// tool makes them: white corners, z and rhw 1, texture coordinates x / 160 and y / 120.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "alphabet/glyphs.h"
#include "document/file_io.h"
#include "document/prefab_file.h"
#include "document/save_normalise.h"

namespace quorvel::alphabet {
namespace {

struct Point {
  double x, y;
};

Vertex Corner(Point p) {
  Vertex v;
  v.x = static_cast<float>(p.x);
  v.y = static_cast<float>(p.y);
  v.z = 1.0f;
  v.rhw = 1.0f;
  v.colour = Colour4{255, 255, 255, 255};
  v.tu = static_cast<float>(v.x / 160.0);
  v.tv = static_cast<float>(v.y / 120.0);
  return v;
}

// One triangle, corners turned so that a save keeps their order, with solid edge normals.
void AddTriangle(MapDocument& doc, Point a, Point b, Point c) {
  const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
  if (cross < 0) std::swap(b, c);
  const int p = ++doc.polygonLast;
  doc.polygons[p].corner = {Corner(a), Corner(b), Corner(c)};
  for (int k = 0; k < 3; ++k) {
    const Vertex& from = doc.polygons[p].corner[k];
    const Vertex& to = doc.polygons[p].corner[(k + 1) % 3];
    const Normal n = EdgeNormal(static_cast<float>(double(from.x) - to.x), static_cast<float>(double(from.y) - to.y));
    doc.polygonNormals[p].normal[k].x = n.x;
    doc.polygonNormals[p].normal[k].y = n.y;
  }
}

// A stroke segment as a quad whose ends reach half the thickness past the points, so strokes
// that meet at an angle leave no notch.
void AddSegment(MapDocument& doc, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
  if (length == 0) return;
  const double h = kStrokeThickness / 2;
  const double ux = dx / length * h, uy = dy / length * h;  // along the stroke
  const double nx = -uy, ny = ux;                            // across it
  const Point p0{a.x - ux + nx, a.y - uy + ny}, p1{b.x + ux + nx, b.y + uy + ny};
  const Point p2{b.x + ux - nx, b.y + uy - ny}, p3{a.x - ux - nx, a.y - uy - ny};
  AddTriangle(doc, p0, p1, p2);
  AddTriangle(doc, p0, p2, p3);
}

MapDocument GlyphPrefab(const Glyph& g) {
  MapDocument doc;
  doc.info.authorName = "Quorvel";
  auto world = [](StrokePoint s) { return Point{kGlyphBorder + s.x * kGridUnit, kGlyphBorder + s.y * kGridUnit}; };
  for (size_t i = 1; i < g.strokes.size(); ++i) {
    const StrokePoint from = g.strokes[i - 1], to = g.strokes[i];
    if (from.x == Up.x || to.x == Up.x) continue;
    AddSegment(doc, world(from), world(to));
  }
  return doc;
}

}  // namespace
}  // namespace quorvel::alphabet

int main(int argc, char** argv) {
  using namespace quorvel;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_alphabet <output folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (const alphabet::Glyph& g : alphabet::kGlyphs) {
    std::vector<uint8_t> bytes;
    EncodePrefab(alphabet::GlyphPrefab(g), bytes);
    const std::string path = (folder / (std::to_string(static_cast<unsigned char>(g.code)) + ".pre")).string();
    std::string error;
    if (!WriteFileAtomically(path, bytes, error)) {
      std::fprintf(stderr, "make_alphabet: %s: %s\n", path.c_str(), error.c_str());
      return 1;
    }
  }
  return 0;
}
