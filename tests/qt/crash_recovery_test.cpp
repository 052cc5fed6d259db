// The built editor, killed while its map has unsaved changes, leaves that map in a recovery file of
// its own, holding what a save would have written; killed with an unchanged map, it leaves nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>

#include "document/map_file.h"
#include "document/prefab_file.h"
#include "document/unsaved.h"
#include "fixtures/map_builder.h"
#include "fixtures/scripted_host.h"
#include "app/lifecycle.h"

namespace quorvel {
namespace {

QByteArray Bytes(const std::vector<uint8_t>& v) { return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size())); }

std::vector<uint8_t> Vector(const QByteArray& b) { return std::vector<uint8_t>(b.begin(), b.end()); }

void Write(const QString& path, const std::vector<uint8_t>& bytes) {
  QFile out(path);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(Bytes(bytes));
}

class CrashRecovery : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("tmp");
    env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", dir.filePath("tmp"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
  }

  QStringList RecoveryFiles(const QString& pattern = "recovery-*") const {
    return QDir(privateFolder).entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
  }

  // Starts the editors on the argument, waits, kills them all with the signal. The editor gives no
  // sign that the map is in, so a kill that came too early (during start-up) is tried again after
  // a longer wait, until `enough` says the files are as expected.
  void RunAndKill(const QString& argument, int editors, const std::function<bool()>& enough,
                  std::initializer_list<int> waits = {500, 2000, 8000}, int signal = SIGTERM) {
    for (int waitMs : waits) {
      QDir(privateFolder).removeRecursively();
      std::vector<std::unique_ptr<QProcess>> running;
      for (int i = 0; i < editors; ++i) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->setProcessEnvironment(env);
        running.back()->start(QStringLiteral(QUORVEL_APP_PATH), {argument});
        ASSERT_TRUE(running.back()->waitForStarted());
      }
      ASSERT_FALSE(running[0]->waitForFinished(waitMs)) << running[0]->readAllStandardError().toStdString();
      for (auto& p : running) ::kill(pid_t(p->processId()), signal);
      for (auto& p : running) {
        ASSERT_TRUE(p->waitForFinished(20000));
        EXPECT_EQ(p->exitStatus(), QProcess::CrashExit);  // it still dies of the signal
      }
      if (enough()) return;
    }
  }

  QTemporaryDir dir;
  QProcessEnvironment env;
  const QString privateFolder = dir.filePath("tmp/quorvel-" + QString::number(::geteuid()));
};

TEST_F(CrashRecovery, EditedMapIsKeptAsASaveWouldWriteItOnceForEachEditor) {
  // A prefab on the command line is imported into the new map: a change no save has kept.
  MapDocument pieces = fixtures::NewMap();
  fixtures::AddTriangle(pieces, 0, 0, 64, 0, 0, 64);
  fixtures::AddSpawn(pieces, 32, 16);
  std::vector<uint8_t> prefab;
  EncodePrefab(pieces, prefab);
  const QString prefabPath = dir.filePath("work.pre");
  Write(prefabPath, prefab);

  // What a save of that moment writes, by the same steps without a window.
  fixtures::ScriptedHost host;
  host.tempPath = dir.filePath("core-tmp/").toStdString();
  host.commandLine = prefabPath.toStdString();
  auto ed = std::make_unique<Editor>();
  ed->host = &host;
  Form_Load(*ed);
  Form_Activate(*ed);
  std::vector<uint8_t> saveForm;
  EncodeSaveForm(ed->doc, saveForm);

  auto keptBoth = [&] {
    if (RecoveryFiles("recovery-*.txt").size() != 2) return false;  // the notes
    const QStringList files = RecoveryFiles("recovery-*.pmp");
    if (files.size() != 2) return false;
    for (const QString& f : files) {
      QFile in(QDir(privateFolder).filePath(f));
      if (!in.open(QIODevice::ReadOnly) || !SameSavedContent(Vector(in.readAll()), saveForm)) return false;
    }
    return true;
  };
  RunAndKill(prefabPath, 2, keptBoth);
  EXPECT_TRUE(keptBoth()) << RecoveryFiles().join(", ").toStdString();
  EXPECT_TRUE(QDir(privateFolder).entryList({"*.part"}, QDir::Files).isEmpty());
}

// A kill no program can catch: what the editor wrote in the background within seconds of the
// change is there, with its note.
TEST_F(CrashRecovery, HardKillKeepsWhatWasWrittenInTheBackground) {
  MapDocument pieces = fixtures::NewMap();
  fixtures::AddTriangle(pieces, 0, 0, 64, 0, 0, 64);
  std::vector<uint8_t> prefab;
  EncodePrefab(pieces, prefab);
  const QString prefabPath = dir.filePath("work.pre");
  Write(prefabPath, prefab);
  auto kept = [&] {
    const QStringList files = QDir(privateFolder).entryList({"recovery-*.pmp"}, QDir::Files);
    if (files.size() != 1) return false;
    QFile in(QDir(privateFolder).filePath(files[0]));
    QFile note(QDir(privateFolder).filePath(QString(files[0]).replace(".pmp", ".txt")));
    return in.open(QIODevice::ReadOnly) && in.size() == qint64(kMapFileSize) && note.open(QIODevice::ReadOnly) &&
           note.readAll().startsWith("written=");
  };
  RunAndKill(prefabPath, 1, kept, {4000, 10000, 25000}, SIGKILL);
  EXPECT_TRUE(kept()) << RecoveryFiles().join(", ").toStdString();
}

TEST_F(CrashRecovery, UnchangedMapLeavesNoFile) {
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 64, 0, 0, 64);
  std::vector<uint8_t> map;
  EncodeMap(doc, nullptr, map);
  const QString mapPath = dir.filePath("work.pmp");
  Write(mapPath, map);
  // Long enough for the map to be in, and for a file written late to show.
  RunAndKill(mapPath, 1, [] { return true; }, {3000});
  EXPECT_TRUE(QDir(privateFolder).exists());
  EXPECT_TRUE(RecoveryFiles().isEmpty()) << RecoveryFiles().join(", ").toStdString();
}

}  // namespace
}  // namespace quorvel
