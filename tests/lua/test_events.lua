-- Events reach Lua functions in panel.events: raised by commands (late-bound and by the mouse)
-- and by list clicks; a failing handler is reported and the panel keeps working; a handler may
-- even release the panel.
local check = dofile((arg[0]:match("^(.*/)") or "./") .. "check.lua")
local panel = check.panel()

local seen = {}
local function recorder(name)
  return function(...) seen[#seen + 1] = {name, ...} end
end
for _, name in ipairs{"PulsantePremuto", "ClickListaOggettiMM", "ClickListaLemmi"} do
  panel.events[name] = recorder(name)
end
check.equal(panel.events, panel.events, "one events table")

local function expect(list)
  check.equal(#seen, #list, "event count")
  for i, e in ipairs(list) do
    for j, v in ipairs(e) do check.equal(seen[i][j], v, "event " .. i .. " field " .. j) end
  end
  seen = {}
end

-- A command raises PulsantePremuto at its end, whether the host sets the button's value or the
-- user clicks it.
panel.ValorePulsante[13] = -1            -- compact
expect{{"PulsantePremuto", 13}}
host.click(panel, check.first_button.x, check.first_button.y)   -- restore: the first button
host.run(300)
expect{{"PulsantePremuto", 1}}

-- The list events carry the row (none chosen: -1).
panel:CLickLista(0)
panel:CLickLista(1)
expect{{"ClickListaLemmi", -1}, {"ClickListaOggettiMM", -1}}

-- A handler that fails is reported; the event's raiser and the panel go on.
panel.events.ClickListaLemmi = function() error("host bug") end
panel:CLickLista(0)
panel.events.ClickListaLemmi = function() return "not a row" end
panel:CLickLista(0)
local errors = host.errors()
check.equal(#errors, 2, "reported errors")
assert(errors[1]:find("ClickListaLemmi") and errors[1]:find("host bug"), errors[1])
assert(errors[2]:find("Type mismatch"), errors[2])
panel.ValorePulsante[13] = -1
expect{{"PulsantePremuto", 13}}

-- No handler, no call.
panel.events.PulsantePremuto = nil
panel.ValorePulsante[1] = -1
expect{}

-- A handler that releases the panel: the event finishes, later calls fail cleanly.
panel.events.ClickListaLemmi = function() Release(panel) end
panel:CLickLista(0)
check.error(91, function() return panel.VolumeAudio end)
check.error(91, function() panel:CLickLista(0) end)
collectgarbage()
print("events: done")
