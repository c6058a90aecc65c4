// The program's two windows for its whole life: the main window and the completion
// dialog, with the presenter that shows the boxes and the dialog over them.
#pragma once

#include "dialog_presenter.h"
#include "finish_form.h"
#include "main_window.h"

namespace fluxeta::ui {

class ProgramWindows {
 public:
  ProgramWindows();

  // Shows the main window centred on the screen; the focus goes to Edit1.
  void ShowMainWindow();

  TForm1& Form1() { return form1_; }
  TFinishForm& FinishForm() { return finishForm_; }

 private:
  TFinishForm finishForm_;  // hidden until a run finishes
  DialogPresenter presenter_;
  TForm1 form1_;
};

}  // namespace fluxeta::ui
