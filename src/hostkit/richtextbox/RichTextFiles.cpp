// The rich-text box and files: loading FileName, saving to SaveName.
#include <filesystem>
#include <fstream>

#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/Platform.h"
#include "platform/RegularFile.h"
#include "richtext/PlainTextReader.h"
#include "richtext/RtfWriter.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

namespace fs = std::filesystem;

namespace {

constexpr std::int16_t kPlainText = 1;
constexpr std::int16_t kRtf = 3;
constexpr std::int16_t kAppend = 1;
constexpr std::int16_t kReplace = 2;
constexpr std::int16_t kSelection = 1;
constexpr std::int16_t kWhole = 2;

}  // namespace

void RichTextBox::setDataType(std::int16_t v) {
    if (v != kPlainText && v != kRtf) Raise(380);
    dataType_ = v;
}

std::string RichTextBox::ReadFile() const {
    if (fileName_.empty()) Raise(53);
    const std::string path = platform().files().Resolve(fileName_);
    platform::ReadResult r = platform::ReadRegularFile(path, kMaxTextFileBytes);
    if (r.bytes) return std::move(*r.bytes);
    throw VbError(r.failure == platform::ReadFailure::Missing ? 53 : 75, "RichTextBox", r.why);
}

void RichTextBox::setFileLoad(std::int16_t mode) {
    if (mode < 0 || mode > kReplace) Raise(380);
    fileLoad_ = mode;
    if (mode == 0) return;
    std::string content = ReadFile();
    // Plain text that begins like RTF must still read as text: it goes in as our own RTF.
    if (dataType_ == kPlainText)
        content = richtext::RtfWriter::Write(richtext::PlainTextReader::Read(content));
    // Appending to nothing would begin the document with an empty paragraph.
    const bool append = mode == kAppend && TextLength() > 0;
    if (append)
        engine_->Append(content);
    else
        engine_->Load(content);
    Loaded(append);
}

void RichTextBox::setFileSave(std::int16_t mode) {
    if (mode < 0 || mode > kWhole) Raise(380);
    fileSave_ = mode;
    if (mode == 0) return;
    if (saveName_.empty()) Raise(75);
    fs::path path = platform().files().Resolve(saveName_);
    if (!path.has_extension()) path += ".rtf";
    const std::string rtf =
        mode == kSelection && SelLength() > 0 ? engine_->SelectedRtf() : engine_->Rtf();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(rtf.data(), std::streamsize(rtf.size()));
    if (!out.flush()) Raise(75);
}

}  // namespace quindel::hostkit
