#include "app/CommandIDs.h"
#include "app/DesktopScale.h"
#include "app/WindowZoom.h"
#include "support/AppTestHelpers.h"

using apptest::ApplicationTest;
using apptest::pump;

namespace
{
void perform (juce::ApplicationCommandTarget& target, juce::CommandID command)
{
    juce::ApplicationCommandTarget::InvocationInfo info (command);
    info.invocationMethod = juce::ApplicationCommandTarget::InvocationInfo::fromMenu;
    target.perform (info);
}

bool isActive (juce::ApplicationCommandTarget& target, juce::CommandID command)
{
    juce::ApplicationCommandInfo info (command);
    target.getCommandInfo (command, info);
    return (info.flags & juce::ApplicationCommandInfo::isDisabled) == 0;
}

float globalScale() { return juce::Desktop::getInstance().getGlobalScaleFactor(); }

/** The size in pixels on the screen of a window whose size the program gives in its own units. */
juce::Rectangle<int> sizeOnScreen (juce::Component& window)
{
    return window.getPeer() != nullptr ? window.getPeer()->getBounds().withZeroOrigin() : juce::Rectangle<int>();
}

int zoomInSettingsFile() { return DeviceSettings (DeviceSettings::getDefaultFile()).getZoomPercent(); }

/** An XSETTINGS block as a desktop's settings daemon writes it: one string setting, then Xft/DPI. */
juce::MemoryBlock xSettingsWithDpi (int dpiTimes1024, bool bigEndian)
{
    juce::MemoryOutputStream out;
    const auto card16 = [&] (int v) { bigEndian ? out.writeShortBigEndian ((short) v) : out.writeShort ((short) v); };
    const auto card32 = [&] (int v) { bigEndian ? out.writeIntBigEndian (v) : out.writeInt (v); };
    const auto text = [&] (const char* s)
    {
        const auto length = (int) strlen (s);
        out.write (s, (size_t) length);
        out.writeRepeatedByte (0, (size_t) ((4 - length % 4) % 4));
    };

    out.writeByte (bigEndian ? 1 : 0);
    out.writeRepeatedByte (0, 3);
    card32 (7); // serial
    card32 (2); // settings

    out.writeByte (1); // string
    out.writeByte (0);
    card16 (13);
    text ("Net/ThemeName");
    card32 (0);
    card32 (7);
    text ("Adwaita");

    out.writeByte (0); // integer
    out.writeByte (0);
    card16 (7);
    text ("Xft/DPI");
    card32 (0);
    card32 (dpiTimes1024);

    return out.getMemoryBlock();
}
} // namespace

//==============================================================================
TEST_F (ApplicationTest, ZoomScalesEveryWindowStopsWhereTheScreenEndsAndIsRememberedForTheNextStart)
{
    auto& editor = window (0);
    application->showSlotsWindow();
    auto* slots = application->getSlotsWindow();
    ASSERT_NE (slots, nullptr);
    pump();

    const auto editorSize = editor.getBounds().withZeroOrigin();
    const auto slotsSize = slots->getBounds().withZeroOrigin();
    ASSERT_FLOAT_EQ (globalScale(), 1.0f);
    EXPECT_EQ (sizeOnScreen (editor), editorSize);

    perform (*application, CommandIDs::zoomIn);
    pump();

    // Every window keeps its size in the program's units and is a quarter larger on the screen.
    EXPECT_FLOAT_EQ (globalScale(), 1.25f);
    EXPECT_EQ (editor.getBounds().withZeroOrigin(), editorSize);
    EXPECT_EQ (slots->getBounds().withZeroOrigin(), slotsSize);
    EXPECT_EQ (sizeOnScreen (editor), (editorSize.toFloat() * 1.25f).toNearestInt());
    EXPECT_EQ (sizeOnScreen (*slots), (slotsSize.toFloat() * 1.25f).toNearestInt());
    EXPECT_EQ (application->getWindowZoom()->getPercent(), 125);
    EXPECT_EQ (zoomInSettingsFile(), 125);

    // At 150 % the editor would be taller than the 1080 lines of the test display.
    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    ASSERT_NEAR (display->userArea.getHeight() * display->scale, 1080.0, 1.0);
    EXPECT_FALSE (isActive (*application, CommandIDs::zoomIn));
    perform (*application, CommandIDs::zoomIn);
    EXPECT_EQ (application->getWindowZoom()->getPercent(), 125);

    // The next start opens at the remembered zoom; Actual Size brings it back.
    application->shutdown();
    application.reset();
    pump();
    EXPECT_FLOAT_EQ (globalScale(), 1.0f);
    startApplication();
    EXPECT_FLOAT_EQ (globalScale(), 1.25f);
    EXPECT_TRUE (isActive (*application, CommandIDs::actualSize));

    perform (*application, CommandIDs::actualSize);
    EXPECT_FLOAT_EQ (globalScale(), 1.0f);
    EXPECT_EQ (zoomInSettingsFile(), 100);
    EXPECT_FALSE (isActive (*application, CommandIDs::actualSize));

    perform (*application, CommandIDs::zoomOut);
    perform (*application, CommandIDs::zoomOut);
    EXPECT_EQ (application->getWindowZoom()->getPercent(), 75);
    EXPECT_FALSE (isActive (*application, CommandIDs::zoomOut));
    perform (*application, CommandIDs::actualSize);
}

TEST_F (ApplicationTest, AWindowLargerThanTheScreenStepsTheZoomDownAndSaysSoOnce)
{
    DeviceSettings settings (DeviceSettings::getDefaultFile());
    settings.setZoomPercent (200);
    auto& editor = window (0);

    {
        // A netbook's work area with a desktop at twice the size: 200 % of 2 would be four times.
        WindowZoom zoom (&settings, 2.0, { 0, 0, 2732, 1536 });
        EXPECT_FLOAT_EQ (globalScale(), 4.0f);

        const auto note = zoom.fitWindow (editor);
        EXPECT_EQ (zoom.getPercent(), 100);
        EXPECT_FLOAT_EQ (globalScale(), 2.0f);
        EXPECT_EQ (note, "At 200 % the window is larger than the screen: zoomed to 100 %.");
        EXPECT_TRUE (zoom.fitWindow (editor).isEmpty());

        // The zoom the user chose is kept for a larger screen.
        EXPECT_EQ (settings.getZoomPercent(), 200);
        EXPECT_EQ (zoomInSettingsFile(), 200);
    }

    EXPECT_FLOAT_EQ (globalScale(), 1.0f);

    // A number that is none of the steps, edited into the file, starts at the actual size.
    for (auto junk : { 5000, -5, 0, 110 })
    {
        settings.setZoomPercent (junk);
        EXPECT_EQ (WindowZoom (&settings, 1.0).getPercent(), 100) << junk;
    }

    settings.setZoomPercent (100);
}

TEST (DesktopScale, TheUsersScaleIsReadFromGdkScaleTheXResourcesOrXSettingsAndDamagedInputIsRefused)
{
    EXPECT_EQ (DesktopScale::parseGdkScale ("2"), 2.0);
    for (auto junk : { "", "0", "12", "2.5", "-1", "two" })
        EXPECT_EQ (DesktopScale::parseGdkScale (junk), 0.0) << junk;

    EXPECT_EQ (DesktopScale::parseResourcesScale ("Xcursor.size:\t24\nXft.dpi:\t192\n"), 2.0);
    EXPECT_EQ (DesktopScale::parseResourcesScale ("*Xft.dpi: 120"), 1.25);
    for (auto junk : { "", "Xft.dpi:", "Xft.dpi: lots", "Xft.dpi: 100000", "Xft.antialias: 1" })
        EXPECT_EQ (DesktopScale::parseResourcesScale (junk), 0.0) << junk;

    EXPECT_EQ (DesktopScale::parseXSettingsScale (xSettingsWithDpi (192 * 1024, false)), 2.0);
    EXPECT_EQ (DesktopScale::parseXSettingsScale (xSettingsWithDpi (144 * 1024, true)), 1.5);

    // Every cut of the block, and a block with lengths out of all proportion, is read safely.
    const auto whole = xSettingsWithDpi (192 * 1024, false);
    for (size_t length = 0; length < whole.getSize(); ++length)
        EXPECT_EQ (DesktopScale::parseXSettingsScale (juce::MemoryBlock (whole.getData(), length)), 0.0) << length;

    auto hostile = whole;
    hostile[8] = (char) 0xff; // settings said to be many more than there are
    hostile[14] = (char) 0xff;
    hostile[15] = (char) 0xff; // a name longer than the block
    EXPECT_EQ (DesktopScale::parseXSettingsScale (hostile), 0.0);

    // The desktop's scale applies over the framework's; no scale stated changes nothing.
    EXPECT_EQ (DesktopScale::getFactorOverFramework (2.0, 1.0), 2.0);
    EXPECT_EQ (DesktopScale::getFactorOverFramework (2.0, 2.0), 1.0);
    EXPECT_EQ (DesktopScale::getFactorOverFramework (0.0, 2.0), 1.0);
}

TEST (DesktopScale, TheFullResourceNameDecidesWhereverItStandsAmongPatterns)
{
    // The server lists what was loaded in the order it chose: the full name wins in either order,
    // and "*Xft.dpi" over "*dpi", as Xft itself reads them.
    EXPECT_EQ (DesktopScale::parseResourcesScale ("*dpi:\t96\nXft.dpi:\t192\n"), 2.0);
    EXPECT_EQ (DesktopScale::parseResourcesScale ("Xft.dpi:\t192\n*dpi:\t96\n"), 2.0);
    EXPECT_EQ (DesktopScale::parseResourcesScale ("*dpi: 96\n*Xft.dpi: 144\nXcursor.size: 24\n"), 1.5);
    EXPECT_EQ (DesktopScale::parseResourcesScale ("*Xft.dpi: 144\nXft.dpi: 192\n*dpi: 96\n"), 2.0);
    EXPECT_EQ (DesktopScale::parseResourcesScale ("*dpi: 120"), 1.25);
}
