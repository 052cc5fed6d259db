#include "app/unsaved_question.h"

#include "document/host.h"
#include "document/numeric.h"
#include "document/unsaved.h"
#include "app/lifecycle.h"

namespace quorvel {

std::string MapShownName(const Editor& ed) {
  const std::string& file = ed.doc.info.fileName;
  if (!file.empty()) return FileNameOf(file);
  if (!ed.recovered) return "Untitled";
  return (ed.recoveredFrom.empty() ? std::string("Untitled") : FileNameOf(ed.recoveredFrom)) + " (recovered)";
}

bool MapCanBeOpened(Editor& ed, const std::string& path) { return ReadMapFileBytes(ed, path, ed.fileBytes, false); }

bool ConfirmDropChanges(Editor& ed) {
  if (!HasUnsavedChanges(ed)) return true;
  const std::string name = MapShownName(ed);
  switch (ed.host->AskSaveChanges("The map '" + name + "' has unsaved changes.\nSave them first?",
                                  "Unsaved changes")) {
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      return false;
    case SaveChoice::Save:
      break;
  }
  MenuSave_Click(ed);
  return !HasUnsavedChanges(ed);
}

void AskThenNew(Editor& ed) {
  if (ConfirmDropChanges(ed)) MenuNew_Click(ed);
}

// The file is chosen and read first: an open that cannot happen drops nothing.
void AskThenOpen(Editor& ed) {
  const std::string name = AskMapToOpen(ed);
  if (name.empty() || !MapCanBeOpened(ed, name)) return;
  if (ConfirmDropChanges(ed)) OpenChosenMap(ed, name);
}

void AskThenOpenRecent(Editor& ed, int index) {
  if (index < 0 || index > 4) return;
  if (!MapCanBeOpened(ed, ed.recentFiles[index])) {
    ed.recentFiles[index].clear();  // as a failed open from the list does
    RebuildRecentMenu(ed, false);
    return;
  }
  if (ConfirmDropChanges(ed)) MenuRekentti_Click(ed, index);
}

bool Form_QueryUnload(Editor& ed) {
  return ConfirmDropChanges(ed);
}

}  // namespace quorvel
