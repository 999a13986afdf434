#pragma once

#include "images/ScalableImage.h"

/** An image button whose pictures come at two pixel densities: it lays itself out and hit-tests with
    the single pictures, as any image button, and paints the double picture of its current state
    where the context has more than one physical pixel per point. */
class ScalableImageButton : public juce::ImageButton
{
public:
    explicit ScalableImageButton (const juce::String& name = {});

    /** Gives the button its normal, hover and pressed pictures at full opacity, sizes it to the normal
        picture and lets every point inside it hit, whatever the picture's alpha. The normal picture,
        shown first, is decoded ahead of the first paint. */
    void setPictures (const ScalableImage& normal, const ScalableImage& over, const ScalableImage& down);

    /** The picture of the state the button is in, as juce::ImageButton chooses its image. */
    const ScalableImage& getCurrentPicture() const;

    //==============================================================================
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    ScalableImage normalPicture, overPicture, downPicture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScalableImageButton)
};
