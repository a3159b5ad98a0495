#include "viewer/ViewerHost.h"

#include <algorithm>

#include "control/Quindel.h"
#include "hostkit/PaginatoreLista.h"
#include "lists/ClasseTLista.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"
#include "viewer/ViewerEvents.h"

namespace fs = std::filesystem;

namespace quindel::viewer {

using namespace quindel::platform;

namespace {

constexpr std::int32_t kPagina = 14;  // records per chunk of the multimedia list, as the demo
// In twips: where the main window opens and how big its client area is.
constexpr std::int32_t kLeft = 600, kTop = 600;
constexpr std::int32_t kClientWidth = 10200, kClientHeight = 7200;
// The panel's form over the top of the client area, and the panel on it.
constexpr std::int32_t kPanelFormHeight = 600;
constexpr std::int32_t kPanelWidth = 9900;
constexpr std::int32_t kMargin = 120;
constexpr std::int32_t kStatusHeight = 330;

std::string FirstLine(const std::string& text) {
    return text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
}

}  // namespace

ViewerHost::ViewerHost(Platform& p, fs::path content, fs::path work, Dock dock)
    : p_(p), content_(std::move(content)), work_(std::move(work)), dock_(std::move(dock)) {}

ViewerHost::~ViewerHost() {
    // The windows go with the host: no more calls back into it while they unload.
    closing_ = true;
    if (main_) main_->OnResize = nullptr;
    panel_.reset();
    if (panelForm_) panelForm_->Unload();
    if (main_) main_->Unload();
}

bool ViewerHost::Start() {
    const fs::path mm = content_ / "ListaMM.lst", lemmi = content_ / "ListaLemmi.lst";
    if (!fs::exists(mm) || !fs::exists(lemmi)) {
        error_ = "no list files (ListaMM.lst, ListaLemmi.lst) in " + content_.string();
        return false;
    }
    std::error_code ec;
    fs::create_directories(work_, ec);
    BuildWindows();
    LoadArticle();
    LoadLists(mm, lemmi);
    main_->Show();
    panelForm_->Show();
    return true;
}

void ViewerHost::BuildWindows() {
    const Screen& s = p_.screen();
    main_ = p_.NewForm();
    main_->setCaption("Quindel viewer");
    const FrameMetrics frame = p_.FrameOf(*main_);
    main_->Move(kLeft, kTop, kClientWidth + 2 * frame.border * s.TwipsPerPixelX(),
                kClientHeight + (2 * frame.border + frame.caption) * s.TwipsPerPixelY());
    article_ = p_.NewChild<hostkit::RichTextBox>(*main_);
    article_->setBorderStyle(1);
    status_ = p_.NewLabel(*main_);
    status_->setBorderStyle(1);
    status_->setBackColor(main_->BackColor());
    main_->OnResize = [this] { Layout(); };
    main_->OnUnload = [this] { Close(); };

    panelForm_ = p_.NewForm();
    panelForm_->setBorderStyle(border::None);
    const RectPx r = main_->ScreenRectPx();
    const PointPx o = main_->ClientOriginPx();
    panelForm_->Move((r.left + o.x) * s.TwipsPerPixelX(), (r.top + o.y) * s.TwipsPerPixelY(),
                     kClientWidth, kPanelFormHeight);
    p_.api().SetWindowWord(panelForm_->hWnd(), GWW_HWNDPARENT, main_->hWnd());
    if (dock_) dock_(*panelForm_, *main_);
    panelForm_->OnUnload = [this] { Close(); };
    panel_ = Quindel::Crea(p_, *panelForm_);
    panel_->Finestra().Move(0, 0, kPanelWidth, kPanelFormHeight);
    Layout();
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
    if (!article_ || !status_ || !main_->Alive()) return;
    const std::int32_t w = main_->ScaleWidth(), h = main_->ScaleHeight();
    status_->Move(0, std::max(h - kStatusHeight, 0), w, kStatusHeight);
    article_->Move(kMargin, kPanelFormHeight + kMargin, std::max(w - 2 * kMargin, 0),
                   std::max(h - kPanelFormHeight - kStatusHeight - 2 * kMargin, 0));
}

// The formatted article when there is one, else the plain text; its first line names the window.
void ViewerHost::LoadArticle() {
    for (const char* name : {"Haslo.rtf", "Haslo.txt"}) {
        const fs::path file = content_ / name;
        if (!fs::exists(file)) continue;
        article_->setFileName(file.string());
        try {
            article_->setFileLoad(2);
        } catch (const VbError&) {
            continue;  // unreadable: the next candidate, or no article
        }
        const std::string title = FirstLine(article_->engine().Text());
        if (!title.empty()) main_->setCaption(title + " - Quindel viewer");
        return;
    }
}

void ViewerHost::Record(const std::string& text) {
    events_.push_back(text);
    status_->setCaption(" " + text);
    if (OnEvent) OnEvent(text);
}

void ViewerHost::Close() {
    if (closing_ || !main_) return;
    closing_ = true;
    if (panelForm_->Alive() && !panel_->InChiusura()) panel_->Chiudi();
    if (panelForm_->Alive()) panelForm_->Unload();
    if (main_->Alive()) main_->Unload();
    if (OnClosed) OnClosed();
}

PointPx ViewerHost::ButtonPoint(std::int16_t i) const {
    const ClassePulsante& b = panel_->Toolbar().Button(i);
    const PictureBox& strip = panel_->pic_ToolbarMain();
    const PointPx o = strip.ClientOriginPx();
    return {o.x + strip.ToPxX(b.X() + b.Width() / 2), o.y + strip.ToPxY(b.Y() + b.height() / 2)};
}

}  // namespace quindel::viewer
