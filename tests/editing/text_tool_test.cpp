#include "editing/text_tool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "editing/selection.h"
#include "text_rig.h"
#include "view/view.h"

namespace quorvel {
namespace {

struct Bounds {
  float left, right, top, bottom;
};
Bounds Of(const Polygon& p) {
  const auto& c = p.corner;
  return {std::min({c[0].x, c[1].x, c[2].x}), std::max({c[0].x, c[1].x, c[2].x}),
          std::min({c[0].y, c[1].y, c[2].y}), std::max({c[0].y, c[1].y, c[2].y})};
}

using TextTool = testing_support::TextRig;

TEST_F(TextTool, LettersSitTenApartAndASpaceThirtyCentredAndSelected) {
  fixtures::AddTriangle(ed->doc, 0, 0, 5, 0, 0, 5);  // already on the map: not part of the text
  const int undoBefore = ed->undo.undoTop;
  PlaceText(*ed, "Ab c");

  ASSERT_EQ(ed->doc.polygonLast, 3);
  const Bounds a = Of(ed->doc.polygons[1]), b = Of(ed->doc.polygons[2]), c = Of(ed->doc.polygons[3]);
  EXPECT_FLOAT_EQ(a.right - a.left, 10);  // 97.pre, 98.pre, 99.pre in this order
  EXPECT_FLOAT_EQ(b.right - b.left, 6);
  EXPECT_FLOAT_EQ(c.bottom - c.top, 30);
  EXPECT_FLOAT_EQ(b.left - a.right, 10);
  EXPECT_FLOAT_EQ(c.left - b.right, 30);
  EXPECT_FLOAT_EQ(a.top + a.bottom, b.top + b.bottom);  // one middle line
  EXPECT_FLOAT_EQ(a.top + a.bottom, c.top + c.bottom);
  EXPECT_EQ(ed->doc.polygons[0].corner[1].x, 5);

  EXPECT_EQ(ed->currentTool, 0);
  EXPECT_EQ(ed->sel.selLast, 8);
  const SelRect& r = ed->sel.selRect;
  EXPECT_FLOAT_EQ(r.left, a.left - 5);
  EXPECT_FLOAT_EQ(r.right, c.right + 5);
  EXPECT_EQ(r.left, std::round(r.left));  // centred with the frame's corner on whole units
  EXPECT_NEAR(r.left + r.right, 2 * LaskeRuutu2X(*ed, (ed->view.clientWidth - ed->ctl.Ppalkki.width) / 2.0f), 2);
  EXPECT_NEAR(r.top + r.bottom, 2 * LaskeRuutu2Y(*ed, (ed->view.clientHeight - 50) / 2.0f), 2);
  EXPECT_EQ(ed->undo.undoTop, undoBefore);  // the caller's snapshot covers it

  SelectAppended(*ed, -1, -1, -1);
  PlaceText(*ed, "?? #");  // no letter files: nothing placed, nothing selected
  EXPECT_EQ(ed->doc.polygonLast, 3);
  EXPECT_EQ(ed->sel.selLast, -1);
  EXPECT_EQ(ed->sel.selRect.left, kUnset);
}

// A broken letter file is a space: nothing of it is placed and the letters around it keep their
// shapes. And no letter makes a 255th scenery, which no snapshot would trim here.
TEST_F(TextTool, BrokenLettersAndFullMaps) {
  const std::vector<uint8_t> whole = Triangle(0, 0, 4, 4);
  std::vector<uint8_t> foreign = whole, cut = whole, nan = whole, far = whole;
  foreign[0] = '2';
  cut.resize(cut.size() - 50);
  const float notANumber = std::nanf(""), huge = 3e38f;
  std::memcpy(&nan[kPrefabHeaderSize + 4], &notANumber, 4);  // first corner's y
  std::memcpy(&far[kPrefabHeaderSize], &huge, 4);            // first corner's x
  ed->shiftDown = true;
  for (const auto& bytes : {foreign, cut, nan, far, std::vector<uint8_t>{}}) {
    SCOPED_TRACE(bytes.size());
    ed->doc.polygonLast = -1;
    Letter('x', bytes);
    PlaceText(*ed, "axb");
    ASSERT_EQ(ed->doc.polygonLast, 1);
    const Bounds a = Of(ed->doc.polygons[0]), b = Of(ed->doc.polygons[1]);
    EXPECT_FLOAT_EQ(b.left - a.right, 30);
    EXPECT_FLOAT_EQ(b.bottom - b.top, 20);
  }

  MapDocument piece = fixtures::NewMap();
  fixtures::AddScenery(piece, 2, 2);
  std::vector<uint8_t> scenery;
  EncodePrefab(piece, scenery);
  Letter('s', scenery);
  for (int i = 0; i < kSceneryLastKept; ++i) fixtures::AddScenery(ed->doc, 0, 0);
  PlaceText(*ed, "ss");
  EXPECT_EQ(ed->doc.sceneryLast, kSceneryLastKept);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace quorvel
