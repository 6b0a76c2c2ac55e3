// The raw view: header fields of hand-built packets however short, the hex dump's
// layout, and the records nodes own.

#include "tests/archive/ArchiveBuilder.h"
#include "display/RawView.h"

#include <memory>

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

RawPacket packetOf(const Bytes& bytes)
{
    return RawPacket{bytes.data(), uint32_t(bytes.size()), {}};
}

std::string field(const RawView& view, const std::string& name)
{
    for (const RawField& f : view.header)
        if (f.name == name)
            return f.value;
    return "(no such field)";
}

} // namespace

TEST(RawView, DecodesEveryHeaderFieldAndDumpsTheFrame)
{
    const Bytes frame = categoryPacket(Category::ErrorMessages, {0x4142}).frame();
    ASSERT_EQ(frame.size(), 26u);
    const RawView view = rawPacketView(packetOf(frame));
    EXPECT_EQ(rawViewText(view), "Packet, 26 bytes\n"
                                 "Sync                   0x1ACF 0xFC1D\n"
                                 "Packet identification  0x0F10 (process identifier 113, data-field header flag 1)\n"
                                 "Sequence control       0x0000\n"
                                 "Length                 15 (0x000F)\n"
                                 "Service type           1\n"
                                 "Service subtype        0\n"
                                 "Category word          0x0007 (7, Error messages)\n"
                                 "\n"
                                 "00000000  CF 1A 1D FC 10 0F 00 00  0F 00 00 00 00 00 00 00  |................|\n"
                                 "00000010  01 00 00 00 00 00 07 00  42 41" + std::string(20, ' ') + "|........BA|\n");
}

TEST(RawView, FieldsThePacketIsTooShortForShowADash)
{
    Packet source = categoryPacket(Category::TpstReport);
    source.serviceType = 20;
    source.serviceSubtype = 3;
    const Bytes frame = source.frame();
    ASSERT_EQ(frame.size(), 24u);
    // The offset past which each field's bytes end.
    const std::pair<const char*, size_t> reach[] = {{"Packet identification", 6}, {"Sequence control", 8},
                                                    {"Length", 10},  {"Service type", 18},
                                                    {"Service subtype", 20},      {"Category word", 24}};
    for (size_t size = 0; size <= frame.size(); ++size) {
        // A buffer of exactly `size` bytes: a read past it is caught by the sanitizers.
        const auto bytes = std::make_unique<uint8_t[]>(std::max<size_t>(size, 1));
        std::copy_n(frame.begin(), size, bytes.get());
        const RawView view = rawPacketView(RawPacket{bytes.get(), uint32_t(size), {}});
        SCOPED_TRACE(size);
        EXPECT_EQ(view.note, "Packet, " + std::to_string(size) + " bytes");
        EXPECT_EQ(field(view, "Sync"), std::string(size >= 2 ? "0x1ACF" : "-") + (size >= 4 ? " 0xFC1D" : " -"));
        for (const auto& [name, end] : reach)
            EXPECT_EQ(field(view, name) == "-", size < end) << name;
        EXPECT_EQ(view.dump.size(), (size + 15) / 16);
    }
    const RawView full = rawPacketView(packetOf(frame));
    EXPECT_EQ(field(full, "Service type"), "20");
    EXPECT_EQ(field(full, "Service subtype"), "3");
    EXPECT_EQ(field(full, "Category word"), "0x0008 (8, TPST report)");
}

TEST(RawView, OddSizesEndTheDumpOnTheirLastByte)
{
    Bytes frame = categoryPacket(Category::InternalHk, {0x3231}).frame();
    frame.pop_back(); // 25 bytes: the last word is cut in half
    const RawView odd = rawPacketView(packetOf(frame));
    EXPECT_EQ(odd.note, "Packet, 25 bytes");
    EXPECT_EQ(field(odd, "Category word"), "0x0003 (3, Internal HK)");
    ASSERT_EQ(odd.dump.size(), 2u);
    EXPECT_EQ(odd.dump[1], "00000010  01 00 00 00 00 00 03 00  31" + std::string(23, ' ') + "|........1|");
    // Every line keeps the ASCII column in place.
    EXPECT_EQ(odd.dump[0].find('|'), odd.dump[1].find('|'));

    frame.resize(23);
    EXPECT_EQ(field(rawPacketView(packetOf(frame)), "Category word"), "-");
}

TEST(RawView, ALimitStopsTheDumpAndTheNoteSaysSo)
{
    const Bytes frame = categoryPacket(Category::InternalHk, counting(41)).frame(); // 106 bytes
    const RawView whole = rawPacketView(packetOf(frame));
    const RawView cut = rawPacketView(packetOf(frame), 32);
    EXPECT_EQ(whole.dump.size(), 7u); // 6 full lines and 10 bytes
    EXPECT_EQ(cut.note, "Packet, 106 bytes (the first 32 bytes shown)");
    EXPECT_EQ(cut.dump, std::vector<std::string>(whole.dump.begin(), whole.dump.begin() + 2));
    EXPECT_EQ(cut.header, whole.header);
    EXPECT_EQ(rawPacketView(packetOf(frame), 106).note, "Packet, 106 bytes") << "a limit the bytes fit is not told";
}

TEST(RawView, OnlyPrintableAsciiIsShownAsItself)
{
    const Bytes bytes = {0x00, 0x1F, 0x20, 0x41, 0x7E, 0x7F, 0x80, 0xFF, 0xE4};
    const std::vector<std::string> lines = hexDump(bytes.data(), bytes.size());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(lines[0].find('|')), "|.. A~....|");
    EXPECT_TRUE(hexDump(bytes.data(), 0).empty());
}

TEST(RawView, ForeignAndOddHeadersAreShownAsStored)
{
    // Flag clear, process identifier 18: the service fields are still read where the classification reads them.
    Packet foreign = withProcessId(categoryPacket(-32768), 18);
    foreign.dataFieldHeader = false;
    Bytes frame = foreign.frame() + le({0, 0, 0, 0, 0});
    const RawView view = rawPacketView(packetOf(frame));
    EXPECT_EQ(field(view, "Packet identification"), "0x0120 (process identifier 18, data-field header flag 0)");
    EXPECT_EQ(field(view, "Service type"), "0");
    EXPECT_EQ(field(view, "Category word"), "0x0000 (0, Empty packets)") << "data word 1 sits at byte 22";

    const RawView unknown = rawPacketView(packetOf(categoryPacket(13).frame()));
    EXPECT_EQ(field(unknown, "Category word"), "0x000D (13)");
    EXPECT_EQ(field(rawPacketView(packetOf(categoryPacket(-2).frame())), "Category word"), "0xFFFE (-2)");
}

TEST(RawView, NodesShowTheirPacketTheirRecordOrANote)
{
    CategoryTree tree;
    const NodeId group = tree.addGroup(noNode, "MS");
    const NodeId time = tree.addNode(group, NodeWrapper(NodeKind::Time, int64_t(65536)));
    const Bytes frame = categoryPacket(Category::TestResults).frame();
    const RawPacket packet = packetOf(frame);
    const NodeId packetNode = tree.addNode(group, NodeWrapper(NodeKind::TestResults, &packet));

    auto sweep = std::make_unique<HkSweepRecord>();
    sweep->fill(WordView(le(counting(16, 0x4100)).data(), 32));
    const NodeId sweepNode = tree.addNode(group, NodeWrapper(NodeKind::MsHkSweep, std::move(sweep)));

    auto tc = std::make_unique<TelecommandRecord>();
    writeLe16(tc->bytes.data(), 4);
    const NodeId tcNode = tree.addNode(group, NodeWrapper(NodeKind::Telecommand, std::move(tc)));

    const Bytes samples = le({0x0102, 0x0304, 0x0506});
    auto spectrum = std::make_unique<SpectrumRecord>();
    *spectrum = {gcTag, 3, 0x0001, 0x8000, 0, WordView(samples.data(), samples.size())};
    const NodeId spectrumNode = tree.addNode(group, NodeWrapper(NodeKind::Spectrum, std::move(spectrum)));

    auto image = std::make_unique<MemoryDumpImage>(2, 0x0A);
    image->addPage({});
    image->addPage({});
    const NodeId dumpNode = tree.addNode(group, NodeWrapper(NodeKind::MemoryDump, std::move(image)));

    EXPECT_EQ(rawViewText(rawNodeView(tree, group)), "Group node: it holds no bytes of its own\n");
    EXPECT_EQ(rawViewText(rawNodeView(tree, time)), "Time node: it holds no bytes of its own\n");
    EXPECT_EQ(rawNodeView(tree, noNode).note, "No node chosen");
    EXPECT_EQ(rawNodeView(tree, NodeId(tree.size())).note, "No node chosen");

    EXPECT_EQ(rawNodeView(tree, packetNode).dump, rawPacketView(packet).dump);

    const RawView sweepView = rawNodeView(tree, sweepNode);
    EXPECT_EQ(sweepView.note, "HK sweep record, 16 words");
    EXPECT_EQ(sweepView.header, (std::vector<RawField>{{"Words", "16"}}));
    ASSERT_EQ(sweepView.dump.size(), 2u);
    EXPECT_EQ(sweepView.dump[0], "00000000  00 41 01 41 02 41 03 41  04 41 05 41 06 41 07 41  |.A.A.A.A.A.A.A.A|");

    const RawView tcView = rawNodeView(tree, tcNode);
    EXPECT_EQ(tcView.note, "Telecommand record, 33 words");
    EXPECT_EQ(field(tcView, "Telecommand words"), "4");
    EXPECT_EQ(tcView.dump.size(), 5u) << "66 bytes";

    const RawView spectrumView = rawNodeView(tree, spectrumNode);
    EXPECT_EQ(spectrumView.note, "Spectrum record (GC): the samples");
    EXPECT_EQ(spectrumView.header, (std::vector<RawField>{
                                       {"Tag", "0x4743 (GC)"}, {"Samples", "3"}, {"Time words", "0x0001 0x8000"}}));
    EXPECT_EQ(spectrumView.dump, hexDump(le({0x0102, 0x0304, 0x0506}).data(), 6));

    const RawView dumpView = rawNodeView(tree, dumpNode);
    EXPECT_EQ(dumpView.note, "Memory dump: page count, memory type, then 2 pages of 128 words");
    EXPECT_EQ(field(dumpView, "Pages"), "2");
    EXPECT_EQ(field(dumpView, "Memory type"), "0x000A");
    EXPECT_EQ(dumpView.dump.size(), (2 + 2 * 128) * 2 / 16 + 1);
    EXPECT_EQ(dumpView.dump[0].substr(0, 24), "00000000  02 00 0A 00 00");

    // A dump cut short shows the pages the file held and says so.
    auto cutShortImage = std::make_unique<MemoryDumpImage>(3, 0x0A);
    cutShortImage->addPage({});
    const RawView cutShort =
        rawNodeView(tree, tree.addNode(group, NodeWrapper(NodeKind::MemoryDump, std::move(cutShortImage))));
    EXPECT_EQ(cutShort.dump.size(), (2 + 128) * 2 / 16 + 1);
    EXPECT_EQ(cutShort.note, "Memory dump: page count, memory type, then 1 of the 3 pages of 128 words announced (the "
                             "file held no more; they read as zero)");
}
