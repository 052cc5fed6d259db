// Every file the editor writes, made to fail the ways a disk refuses a file. Each case: what was
// on disk stays whole, the user hears one message naming the file and the reason (none where the
// failure is harmless), and the map in memory is as it was and can still be saved elsewhere.
//
// The tests may run as root, which ignores permission bits. A folder that cannot be written is
// therefore a path below a regular file (the system refuses it with "Not a directory" for
// everyone); the game's files are made read-only with their permission bits, which the editor
// itself honours. A full disk is a file-size limit (RLIMIT_FSIZE) that makes the write fail part
// way. A file that vanishes is removed before the command runs: the code no longer tests for a
// file before reading it, so that is the same as vanishing between a test and the read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"
#include "app/lifecycle.h"
#include "app/run_game.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// The editor's own folder inside the temporary folder, and the backup copies of keep.pmp and
// big.pmp in it.
const std::string kPrivate = "tmp/quorvel-" + std::to_string(::geteuid());
const std::string kBackupCopy = kPrivate + "/backup-keep.pmp";
const std::string kBigBackup = kPrivate + "/backup-big.pmp";
const char* const kBackup = kBackupCopy.c_str();
const std::string kBackupInside = kBackupCopy + "/inside";

class FaultInjection : public fixtures::ShellTest {
 protected:
  // One case's world: a map opened from the game's map folder, an older backup, the game's map
  // list and settings, and a prefab, all under their own folder.
  void Prepare(const fs::path& root) {
    host = fixtures::ScriptedHost{};
    host.tempPath = (root / "tmp").string() + "/";
    host.programFolder = (root / "game" / "Quorvel").string();
    fs::create_directories(root / "tmp");
    fs::create_directories(root / "game" / "Quorvel" / "Prefab");
    fs::create_directories(root / "game" / "MAPS");
    Put(root / "game" / "Zarnok.exe", "exe");
    fs::create_directories(root / kPrivate);
    fs::permissions(root / kPrivate, fs::perms::owner_all);
    Put(root / kBackup, "old backup");
    Put(root / "game" / "mapslist.txt", "OLD\r\n");
    Put(root / "game" / "zarnok.ini", "[GAME]\r\nGameStyle=0\r\n");
    Put(root / "game" / "Quorvel" / "Prefab" / "old.pre", "old prefab");
    Put(root / "game" / "MAPS" / "other.pmp", "other map");
    MapDocument doc = fixtures::NewMap();
    fixtures::AddTriangle(doc, 0, 0, 0, 10, 10, 0);
    fixtures::AddSpawn(doc, 5, 5);
    std::vector<uint8_t> bytes;
    EncodeMap(doc, nullptr, bytes);
    Put(root / "game" / "MAPS" / "keep.pmp", std::string(bytes.begin(), bytes.end()));
    ed = std::make_unique<Editor>();
    ed->host = &host;
    Start();
    OpenByPath(*ed, (root / "game" / "MAPS" / "keep.pmp").string());
    host.messages.clear();
  }
  static void Put(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }
  static void FolderAt(const fs::path& p) {
    fs::remove(p);
    Put(p / "inside", "inside");
  }
  // A listening socket at the path, in place of whatever was there; closed with the test.
  void BindSocket(const fs::path& p) {
    fs::remove(p);
    sockets.emplace_back(::socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(p.string().size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, p.c_str(), p.string().size() + 1);
    ASSERT_EQ(::bind(sockets.back(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  void TearDown() override {
    for (int s : sockets) ::close(s);
    ShellTest::TearDown();
  }
  // A pipe with a reader on the other end that keeps all that comes through.
  struct PipeReader {
    int fd = -1;
    std::atomic<bool> writerDone{false};
    std::vector<uint8_t> received;
    std::thread thread;
    void Open(const fs::path& p) {
      ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
      // Open without waiting, so the writer finds a reader; end of file counts only once the
      // command has returned (before the writer opens, a read also returns nothing).
      fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK);
      ASSERT_GE(fd, 0);
      writerDone = false;
      received.clear();
      thread = std::thread([this] {
        uint8_t buf[65536];
        for (;;) {
          const ssize_t n = ::read(fd, buf, sizeof buf);
          if (n > 0) {
            received.insert(received.end(), buf, buf + n);
          } else if (n == 0 && writerDone) {
            break;
          } else {
            pollfd wait{fd, POLLIN, 0};
            ::poll(&wait, 1, 10);
          }
        }
      });
    }
    std::vector<uint8_t> Close() {
      writerDone = true;
      thread.join();
      ::close(fd);
      return received;
    }
  };
  PipeReader pipe;
  std::vector<int> sockets;
};

void Save(Editor& ed) { MenuSave_Click(ed); }
void SaveAs(Editor& ed) { MenuSaveAs_Click(ed); }
void Export(Editor& ed) { MenuExport_Click(ed); }
void RunGame(Editor& ed) { MenuRunZarnok_Click(ed); }

TEST_F(FaultInjection, EveryWrittenFileSurvivesEveryFault) {
  constexpr const char* kNotADirectory = "Not a directory";
  constexpr const char* kFolder = "it is a folder";
  constexpr const char* kTooLarge = "File too large";
  constexpr const char* kMissing = "No such file or directory";
  constexpr const char* kReadOnly = "it is read-only";
  constexpr const char* kFull = "No space left on device";
  constexpr const char* kSocket = "it is a socket";
  struct Case {
    const char* name;
    void (*act)(Editor&);
    std::function<void(const fs::path& root)> fault;  // also answers the file dialog
    std::vector<const char*> guarded;                   // files whose bytes must not change
    const char* named;   // the file the one message names; nullptr: no message
    const char* reason;
    const char* title;
    rlim_t sizeLimit;    // 0: none
    const char* written; // a map the command still writes, despite the fault
    bool succeeds = false;  // the command does what was asked: the document may change
    std::function<void(const fs::path& root)> after = nullptr;  // more checks once it ran
  };
  // Without a folder of its own the editor says so once and saves without a backup copy.
  const std::string kUnusableFolder = "tmpfile/quorvel-" + std::to_string(::geteuid());
  auto answer = [this](const fs::path& root, const char* rel) { host.saveAnswers = {(root / rel).string()}; };
  const std::vector<Case> cases = {
      {"save: folder not writable", Save,
       [&](const fs::path& root) { ed->doc.info.fileName = (root / "game/MAPS/keep.pmp/keep.pmp").string(); },
       {"game/MAPS/keep.pmp", kBackup}, "game/MAPS/keep.pmp/keep.pmp", kNotADirectory, "File error", 0, nullptr},
      {"save: the file is now a folder", Save, [&](const fs::path& root) { FolderAt(root / "game/MAPS/keep.pmp"); },
       {"game/MAPS/keep.pmp/inside", kBackup}, "game/MAPS/keep.pmp", kFolder, "File error", 0, nullptr},
      {"save: disk full", Save, [](const fs::path&) {}, {"game/MAPS/keep.pmp", kBackup},
       "game/MAPS/keep.pmp", kTooLarge, "File error", 4096, nullptr},
      {"save: its folder vanished", Save, [](const fs::path& root) { fs::remove_all(root / "game/MAPS"); },
       {kBackup}, "game/MAPS/keep.pmp", kMissing, "File error", 0, nullptr},

      {"save as: folder not writable", SaveAs, [&](const fs::path& root) { answer(root, "game/MAPS/other.pmp/new.pmp"); },
       {"game/MAPS/other.pmp", kBackup}, "game/MAPS/other.pmp/new.pmp", kNotADirectory, "File error", 0, nullptr},
      {"save as: a folder chosen", SaveAs,
       [&](const fs::path& root) {
         FolderAt(root / "game/MAPS/folder.pmp");
         answer(root, "game/MAPS/folder.pmp");
       },
       {"game/MAPS/folder.pmp/inside", kBackup}, "game/MAPS/folder.pmp", kFolder, "File error", 0, nullptr},
      {"save as: disk full", SaveAs, [&](const fs::path& root) { answer(root, "game/MAPS/other.pmp"); },
       {"game/MAPS/other.pmp"}, "game/MAPS/other.pmp", kTooLarge, "File error", 4096, nullptr},
      {"save as: the chosen folder vanished", SaveAs, [&](const fs::path& root) { answer(root, "gone/new.pmp"); },
       {kBackup}, "gone/new.pmp", kMissing, "File error", 0, nullptr},

      {"export: folder not writable", Export,
       [&](const fs::path& root) { answer(root, "game/Quorvel/Prefab/old.pre/new.pre"); },
       {"game/Quorvel/Prefab/old.pre"}, "game/Quorvel/Prefab/old.pre/new.pre", kNotADirectory, "File error", 0, nullptr},
      {"export: a folder chosen", Export,
       [&](const fs::path& root) {
         FolderAt(root / "game/Quorvel/Prefab/folder.pre");
         answer(root, "game/Quorvel/Prefab/folder.pre");
       },
       {"game/Quorvel/Prefab/folder.pre/inside"}, "game/Quorvel/Prefab/folder.pre", kFolder, "File error", 0, nullptr},
      {"export: disk full", Export, [&](const fs::path& root) { answer(root, "game/Quorvel/Prefab/old.pre"); },
       {"game/Quorvel/Prefab/old.pre"}, "game/Quorvel/Prefab/old.pre", kTooLarge, "File error", 64, nullptr},
      {"export: the chosen folder vanished", Export,
       [&](const fs::path& root) { answer(root, "game/Quorvel/Gone/new.pre"); }, {}, "game/Quorvel/Gone/new.pre",
       kMissing, "File error", 0, nullptr},

      // The backup copy: the save itself goes on, and the user learns the old version was not kept.
      {"backup: temporary folder not writable", Save,
       [&](const fs::path& root) {
         Put(root / "tmpfile", "a file");
         host.tempPath = (root / "tmpfile").string() + "/";
       },
       {"tmpfile"}, kUnusableFolder.c_str(), kNotADirectory, "Warning", 0, "game/MAPS/keep.pmp"},
      // Someone put a link where the editor's own folder belongs: nothing is written through it.
      {"backup: its folder is a planted link", Save,
       [&](const fs::path& root) {
         fs::remove_all(root / kPrivate);
         fs::create_directories(root / "planted");
         fs::create_directory_symlink(root / "planted", root / kPrivate);
       },
       {"planted/backup-keep.pmp"}, kPrivate.c_str(), "it is a link", "Warning", 0, "game/MAPS/keep.pmp"},
      {"backup: its folder is open to others", Save,
       [&](const fs::path& root) { fs::permissions(root / kPrivate, fs::perms::all); },
       {kBackup}, kPrivate.c_str(), "other users can reach it", "Warning", 0, "game/MAPS/keep.pmp"},
      {"backup: the backup copy is a folder", Save, [](const fs::path& root) { FolderAt(root / kBackup); },
       {kBackupInside.c_str()}, kBackup, kFolder, "File error", 0, "game/MAPS/keep.pmp"},
      {"backup: disk full", SaveAs,
       [&](const fs::path& root) {
         Put(root / "game/MAPS/big.pmp", std::string(1000000, 'b'));  // larger than a map: only its copy fails
         Put(root / kBigBackup, "old backup");
         answer(root, "game/MAPS/big.pmp");
       },
       {kBigBackup.c_str()}, kBigBackup.c_str(), kTooLarge, "File error", 600000, "game/MAPS/big.pmp"},
      {"backup: its source vanished", Save, [](const fs::path& root) { fs::remove(root / "game/MAPS/keep.pmp"); },
       {kBackup}, nullptr, nullptr, nullptr, 0, "game/MAPS/keep.pmp"},

      {"map list: read-only", RunGame,
       [](const fs::path& root) { fs::permissions(root / "game/mapslist.txt", fs::perms::owner_read); },
       {"game/mapslist.txt"}, "game/mapslist.txt", kReadOnly, "Run error", 0, nullptr},
      {"map list: a folder", RunGame, [](const fs::path& root) { FolderAt(root / "game/mapslist.txt"); },
       {"game/mapslist.txt/inside"}, "game/mapslist.txt", kFolder, "Run error", 0, nullptr},
      {"map list: disk full", RunGame, [](const fs::path&) {}, {"game/mapslist.txt"}, "game/mapslist.txt", kTooLarge,
       "Run error", 2, nullptr},

      // "GameStyle" 3 for a map whose name does not begin "CTF_": the editor writes 0.
      {"game ini: read-only", RunGame,
       [](const fs::path& root) {
         Put(root / "game/zarnok.ini", "[GAME]\r\nGameStyle=3\r\n");
         fs::permissions(root / "game/zarnok.ini", fs::perms::owner_read);
       },
       {"game/zarnok.ini"}, "game/zarnok.ini", kReadOnly, "Run error", 0, nullptr},
      {"game ini: a folder", RunGame, [](const fs::path& root) { FolderAt(root / "game/zarnok.ini"); },
       {"game/zarnok.ini/inside"}, "game/zarnok.ini", kFolder, "Run error", 0, nullptr},
      {"game ini: disk full", RunGame,
       [](const fs::path& root) { Put(root / "game/zarnok.ini", "[GAME]\r\nGameStyle=3\r\n"); },
       {"game/zarnok.ini"}, "game/zarnok.ini", kTooLarge, "Run error", 10, nullptr},  // the 6-byte map list fits
      // Outputs that are no plain file are never replaced by one: a device or a pipe is written
      // into, a socket is refused, a link is written through and stays a link.
      {"save as: /dev/null", SaveAs, [&](const fs::path&) { host.saveAnswers = {"/dev/null"}; }, {kBackup},
       nullptr, nullptr, nullptr, 0, nullptr, true, [](const fs::path&) { EXPECT_TRUE(fs::is_character_file("/dev/null")); }},
      {"save as: /dev/full", SaveAs, [&](const fs::path&) { host.saveAnswers = {"/dev/full"}; }, {kBackup},
       "/dev/full", kFull, "File error", 0, nullptr, false,
       [](const fs::path&) { EXPECT_TRUE(fs::is_character_file("/dev/full")); }},
      {"export: /dev/full", Export, [&](const fs::path&) { host.saveAnswers = {"/dev/full"}; }, {}, "/dev/full", kFull,
       "File error", 0, nullptr, false, [](const fs::path&) { EXPECT_TRUE(fs::is_character_file("/dev/full")); }},
      {"save as: a pipe", SaveAs,
       [&](const fs::path& root) {
         pipe.Open(root / "game/MAPS/pipe.pmp");
         answer(root, "game/MAPS/pipe.pmp");
       },
       {kBackup}, nullptr, nullptr, nullptr, 0, nullptr, true,
       [&](const fs::path& root) {
         EXPECT_EQ(pipe.Close().size(), kMapFileSize);
         EXPECT_TRUE(fs::is_fifo(root / "game/MAPS/pipe.pmp"));
       }},
      {"save as: a socket", SaveAs,
       [&](const fs::path& root) {
         BindSocket(root / "game/MAPS/socket.pmp");
         answer(root, "game/MAPS/socket.pmp");
       },
       {kBackup}, "game/MAPS/socket.pmp", kSocket, "File error", 0, nullptr, false,
       [](const fs::path& root) { EXPECT_TRUE(fs::is_socket(root / "game/MAPS/socket.pmp")); }},
      {"export: a socket", Export,
       [&](const fs::path& root) {
         BindSocket(root / "game/Quorvel/Prefab/socket.pre");
         answer(root, "game/Quorvel/Prefab/socket.pre");
       },
       {}, "game/Quorvel/Prefab/socket.pre", kSocket, "File error", 0, nullptr, false,
       [](const fs::path& root) { EXPECT_TRUE(fs::is_socket(root / "game/Quorvel/Prefab/socket.pre")); }},
      {"backup: the backup copy is a socket", Save, [&](const fs::path& root) { BindSocket(root / kBackup); }, {},
       kBackup, kSocket, "File error", 0, "game/MAPS/keep.pmp", true,
       [](const fs::path& root) { EXPECT_TRUE(fs::is_socket(root / kBackup)); }},
      {"save: the map is a link", Save,
       [](const fs::path& root) {
         fs::create_directories(root / "game/real");
         fs::rename(root / "game/MAPS/keep.pmp", root / "game/real/keep.pmp");
         fs::create_symlink("../real/keep.pmp", root / "game/MAPS/keep.pmp");
       },
       {}, nullptr, nullptr, nullptr, 0, "game/real/keep.pmp", true,
       [](const fs::path& root) {
         EXPECT_TRUE(fs::is_symlink(root / "game/MAPS/keep.pmp"));
         EXPECT_EQ(fs::read_symlink(root / "game/MAPS/keep.pmp"), "../real/keep.pmp");
       }},
      {"game ini: vanished", RunGame, [](const fs::path& root) { fs::remove(root / "game/zarnok.ini"); }, {}, nullptr,
       nullptr, nullptr, 0, nullptr},
  };

  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path root = dir / ("case" + std::to_string(index++));
    Prepare(root);
    c.fault(root);
    std::vector<std::vector<uint8_t>> guardedBefore;
    for (const char* g : c.guarded) guardedBefore.push_back(ReadFile((root / g).string()));
    std::vector<uint8_t> docBefore;
    EncodeMap(ed->doc, nullptr, docBefore);
    const std::string fileNameBefore = ed->doc.info.fileName;

    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (c.sizeLimit) {
      rlimit limit = old;
      limit.rlim_cur = c.sizeLimit;
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    c.act(*ed);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    for (size_t i = 0; i < c.guarded.size(); ++i)
      EXPECT_EQ(ReadFile((root / c.guarded[i]).string()), guardedBefore[i]) << c.guarded[i] << " changed";
    if (c.named) {
      ASSERT_EQ(host.messages.size(), 1u) << host.LastMessage();
      EXPECT_EQ(host.messages[0].title, c.title);
      EXPECT_NE(host.messages[0].text.find((root / c.named).string()), std::string::npos) << host.messages[0].text;
      EXPECT_NE(host.messages[0].text.find(std::string(": ") + c.reason + "."), std::string::npos)
          << host.messages[0].text;
    } else {
      EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    }
    if (c.after) c.after(root);
    if (c.written) {
      EXPECT_EQ(ReadFile((root / c.written).string()).size(), kMapFileSize);
    } else if (!c.succeeds) {
      std::vector<uint8_t> docAfter;
      EncodeMap(ed->doc, nullptr, docAfter);
      EXPECT_TRUE(docAfter == docBefore) << "the document changed";
      EXPECT_EQ(ed->doc.info.fileName, fileNameBefore);
    }
    if (c.act == RunGame) {
      EXPECT_EQ(host.executed.size(), 1u);  // the game starts all the same
    }
    for (const auto& e : fs::recursive_directory_iterator(root))
      EXPECT_EQ(e.path().filename().string().find(".saving-"), std::string::npos) << e.path();

    // Still savable elsewhere.
    host.messages.clear();
    host.saveAnswers = {(root / "elsewhere.pmp").string()};
    MenuSaveAs_Click(*ed);
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    MapDocument back;
    auto saved = ReadFile((root / "elsewhere.pmp").string());
    ASSERT_EQ(saved.size(), kMapFileSize);
    DecodeMap(saved, back, nullptr);
    EXPECT_EQ(back.polygonLast, 0);
    EXPECT_EQ(back.spawnLast, 0);
  }
}

}  // namespace
}  // namespace quorvel
