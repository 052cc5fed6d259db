#pragma once
// A started editor with one-triangle letter prefabs in its Alphabet folder, and a host that also
// keeps what the input box and the colour dialog were opened with.
#include <filesystem>

#include "document/prefab_file.h"
#include "fixtures/map_builder.h"
#include "fixtures/shell_fixture.h"

namespace quorvel::testing_support {

struct RecordingHost : fixtures::ScriptedHost {
  std::vector<std::string> inputs;  // title | prompt | initial answer
  std::vector<uint32_t> colourStarts;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title, const std::string& initial) override {
    inputs.push_back(title + "|" + prompt + "|" + initial);
    return ScriptedHost::InputBox(prompt, title, initial);
  }
  std::optional<uint32_t> ChooseColour(uint32_t initial) override {
    colourStarts.push_back(initial);
    return ScriptedHost::ChooseColour(initial);
  }
};

class TextRig : public fixtures::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    dialogs.tempPath = host.tempPath;
    ed->host = &dialogs;
    std::filesystem::create_directories(ed->appFolder + "/Alphabet");
    // Far from where they end up: a is 10 x 20, b 6 x 20, c 8 x 30.
    Letter('a', Triangle(300, 50, 10, 20));
    Letter('b', Triangle(-40, 7, 6, 20));
    Letter('c', Triangle(0, 0, 8, 30));
  }
  static std::vector<uint8_t> Triangle(float x, float y, float w, float h) {
    MapDocument piece = fixtures::NewMap();
    fixtures::AddTriangle(piece, x, y, x + w, y + h, x, y + h);
    std::vector<uint8_t> bytes;
    EncodePrefab(piece, bytes);
    return bytes;
  }
  void Letter(unsigned char code, const std::vector<uint8_t>& bytes) {
    WriteFile("game/Quorvel/Alphabet/" + std::to_string(code) + ".pre", bytes);
  }
  RecordingHost dialogs;
};

}  // namespace quorvel::testing_support
