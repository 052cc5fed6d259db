// Typing into the panel's two editable boxes on the real window, with clicks and keys sent to the
// window as the system sends them: the value reaches the core as typed, once, when Enter is
// pressed, and the refusals and the custom-size question hold on that path.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editing/tools.h"
#include "fixtures/map_builder.h"
#include "fixtures/qt_window.h"
#include "fixtures/quiet_qt_host.h"
#include "fixtures/window_input.h"
#include "qt/canvas_widget.h"
#include "qt/ikkuna.h"

namespace quorvel {
namespace {

// Message boxes recorded and answered from a queue (OK when it is empty).
class AnsweringHost : public fixtures::QuietQtHost {
 public:
  std::vector<std::string> titles, texts;
  std::deque<MsgResult> answers;
  MsgResult MessageBox(const std::string& text, const std::string& title, MsgIcon, MsgButtons) override {
    titles.push_back(title);
    texts.push_back(text);
    if (answers.empty()) return MsgResult::Ok;
    const MsgResult a = answers.front();
    answers.pop_front();
    return a;
  }
};

TEST(SidePanel, TypedValuesWithEnterThroughTheWindow) {
  auto ed = std::make_unique<Editor>();
  AnsweringHost host;
  Ikkuna window(*ed, host);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.windowHandle(), 2000));

  window.Run([](Editor& e) {
    SelectTool(e, 0);
    for (int i = 0; i < 2; ++i) {
      fixtures::AddScenery(e.doc, 0, 0, 2);
      fixtures::AddCollider(e.doc, 0, 0, 12);
      e.sel.selScenery[size_t(i)] = e.sel.selCollider[size_t(i)] = uint8_t(i);
    }
    e.sel.selSceneryLast = e.sel.selColliderLast = 1;
    e.sel.selLast = 3;
    e.RefreshPanels();
  });

  const char* kLimit = "Size is out of the limit.";
  const struct {
    const char* box;
    const char* typed;
    MsgResult answer;  // to a question, if one is asked
    const char* shown;
    const char* title;  // of the message box shown, "" for none
    int alpha;          // of both sceneries afterwards
    float radius;       // of both colliders afterwards
  } steps[] = {
      {"CBscenery2", "50", MsgResult::Ok, "50%", "", 128, 12},
      {"CBscenery2", "33", MsgResult::Ok, "33%", "", 84, 12},
      {"CBscenery2", "101", MsgResult::Ok, "100%", "Problem", 84, 12},
      {"CBcollider", "20", MsgResult::Cancel, "12", "Warning", 84, 12},
      {"CBcollider", "20", MsgResult::Ok, "20", "Warning", 84, 20},
      {"CBcollider", "1", MsgResult::Ok, "12", "Problem", 84, 20},
      {"CBcollider", "2", MsgResult::Ok, "2", "Warning", 84, 2},  // a size of its own, not the start of "24"
      {"CBcollider", "24", MsgResult::Ok, "24", "", 84, 24},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(std::string(s.box) + " " + s.typed);
    auto* box = window.CanvasArea()->Ppalkki()->findChild<QComboBox*>(s.box);
    ASSERT_NE(box, nullptr);
    const size_t told = host.titles.size();
    host.answers = {s.answer};
    fixtures::EnterThroughWindow(box, s.typed);
    EXPECT_EQ(box->currentText(), QString(s.shown));
    if (*s.title) {
      ASSERT_EQ(host.titles.size(), told + 1);  // asked or refused once
      EXPECT_EQ(host.titles.back(), s.title);
      if (std::string(s.title) == "Problem") {
        EXPECT_EQ(host.texts.back(), kLimit);
      }
    } else {
      EXPECT_EQ(host.titles.size(), told);
    }
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(ed->doc.scenery[size_t(i)].alpha, s.alpha);
      EXPECT_EQ(ed->doc.colliders[size_t(i)].radius, s.radius);
    }
  }
  window.close();
}

}  // namespace
}  // namespace quorvel
