// The spare window: created with the others, never shown.
#pragma once

#include "app/Windows.h"
#include "ui/Control.h"
#include "ui/ImageButton.h"

namespace zv::app {

class TForm3 {
public:
    explicit TForm3(Windows& windows);
    ui::Form& Window() { return form_; }
    void LMDSpeedButton1Click();
    ui::ImageButton* LMDSpeedButton1 = nullptr;
private:
    Windows& windows_;
    ui::Form form_{"Form3", 640, 480};
};

} // namespace zv::app
