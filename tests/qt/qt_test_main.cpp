#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <string>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Settings written by the tests land in a throwaway folder of this process, never in the user's
  // own and never in another test's running beside it.
  std::string config = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/quorvel-qt-test-XXXXXX";
  if (!mkdtemp(config.data())) return 2;
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  // The editor's temporary files (backup, undo, recovery) too: a recovery file left in the
  // system's temporary folder by a real session must not turn up in a test's start-up.
  setenv("TMPDIR", config.c_str(), 1);
  ::testing::InitGoogleTest(&argc, argv);
  int result = 0;
  {
    // No QStandardPaths test mode: it would put every process's settings in one shared
    // ~/.qttest folder, overriding XDG_CONFIG_HOME, and tests side by side would clear each other's.
    QApplication app(argc, argv);
    result = RUN_ALL_TESTS();
  }
  std::error_code ec;
  std::filesystem::remove_all(config, ec);
  return result;
}
