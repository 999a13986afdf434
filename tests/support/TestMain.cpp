#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

// Last: Xlib defines macros (None, Bool, Status) that clash with names in the headers above.
#include <X11/Xlib.h>

namespace
{
// Xlib's default handler ends the process on any X error, also on harmless ones such as a
// request for a window that was destroyed a moment earlier. Tests keep running instead.
int quietXErrorHandler (Display*, XErrorEvent*) { return 0; }

// One JUCE GUI initialisation for the whole test process, as an application would have.
class JuceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        initialiser = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
        XSetErrorHandler (quietXErrorHandler);
    }

    void TearDown() override { initialiser.reset(); }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> initialiser;
};
} // namespace

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    // The application remembers its MIDI devices in the user's configuration folder: the tests get
    // a configuration folder of their own, so that they neither read nor change the user's.
    const auto configFolder = juce::File::createTempFile ("zkm_test_config");
    configFolder.createDirectory();
    setenv ("XDG_CONFIG_HOME", configFolder.getFullPathName().toRawUTF8(), 1);

    ::testing::AddGlobalTestEnvironment (new JuceEnvironment()); // gtest owns the environment
    const auto result = RUN_ALL_TESTS();
    configFolder.deleteRecursively();
    return result;
}
