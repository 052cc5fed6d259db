#pragma once
// The one editor state, owned by the main window for the whole run: the document, the view, the
// selection, the undo ring, the recent files, the controls and the flags. Functions of every layer
// take it by reference; the two whole operations everyone calls are members so that lower layers
// can reach them without including the higher ones.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/controls.h"
#include "document/map_document.h"
#include "document/selection_state.h"
#include "document/snapshot_chain.h"
#include "document/texture_lookup.h"

namespace quorvel {

class Host;
class Canvas;

struct ViewState {
  float viewX = 0;  // world point at the view centre
  float viewY = 0;
  float zoom = 1;  // screen pixels per world unit: 4, 2, 1, 0.5 or 0.25
  int16_t gridSize = 0;  // world units, 0 = no grid
  std::array<int16_t, 7> showFlags{1, 1, 1, 1, 1, 0, 0};  // a layer is drawn only when its flag is 1
  float lastPointerX = 0;  // screen position at the previous pointer-motion event
  float lastPointerY = 0;
  int clientWidth = 819;  // W and H: the main window's client area in pixels
  int clientHeight = 577;
  bool filled = false;  // polygons filled in their colours over the sky, instead of the wireframe
  bool outlines = true;  // the filled view draws each polygon's edges over its fill
};

inline constexpr int kUndoSlots = 100;
// What the undo steps may hold in memory; past it the oldest go.
inline constexpr size_t kUndoMemoryBudget = 20'000'000;

struct UndoRing {
  int16_t undoSlot = 0;  // ring position of the newest snapshot, never reset
  int16_t undoTop = -1;  // snapshots Undo can still restore, minus one
  std::array<std::string, kUndoSlots> undoFiles;
  std::array<std::string, kUndoSlots> undoLabels;
  // The snapshots themselves, kept in memory: the bytes the map writer gives in undo form, newest
  // on top (the newest undoTop + 1 are Undo's), and the last indices at the time of each slot,
  // which tell map objects from clipboard copies above them.
  SnapshotChain snapshots;
  std::array<std::array<int16_t, 5>, kUndoSlots> lastIndices{};
  // What the Undos since the last snapshot replaced (document/document_image), the newest on top,
  // and their labels, the newest last; any new snapshot empties both.
  SnapshotChain redoStates;
  std::vector<std::string> redoLabels;
  size_t memoryBudget = kUndoMemoryBudget;
};

// The map as a save would write it at the last open, save or new (document/unsaved); the map has
// unsaved changes while what a save would write now differs from it.
struct UnsavedState {
  std::vector<uint8_t> savedForm;  // empty until the first new map
  bool changed = false;            // as of the last check
  // The map as it stood at the last open or new, while its save form is not yet needed: an open
  // that is saved or left before any check costs a copy, not a save's encoding.
  std::unique_ptr<MapDocument> pending;
  bool isPending = false;

  UnsavedState() = default;
  UnsavedState(UnsavedState&&) = default;
  UnsavedState& operator=(UnsavedState&&) = default;
  // An editor copied (as tests do) keeps a baseline of its own.
  UnsavedState(const UnsavedState& o)
      : savedForm(o.savedForm),
        changed(o.changed),
        pending(o.pending ? std::make_unique<MapDocument>(*o.pending) : nullptr),
        isPending(o.isPending) {}
  UnsavedState& operator=(const UnsavedState& o) {
    if (this != &o) *this = UnsavedState(o);
    return *this;
  }
};

// The clipboard of Edit Copy and Paste. Its copies live in the free records above each last index:
// polygon copy k in slot 399 - k, spawn 29 - k, scenery 254 - clipSceneryLast + k,
// waypoint 499 - k, collider 127 - k. It is valid while clipLast is at least 0; the per-kind
// counts mean nothing once it is emptied.
struct ClipboardState {
  int16_t clipLast = -1;  // copied objects of every kind minus one; -1 = empty
  int16_t clipPolygonLast = -1;
  int16_t clipSpawnLast = -1;
  int16_t clipSceneryLast = -1;
  int16_t clipWaypointLast = -1;
  int16_t clipColliderLast = -1;
  bool clipOverflow = false;  // the last Copy held only part of the selection
};

struct Editor {
  MapDocument doc;
  ViewState view;
  SelectionState sel;
  UndoRing undo;
  UnsavedState unsaved;
  ClipboardState clip;
  Controls ctl;

  std::array<std::string, 5> recentFiles;
  std::string appFolder;  // without a trailing separator

  int16_t currentTool = 0;  // 0 Edit, 1 Add polygon, 2 Add spawn, 3 Add scenery, 4 Add collider, 5 Add waypoint
  int16_t toolParam = 0;
  int16_t rightButtonDown = 0;
  int16_t pathFilter = 0;  // 0 all paths, 1 or 2 only that path
  bool shiftDown = false;
  bool ctrlDown = false;
  bool panelRefreshBusy = false;
  bool firstActivation = true;
  bool restorePlacementPending = false;
  int32_t wheelRemainder = 0;  // parts of a wheel notch not yet acted on
  // One short line for the bottom bar's status line after a command that gives no other sign
  // ("Saved name.pmp"); commands set it, the window shows it until the next one replaces it.
  std::string statusNote;
  // The file name a recovered map was kept under ("" for a new map) while it is not saved again.
  std::string recoveredFrom;
  bool recovered = false;
  // The bytes of the last map read or written, kept so that the next open or save reuses the
  // half megabyte instead of allocating it again.
  std::vector<uint8_t> fileBytes;
  TextureLookup texture;  // the filled view's texture file

  Host* host = nullptr;
  Canvas* canvas = nullptr;

  // Clears the canvas and draws everything again.
  void RedrawCanvas();
  // Rewrites every panel control from the document and the selection.
  void RefreshPanels();
};

}  // namespace quorvel
