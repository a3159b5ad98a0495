#include "viewer/ViewerHost.h"

#include <algorithm>

#include "control/Quindel.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "hostkit/richtextbox/HostEngineServices.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/search/ContentFingerprint.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ModelRenderer.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/VScrollBar.h"
#include "runtime/VbError.h"
#include "support/Catalogo.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"
#include "viewer/ViewerEvents.h"

namespace fs = std::filesystem;

namespace quindel::viewer {

using namespace quindel::platform;

namespace {

constexpr std::int32_t kPagina = 14;  // records per chunk of the multimedia list, as the demo
constexpr std::int16_t kPrevious = 10, kNext = 11;
constexpr std::int16_t kRestorePanel = 1;
// The panel's form over the top of the client area, and the panel on it (twips).
constexpr std::int32_t kPanelFormHeight = 600;
constexpr std::int32_t kPanelWidth = 9900;
constexpr std::int32_t kStatusHeight = 330;
// The least the display area keeps under the panel, in pixels.
constexpr int kLeastDisplayPx = 120;
const Rgba kDisplayBack = MakeRgb(32, 36, 44);

std::string FirstLine(const std::string& text) {
    return text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
}

}  // namespace

ViewerHost::ViewerHost(Platform& p, fs::path content, fs::path work, Dock dock,
                       const hostkit::MediaOptions& media)
    : p_(p),
      content_(fs::absolute(content)),
      work_(fs::absolute(work)),
      dock_(std::move(dock)),
      media_(media),
      workArea_{0, 0, p.screen().WidthPx(), p.screen().HeightPx()} {}

ViewerHost::~ViewerHost() {
    // The windows go with the host: no more calls back into it while they unload.
    closing_ = true;
    if (main_) main_->OnResize = nullptr;
    panel_.reset();
    if (stage_) stage_->Form().Unload();
    stage_.reset();
    if (panelForm_) panelForm_->Unload();
    if (main_) main_->Unload();
}

hostkit::RichTextBox& ViewerHost::Article() const {
    return stage_->Text();
}

bool ViewerHost::Start() {
    const fs::path mm = content_ / "ListaMM.lst", lemmi = content_ / "ListaLemmi.lst";
    if (!fs::is_directory(content_)) {
        error_ = "the content folder " + content_.string() + " does not exist";
        return false;
    }
    if (!fs::exists(mm) || !fs::exists(lemmi)) {
        error_ = "no list files (ListaMM.lst, ListaLemmi.lst) in " + content_.string();
        return false;
    }
    std::error_code ec;
    fs::create_directories(work_, ec);
    fs::current_path(content_, ec);
    fingerprint_ = hostkit::ContentFingerprint(content_.string());
    BuildWindows();
    LoadArticle();
    LoadLists(mm, lemmi);
    main_->Show();
    stage_->Form().Show();
    panelForm_->Show();
    return true;
}

void ViewerHost::BuildWindows() {
    main_ = p_.NewForm();
    main_->setCaption("Quindel viewer");
    // What the panel and the display area leave uncovered (beside the compact panel) blends with
    // the display area.
    main_->setBackColor(kDisplayBack);
    SizeMainWindow({});
    status_ = p_.NewLabel(*main_);
    status_->setBorderStyle(1);
    status_->setBackColor(look::kFace);
    main_->OnResize = [this] { Layout(); };
    main_->OnUnload = [this] { Close(); };
    BuildDisplay();

    panelForm_ = p_.NewForm();
    panelForm_->setBorderStyle(border::None);
    PlaceInClient(*panelForm_, 0, 0, main_->ScaleWidth(), kPanelFormHeight);
    p_.api().SetWindowWord(panelForm_->hWnd(), GWW_HWNDPARENT, main_->hWnd());
    if (dock_) dock_(*panelForm_, *main_);
    panelForm_->OnUnload = [this] { Close(); };
    // Compact mode and its restore resize the panel's form: the display area follows.
    panelForm_->OnResize = [this] { Layout(); };
    // The copy and print dialogs reach the rich-text engine through these.
    hostkit::InstallHostEngineServices(p_);
    panel_ = Quindel::Crea(p_, *panelForm_);
    panel_->Finestra().Move(0, 0, kPanelWidth, kPanelFormHeight);
    // The panel starts full: the button that restores it has nothing to do until it is compact,
    // and compact mode's restore hides it again, so the strip looks the same after a round.
    panel_->setIsPulsanteVisibile(kRestorePanel, false);
    const SizePx strip = StripNeedsPx();
    const int statusPx = kStatusHeight / p_.screen().TwipsPerPixelY();
    minimumClient_ = {strip.width, strip.height + kLeastDisplayPx + statusPx};
    const SizePx client = main_->ClientSizePx();
    if (client.width < minimumClient_.width || client.height < minimumClient_.height)
        SizeMainWindow(minimumClient_);
    stage_->HandTo(panel_);
    Layout();
}

void ViewerHost::SizeMainWindow(SizePx least) {
    const Screen& s = p_.screen();
    const FrameMetrics f = p_.FrameOf(*main_);
    const int frameW = 2 * f.border, frameH = 2 * f.border + f.caption;
    const RectPx& a = workArea_;
    // The strip whole before the screen's edge: a work area too small for both keeps the strip.
    const int w = std::max(std::min(std::max(a.width() * 3 / 4, least.width), a.width() - frameW),
                           least.width);
    const int h = std::max(
        std::min(std::max(a.height() * 3 / 4, least.height), a.height() - frameH), least.height);
    const int left = a.left + std::max((a.width() - w - frameW) / 2, 0);
    const int top = a.top + std::max((a.height() - h - frameH) / 2, 0);
    main_->Move(left * s.TwipsPerPixelX(), top * s.TwipsPerPixelY(),
                (w + frameW) * s.TwipsPerPixelX(), (h + frameH) * s.TwipsPerPixelY());
}

// The panel's form up to the right of its last button (and as far again as its first button
// stands from the form's left edge), and down to the strip's bottom; in pixels.
SizePx ViewerHost::StripNeedsPx() const {
    const ClasseToolbar& tb = panel_->Toolbar();
    const PictureBox& strip = panel_->pic_ToolbarMain();
    const RectPx form = panelForm_->ScreenRectPx(), r = strip.ScreenRectPx();
    int first = -1, right = 0;
    for (std::int16_t i = 1; i <= tb.MaxButton(); ++i) {
        const ClassePulsante* b = tb.CercaPulsante(i);
        if (!b || !tb.ButtonVisible(i)) continue;
        if (first < 0) first = strip.ToPxX(b->X());
        right = std::max(right, strip.ToPxX(b->X() + b->Width()));
    }
    const int before = r.left - form.left + std::max(first, 0);
    return {r.left - form.left + right + before, r.bottom - form.top};
}

// Made before the panel's form, so that form stays in front of it.
void ViewerHost::BuildDisplay() {
    auto form = p_.NewForm();
    form->setBorderStyle(border::None);
    form->setBackColor(kDisplayBack);
    p_.api().SetWindowWord(form->hWnd(), GWW_HWNDPARENT, main_->hWnd());
    PlaceInClient(*form, 0, kPanelFormHeight, main_->ScaleWidth(), 0);
    if (dock_) dock_(*form, *main_);
    form->OnUnload = [this] { Close(); };
    stage_ = std::make_unique<hostkit::DisplayStage>(p_, std::move(form), media_);
    stage_->Text().setBorderStyle(1);
    // The stage's own notices speak the panel's language.
    stage_->SetLanguage(LinguaCatalogo(p_.files()));
}

void ViewerHost::PlaceInClient(Form& form, std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height) const {
    const Screen& s = p_.screen();
    const RectPx r = main_->ScreenRectPx();
    const PointPx o = main_->ClientOriginPx();
    form.Move((r.left + o.x) * s.TwipsPerPixelX() + left, (r.top + o.y) * s.TwipsPerPixelY() + top,
              width, height);
}

void ViewerHost::LoadLists(const fs::path& mm, const fs::path& lemmi) {
    mm_ = std::make_unique<hostkit::PaginatoreLista>(mm.string(), kPagina);
    const std::string chunk = (work_ / "chunk.lst").string();
    panel_->Advise(std::make_shared<ViewerEvents>(
        *panel_, *mm_, chunk, [this](const std::string& e) { Record(e); },
        [this] { objectShown_ = true; }));
    panel_->ListaMM()->setNomeFileLista(chunk);
    panel_->setNomeFileListaLemmiCollegati(lemmi.string());
    mm_->ScriviChunk(chunk, 1);
    panel_->InitChunk(true, 1, chunk, mm_->Totale(), 1);
    status_->setCaption(" " + std::to_string(mm_->Totale()) + " multimedia objects, " +
                        std::to_string(panel_->ListaLemmi()->ListCount()) + " linked entries");
}

// The panel keeps the top-left corner of the client area; the display area takes the rest above
// the status line as one rectangle, under the panel or beside it, whichever is larger: under the
// full panel (which then spans the window), beside the compact one.
void ViewerHost::Layout() {
    if (!stage_ || !status_ || !panelForm_ || !main_->Alive()) return;
    const std::int32_t w = main_->ScaleWidth(), h = main_->ScaleHeight();
    const std::int32_t above = std::max(h - kStatusHeight, 0);
    const std::int32_t reserve = std::min(statusReservePx_ * p_.screen().TwipsPerPixelX(), w / 2);
    status_->Move(0, above, w - reserve, kStatusHeight);
    const std::int32_t pw = std::min(panelForm_->Width(), w);
    const std::int32_t ph = std::min(panelForm_->Height(), above);
    const std::int64_t under = std::int64_t(w) * (above - ph);
    const std::int64_t beside = std::int64_t(w - pw) * above;
    if (beside > under) {
        PlaceInClient(*panelForm_, 0, 0, panelForm_->Width(), panelForm_->Height());
        PlaceInClient(stage_->Form(), pw, 0, w - pw, above);
    } else {
        PlaceInClient(*panelForm_, 0, 0, w, panelForm_->Height());
        PlaceInClient(stage_->Form(), 0, ph, w, above - ph);
    }
    if (OnLayout) OnLayout();
}

void ViewerHost::setStatusReservePx(int px) {
    statusReservePx_ = std::max(px, 0);
    Layout();
}

RectPx ViewerHost::StatusReserveRectPx() const {
    if (!status_) return {};
    const Screen& s = p_.screen();
    const int left = (status_->Left() + status_->Width()) / s.TwipsPerPixelX();
    const int top = status_->Top() / s.TwipsPerPixelY();
    const int right = main_->ScaleWidth() / s.TwipsPerPixelX();
    return {left, top, right, top + kStatusHeight / s.TwipsPerPixelY()};
}

// The formatted article when there is one, else the plain text; its first line names the window.
void ViewerHost::LoadArticle() {
    hostkit::RichTextBox& article = Article();
    article.setVisible(true);
    stage_->Arrange();
    for (const char* name : {"Haslo.rtf", "Haslo.txt"}) {
        const fs::path file = content_ / name;
        if (!fs::exists(file)) continue;
        article.setFileName(file.string());
        try {
            article.setFileLoad(2);
        } catch (const VbError&) {
            continue;  // unreadable: the next candidate, or no article
        }
        const std::string title = FirstLine(article.engine().Text());
        if (!title.empty()) main_->setCaption(title + " - Quindel viewer");
        return;
    }
}

// Every show of an object is followed by an event: the display area is arranged after each.
void ViewerHost::Record(const std::string& text) {
    stage_->Arrange();
    events_.push_back(text);
    status_->setCaption(" " + text);
    if (OnEvent) OnEvent(text);
}

void ViewerHost::Close() {
    if (closing_ || !main_) return;
    if (OnClosing) OnClosing();
    closing_ = true;
    if (panelForm_->Alive() && !panel_->InChiusura()) panel_->Chiudi();
    if (panelForm_->Alive()) panelForm_->Unload();
    if (stage_->Form().Alive()) stage_->Form().Unload();
    if (main_->Alive()) main_->Unload();
    if (OnClosed) OnClosed();
}

std::int16_t ViewerHost::ScrollBeside(const std::string& tipo) {
    VScrollBar& bar = *panel_->FinestraLista(1).VScroll1();
    ClasseTLista& mm = *panel_->ListaMM();
    // Short lists show no scroll bar: their rows are the positions.
    const bool scrolled = bar.Tag() == "V";
    const std::int32_t first = scrolled ? bar.Min() : 0;
    const std::int32_t last = scrolled ? bar.Max() : mm.ListCount() - 1;
    const auto go = [&](std::int32_t at) { scrolled ? bar.setValue(at) : mm.setListIndex(at); };
    for (std::int32_t at = first; at <= last; ++at) {
        go(at);
        if (mm.TipoOggetto() != tipo) continue;
        if (at == first && at == last) return 0;
        go(at > first ? at - 1 : at + 1);
        return at > first ? kNext : kPrevious;
    }
    return 0;
}

PointPx ViewerHost::ButtonPoint(std::int16_t i) const {
    const ClassePulsante& b = panel_->Toolbar().Button(i);
    const PictureBox& strip = panel_->pic_ToolbarMain();
    const PointPx o = strip.ClientOriginPx();
    return {o.x + strip.ToPxX(b.X() + b.Width() / 2), o.y + strip.ToPxY(b.Y() + b.height() / 2)};
}

}  // namespace quindel::viewer
