// The spare window.
#include "app/Unit3.h"

namespace zv::app {

TForm3::TForm3() {
    form_.SetColour({151, 179, 185, 255});
    LMDSpeedButton1 = &form_.Add<ui::ImageButton>("LMDSpeedButton1");
    LMDSpeedButton1->SetBounds(288, 144, 23, 22);
    LMDSpeedButton1->OnClick = [this] { LMDSpeedButton1Click(); };
}

void TForm3::LMDSpeedButton1Click() {
    if (hide) hide();
}

} // namespace zv::app
