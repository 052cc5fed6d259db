// The full redraw into the real Qt canvas (an offscreen image) of whatever the map reader accepts,
// with a selection from the undo block, at a zoom, size, view offset, grid and layer set chosen by
// the input.
#include <QGuiApplication>
#include <cstdlib>

#include "document/map_file.h"
#include "fuzz_support.h"
#include "qt/qt_canvas.h"
#include "view/layout.h"
#include "view/view.h"

using namespace quorvel;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A canvas per size, each sized once: a window keeps its image until it is resized, and a new
  // image every run would cost more than the redraw.
  static const int sizes[][2] = {{1, 1}, {97, 61}, {819, 577}, {1280, 720}};
  static QtCanvas canvases[4];
  fuzz::Input in({data, size});
  const uint8_t flags = in.Byte();
  const int sizeItem = in.Byte() % 4;
  const auto& wh = sizes[sizeItem];
  QtCanvas& canvas = canvases[sizeItem];
  const uint8_t zoomItem = in.Byte() % 5, gridItem = in.Byte() % 6;
  float viewX, viewY;
  const uint32_t vx = in.U32(), vy = in.U32();
  std::memcpy(&viewX, &vx, 4);
  std::memcpy(&viewY, &vy, 4);

  // One editor for every run (a fresh one each time costs more than the redraw); the map, the
  // selection and every view setting the redraw reads are set anew below.
  static Editor* const ed = new Editor;
  UndoExtension ext{ed->sel, 0};
  const std::vector<uint8_t>& bytes = fuzz::Patched(fuzz::BaseMap(true), in);
  DecodeMap(bytes, ed->doc, &ext);
  ed->sel = ext.selection;
  ed->currentTool = static_cast<int16_t>(std::abs(ext.currentTool) % 6);
  ed->toolParam = static_cast<int16_t>(flags >> 5);
  if (canvas.Image().width() != wh[0] || canvas.Image().height() != wh[1]) canvas.Resize(wh[0], wh[1]);
  ed->canvas = &canvas;
  ed->firstActivation = false;
  ed->view.clientWidth = wh[0];
  ed->view.clientHeight = wh[1];
  ed->view.viewX = (flags & 1) ? viewX : float(int16_t(vx));
  ed->view.viewY = (flags & 1) ? viewY : float(int16_t(vy));
  ed->ctl.CBzoom.Select(zoomItem);
  ed->view.zoom = float(ed->ctl.CBzoom.itemData[zoomItem] / 100.0);
  ed->ctl.CBgrid.Select(gridItem);
  CBgrid_Click(*ed);
  ed->ctl.CBfixed.value = (flags & 2) ? 1 : 0;
  ed->view.showFlags = {1, 1, 1, 1, 1, int16_t((flags & 4) ? 1 : 0), 0};
  ed->pathFilter = int16_t((flags >> 3) % 3);
  Form_Resize(*ed);
  return 0;
}
