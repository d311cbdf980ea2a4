#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

// The toolbar's button images, cut from the toolbar bitmap: 13 images of
// 16 x 15 pixels side by side; its light grey is the button face and shows
// the toolbar behind it.
class ToolbarImages {
public:
    static constexpr int kResource = 128;
    // The image after the bitmap's, drawn here: the Spectrum Chart's axes
    // and two spectra.
    static constexpr int kSpectrumChartImage = 13;
    static constexpr QSize kImageSize{16, 15};

    ToolbarImages();
    int Count() const;
    QIcon Icon(int index) const;

private:
    static QIcon SpectrumChartIcon();

    QImage m_strip;
};
