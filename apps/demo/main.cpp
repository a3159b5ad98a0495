// The main job: a headless host places the panel on its form with the bundled sample entry,
// clicks through it as a user would, prints the events it receives and renders the panel and
// its list window to PNG files; then it hands the panel display controls and shows one object of
// every type, a picture of the screen for each, and plays the whole list through with autoplay,
// printing the sequence (ObjectTour).
//   quindel-demo OUTDIR [SAMPLEDIR]
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "ObjectTour.h"
#include "control/Quindel.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "hostkit/richtextbox/HostEngineServices.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"

namespace fs = std::filesystem;
using namespace quindel;

namespace {

constexpr std::int32_t kPagina = 14;

// Prints every event and answers GetChunk with the page asked for.
class Host : public QuindelEvents {
  public:
    Host(Quindel& q, hostkit::PaginatoreLista& mm, std::string chunk)
        : q_(q), mm_(mm), chunk_(std::move(chunk)) {}

    void PulsantePremuto(std::int16_t& i, std::int16_t& v) override {
        std::printf("  event PulsantePremuto(%d, %d)\n", i, v);
    }
    void ClickListaOggettiMM(std::int32_t& i) override {
        std::printf("  event ClickListaOggettiMM(%d): %s %s\n", i,
                    q_.ListaMM()->TipoOggetto().c_str(), q_.ListaMM()->Descrizione().c_str());
    }
    void ClickListaLemmi(std::int32_t& i) override {
        std::printf("  event ClickListaLemmi(%d): %s\n", i, q_.ListaLemmi()->Descrizione().c_str());
    }
    void GetChunk(std::uint8_t& tipo, std::string& nome, std::int32_t& pos) override {
        std::printf("  event GetChunk(%d, %s, %d): writing records from %d\n", tipo,
                    fs::path(nome).filename().c_str(), pos, mm_.PrimoDelChunk(pos));
        mm_.ScriviChunk(chunk_, pos);
        q_.InitChunk(false, tipo, chunk_, mm_.Totale(), pos);
    }

  private:
    Quindel& q_;
    hostkit::PaginatoreLista& mm_;
    std::string chunk_;
};

struct Demo {
    headless::HeadlessPlatform p;
    std::shared_ptr<platform::Form> host = p.NewForm();
    std::shared_ptr<Quindel> q;
    fs::path out;

    platform::PointPx Centre(std::int16_t i) {
        const ClassePulsante& b = q->Toolbar().Button(i);
        const platform::RectPx r = q->pic_ToolbarMain().ScreenRectPx();
        return {r.left + q->pic_ToolbarMain().ToPxX(b.X() + b.Width() / 2),
                r.top + q->pic_ToolbarMain().ToPxY(b.Y() + b.height() / 2)};
    }
    void Click(std::int16_t i, const char* what) {
        std::printf("click button %d (%s)\n", i, what);
        const platform::PointPx c = Centre(i);
        p.Input().MoveTo(c.x, c.y).Press(1, 80).Release(1, 80).MoveTo(900, 700, 50);
        p.RunFor(400);
    }
    void Shot(const char* name) {
        const fs::path file = out / name;
        if (p.GrabScreen().savePng(file.string())) std::printf("  picture %s\n", file.c_str());
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // Absolute: the tour makes the sample folder the current one.
    const fs::path outDir = fs::absolute(argc > 1 ? argv[1] : "out");
    const fs::path sample = fs::absolute(argc > 2 ? argv[2] : "resources/sample");
    fs::create_directories(outDir);
    const fs::path mmFile = sample / "ListaMM.lst", lemmiFile = sample / "ListaLemmi.lst";
    if (!fs::exists(mmFile) || !fs::exists(lemmiFile)) {
        std::fprintf(stderr, "sample lists not found in %s\n", sample.c_str());
        return 1;
    }

    Demo d;
    d.out = outDir;
    // The panel's own window: borderless, so the list windows open right under the strip.
    d.host->setCaption("Wisła - encyklopedia multimedialna");
    d.host->setBorderStyle(platform::border::None);
    d.host->Move(1500, 1500, 10200, 600);
    hostkit::InstallHostEngineServices(d.p);
    d.q = Quindel::Crea(d.p, *d.host);
    d.q->Finestra().Move(0, 0, 9900, 600);
    d.host->Show();

    hostkit::PaginatoreLista mm(mmFile.string(), kPagina);
    const std::string chunk = (outDir / "chunk.lst").string();
    d.q->Advise(std::make_shared<Host>(*d.q, mm, chunk));
    d.q->ListaMM()->setNomeFileLista(chunk);
    d.q->setNomeFileListaLemmiCollegati(lemmiFile.string());
    mm.ScriviChunk(chunk, 1);
    d.q->InitChunk(true, 1, chunk, mm.Totale(), 1);
    std::printf("sample: %d multimedia objects (pages of %d), %d linked entries\n", mm.Totale(),
                kPagina, d.q->ListaLemmi()->ListCount());
    d.Shot("panel.png");

    std::printf("hover over button 14\n");
    // The hover wait runs inside the mouse move; the picture is taken from a timer inside it.
    auto t = d.p.NewTimer();
    t->OnTimer = [&] {
        t->setEnabled(false);
        d.Shot("panel_tooltip.png");
        d.p.Input().MoveTo(900, 700);
    };
    t->setInterval(600);
    const platform::PointPx c14 = d.Centre(14);
    d.p.Input().MoveTo(c14.x, c14.y);
    d.p.RunFor(1000);

    d.Click(9, "multimedia list");
    frm_Lista& lista = d.q->FinestraLista(1);
    platform::ListBox& box = *lista.TList1();
    const platform::RectPx r = box.ScreenRectPx();
    std::printf("choose the third row of the list\n");
    d.p.Input()
        .Click(r.left + 20, r.top + 1 + 2 * box.TwipsToPxY(box.RowHeight()) + 4)
        .MoveTo(900, 700, 20);
    d.p.RunFor(100);
    std::printf("scroll the list to record 60\n");
    lista.VScroll1()->setValue(60);
    d.Shot("panel_list.png");
    d.p.Grab(*lista.Form()).savePng((outDir / "list_window.png").string());
    d.Click(11, "next object");
    d.Click(3, "linked entries");
    d.Click(13, "compact");
    d.Shot("panel_compact.png");
    d.Click(1, "restore");
    d.Shot("panel_restored.png");
    std::printf("done: current object %d of %d, \"%s\"\n", d.q->ListaMM()->PuntatoreFileLista(),
                mm.Totale(), d.q->ListaMM()->Descrizione().c_str());

    fs::current_path(sample);
    demo::ObjectTour tour(d.p, d.q, *d.host);
    const auto shown = tour.Run(mmFile, outDir);
    std::printf("objects shown: %zu\n", shown.size());
    tour.PlayAll();
    return 0;
}
