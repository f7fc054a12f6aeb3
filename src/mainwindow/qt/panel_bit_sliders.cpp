#include "mainwindow/qt/panel_bit_sliders.h"

namespace talvex {

namespace {

CBitSlider* makeSlider(QWidget* window, SliderId id, int maximum, int position, int x, int y,
                       const std::function<void(SliderId)>& onMoved) {
    auto* slider = new CBitSlider(static_cast<int>(id), window);
    slider->setUp();
    slider->setRange(0, maximum);
    slider->setValue(position);
    slider->move(x, y);
    slider->loadImages();
    // The panel shows a slider when it draws it.
    slider->hide();
    QObject::connect(slider, &CBitSlider::notify, slider, [onMoved, id](int) { onMoved(id); });
    return slider;
}

} // namespace

PanelBitSliders::PanelBitSliders(QWidget* window, std::function<void(SliderId)> onMoved)
    : speed_(makeSlider(window, SliderId::Speed, 9, 0, 28, 303, onMoved)),
      brightness_(makeSlider(window, SliderId::Brightness, 50, 1, 28, 260, onMoved)),
      reportRate_(makeSlider(window, SliderId::ReportRate, 3, 1, 28, 530, onMoved)) {}

CBitSlider* PanelBitSliders::slider(SliderId id) const {
    switch (id) {
    case SliderId::Speed:
        return speed_;
    case SliderId::Brightness:
        return brightness_;
    case SliderId::ReportRate:
        break;
    }
    return reportRate_;
}

int PanelBitSliders::position(SliderId id) const {
    return slider(id)->value();
}

void PanelBitSliders::setPosition(SliderId id, int position) {
    slider(id)->setValue(position);
}

void PanelBitSliders::setVisible(SliderId id, bool visible) {
    slider(id)->setVisible(visible);
}

void PanelBitSliders::moveTo(SliderId id, int x, int y) {
    slider(id)->move(x, y);
    slider(id)->loadImages();
}

void PanelBitSliders::draw(SliderId id, Canvas& canvas) {
    slider(id)->drawOnOwner(canvas);
}

} // namespace talvex
