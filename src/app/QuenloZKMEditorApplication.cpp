#include "app/QuenloZKMEditorApplication.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "views/ZKMProductProductImageViewSelector.h"

namespace
{
constexpr int editorWidth = 1200;
constexpr int productPictureTop = 46;
} // namespace

QuenloZKMEditorApplication::QuenloZKMEditorApplication()
    : QuenloZKEditorApplication (ZKMModel::filePattern)
    , aboutImage (EmbeddedImages::load (ZKM_EMBEDDED_PICTURE (ZKM_AboutPage_Image)).getImage())
{
}

ViewSelector* QuenloZKMEditorApplication::createProductImageSelector()
{
    auto* selector = new ZKMProductProductImageViewSelector(); // the caller takes ownership
    selector->setBounds ((editorWidth - selector->getWidth()) / 2, productPictureTop, selector->getWidth(),
                         selector->getHeight());
    return selector;
}

const juce::String& QuenloZKMEditorApplication::getUserGuideFileName() { return userGuideFileName; }

const juce::Image& QuenloZKMEditorApplication::getAboutImage() { return aboutImage; }

const void* QuenloZKMEditorApplication::getDefaultPresetData() { return defaultPreset.getRawDataPointer(); }

int QuenloZKMEditorApplication::getDefaultPresetSize() { return defaultPreset.size(); }
