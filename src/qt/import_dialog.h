#pragma once
#include <QDialog>
#include <array>

#include "app/import_dialog.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel {

// The "Import prefab" dialog's widgets over the core's ImportDialog: a click writes the model and
// runs its handler, then every widget is copied from the model again.
class ImportDialogWidget : public QDialog {
  Q_OBJECT
 public:
  ImportDialogWidget(ImportDialog& model, QWidget* parent = nullptr);
  void SyncFromModel();

 private:
  void Clicked(void (*handler)(ImportDialog&));

  ImportDialog& m_;
  QListWidget* fTiedosto_ = nullptr;
  QLabel* lHakemisto_ = nullptr;
  QLabel* lListNote_ = nullptr;
  QLabel* lName_ = nullptr;
  QLabel* lAuthor_ = nullptr;
  std::array<QLabel*, 3> lMaara_{};
  std::array<QLabel*, 3> lMaara2_{};
  QPushButton* cImport_ = nullptr;
  QPushButton* cPeruuta_ = nullptr;
};

}  // namespace quorvel
