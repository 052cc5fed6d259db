#include <QApplication>
#include <QSessionManager>
#include <memory>

#include "app/lifecycle.h"
#include "app/recovery.h"
#include "qt/ikkuna.h"
#include "qt/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvel");
  QApplication::setOrganizationName("Quorvel");
  auto editor = std::make_unique<quorvel::Editor>();
  quorvel::QtHost host;
  quorvel::Ikkuna window(*editor, host);

  window.Run(quorvel::Form_Load);
  // A desktop logout asks the window to close first, so that unsaved changes are asked about; a
  // Cancel there cancels the logout.
  QObject::connect(
      &app, &QGuiApplication::commitDataRequest, &window,
      [&window](QSessionManager& manager) {
        if (manager.allowsInteraction() && !window.close()) manager.cancel();
        manager.release();
      },
      Qt::DirectConnection);
  quorvel::InstallRecoveryHandlers();
  window.show();
  const int status = app.exec();
  quorvel::DisarmRecovery();
  return status;
}
