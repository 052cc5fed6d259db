#include "qt/import_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* NewLabel(QWidget* parent, const QString& objectName) {
  auto* l = new QLabel(parent);
  l->setObjectName(objectName);
  return l;
}

// A value label reads as its text; while it has none, as what it stands for.
void ShowLabel(QLabel* w, const Label& m, const QString& role) {
  w->setText(Q(m.caption));
  w->setAccessibleName(m.caption.empty() ? role : QString());
  w->setVisible(m.visible);
  w->setEnabled(m.enabled);
}

void ShowButton(QPushButton* w, const Button& m) {
  w->setText(Q(m.caption));
  w->setEnabled(m.enabled);
  w->setVisible(m.visible);
}
}  // namespace

ImportDialogWidget::ImportDialogWidget(ImportDialog& model, QWidget* parent) : QDialog(parent), m_(model) {
  setObjectName("Import");
  setModal(true);
  setWindowTitle(Q(m_.caption));

  lHakemisto_ = NewLabel(this, "lHakemisto");
  fTiedosto_ = new QListWidget(this);
  fTiedosto_->setObjectName("fTiedosto");
  fTiedosto_->setAccessibleName("Prefab files");
  fTiedosto_->setMinimumSize(220, 200);
  lListNote_ = NewLabel(this, "lListNote");
  lListNote_->setWordWrap(true);

  auto* info = new QGridLayout;
  auto* nameCaption = new QLabel("Name:", this);
  auto* authorCaption = new QLabel("Author:", this);
  lName_ = NewLabel(this, "lName");
  lAuthor_ = NewLabel(this, "lAuthor");
  info->addWidget(nameCaption, 0, 0);
  info->addWidget(lName_, 0, 1, 1, 2);
  info->addWidget(authorCaption, 1, 0);
  info->addWidget(lAuthor_, 1, 1, 1, 2);
  info->addWidget(new QLabel("Left", this), 2, 1);
  info->addWidget(new QLabel("In file", this), 2, 2);
  for (int i = 0; i < 3; ++i) {
    info->addWidget(new QLabel(kImportRows[size_t(i)], this), 3 + i, 0);
    lMaara_[size_t(i)] = NewLabel(this, QString("lMaara(%1)").arg(i));
    lMaara2_[size_t(i)] = NewLabel(this, QString("lMaara2(%1)").arg(i));
    info->addWidget(lMaara_[size_t(i)], 3 + i, 1);
    info->addWidget(lMaara2_[size_t(i)], 3 + i, 2);
  }
  info->setColumnMinimumWidth(1, 60);
  info->setColumnMinimumWidth(2, 60);
  info->setRowStretch(6, 1);

  cImport_ = new QPushButton(this);
  cImport_->setObjectName("cImport");
  cImport_->setDefault(true);
  cPeruuta_ = new QPushButton(this);
  cPeruuta_->setObjectName("cPeruuta");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cImport_);
  buttons->addWidget(cPeruuta_);
  info->addLayout(buttons, 7, 0, 1, 3);

  auto* left = new QVBoxLayout;
  left->addWidget(lHakemisto_);
  left->addWidget(fTiedosto_, 1);
  left->addWidget(lListNote_);
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(info);

  connect(fTiedosto_, &QListWidget::currentRowChanged, this, [this](int row) {
    fTiedosto_Click(m_, row);
    SyncFromModel();
  });
  connect(cImport_, &QPushButton::clicked, this, [this] { Clicked(cImport_Click); });
  connect(cPeruuta_, &QPushButton::clicked, this, [this] { Clicked(cPeruuta_Click); });

  const QSignalBlocker block(fTiedosto_);
  for (const std::string& f : m_.files) fTiedosto_->addItem(Q(f));
  SyncFromModel();
}

void ImportDialogWidget::Clicked(void (*handler)(ImportDialog&)) {
  handler(m_);
  SyncFromModel();
  if (m_.closed) done(m_.inputs.chosenPath.empty() ? QDialog::Rejected : QDialog::Accepted);
}

void ImportDialogWidget::SyncFromModel() {
  {
    const QSignalBlocker block(fTiedosto_);
    fTiedosto_->setCurrentRow(m_.listIndex);
  }
  ShowLabel(lHakemisto_, m_.lHakemisto, "Prefab folder");
  ShowLabel(lListNote_, m_.lListNote, "List note");
  lListNote_->setVisible(!m_.lListNote.caption.empty());
  ShowLabel(lName_, m_.lName, "Name");
  ShowLabel(lAuthor_, m_.lAuthor, "Author");
  for (size_t i = 0; i < 3; ++i) {
    ShowLabel(lMaara_[i], m_.lMaara[i], QString("Left ") + kImportRows[i]);
    ShowLabel(lMaara2_[i], m_.lMaara2[i], QString("In file ") + kImportRows[i]);
    const uint32_t c = m_.lMaara2Colour[i];
    QPalette p = lMaara2_[i]->palette();
    p.setColor(QPalette::WindowText, QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    lMaara2_[i]->setPalette(p);
  }
  ShowButton(cImport_, m_.cImport);
  ShowButton(cPeruuta_, m_.cPeruuta);
}

}  // namespace quorvel
