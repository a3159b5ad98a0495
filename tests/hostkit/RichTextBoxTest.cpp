// The rich-text box as the panel and the copy and print dialogs reach it: members by name and by
// dispatch id, loading and saving files, the clipboard, the font table and the engine handle.
#include "hostkit/RichTextBoxTest.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "TestFolder.h"
#include "hostkit/richtextbox/HostEngineServices.h"
#include "hostkit/richtextbox/RichTextFunctions.h"
#include "richtext/RtfReader.h"
#include "runtime/TestSupport.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;
using headless::ClipOperation;
using hostkit::RichTextBox;

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RichTextBoxTest : public RichTextHost {
  protected:
    Variant Get(DispId id) {
        Args a;
        return obj->Invoke(id, CallKind::Get, a);
    }
    void Let(DispId id, Variant v) {
        Args a{std::move(v)};
        obj->Invoke(id, CallKind::Let, a);
    }
    TestFolder folder{"quindel_richtext"};
};

TEST_F(RichTextBoxTest, NamesAndDispatchIdsReachTheSameMembers) {
    struct Case {
        const char* name;
        DispId id;
        Variant value;
    } cases[] = {
        {"FText", 42, kFormatted},
        {"SelStart", 90, std::int32_t(3)},
        {"SelLength", 89, std::int32_t(4)},
        {"SelFType", 2, std::int32_t(63)},
        {"ViewMode", 33, std::int32_t(2)},
        {"ScrollBars", 22, std::int16_t(4)},
        {"WriteProtect", 103, true},
        {"ShowSelection", 18, false},
        {"RegionRange", 112, std::int32_t(0)},
        {"PageRange", 49, std::int32_t(1)},
        {"SaveName", 44, "copy"},
        {"ClipCopy", 118, std::int16_t(0)},
        {"FileSave", 45, std::int16_t(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(obj->GetIDOfName(c.name), c.id);
        Let(c.id, c.value);
        const Variant back = GetProperty(obj, c.name);
        if (!c.value.isString()) {
            EXPECT_EQ(CLng(back), CLng(c.value));
        } else if (c.id != 42) {
            EXPECT_EQ(CStr(back), CStr(c.value));
        }
    }
    EXPECT_EQ(box->engine().Text(), kFormattedText) << "42 loaded the RTF";
    EXPECT_EQ(box->SelText(), "in b") << "90 and 89 selected";
    EXPECT_EQ(obj->GetIDOfName("TextLength"), 144);
    EXPECT_EQ(obj->GetIDOfName("EngineHandle"), 146);
    EXPECT_EQ(ErrorNumberOf([&] { Let(144, std::int32_t(1)); }), 438) << "the length is read-only";
}

TEST_F(RichTextBoxTest, SelectsEverythingThroughTheLengthItReports) {
    Let(42, std::string(kFormatted));
    EXPECT_EQ(CStr(Get(42)).rfind("{\\rtf1", 0), 0u);
    Let(90, std::int32_t(0));
    Let(89, Get(144));
    EXPECT_EQ(CStr(GetProperty(obj, "SelText")), kFormattedText);
    Let(89, std::int32_t(1000));
    EXPECT_EQ(CLng(Get(89)), CLng(Get(144))) << "a length past the end selects to the end";
    CallMethod(obj, "ClearAll");
    EXPECT_EQ(CLng(Get(144)), 0);
    EXPECT_EQ(CStr(GetProperty(obj, "SelText")), "");
}

TEST_F(RichTextBoxTest, LoadsFilesAsRtfOrPlainTextAndReportsFailures) {
    const fs::path rtf = folder.path() / "text.rtf", plain = folder.path() / "plain.txt",
                   looksRtf = folder.path() / "looks.txt";
    Write(rtf, kFormatted);
    Write(plain, "first line\nsecond line");
    Write(looksRtf, "{\\rtf1 not really}");
    // Named by a hostile list: a FIFO nobody writes to, a device without end, a huge sparse file.
    const fs::path fifo = folder.path() / "fifo.rtf", huge = folder.path() / "huge.rtf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Write(huge, "{\\rtf1 x}");
    fs::resize_file(huge, hostkit::RichTextBox::kMaxTextFileBytes + 1);
    struct Case {
        fs::path file;
        std::int16_t dataType;
        std::string text;  // what the box holds after FileLoad = 2
        int error;
    } cases[] = {
        {rtf, 3, kFormattedText, 0},
        {plain, 3, "first line\r\nsecond line", 0},
        {looksRtf, 1, "{\\rtf1 not really}", 0},
        {looksRtf, 3, "not really", 0},
        {folder.path() / "missing.rtf", 3, "", 53},
        {folder.path(), 3, "", 75},
        {fifo, 3, "", 75},
        {"/dev/zero", 3, "", 75},
        {huge, 3, "", 75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.string() + " as " + std::to_string(c.dataType));
        box->ClearAll();
        LetProperty(obj, "DataType", c.dataType);
        LetProperty(obj, "FileName", c.file.string());
        EXPECT_EQ(ErrorNumberOf([&] { LetProperty(obj, "FileLoad", std::int16_t(2)); }), c.error);
        EXPECT_EQ(box->engine().Text(), c.text);
    }
    LetProperty(obj, "FileName", plain.string());
    LetProperty(obj, "FileLoad", std::int16_t(1));
    EXPECT_EQ(box->engine().Text(), "first line\r\nsecond line") << "1 on nothing loads";
    LetProperty(obj, "FileLoad", std::int16_t(1));
    EXPECT_EQ(box->engine().Text(), "first line\r\nsecond line\r\nfirst line\r\nsecond line")
        << "1 appends";
    EXPECT_EQ(ErrorNumberOf([&] { LetProperty(obj, "DataType", std::int16_t(2)); }), 380);
}

TEST_F(RichTextBoxTest, CopiesTheSelectionToTheClipboard) {
    struct Case {
        std::int16_t mode;
        std::int32_t start, length;
        std::vector<ClipOperation> operations;
        std::optional<std::string> text, rtfText;  // rtfText: what the RTF reads back as
    } cases[] = {
        {2, 0, 22, {ClipOperation::TextAndRtf}, "Plain bold and italic.", "Plain bold and italic."},
        {1, 6, 4, {ClipOperation::Text}, "bold", std::nullopt},
        {2, 5, 0, {}, std::nullopt, std::nullopt},  // nothing selected: nothing copied
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        headless::HeadlessClipboard& clip = *p.clipboard();
        clip.Clear();
        clip.ClearOperations();
        box->setFText(kFormatted);
        box->Select(c.start, c.length);
        Let(118, c.mode);
        EXPECT_EQ(clip.Operations(), c.operations);
        EXPECT_EQ(clip.Text(), c.text);
        ASSERT_EQ(clip.Rtf().has_value(), c.rtfText.has_value());
        if (c.rtfText) {
            EXPECT_EQ(richtext::RtfReader::Read(*clip.Rtf()).PlainText(), *c.rtfText);
        }
    }
    EXPECT_EQ(ErrorNumberOf([&] { Let(118, std::int16_t(3)); }), 380);
}

TEST_F(RichTextBoxTest, SavesTheDocumentOrTheSelectionAsRtf) {
    struct Case {
        const char* name;
        std::int16_t mode;
        std::int32_t start, length;
        const char* written;  // the file written
        std::string text;     // what it reads back as
    } cases[] = {
        {"whole", 2, 6, 4, "whole.rtf", kFormattedText},
        {"part", 1, 6, 4, "part.rtf", "bold"},
        {"none.selected", 1, 0, 0, "none.selected", kFormattedText},
    };
    box->setFText(kFormatted);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box->Select(c.start, c.length);
        Let(44, (folder.path() / c.name).string());
        Let(45, c.mode);
        const fs::path file = folder.path() / c.written;
        ASSERT_TRUE(fs::exists(file));
        EXPECT_EQ(richtext::RtfReader::Read(Read(file)).PlainText(), c.text);
    }
    Let(44, (folder.path() / "no" / "such" / "folder").string());
    EXPECT_EQ(ErrorNumberOf([&] { Let(45, std::int16_t(2)); }), 75);
}

TEST_F(RichTextBoxTest, FontTableEntriesRoundTripAndSupplyUndefinedFonts) {
    // The print dialog's way: entry 0 read, entries written back with another face each.
    Args fields(hostkit::kFontTableFields);
    hostkit::FontTableGet(obj, 0, fields);
    EXPECT_EQ(CStr(fields[2]), "Times New Roman");
    const char* faces[] = {"Times New Roman", "Serif A", "Times New Roman", "Serif B"};
    for (std::int32_t i = 0; i < 4; ++i) {
        fields[2] = faces[i];
        fields[3] = std::int32_t(12);
        fields[5] = std::int32_t(0);
        hostkit::FontTablePut(obj, i, fields);
    }
    EXPECT_EQ(CLng(GetProperty(obj, "FontTableSize")), 4);
    for (std::int32_t i = 0; i < 4; ++i) {
        Args back(hostkit::kFontTableFields);
        hostkit::FontTableGet(obj, i, back);
        EXPECT_EQ(CStr(back[2]), faces[i]);
        EXPECT_EQ(CLng(back[3]), 12);
    }
    // Text in font 3, which the document names but does not define, shows in the host's face.
    box->setFText("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f3 special\\f0  plain}");
    const richtext::Document& doc = box->engine().document();
    EXPECT_EQ(doc.FontOf(doc.Char(doc.Runs().front().format))->face, "Serif B");
    EXPECT_EQ(box->engine().Text(), "special plain");
    EXPECT_EQ(hostkit::FontTableGet(obj, 2).used, 0);
    LetProperty(obj, "FontTableSize", std::int32_t(2));
    EXPECT_EQ(box->FontTableSize(), 2);
    EXPECT_EQ(ErrorNumberOf([&] { hostkit::FontTableGet(obj, -1); }), 9);
    const Object parent = *GetProperty(obj, "Parent").asObjectPtr();
    EXPECT_EQ(ErrorNumberOf([&] { hostkit::FontTableGet(parent, 0); }), 13);
    EXPECT_EQ(ErrorNumberOf([&] { hostkit::FontTablePut(obj, 0, Args(3)); }), 450);
}

// The engine's services, which the print dialog reaches the table through, read and write the
// box's own entries: the document's, the host's, and a default for a font nobody gave.
TEST_F(RichTextBoxTest, TheEngineServicesReadAndWriteTheBoxsFontTable) {
    hostkit::HostEngineServices services(p);
    box->setFText("{\\rtf1\\ansi{\\fonttbl{\\f1\\fswiss\\fcharset238 Arial;}}\\f1 a}");
    const richtext::FontFields none = services.FontTableGet(obj, 5);
    EXPECT_EQ(none.face, "Times New Roman");
    EXPECT_EQ(none.family, 1);
    EXPECT_EQ(none.points, 12);
    EXPECT_EQ(none.used, 0);
    const richtext::FontFields own = services.FontTableGet(obj, 1);
    EXPECT_EQ(own.face, "Arial");
    EXPECT_EQ(own.family, 2);
    EXPECT_EQ(own.charset, 238);
    EXPECT_EQ(own.used, 1);
    richtext::FontFields put = own;
    put.face = "Serif C";
    put.weight = 700;
    put.italic = 1;
    services.FontTablePut(obj, 9, put);
    put.used = 0;
    EXPECT_EQ(services.FontTableGet(obj, 9), put);
}

TEST_F(RichTextBoxTest, TheEngineHandleFindsTheLiveInstance) {
    const std::int32_t handle = CLng(Get(146));
    EXPECT_EQ(RichTextBox::FromHandle(p, handle), box.get());
    EXPECT_EQ(RichTextBox::FromHandle(p, form->hWnd()), nullptr);
    box->Remove();
    EXPECT_EQ(RichTextBox::FromHandle(p, handle), nullptr);
}

TEST_F(RichTextBoxTest, WindowMembersMoveAndNameTheHostForm) {
    CallMethod(obj, "Move", std::int32_t(150), std::int32_t(240), std::int32_t(4500));
    EXPECT_EQ(CLng(GetProperty(obj, "Left")), 150);
    EXPECT_EQ(CLng(GetProperty(obj, "Top")), 240);
    EXPECT_EQ(CLng(GetProperty(obj, "Width")), 4500);
    EXPECT_EQ(CLng(GetProperty(obj, "height")), 3000);
    const Object parent = *GetProperty(obj, "Parent").asObjectPtr();
    EXPECT_EQ(CLng(GetProperty(parent, "hWnd")), form->hWnd());
    LetProperty(obj, "Visible", false);
    EXPECT_FALSE(box->Visible());
}

}  // namespace
}  // namespace quindel::test
