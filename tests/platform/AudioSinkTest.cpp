// Choosing the audio sink: a given description, the desktop's output, or the
// silent stand-in when the desktop's output cannot be opened.
#include "MediaPlayer.h"
#include "gstAudioSink.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class AudioSinkFactoryTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_FALSE(EnsureGstInit()); }
};

TEST_F(AudioSinkFactoryTest, GivenDescriptionIsUsedAsItIs) {
  TAudioSinkFactory factory("fakesink sync=true", "nosuchsink");
  TGstElementPtr first = factory.Make();
  TGstElementPtr second = factory.Make();
  ASSERT_TRUE(first && second);
  EXPECT_NE(first.get(), second.get()) << "one sink per pipeline";
  EXPECT_FALSE(factory.Silent());
}

TEST_F(AudioSinkFactoryTest, UnknownElementIsAnError) {
  TAudioSinkFactory factory("nosuchsink_chimora");
  EXPECT_THROW(factory.Make(), EMediaPlayerError);
}

TEST_F(AudioSinkFactoryTest, UsableDesktopOutputIsKept) {
  TAudioSinkFactory factory("", "filesink location=/dev/null");
  testing::internal::CaptureStderr();
  EXPECT_TRUE(factory.Make());
  EXPECT_TRUE(factory.Make());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(factory.Silent());
}

TEST_F(AudioSinkFactoryTest, DesktopOutputThatCannotOpenGivesTheSilentSinkSaidOnce) {
  const char* desktops[] = {
      "filesink location=/nonexistent-chimora/out", // fails when it opens
      "fakesink", // what autoaudiosink holds when it found no real output
  };
  testing::internal::CaptureStderr();
  for (const char* desktop : desktops) {
    SCOPED_TRACE(desktop);
    TAudioSinkFactory factory("", desktop);
    EXPECT_TRUE(factory.Make());
    EXPECT_TRUE(factory.Silent());
    EXPECT_TRUE(factory.Make());
  }
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("playing silently"), std::string::npos) << said;
}

} // namespace
