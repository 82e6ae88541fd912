// Code-page conversion, number and date formatting, letter case and file-name
// helpers: the text rules every window and file of the programs rely on.
#include <gtest/gtest.h>

#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"

TEST(Cp1251, EveryByteRoundTripsThroughWideAndUtf8) {
  std::string all;
  for (int i = 1; i < 256; ++i) all += static_cast<char>(i);
  bool ok = false;
  EXPECT_EQ(WideToCp1251(Cp1251ToWide(all), &ok), all);
  EXPECT_TRUE(ok);
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all), &ok), all);
  EXPECT_TRUE(ok);
}

TEST(Cp1251, RussianLettersMapToTheirCodePoints) {
  std::string ru = "ЗАРУБЕЖКА Ёё №"; // compiled as Windows-1251
  EXPECT_EQ(static_cast<unsigned char>(ru[0]), 0xC7);
  EXPECT_EQ(Cp1251ToUtf8(ru), std::string(u8"ЗАРУБЕЖКА Ёё №"));
  EXPECT_EQ(Cp1251ToWide(ru), L"ЗАРУБЕЖКА Ёё №");
}

TEST(Cp1251, CharactersOutsideTheCodePageAreReported) {
  bool ok = true;
  EXPECT_EQ(WideToCp1251(L"a\u4E2Db", &ok), "a?b");
  EXPECT_FALSE(ok);
  EXPECT_FALSE(WideFitsCp1251(L"\u65E5\u672C"));
  EXPECT_TRUE(WideFitsCp1251(L"Русское"));
  ok = true;
  EXPECT_EQ(Utf8ToCp1251(u8"x€y", &ok), "x\x88y");
  EXPECT_TRUE(ok);
}

TEST(Cp1251, InvalidUtf8BecomesQuestionMarks) {
  bool ok = true;
  // A lone continuation byte, a truncated sequence and an overlong slash.
  EXPECT_EQ(Utf8ToCp1251("a\x80"
                         "b\xD0"
                         "\xC0\xAF",
                         &ok),
            "a?b???");
  EXPECT_FALSE(ok);
}

TEST(Cp1251, Utf8CheckTellsWellFormedTextFromCodePageBytes) {
  EXPECT_TRUE(classlib::IsValidUtf8(u8"Привет — «Ў» \U0001F600 \uFFFD"));
  EXPECT_TRUE(classlib::IsValidUtf8(""));
  EXPECT_FALSE(classlib::IsValidUtf8("\xCF\xF0\xE8\xE2\xE5\xF2")); // "Привет" in the code page
  EXPECT_FALSE(classlib::IsValidUtf8("\xC0\xAF"));                 // overlong
  EXPECT_FALSE(classlib::IsValidUtf8("\xED\xA0\x80"));             // a surrogate
  EXPECT_FALSE(classlib::IsValidUtf8("ok\xE2\x82"));               // cut short
  std::string out;
  classlib::AppendUtf8(out, 0x20AC);
  classlib::AppendUtf8(out, 0x1F600);
  EXPECT_EQ(out, std::string(u8"€\U0001F600"));
}

TEST(Cp1251, SupplementaryCharactersSurviveUtf8AndWide) {
  std::string utf8 = u8"A😀B";
  EXPECT_EQ(classlib::WideToUtf8(classlib::Utf8ToWide(utf8)), utf8);
}

TEST(Case, UpperCasingFollowsTheCodePage) {
  EXPECT_EQ(AnsiUpperCase("абвгдеёжз xyz їґєі ў"), "АБВГДЕЁЖЗ XYZ ЇҐЄІ Ў");
  EXPECT_EQ(AnsiLowerCase("РУССКОЕ ЁЛКА ABC"), "русское ёлка abc");
  EXPECT_EQ(AnsiUpperCase(".mp3"), ".MP3");
  EXPECT_EQ(UpperCase("абв abc"), "абв ABC"); // Latin only
  EXPECT_TRUE(SameText("ёЛкА", "ЁЛКА"));
}

TEST(Case, AcceleratorsMatchEitherCaseOfTheLetterAfterTheAmpersand) {
  // Cyrillic and Latin, both cases, Ё outside the А..я run included.
  for (char k : {'д', 'Д'}) EXPECT_TRUE(IsAccel(k, "&Да"));
  for (char k : {'y', 'Y'}) EXPECT_TRUE(IsAccel(k, "&Yes"));
  EXPECT_TRUE(IsAccel('ё', "&Ёлка"));
  EXPECT_TRUE(IsAccel('М', "&Мои каналы"));
  EXPECT_TRUE(IsAccel('к', "Мои &каналы"));
  EXPECT_FALSE(IsAccel('м', "Мои &каналы")); // only the marked letter
  EXPECT_FALSE(IsAccel('l', "&Да")); // the same key on a Latin layout is another character
  EXPECT_FALSE(IsAccel('e', "&Ёлка"));
  // "&&" is an ampersand of the text: the accelerator is the next single one.
  EXPECT_FALSE(IsAccel('&', "Rock && Roll"));
  EXPECT_FALSE(IsAccel('r', "Rock && Roll"));
  EXPECT_TRUE(IsAccel('x', "Save && E&xit"));
  EXPECT_TRUE(IsAccel('s', "&Save && E&xit")); // the first one counts
  EXPECT_FALSE(IsAccel('x', "&Save && E&xit"));
  // No accelerator: none marked, a trailing "&", an empty caption.
  EXPECT_FALSE(IsAccel('d', "Да"));
  EXPECT_FALSE(IsAccel('a', "Data&"));
  EXPECT_FALSE(IsAccel('\0', ""));
  EXPECT_FALSE(IsAccel('\0', "&"));
}

TEST(Numbers, IntegersConvertBothWays) {
  EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
  EXPECT_EQ(StrToInt(" 42 "), 42);
  EXPECT_EQ(StrToInt("-7"), -7);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(StrToIntDef("12a", -1), -1);
  EXPECT_EQ(StrToIntDef("", 5), 5);
  EXPECT_EQ(StrToInt64("9000000000"), 9000000000LL);
}

TEST(Numbers, BadIntegerTextRaisesConvertErrorNamingIt) {
  for (const char* bad : {"", "abc", "1 2", "2147483648", "--1", "+", "0x"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "no error for '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(Numbers, FloatsConvertBothWays) {
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(-2.5e-7), "-2.5E-7");
  EXPECT_DOUBLE_EQ(StrToFloat("3,25"), 3.25);
  EXPECT_DOUBLE_EQ(StrToFloat(" 1e3 "), 1000);
  EXPECT_THROW(StrToFloat("1.2.3x"), EConvertError);
}

TEST(FormatTest, CoversTheSpecifiersTheProgramsUse) {
  EXPECT_EQ(Format("%f mb", {2.0 / 3.0}), "0.67 mb");
  EXPECT_EQ(Format("%f mb", {3.0}), "3.00 mb");
  EXPECT_EQ(Format("%d%% of %s", {75, "буфер"}), "75% of буфер");
  EXPECT_EQ(Format("%.3f|%5d|%-5d|%.4d|%x", {1.23456, 42, 42, 7, 255}),
            "1.235|   42|42   |0007|FF");
  EXPECT_EQ(Format("%1:s-%0:s", {"a", "b"}), "b-a");
  EXPECT_EQ(Format("%.2s", {"abcdef"}), "ab");
  EXPECT_EQ(Format("%d", {-5LL}), "-5");
  EXPECT_EQ(Format("no args", {}), "no args");
}

TEST(FormatTest, MismatchedArgumentsRaise) {
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%s", {5}), EConvertError);
  EXPECT_THROW(Format("%d %d", {5}), EConvertError);
  EXPECT_THROW(Format("%q", {5}), EConvertError);
  EXPECT_THROW(Format("50%", {}), EConvertError);
}

TEST(FormatTest, DecimalSeparatorIsConfigurable) {
  DecimalSeparator = ',';
  std::string s = Format("%f", {1.5});
  std::string f = FloatToStr(0.25);
  DecimalSeparator = '.';
  EXPECT_EQ(s, "1,50");
  EXPECT_EQ(f, "0,25");
}

TEST(Dates, EncodeDecodeRoundTrip) {
  TDateTime d = EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 58, 999);
  int y, m, day, h, n, s, ms;
  DecodeDate(d, y, m, day);
  DecodeTime(d, h, n, s, ms);
  EXPECT_EQ(y, 2024);
  EXPECT_EQ(m, 2);
  EXPECT_EQ(day, 29);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(n, 59);
  EXPECT_EQ(s, 58);
  EXPECT_EQ(ms, 999);
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(Dates, FormatsUsedForFileNames) {
  TDateTime d = EncodeDate(2025, 3, 7) + EncodeTime(9, 5, 4, 0);
  EXPECT_EQ(FormatDateTime("hh-nn-ss", d), "09-05-04");
  EXPECT_EQ(FormatDateTime("dd-mm-yyyy", d), "07-03-2025");
  EXPECT_EQ(FormatDateTime("d.m.yy h:n:s 'at' zzz", d), "7.3.25 9:5:4 at 000");
  // A time a hair below midnight rounds into the next day consistently.
  TDateTime late = EncodeDate(2025, 12, 31) + (86400000.0 - 0.2) / 86400000.0;
  EXPECT_EQ(FormatDateTime("dd-mm-yyyy hh-nn-ss", late), "01-01-2026 00-00-00");
}

TEST(Dates, NowIsTodayAndMovesForward) {
  TDateTime a = Now(), b = Now();
  EXPECT_LE(a, b);
  EXPECT_GT(a, EncodeDate(2020, 1, 1));
  EXPECT_DOUBLE_EQ(Date(), static_cast<double>(static_cast<long long>(a)));
}

TEST(Strings, TrimAndSearch) {
  EXPECT_EQ(Trim("  \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(Pos("Title=", "StreamTitle='x'"), 7);
  EXPECT_EQ(Pos("zz", "abc"), 0);
  EXPECT_EQ(classlib::StringReplaceAll("a,b,,c", ",", ";"), "a;b;;c");
}

TEST(FileNames, SplitAndJoin) {
  EXPECT_EQ(ExtractFilePath("C:\\Korvalis\\INI\\k1.ini"), "C:\\Korvalis\\INI\\");
  EXPECT_EQ(ExtractFileDir("C:\\Korvalis\\INI\\k1.ini"), "C:\\Korvalis\\INI");
  EXPECT_EQ(ExtractFileDir("C:\\k1.ini"), "C:\\");
  EXPECT_EQ(ExtractFileName("C:\\Korvalis\\INI\\k1.ini"), "k1.ini");
  EXPECT_EQ(ExtractFileName("/tmp/a.b/c"), "c");
  EXPECT_EQ(ExtractFileExt("C:\\a.b\\file.Mp3"), ".Mp3");
  EXPECT_EQ(ExtractFileExt("C:\\a.b\\file"), "");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\file.wav", ".mp3"), "C:\\a.b\\file.mp3");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\file", ".mp3"), "C:\\a.b\\file.mp3");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("dir"), std::string("dir") + PathDelim);
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\x\\"), "C:\\x");
  EXPECT_TRUE(MatchesMask("Песня.MP3", "*.mp3"));
  EXPECT_TRUE(MatchesMask("0.TAD", "?.tad"));
  EXPECT_FALSE(MatchesMask("10.TAD", "?.tad"));
  EXPECT_TRUE(MatchesMask("noext", "*.*"));
}

TEST(DateText, WritesAndReadsByTheFormatSettings) {
  TDateTime t = EncodeDate(2026, 12, 31) + EncodeTime(23, 5, 9, 0);
  EXPECT_EQ(DateTimeToStr(t), "31.12.2026 23:05:09");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 1, 2)), "02.01.2026"); // midnight: no time
  TDateTime v = 0;
  ASSERT_TRUE(TryStrToDateTime("31.12.2026 23:05:09", v));
  EXPECT_NEAR(v, t, 1e-9);
  ASSERT_TRUE(TryStrToDateTime(" 1.2.26 ", v));
  EXPECT_EQ(v, EncodeDate(2026, 2, 1));
  ASSERT_TRUE(TryStrToDateTime("10:30", v));
  EXPECT_NEAR(v, EncodeTime(10, 30, 0, 0), 1e-12);
  for (const char* bad : {"", "abc", "31.02.2026", "1.2", "25:00", "1..2026", "12.12.2026 x"})
    EXPECT_FALSE(TryStrToDateTime(bad, v)) << bad;
  EXPECT_THROW(StrToDateTime("abc"), EConvertError);

  std::string saved_date = ShortDateFormat, saved_time = LongTimeFormat;
  ShortDateFormat = "mm/dd/yyyy";
  LongTimeFormat = "hh-nn";
  EXPECT_EQ(DateTimeToStr(t), "12/31/2026 23-05");
  ASSERT_TRUE(TryStrToDateTime("12/31/2026 23-05", v));
  EXPECT_NEAR(v, EncodeDate(2026, 12, 31) + EncodeTime(23, 5, 0, 0), 1e-9);
  EXPECT_FALSE(TryStrToDateTime("31.12.2026", v));
  ShortDateFormat = saved_date;
  LongTimeFormat = saved_time;
}
