#include "images/ScalableImageButton.h"

#include "images/DeferredPngPixelData.h"

namespace
{
constexpr float opaque = 1.0f;
constexpr float everyPointHits = 0.0f;
} // namespace

//==============================================================================
ScalableImageButton::ScalableImageButton (const juce::String& name)
    : juce::ImageButton (name)
{
}

void ScalableImageButton::setPictures (const ScalableImage& normal, const ScalableImage& over,
                                       const ScalableImage& down)
{
    normalPicture = normal;
    overPicture = over;
    downPicture = down;

    // A button shows its normal picture first; the others wait until they are needed.
    normal.decodeSoon();

    const auto noOverlay = juce::Colours::transparentBlack;
    setImages (true, true, true, normal.getImage(), opaque, noOverlay, over.getImage(), opaque, noOverlay,
               down.getImage(), opaque, noOverlay, everyPointHits);
}

const ScalableImage& ScalableImageButton::getCurrentPicture() const
{
    // The same choice and fallbacks as juce::ImageButton: no pressed picture shows the hover one, no
    // hover picture the normal one.
    if ((isDown() || getToggleState()) && downPicture.isValid())
        return downPicture;

    if ((isDown() || getToggleState() || isOver()) && overPicture.isValid())
        return overPicture;

    return normalPicture;
}

//==============================================================================
void ScalableImageButton::paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted,
                                       bool shouldDrawButtonAsDown)
{
    const auto& picture = getCurrentPicture();

    // A region of the product picture shows nothing until it is hovered: blending its blank pixels
    // over the picture would only cost time.
    if (DeferredPngPixelData::isFullyTransparent (picture.pick (g)))
        return;

    if (! ScalableImage::wantsDoubleResolution (g) || ! picture.getDoubleImage().isValid())
    {
        juce::ImageButton::paintButton (g, shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown);
        return;
    }

    // The area juce::ImageButton gives a picture that it scales to fit with its proportions kept (as
    // setPictures asks), measured with the single picture, so that both densities fill the same area.
    const auto pictureRatio = (float) picture.getHeight() / (float) picture.getWidth();
    auto width = getWidth();
    auto height = getHeight();

    if (pictureRatio > (float) height / (float) width)
        width = juce::roundToInt ((float) height / pictureRatio);
    else
        height = juce::roundToInt ((float) width * pictureRatio);

    auto image = picture.getDoubleImage();
    getLookAndFeel().drawImageButton (g, &image, (getWidth() - width) / 2, (getHeight() - height) / 2, width, height,
                                      juce::Colours::transparentBlack, opaque, *this);
}
