#include "app/WindowZoom.h"

#include "app/CommandIDs.h"
#include "app/DesktopScale.h"

#include <iterator>

//==============================================================================
WindowZoom::WindowZoom (DeviceSettings* settingsToUse, double factorOfDesktop, juce::Rectangle<int> physicalWorkArea)
    : settings (settingsToUse)
    , desktopFactor (factorOfDesktop > 0 ? factorOfDesktop : 1.0)
    , workArea (physicalWorkArea)
{
    // A number edited into the file by hand that is not one of the steps is not a choice the
    // user made in the menu: the zoom starts at the actual size then.
    const auto remembered = settings != nullptr ? settings->getZoomPercent() : actualSize;
    percent =
        std::find (std::begin (steps), std::end (steps), remembered) != std::end (steps) ? remembered : actualSize;

    applyScale();
}

std::unique_ptr<WindowZoom> WindowZoom::createForDesktop (DeviceSettings* settings)
{
    const auto desktop = DesktopScale::read();
    const auto desktopFactor = DesktopScale::getFactorOverFramework (desktop.userScale, getFrameworkScale());
    return std::make_unique<WindowZoom> (settings, desktopFactor, desktop.workArea);
}

WindowZoom::~WindowZoom() { juce::Desktop::getInstance().setGlobalScaleFactor (1.0f); }

bool WindowZoom::handles (juce::CommandID commandID)
{
    return commandID == CommandIDs::zoomIn || commandID == CommandIDs::zoomOut || commandID == CommandIDs::actualSize;
}

void WindowZoom::fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const
{
    const auto largest =
        largestWindow.isEmpty() ? steps[std::size (steps) - 1] : getLargestFittingPercent (largestWindow);

    if (commandID == CommandIDs::zoomIn)
    {
        result.setActive (percent < largest);
    }
    else if (commandID == CommandIDs::zoomOut)
    {
        result.setActive (percent > steps[0]);
    }
    else if (commandID == CommandIDs::actualSize)
    {
        result.setActive (percent != actualSize && actualSize <= largest);
    }
}

void WindowZoom::perform (juce::CommandID commandID)
{
    const auto* current = std::find (std::begin (steps), std::end (steps), percent);
    auto wanted = percent;

    if (commandID == CommandIDs::zoomIn && std::next (current) != std::end (steps))
        wanted = *std::next (current);
    else if (commandID == CommandIDs::zoomOut && current != std::begin (steps))
        wanted = *std::prev (current);
    else if (commandID == CommandIDs::actualSize)
        wanted = actualSize;

    if (! largestWindow.isEmpty())
        wanted = juce::jmin (wanted, getLargestFittingPercent (largestWindow));

    setPercent (wanted);

    // Remembered only as the user chose it, never as a small screen forced it.
    if (settings != nullptr && settings->getZoomPercent() != percent)
        settings->setZoomPercent (percent);
}

void WindowZoom::setPercent (int newPercent)
{
    percent = nearestStep (newPercent);
    applyScale();
}

float WindowZoom::getScale() const noexcept { return (float) (percent / 100.0 * desktopFactor); }

juce::String WindowZoom::fitWindow (const juce::Component& window)
{
    const auto size = window.getBounds().withZeroOrigin();

    if (size.getWidth() * size.getHeight() > largestWindow.getWidth() * largestWindow.getHeight())
        largestWindow = size;

    const auto fitting = getLargestFittingPercent (size);

    if (percent <= fitting)
        return {};

    const auto wanted = percent;
    setPercent (fitting);

    if (std::exchange (hasSaidItDoesNotFit, true))
        return {};

    return "At " + juce::String (wanted) + " % the window is larger than the screen: zoomed to "
           + juce::String (percent) + " %.";
}

int WindowZoom::getLargestFittingPercent (juce::Rectangle<int> windowSize) const
{
    const auto area = getPhysicalWorkArea();
    const auto underZoom = desktopFactor * getFrameworkScale();

    for (auto step = std::rbegin (steps); step != std::rend (steps); ++step)
    {
        const auto scale = *step / 100.0 * underZoom;

        if (windowSize.getWidth() * scale <= area.getWidth() && windowSize.getHeight() * scale <= area.getHeight())
            return *step;
    }

    return steps[0];
}

//==============================================================================
double WindowZoom::getFrameworkScale()
{
    const auto& desktop = juce::Desktop::getInstance();

    if (const auto* display = desktop.getDisplays().getPrimaryDisplay())
        return display->scale / desktop.getGlobalScaleFactor();

    return 1.0;
}

juce::Rectangle<int> WindowZoom::getPhysicalWorkArea() const
{
    if (! workArea.isEmpty())
        return workArea;

    const auto& desktop = juce::Desktop::getInstance();

    if (const auto* display = desktop.getDisplays().getPrimaryDisplay())
        return (display->userArea.toDouble() * display->scale).toNearestInt();

    return {};
}

int WindowZoom::nearestStep (int wantedPercent)
{
    auto nearest = steps[0];

    for (auto step : steps)
        if (std::abs (step - wantedPercent) < std::abs (nearest - wantedPercent))
            nearest = step;

    return nearest;
}

void WindowZoom::applyScale()
{
    auto& desktop = juce::Desktop::getInstance();
    const auto oldScale = desktop.getGlobalScaleFactor();
    const auto newScale = getScale();

    if (juce::approximatelyEqual (oldScale, newScale))
        return;

    // The framework keeps each window's size in pixels when the scale changes, so every window is
    // given its own size again, in the program's units, with its top-left corner kept on the screen.
    struct Placed
    {
        juce::Component::SafePointer<juce::Component> window;
        juce::Rectangle<int> bounds;
    };

    std::vector<Placed> placed;

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* window = desktop.getComponent (i))
            placed.push_back ({ window, window->getBounds() });

    desktop.setGlobalScaleFactor (newScale);

    for (auto& [window, bounds] : placed)
    {
        if (window == nullptr)
            continue;

        const auto topLeft = (bounds.getPosition().toFloat() * oldScale / newScale).roundToInt();
        auto scaled = bounds.withPosition (topLeft);

        // Grown past the screen's edge, a window moves back onto it as far as it can.
        if (const auto* display = desktop.getDisplays().getDisplayForRect (scaled))
            if (scaled.getWidth() <= display->userArea.getWidth()
                && scaled.getHeight() <= display->userArea.getHeight())
                scaled = scaled.constrainedWithin (display->userArea);

        window->setBounds (scaled);
    }
}
