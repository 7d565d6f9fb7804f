#include "Fixtures.h"
#include "MPGTools.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace std::string_literals;

namespace {

// MPEG 1 Layer I, 32 kbit/s, 44100 Hz, single channel: 32-byte frames, so a
// frame pair fits in a few dozen bytes.
constexpr std::uint32_t ShortFrameHeader = 0xFFFF10C0;

TBytes Tag(std::string_view title, std::string_view comment, std::uint8_t genre,
           std::string_view year = "2001", std::string_view id = "TAG") {
  TBytes tag(128, 0);
  const auto put = [&tag](std::size_t at, std::string_view text) {
    std::copy(text.begin(), text.end(), tag.begin() + static_cast<std::ptrdiff_t>(at));
  };
  put(0, id);
  put(3, title);
  put(33, "Artist");
  put(63, "Album");
  put(93, year);
  put(97, comment);
  tag[127] = genre;
  return tag;
}

class Tags : public TAnalyserFixture {};

TEST_F(Tags, ReadsTheID3v1Fields) {
  const std::string thirty = "A comment of thirty characters";
  const struct {
    const char* name;
    TBytes tag;
    std::string title, year, comment;
    std::uint8_t track, genre;
    std::string genreText;
  } cases[] = {
      {"title then zero bytes", Tag("Hello", "", 17), "Hello", "2001", "", 0, 17, "Rock"},
      {"title then spaces", Tag("Hello" + std::string(25, ' '), "", 125), "Hello", "2001", "",
       0, 125, "Dance Hall"},
      {"leading spaces stay", Tag("  Hello", "", 126), "  Hello", "2001", "", 0, 126, "Unknown"},
      {"cut before the first zero", Tag("Hel\0lo  there"s, "", 200), "Hel", "2001", "", 0, 200,
       "Unknown"},
      {"v1.1 track", Tag("T", "abc"s + std::string(26, '\0') + "\x07", 0), "T", "2001", "abc", 7,
       0, "Blues"},
      {"30-character comment also gives a track", Tag("T", thirty, 255), "T", "2001", thirty,
       static_cast<std::uint8_t>('s'), 255, "Unknown"},
      {"year as it stands", Tag("T", "", 1, "20\0\0"s), "T", "20\0\0"s, "", 0, 1,
       "Classic Rock"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AnalyseBytes(FrameStream(ShortFrameHeader, 32, 320) + c.tag), 0);
    EXPECT_TRUE(audio.HasTag());
    EXPECT_EQ(audio.Info.TagId, "TAG");
    EXPECT_EQ(audio.Info.Title, c.title);
    EXPECT_EQ(audio.Info.Artist, "Artist");
    EXPECT_EQ(audio.Info.Album, "Album");
    EXPECT_EQ(audio.Info.Year, c.year);
    EXPECT_EQ(audio.Info.Comment, c.comment);
    EXPECT_EQ(audio.Info.Track, c.track);
    EXPECT_EQ(audio.Info.Genre, c.genre);
    EXPECT_EQ(audio.GenreText(), c.genreText);
  }
}

TEST_F(Tags, WithoutATagTheTitleIsTheFileName) {
  const struct {
    const char* name;
    TBytes bytes;
    std::string file;
    std::string title;
  } cases[] = {
      {"lower-case tag is no tag", FrameStream(ShortFrameHeader, 32, 320) + Tag("x", "", 17, "2001", "tag"),
       "song.mp3", "song.mp3"},
      {"no tag", FrameStream(ShortFrameHeader, 32, 320), "plain.mp3", "plain.mp3"},
      {"128 bytes: the tag is not looked for", FrameStream(ShortFrameHeader, 32, 128), "small.mp3",
       "[notag]"},
      {"no frame pair keeps the reset texts", Junk(1000) + Tag("Song", "", 17), "junk.mp3",
       "[notag]"},
      {"long name cut to 30 bytes", FrameStream(ShortFrameHeader, 32, 320),
       "a-file-name-longer-than-thirty-bytes.mp3", "a-file-name-longer-than-thirty"},
      // After one ASCII letter, byte 30 falls inside the tenth three-byte character.
      {"no character split", FrameStream(ShortFrameHeader, 32, 320), "a手机铃声手机铃声手机铃声.mp3",
       "a手机铃声手机铃声手"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AnalyseBytes(c.bytes, c.file);
    EXPECT_FALSE(audio.HasTag());
    EXPECT_EQ(audio.Info.TagId, "BAD");
    EXPECT_EQ(audio.Info.Title, c.title);
    EXPECT_EQ(audio.Info.Artist, "[notag]");
    EXPECT_EQ(audio.Info.Year, "    ");
    EXPECT_EQ(audio.Info.Genre, 255);
    EXPECT_EQ(audio.Info.Track, 0);
  }
}

TEST(TagText, TrimTagText) {
  const struct {
    std::string bytes, text;
  } cases[] = {
      {"abc", "abc"},
      {"abc   ", "abc"},
      {"abc \0 \0"s, "abc"},
      {"  abc", "  abc"},
      {"\0abc"s, ""},
      {"      ", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimTagText(c.bytes), c.text) << c.bytes;
}

}  // namespace
