#pragma once
// An editor wired to a recording canvas and a scripted host, laid out at the first client size (819 x 577).
#include <memory>

#include "document/editor.h"
#include "fixtures/map_builder.h"
#include "fixtures/recording_canvas.h"
#include "fixtures/scripted_host.h"

namespace quorvel::testing_support {

struct ViewRig {
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  fixtures::RecordingCanvas canvas;
  fixtures::ScriptedHost host;

  ViewRig() {
    ed->doc = fixtures::NewMap();
    ed->canvas = &canvas;
    ed->host = &host;
    ed->firstActivation = false;
  }
  Editor& e() { return *ed; }
};

}  // namespace quorvel::testing_support
