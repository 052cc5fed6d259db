#include "document/save_normalise.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>

#include "document/numeric.h"

namespace quorvel {

float VectorAngle(float dx, float dy) {
  if (dx == 0) dx = 1e-14f;
  if (dy == 0) dy = 1e-14f;
  double a = std::atan(double(dy) / double(dx));
  if (dx < 0 && dy < 0) a -= std::numbers::pi;
  if (dx < 0 && dy >= 0) a += std::numbers::pi;
  return static_cast<float>(a);
}

bool OrientationByAngles(const Polygon& polygon) {
  const auto& c = polygon.corner;
  float a1 = VectorAngle(c[1].x - c[0].x, c[1].y - c[0].y);
  float a2 = VectorAngle(c[2].x - c[0].x, c[2].y - c[0].y);
  float d = a1 - a2;
  if (double(d) < -std::numbers::pi) return false;
  const float piSingle = static_cast<float>(std::numbers::pi);
  return d <= 0 || d > piSingle;
}

namespace {

// Sign of the exact sum of the terms: they are added into a non-overlapping expansion with
// error-free sums (no rounding anywhere), whose largest component, the last, carries the sign.
int ExactSumSign(std::initializer_list<double> terms) {
  std::array<double, 16> e{};
  size_t n = 0;
  for (double q : terms) {
    size_t m = 0;
    for (size_t k = 0; k < n; ++k) {
      const double sum = q + e[k];
      const double bv = sum - q, av = sum - bv;
      const double error = (q - av) + (e[k] - bv);
      if (error != 0) e[m++] = error;
      q = sum;
    }
    if (q != 0) e[m++] = q;
    n = m;
  }
  return n == 0 ? 0 : (e[n - 1] > 0 ? 1 : -1);
}

}  // namespace

bool OrientationInOrder(const MapDocument& doc, int p) {
  const auto& c = doc.polygons[p].corner;
  for (const Vertex& v : c)
    if (!std::isfinite(v.x) || !std::isfinite(v.y)) return true;  // no winding to speak of: left as it is
  // The cross product (c1 - c0) x (c2 - c0) expanded into six products; each product of two
  // floats is exact in a double, and their sum is taken exactly. So the sign is the true winding,
  // and swapping corners 0 and 1 always reverses it: a save never swaps a triangle back and forth.
  // A triangle without area (corners on one line or one point) has none and stays as it is.
  const double x0 = c[0].x, y0 = c[0].y, x1 = c[1].x, y1 = c[1].y, x2 = c[2].x, y2 = c[2].y;
  // Almost every triangle is decided by the rounded product already: its error is bounded by a
  // small multiple of the two terms, so a result beyond that bound has the true sign.
  const double left = (x1 - x0) * (y2 - y0), right = (y1 - y0) * (x2 - x0), det = left - right;
  const double bound = 3.3306690738754716e-16 * (std::fabs(left) + std::fabs(right));
  if (det > bound || -det > bound) return det > 0;
  return ExactSumSign({x1 * y2, -x1 * y0, -x0 * y2, -y1 * x2, y1 * x0, y0 * x2}) >= 0;
}

void KorjaaSuunnat(MapDocument& doc) {
  for (int p = 0; p <= doc.polygonLast; ++p) {
    if (OrientationInOrder(doc, p)) continue;
    Vertex& a = doc.polygons[p].corner[0];
    Vertex& b = doc.polygons[p].corner[1];
    std::swap(a.x, b.x);
    std::swap(a.y, b.y);
    std::swap(a.tu, b.tu);
    std::swap(a.tv, b.tv);
    std::swap(a.colour.blue, b.colour.blue);
    std::swap(a.colour.green, b.colour.green);
    std::swap(a.colour.red, b.colour.red);
  }
}

Normal EdgeNormal(float dx, float dy) {
  double x = dx == 0 ? 1e-14 : dx;
  double y = dy == 0 ? 1e-14 : dy;
  double length = std::sqrt(x * x + y * y);
  Normal n;
  n.x = static_cast<float>(y / length);
  n.y = static_cast<float>(-(x / length));
  if (n.x == 0) n.x = 1e-14f;
  if (n.y == 0) n.y = 1e-14f;
  return n;
}

void RecomputeNormals(MapDocument& doc) {
  for (int p = 0; p <= doc.polygonLast; ++p) {
    EdgeNormals& n = doc.polygonNormals[p];
    if (n.normal[0].y == 0 && n.normal[1].y == 0 && n.normal[2].y == 0) continue;  // passable
    MakeSolid(doc, p);
  }
}

void MakeSolid(MapDocument& doc, int p) {
  if (p < 0 || p >= kMaxPolygons) return;
  EdgeNormals& n = doc.polygonNormals[static_cast<size_t>(p)];
  const auto& c = doc.polygons[static_cast<size_t>(p)].corner;
  for (size_t k = 0; k < 3; ++k) {
    const Vertex& from = c[k];
    const Vertex& to = c[(k + 1) % 3];
    Normal fresh = EdgeNormal(from.x - to.x, from.y - to.y);
    n.normal[k].x = fresh.x;
    n.normal[k].y = fresh.y;
  }
}

void NormaliseSpawns(MapDocument& doc) {
  for (int i = 0; i <= doc.spawnLast; ++i) {
    Spawn& s = doc.spawns[i];
    // Whole units kept inside +-8,388,607 so the low bytes the game reads are right at the very
    // edge of the range too, and nothing can overflow.
    s.x = RoundToWhole256(s.x);
    if (s.x < 0) s.y = ToInt32(double(s.y) + 1);
    s.y = RoundToWhole256(s.y);
    if (s.x < 0) s.y -= 1;
    s.signByte = s.y < 0 ? 255 : 0;
  }
}

void NormaliseForSave(MapDocument& doc) {
  KorjaaSuunnat(doc);
  RecomputeNormals(doc);
  doc.Clear(true);
  NormaliseSpawns(doc);
}

std::vector<VertexRef> FindDuplicateVertices(const MapDocument& doc) {
  std::vector<VertexRef> found;
  for (int p = 0; p <= doc.polygonLast; ++p) {
    const auto& c = doc.polygons[p].corner;
    for (int k = 0; k < 2; ++k) {
      if (c[k].x == c[k + 1].x && c[k].y == c[k + 1].y) {
        found.push_back({p, k});
        found.push_back({p, k + 1});
      }
    }
  }
  return found;
}

SpawnWarning CheckCtfSpawns(const MapDocument& doc, const std::string& path) {
  bool ctfName = UpperAscii(FileNameOf(path).substr(0, 4)) == "CTF_";
  if (doc.spawnLast < 0) return SpawnWarning::None;
  if (!ctfName) return doc.spawns[0].type != 0 ? SpawnWarning::NotCtfName : SpawnWarning::None;
  if (doc.spawnLast > 0 && (doc.spawns[0].type != 1 || doc.spawns[1].type != 2)) return SpawnWarning::CtfOrder;
  return SpawnWarning::None;
}

const char* const kDuplicateVertexWarning =
    "Your map was saved succesful but with this warning.\n\n"
    "There is polygon(s) wich have two vertices exactly same position.\n"
    "All those vertices are now selected and after this message\n"
    "you should click Disconnect button and fix those vertices.";

const char* const kNotCtfNameWarning =
    "Your map was saved succesful but with this warning.\n\n"
    "First spawpoint is NOT deathmatch spawpoint\n"
    "and you have been save your map without ctf speci" "fied name.\n"
    "Every Capture The Flag map requires ctf_ in start of the filename.";

const char* const kCtfOrderWarning =
    "Your map was saved succesful but with this warning.\n\n"
    "Every Capture The Flag map requires that\n"
    "first spawpoint is red flag and second spawpoint is blue flag.";

}  // namespace quorvel
