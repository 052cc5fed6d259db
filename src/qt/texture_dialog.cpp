#include "qt/texture_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

namespace {

constexpr int kPreviewSide = 128;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The image scaled to fit the preview, read at a reduced size where the format allows, so a
// huge image does not hold the dialog up; a null pixmap when it is no readable image.
QPixmap PreviewOf(const QString& path, QSize& size) {
  QImageReader reader(path);
  size = reader.size();
  if (size.isValid() && (size.width() > kPreviewSide || size.height() > kPreviewSide))
    reader.setScaledSize(size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
  const QImage image = reader.read();
  if (image.isNull()) return {};
  if (!size.isValid()) size = image.size();
  return QPixmap::fromImage(image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// The folders looked in, one a line, a missing one marked.
QString FolderLines(const TextureChoice& choice) {
  QStringList lines;
  for (const TextureFolder& f : choice.folders) lines << Q(f.path) + (f.exists ? QString() : QStringLiteral(" (none)"));
  return lines.isEmpty() ? QStringLiteral("no folder (the map has no file yet)") : lines.join(QLatin1Char('\n'));
}

}  // namespace

TextureDialog::TextureDialog(const TextureChoice& choice, QWidget* parent) : QDialog(parent), choice_(choice) {
  setObjectName("TextureChooser");
  setModal(true);
  setWindowTitle(QStringLiteral("Texture"));
  setAccessibleName(windowTitle());

  auto* where = new QLabel(QStringLiteral("Texture images in:\n") + FolderLines(choice), this);
  where->setObjectName("textureFolders");
  where->setTextFormat(Qt::PlainText);
  where->setWordWrap(true);

  list_ = new QListWidget(this);
  list_->setObjectName("textureList");
  list_->setAccessibleName(QStringLiteral("Texture images"));
  list_->setMinimumSize(220, 220);
  const QString current = Q(choice.current);
  int currentRow = -1;
  for (const TextureFile& f : choice.files) {
    auto* item = new QListWidgetItem(Q(f.name), list_);
    item->setToolTip(Q(f.path));
    if (currentRow < 0 && Q(f.name).compare(current, Qt::CaseInsensitive) == 0) currentRow = list_->count() - 1;
  }
  previews_.resize(choice.files.size());
  previewMade_.assign(choice.files.size(), false);

  preview_ = new QLabel(this);
  preview_->setObjectName("texturePreview");
  preview_->setAccessibleName(QStringLiteral("Preview"));
  preview_->setFixedSize(kPreviewSide + 4, kPreviewSide + 4);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFrameShape(QFrame::StyledPanel);
  details_ = new QLabel(this);
  details_->setObjectName("textureDetails");
  details_->setTextFormat(Qt::PlainText);
  details_->setWordWrap(true);
  details_->setMinimumWidth(kPreviewSide + 4);
  details_->setMaximumWidth(2 * kPreviewSide);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* browse = buttons->addButton(QStringLiteral("Browse…"), QDialogButtonBox::ActionRole);
  browse->setObjectName("textureBrowse");
  connect(buttons, &QDialogButtonBox::accepted, this, &TextureDialog::Choose);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, &TextureDialog::Browse);
  connect(list_, &QListWidget::currentRowChanged, this, &TextureDialog::ShowPicked);
  connect(list_, &QListWidget::itemActivated, this, &TextureDialog::Choose);

  auto* side = new QVBoxLayout;
  side->addWidget(preview_);
  side->addWidget(details_);
  side->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(list_, 1);
  middle->addLayout(side);
  auto* all = new QVBoxLayout(this);
  all->addWidget(where);
  all->addLayout(middle, 1);
  all->addWidget(buttons);

  list_->setCurrentRow(currentRow >= 0 ? currentRow : (list_->count() > 0 ? 0 : -1));
  ShowPicked();
  list_->setFocus();
}

void TextureDialog::ShowPicked() {
  const int row = list_->currentRow();
  ok_->setEnabled(row >= 0);
  if (row < 0 || size_t(row) >= choice_.files.size()) {
    preview_->clear();
    preview_->setText(QStringLiteral("No image"));
    details_->setText(choice_.files.empty() ? QStringLiteral("No texture images here: Browse… finds one elsewhere.")
                                            : QString());
    return;
  }
  const TextureFile& f = choice_.files[size_t(row)];
  QSize size;
  if (!previewMade_[size_t(row)]) {
    previews_[size_t(row)] = PreviewOf(Q(f.path), size);
    previewMade_[size_t(row)] = true;
    list_->item(row)->setData(Qt::UserRole, size);
  }
  size = list_->item(row)->data(Qt::UserRole).toSize();
  const QPixmap& pixmap = previews_[size_t(row)];
  if (pixmap.isNull()) {
    preview_->clear();
    preview_->setText(QStringLiteral("No preview"));
  } else {
    preview_->setPixmap(pixmap);
  }
  const QString measure = size.isValid() ? QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())
                                         : QStringLiteral("not readable as an image");
  details_->setText(Q(f.name) + QLatin1Char('\n') + measure + QLatin1Char('\n') + Q(f.folder));
  preview_->setAccessibleDescription(details_->text());
}

void TextureDialog::Choose() {
  const int row = list_->currentRow();
  if (row < 0 || size_t(row) >= choice_.files.size()) return;
  chosen_ = choice_.files[size_t(row)].path;
  accept();
}

void TextureDialog::Browse() {
  QFileDialog dialog(this, QStringLiteral("Texture image"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList patterns;
  for (const char* ext : {"bmp", "png", "jpg", "jpeg", "tga", "dds"})
    patterns << QStringLiteral("*.") + QString::fromLatin1(ext) << QStringLiteral("*.") + QString::fromLatin1(ext).toUpper();
  dialog.setNameFilters({QStringLiteral("Images (%1)").arg(patterns.join(QLatin1Char(' '))), QStringLiteral("All files (*)")});
  if (!choice_.browseFolder.empty()) dialog.setDirectory(Q(choice_.browseFolder));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  chosen_ = dialog.selectedFiles().first().toStdString();
  accept();
}

}  // namespace quorvel
