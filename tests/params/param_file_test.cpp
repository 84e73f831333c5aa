#include "params/param_file.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "platform/files.h"

namespace mapbasis {
namespace {

const std::string kSep(1, platform::kPathSeparator);

struct Read {
  std::int32_t status;
  SheetParameters p;
  std::string reason;
};

// The file is called "t" in the messages.
Read ReadText(std::string_view content) {
  Read r;
  const Outcome read = ReadParamText(content, "t", r.p);
  r.status = read.fault.code();
  r.reason = read.reason;
  return r;
}

// What a failure says: the place (the file and, when the fault belongs to one, its line), then why.
std::string Said(int line, const std::string& message) {
  return "t" + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message;
}

// A line of `width` characters: `text` preceded by blanks.
std::string RightAligned(const std::string& text, std::size_t width) {
  return std::string(width - text.size(), ' ') + text;
}

TEST(ParamFile, RejectedFiles) {
  const std::string valid = "Nom=N-37-XIV;\nPath=/rr;\n";
  struct Case {
    std::string content;
    std::int32_t status;
    int line;
    std::string message;
  } const cases[] = {
      {"CS=CK-42", 4, 1, "item without its \";\": \"CS=CK-42\""},
      {valid + "CS=CK-42; xyz", 4, 3, "item without its \";\": \"xyz\""},
      // A value that looks like an accepted name but for Cyrillic letters says which ones.
      {valid + Cp1251("CS=СК-42;").str(), 4, 3,
       Cp1251("\"CS\" value \"СК-42\" is not CK-42, CK-95 or ГCK-2011 (C and K must be Latin "
              "letters, only Г is Cyrillic)")
           .str()},
      {valid + Cp1251("CS=ГСК-2011;").str(), 4, 3,
       Cp1251("\"CS\" value \"ГСК-2011\" is not CK-42, CK-95 or ГCK-2011 (C and K must be "
              "Latin letters, only Г is Cyrillic)")
           .str()},
      {valid + Cp1251("CS=СК-43;").str(), 4, 3,
       Cp1251("\"CS\" value \"СК-43\" is not CK-42, CK-95 or ГCK-2011").str()},
      {"Nom=n-37-xiv;", 4, 1,
       "\"Nom\" value \"n-37-xiv\" is not a sheet name: sheet numbers are upper-case Roman "
       "numerals (N-37-XIV)"},
      {"Nom=N-37-xxxvii;", 4, 1, "\"Nom\" value \"N-37-xxxvii\" is not a sheet name"},
      // There are no comments, and a line that tries one is told so.
      {"# N-37-XIV\n" + valid, 4, 1,
       "comments are not allowed in a parameter file: \"# N-37-XIV\""},
      {valid + "  #Nom=N-37;", 4, 3,
       "comments are not allowed in a parameter file: \"#Nom=N-37;\""},
      {"MapScale=200;\n" + valid, 4, 1, "MapScale comes before Nom"},
      {valid + "Nom=N-37;", 4, 3, "repeated key \"Nom\""},
      {valid + "\n  \nPath=/s;", 4, 5, "repeated key \"Path\""},
      {valid + "MapScale=1000;MapScale=1000;", 4, 3, "repeated key \"MapScale\""},
      {valid + "xFrom=37;xFrom=37;", 4, 3, "repeated key \"xFrom\""},
      {valid + "yMinute=1;yMinute=1;", 4, 3, "repeated key \"yMinute\""},
      {valid + "MapScale=2500;", 4, 3,
       "\"MapScale\" value \"2500\" is not 200, 500 or 1000 for a sheet of the 1:200 000 series"},
      {"Nom=N-37;MapScale=200;", 4, 1,
       "\"MapScale\" value \"200\" is not 1000, 2500 or 5000 for a sheet of the 1:1 000 000 "
       "series"},
      // The whole scale where the thousands are wanted, as people paste it, says what to write.
      {valid + "MapScale=200000;", 4, 3,
       "\"MapScale\" value \"200000\" is the scale 1:200 000: write 200, MapScale is in "
       "thousands"},
      {valid + "MapScale= 1:200 000 ;", 4, 3,
       "\"MapScale\" value \"1:200 000\" is the scale 1:200 000: write 200, MapScale is in "
       "thousands"},
      {valid + "MapScale=500\xA0"
               "000;",
       4, 3,
       "\"MapScale\" value \"500\xA0"
       "000\" is the scale 1:500 000: write 500, MapScale is in "
       "thousands"},
      {valid + "MapScale=1 : 1000;", 4, 3,
       "\"MapScale\" value \"1 : 1000\" is the scale 1:1 000 000: write 1000, MapScale is in "
       "thousands"},
      {"Nom=N-37;MapScale=1:2 500 000;", 4, 1,
       "\"MapScale\" value \"1:2 500 000\" is the scale 1:2 500 000: write 2500, MapScale is "
       "in thousands"},
      // A scale of the other series, or of none, is refused as any other value.
      {valid + "MapScale=2500000;", 4, 3,
       "\"MapScale\" value \"2500000\" is not 200, 500 or 1000 for a sheet of the 1:200 000 "
       "series"},
      {valid + "MapScale=1:300 000;", 4, 3,
       "\"MapScale\" value \"1:300 000\" is not 200, 500 or 1000 for a sheet of the 1:200 000 "
       "series"},
      {valid + "MapScale=1:;", 4, 3,
       "\"MapScale\" value \"1:\" is not 200, 500 or 1000 for a sheet of the 1:200 000 series"},
      {valid + "MapScale=200 00;", 4, 3,
       "\"MapScale\" value \"200 00\" is not 200, 500 or 1000 for a sheet of the 1:200 000 "
       "series"},
      {"Nom=N-37;Path=C:;", 4, 1, "\"Path\" value \"C:\" is shorter than 3 characters"},
      // A long value is shown cut, control characters as escapes.
      {"Path=" + std::string(300, 'a') + ";", 4, 1,
       "\"Path\" value \"" + std::string(80, 'a') +
           "...\" makes a folder path longer than 260 characters"},
      {"Path=/rr;\nNom=N-37\x1B[2J\r;", 4, 2,
       "\"Nom\" value \"N-37\\x1B[2J\\r\" is not a sheet name"},
      {valid + "ParallelStep=0;", 4, 3, "\"ParallelStep\" value \"0\" is zero"},
      {valid + Cp1251("MeridianStep= 0°00' ;").str(), 4, 3,
       Cp1251("\"MeridianStep\" value \"0°00'\" is zero").str()},
      {valid + "xMinute=0;", 4, 3, "\"xMinute\" value \"0\" is zero"},
      {valid + "yMinute=60;", 4, 3, "\"yMinute\" value \"60\" is not whole minutes 0..59"},
      {valid + "yTo=54.5;", 4, 3,
       "\"yTo\" value \"54.5\" is not an angle in whole degrees and minutes"},
      // Real sheets outside the grid, Cyrillic look-alikes and a key in the wrong case say how
      // to mend them.
      {"Nom=N-32;", 4, 1,
       "\"Nom\" value \"N-32\" is outside the sheets this program covers (rows K to U, zones 33 "
       "to 60, 01 and 02)"},
      {"Nom=J-37-XIV;", 4, 1,
       "\"Nom\" value \"J-37-XIV\" is outside the sheets this program covers (rows K to U, "
       "zones 33 to 60, 01 and 02)"},
      {"Nom=N-37-XXXVII;", 4, 1, "\"Nom\" value \"N-37-XXXVII\" is not a sheet name"},
      // What people paste into a sheet name: Cyrillic letters for the Latin ones (a small one
      // stands for the capital, Н for N, С for S), a dash for the hyphen; each says how to write
      // it.
      {Cp1251("Nom=М-38-II;").str(), 4, 1,
       Cp1251("\"Nom\" value \"М-38-II\" is not a sheet name: it has Cyrillic letters (М); type "
              "them as Latin letters: \"M-38-II\"")
           .str()},
      {Cp1251("Nom=N-37-ХIV;").str(), 4, 1,
       Cp1251("\"Nom\" value \"N-37-ХIV\" is not a sheet name: it has Cyrillic letters (Х); "
              "type them as Latin letters: \"N-37-XIV\"")
           .str()},
      {Cp1251("Nom=н-37-XIV;").str(), 4, 1,
       Cp1251("\"Nom\" value \"н-37-XIV\" is not a sheet name: it has Cyrillic letters (н); "
              "type them as Latin letters: \"N-37-XIV\"")
           .str()},
      {Cp1251("Nom=Н-37;").str(), 4, 1,
       Cp1251("\"Nom\" value \"Н-37\" is not a sheet name: it has Cyrillic letters (Н); type "
              "them as Latin letters: \"N-37\"")
           .str()},
      {Cp1251("Nom=С-47,48;").str(), 4, 1,
       Cp1251("\"Nom\" value \"С-47,48\" is not a sheet name: it has Cyrillic letters (С); "
              "type them as Latin letters: \"S-47,48\"")
           .str()},
      {Cp1251("Nom=Т–45–ХVI;").str(), 4, 1,
       Cp1251("\"Nom\" value \"Т–45–ХVI\" is not a sheet name: it has Cyrillic letters (Т, Х); "
              "type them as Latin letters: \"T-45-XVI\"")
           .str()},
      // Outside the grid once written in Latin letters: the letters are named, not the sheet.
      {Cp1251("Nom=К-31;").str(), 4, 1,
       Cp1251("\"Nom\" value \"К-31\" is not a sheet name: it has Cyrillic letters (К); type "
              "them as Latin letters")
           .str()},
      {Cp1251("Nom=N–37;").str(), 4, 1,
       Cp1251("\"Nom\" value \"N–37\" is not a sheet name: it has a dash (–) where the hyphen "
              "belongs: \"N-37\"")
           .str()},
      {Cp1251("Nom=P—47—I,II;").str(), 4, 1,
       Cp1251("\"Nom\" value \"P—47—I,II\" is not a sheet name: it has a dash (—) where the "
              "hyphen belongs: \"P-47-I,II\"")
           .str()},
      // The minus sign has no cp1251 form: the line is refused before the name is read.
      {"Nom=N\u221237;", 3, 1,
       "the line holds U+2212 in the sheet name, a dash that code page 1251 lacks: write the "
       "hyphen - in its place"},
      {"Path=/r\u2212r; Nom=N-37;", 3, 1,
       "the line holds U+2212, a character that code page 1251 lacks"},
      // A combined sheet written as the program writes it, of a kind it names in no sheet of that
      // row, says which kinds the row has.
      {"Nom=N-37-I,II;", 4, 1,
       "\"Nom\" value \"N-37-I,II\" is not a sheet name: row N of the 1:200 000 series has "
       "single sheets only"},
      {"Nom=P-47-I,II,III;", 4, 1,
       "\"Nom\" value \"P-47-I,II,III\" is not a sheet name: row P of the 1:200 000 series has "
       "single and double sheets only"},
      {"Nom=U-45,46,47;", 4, 1,
       "\"Nom\" value \"U-45,46,47\" is not a sheet name: row U of the 1:1 000 000 series has "
       "single, double and quadruple sheets only"},
      {"Nom=S-47-I,II,III,IV;", 4, 1,
       "\"Nom\" value \"S-47-I,II,III,IV\" is not a sheet name: row S of the 1:200 000 series "
       "has single, double and triple sheets only"},
      {"Nom=J-37-I,II;", 4, 1,
       "\"Nom\" value \"J-37-I,II\" is outside the sheets this program covers (rows K to U, "
       "zones 33 to 60, 01 and 02)"},
      {"Nom=P-47-I,III;", 4, 1, "\"Nom\" value \"P-47-I,III\" is not a sheet name"},
      {"Nom=P-47-VI,VII;", 4, 1, "\"Nom\" value \"P-47-VI,VII\" is not a sheet name"},
      {"mapscale=200;", 4, 1,
       "unknown key \"mapscale\": keys are case-sensitive; write \"MapScale\""},
      {"MapScal=200;", 4, 1, "unknown key \"MapScal\""},
      {"cs=CK-42;", 4, 1, "unknown key \"cs\": keys are case-sensitive; write \"CS\""},
      // 0x98 is no cp1251 character; a terminal would take it for a control.
      {"MapScal\x98"
       "e=1;",
       4, 1, "unknown key \"MapScal\\x98e\""},
      {"a=;", 4, 1, "item without a value: \"a=;\""},
      {"CS=  ;", 4, 1, "item without a value: \"CS=  ;\""},
      {"=CK-42;", 4, 1, "item without a key: \"=CK-42;\""},
      {"CS CK-42;", 4, 1, "item without \"=\": \"CS CK-42;\""},
      {";CS=CK-42;", 4, 1, "item without \"=\": \";\""},
      {"CS;=CK-42;", 4, 1, "item without \"=\": \"CS;\""},
      // Only one carriage return ends a line; a tab is no blank.
      {"Nom=N-37;\r\r\nPath=/rr;", 4, 1, "item without its \";\": \"\\r\""},
      {"Nom=N-37;\n\t\nPath=/rr;", 4, 2, "item without its \";\": \"\\t\""},
      {"Nom=N-37;", 5, 0, "Path is missing"},
      {"Path=/rr;\n", 5, 0, "Nom is missing"},
      {"", 5, 0, "Nom and Path are missing"},
      {"\n   \n\n", 5, 0, "Nom and Path are missing"},
      {"Nom=N-37;Path=/rr;\n\nxFrom=30;", 6, 3,
       Cp1251("xFrom 30° 00' is a full sheet or more west of the sheet's west edge 36° 00'").str()},
      {"xTo=48;Nom=N-37;Path=/rr;", 6, 1,
       Cp1251("xTo 48° 00' is a full sheet or more east of the sheet's east edge 42° 00'").str()},
      {valid + "yFrom=53 19;", 6, 3,
       Cp1251("yFrom 53° 19' is a full sheet or more south of the sheet's south edge 54° 00'")
           .str()},
      {valid + "yTo=55 21;", 6, 3,
       Cp1251("yTo 55° 21' is a full sheet or more north of the sheet's north edge 54° 40'").str()},
      {"yTo=60;\nNom=N-37;Path=/rr;", 6, 1,
       Cp1251("yTo 60° 00' is a full sheet or more north of the sheet's north edge 56° 00'").str()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Cp1251ToUtf8(c.content));
    const Read r = ReadText(c.content);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.p.Status, c.status);
    EXPECT_EQ(r.reason, Said(c.line, c.message));
  }
}

TEST(ParamFile, CompleteSheetWithDefaults) {
  const Read r = ReadText(Cp1251("CS=ГCK-2011;\nNom=N-37-XIV;\nPath=D:\\Maps\\N-37-XIV;\n"
                                 "MapScale=200;\n")
                              .str());
  ASSERT_EQ(r.status, 0) << r.reason;
  EXPECT_EQ(r.reason, "");
  const SheetParameters& p = r.p;
  EXPECT_EQ(p.CS, 3);
  EXPECT_EQ(p.MillionSeries, 0);
  EXPECT_EQ(p.Belt, 8);
  EXPECT_EQ(p.Zone, 37);
  EXPECT_EQ(p.SheetNo, 14);
  EXPECT_EQ(p.ExtraSheets, 0);
  EXPECT_EQ(p.MapScale, 0);
  EXPECT_EQ(p.Path, "D:\\Maps\\N-37-XIV" + kSep);
  EXPECT_EQ(p.xFrom, 37.0);
  EXPECT_EQ(p.xTo, 38.0);
  EXPECT_EQ(p.yFrom, p.BaseSouth);
  EXPECT_EQ(p.yTo, p.BaseNorth);
  EXPECT_EQ(p.MeridianStep, 0.25);
  EXPECT_EQ(p.ParallelStep, 1.0 / 6.0);
  EXPECT_EQ(p.xMinute, 1);
  EXPECT_EQ(p.yMinute, 1);
}

TEST(ParamFile, AcceptedFiles) {
  struct Case {
    const char* what;
    std::string content;
    std::int32_t cs, series, mapScale;
    std::string path;
  } const cases[] = {
      {"three items on one line", "CS=CK-42; Nom=N-37; Path=C:\\R;", 1, 1, 0, "C:\\R" + kSep},
      {"blanks around key and value", "  CS = CK-42 ;Nom = N-37 ;Path = /rr ;", 1, 1, 0,
       "/rr" + kSep},
      {"the second CS counts", "CS=CK-95;Nom=N-37;CS=" + Cp1251("ГCK-2011").str() + ";Path=/rr;", 3,
       1, 0, "/rr" + kSep},
      {"no CS is CK-42", "Nom=N-37;Path=/rr;", 1, 1, 0, "/rr" + kSep},
      {"1000 in the 1:200 000 series", "Nom=N-37-XIV;MapScale=1000;Path=/rr;", 1, 0, 2,
       "/rr" + kSep},
      {"1000 in the 1:1 000 000 series", "Nom=N-37;MapScale=1000;Path=/rr;", 1, 1, 0, "/rr" + kSep},
      {"5000", "Nom=N-37;MapScale=5000;Path=/rr;", 1, 1, 2, "/rr" + kSep},
      {"500", "Nom=N-37-XIV;MapScale=500;Path=/rr;", 1, 0, 1, "/rr" + kSep},
      {"blank lines between", "\n\n   \nNom=N-37;\n\n   Path=/rr;   \n\n", 1, 1, 0, "/rr" + kSep},
      {"cp1251 file", Cp1251("CS=ГCK-2011;\nNom=N-37;\nPath=/tmp/Карты;\n").str(), 3, 1, 0,
       Cp1251("/tmp/Карты/").str()},
      {"UTF-8 file", "CS=ГCK-2011;\nNom=N-37;\nPath=/tmp/Карты;\n", 3, 1, 0,
       Cp1251("/tmp/Карты/").str()},
      {"UTF-8 file with byte-order mark and CR LF",
       "\xEF\xBB\xBF"
       "CS=CK-95;\r\nNom=N-37;\r\nPath=/tmp/Карты;\r\n",
       2, 1, 0, Cp1251("/tmp/Карты/").str()},
      {"byte-order mark on a plain ASCII file", "\xEF\xBB\xBFNom=N-37;Path=/rr;", 1, 1, 0,
       "/rr" + kSep},
      {"CR LF in a cp1251 file", Cp1251("Nom=N-37;\r\nPath=/Карты;\r\n").str(), 1, 1, 0,
       Cp1251("/Карты/").str()},
      {"no line feed at the end", "Nom=N-37;\nPath=/rr;", 1, 1, 0, "/rr" + kSep},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Read r = ReadText(c.content);
    ASSERT_EQ(r.status, 0) << r.reason;
    EXPECT_EQ(r.p.CS, c.cs);
    EXPECT_EQ(r.p.MillionSeries, c.series);
    EXPECT_EQ(r.p.MapScale, c.mapScale);
    EXPECT_EQ(r.p.Path, c.path);
  }
}

TEST(ParamFile, RefinedTrapezoidAndSteps) {
  const Read r =
      ReadText(Cp1251("Nom=N-37;Path=/rr;\nxFrom=30 01;xTo=47°59';yFrom=48 01';yTo=55°;\n"
                      "MeridianStep=2;ParallelStep=0°40';xMinute=05';yMinute=5;")
                   .str());
  ASSERT_EQ(r.status, 0) << r.reason;
  // One minute inside a full sheet beyond the base trapezoid 36..42 E, 52..56 N.
  EXPECT_EQ(r.p.xFrom, 30.0 + 1 / 60.0);
  EXPECT_EQ(r.p.xTo, 47.0 + 59 / 60.0);
  EXPECT_EQ(r.p.yFrom, 48.0 + 1 / 60.0);
  EXPECT_EQ(r.p.yTo, 55.0);
  EXPECT_EQ(r.p.MeridianStep, 2.0);
  EXPECT_EQ(r.p.ParallelStep, 40 / 60.0);
  EXPECT_EQ(r.p.ParallelStep, 2.0 / 3.0);
  EXPECT_EQ(r.p.xMinute, 5);
  EXPECT_EQ(r.p.yMinute, 5);
}

// The edges may reach beyond the base trapezoid by less than one sheet of the series.
TEST(ParamFile, EdgeMarginsAreStrict) {
  struct Case {
    std::string items;
    std::int32_t status;
  } const cases[] = {
      {"Nom=N-37;xFrom=30;", 6},
      {"Nom=N-37;xFrom=30 01;", 0},
      {"Nom=N-37;xTo=48;", 6},
      {"Nom=N-37;xTo=47 59;", 0},
      {"Nom=N-37;yFrom=48;", 6},
      {"Nom=N-37;yFrom=48 01;", 0},
      {"Nom=N-37;yTo=60;", 6},
      {"Nom=N-37;yTo=59 59;", 0},
      {"Nom=N-37-XIV;xFrom=36;", 6},
      {"Nom=N-37-XIV;xFrom=36 01;", 0},
      {"Nom=N-37-XIV;xTo=39;", 6},
      {"Nom=N-37-XIV;xTo=38 59;", 0},
      {"Nom=N-37-XIV;yFrom=53 19;", 6},
      {"Nom=N-37-XIV;yFrom=53 21;", 0},
      {"Nom=N-37-XIV;yTo=55 21;", 6},
      {"Nom=N-37-XIV;yTo=55 19;", 0},
      // The trapezoid must not be turned inside out, empty or beyond the pole.
      {"Nom=N-37;xFrom=41;xTo=37;", 6},
      {"Nom=N-37;xFrom=42;", 6},
      {"Nom=N-37-XIV;xTo=37;", 6},
      {"Nom=N-37-XIV;yFrom=54 40;", 6},
      {"Nom=U-33;yFrom=84;", 6},
      {"Nom=U-33;yTo=87 59;", 0},
      // Zone 1 starts at 180 and reaches back to 174 (6 W).
      {"Nom=N-01;xFrom=174;", 6},
      {"Nom=N-01;xFrom=174 01;", 0},
  };
  for (const auto& c : cases) {
    const Read r = ReadText(c.items + "Path=/rr;");
    EXPECT_EQ(r.status, c.status) << c.items;
  }
}

// Reading stops at the first failing item; what was read until then stays.
TEST(ParamFile, FailureKeepsWhatWasRead) {
  const Read r = ReadText("CS=CK-95;xFrom=37;Nom=N-37;MapScale=200;Path=/rr;yFrom=53;");
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.p.CS, 2);
  EXPECT_EQ(r.p.xFrom, 37.0);
  EXPECT_EQ(r.p.MillionSeries, 1);
  EXPECT_EQ(r.p.MapScale, kRejected);
  EXPECT_EQ(r.p.Path, "");
  EXPECT_EQ(r.p.yFrom, kNotGivenAngle);
  EXPECT_EQ(r.p.xMinute, kNotGiven);
}

TEST(ParamFile, LinesAreReadUpToTheir1000thCharacter) {
  const std::string head = "Nom=N-37;Path=/rr;";
  struct Case {
    const char* what;
    std::string line;
    std::int32_t status, cs;
  } const cases[] = {
      {"item ending at the 1000th character", RightAligned("CS=CK-95;", 1000), 0, 2},
      {"blanks beyond the limit", RightAligned("CS=CK-95;", 1000) + std::string(200, ' '), 0, 2},
      // Text beyond the limit would be lost without a word: the line is refused.
      {"item cut by the limit", RightAligned("CS=CK-95;", 1001), 4, 1},
      {"1200 characters", RightAligned("CS=CK-95;", 1000) + std::string(200, 'x'), 4, 1},
      {"an item beyond a long run of blanks", "CS=CK-95;" + std::string(1000, ' ') + "xFrom=37 30;",
       4, 1},
      // The Cyrillic letters count as one character each, also in a UTF-8 file.
      {"UTF-8 line", RightAligned("CS=CK-95;Path=/Карты;", 1000 + 5) + "   ", 0, 2},
      {"UTF-8 line with text beyond the limit", RightAligned("Path=/Карты;", 1000 + 5) + "xyz", 4,
       1},
      {"UTF-8 line with an unknown character beyond the limit",
       RightAligned("Path=/Карты;", 1000 + 5) + "中", 4, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool ownPath = c.line.find("Path") != std::string::npos;
    const Read r = ReadText((ownPath ? "Nom=N-37;" : head) + "\n" + c.line + "\n");
    EXPECT_EQ(r.status, c.status) << r.reason;
    EXPECT_EQ(r.p.CS, c.cs);
    if (c.status != 0) {
      EXPECT_EQ(r.reason.rfind("t:2: ", 0), 0u) << r.reason;
    }
  }
}

TEST(ParamFile, UnreadableLinesOfUtf8Files) {
  struct Case {
    std::string content;
    int line;
    std::string message;
  } const cases[] = {
      {"Nom=N-37;\nPath=/tmp/中;\n", 2,
       "the line holds U+4E2D, a character that code page 1251 lacks"},
      {"\xEF\xBB\xBFNom=N-37;\r\n\r\nPath=/tmp/\xC3;\r\n", 3, "the line is not valid UTF-8"},
  };
  for (const auto& c : cases) {
    const Read r = ReadText(c.content);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.reason, Said(c.line, c.message));
  }
  // A failing item comes to light before a bad line that follows it.
  EXPECT_EQ(ReadText("Nom=N-32;\nPath=/tmp/中;\n").status, 4);
}

}  // namespace
}  // namespace mapbasis
