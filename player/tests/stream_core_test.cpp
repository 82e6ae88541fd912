// The station road's rules: titles from metadata, their conversion to
// Windows-1251, what the labels show, bitrate and sample-rate texts, the
// volume's range and the buffering wait.
#include <gtest/gtest.h>

#include "classlib/Cp1251.h"
#include "player/StreamCore.h"

namespace {

TEST(StreamTitle, TakesTheTextBetweenTheQuotes) {
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='Artist - Song';StreamUrl='';"), "Artist - Song");
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='';"), "");
}

TEST(StreamTitle, EndsAtTheQuoteThatClosesIt) {
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='Rock; Roll';"), "Rock; Roll");
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='x';"), "x");
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='It's me';StreamUrl='u';"), "It's me");
  EXPECT_EQ(ExtractStreamTitle("StreamUrl='a;b';StreamTitle='Song';"), "Song");
  // Without "';" the last quote closes it.
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='Song'"), "Song");
  EXPECT_EQ(ExtractStreamTitle("a;StreamTitle='Song'"), "Song");
}

TEST(StreamTitle, CharacterReferencesKeepTheirSemicolonsAndAreDecodedAfterwards) {
  const std::optional<std::string> t =
      ExtractStreamTitle("StreamTitle='&#1040;&#1083;&#1080;&#1089;&#1072; - &#x41C;ir';"
                         "StreamUrl='';");
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(*t, "&#1040;&#1083;&#1080;&#1089;&#1072; - &#x41C;ir");
  EXPECT_EQ(ConvertUtf8Cyrillic(*t), "Алиса - Мir");
}

TEST(StreamTitle, EmptyWithoutAClosingQuote) {
  EXPECT_EQ(ExtractStreamTitle("StreamTitle="), "");
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='"), "");
  EXPECT_EQ(ExtractStreamTitle("StreamTitle='Song;"), "");
}

TEST(StreamTitle, NothingWithoutTheKey) {
  EXPECT_FALSE(ExtractStreamTitle("StreamUrl='x';").has_value());
  EXPECT_FALSE(ExtractStreamTitle("").has_value());
}

TEST(TitleConversion, RussianLettersBecomeTheirCodePageBytes) {
  EXPECT_EQ(ConvertUtf8Cyrillic(u8"Привет"), "Привет");
  EXPECT_EQ(ConvertUtf8Cyrillic(u8"ЁЖИКЪЯ ёжикъя"), "ЁЖИКЪЯ ёжикъя");
}

TEST(TitleConversion, EveryOtherCharacterOfTheCodePageToo) {
  EXPECT_EQ(ConvertUtf8Cyrillic(u8"Artist — Song «Ў» і ї є ґ № €"),
            "Artist — Song «Ў» і ї є ґ № €");
}

TEST(TitleConversion, CharactersTheCodePageLacksBecomeQuestionMarks) {
  // (held apart: the test macros spell their arguments in the code page)
  const std::string japanese = u8"日本 ok";
  EXPECT_EQ(ConvertUtf8Cyrillic(japanese),
            "?"
            "? ok");
  EXPECT_EQ(ConvertUtf8Cyrillic(u8"a\U0001F600b"), "a?b");
}

TEST(TitleConversion, LatinTextIsUnchanged) {
  const std::string latin = "AC/DC - Back In Black (1980) [live] & more";
  EXPECT_EQ(ConvertUtf8Cyrillic(latin), latin);
}

TEST(TitleConversion, TextInTheCodePageAlreadyStaysAsReceived) {
  const std::string cp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2 - \xC0\xEB\xE8\xF1\xE0"; // Привет - Алиса
  EXPECT_EQ(ConvertUtf8Cyrillic(cp1251), cp1251);
  // overlong forms and lone continuation bytes are not UTF-8 either
  EXPECT_EQ(ConvertUtf8Cyrillic("\xC0\xAF"), "\xC0\xAF");
  EXPECT_EQ(ConvertUtf8Cyrillic("ab\x80"), "ab\x80");
  EXPECT_EQ(ConvertUtf8Cyrillic("\xD0"), "\xD0"); // cut in the middle of a letter
}

TEST(TitleConversion, OneStrayByteCostsOnlyItself) {
  // The Russian letters are still replaced and the references decoded into
  // the code page; every other byte (a UTF-8 dash, a Belarusian letter)
  // stays as it came.
  const std::string letters =
      u8"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя";
  EXPECT_EQ(ConvertUtf8Cyrillic(letters + "\xFF"), Utf8ToCp1251(letters) + "\xFF");
  EXPECT_EQ(ConvertUtf8Cyrillic(std::string(u8"Кино — Ў\xD0")),
            "\xCA\xE8\xED\xEE \xE2\x80\x94 \xD0\x8E\xD0");
  EXPECT_EQ(ConvertUtf8Cyrillic("\xFF&#1050;&#8212;&#26085;"), "\xFF\xCA\x97?");
  // A letter's byte never joins the stray byte before it into another
  // letter (Ё is 0xA8, and "\xD0\xA8" is the UTF-8 of Ш).
  EXPECT_EQ(ConvertUtf8Cyrillic(std::string("\xD0") + u8"Ё"), "\xD0\xA8");
  EXPECT_EQ(ConvertUtf8Cyrillic("\xD0&#1025;"), "\xD0\xA8");
}

TEST(TitleConversion, NumericCharacterReferencesAreDecodedFirst) {
  EXPECT_EQ(ConvertUtf8Cyrillic("&#1050;&#1080;&#1085;&#1086; - &#x41A;&#X438;no"), "Кино - Киno");
  EXPECT_EQ(ConvertUtf8Cyrillic("&#26085;"), "?");
}

TEST(TitleConversion, MalformedReferencesStayAsText) {
  for (const char* s :
       {"&#;", "&#12", "&#x;", "&#0;", "&#xD800;", "&#99999999;", "&amp;", "&#12a;"})
    EXPECT_EQ(ConvertUtf8Cyrillic(s), s) << s;
}

TEST(TitleLabel, LongTitlesAreCutAt80Characters) {
  const std::string t80(80, 'a'), t81(81, 'b');
  EXPECT_EQ(TitleLabelText(t80), t80);
  EXPECT_EQ(TitleLabelText(t81), std::string(77, 'b') + "...");
  EXPECT_EQ(TitleLabelText(""), "------------");
  EXPECT_EQ(TitleLabelText("-"), "------------");
}

TEST(StationLine, MainListLinesAreCutAt30Characters) {
  const std::string l30 = "1 " + std::string(28, 'x'), l31 = "2 " + std::string(29, 'y');
  EXPECT_EQ(StationLineText(l30, true), l30);
  EXPECT_EQ(StationLineText(l31, true), l31.substr(0, 27) + "...");
  EXPECT_EQ(StationLineText(l31, false), l31);
}

TEST(HeaderTexts, BitrateFromTheBufferLength) {
  EXPECT_EQ(BitrateFromBufferLength(80000), 128);
  EXPECT_EQ(BitrateText(BitrateFromBufferLength(80000)), "128кбит/c");
  EXPECT_EQ(BitrateFromBufferLength(0), 0);
  // the length is read as 32 bits
  EXPECT_EQ(BitrateFromBufferLength(0x100000000ull + 80000), 128);
  EXPECT_EQ(BitrateFromBufferLength(40062), 64); // 320.5 rounds to 320 (64), not 321
}

TEST(HeaderTexts, SampleRateShowsItsFirstTwoDigits) {
  EXPECT_EQ(SampleRateText(48000), "48кгц");
  EXPECT_EQ(SampleRateText(44100), "44кгц");
  EXPECT_EQ(SampleRateText(0), "0кгц");
}

TEST(Volume, StaysWithin0And100) {
  EXPECT_EQ(ClampVolume(101), 100);
  EXPECT_EQ(ClampVolume(100), 100);
  EXPECT_EQ(ClampVolume(-1), 0);
  EXPECT_EQ(ClampVolume(5), 5);
}

TEST(TimeString, TwoDigitsJoinedByDashes) {
  EXPECT_EQ(FormatTimeStr(7, 5, 9), "07-05-09");
  EXPECT_EQ(FormatTimeStr(23, 59, 0), "23-59-00");
}

TEST(BufferWaitTest, UnknownLengthEndsTheWaitAtOnce) {
  BufferWait w;
  EXPECT_EQ(w.Look(0, 0, static_cast<std::uint64_t>(-1), 0), BufferWait::Step::Done);
  EXPECT_EQ(w.Percent(), -1);
  // only the low 32 bits count
  EXPECT_EQ(w.Look(0, 0, 0x1FFFFFFFFull, 0), BufferWait::Step::Done);
}

TEST(BufferWaitTest, WaitsUntilMoreThan75PercentAreBuffered) {
  BufferWait w;
  EXPECT_EQ(w.Look(0, 750, 1000, 0), BufferWait::Step::Wait);
  EXPECT_EQ(w.Percent(), 75);
  EXPECT_EQ(w.Look(0, 760, 1000, 10), BufferWait::Step::Done);
  EXPECT_EQ(w.Percent(), 76);
  // what the decoder took counts against the buffered share
  BufferWait v;
  EXPECT_EQ(v.Look(500, 1200, 1000, 0), BufferWait::Step::Wait);
  EXPECT_EQ(v.Percent(), 70);
}

TEST(BufferWaitTest, PercentageIsComputedIn64Bits) {
  BufferWait w;
  EXPECT_EQ(w.Look(0, 3000000000ull, 4000000000ull, 0), BufferWait::Step::Wait);
  EXPECT_EQ(w.Percent(), 75);
}

TEST(BufferWaitTest, GivesUpWhenTheDownloadStallsFor15Seconds) {
  BufferWait w;
  EXPECT_EQ(w.Look(0, 100, 1000, 0), BufferWait::Step::Wait);
  EXPECT_EQ(w.Look(0, 100, 1000, 14999), BufferWait::Step::Wait);
  EXPECT_EQ(w.Look(0, 100, 1000, 15000), BufferWait::Step::Stalled);
}

TEST(BufferWaitTest, ASlowButMovingDownloadIsWaitedFor) {
  BufferWait w(1000);
  std::int64_t t = 0;
  for (std::uint64_t d = 0; d <= 700; d += 10, t += 900)
    ASSERT_EQ(w.Look(0, d, 1000, t), BufferWait::Step::Wait) << d;
  EXPECT_EQ(w.Look(0, 800, 1000, t), BufferWait::Step::Done);
}

TEST(BufferWaitTest, NoBufferLengthIsNotADivisionByZero) {
  BufferWait w;
  EXPECT_EQ(w.Look(0, 0, 0, 0), BufferWait::Step::Done);
}

} // namespace
