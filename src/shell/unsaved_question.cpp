#include "shell/unsaved_question.h"

#include "document/host.h"
#include "document/numeric.h"
#include "document/unsaved.h"
#include "shell/lifecycle.h"

namespace quorvel {

bool ConfirmDropChanges(Editor& ed) {
  if (!HasUnsavedChanges(ed)) return true;
  const std::string& file = ed.doc.info.fileName;
  const std::string name = file.empty() ? "Untitled" : FileNameOf(file);
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

void AskThenOpen(Editor& ed) {
  if (ConfirmDropChanges(ed)) MenuOpen_Click(ed);
}

void AskThenOpenRecent(Editor& ed, int index) {
  if (ConfirmDropChanges(ed)) MenuRekentti_Click(ed, index);
}

bool Form_QueryUnload(Editor& ed) {
  return ConfirmDropChanges(ed);
}

}  // namespace quorvel
