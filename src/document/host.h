#pragma once
// Everything the desktop provides to the core. The Qt build implements it with message boxes,
// dialogs, QSettings and QProcess; tests use a scripted host.
#include <cstdint>
#include <optional>
#include <string>

namespace quorvel {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo };  // with YesNo, Ok stands for Yes and Cancel for No
enum class MsgResult { Ok, Cancel };
// The answers to the question about unsaved changes.
enum class SaveChoice { Save, Discard, Cancel };
// The answers to the offer of a map kept from an editor that stopped unexpectedly.
enum class RecoveryChoice { Open, Discard, Later };

struct ImportDialog;
struct AboutBox;
struct TextureChoice;

enum class PointerShape { Default, Cross, SizeAll, SizeNWSE };

// Flags of the common file dialogs.
enum FileDialogFlag : unsigned {
  kOverwritePrompt = 1u << 0,
  kPathMustExist = 1u << 1,
  kFileMustExist = 1u << 2,
  kNoReadOnlyReturn = 1u << 3,
  kHideReadOnly = 1u << 4,
  kNoChangeDir = 1u << 5,
};

struct FileDialogRequest {
  std::string initialFolder;
  std::string presetName;
  std::string filter;  // "Description (*.ext)|*.EXT"
  unsigned flags = 0;
};

// Window placement in twips (1/1440 inch), as the settings store keeps it.
struct WindowPlacement {
  int state = 0;  // 0 normal, 1 minimised, 2 maximised
  int top = 0, left = 0, width = 0, height = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  virtual MsgResult MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                               MsgButtons buttons) = 0;
  // Asks whether to save the map's unsaved changes before they are dropped: a question with
  // the buttons Save, Discard and Cancel.
  virtual SaveChoice AskSaveChanges(const std::string& text, const std::string& title) = 0;
  // Offers a kept map: a question with the buttons Open, Discard and Later. A host that cannot
  // ask keeps every file for later.
  virtual RecoveryChoice AskRecovery(const std::string& /*text*/, const std::string& /*title*/) {
    return RecoveryChoice::Later;
  }
  // Returns nothing when the user cancels.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& initial) = 0;
  // Colour values are 0x00BBGGRR; nothing when cancelled.
  virtual std::optional<uint32_t> ChooseColour(uint32_t initial) = 0;
  // Both return "" when cancelled.
  virtual std::string OpenFileDialog(const FileDialogRequest& request) = 0;
  virtual std::string SaveFileDialog(const FileDialogRequest& request) = 0;

  virtual std::string GetSetting(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) = 0;
  virtual void SaveSetting(const std::string& section, const std::string& key, const std::string& value) = 0;

  // The system's temporary folder as the system gives it ("" when it has none).
  virtual std::string SystemTempPath() = 0;
  // The folder the program runs from, without a trailing separator.
  virtual std::string ProgramFolder() = 0;
  virtual std::string CommandLine() = 0;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual WindowPlacement GetPlacement() = 0;
  virtual void SetWindowState(int state) = 0;
  virtual void SetWindowTop(int twips) = 0;
  virtual void SetWindowLeft(int twips) = 0;
  virtual void SetWindowWidth(int twips) = 0;
  virtual void SetWindowHeight(int twips) = 0;
  virtual void CloseWindow() = 0;

  virtual void SetPointer(PointerShape shape) = 0;
  // Keyboard focus to the bottom bar, so keys reach the canvas's key handler.
  virtual void FocusBottomBar() = 0;
  virtual void DoEvents() = 0;

  // Start a program or open an address with the system's default handler; false on failure.
  virtual bool ShellExecute(const std::string& target, const std::string& arguments,
                            const std::string& workingFolder) = 0;
  virtual bool BringToFront(const std::string& windowTitle) = 0;

  // Uniform in [0, 1).
  virtual double Random() = 0;

  // The two modal dialogs of the shell. Their controls and handlers are plain data in the core
  // (app/import_dialog.h, app/about.h); the host shows the dialog, forwards the user's
  // actions to those handlers and returns once the dialog is closed.
  virtual void ShowImportDialog(ImportDialog& dialog) = 0;
  virtual void ShowAbout(AboutBox& about) = 0;

  // The texture chooser (panels/texture_choice.h): the listed images with a preview of each, and
  // a way to pick any other image file. The chosen file's path; nothing when cancelled (as by a
  // host that has no chooser).
  virtual std::optional<std::string> ChooseTexture(const TextureChoice& choice) {
    (void)choice;
    return std::nullopt;
  }
};

}  // namespace quorvel
