#include "app/DesktopScale.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace
{
/** A connection of its own to the X server, for the few properties read at start. */
struct DisplayConnection
{
    DisplayConnection()
        : display (XOpenDisplay (nullptr))
    {
    }

    ~DisplayConnection()
    {
        if (display != nullptr)
            XCloseDisplay (display);
    }

    Display* const display;
};

/** The whole of a window property, bounded so that a damaged property cannot make a huge read. */
juce::MemoryBlock readProperty (Display* display, Window window, Atom property, Atom type, int format)
{
    constexpr long maximumLongs = 16384; // 64 KiB
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long items = 0, bytesAfter = 0;
    unsigned char* data = nullptr;

    if (XGetWindowProperty (display, window, property, 0, maximumLongs, False, type, &actualType, &actualFormat, &items,
                            &bytesAfter, &data)
            != Success
        || data == nullptr)
        return {};

    juce::MemoryBlock block;

    if (actualType == type && actualFormat == format)
    {
        // Xlib hands 32-bit items over as longs.
        const auto itemSize = format == 32 ? sizeof (long) : (size_t) format / 8;
        block.append (data, items * itemSize);
    }

    XFree (data);
    return block;
}

double scaleFromDpi (double dpi)
{
    // Beyond 8 times or below half the base, the number is taken for a mistake rather than a wish.
    return dpi >= DesktopScale::baseDpi / 2 && dpi <= DesktopScale::baseDpi * 8 ? dpi / DesktopScale::baseDpi : 0.0;
}
} // namespace

//==============================================================================
DesktopScale::Reading DesktopScale::read()
{
    Reading reading;
    reading.userScale = parseGdkScale (juce::SystemStats::getEnvironmentVariable ("GDK_SCALE", {}));

    DisplayConnection connection;
    auto* display = connection.display;

    if (display == nullptr)
        return reading;

    if (const auto* resources = XResourceManagerString (display); resources != nullptr && reading.userScale <= 0)
        reading.userScale = parseResourcesScale (juce::String::fromUTF8 (resources));

    // The atoms are asked for in one round trip.
    const auto selectionName = "_XSETTINGS_S" + juce::String (DefaultScreen (display));
    char* names[] = { const_cast<char*> (selectionName.toRawUTF8()), const_cast<char*> ("_XSETTINGS_SETTINGS"),
                      const_cast<char*> ("_NET_WORKAREA") };
    Atom atoms[3] = {};

    if (XInternAtoms (display, names, 3, False, atoms) == 0)
        return reading;

    if (reading.userScale <= 0)
        if (const auto owner = XGetSelectionOwner (display, atoms[0]); owner != None)
            reading.userScale = parseXSettingsScale (readProperty (display, owner, atoms[1], atoms[1], 8));

    // Four numbers per virtual desktop; the first desktop's stand for all of them.
    const auto workArea = readProperty (display, DefaultRootWindow (display), atoms[2], XA_CARDINAL, 32);

    if (workArea.getSize() >= 4 * sizeof (long))
    {
        const auto* numbers = static_cast<const long*> (workArea.getData());
        reading.workArea = { (int) numbers[0], (int) numbers[1], (int) numbers[2], (int) numbers[3] };
    }

    return reading;
}

double DesktopScale::getFactorOverFramework (double userScale, double frameworkScale)
{
    return userScale > 0 && frameworkScale > 0 ? userScale / frameworkScale : 1.0;
}

//==============================================================================
double DesktopScale::parseGdkScale (const juce::String& value)
{
    const auto trimmed = value.trim();

    if (! trimmed.containsOnly ("0123456789") || trimmed.isEmpty() || trimmed.length() > 1)
        return 0;

    const auto scale = trimmed.getIntValue();
    return scale >= 1 && scale <= 8 ? (double) scale : 0.0;
}

double DesktopScale::parseResourcesScale (const juce::String& resources)
{
    // The names that give Xft.dpi, the most specific first. X answers with the entry that matches
    // the most of the name, wherever it stands: the full name over "*Xft.dpi", which matches both
    // of its parts, over "*dpi", which skips the first.
    static const juce::StringArray namesByPrecedence{ "Xft.dpi", "*Xft.dpi", "*dpi" };
    auto bestIndex = namesByPrecedence.size();
    juce::String bestValue;

    for (const auto& line : juce::StringArray::fromLines (resources))
    {
        const auto index = namesByPrecedence.indexOf (line.upToFirstOccurrenceOf (":", false, false).trim());

        // Of one name given twice the last holds, as in X, though the server lists each name once.
        if (index >= 0 && index <= bestIndex)
        {
            bestIndex = index;
            bestValue = line.fromFirstOccurrenceOf (":", false, false).trim();
        }
    }

    // The entry that X would answer with decides, as it does for Xft: a less specific one does not
    // stand in for a value that is not a number.
    if (bestValue.isEmpty() || ! bestValue.containsOnly ("0123456789."))
        return 0;

    return scaleFromDpi (bestValue.getDoubleValue());
}

double DesktopScale::parseXSettingsScale (const juce::MemoryBlock& settings)
{
    const auto* bytes = static_cast<const juce::uint8*> (settings.getData());
    const auto size = settings.getSize();
    size_t position = 0;

    const auto bigEndian = size > 0 && bytes[0] != 0;
    const auto card16 = [&] (size_t at)
    {
        return bigEndian ? (juce::uint32) (bytes[at] << 8 | bytes[at + 1])
                         : (juce::uint32) (bytes[at] | bytes[at + 1] << 8);
    };
    const auto card32 = [&] (size_t at)
    {
        return bigEndian ? (juce::uint32) bytes[at] << 24 | (juce::uint32) bytes[at + 1] << 16
                               | (juce::uint32) bytes[at + 2] << 8 | bytes[at + 3]
                         : (juce::uint32) bytes[at + 3] << 24 | (juce::uint32) bytes[at + 2] << 16
                               | (juce::uint32) bytes[at + 1] << 8 | bytes[at];
    };
    const auto padded = [] (size_t length) { return (length + 3) & ~(size_t) 3; };
    const auto has = [&] (size_t length) { return position + length <= size; };

    // Byte order, three unused bytes, serial, number of settings.
    if (! has (12))
        return 0;

    const auto count = card32 (8);
    position = 12;

    enum SettingType
    {
        integerSetting = 0,
        stringSetting = 1,
        colourSetting = 2
    };

    for (juce::uint32 i = 0; i < count && has (4); ++i)
    {
        // Type, one unused byte, name length, the name padded to four, the serial of its last change.
        const auto type = bytes[position];
        const auto nameLength = (size_t) card16 (position + 2);

        if (! has (4 + padded (nameLength) + 4))
            return 0;

        const auto name = juce::String::fromUTF8 ((const char*) bytes + position + 4, (int) nameLength);
        position += 4 + padded (nameLength) + 4;

        if (type == integerSetting)
        {
            if (! has (4))
                return 0;

            if (name == "Xft/DPI")
                return scaleFromDpi ((double) (juce::int32) card32 (position) / 1024.0);

            position += 4;
        }
        else if (type == stringSetting)
        {
            if (! has (4))
                return 0;

            const auto length = (size_t) card32 (position);

            if (length > size)
                return 0;

            position += 4 + padded (length);
        }
        else if (type == colourSetting)
        {
            position += 8;
        }
        else
        {
            return 0;
        }
    }

    return 0;
}
