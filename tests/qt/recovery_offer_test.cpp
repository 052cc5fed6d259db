// The start-up offer in the real window: a map kept by an editor that is gone is offered by its
// file name, opens as "<name> (recovered)" with unsaved changes, and its file is taken over.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>

#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/qt_window.h"
#include "qt/ikkuna.h"
#include "qt/qt_host.h"
#include "app/recovery.h"
#include "app/recovery_note.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

class OfferHost : public QtHost {
 public:
  std::deque<RecoveryChoice> answers;
  std::vector<std::string> offers;
  std::string programFolder;
  RecoveryChoice AskRecovery(const std::string& text, const std::string& title) override {
    offers.push_back(title + "|" + text);
    if (answers.empty()) return RecoveryChoice::Later;
    const RecoveryChoice c = answers.front();
    answers.pop_front();
    return c;
  }
  MsgResult MessageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override { return MsgResult::Ok; }
  SaveChoice AskSaveChanges(const std::string&, const std::string&) override { return SaveChoice::Discard; }
  std::string ProgramFolder() override { return programFolder; }
};

void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

TEST(RecoveryOffer, TheWindowOpensAKeptMapByItsName) {
  const fs::path folder = QDir::tempPath().toStdString() + "/quorvel-" + std::to_string(::geteuid());
  fs::create_directories(folder);
  fs::permissions(folder, fs::perms::owner_all);
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 10, 0, 30, 0, 10, 20);
  std::vector<uint8_t> map;
  EncodeMap(doc, nullptr, map);
  const fs::path kept = folder / "recovery-999999999-qt.pmp";
  Put(kept, std::string(map.begin(), map.end()));
  Put(RecoveryNotePath(kept.string()), RecoveryNoteText("/maps/ctf_test.pmp", 1800000000));

  auto ed = std::make_unique<Editor>();
  OfferHost host;
  host.programFolder = (folder / "Quorvel").string();
  host.answers = {RecoveryChoice::Open};
  {
    Ikkuna window(*ed, host);
    ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
    ASSERT_EQ(host.offers.size(), 1u);
    EXPECT_NE(host.offers[0].find("while 'ctf_test.pmp' had unsaved changes"), std::string::npos) << host.offers[0];
    EXPECT_EQ(window.windowTitle().toStdString(), "ctf_test.pmp (recovered)[*] - Quorvel  1.2");
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(ed->doc.polygonLast, 0);
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_FALSE(fs::exists(RecoveryNotePath(kept.string())));
    EXPECT_TRUE(fs::exists(RecoveryPath()));
    EXPECT_TRUE(window.close());  // Discard: a clean exit keeps nothing
  }
  EXPECT_FALSE(fs::exists(RecoveryPath()));
}

}  // namespace
}  // namespace quorvel
