// Adding the table as a sheet to workbooks that already exist: written by this program
// (three saves to one path), by LibreOffice and by gnumeric (the shared fixtures), and
// files that cannot take a sheet. Results are read back by xlrd and checked by the
// validators' CI bundle; the stream positions that no reader checks are checked here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "append_support.h"
#include "core/errors.h"
#include "core/format_settings.h"
#include "export/biff_records.h"
#include "export/sheet_append.h"
#include "export/table_export.h"
#include "export/workbook_reader.h"
#include "record_walk.h"
#include "sample_tables.h"
#include "temp_folder.h"

namespace arvelle::test {
namespace {

using namespace xls::biff;

// The fixtures are read-only; their copies must not be, or the save is refused for that.
void CopyWritable(const std::string& from, const std::string& to) {
  std::filesystem::copy_file(from, to);
  std::filesystem::permissions(to, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

std::string MessageOfSave(const SampleTable& table, const std::string& path) {
  try {
    ExportSample(table, path);
  } catch (const Exception& error) {
    return error.Message();
  }
  return "";
}

// Every position one record holds of another points at the record it should: BOUNDSHEET at
// its sheet's BOF, INDEX at DEFCOLWIDTH (or 0, as gnumeric leaves it) and at each DBCELL,
// EXTSST at its strings inside the SST records, DBCELL back at its first ROW. TABID holds a
// distinct id per sheet, the workbook's reference to itself counts the sheets.
void ExpectPositionsPointRight(const xls::Bytes& stream) {
  const std::vector<Record> records = Records(stream);
  std::map<std::size_t, std::uint16_t> idAt;
  for (const Record& r : records) idAt[r.position] = r.id;
  const auto idOf = [&](std::size_t at) {
    const auto found = idAt.find(at);
    return found == idAt.end() ? std::uint16_t{0xFFFF} : found->second;
  };
  std::size_t boundSheets = 0, bofs = 0;
  for (const Record& r : records) {
    if (r.id == kBof && r.position > 0) ++bofs;
    if (r.id == kBoundSheet) {
      ++boundSheets;
      EXPECT_EQ(idOf(r.U32(0)), kBof) << "BOUNDSHEET at " << r.position;
    } else if (r.id == kIndex) {
      if (r.U32(12) != 0) {
        EXPECT_EQ(idOf(r.U32(12)), kDefColWidth) << "INDEX at " << r.position;
      }
      for (std::size_t at = 16; at + 4 <= r.data.size(); at += 4)
        EXPECT_EQ(idOf(r.U32(at)), kDbCell) << "INDEX at " << r.position << " entry " << at;
    } else if (r.id == kExtSst) {
      for (std::size_t at = 2; at + 8 <= r.data.size(); at += 8) {
        const std::uint16_t piece = idOf(r.U32(at) - r.U16(at + 4));
        EXPECT_TRUE(piece == kSst || piece == kContinue) << "EXTSST bucket " << at / 8;
      }
    } else if (r.id == kDbCell) {
      EXPECT_EQ(idOf(r.position - r.U32(0)), kRow) << "DBCELL at " << r.position;
    }
  }
  EXPECT_GE(bofs, boundSheets);
  for (const Record& r : records) {
    if (r.id == kTabId) {
      std::set<std::uint16_t> ids;
      for (std::size_t at = 0; at + 2 <= r.data.size(); at += 2) ids.insert(r.U16(at));
      EXPECT_EQ(ids.size(), boundSheets);
      EXPECT_EQ(r.data.size(), 2 * boundSheets);
    } else if (r.id == 0x01AE && r.data.size() >= 4 && r.U16(2) == 0x0401) {
      EXPECT_EQ(r.U16(0), boundSheets) << "SUPBOOK";
    }
  }
}

TEST(AddedSheetName, IsSheetOrTheSmallestFreeNumber) {
  const struct {
    std::vector<std::u16string> existing;
    std::u16string expected;
  } cases[] = {
      {{}, u"Sheet"},
      {{u"Sheet1"}, u"Sheet"},
      {{u"Sheet1", u"Sheet"}, u"Sheet2"},
      {{u"Sheet", u"Sheet1", u"Sheet3"}, u"Sheet2"},
      {{u"Data", u"Summary"}, u"Sheet"},
      {{u"Sheet", u"Sheet 1", u"Sheet01"}, u"Sheet1"},
      // Names that differ only in letter case are held to be the same by spreadsheet
      // programs, so they are passed over as well.
      {{u"sheet"}, u"Sheet1"},
      {{u"Sheet", u"SHEET1"}, u"Sheet2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(xls::NameOfAddedSheet(c.existing), c.expected) << c.existing.size() << " names";
}

TEST(ThreeSaves, GiveSheet1SheetSheet2EachWithItsTable) {
  TempFolder folder;
  const std::string path = folder.File("results.xls");
  const std::vector<SampleTable> tables = {SampleNamed("bolts_4"), SampleNamed("exponent"),
                                           SampleNamed("bolts_7")};
  std::vector<std::vector<std::string>> alone;  // each table saved into a file of its own
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const std::string single = folder.File("single" + std::to_string(i) + ".xls");
    ExportSample(tables[i], single);
    alone.push_back(LinesOfSheet(SheetLines(single), 0));
    ExportSample(tables[i], path);
  }
  const std::vector<std::string> lines = SheetLines(path);
  EXPECT_EQ(LinesOfKind(lines, "sheet"),
            (std::vector<std::string>{"sheet\t0\tSheet1\t1\t1", "sheet\t1\tSheet\t0\t0",
                                      "sheet\t2\tSheet2\t0\t0"}));
  EXPECT_EQ(LinesOfKind(lines, "active"), std::vector<std::string>{"active\t0"});
  for (int s = 0; s < 3; ++s) EXPECT_EQ(LinesOfSheet(lines, s), alone[s]) << "sheet " << s;
  ExpectPositionsPointRight(WorkbookStreamOf(FileBytes(path)));
  const ScriptRun check =
      test::Run(std::string(ARVELLE_SHARED_DIR) + "/validators/ci_check.sh --ours '" + path + "'");
  EXPECT_EQ(check.exitCode, 0) << check.out;
  EXPECT_EQ(FilesIn(folder.Path()),
            (std::set<std::string>{"results.xls", "single0.xls", "single1.xls", "single2.xls"}));
}

TEST(ThreeSaves, ReuseTheFontAndCellFormatOfTheFirst) {
  TempFolder folder;
  const std::string path = folder.File("results.xls");
  const SampleTable table = SampleNamed("bolts_4");
  ExportSample(table, path);
  const auto count = [&](std::uint16_t id) {
    const xls::Bytes stream = WorkbookStreamOf(FileBytes(path));
    const auto records = Records(stream);
    return std::count_if(records.begin(), records.end(),
                         [id](const Record& r) { return r.id == id; });
  };
  const auto fonts = count(kFont), xfs = count(kXf);
  ExportSample(table, path);
  ExportSample(table, path);
  EXPECT_EQ(count(kFont), fonts);
  EXPECT_EQ(count(kXf), xfs);
}

TEST(ThreeSaves, TextsJoinTheSharedStrings) {
  TempFolder folder;
  const std::string path = folder.File("texts.xls");
  const SampleTable texts = SampleNamed("texts_and_look");
  const std::string single = folder.File("single.xls");
  ExportSample(texts, single);
  ExportSample(texts, path);
  ExportSample(SampleNamed("bolts_4"), path);
  ExportSample(texts, path);
  const std::vector<std::string> lines = SheetLines(path);
  const std::vector<std::string> alone = LinesOfSheet(SheetLines(single), 0);
  EXPECT_EQ(LinesOfSheet(lines, 0), alone);
  EXPECT_EQ(LinesOfSheet(lines, 2), alone);
  ExpectPositionsPointRight(WorkbookStreamOf(FileBytes(path)));
  const ScriptRun check =
      test::Run(std::string(ARVELLE_SHARED_DIR) + "/validators/ci_check.sh --ours '" + path + "'");
  EXPECT_EQ(check.exitCode, 0) << check.out;
}

// LibreOffice leaves out the shared strings of a workbook without texts: the table's texts
// then bring their own SST and EXTSST into it.
TEST(Texts, GoIntoAWorkbookWithoutSharedStrings) {
  TempFolder folder;
  const std::string path = folder.File("numbers_only.xls");
  CopyWritable(FixturePath("c_sheet1_sheet_sheet2.lo.xls"), path);
  const SampleTable texts = SampleNamed("texts_and_look");
  ExportSample(texts, path);
  const std::string single = folder.File("single.xls");
  ExportSample(texts, single);
  const std::vector<std::string> lines = SheetLines(path);
  EXPECT_EQ(LinesOfSheet(lines, 3), LinesOfSheet(SheetLines(single), 0));
  const std::vector<std::string> before = SheetLines(FixturePath("c_sheet1_sheet_sheet2.lo.xls"));
  for (int s = 0; s < 3; ++s) EXPECT_EQ(LinesOfSheet(lines, s), LinesOfSheet(before, s));
  const xls::Bytes stream = WorkbookStreamOf(FileBytes(path));
  const auto records = Records(stream);
  EXPECT_EQ(std::ranges::count_if(records, [](const Record& r) { return r.id == kSst; }), 1);
  EXPECT_EQ(std::ranges::count_if(records, [](const Record& r) { return r.id == kExtSst; }), 1);
  ExpectPositionsPointRight(stream);
  const ScriptRun check =
      test::Run(std::string(ARVELLE_SHARED_DIR) + "/validators/ci_check.sh '" + path + "'");
  EXPECT_EQ(check.exitCode, 0) << check.out;
}

// The workbooks of the shared fixtures, each with the names of its sheets.
const std::vector<std::string> kWorkbookFixtures = {
    "a_data_summary.gnm.xls",
    "a_data_summary.lo.xls",
    "b_single_sheet.gnm.xls",
    "b_single_sheet.lo.xls",
    "c_sheet1_sheet_sheet2.gnm.xls",
    "c_sheet1_sheet_sheet2.lo.xls",
    "d_rich_many_sheets.lo.xls",
    "f_chart.lo.xls",
    "g_dual_stream_book_and_workbook.gnm.xls",
};

class WorkbookFixture : public ::testing::TestWithParam<std::string> {};

TEST_P(WorkbookFixture, GetsTheSheetWithNothingOfItLost) {
  TempFolder folder;
  const std::string original = FixturePath(GetParam());
  const std::string path = folder.File(GetParam());
  CopyWritable(original, path);
  const SampleTable table = SampleNamed("bolts_4");
  ExportSample(table, path);

  const ScriptRun check =
      test::Run(std::string(ARVELLE_SHARED_DIR) + "/validators/ci_check.sh '" + path + "'");
  EXPECT_EQ(check.exitCode, 0) << check.out;

  const std::vector<std::string> before = SheetLines(original);
  const std::vector<std::string> after = SheetLines(path);
  const std::vector<std::string> sheetsBefore = LinesOfKind(before, "sheet");
  const std::vector<std::string> sheetsAfter = LinesOfKind(after, "sheet");
  ASSERT_EQ(sheetsAfter.size(), sheetsBefore.size() + 1);
  std::vector<std::u16string> names;
  for (std::size_t s = 0; s < sheetsBefore.size(); ++s) {
    // Index and name stay; only the first sheet is selected now.
    const auto cut = [](const std::string& line) {
      return line.substr(0, line.rfind('\t', line.rfind('\t') - 1));
    };
    EXPECT_EQ(cut(sheetsAfter[s]), cut(sheetsBefore[s]));
    EXPECT_EQ(LinesOfSheet(after, static_cast<int>(s)), LinesOfSheet(before, static_cast<int>(s)))
        << "sheet " << s;
    const std::string name = cut(sheetsBefore[s]).substr(cut(sheetsBefore[s]).rfind('\t') + 1);
    names.emplace_back(name.begin(), name.end());
  }
  EXPECT_EQ(sheetsAfter.front().substr(sheetsAfter.front().size() - 4), "\t1\t1");
  const std::u16string added = xls::NameOfAddedSheet(names);
  const std::string addedUtf8(added.begin(), added.end());
  const std::size_t n = sheetsBefore.size();
  EXPECT_EQ(sheetsAfter.back(), "sheet\t" + std::to_string(n) + "\t" + addedUtf8 + "\t0\t0");
  EXPECT_EQ(LinesOfKind(after, "active"), std::vector<std::string>{"active\t0"});

  const std::string single = folder.File("single.xls");
  ExportSample(table, single);
  EXPECT_EQ(LinesOfSheet(after, static_cast<int>(n)), LinesOfSheet(SheetLines(single), 0));

  // Every stream but Workbook, byte for byte.
  std::map<std::string, std::string> streamsBefore = ReadStreams(original);
  std::map<std::string, std::string> streamsAfter = ReadStreams(path);
  ASSERT_TRUE(streamsAfter.contains("Workbook"));
  streamsBefore.erase("Workbook");
  streamsAfter.erase("Workbook");
  EXPECT_EQ(streamsAfter, streamsBefore);
  ExpectPositionsPointRight(WorkbookStreamOf(FileBytes(path)));
}

// Every record of the old stream is in the new one, in order and unchanged, but for the
// fields that follow the added sheet.
TEST_P(WorkbookFixture, CarriesEveryRecordOver) {
  TempFolder folder;
  const std::string path = folder.File(GetParam());
  CopyWritable(FixturePath(GetParam()), path);
  const xls::Bytes oldStream = WorkbookStreamOf(FileBytes(path));
  ExportSample(SampleNamed("bolts_4"), path);
  const xls::Bytes newStream = WorkbookStreamOf(FileBytes(path));
  const std::vector<Record> before = Records(oldStream), after = Records(newStream);
  const std::set<std::uint16_t> patched = {kBoundSheet, kIndex, kExtSst, kWindow1,
                                           kWindow2,    kTabId, kSst,    0x01AE};
  std::size_t j = 0;
  for (const Record& old : before) {
    while (j < after.size() && after[j].id != old.id) ++j;
    ASSERT_LT(j, after.size()) << "record " << old.id << " at " << old.position << " is lost";
    if (!patched.contains(old.id))
      EXPECT_TRUE(std::ranges::equal(old.data, after[j].data))
          << "record " << old.id << " at " << old.position << " changed";
    else
      EXPECT_GE(after[j].data.size(), old.data.size());
    ++j;
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WorkbookFixture, ::testing::ValuesIn(kWorkbookFixtures),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// Files that cannot take a sheet: each gives its message and stays byte for byte as it was.
TEST(FileThatCannotTakeASheet, GivesItsMessageAndStaysAsItWas) {
  const struct {
    std::string fixture;
    std::string message;  // %s stands for the file's full path
  } cases[] = {
      {"h_empty.xls", "The file \"\" is invalid"},
      {"h_plain_text.xls", "The file \"\" is invalid"},
      {"h_html_table.xls", "The file \"\" is invalid"},
      {"i_ole2_word_document.xls", "The file \"%s\" is invalid"},
      {"g_biff5_book.gnm.xls", "The file \"%s\" is invalid"},
      {"j_encrypted_password_secret.lo.xls",
       "The workbook \"%s\" is encrypted or protected with a password; a sheet cannot be added "
       "to it"},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    const std::string path = folder.File(c.fixture);
    CopyWritable(FixturePath(c.fixture), path);
    std::string expected = c.message;
    if (const auto at = expected.find("%s"); at != std::string::npos) expected.replace(at, 2, path);
    EXPECT_EQ(MessageOfSave(SampleNamed("bolts_4"), path), expected) << c.fixture;
    EXPECT_EQ(FileBytes(path), FileBytes(FixturePath(c.fixture))) << c.fixture;
  }
  EXPECT_EQ(FilesIn(folder.Path()).size(), std::size(cases));
}

// Our own workbook, its Workbook stream changed by `change`, in a compound document again.
xls::Bytes OwnWorkbookWith(const std::function<void(xls::Bytes&)>& change) {
  const SampleTable table = SampleNamed("bolts_4");
  xls::Workbook workbook = xls::WorkbookOfTable(table.grid, table.look, ".");
  xls::CompoundDocument document = xls::ReadCompoundDocument(xls::XlsFileOfWorkbook(workbook));
  change(document.FindRootStream("Workbook")->data);
  return xls::WriteCompoundDocument(document);
}

// Puts `records` after the first record `id`, moving the sheets' positions on.
void InsertAfterFirst(xls::Bytes& stream, std::uint16_t id, const xls::Bytes& records) {
  const std::vector<Record> all = Records(stream);
  const auto first = std::ranges::find_if(all, [id](const Record& r) { return r.id == id; });
  const auto at = static_cast<long>(first->position + 4 + first->data.size());
  stream.insert(stream.begin() + at, records.begin(), records.end());
  for (const Record& r : Records(stream))
    if (r.id == kBoundSheet)
      xls::PatchU32(stream, r.position + 4, static_cast<std::uint32_t>(r.U32(0) + records.size()));
}

// Puts `count` copies of the first record `id` after it.
void Duplicate(xls::Bytes& stream, std::uint16_t id, std::size_t count) {
  const std::vector<Record> all = Records(stream);
  const auto first = std::ranges::find_if(all, [id](const Record& r) { return r.id == id; });
  xls::Bytes copies;
  for (std::size_t i = 0; i < count; ++i)
    copies.insert(copies.end(), stream.begin() + static_cast<long>(first->position),
                  stream.begin() + static_cast<long>(first->position + 4 + first->data.size()));
  InsertAfterFirst(stream, id, copies);
}

xls::Workbook BoldTable() {
  // Bold, so that the workbook does not hold its font and cell format already.
  SampleTable table = SampleNamed("bolts_7");
  table.look.bold = true;
  return xls::WorkbookOfTable(table.grid, table.look, ".");
}

TEST(DamagedWorkbook, IsRefusedWithTheReason) {
  const struct {
    std::string what;
    std::function<void(xls::Bytes&)> change;
    std::string reason;
  } cases[] = {
      {"cut inside a record", [](xls::Bytes& s) { s.resize(s.size() - 3); },
       "is damaged: its record stream ends inside a record"},
      {"without its last EOF", [](xls::Bytes& s) { s.resize(s.size() - 4); },
       "is damaged: a part of its record stream has no end record (EOF)"},
      {"with a wrong sheet position",
       [](xls::Bytes& s) {
         for (const Record& r : Records(s))
           if (r.id == kBoundSheet) xls::PatchU32(s, r.position + 4, r.U32(0) + 1);
       },
       "is damaged: its sheet list does not match its sheets"},
      {"with a full font table", [](xls::Bytes& s) { Duplicate(s, kFont, 506); },
       "already holds the most fonts a workbook can hold (510)"},
      {"with a full cell-format table", [](xls::Bytes& s) { Duplicate(s, kXf, 4050 - 17); },
       "already holds the most cell formats a workbook can hold (4050)"},
      {"with a protected structure",
       [](xls::Bytes& s) {
         for (const Record& r : Records(s))
           if (r.id == kProtect && r.position < 2000) xls::PatchU16(s, r.position + 4, 1);
       },
       "protects its structure; a sheet cannot be added to it"},
      {"reserved for writing with a password",
       [](xls::Bytes& s) {
         InsertAfterFirst(s, kWindow1, Hex({0x86, 0x00, 0x00, 0x00}));
       },
       "is protected against changes with a password; a sheet cannot be added to it"},
      {"BIFF5 in a Workbook stream", [](xls::Bytes& s) { xls::PatchU16(s, 4, 0x0500); },
       "is not an Excel 97-2003 (BIFF8) workbook"},
  };
  const xls::Workbook workbook = BoldTable();
  for (const auto& c : cases) {
    xls::AppendRequest request;
    request.fileName = "/somewhere/book.xls";
    request.table = &workbook;
    try {
      xls::AppendTableToWorkbook(OwnWorkbookWith(c.change), request);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), "The workbook \"/somewhere/book.xls\" " + c.reason) << c.what;
    }
  }
}

TEST(AppendRequest, NamesTheSheetOrRefusesWhatItCannotDo) {
  const xls::Workbook workbook = BoldTable();
  const xls::Bytes file = OwnWorkbookWith([](xls::Bytes&) {});
  const auto messageOf = [&](const xls::AppendRequest& request) {
    try {
      xls::AppendTableToWorkbook(file, request);
    } catch (const Exception& error) {
      return error.Message();
    }
    return std::string();
  };
  xls::AppendRequest request;
  request.fileName = "/somewhere/book.xls";
  request.table = &workbook;
  request.sheetPos = 1;
  EXPECT_EQ(messageOf(request),
            "The workbook \"/somewhere/book.xls\" cannot take a sheet between its sheets; only "
            "after the last one");
  request.sheetPos = 2;  // past the last sheet: appended
  request.sheetName = "SHEET1";
  EXPECT_EQ(messageOf(request),
            "The workbook \"/somewhere/book.xls\" already has a sheet named \"SHEET1\"");
  request.sheetName = "Results";
  const xls::Bytes result = xls::AppendTableToWorkbook(file, request);
  const xls::Bytes stream = WorkbookStreamOf(result);
  const xls::WorkbookRecords book = xls::ReadWorkbookRecords(stream, "");
  ASSERT_EQ(book.sheetList.size(), 2u);
  EXPECT_EQ(book.sheetList[1].name, u"Results");
  request.table = nullptr;
  EXPECT_EQ(messageOf(request), "No table to add to the workbook");
}

TEST(DamagedWorkbook, StaysAsItWasOnDisk) {
  TempFolder folder;
  const std::string path = folder.File("damaged.xls");
  const xls::Bytes damaged = OwnWorkbookWith([](xls::Bytes& s) { s.resize(s.size() - 4); });
  WriteBytes(path, damaged);
  EXPECT_NE(MessageOfSave(SampleNamed("bolts_4"), path).find("has no end record"),
            std::string::npos);
  EXPECT_EQ(FileBytes(path), damaged);
  EXPECT_EQ(FilesIn(folder.Path()), std::set<std::string>{"damaged.xls"});
}

TEST(SelectSheet, MakesThatSheetActiveAndOnlyItSelected) {
  TempFolder folder;
  const std::string path = folder.File("book.xls");
  CopyWritable(FixturePath("c_sheet1_sheet_sheet2.lo.xls"), path);
  const SampleTable table = SampleNamed("bolts_4");
  const FormatSettingsRecord saved = FormatSettings;
  FormatSettings.DecimalSeparator = u'.';
  XLSExport(table.grid, table.look, path, "", -1, 4, InsertInSheet::Clear);
  FormatSettings = saved;
  EXPECT_EQ(LinesOfKind(SheetLines(path), "sheet"),
            (std::vector<std::string>{"sheet\t0\tSheet1\t0\t0", "sheet\t1\tSheet\t0\t0",
                                      "sheet\t2\tSheet2\t0\t0", "sheet\t3\tSheet3\t1\t1"}));
}

}  // namespace
}  // namespace arvelle::test
