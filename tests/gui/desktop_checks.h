// Checks of the real window as a desktop shows it, for the window test's child runs: the texts'
// contrast under the desktop's palette, and the board's grid at a screen scale.
#pragma once

#include <QColor>
#include <QPalette>
#include <QStringList>

class QImage;

namespace desktop_checks {

// The contrast of two colors, from 1 to 21, as the accessibility guidelines reckon it.
double contrast(const QColor& one, const QColor& other);
double luminance(const QColor& color);

// The commonest color of a picture: the ground of a caption.
QColor commonest(const QImage& picture);

// The contrast of a caption's text with its ground, from the pixels of its picture: the pixel
// that stands out most from the commonest color.
double caption_contrast(const QImage& picture);

// A dark palette, as a desktop's dark color scheme gives it.
QPalette dark_palette();

// What is wrong with the texts, round marks and buttons of the main window, the About window, a
// message box and every page of the help file under the application's palette; empty when
// nothing is.
QStringList contrast_faults(const QString& help_file);

// What is wrong with the board's grid in a picture of the client area at its described size,
// taken at the picture's device pixel ratio: lines of unequal widths, pitches that differ by more
// than a device pixel, blurred edges, a frame of unequal sides.
QStringList grid_faults(const QImage& client_area);

} // namespace desktop_checks
