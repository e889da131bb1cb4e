// The writers that build the CSV header, the track files and the report page in blocks: what the
// sink receives, whatever the sizes of the pieces, and where XML and HTML escape text differently.
#include "outputs/text/block_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "outputs/csv/csv_header.h"
#include "outputs/report/page_text.h"
#include "outputs/text/xml_text.h"
#include "tests/string_sink.h"

namespace trelvox {
namespace {

using ::testing::Each;
using ::testing::Le;

// Keeps each block handed over on its own.
class BlockSink final : public ByteSink {
 public:
  void write(std::span<const char> bytes) override {
    blocks.emplace_back(bytes.begin(), bytes.end());
  }
  std::string text() const {
    std::string all;
    for (const std::string& block : blocks) all += block;
    return all;
  }
  std::vector<std::size_t> sizes() const {
    std::vector<std::size_t> sizes;
    for (const std::string& block : blocks) sizes.push_back(block.size());
    return sizes;
  }
  std::vector<std::string> blocks;
};

// Text of `size` bytes that shows where a piece was cut or repeated.
std::string numberedText(std::size_t size) {
  std::string text;
  for (std::size_t i = 0; text.size() < size; ++i) text += std::to_string(i) + ' ';
  text.resize(size);
  return text;
}

// Short pieces, an asset several blocks long and points laid down through room/advance come out
// whole, in order, in blocks no larger than a block, and nothing before a block is full or flushed.
TEST(BlockWriter, PiecesOfAnySizeReachTheSinkWholeAndInOrder) {
  const std::string asset = numberedText(3 * BlockWriter::kBlockSize + 17);
  BlockSink sink;
  BlockWriter writer(sink);
  std::string expected;
  writer.append("<head>");
  writer.append('\n');
  expected += "<head>\n";
  EXPECT_TRUE(sink.blocks.empty());
  writer.append(asset);
  expected += asset;
  for (int point = 0; point < 10000; ++point) {
    const std::string text = "<p>" + std::to_string(point) + "</p>";
    char* out = writer.room(64);
    writer.advance(std::copy(text.begin(), text.end(), out));
    expected += text;
  }
  writer.flush();
  EXPECT_EQ(sink.text(), expected);
  EXPECT_THAT(sink.sizes(), Each(Le(BlockWriter::kBlockSize)));
  // A point never straddles two blocks: each block ends where a piece does.
  for (std::size_t i = 4; i < sink.blocks.size(); ++i) {
    EXPECT_EQ(sink.blocks[i - 1].back(), '>') << i;
  }
}

TEST(BlockWriter, FlushingNothingHandsNothingOver) {
  BlockSink sink;
  BlockWriter writer(sink);
  writer.flush();
  writer.append("x");
  writer.flush();
  writer.flush();
  EXPECT_EQ(sink.blocks, std::vector<std::string>{"x"});
}

// The sink fails (a full disk): the output is abandoned, and a later flush, from the clean-up,
// hands over nothing twice.
TEST(BlockWriter, BytesASinkRefusedAreNotHandedOverAgain) {
  class FailingOnce final : public ByteSink {
   public:
    void write(std::span<const char> bytes) override {
      if (failed++ == 0) throw std::runtime_error("disk full");
      text.append(bytes.data(), bytes.size());
    }
    int failed = 0;
    std::string text;
  } sink;
  BlockWriter writer(sink);
  writer.append("lost");
  EXPECT_THROW(writer.flush(), std::runtime_error);
  writer.append("kept");
  writer.flush();
  EXPECT_EQ(sink.text, "kept");
}

TEST(HeaderRowWriter, HeaderFieldsEndInTheSeparatorAndRowsInCrLf) {
  const std::string longName = numberedText(BlockWriter::kBlockSize + 5);
  StringSink sink;
  HeaderRowWriter writer(sink, ';');
  writer.separator();
  writer.field(0u);
  writer.field(4294967295u);
  writer.endRow();
  writer.field("TIME");
  writer.field(longName);
  writer.field("");
  writer.endRow();
  writer.flush();
  EXPECT_EQ(sink.text, ";0;4294967295;\r\nTIME;" + longName + ";;\r\n");
}

// The track files and the page escape names alike except where XML and HTML differ: the
// apostrophe's entity, and control characters, which XML 1.0 forbids and HTML shows.
TEST(MarkupText, XmlAndHtmlEscapeAlikeButForApostrophesAndControlCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  const struct {
    std::string text;
    std::string xml;
    std::string html;
  } cases[] = {
      {"a&b<c>\"d\"", "a&amp;b&lt;c&gt;&quot;d&quot;", "a&amp;b&lt;c&gt;&quot;d&quot;"},
      {"it's", "it&apos;s", "it&#39;s"},
      {"a\x01"
       "b\tc\nd\x1F",
       "a?b\tc?d?",
       "a\x01"
       "b\tc\nd\x1F"},
      {"\xC3\xA9\xF0\x9F\x9B\xA9", "\xC3\xA9\xF0\x9F\x9B\xA9", "\xC3\xA9\xF0\x9F\x9B\xA9"},
      {"\xFF|\xE3\x83|\xEF\xBF\xBE", r + "|" + r + "|" + r, r + "|" + r + "|" + r},
      {"\x7F", "\x7F", "\x7F"},
      {"", "", ""},
  };
  for (const auto& [text, xml, html] : cases) {
    StringSink xmlSink;
    XmlWriter xmlWriter(xmlSink);
    xmlWriter.raw("<n>").escaped(text).raw("</n>").flush();
    EXPECT_EQ(xmlSink.text, "<n>" + xml + "</n>") << text;
    StringSink pageSink;
    PageText page(pageSink);
    page.raw("<b>").htmlText(text).raw("</b>").flush();
    EXPECT_EQ(pageSink.text, "<b>" + html + "</b>") << text;
  }
}

}  // namespace
}  // namespace trelvox
