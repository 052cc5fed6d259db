#include "qt/qt_host.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include "qt/about_dialog.h"
#include "qt/import_dialog.h"
#include "qt/texture_dialog.h"


namespace quorvel {

namespace {
constexpr int kTwipsPerPixel = 15;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QSettings& Store() {
  static QSettings settings("Quorvel", "Quorvel");
  return settings;
}

// The extension a filter names ("pmp" of "*.PMP"), lower case.
QString FilterSuffix(const std::string& filter) {
  QString f = Q(filter);
  int dot = f.lastIndexOf("*.");
  return dot < 0 ? QString() : f.mid(dot + 2).toLower();
}

QString RunFileDialog(QFileDialog::AcceptMode mode, const FileDialogRequest& req) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(mode);
  dialog.setNameFilter(QtNameFilter(req.filter));
  QString folder = Q(req.initialFolder);
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
  if (!req.presetName.empty()) dialog.selectFile(Q(req.presetName));
  dialog.setFileMode(req.flags & kFileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!(req.flags & kOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (mode == QFileDialog::AcceptSave) dialog.setDefaultSuffix(FilterSuffix(req.filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::toNativeSeparators(dialog.selectedFiles().first());
}
}  // namespace

QString QtNameFilter(const std::string& filter) {
  QString f = Q(filter);
  int bar = f.indexOf('|');
  QString description = bar < 0 ? f : f.left(bar);
  QString suffix = FilterSuffix(filter);
  int paren = description.indexOf('(');
  if (paren >= 0) description = description.left(paren).trimmed();
  return QString("%1 (*.%2 *.%3)").arg(description, suffix, suffix.toUpper());
}

QtHost::QtHost() : rng_(std::random_device{}()) {}

MsgResult QtHost::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
  ModalScope modal(*this);
  QMessageBox box(window_ ? window_.data() : QApplication::activeWindow());
  box.setWindowTitle(Q(title));
  box.setText(Q(text));
  switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
  }
  if (buttons == MsgButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  } else if (buttons == MsgButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  int answer = box.exec();
  return answer == QMessageBox::Ok || answer == QMessageBox::Yes ? MsgResult::Ok : MsgResult::Cancel;
}

SaveChoice QtHost::AskSaveChanges(const std::string& text, const std::string& title) {
  ModalScope modal(*this);
  QMessageBox box(window_ ? window_.data() : QApplication::activeWindow());
  box.setWindowTitle(Q(title));
  box.setText(Q(text));
  box.setIcon(QMessageBox::Warning);
  box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return SaveChoice::Save;
  return answer == QMessageBox::Discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

RecoveryChoice QtHost::AskRecovery(const std::string& text, const std::string& title) {
  ModalScope modal(*this);
  QMessageBox box(window_ ? window_.data() : QApplication::activeWindow());
  box.setWindowTitle(Q(title));
  box.setText(Q(text));
  box.setIcon(QMessageBox::Question);
  QPushButton* open = box.addButton(QStringLiteral("&Open"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton(QStringLiteral("&Later"), QMessageBox::RejectRole);
  box.setDefaultButton(open);
  box.setEscapeButton(later);
  box.exec();
  RefocusWindow();
  if (box.clickedButton() == open) return RecoveryChoice::Open;
  return box.clickedButton() == discard ? RecoveryChoice::Discard : RecoveryChoice::Later;
}

// Without a window manager nobody hands the focus back after a dialog; keys would be lost.
void QtHost::RefocusWindow() {
  if (!window_ || !window_->isVisible()) return;
  window_->activateWindow();
  FocusBottomBar();
}

std::optional<std::string> QtHost::InputBox(const std::string& prompt, const std::string& title,
                                            const std::string& initial) {
  ModalScope modal(*this);
  bool ok = false;
  QString text = QInputDialog::getText(window_, Q(title), Q(prompt), QLineEdit::Normal, Q(initial), &ok);
  if (!ok) return std::nullopt;
  return S(text);
}

std::optional<uint32_t> QtHost::ChooseColour(uint32_t initial) {
  ModalScope modal(*this);
  QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
  QColor c = QColorDialog::getColor(start, window_);
  if (!c.isValid()) return std::nullopt;
  return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

std::string QtHost::OpenFileDialog(const FileDialogRequest& request) {
  ModalScope modal(*this);
  QString name = RunFileDialog(QFileDialog::AcceptOpen, request);
  return S(name);
}

std::string QtHost::SaveFileDialog(const FileDialogRequest& request) {
  ModalScope modal(*this);
  QString name = RunFileDialog(QFileDialog::AcceptSave, request);
  return S(name);
}

std::string QtHost::GetSetting(const std::string& section, const std::string& key, const std::string& defaultValue) {
  return S(Store().value(Q(section + "/" + key), Q(defaultValue)).toString());
}

void QtHost::SaveSetting(const std::string& section, const std::string& key, const std::string& value) {
  Store().setValue(Q(section + "/" + key), Q(value));
  Store().sync();
}

std::string QtHost::SystemTempPath() {
  QString t = QDir::tempPath();  // empty when TMPDIR names a missing folder
  if (t.isEmpty() || !QFileInfo(t).isDir()) t = "/tmp";
  if (!t.endsWith('/')) t += '/';
  return S(t);
}

std::string QtHost::ProgramFolder() { return S(QCoreApplication::applicationDirPath()); }

std::string QtHost::CommandLine() {
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  return S(args.join(' '));
}

void QtHost::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (window_) window_->setWindowTitle(Q(caption));
}

WindowPlacement QtHost::GetPlacement() {
  WindowPlacement p;
  if (!window_) return p;
  p.state = window_->isMinimized() ? 1 : window_->isMaximized() ? 2 : 0;
  QRect frame = window_->frameGeometry();
  p.top = frame.top() * kTwipsPerPixel;
  p.left = frame.left() * kTwipsPerPixel;
  p.width = frame.width() * kTwipsPerPixel;
  p.height = frame.height() * kTwipsPerPixel;
  return p;
}

void QtHost::SetWindowState(int state) {
  if (!window_) return;
  if (state == 1) {
    window_->setWindowState(Qt::WindowMinimized);
  } else if (state == 2) {
    window_->setWindowState(Qt::WindowMaximized);
  } else {
    window_->setWindowState(Qt::WindowNoState);
  }
}

void QtHost::SetWindowTop(int twips) {
  if (window_) window_->move(window_->frameGeometry().left(), twips / kTwipsPerPixel);
}

void QtHost::SetWindowLeft(int twips) {
  if (window_) window_->move(twips / kTwipsPerPixel, window_->frameGeometry().top());
}

void QtHost::SetWindowWidth(int twips) {
  if (!window_) return;
  int frameExtra = window_->frameGeometry().width() - window_->width();
  window_->resize(std::max(1, twips / kTwipsPerPixel - frameExtra), window_->height());
}

void QtHost::SetWindowHeight(int twips) {
  if (!window_) return;
  int frameExtra = window_->frameGeometry().height() - window_->height();
  window_->resize(window_->width(), std::max(1, twips / kTwipsPerPixel - frameExtra));
}

void QtHost::CloseWindow() {
  if (window_) window_->close();
}

void QtHost::SetPointer(PointerShape shape) {
  if (onPointer) onPointer(shape);
}

void QtHost::FocusBottomBar() {
  if (onFocusBottomBar) onFocusBottomBar();
}

void QtHost::DoEvents() { QCoreApplication::processEvents(); }

bool QtHost::ShellExecute(const std::string& target, const std::string& arguments, const std::string& workingFolder) {
  QFileInfo info(Q(target));
  const QString folder = Q(workingFolder);
  if (info.isFile() && info.isExecutable() &&
      QProcess::startDetached(Q(target), QProcess::splitCommand(Q(arguments)), folder))
    return true;
  if (!info.exists()) return QDesktopServices::openUrl(QUrl(Q(target)));
  // A file the system cannot run itself (a game installed for a Windows compatibility layer)
  // goes to the desktop's handler, started in the working folder so the program finds its files.
  const QString opener = QStandardPaths::findExecutable("xdg-open");
  if (!opener.isEmpty()) return QProcess::startDetached(opener, {info.absoluteFilePath()}, folder);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}


void QtHost::ShowImportDialog(ImportDialog& dialog) {
  ModalScope modal(*this);
  ImportDialogWidget widget(dialog, window_ ? window_.data() : QApplication::activeWindow());
  widget.exec();
}

void QtHost::ShowAbout(AboutBox& about) {
  ModalScope modal(*this);
  AboutDialog widget(about, window_ ? window_.data() : QApplication::activeWindow());
  widget.exec();
}

std::optional<std::string> QtHost::ChooseTexture(const TextureChoice& choice) {
  TextureDialog widget(choice, window_ ? window_.data() : QApplication::activeWindow());
  bool chosen = false;
  {
    ModalScope modal(*this);
    chosen = widget.exec() == QDialog::Accepted;
  }
  return chosen ? widget.Chosen() : std::nullopt;
}

double QtHost::Random() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }

}  // namespace quorvel
