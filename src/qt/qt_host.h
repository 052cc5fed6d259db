#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>
#include <random>

#include "document/host.h"

namespace quorvel {

// The desktop behind the core: Qt dialogs, QSettings, the window's placement and pointer.
class QtHost : public Host {
 public:
  QtHost();

  // The main window whose placement, caption and closing the host controls.
  void SetWindow(QWidget* window) { window_ = window; }
  std::function<void(PointerShape)> onPointer;
  std::function<void()> onFocusBottomBar;
  // Called as a modal dialog opens, while the handler that opened it waits for the user.
  std::function<void()> beforeModal;

  MsgResult MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override;
  SaveChoice AskSaveChanges(const std::string& text, const std::string& title) override;
  RecoveryChoice AskRecovery(const std::string& text, const std::string& title) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& initial) override;
  std::optional<uint32_t> ChooseColour(uint32_t initial) override;
  std::string OpenFileDialog(const FileDialogRequest& request) override;
  std::string SaveFileDialog(const FileDialogRequest& request) override;
  std::string GetSetting(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  void SaveSetting(const std::string& section, const std::string& key, const std::string& value) override;
  std::string SystemTempPath() override;
  std::string ProgramFolder() override;
  std::string CommandLine() override;
  void SetCaption(const std::string& caption) override;
  // The caption the core gave last.
  const std::string& Caption() const { return caption_; }
  WindowPlacement GetPlacement() override;
  void SetWindowState(int state) override;
  void SetWindowTop(int twips) override;
  void SetWindowLeft(int twips) override;
  void SetWindowWidth(int twips) override;
  void SetWindowHeight(int twips) override;
  void CloseWindow() override;
  void SetPointer(PointerShape shape) override;
  void FocusBottomBar() override;
  void DoEvents() override;
  bool ShellExecute(const std::string& target, const std::string& arguments,
                    const std::string& workingFolder) override;
  bool BringToFront(const std::string& windowTitle) override;
  double Random() override;
  void ShowImportDialog(ImportDialog& dialog) override;
  void ShowAbout(AboutBox& about) override;
  std::optional<std::string> ChooseTexture(const TextureChoice& choice) override;

 private:
  // Around every modal dialog: the map is kept for a crash while the dialog waits, and the main
  // window has the keyboard again once it closes, so its shortcuts work at once.
  class ModalScope {
   public:
    explicit ModalScope(QtHost& host) : host_(host) {
      if (host_.beforeModal) host_.beforeModal();
    }
    ~ModalScope() { host_.RefocusWindow(); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    QtHost& host_;
  };
  void RefocusWindow();
  QPointer<QWidget> window_;
  std::string caption_;
  std::mt19937_64 rng_;
};

// "Description (*.ext)|*.EXT" as a Qt name filter that matches the extension in either case.
QString QtNameFilter(const std::string& filter);

}  // namespace quorvel
