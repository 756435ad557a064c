#include "project/ProjectFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "link/CommandType.h"
#include "support/FileBytes.h"
#include "support/LinkHarness.h"
#include "support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

using Getter = std::function<double(const DeviceStatusRecord&)>;
using Setter = std::function<void(DeviceStatusRecord&)>;

struct SavedLine {
  std::string section, key, value;
};

// Key lines of a saved project with the section each belongs to; section
// headers go to `headers` when given.
std::vector<SavedLine> KeyLines(const std::string& text,
                                std::vector<std::string>* headers = nullptr) {
  std::vector<SavedLine> lines;
  std::string section;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) break;
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    if (line.starts_with('[')) {
      section = line.substr(1, line.size() - 2);
      if (headers) headers->push_back(section);
    } else {
      const std::size_t eq = line.find('=');
      lines.push_back({section, line.substr(0, eq), line.substr(eq + 1)});
    }
  }
  return lines;
}

std::vector<std::string> ValuesOf(const std::vector<SavedLine>& lines, const std::string& section,
                                  const std::string& key) {
  std::vector<std::string> values;
  for (const SavedLine& l : lines) {
    if (l.section == section && l.key == key) values.push_back(l.value);
  }
  return values;
}

std::vector<std::string> KeysOf(const std::vector<SavedLine>& lines, const std::string& section) {
  std::vector<std::string> keys;
  for (const SavedLine& l : lines) {
    if (l.section == section) keys.push_back(l.key);
  }
  return keys;
}

// Varied bytes everywhere, so every carried field has a value of its own.
void FillVaried(DeviceStatusRecord& rec) {
  auto* bytes = reinterpret_cast<uint8_t*>(&rec);
  for (std::size_t i = 0; i < sizeof rec; ++i) bytes[i] = static_cast<uint8_t>(i * 131 + 7);
  rec.Gamma = 2.2f;
}

// Zeroes what a project file does not carry: padding, the values only the
// processor uses, and the high bytes of fields saved as their low byte.
void ClearUncarried(DeviceStatusRecord& r) {
  r.MosaicAux = 0;
  r.LogoAux = 0;
  r.OutputFlag31 = 0;
  r.PvwMode = r.PvwMode & 0xFF;
  for (auto& c : r.Chnl) c.pad0 = 0;
  for (auto& i : r.InputReso) {
    i.ResoIdx = i.ResoIdx & 0xFF;
    i.Interlace = i.Interlace & 0xFF;
  }
  for (auto& p : r.Picture) {
    std::memset(p.pad0, 0, sizeof p.pad0);
    p.pad1 = 0;
    p.PicOption = p.PicOption & 0xFF;
  }
  for (auto& c : r.Crop) c.pad0 = 0;
  for (auto& e : r.Edid) e.pad0 = 0;
  for (auto& t : r.Task) t.pad0 = 0;
  for (auto& k : r.Keyer) {
    std::memset(k.pad0, 0, sizeof k.pad0);
    std::memset(k.pad1, 0, sizeof k.pad1);
  }
  std::memset(r.pad1994, 0, sizeof r.pad1994);
  std::memset(r.pad2081, 0, sizeof r.pad2081);
  r.pad2209 = 0;
  std::memset(r.pad2246, 0, sizeof r.pad2246);
  std::memset(r.pad2306, 0, sizeof r.pad2306);
  std::memset(r.pad2317, 0, sizeof r.pad2317);
  r.pad2337 = 0;
  std::memset(r.pad2340, 0, sizeof r.pad2340);
  std::memset(r.pad2344, 0, sizeof r.pad2344);
  std::memset(r.pad2348, 0, sizeof r.pad2348);
  r.pad2351 = 0;
  std::memset(r.pad2353, 0, sizeof r.pad2353);
}

// Offset of the first differing byte, or -1.
int FirstDifference(const DeviceStatusRecord& a, const DeviceStatusRecord& b) {
  const auto* pa = reinterpret_cast<const uint8_t*>(&a);
  const auto* pb = reinterpret_cast<const uint8_t*>(&b);
  for (std::size_t i = 0; i < sizeof a; ++i) {
    if (pa[i] != pb[i]) return static_cast<int>(i);
  }
  return -1;
}

class ProjectFileTest : public ::testing::Test {
 protected:
  std::string Save() {
    EXPECT_EQ(ProjectFile::WriteProject(model, file), "");
    return ReadBytes(file);
  }
  static DeviceStatusRecord Load(const std::string& text) {
    return ProjectFile::ReadProjectRecordFromBytes(text);
  }

  test::TempDir temp;
  fs::path dir = temp.path();
  fs::path file = dir / "show.pro";
  DeviceModel model;
};

TEST_F(ProjectFileTest, SavesEverySectionAndKeyInFileOrder) {
  const std::string text = Save();
  ASSERT_TRUE(text.starts_with("[OUTPUTRESO]\r\n")) << "no byte-order mark, header first";
  ASSERT_TRUE(text.ends_with("\r\n"));
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    ASSERT_TRUE(c > 0 && c < 0x7F) << "ASCII only, at " << i;
    if (c == '\n') {
      ASSERT_EQ(text[i - 1], '\r') << "LF without CR at " << i;
    }
    if (c == '\r') {
      ASSERT_EQ(text[i + 1], '\n') << "CR without LF at " << i;
    }
  }

  std::vector<std::string> headers;
  const std::vector<SavedLine> lines = KeyLines(text, &headers);
  const std::vector<std::string> sections = {
      "OUTPUTRESO", "PICCOMMSETT",     "MOSAICSETT",    "CHNLDATA",    "INPUTINFO",
      "EDIDINFO",   "TASKEINFO",       "LOGOINFO",      "PVWMODEINFO", "KEYERINFO",
      "LOOPINFO",   "MACHINESYNCMODE", "COMPOSITEBOARD"};
  EXPECT_EQ(headers, sections);
  EXPECT_EQ(lines.size(), 1143u);
  const std::vector<std::size_t> counts = {12, 3, 26, 32, 874, 42, 81, 24, 10, 24, 1, 2, 12};
  for (std::size_t s = 0; s < sections.size(); ++s) {
    EXPECT_EQ(KeysOf(lines, sections[s]).size(), counts[s]) << sections[s];
  }

  using Keys = std::vector<std::string>;
  EXPECT_EQ(KeysOf(lines, "OUTPUTRESO"),
            (Keys{"RESOINDEX", "HRESO", "VRESO", "FPS", "HTOTAL", "VTOTAL", "HSYNC", "VSYNC", "HBP",
                  "VBP", "HPOL", "VPOL"}));
  EXPECT_EQ(KeysOf(lines, "PICCOMMSETT"), (Keys{"PICMODE", "BRIGHTLEVEL", "GAMMA"}));
  EXPECT_EQ(KeysOf(lines, "KEYERINFO"),
            (Keys{"KEYERONOFF",   "KEYERMODE",     "KEYERREDL",     "KEYERREDL",   "KEYERGREENL",
                  "KEYERGREENH",  "KEYERBLUEL",    "KEYERBLUEH",    "KEYERGAININ", "KEYERGAINOUT",
                  "KEYERGAINBND", "KEYERCHNL",     "KEYERONOFF1",   "KEYERMODE1",  "KEYERREDL1",
                  "KEYERREDL1",   "KEYERGREENL1",  "KEYERGREENH1",  "KEYERBLUEL1", "KEYERBLUEH1",
                  "KEYERGAININ1", "KEYERGAINOUT1", "KEYERGAINBND1", "KEYERCHNL1"}));
  EXPECT_EQ(KeysOf(lines, "COMPOSITEBOARD"),
            (Keys{"CMPBOARDMODE", "CMPBOARDEXIST", "CMPBOARDACTNOSRC", "CMPBOARDIPSRC0",
                  "CMPBOARDIPSRC1", "CMPBOARDIPSRC2", "CMPBOARDACTDUAL", "CMPBOARDACTSIGNAL",
                  "CMPBOARDACTHACT", "CMPBOARDACTVACT", "CMPBOARDACTFPS", "CMPBOARDACTINTERLACE"}));

  const Keys input = KeysOf(lines, "INPUTINFO");
  EXPECT_EQ(Keys(input.begin(), input.begin() + 8),
            (Keys{"INPUTSRC0", "INPUTSTATE0", "INPUTRESOHACT0", "INPUTRESOVACT0", "INPUTRESOFPS0",
                  "INPUTRESOILE0", "INPUTRESOIDX0", "BRIGHTNESS00"}));
  // Group 8 has no input slot of its own: its picture keys follow group 7's crop keys.
  const auto group8 = std::find(input.begin(), input.end(), "BRIGHTNESS80");
  ASSERT_NE(group8, input.end());
  EXPECT_EQ(*(group8 - 1), "VTOTAL73");
  EXPECT_EQ(Keys(input.end() - 3, input.end()), (Keys{"VTOTAL113", "DPMDE0", "DPMDE1"}));
}

TEST_F(ProjectFileTest, SavesEachFieldUnderItsIndexedName) {
  DeviceStatusRecord& r = model.rec;
  r.Gamma = 2.2f;
  r.CellHPos[2] = 1234;
  r.Chnl[1].HPos = -5;
  r.Picture[4 * 10 + 3].Brightness = 77;
  r.Picture[4 * 1 + 3].Brightness = 55;
  r.Picture[4 * 5 + 2].PicOption = -1;
  r.Crop[4 * 11 + 3].HAct = 1000;
  r.InputReso[7].ResoIdx = 0x1234;
  r.DpMode[0] = 1;
  r.DpMode[1] = 2;
  r.Edid[6].EdidInput = 7;
  r.Task[9].TaskOption = -3;
  r.LogoVAct[3] = 65535;
  r.PvwMode = 0x102;
  r.Keyer[0].KeyerRedL = 16;
  r.Keyer[0].KeyerRedH = 235;
  r.Keyer[1].KeyerRedL = 1;
  r.Keyer[1].KeyerRedH = 2;
  r.CmpBoardIpSrc[2] = -7;
  const std::vector<SavedLine> lines = KeyLines(Save());

  using Values = std::vector<std::string>;
  const struct {
    const char* section;
    const char* key;
    Values values;
  } cases[] = {
      {"PICCOMMSETT", "GAMMA", {"2.200000"}},
      {"MOSAICSETT", "HPOS2", {"1234"}},
      {"CHNLDATA", "HPOS1", {"-5"}},
      {"INPUTINFO", "BRIGHTNESS103", {"77"}},
      {"INPUTINFO", "BRIGHTNESS13", {"55"}},
      {"INPUTINFO", "OPTION52", {"255"}},
      {"INPUTINFO", "HACT113", {"1000"}},
      {"INPUTINFO", "INPUTRESOIDX7", {"52"}},
      {"INPUTINFO", "DPMDE0", {"1"}},
      {"INPUTINFO", "DPMDE1", {"2"}},
      {"EDIDINFO", "INPUTSRC6", {"7"}},
      {"TASKEINFO", "OPTION9", {"-3"}},
      {"LOGOINFO", "VACT3", {"65535"}},
      {"PVWMODEINFO", "PVWMODE", {"2"}},
      {"KEYERINFO", "KEYERREDL", {"16", "235"}},
      {"KEYERINFO", "KEYERREDL1", {"1", "2"}},
      {"COMPOSITEBOARD", "CMPBOARDIPSRC2", {"-7"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValuesOf(lines, c.section, c.key), c.values) << c.section << "/" << c.key;
  }
}

TEST_F(ProjectFileTest, SavingBringsValuesIntoRangeInTheModelToo) {
  const struct {
    const char* name;
    Setter set;
    const char* section;
    const char* key;
    Getter get;
    double expected;
  } cases[] = {
      {"preset index past the table", [](auto& r) { r.ResoIndex = 25; }, "OUTPUTRESO", "RESOINDEX",
       [](auto& r) { return r.ResoIndex; }, 17},
      {"first index past the table", [](auto& r) { r.ResoIndex = 19; }, "OUTPUTRESO", "RESOINDEX",
       [](auto& r) { return r.ResoIndex; }, 17},
      {"customised preset kept", [](auto& r) { r.ResoIndex = 18; }, "OUTPUTRESO", "RESOINDEX",
       [](auto& r) { return r.ResoIndex; }, 18},
      {"negative preset index", [](auto& r) { r.ResoIndex = -1; }, "OUTPUTRESO", "RESOINDEX",
       [](auto& r) { return r.ResoIndex; }, 0},
      {"width too small", [](auto& r) { r.HReso = 600; }, "OUTPUTRESO", "HRESO",
       [](auto& r) { return r.HReso; }, 640},
      {"width too large", [](auto& r) { r.HReso = 5000; }, "OUTPUTRESO", "HRESO",
       [](auto& r) { return r.HReso; }, 4080},
      {"width in range", [](auto& r) { r.HReso = 1920; }, "OUTPUTRESO", "HRESO",
       [](auto& r) { return r.HReso; }, 1920},
      {"height too small", [](auto& r) { r.VReso = 100; }, "OUTPUTRESO", "VRESO",
       [](auto& r) { return r.VReso; }, 480},
      {"rate too high", [](auto& r) { r.Fps = 13000; }, "OUTPUTRESO", "FPS",
       [](auto& r) { return r.Fps; }, 12000},
      {"rate too low", [](auto& r) { r.Fps = 0; }, "OUTPUTRESO", "FPS",
       [](auto& r) { return r.Fps; }, 2300},
      {"total width", [](auto& r) { r.HTotal = 100; }, "OUTPUTRESO", "HTOTAL",
       [](auto& r) { return r.HTotal; }, 680},
      {"total height", [](auto& r) { r.VTotal = 65535; }, "OUTPUTRESO", "VTOTAL",
       [](auto& r) { return r.VTotal; }, 4094},
      {"sync width", [](auto& r) { r.HSync = 200; }, "OUTPUTRESO", "HSYNC",
       [](auto& r) { return r.HSync; }, 128},
      {"sync height", [](auto& r) { r.VSync = 1; }, "OUTPUTRESO", "VSYNC",
       [](auto& r) { return r.VSync; }, 4},
      {"back porch", [](auto& r) { r.Hbp = 600; }, "OUTPUTRESO", "HBP",
       [](auto& r) { return r.Hbp; }, 512},
      {"vertical back porch", [](auto& r) { r.Vbp = 3; }, "OUTPUTRESO", "VBP",
       [](auto& r) { return r.Vbp; }, 4},
      {"polarity has no limit", [](auto& r) { r.HPol = 255; }, "OUTPUTRESO", "HPOL",
       [](auto& r) { return r.HPol; }, 255},
      {"cell wider than its edges",
       [](auto& r) { r.CellHPos[1] = 100, r.CellHEnd[1] = 500, r.CellHAct[1] = 600; }, "MOSAICSETT",
       "HACT1", [](auto& r) { return r.CellHAct[1]; }, 400},
      {"cell within its edges",
       [](auto& r) { r.CellHPos[1] = 100, r.CellHEnd[1] = 500, r.CellHAct[1] = 300; }, "MOSAICSETT",
       "HACT1", [](auto& r) { return r.CellHAct[1]; }, 300},
      {"cell edges in the wrong order",
       [](auto& r) { r.CellHPos[0] = 500, r.CellHEnd[0] = 100, r.CellHAct[0] = 600; }, "MOSAICSETT",
       "HACT0", [](auto& r) { return r.CellHAct[0]; }, 600},
      {"edges in the wrong order leave even a negative width",
       [](auto& r) { r.CellHPos[0] = 100, r.CellHEnd[0] = 50, r.CellHAct[0] = -1; }, "MOSAICSETT",
       "HACT0", [](auto& r) { return r.CellHAct[0]; }, -1},
      {"negative cell width counts as too wide",
       [](auto& r) { r.CellHPos[2] = 0, r.CellHEnd[2] = 50, r.CellHAct[2] = -1; }, "MOSAICSETT",
       "HACT2", [](auto& r) { return r.CellHAct[2]; }, 50},
      {"cell taller than its edges",
       [](auto& r) { r.CellVPos[3] = 10, r.CellVEnd[3] = 20, r.CellVAct[3] = 11; }, "MOSAICSETT",
       "VACT3", [](auto& r) { return r.CellVAct[3]; }, 10},
      {"narrow crop", [](auto& r) { r.Crop[47].HAct = 10; }, "INPUTINFO", "HACT113",
       [](auto& r) { return r.Crop[47].HAct; }, 32},
      {"flat crop", [](auto& r) { r.Crop[0].VAct = 0; }, "INPUTINFO", "VACT00",
       [](auto& r) { return r.Crop[0].VAct; }, 32},
      {"crop in range", [](auto& r) { r.Crop[5].HAct = 33; }, "INPUTINFO", "HACT11",
       [](auto& r) { return r.Crop[5].HAct; }, 33},
      {"EDID width too small", [](auto& r) { r.Edid[6].HAct = 100; }, "EDIDINFO", "HACT6",
       [](auto& r) { return r.Edid[6].HAct; }, 240},
      {"EDID height too large", [](auto& r) { r.Edid[0].VAct = 4000; }, "EDIDINFO", "VACT0",
       [](auto& r) { return r.Edid[0].VAct; }, 3840},
      {"EDID rate too high", [](auto& r) { r.Edid[3].Fps = 13000; }, "EDIDINFO", "FPS3",
       [](auto& r) { return r.Edid[3].Fps; }, 12100},
      {"EDID rate too low", [](auto& r) { r.Edid[3].Fps = 1999; }, "EDIDINFO", "FPS3",
       [](auto& r) { return r.Edid[3].Fps; }, 2000},
      {"EDID blanking has no limit", [](auto& r) { r.Edid[2].HBlank = 9; }, "EDIDINFO", "HBLANK2",
       [](auto& r) { return r.Edid[2].HBlank; }, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model = DeviceModel();
    c.set(model.rec);
    const std::vector<SavedLine> lines = KeyLines(Save());
    const std::string expected = std::to_string(static_cast<int64_t>(c.expected));
    EXPECT_EQ(ValuesOf(lines, c.section, c.key), std::vector<std::string>{expected});
    EXPECT_EQ(c.get(model.rec), c.expected);
  }
}

TEST_F(ProjectFileTest, ReadingBackGivesEveryCarriedField) {
  FillVaried(model.rec);
  const std::string text = Save();
  EXPECT_EQ(ValuesOf(KeyLines(text), "PICCOMMSETT", "GAMMA"), std::vector<std::string>{"2.200000"});

  DeviceStatusRecord expected = model.rec;  // as corrected by the save
  ClearUncarried(expected);
  const std::optional<DeviceStatusRecord> read = ProjectFile::ReadProjectRecord(file);
  ASSERT_TRUE(read);
  EXPECT_EQ(FirstDifference(*read, expected), -1);

  // A UTF-16 copy of the same lines reads the same.
  std::string wide = "\xFF\xFE";
  for (char c : text) wide += {c, '\0'};
  const DeviceStatusRecord fromWide = Load(wide);
  EXPECT_EQ(FirstDifference(fromWide, expected), -1);
}

TEST_F(ProjectFileTest, RepeatedKeyIsReadLineByLine) {
  const DeviceStatusRecord r = Load("[KEYERINFO]\r\nKEYERREDL=16\r\nKEYERREDL=235\r\n");
  EXPECT_EQ(r.Keyer[0].KeyerRedL, 16);
  EXPECT_EQ(r.Keyer[0].KeyerRedH, 235);
  EXPECT_EQ(r.Keyer[1].KeyerRedL, 0);

  // With one line only, the second lookup wraps around to it again.
  const DeviceStatusRecord once = Load("[KEYERINFO]\nKEYERREDL=9\n");
  EXPECT_EQ(once.Keyer[0].KeyerRedL, 9);
  EXPECT_EQ(once.Keyer[0].KeyerRedH, 9);
}

TEST_F(ProjectFileTest, ValueTextsConvertLikeCDecimalConversion) {
  const Getter resoIndex = [](auto& r) { return r.ResoIndex; };
  const Getter hReso = [](auto& r) { return r.HReso; };
  const Getter gamma = [](auto& r) { return r.Gamma; };
  const struct {
    std::string text;
    Getter get;
    double expected;
  } cases[] = {
      {"[OUTPUTRESO]\nHRESO=1920", hReso, 1920},
      {"[OUTPUTRESO]\nHRESO = 1920", hReso, 0},  // the key would be "HRESO "
      {"[OUTPUTRESO]\nHRESO=\t 1920", hReso, 1920},
      {"[OUTPUTRESO]\nHPOL=300", [](auto& r) { return r.HPol; }, 44},
      {"[OUTPUTRESO]\nVRESO=-1", [](auto& r) { return r.VReso; }, 65535},
      {"[OUTPUTRESO]\nRESOINDEX=  -7x", resoIndex, -7},
      {"[OUTPUTRESO]\nRESOINDEX=+12", resoIndex, 12},
      {"[OUTPUTRESO]\nRESOINDEX=1 2", resoIndex, 1},
      {"[OUTPUTRESO]\nRESOINDEX=abc", resoIndex, 0},
      {"[OUTPUTRESO]\nRESOINDEX=", resoIndex, 0},
      {"[OUTPUTRESO]\nRESOINDEX=4294967297", resoIndex, 1},
      {"[OUTPUTRESO]\nRESOINDEX=2147483648", resoIndex, -2147483648.0},
      // Beyond 64 bits the digits wrap around; the field keeps its low bytes.
      {"[OUTPUTRESO]\nRESOINDEX=99999999999999999999999999999", resoIndex, -1610612737},
      {"[OUTPUTRESO]\nHRESO=19\r20\r\n", hReso, 19},
      {"[PICCOMMSETT]\nGAMMA=2.5", gamma, 2.5},
      {"[PICCOMMSETT]\nGAMMA= -1e1x", gamma, -10},
      {"[PICCOMMSETT]\nGAMMA=2,5", gamma, 2},
      {"[PICCOMMSETT]\nGAMMA=.", gamma, 0},
      {"[PICCOMMSETT]\nGAMMA=1e999", gamma, HUGE_VAL},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.get(Load(c.text)), c.expected) << c.text;
  }
}

TEST_F(ProjectFileTest, LookupFollowsSectionsAndWrapsAroundOnce) {
  const Getter hReso = [](auto& r) { return r.HReso; };
  const Getter vReso = [](auto& r) { return r.VReso; };
  const struct {
    const char* name;
    std::string text;
    Getter get;
    double expected;
  } cases[] = {
      {"keys out of order, first", "[OUTPUTRESO]\nVRESO=1080\nHRESO=1920\n", hReso, 1920},
      {"keys out of order, second", "[OUTPUTRESO]\nVRESO=1080\nHRESO=1920\n", vReso, 1080},
      {"key in another section", "[PICCOMMSETT]\nHRESO=1920\n", hReso, 0},
      {"key before any section", "HRESO=1920\n", hReso, 0},
      {"section names are case-sensitive", "[outputreso]\nHRESO=1920\n", hReso, 0},
      {"keys are case-sensitive", "[OUTPUTRESO]\nhreso=1920\n", hReso, 0},
      {"header without ']' is ignored", "[OUTPUTRESO]\n[PICCOMMSETT\nHRESO=7\n", hReso, 7},
      {"text after ']' is ignored", "[OUTPUTRESO] old\nHRESO=7\n", hReso, 7},
      {"blank before '[' is no header", "[OUTPUTRESO]\n [PICCOMMSETT]\nHRESO=7\n", hReso, 7},
      {"last line without line end", "[OUTPUTRESO]\nHRESO=1920", hReso, 1920},
      // Searching again from the top keeps the section the first pass ended in.
      {"section carries over the wrap", "HRESO=5\n[OUTPUTRESO]\n", hReso, 5},
      {"long line read in 4095-byte pieces",
       "[OUTPUTRESO]\n" + std::string(4095, 'x') + "HRESO=1920\n", hReso, 1920},
      {"piece boundary inside the key", "[OUTPUTRESO]\n" + std::string(4094, 'x') + "HRESO=1920\n",
       hReso, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.get(Load(c.text)), c.expected) << c.name;
  }
}

TEST_F(ProjectFileTest, FilesWithoutKeysLoadZeros) {
  const DeviceStatusRecord zero{};
  for (const std::string& text :
       {std::string(), std::string("\xFF\xFE"), std::string("\xFF\xFE[\0O\0U\0T\0", 10)}) {
    EXPECT_EQ(FirstDifference(Load(text), zero), -1) << text.size() << " bytes";
  }
}

TEST_F(ProjectFileTest, DamagedContentLoadsWithoutHarm) {
  std::minstd_rand random(12345);
  std::string binary(1 << 16, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  Load("\xFF\xFE" + binary);
  Load(std::string("\xFF\xFE\x41", 3));

  // Whatever comes before, a valid section further down is still found.
  const std::string tail = "\n[OUTPUTRESO]\nHRESO=1920\n";
  const std::string damaged[] = {
      binary,
      std::string(1 << 20, '='),
      std::string(1 << 20, '['),
      std::string(1 << 20, '\n'),
      "[\n]\n=\n[]\n==\n[=]\n\n\r\n\r\r\r",
  };
  for (const std::string& text : damaged) {
    EXPECT_EQ(Load(text + tail).HReso, 1920) << text.substr(0, 16);
  }
}

TEST_F(ProjectFileTest, UnreadablePathGivesNothing) {
  EXPECT_FALSE(ProjectFile::ReadProjectRecord(dir / "missing.pro"));
  EXPECT_FALSE(ProjectFile::ReadProjectRecord(dir));
}

TEST_F(ProjectFileTest, ReadProjectAppliesTheFileAsAWholeState) {
  test::LinkHarness h;
  DeviceModel& model = h.model;
  const test::RecordingLink& link = h.link;
  const test::RecordingSink& sink = h.sink;
  ReplyDispatcher& dispatcher = h.dispatcher;

  model.rec.HReso = 1920;
  model.FeatherOnOff = 1;
  EXPECT_FALSE(ProjectFile::ReadProject(dir / "missing.pro", dispatcher));
  EXPECT_EQ(model.rec.HReso, 1920);
  EXPECT_EQ(model.FeatherOnOff, 1);
  EXPECT_TRUE(sink.events.empty());
  EXPECT_TRUE(link.sent.empty());

  WriteBytes(file, "[OUTPUTRESO]\r\nHRESO=1280\r\n[INPUTINFO]\r\nINPUTSRC6=3\r\n");
  EXPECT_TRUE(ProjectFile::ReadProject(file, dispatcher));
  EXPECT_EQ(model.rec.HReso, 1280);
  EXPECT_EQ(model.rec.InputSrc[6], 3);
  EXPECT_EQ(model.LoadingAll, 0);
  EXPECT_EQ(model.FeatherOnOff, 0);
  EXPECT_EQ(sink.events, (std::vector<std::pair<int, int>>{{2, 0}}));
  // The VGA card in slot 6 is the only reason for a request.
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0].type, static_cast<int>(CommandType::QueryVgaAdjust));
  EXPECT_EQ(link.sent[0].payload[0], 6);
}

TEST_F(ProjectFileTest, EnsureProjectFileKeepsOrMakesAUsablePath) {
  fs::create_directory(dir / "shows");
  WriteBytes(dir / "shows" / "kept.txt", "old");
  WriteBytes(dir / "shows" / "taken.pro", "taken");
  const struct {
    const char* name;
    fs::path path;
    fs::path expected;
    const char* content;  // of the expected file afterwards; null: must not exist
  } cases[] = {
      {"existing file", dir / "shows/kept.txt", dir / "shows/kept.txt", "old"},
      {"missing file", dir / "shows/new.v2.txt", dir / "shows/new.pro", "\xFF\xFE"},
      {"missing file without extension", dir / "shows/plain", dir / "shows/plain.pro", "\xFF\xFE"},
      {"corrected name already taken", dir / "shows/taken.bak", dir / "shows/taken.pro", "taken"},
      {"missing folder", dir / "gone/new.pro", dir / "gone/new.pro", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = c.path.string();
    ProjectFile::EnsureProjectFile(path, dir, "2026-12-08");
    EXPECT_EQ(path, c.expected.string());
    if (c.content) {
      EXPECT_EQ(ReadBytes(path), c.content);
    } else {
      EXPECT_FALSE(fs::exists(path));
    }
  }
  EXPECT_FALSE(fs::exists(dir / "gone"));
}

TEST_F(ProjectFileTest, EmptyProjectPathBecomesTodaysDefault) {
  std::string path;
  ProjectFile::EnsureProjectFile(path, dir / "data", "2026-12-08");
  EXPECT_EQ(path, (dir / "data/Project/2026-12-08/2026-12-08.pro").string());
  EXPECT_TRUE(fs::is_directory(dir / "data/Project/2026-12-08"));
  EXPECT_FALSE(fs::exists(path));

  // The next save creates it.
  EXPECT_EQ(ProjectFile::WriteProject(model, path), "");
  EXPECT_TRUE(ProjectFile::ReadProjectRecord(path));
}

TEST_F(ProjectFileTest, FailedSaveLeavesFileAndModelAsTheyWere) {
  WriteBytes(dir / "plain", "x");
  const fs::path targets[] = {dir / "gone" / "show.pro", dir / "plain" / "show.pro", dir};
  model.rec.HReso = 600;
  for (const fs::path& target : targets) {
    EXPECT_NE(ProjectFile::WriteProject(model, target), "") << target;
    EXPECT_EQ(model.rec.HReso, 600);
  }
  EXPECT_FALSE(fs::exists(dir / "gone"));
  EXPECT_EQ(ReadBytes(dir / "plain"), "x");
}

TEST_F(ProjectFileTest, SaveInterruptedMidWriteKeepsThePreviousFileWhole) {
  const std::string previous = "[OUTPUTRESO]\r\nHRESO=1920\r\n";
  WriteBytes(file, previous);
  model.rec.HReso = 600;

  // A file size limit makes the write fail part way, even for root.
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 4096;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string error = ProjectFile::WriteProject(model, file);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_NE(error, "");
  EXPECT_EQ(ReadBytes(file), previous);
  EXPECT_EQ(model.rec.HReso, 600);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
      << "no temporary left behind";
}

}  // namespace
}  // namespace qv
