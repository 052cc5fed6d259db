// The values start-up reads from the settings store (window placement and the recent files),
// whatever a damaged or hand-edited store holds.
#include "fuzz_support.h"
#include "app/lifecycle.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::Session s;
  static const char* const keys[] = {"Windows/State", "Windows/Top", "Windows/Left", "Windows/Width",
                                     "Windows/Height", "Recent/0", "Recent/1", "Recent/2", "Recent/3", "Recent/4"};
  s.ed = std::make_unique<Editor>();
  s.ed->host = &s.host;
  s.ed->canvas = &s.canvas;
  s.host.settings.clear();
  // The input is the ten values one after another, each ended by a zero byte.
  size_t k = 0;
  std::string value;
  for (size_t i = 0; i < size && k < std::size(keys); ++i) {
    if (data[i] == 0) {
      s.host.settings[keys[k++]] = value;
      value.clear();
    } else {
      value.push_back(char(data[i]));
    }
  }
  if (k < std::size(keys)) s.host.settings[keys[k]] = value;
  Form_Load(*s.ed);
  Form_Activate(*s.ed);
  for (int i = 0; i < 5; ++i) MenuRekentti_Click(*s.ed, i);
  Form_Unload(*s.ed);
  s.host.messages.clear();
  return 0;
}
