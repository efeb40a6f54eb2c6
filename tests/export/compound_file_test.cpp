// The compound document: every stream comes back whole, and the directory tree is one that
// the validators' strict check accepts (balanced, red-black, in the format's name order).
#include <gtest/gtest.h>

#include "export/compound_file.h"
#include "export/file_sink.h"
#include "read_back.h"
#include "temp_folder.h"

namespace arvelle::xls {
namespace {

std::string Hex(const Bytes& bytes) { return test::HexOf(std::string(bytes.begin(), bytes.end())); }

TEST(CompoundDocument, HoldsEveryStreamInABalancedTree) {
  test::TempFolder folder;
  // Names that sort differently by length and by letter; sizes on both sides of 4096 bytes.
  const std::vector<std::string> names = {"Workbook", "b",   "\x05Other", "AA", "a1",
                                          "Zeta",     "ccc", "Dd",        "E"};
  for (std::size_t count = 1; count <= names.size(); ++count) {
    SCOPED_TRACE(count);
    std::vector<CompoundStream> streams;
    for (std::size_t i = 0; i < count; ++i) {
      Bytes data(i % 2 == 0 ? 5000 + i : 100 + i);
      for (std::size_t k = 0; k < data.size(); ++k) data[k] = static_cast<std::uint8_t>(k * 31 + i);
      streams.push_back({names[i], data});
    }
    const std::string path = folder.File("doc" + std::to_string(count) + ".cfb");
    WriteNewFile(path, BuildCompoundDocument(streams));
    const test::ScriptRun check = test::Run(
        "/usr/bin/python3 " ARVELLE_SHARED_DIR "/validators/cfb_check.py '" + path + "' --quiet");
    // Without a workbook stream and property sets the check adds notes (exit 4); problems
    // (exit 2) or a refusal (1) fail, and no note may be about the tree.
    EXPECT_TRUE(check.exitCode == 0 || check.exitCode == 4) << check.out;
    for (const char* treeNote : {"red entries", "is red", "black heights"})
      EXPECT_EQ(check.out.find(treeNote), std::string::npos) << check.out;
    const auto read = test::ReadStreams(path);
    ASSERT_EQ(read.size(), count);
    for (const auto& s : streams) {
      std::string shown = s.name;
      if (shown[0] == '\x05') shown = "\\x05" + shown.substr(1);
      EXPECT_EQ(read.at(shown), Hex(s.data)) << shown;
    }
  }
}

TEST(CompoundDocument, RefusesADamagedDocument) {
  Bytes tiny(100, 0);
  EXPECT_THROW(BalanceDirectoryTrees(tiny), std::exception);
  Bytes header(1024, 0xFF);
  EXPECT_THROW(BalanceDirectoryTrees(header), std::exception);
}

}  // namespace
}  // namespace arvelle::xls
