// The spare window.
#include "app/Unit3.h"

#include "app/Layout.h"
#include "view/Palette.h"

namespace zv::app {

TForm3::TForm3(Windows& windows) : windows_(windows) {
    form_.SetColour(view::kWindowFace);
    LMDSpeedButton1 = BuildControls(form_, SpareWindowLayout()).Get<ui::ImageButton>("LMDSpeedButton1");
    LMDSpeedButton1->OnClick = [this] { LMDSpeedButton1Click(); };
}

void TForm3::LMDSpeedButton1Click() {
    windows_.Hide(WindowId::Spare);
}

} // namespace zv::app
