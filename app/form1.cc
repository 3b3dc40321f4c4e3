#include "app/form1.h"

#include <utility>

namespace quorvane::app {

Form1::Form1(Form1View& view, Form1Services services)
    : view_(view), services_(std::move(services)), reporter_(services_.boxes) {}

void Form1::Start() {
  Form_Load();
  if (ended_) return;
  view_.Show();
}

void Form1::Form_Unload() {
  ended_ = true;
  services_.exit.EndNow();
}

void Form1::ShowMessage(std::u16string_view text, int style) {
  services_.boxes.Show(text, appTitle_, style);
}

void Form1::EndProgram() {
  ended_ = true;
  services_.exit.EndNow();
}

}  // namespace quorvane::app
