// The spare window: created with the others, never shown.
#pragma once

#include "ui/Control.h"
#include "ui/ImageButton.h"

namespace zv::app {

class TForm3 {
public:
    TForm3();
    ui::Form& Window() { return form_; }
    void LMDSpeedButton1Click();
    ui::ImageButton* LMDSpeedButton1 = nullptr;
    // Set by whoever hosts the window.
    std::function<void()> hide;

private:
    ui::Form form_{"Form3", 640, 480};
};

} // namespace zv::app
