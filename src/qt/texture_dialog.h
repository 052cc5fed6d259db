#pragma once
// The texture chooser: the listed texture images with a preview of the one picked, its size and
// folder, and "Browse…" for any other image file. The core lists the images and judges the name
// chosen (panels/texture_choice); this only shows them.
#include <QDialog>
#include <QPixmap>
#include <optional>
#include <string>
#include <vector>

#include "panels/texture_choice.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel {

class TextureDialog : public QDialog {
  Q_OBJECT
 public:
  TextureDialog(const TextureChoice& choice, QWidget* parent = nullptr);
  // The path of the image chosen once the dialog is accepted.
  std::optional<std::string> Chosen() const { return chosen_; }

 private:
  void ShowPicked();
  void Browse();
  void Choose();

  const TextureChoice& choice_;
  QListWidget* list_ = nullptr;
  QLabel* preview_ = nullptr;
  QLabel* details_ = nullptr;
  QPushButton* ok_ = nullptr;
  std::vector<QPixmap> previews_;  // made the first time each image is picked
  std::vector<bool> previewMade_;
  std::optional<std::string> chosen_;
};

}  // namespace quorvel
