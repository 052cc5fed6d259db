#pragma once
// The folder of the user's own inside the temporary folder ("quorvel-" and the user id), where
// the backup copy and the recovery files live: the shared temporary folder would let another
// user read a map there, or plant a link under a known name for the editor to write through.
// It is made owner-only and checked before every use: a folder, not a link, owned by the user,
// open to nobody else.
#include <string>

#include "document/editor.h"

namespace quorvel {

// The private folder with a trailing separator, made if missing; "" and the reason when it is
// missing and cannot be made, or cannot be trusted.
std::string CheckedPrivateFolder(Editor& ed, std::string& problem);
// The same, telling the user once a run that the backup copy and crash recovery are off when the
// folder cannot be used.
std::string PrivateFolder(Editor& ed);
// The backup copy of the map file at the path: "backup-" and its file name, the newest version
// replaced under that name.
std::string BackupName(const std::string& mapPath);
// A new run: the next failure is told again.
void ResetPrivateFolderNotice();

}  // namespace quorvel
