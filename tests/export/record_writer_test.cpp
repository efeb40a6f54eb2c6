// The lowest layers, byte for byte: little-endian fields, record frames and their CONTINUE
// records, the two string forms, and the RK number form.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "core/errors.h"
#include "export/biff_records.h"
#include "export/biff_stream.h"
#include "export/little_endian.h"
#include "export/rk_number.h"
#include "export/xl_string.h"
#include "record_walk.h"

namespace arvelle::xls {
namespace {

using test::Hex;
using test::Records;

TEST(ByteWriter, WritesEveryFieldLittleEndian) {
  Bytes bytes;
  ByteWriter out(bytes);
  out.U8(0xAB);
  out.U16(0x1234);
  out.U32(0x89ABCDEF);
  out.I32(-2);
  out.F64(1.5);  // 0x3FF8000000000000
  EXPECT_EQ(bytes, Hex({0xAB, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                        0, 0, 0, 0xF8, 0x3F}));
  PatchU16(bytes, 1, 0xBEEF);
  PatchU32(bytes, 3, 0x01020304);
  EXPECT_EQ(ReadU16(bytes, 1), 0xBEEF);
  EXPECT_EQ(ReadU32(bytes, 3), 0x01020304u);
  EXPECT_THROW(PatchU32(bytes, bytes.size() - 3, 0), std::out_of_range);
}

TEST(BiffStream, FramesARecordWithTypeAndSize) {
  BiffStream stream;
  EXPECT_EQ(stream.Write(0x0042, Hex({0xB0, 0x04})), 0u);
  EXPECT_EQ(stream.Write(biff::kEof), 6u);
  EXPECT_EQ(stream.Data(), Hex({0x42, 0x00, 0x02, 0x00, 0xB0, 0x04, 0x0A, 0x00, 0x00, 0x00}));
}

// Data up to the limit stays in one record; one byte more starts a CONTINUE record.
TEST(BiffStream, CutsLongDataIntoContinueRecordsAtTheLimit) {
  struct Case {
    std::size_t size;
    std::vector<std::size_t> pieces;
  };
  for (const Case& c :
       {Case{8224, {8224}}, Case{8225, {8224, 1}}, Case{20000, {8224, 8224, 3552}}}) {
    BiffStream stream;
    Bytes data(c.size);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    stream.Write(biff::kSst, data);
    const auto records = Records(stream.Data());
    ASSERT_EQ(records.size(), c.pieces.size()) << c.size;
    Bytes joined;
    for (std::size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].id, i == 0 ? biff::kSst : biff::kContinue);
      EXPECT_EQ(records[i].data.size(), c.pieces[i]);
      joined.insert(joined.end(), records[i].data.begin(), records[i].data.end());
    }
    EXPECT_EQ(joined, data);
  }
}

// A string table whose second string crosses the record limit: the CONTINUE record starts
// with a fresh option byte, a wide character is never cut in two, and a string's header is
// never left behind without its first character.
TEST(ContinuedRecord, CutsStringsBetweenCharactersWithAFreshOptionByte) {
  struct Case {
    const char* what;
    std::size_t fill;  // bytes before the string's header
    bool wide;
    std::size_t firstPart;  // characters left in the first record
  };
  const Case cases[] = {
      {"compressed, room for 10 characters", 8224 - 3 - 10, false, 10},
      {"wide, room for 5 characters and one byte", 8224 - 3 - 11, true, 5},
      {"header fits but no character", 8224 - 3, false, 0},
      {"header does not fit", 8224 - 2, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BiffStream stream;
    ContinuedRecord record(stream, biff::kSst);
    record.AppendWhole(Bytes(c.fill, 0xEE));
    const std::u16string text(40, c.wide ? u'Ω' : u'x');
    Bytes header;
    ByteWriter(header).U16(static_cast<std::uint16_t>(text.size()));
    ByteWriter(header).U8(c.wide ? 1 : 0);
    const auto place = record.AppendWhole(header, c.wide ? 2 : 1);
    record.AppendCharacters(text, c.wide);
    record.Finish();

    const auto records = Records(stream.Data());
    ASSERT_EQ(records.size(), 2u);
    const std::size_t width = c.wide ? 2 : 1;
    if (c.firstPart == 0 && c.fill + 3 + width > 8224) {
      // The header moved on with the characters: the CONTINUE record starts with it.
      EXPECT_EQ(records[0].data.size(), c.fill);
      EXPECT_EQ(place.streamPosition, records[1].position + 4);
      EXPECT_EQ(place.offsetInRecord, 4u);
      EXPECT_EQ(records[1].data.size(), 3 + width * text.size());
      continue;
    }
    EXPECT_EQ(place.streamPosition, records[0].position + 4 + c.fill);
    EXPECT_EQ(place.offsetInRecord, 4 + c.fill);
    EXPECT_EQ(records[0].data.size(), c.fill + 3 + width * c.firstPart);
    EXPECT_EQ(records[1].id, biff::kContinue);
    EXPECT_EQ(records[1].data[0], c.wide ? 1 : 0);
    EXPECT_EQ(records[1].data.size(), 1 + width * (text.size() - c.firstPart));
  }
}

TEST(ContinuedRecord, KeepsASmallRecordWhole) {
  BiffStream stream;
  ContinuedRecord record(stream, biff::kSst);
  record.AppendWhole(Hex({1, 0, 0, 0, 1, 0, 0, 0}));
  record.AppendWhole(Hex({2, 0, 0}), 1);
  record.AppendCharacters(u"ab", false);
  record.Finish();
  EXPECT_EQ(stream.Data(),
            Hex({0xFC, 0x00, 0x0D, 0x00, 1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 'a', 'b'}));
}

TEST(XlString, StoresLatinTextCompressedAndOtherTextAsUtf16) {
  struct Case {
    std::u16string text;
    bool shortForm;
    Bytes expected;
  };
  const Case cases[] = {
      {u"Arial", true, Hex({5, 0, 'A', 'r', 'i', 'a', 'l'})},
      {u"Sheet1", false, Hex({6, 0, 0, 'S', 'h', 'e', 'e', 't', '1'})},
      {u"é", true, Hex({1, 0, 0xE9})},
      {u"Ωx", true, Hex({2, 1, 0xA9, 0x03, 'x', 0})},
      {u"Ω", false, Hex({1, 0, 1, 0xA9, 0x03})},
      {u"", false, Hex({0, 0, 0})},
  };
  for (const Case& c : cases) {
    Bytes bytes;
    ByteWriter out(bytes);
    if (c.shortForm)
      WriteShortString(out, c.text);
    else
      WriteLongString(out, c.text);
    EXPECT_EQ(bytes, c.expected);
  }
  Bytes bytes;
  ByteWriter out(bytes);
  EXPECT_THROW(WriteShortString(out, std::u16string(256, u'a')), Exception);
}

TEST(XlString, ConvertsUtf8ToUtf16) {
  EXPECT_EQ(Utf16FromUtf8("Tahoma"), u"Tahoma");
  EXPECT_EQ(Utf16FromUtf8("1060,66 é Ω ∑"), u"1060,66 é Ω ∑");
  EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x94\xA9"), u"\U0001F529");  // a nut and bolt, beyond 16 bits
  for (const char* bad : {"\x80", "\xC3", "\xE2\x88", "\xFF", "a\xC3("})
    EXPECT_THROW(Utf16FromUtf8(bad), Exception) << bad;
}

// RK keeps a number in 4 bytes when that gives back the very same double.
TEST(Rk, EncodesOnlyWhatReadsBackExactly) {
  struct Case {
    double value;
    std::optional<std::uint32_t> rk;
  };
  const Case cases[] = {
      {0.0, 0x00000002},           // integer 0
      {1500.0, (1500u << 2) | 2},  // integer
      {-1500.0, static_cast<std::uint32_t>(-1500 * 4) | 2},
      {1060.66, (106066u << 2) | 3},  // hundredths
      {-128.33, static_cast<std::uint32_t>(-12833 * 4) | 3},
      {0.5, 0x3FE00000},  // the double's high 30 bits
      {2250000.0, (2250000u << 2) | 2},
      {536870911.0, (536870911u << 2) | 2},  // the largest integer RK
      {536870912.0, 0x41C00000},             // 2^29: a power of two fits the double form
      {536870913.0, std::nullopt},
      {1.0 / 3.0, std::nullopt},
      {1124999.64, (112499964u << 2) | 3},  // a square as the table holds it
      {1.5e16, std::nullopt},
      {-0.0, 0x80000000},  // the sign survives in the double form
  };
  for (const Case& c : cases) {
    const auto rk = RkOf(c.value);
    if (rk) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(DoubleOfRk(*rk)),
                std::bit_cast<std::uint64_t>(c.value))
          << c.value;
    }
    EXPECT_EQ(rk, c.rk) << c.value;
  }
}

}  // namespace
}  // namespace arvelle::xls
