#include "platform/Printer.h"

namespace quindel::platform {

PrintResult Printer::StartDoc(std::string_view title) {
    if (open_) return PrintResult::Failure("A document is already open on this printer");
    title_ = std::string(title);
    PrintResult r = Begin(title_);
    // A document that could not begin is not open: the caller may simply try again.
    if (!r) return r;
    open_ = begun_ = true;
    page_ = 1;
    status_ = {};
    return r;
}

bool Printer::Ready() {
    if (!open_) {
        open_ = true;
        page_ = 1;
        status_ = {};
        PrintResult r = Begin(title_);
        begun_ = r.ok;
        if (!r) status_ = std::move(r);
    }
    return begun_ && status_.ok;
}

void Printer::SetTitle(std::string_view title) {
    title_ = std::string(title);
    if (begun_) Retitle(title_);
}

PrintResult Printer::NewPage() {
    if (!Ready()) return status_;
    PrintResult r = Page();
    if (!r) {
        status_ = r;
        return r;
    }
    ++page_;
    return r;
}

void Printer::DrawText(const PrintText& run) {
    if (Ready()) Text(run);
}

void Printer::Fill(const PrintFill& fill) {
    if (Ready()) Rectangle(fill);
}

void Printer::DrawPicture(const Image& picture, const RectTwips& area) {
    if (Ready() && !picture.empty() && area.width > 0 && area.height > 0) Picture(picture, area);
}

PrintResult Printer::EndDoc() {
    if (!open_) return {};
    PrintResult r;
    if (begun_ && status_.ok) {
        r = Finish();
    } else {
        if (begun_) Abandon();
        r = status_;
    }
    r.pages = page_;
    open_ = begun_ = false;
    page_ = 0;
    title_.clear();
    status_ = {};
    hdc_ = hdc_ < 0x7FFFFFFF ? hdc_ + 1 : kFirstHdc;
    return r;
}

void Printer::Fail(std::string what) {
    if (status_.ok) status_ = PrintResult::Failure(std::move(what));
}

}  // namespace quindel::platform
