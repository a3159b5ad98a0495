#include "build/Manifest.h"

#include <toml++/toml.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <thread>
#include <vector>

namespace quindel::build {

namespace fs = std::filesystem;

namespace {

std::int64_t LineOf(const toml::node& n) {
    return std::int64_t(n.source().begin.line);
}

// Reads the fields of one table, reporting each fault against the table's place in the manifest.
class FieldReader {
  public:
    FieldReader(const toml::table& table, std::string where, const std::string& file,
                Diagnostics& out)
        : table_(table), where_(std::move(where)), file_(file), out_(out) {}

    std::optional<std::string> String(std::string_view key, bool required = false) {
        const toml::node* n = table_.get(key);
        if (!n) {
            if (required) Fault(LineOf(table_), key, "is missing");
            return std::nullopt;
        }
        if (const auto* s = n->as_string()) return s->get();
        Fault(LineOf(*n), key, "must be a string (in quotes)");
        return std::nullopt;
    }

    std::optional<std::int64_t> Int(const toml::table& t, std::string_view key) {
        const toml::node* n = t.get(key);
        if (!n) {
            Fault(LineOf(t), key, "is missing");
            return std::nullopt;
        }
        if (const auto* i = n->as_integer(); i && i->get() > 0) return i->get();
        Fault(LineOf(*n), key, "must be a whole number above 0");
        return std::nullopt;
    }

    // Every key of the table must be one of `known`; a typo would otherwise be silently ignored.
    void OnlyKnown(std::initializer_list<std::string_view> known) {
        for (const auto& [key, node] : table_)
            if (std::find(known.begin(), known.end(), key.str()) == known.end())
                Fault(LineOf(node), key.str(), "is not a field here");
    }

    void Fault(std::int64_t line, std::string_view field, std::string message) {
        out_.Error(file_, line, where_, std::string(field), std::move(message));
    }
    const toml::table& Table() const { return table_; }

  private:
    const toml::table& table_;
    std::string where_;
    const std::string& file_;
    Diagnostics& out_;
};

void ReadWindow(FieldReader& r, ManifestObject& o) {
    const toml::node* n = r.Table().get("window");
    if (!n) return;
    const toml::table* t = n->as_table();
    if (!t) return r.Fault(LineOf(*n), "window", "must be a table: { width = W, height = H }");
    const auto w = r.Int(*t, "width"), h = r.Int(*t, "height");
    if (w && h) o.window = WindowSize{*w, *h};
    if (o.type.positionFile.empty())
        r.Fault(LineOf(*n), "window", "type " + std::string(o.type.code) + " has no window size");
}

void ReadLength(FieldReader& r, ManifestObject& o) {
    if (!r.Table().get("length")) return;
    if (const auto n = r.Int(r.Table(), "length")) o.length = *n;
    if (!o.type.hasLength)
        r.Fault(LineOf(*r.Table().get("length")), "length",
                "only interactive movies (AI) have a length");
}

ManifestObject ReadObject(const toml::table& t, std::size_t index, const std::string& file,
                          Diagnostics& out) {
    ManifestObject o;
    o.line = LineOf(t);
    FieldReader r(t, "object " + std::to_string(index + 1), file, out);
    r.OnlyKnown({"type", "title", "caption", "credit", "file", "packed", "name", "folder", "window",
                 "length"});
    o.title = r.String("title", true).value_or("");
    FieldReader named(t, o.Where(index), file, out);
    if (const auto type = named.String("type", true)) {
        if (const auto found = FindObjectType(*type))
            o.type = *found;
        else
            named.Fault(LineOf(*t.get("type")), "type",
                        "'" + *type + "' is not a type; the types are " + ObjectTypeNames());
    }
    o.caption = named.String("caption").value_or("");
    o.credit = named.String("credit").value_or("");
    o.file = named.String("file").value_or("");
    o.packed = named.String("packed").value_or("");
    o.name = named.String("name").value_or("");
    o.folder = named.String("folder");
    if (o.file.empty() && o.name.empty() && t.get("type"))
        named.Fault(o.line, "file", "is missing (an object without a file needs a name)");
    if (!o.packed.empty() && !o.type.code.empty() && !o.type.packable)
        named.Fault(LineOf(*t.get("packed")), "packed",
                    "the viewer shows only pictures and texts from packed files");
    if (!o.type.code.empty()) {
        ReadWindow(named, o);
        ReadLength(named, o);
    }
    return o;
}

void ReadEntry(const toml::table& root, Manifest& m, const std::string& file, Diagnostics& out) {
    const toml::table* entry = root["entry"].as_table();
    if (!entry) return out.Error(file, 1, "", "entry", "the manifest needs an [entry] table");
    m.entryLine = LineOf(*entry);
    FieldReader r(*entry, "entry", file, out);
    r.OnlyKnown({"code", "article", "codepage"});
    m.code = r.String("code", true).value_or("");
    m.codepage = r.String("codepage").value_or("");
    const toml::node* article = entry->get("article");
    if (!article) return;
    if (const auto* s = article->as_string()) return m.articles.push_back(s->get());
    const toml::array* list = article->as_array();
    if (list)
        for (const toml::node& n : *list)
            if (const auto* s = n.as_string()) m.articles.push_back(s->get());
    if (!list || m.articles.size() != list->size())
        r.Fault(LineOf(*article), "article", "must be a file name or a list of file names");
}

// [[object]] and [[link]] are arrays of tables; anything else under those names is a fault.
const toml::array* TablesOf(const toml::table& root, std::string_view key, const std::string& file,
                            Diagnostics& out) {
    const toml::node* n = root.get(key);
    if (!n) return nullptr;
    const toml::array* a = n->as_array();
    if (!a || !a->is_array_of_tables()) {
        out.Error(file, LineOf(*n), "", std::string(key),
                  "must be written as [[" + std::string(key) + "]] tables");
        return nullptr;
    }
    return a;
}

void ReadLinks(const toml::array& links, Manifest& m, const std::string& file, Diagnostics& out) {
    for (const toml::node& n : links) {
        const toml::table& t = *n.as_table();
        FieldReader r(t, "link " + std::to_string(m.links.size() + 1), file, out);
        r.OnlyKnown({"code", "title", "type"});
        m.links.push_back({LineOf(t), r.String("code", true).value_or(""),
                           r.String("title", true).value_or(""), r.String("type").value_or("")});
    }
}

// Where the text may be cut into `parts` documents: before an "[[object]]" line near each even
// share. Empty when it cannot be cut so.
std::vector<std::size_t> CutPoints(std::string_view text, std::size_t parts) {
    constexpr std::string_view kHeader = "\n[[object]]";
    std::vector<std::size_t> cuts{0};
    for (std::size_t i = 1; i < parts; ++i) {
        std::size_t at = text.find(kHeader, std::max(cuts.back() + 1, text.size() / parts * i));
        while (at != std::string_view::npos && at + kHeader.size() < text.size() &&
               text[at + kHeader.size()] != '\n' && text[at + kHeader.size()] != '\r')
            at = text.find(kHeader, at + 1);
        if (at == std::string_view::npos || at + kHeader.size() >= text.size()) break;
        cuts.push_back(at + 1);
    }
    return cuts.size() > 1 ? cuts : std::vector<std::size_t>{};
}

// A part after the first may hold only object and link tables: anything else (an [entry] again,
// an "object" that is no array of tables) is for the whole document's reading to report.
bool StandsAlone(const toml::table& root, bool first) {
    for (const auto& [key, node] : root) {
        const bool tables = key == "object" || key == "link";
        if (tables ? !node.is_array_of_tables() : !first) return false;
    }
    return true;
}

// A large manifest read in parts on all cores: cut before "[[object]]" lines, each part read as
// a document of its own, preceded by as many empty lines as came before it so that every line
// number is the whole document's. Empty when the text is small or any part cannot stand alone (a
// cut inside a multi-line string leaves a part unterminated): then the whole is read as one,
// which also words any fault as that reading does.
std::vector<toml::table> ParseInParts(std::string_view text, const std::string& name,
                                      std::size_t partsFrom) {
    const std::size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    if (text.size() < partsFrom) return {};
    const std::vector<std::size_t> cuts = CutPoints(text, std::max<std::size_t>(cores, 2));
    if (cuts.empty()) return {};
    std::vector<toml::table> roots(cuts.size());
    std::vector<char> ok(cuts.size(), 0);
    {
        std::vector<std::jthread> readers;
        for (std::size_t i = 0; i < cuts.size(); ++i)
            readers.emplace_back([&, i] {
                const std::size_t end = i + 1 < cuts.size() ? cuts[i + 1] : text.size();
                std::string part(
                    std::size_t(std::count(text.begin(), text.begin() + cuts[i], '\n')), '\n');
                part.append(text.substr(cuts[i], end - cuts[i]));
                try {
                    roots[i] = toml::parse(part, name);
                    ok[i] = StandsAlone(roots[i], i == 0);
                } catch (const toml::parse_error&) {
                }
            });
    }
    if (std::find(ok.begin(), ok.end(), 0) != ok.end()) return {};
    return roots;
}

}  // namespace

std::string ManifestObject::Where(std::size_t index) const {
    std::string w = "object " + std::to_string(index + 1);
    return title.empty() ? w : w + " '" + title + "'";
}

std::string Manifest::DisplayName() const {
    return file.string();
}

Manifest ParseManifest(std::string_view text, const fs::path& file, Diagnostics& out,
                       std::size_t partsFrom) {
    Manifest m;
    m.file = file;
    m.folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const std::string name = m.DisplayName();
    std::vector<toml::table> roots = ParseInParts(text, name, partsFrom);
    if (roots.empty()) {
        try {
            roots.push_back(toml::parse(text, name));
        } catch (const toml::parse_error& e) {
            out.Error(name, std::int64_t(e.source().begin.line), "", "",
                      "not valid TOML: " + std::string(e.description()));
            return m;
        }
    }
    for (const toml::table& root : roots)
        for (const auto& [key, node] : root)
            if (key != "entry" && key != "object" && key != "link")
                out.Error(name, LineOf(node), "", std::string(key.str()),
                          "is not a section of a manifest ([entry], [[object]], [[link]])");
    ReadEntry(roots.front(), m, name, out);
    for (const toml::table& root : roots)
        if (const toml::array* objects = TablesOf(root, "object", name, out)) {
            m.objects.reserve(m.objects.size() + objects->size());
            for (const toml::node& n : *objects)
                m.objects.push_back(ReadObject(*n.as_table(), m.objects.size(), name, out));
        }
    for (const toml::table& root : roots)
        if (const toml::array* links = TablesOf(root, "link", name, out))
            ReadLinks(*links, m, name, out);
    return m;
}

Manifest ReadManifest(const fs::path& file, Diagnostics& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Manifest m;
        m.file = file;
        m.folder = file.parent_path();
        out.Error(file.string(), 0, "", "", "cannot be read");
        return m;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseManifest(text, file, out);
}

}  // namespace quindel::build
