#include "viewer/ViewerHost.h"

#include <algorithm>

#include "control/Quindel.h"
#include "hostkit/HostEngineServices.h"
#include "hostkit/PaginatoreLista.h"
#include "hostkit/RichTextBox.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/VScrollBar.h"
#include "runtime/VbError.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"
#include "viewer/ViewerEvents.h"

namespace fs = std::filesystem;

namespace quindel::viewer {

using namespace quindel::platform;

namespace {

constexpr std::int32_t kPagina = 14;  // records per chunk of the multimedia list, as the demo
constexpr std::int16_t kPrevious = 10, kNext = 11;
// In twips: where the main window opens and the least its client area is; it takes three
// quarters of a larger screen, so the display area has room.
constexpr std::int32_t kLeft = 600, kTop = 600;
constexpr std::int32_t kMinClientWidth = 10200, kMinClientHeight = 7200;
// The panel's form over the top of the client area, and the panel on it.
constexpr std::int32_t kPanelFormHeight = 600;
constexpr std::int32_t kPanelWidth = 9900;
constexpr std::int32_t kStatusHeight = 330;
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
      media_(media) {}

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
    if (!fs::exists(mm) || !fs::exists(lemmi)) {
        error_ = "no list files (ListaMM.lst, ListaLemmi.lst) in " + content_.string();
        return false;
    }
    std::error_code ec;
    fs::create_directories(work_, ec);
    fs::current_path(content_, ec);
    BuildWindows();
    LoadArticle();
    LoadLists(mm, lemmi);
    main_->Show();
    stage_->Form().Show();
    panelForm_->Show();
    return true;
}

void ViewerHost::BuildWindows() {
    const Screen& s = p_.screen();
    main_ = p_.NewForm();
    main_->setCaption("Quindel viewer");
    const FrameMetrics frame = p_.FrameOf(*main_);
    const std::int32_t width = std::max(kMinClientWidth, s.WidthTwips() * 3 / 4);
    const std::int32_t height = std::max(kMinClientHeight, s.HeightTwips() * 3 / 4);
    main_->Move(kLeft, kTop, width + 2 * frame.border * s.TwipsPerPixelX(),
                height + (2 * frame.border + frame.caption) * s.TwipsPerPixelY());
    status_ = p_.NewLabel(*main_);
    status_->setBorderStyle(1);
    status_->setBackColor(main_->BackColor());
    main_->OnResize = [this] { Layout(); };
    main_->OnUnload = [this] { Close(); };
    BuildDisplay();

    panelForm_ = p_.NewForm();
    panelForm_->setBorderStyle(border::None);
    PlaceInClient(*panelForm_, 0, main_->ScaleWidth(), kPanelFormHeight);
    p_.api().SetWindowWord(panelForm_->hWnd(), GWW_HWNDPARENT, main_->hWnd());
    if (dock_) dock_(*panelForm_, *main_);
    panelForm_->OnUnload = [this] { Close(); };
    // The copy and print dialogs reach the rich-text engine through these.
    hostkit::InstallHostEngineServices(p_);
    panel_ = Quindel::Crea(p_, *panelForm_);
    panel_->Finestra().Move(0, 0, kPanelWidth, kPanelFormHeight);
    stage_->HandTo(panel_);
    Layout();
}

// Made before the panel's form, so that form stays in front of it.
void ViewerHost::BuildDisplay() {
    auto form = p_.NewForm();
    form->setBorderStyle(border::None);
    form->setBackColor(kDisplayBack);
    p_.api().SetWindowWord(form->hWnd(), GWW_HWNDPARENT, main_->hWnd());
    PlaceInClient(*form, kPanelFormHeight, main_->ScaleWidth(), 0);
    if (dock_) dock_(*form, *main_);
    form->OnUnload = [this] { Close(); };
    stage_ = std::make_unique<hostkit::DisplayStage>(p_, std::move(form), media_);
    stage_->Text().setBorderStyle(1);
}

void ViewerHost::PlaceInClient(Form& form, std::int32_t top, std::int32_t width,
                               std::int32_t height) const {
    const Screen& s = p_.screen();
    const RectPx r = main_->ScreenRectPx();
    const PointPx o = main_->ClientOriginPx();
    form.Move((r.left + o.x) * s.TwipsPerPixelX(), (r.top + o.y) * s.TwipsPerPixelY() + top, width,
              height);
}

void ViewerHost::LoadLists(const fs::path& mm, const fs::path& lemmi) {
    mm_ = std::make_unique<PaginatoreLista>(mm.string(), kPagina);
    const std::string chunk = (work_ / "chunk.lst").string();
    panel_->Advise(std::make_shared<ViewerEvents>(*panel_, *mm_, chunk,
                                                  [this](const std::string& e) { Record(e); }));
    panel_->ListaMM()->setNomeFileLista(chunk);
    panel_->setNomeFileListaLemmiCollegati(lemmi.string());
    mm_->ScriviChunk(chunk, 1);
    panel_->InitChunk(true, 1, chunk, mm_->Totale(), 1);
    status_->setCaption(" " + std::to_string(mm_->Totale()) + " multimedia objects, " +
                        std::to_string(panel_->ListaLemmi()->ListCount()) + " linked entries");
}

void ViewerHost::Layout() {
    if (!stage_ || !status_ || !main_->Alive()) return;
    const std::int32_t w = main_->ScaleWidth(), h = main_->ScaleHeight();
    status_->Move(0, std::max(h - kStatusHeight, 0), w, kStatusHeight);
    PlaceInClient(stage_->Form(), kPanelFormHeight, w,
                  std::max(h - kPanelFormHeight - kStatusHeight, 0));
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
