#include <QApplication>
#include <memory>

#include "shell/lifecycle.h"
#include "shell/recovery.h"
#include "shell/qt/ikkuna.h"
#include "shell/qt/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvel");
  QApplication::setOrganizationName("Quorvel");
  auto editor = std::make_unique<quorvel::Editor>();
  quorvel::QtHost host;
  quorvel::Ikkuna window(*editor, host);

  window.Run(quorvel::Form_Load);
  quorvel::InstallRecoveryHandlers();
  window.show();
  const int status = app.exec();
  quorvel::DisarmRecovery();
  return status;
}
