// The built editor, killed while a map is open, leaves that map in the temporary folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <csignal>

#include "document/map_file.h"
#include "document/map_write.h"
#include "fixtures/map_builder.h"

namespace quorvel {
namespace {

QByteArray Bytes(const std::vector<uint8_t>& v) { return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size())); }

TEST(CrashRecovery, TerminatedEditorLeavesTheOpenMapInRecoveryPmp) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 0, 0, 64, 0, 0, 64);
  fixtures::AddSpawn(doc, 32, 16);
  doc.info.authorName = "Tester";
  std::vector<uint8_t> map;
  EncodeMapUntouched(doc, map);
  const QString mapPath = dir.filePath("work.pmp");
  QFile out(mapPath);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(Bytes(map));
  out.close();
  QDir(dir.path()).mkpath("tmp");
  const QString recovery = dir.filePath("tmp/recovery.pmp");

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TMPDIR", dir.filePath("tmp"));
  env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("ASAN_OPTIONS", "detect_leaks=0");
  // The editor gives no sign that the map is open, so a kill that came too early (during start-up,
  // before the map was read) is tried again after a longer wait.
  QByteArray kept;
  for (int waitMs : {500, 2000, 8000}) {
    QFile::remove(recovery);
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(QUORVEL_APP_PATH), {mapPath});
    ASSERT_TRUE(editor.waitForStarted());
    ASSERT_FALSE(editor.waitForFinished(waitMs)) << editor.readAllStandardError().toStdString();
    ::kill(pid_t(editor.processId()), SIGTERM);
    ASSERT_TRUE(editor.waitForFinished(20000));
    EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit);  // it still dies of the signal
    QFile in(recovery);
    kept = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    if (kept == Bytes(map)) break;
  }
  EXPECT_TRUE(kept == Bytes(map));
  EXPECT_FALSE(QFile::exists(recovery + ".part"));
}

}  // namespace
}  // namespace quorvel
