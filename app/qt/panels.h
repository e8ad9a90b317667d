// The side panel's bevelled status panels and etched frames, painted by the program itself at
// the client area's zoom.
#pragma once

#include <QGroupBox>
#include <QLabel>

namespace app {

// A rounded panel with a soft bevel: sunken, its top left edge dark and its bottom right light,
// or raised the other way round. Its text is centred in its own color.
class BevelPanel : public QLabel {
public:
    BevelPanel(bool raised, QColor text, QWidget* parent);

    // Border and corners scaled with the client area.
    void set_scale(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool raised_;
    double scale_ = 1.0;
};

// A frame etched into the panel, whose caption sits in its top line, the line running through
// the caption's middle so that it passes above the first row of controls.
class EtchedFrame : public QGroupBox {
public:
    EtchedFrame(const QString& caption, QWidget* parent);

    void set_scale(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double scale_ = 1.0;
    // The caption's place, in logical pixels.
    int line_ = 1;
    int indent_ = 6;
};

} // namespace app
