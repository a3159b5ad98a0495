// The `host` table: what a host application does around the component, on the chosen backend.
// Small C functions with plain arguments, and a short Lua prelude that composes them (host.form
// reads its option table in Lua, so no C++ part ever walks a Lua table).
//
//   host.form{caption=, left=, top=, width=, height=, border=, visible=}  a new form (twips)
//   host.unload(form)                    unloads a form
//   host.new(progid, ...)                a host-kit object ("Quindel.ListPager", "Quindel.Form")
//   host.move(win, x, y [, after])       input on the timeline; x, y in twips over win's client
//   host.press([button [, after]])       area; `after` is ms after the previous scripted step
//   host.release([button [, after]])
//   host.click(win, x, y [, after])      move there, press and release the left button
//   host.key(code [, shift [, after]])   a key to the window with the focus
//   host.run([ms])                       lets ms pass (virtual on headless); 0: what is due now
//   host.now()                           the platform clock in ms
//   host.after(ms, fn)                   calls fn once, ms from now, while time passes
//   host.answer(a, ...)                  queues message-box answers (vbOK = 1 ... vbNo = 7)
//   host.boxes() / host.clearboxes()     the boxes shown: {text=, style=, title=, answer=}
//   host.shot(win or nil, file)          writes a PNG of a window (nil: the whole screen)
//   host.errors()                        errors of event handlers and callbacks, as text
//   host.backend, host.twips_per_pixel_x, host.twips_per_pixel_y
#include <algorithm>
#include <cmath>
#include <cstring>

#include "LuaSupport.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "platform/WindowObject.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"

namespace quindel::lua {

namespace {

constexpr int kErrInvalidCall = 5;

std::int64_t OptInt(lua_State* L, int idx, std::int64_t fallback) {
    if (lua_isnoneornil(L, idx)) return fallback;
    int ok = 0;
    const lua_Integer v = lua_tointegerx(L, idx, &ok);
    if (!ok) {
        const lua_Number n = lua_tonumberx(L, idx, &ok);
        if (!ok) Raise(13);
        return std::int64_t(std::llround(n));
    }
    return v;
}

double Number(lua_State* L, int idx) {
    int ok = 0;
    const lua_Number n = lua_tonumberx(L, idx, &ok);
    if (!ok) Raise(13);
    return n;
}

Object ObjectArg(lua_State* L, int idx) {
    const LuaObject* u = ToObject(L, idx);
    if (!u) Raise(424);
    if (!u->obj) Raise(91);
    return u->obj;
}

std::string StringArg(lua_State* L, int idx) {
    if (lua_type(L, idx) != LUA_TSTRING) Raise(13);
    std::size_t n = 0;
    const char* s = lua_tolstring(L, idx, &n);
    return std::string(s, n);
}

// A point of a window given in twips over its client area, on the screen in pixels.
platform::PointPx ScreenPoint(platform::Window& w, double x, double y) {
    const platform::RectPx r = w.ScreenRectPx();
    const platform::PointPx o = w.ClientOriginPx();
    return {r.left + o.x + w.TwipsToPxX(x), r.top + o.y + w.TwipsToPxY(y)};
}

int NewFormInner(lua_State*, LuaHost& h) {
    return Results(h, platform::MakeFormObject(h.NewForm()));
}

int SetBorderInner(lua_State* L, LuaHost& h) {
    platform::Window& w = WindowOfObject(h, ObjectArg(L, 1));
    if (w.Kind() != platform::WindowKind::Form) Raise(kErrInvalidCall);
    static_cast<platform::Form&>(w).setBorderStyle(std::int16_t(OptInt(L, 2, 2)));
    return NoResults(h);
}

int UnloadInner(lua_State* L, LuaHost& h) {
    platform::Window& w = WindowOfObject(h, ObjectArg(L, 1));
    if (w.Kind() != platform::WindowKind::Form) Raise(kErrInvalidCall);
    const std::shared_ptr<platform::Window> keep = w.shared_from_this();
    static_cast<platform::Form&>(w).Unload();
    return NoResults(h);
}

int NewInner(lua_State* L, LuaHost& h) {
    const std::string progId = StringArg(L, 1);
    const KitMaker* make = h.FindKit(progId);
    if (!make) throw VbError(429, progId, {});
    Args args;
    for (int i = 2; i <= lua_gettop(L); ++i) args.push_back(ToVariant(L, i, NilAs::Missing));
    return Results(h, (*make)(h, args));
}

int MoveInner(lua_State* L, LuaHost& h) {
    platform::Window& w = WindowOfObject(h, ObjectArg(L, 1));
    const platform::PointPx p = ScreenPoint(w, Number(L, 2), Number(L, 3));
    h.backend().MoveTo(p.x, p.y, OptInt(L, 4, 0));
    return NoResults(h);
}

int PressInner(lua_State* L, LuaHost& h) {
    h.backend().Press(std::int16_t(OptInt(L, 1, 1)), OptInt(L, 2, 0));
    return NoResults(h);
}

int ReleaseButtonInner(lua_State* L, LuaHost& h) {
    h.backend().Release(std::int16_t(OptInt(L, 1, 1)), OptInt(L, 2, 0));
    return NoResults(h);
}

int ClickInner(lua_State* L, LuaHost& h) {
    platform::Window& w = WindowOfObject(h, ObjectArg(L, 1));
    const platform::PointPx p = ScreenPoint(w, Number(L, 2), Number(L, 3));
    h.backend().MoveTo(p.x, p.y, OptInt(L, 4, 0));
    h.backend().Press(1, 0);
    h.backend().Release(1, 0);
    return NoResults(h);
}

int KeyInner(lua_State* L, LuaHost& h) {
    h.backend().Key(std::int16_t(OptInt(L, 1, 0)), std::int16_t(OptInt(L, 2, 0)), OptInt(L, 3, 0));
    return NoResults(h);
}

int RunInner(lua_State* L, LuaHost& h) {
    h.backend().Run(OptInt(L, 1, 0));
    return NoResults(h);
}

int NowInner(lua_State*, LuaHost& h) {
    return Results(h, double(h.backend().P().NowMs()));
}

// Stack: 1 ms, 2 function; pending.timer: the timer waiting for its function's reference.
int RegisterAfter(lua_State* L, LuaHost& h) {
    lua_pushvalue(L, 2);
    h.timers[std::size_t(h.pending.timer)].ref = luaL_ref(L, LUA_REGISTRYINDEX);
    return 0;
}

int AfterInner(lua_State* L, LuaHost& h) {
    const std::int64_t ms = OptInt(L, 1, 0);
    if (lua_type(L, 2) != LUA_TFUNCTION) Raise(13);
    auto timer = h.backend().P().NewTimer();
    const std::size_t index = h.timers.size();
    LuaHost* host = &h;
    timer->OnTimer = [host, index] {
        LuaHost::AfterTimer& t = host->timers[index];
        t.timer->setEnabled(false);
        if (t.ref >= 0) CallRef(*host, t.ref, "host.after callback");
    };
    timer->setInterval(std::int32_t(std::max<std::int64_t>(ms, 1)));
    h.timers.push_back({timer, LUA_NOREF});
    h.pending.timer = int(index);
    h.post = RegisterAfter;
    return 0;
}

int AnswerInner(lua_State* L, LuaHost& h) {
    for (int i = 1; i <= lua_gettop(L); ++i) h.backend().QueueAnswer(std::int16_t(OptInt(L, i, 1)));
    return NoResults(h);
}

int PushBoxes(lua_State* L, LuaHost& h) {
    lua_createtable(L, int(h.boxes.size()), 0);
    for (std::size_t i = 0; i < h.boxes.size(); ++i) {
        const Box& b = h.boxes[i];
        lua_createtable(L, 0, 4);
        lua_pushlstring(L, b.text.data(), b.text.size());
        lua_setfield(L, -2, "text");
        lua_pushinteger(L, b.style);
        lua_setfield(L, -2, "style");
        lua_pushlstring(L, b.title.data(), b.title.size());
        lua_setfield(L, -2, "title");
        lua_pushinteger(L, b.answer);
        lua_setfield(L, -2, "answer");
        lua_rawseti(L, -2, lua_Integer(i + 1));
    }
    return 1;
}

int BoxesInner(lua_State*, LuaHost& h) {
    h.boxes = h.backend().Boxes();
    h.post = PushBoxes;
    return 0;
}

int ClearBoxesInner(lua_State*, LuaHost& h) {
    h.backend().ClearBoxes();
    return NoResults(h);
}

int ShotInner(lua_State* L, LuaHost& h) {
    const std::string file = StringArg(L, 2);
    platform::Image image;
    if (lua_isnoneornil(L, 1)) {
        image = h.backend().GrabScreen();
        if (image.empty()) throw std::runtime_error("this backend takes pictures of windows only");
    } else {
        image = h.backend().P().Grab(WindowOfObject(h, ObjectArg(L, 1)));
    }
    return Results(h, image.savePng(file));
}

// h.out holds strings: pushed as one array.
int PushStringArray(lua_State* L, LuaHost& h) {
    lua_createtable(L, int(h.out.size()), 0);
    for (std::size_t i = 0; i < h.out.size(); ++i) {
        PushVariant(L, h.out[i]);
        lua_rawseti(L, -2, lua_Integer(i + 1));
    }
    return 1;
}

int ErrorsInner(lua_State*, LuaHost& h) {
    h.out.clear();
    for (const std::string& e : h.HandlerErrors()) h.out.emplace_back(e);
    h.post = PushStringArray;
    return 0;
}

constexpr const char* kPrelude = R"lua(
local host, newform, setborder = ...
function host.form(o)
  o = o or {}
  local f = newform()
  if o.border ~= nil then setborder(f, o.border) end
  if o.caption ~= nil then f.Caption = o.caption end
  f:Move(o.left or 0, o.top or 0, o.width or 4800, o.height or 3600)
  if o.visible then f:Show() end
  return f
end
vbOK, vbCancel, vbAbort, vbRetry, vbIgnore, vbYes, vbNo = 1, 2, 3, 4, 5, 6, 7
vbTrue, vbFalse = -1, 0
)lua";

}  // namespace

platform::Window& WindowOfObject(LuaHost& h, const Object& obj) {
    if (platform::Window* w = platform::WindowOf(obj)) return *w;
    if (!obj) Raise(91);
    const Variant hwnd = GetProperty(obj, "hWnd");
    if (platform::Window* w = h.backend().P().FindWindow(CLng(hwnd))) return *w;
    throw VbError(kErrInvalidCall, {}, "The object is not a window of this platform");
}

void OpenHostTable(LuaHost& h) {
    lua_State* L = h.State();
    static const luaL_Reg fns[] = {{"unload", Call<UnloadInner>},
                                   {"new", Call<NewInner>},
                                   {"move", Call<MoveInner>},
                                   {"press", Call<PressInner>},
                                   {"release", Call<ReleaseButtonInner>},
                                   {"click", Call<ClickInner>},
                                   {"key", Call<KeyInner>},
                                   {"run", Call<RunInner>},
                                   {"now", Call<NowInner>},
                                   {"after", Call<AfterInner>},
                                   {"answer", Call<AnswerInner>},
                                   {"boxes", Call<BoxesInner>},
                                   {"clearboxes", Call<ClearBoxesInner>},
                                   {"shot", Call<ShotInner>},
                                   {"errors", Call<ErrorsInner>},
                                   {nullptr, nullptr}};
    luaL_newlib(L, fns);
    lua_pushstring(L, h.backend().Name());
    lua_setfield(L, -2, "backend");
    lua_pushinteger(L, h.backend().P().screen().TwipsPerPixelX());
    lua_setfield(L, -2, "twips_per_pixel_x");
    lua_pushinteger(L, h.backend().P().screen().TwipsPerPixelY());
    lua_setfield(L, -2, "twips_per_pixel_y");
    lua_pushvalue(L, -1);
    lua_setglobal(L, "host");

    if (luaL_loadbufferx(L, kPrelude, std::strlen(kPrelude), "=host", "t") != LUA_OK) lua_error(L);
    lua_insert(L, -2);
    lua_pushcfunction(L, Call<NewFormInner>);
    lua_pushcfunction(L, Call<SetBorderInner>);
    lua_call(L, 3, 0);
}

}  // namespace quindel::lua
