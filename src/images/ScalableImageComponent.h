#pragma once

#include "images/ScalableImage.h"

/** An image component whose picture comes at two pixel densities: it holds and reports the single
    image, as any image component, and paints the double one where the context has more than one
    physical pixel per point. */
class ScalableImageComponent : public juce::ImageComponent
{
public:
    explicit ScalableImageComponent (const juce::String& name = {});

    /** Shows the picture; the component keeps its size. */
    void setPicture (const ScalableImage&);
    const ScalableImage& getPicture() const noexcept { return picture; }

    //==============================================================================
    void paint (juce::Graphics&) override;

private:
    ScalableImage picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScalableImageComponent)
};
