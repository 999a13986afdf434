#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** One picture at two pixel densities: the image the layout is built around, and the same picture
    with twice the pixels each way. Where a window is zoomed or the screen has more than one pixel per
    point, the second one is drawn into the same area, so that the picture stays as sharp as text.

    Both images are usually deferred (DeferredPngPixelData): the one that is never drawn at the
    current scale is never decoded. Sizes, bounds and layouts always use the first image. */
class ScalableImage
{
public:
    ScalableImage() = default;

    /** The picture, and the same picture with twice its width and height (may be null: then the first
        is drawn at every scale). */
    ScalableImage (juce::Image single, juce::Image twice);

    /** The image and its double-resolution companion if it was loaded with one (EmbeddedImages::load),
        or the image alone. */
    static ScalableImage of (const juce::Image& single);

    //==============================================================================
    /** True where one point of a drawing covers more than one physical pixel: a zoomed window or a
        screen with a scale above 1. */
    static bool wantsDoubleResolution (float physicalPixelScale) noexcept;
    static bool wantsDoubleResolution (const juce::Graphics&);

    /** The scale the windows are likely to be painted at: the global zoom times the main display's
        scale. Used to start decoding the image a first paint will ask for. */
    static float expectedPhysicalPixelScale();

    /** The image to draw into a context with this scale: the double one above 1, when there is one. */
    const juce::Image& pick (float physicalPixelScale) const noexcept;
    const juce::Image& pick (const juce::Graphics&) const;

    /** Draws the picture into an area given in points, from whichever image suits the context. */
    void draw (juce::Graphics&, juce::Rectangle<float> area,
               juce::RectanglePlacement placement = juce::RectanglePlacement::stretchToFit) const;

    /** Has the image that a paint at the expected scale will use decoded ahead of that paint. */
    void decodeSoon() const;

    //==============================================================================
    const juce::Image& getImage() const noexcept { return single; }
    const juce::Image& getDoubleImage() const noexcept { return twice; }
    bool isValid() const noexcept { return single.isValid(); }
    int getWidth() const noexcept { return single.getWidth(); }
    int getHeight() const noexcept { return single.getHeight(); }
    juce::Rectangle<int> getBounds() const noexcept { return single.getBounds(); }

private:
    juce::Image single, twice;
};
