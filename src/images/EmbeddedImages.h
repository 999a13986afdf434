#pragma once

#include "images/DeferredPngPixelData.h"
#include "images/ScalableImage.h"
#include "images/ScalableImageButton.h"

/** The editor's pictures are PNGs compiled into the program, each at two pixel densities; each image
    is decoded when it is first drawn, once for every document window, so a picture drawn only at one
    scale is decoded only at that one. */
namespace EmbeddedImages
{
/** Where one embedded PNG lies in the program's binary data. */
struct Png
{
    const char* data;
    int size;
};

/** One picture: its PNG at the size the layout is built around, and its PNG with twice the pixels. */
struct Picture
{
    Png single;
    Png twice;
};

inline juce::Image load (Png png) { return DeferredPngPixelData::createImage (png.data, png.size); }

/** Both images of a picture, neither decoded yet. The single image carries a link to the double one,
    so that code handed only the single image can still draw the sharp one (ScalableImage::of). */
inline ScalableImage load (Picture picture)
{
    auto single = load (picture.single);
    auto twice = load (picture.twice);
    DeferredPngPixelData::setDoubleResolution (single, twice);
    return { single, twice };
}

/** The same, for a picture that the window draws as soon as it is shown: the image that suits the
    desktop's scale starts decoding at once on the background decoding thread. */
inline ScalableImage loadForFirstPaint (Picture picture)
{
    auto image = load (picture);
    image.decodeSoon();
    return image;
}

/** The normal, hover and pressed pictures of an image button. */
struct ButtonPictures
{
    Picture normal, over, down;
};

/** An image button of that name with these pictures, sized to the normal one. */
inline std::unique_ptr<ScalableImageButton> createButton (const juce::String& name, const ButtonPictures& pictures)
{
    auto button = std::make_unique<ScalableImageButton> (name);
    button->setPictures (load (pictures.normal), load (pictures.over), load (pictures.down));
    return button;
}
} // namespace EmbeddedImages

/** The embedded picture of a resource file name without its extension (NAME.png and NAME_2x.png),
    checked when compiled. */
#define ZKM_EMBEDDED_PICTURE(name)                                                    \
    (EmbeddedImages::Picture{ { BinaryData::name##_png, BinaryData::name##_pngSize }, \
                              { BinaryData::name##_2x_png, BinaryData::name##_2x_pngSize } })

/** The pictures of an image button from the resource names STEM_NORMAL, STEM_OVER and STEM_DOWN. */
#define ZKM_BUTTON_PICTURES(stem, normal, over, down)                                                              \
    (EmbeddedImages::ButtonPictures{ ZKM_EMBEDDED_PICTURE (stem##_##normal), ZKM_EMBEDDED_PICTURE (stem##_##over), \
                                     ZKM_EMBEDDED_PICTURE (stem##_##down) })
