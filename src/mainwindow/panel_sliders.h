#pragma once
// The three image sliders of the settings panel, as the panel sees them. The window shell
// implements this over its CBitSlider children; tests use a fake.

#include "controls/canvas.h"
#include "controls/slider_geometry.h"

namespace talvex {

// The values are the sliders' control ids, which their move notifications carry.
enum class SliderId {
    Speed = kSpeedSliderId,
    Brightness = kBrightnessSliderId,
    ReportRate = kReportRateSliderId,
};

class PanelSliders {
public:
    virtual ~PanelSliders() = default;
    virtual int position(SliderId id) const = 0;
    virtual void setPosition(SliderId id, int position) = 0;
    virtual void setVisible(SliderId id, bool visible) = 0;
    // Moves the slider's top-left corner to the main-window point and reloads its track images.
    virtual void moveTo(SliderId id, int x, int y) = 0;
    // Draws the slider's filled and empty track and its thumb onto the main window's canvas.
    virtual void draw(SliderId id, Canvas& canvas) = 0;
};

} // namespace talvex
