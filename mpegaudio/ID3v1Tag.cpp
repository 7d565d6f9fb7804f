#include "ID3v1Tag.h"

#include "TextCut.h"

#include <cstring>

const std::array<std::string_view, 126> GenreNames = {
    /*   0 */ "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    /*  10 */ "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    /*  20 */ "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk",
    /*  30 */ "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    /*  40 */ "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic",
    /*  50 */ "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",
    /*  60 */ "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes",
    /*  70 */ "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    /*  80 */ "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    /*  90 */ "Avantgarde", "Gothic Rock", "Progessive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic",
    /* 100 */ "Humour", "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove",
    /* 110 */ "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle",
    /* 120 */ "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall",
};

std::string TrimTagText(std::string_view bytes) {
  std::string_view text = bytes.substr(0, bytes.find('\0'));
  const std::size_t last = text.find_last_not_of(std::string_view(" \0", 2));
  return std::string(text.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

bool ReadID3v1Tag(const std::uint8_t (&block)[ID3v1TagLength], TMPEGAudioInfo& info) {
  if (std::memcmp(block, "TAG", 3) != 0) return false;
  const auto field = [&block](std::size_t offset, std::size_t length) {
    return std::string_view(reinterpret_cast<const char*>(block) + offset, length);
  };
  constexpr std::size_t text = TMPEGAudioInfo::TagTextCapacity;
  info.TagId = CutText(TrimTagText(field(0, 3)), TMPEGAudioInfo::TagIdCapacity);
  info.Title = CutText(TrimTagText(field(3, 30)), text);
  info.Artist = CutText(TrimTagText(field(33, 30)), text);
  info.Album = CutText(TrimTagText(field(63, 30)), text);
  info.Year = std::string(field(93, TMPEGAudioInfo::YearLength));
  info.Comment = CutText(TrimTagText(field(97, 30)), text);
  // ID3v1.1 keeps the track in the comment's last byte, whether or not the
  // byte before it is zero.
  info.Track = block[126];
  info.Genre = block[127];
  return true;
}
