#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Settings written by the tests land in a throwaway folder, never in the user's own.
  std::string config = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/quorvel-qt-test-config";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // settings go to a test location, never the user's
  return RUN_ALL_TESTS();
}
