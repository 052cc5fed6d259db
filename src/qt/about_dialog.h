#pragma once
#include <QDialog>

#include "app/about.h"

namespace quorvel {

// The About box's widgets over the core's AboutBox; the link labels and OK run its handlers.
class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(AboutBox& model, QWidget* parent = nullptr);

 private:
  AboutBox& m_;
};

}  // namespace quorvel
