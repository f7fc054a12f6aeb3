#pragma once
// The settings panel's three sliders as CBitSlider children of the main window.

#include "controls/qt/bit_slider.h"
#include "mainwindow/panel_sliders.h"

#include <QWidget>

#include <functional>

namespace talvex {

class PanelBitSliders final : public PanelSliders {
public:
    // Creates the sliders on `window` at their start-up places with their ranges and start
    // positions; `onMoved` hears every move notification.
    PanelBitSliders(QWidget* window, std::function<void(SliderId)> onMoved);

    int position(SliderId id) const override;
    void setPosition(SliderId id, int position) override;
    void setVisible(SliderId id, bool visible) override;
    void moveTo(SliderId id, int x, int y) override;
    void draw(SliderId id, Canvas& canvas) override;

    CBitSlider* slider(SliderId id) const;

private:
    CBitSlider* speed_;
    CBitSlider* brightness_;
    CBitSlider* reportRate_;
};

} // namespace talvex
