#pragma once
// What a user's save does to the document before writing it (corner order, edge normals, stale
// records, spawn bytes) and the two checks it runs afterwards.
#include <string>
#include <utility>
#include <vector>

#include "document/map_document.h"

namespace quorvel {

// Quadrant-corrected arc tangent in (-pi, pi]; zero components count as tiny positive ones.
float VectorAngle(float dx, float dy);

// True when the corners of polygon p run clockwise on the canvas (y down), by the exact sign of
// the cross product; a triangle without area or with a corner that is not finite counts as in order.
bool OrientationInOrder(const MapDocument& doc, int p);
// The same test by the corner angles; it agrees with the exact test except on nearly flat triangles.
bool OrientationByAngles(const Polygon& polygon);
// Swaps corners 0 and 1 (position, texture coordinates, colour but not alpha, z, rhw) of every
// polygon that is not in order.
void KorjaaSuunnat(MapDocument& doc);
// One unit edge normal, never with a component exactly 0.
Normal EdgeNormal(float dx, float dy);
// New x and y of polygon p's three edge normals from its corners, which makes it solid; z stays.
void MakeSolid(MapDocument& doc, int p);
// New normals for every solid polygon (one whose normals have a non-zero y); z stays.
void RecomputeNormals(MapDocument& doc);
// Spawn positions on whole world units, with the low and sign bytes the game reads.
void NormaliseSpawns(MapDocument& doc);
// All four steps in order, the tail clear included.
void NormaliseForSave(MapDocument& doc);

// A vertex named by polygon and corner.
struct VertexRef {
  int polygon = 0;
  int corner = 0;
  bool operator==(const VertexRef&) const = default;
};
// Corner pairs 0/1 and 1/2 at exactly the same position, both corners of each pair, in order found.
std::vector<VertexRef> FindDuplicateVertices(const MapDocument& doc);

enum class SpawnWarning { None, NotCtfName, CtfOrder };
// The check of the spawn order against the saved file's name.
SpawnWarning CheckCtfSpawns(const MapDocument& doc, const std::string& path);

extern const char* const kDuplicateVertexWarning;
extern const char* const kNotCtfNameWarning;
extern const char* const kCtfOrderWarning;

}  // namespace quorvel
