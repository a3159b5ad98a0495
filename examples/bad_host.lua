-- A host that answers GetChunk badly on purpose, one way after another, and the panel surviving
-- each: its buttons keep working, its list stays usable, and starting the list over afterwards
-- puts it right again. The host's own errors are reported on stderr and go no further.
--   quindel-lua examples/bad_host.lua [SAMPLEDIR [OUTDIR]]
local here = arg[0]:match("^(.*/)") or "./"
local sample = arg[1] or here .. "../resources/sample"
local out = arg[2] or os.getenv("TMPDIR") or "/tmp"

local form = host.form{caption = "Bad host", border = 0, left = 1500, top = 1500,
                       width = 10200, height = 600}
local panel = CreateObject("OCX_Pilonda2.Quindel", form)
panel:Move(0, 0, 9900, 600)
form:Show()

local pager = host.new("Quindel.ListPager", sample .. "/ListaMM.lst", 14)
local total = pager.Totale
local chunk = out .. "/bad_host_chunk.lst"
local function good(tipo, nome, pos)
  pager:ScriviChunk(chunk, pos)
  panel:InitChunk(false, tipo, chunk, total, pos)
end

local commands = 0
function panel.events.PulsantePremuto() commands = commands + 1 end

panel.ListaMM.NomeFileLista = chunk
pager:ScriviChunk(chunk, 1)
panel:InitChunk(true, 1, chunk, total, 1)
panel.ValorePulsante[9] = -1                  -- the multimedia list window
local list = panel.ListaMM
local box, window = list.ObjTList, list.frm

local function pageDown()
  host.click(window, box.Width + 120, box.Height - 500)
  host.run(150)
end

local bad = {
  {"raises an error", function() error("the host's database is down") end},
  {"answers nothing", function() end},
  {"hands over a file that does not exist",
   function(tipo, _, pos) panel:InitChunk(false, tipo, out .. "/no/such/chunk.lst", total, pos) end},
  {"names a list that does not exist",
   function(_, _, pos) panel:InitChunk(false, 7, chunk, total, pos) end},
  {"writes half a record",
   function(tipo, _, pos)
     local f = assert(io.open(chunk, "wb"))
     f:write(("x"):rep(700))
     f:close()
     panel:InitChunk(false, tipo, chunk, total, pos)
   end},
  {"claims the list is empty", function(tipo, _, pos) panel:InitChunk(false, tipo, chunk, 0, pos) end},
  {"returns nonsense for the by-reference arguments",
   function(tipo, nome, pos) good(tipo, nome, pos); return "list", {}, "far away" end},
}

-- What a host does to start over: the list anew from its first page, its window open.
local function startOver()
  panel.events.GetChunk = good
  pager:ScriviChunk(chunk, 1)
  panel:InitChunk(true, 1, chunk, total, 1)
  if not window.Visible then panel.ValorePulsante[9] = -1 end
end

for i, case in ipairs(bad) do
  startOver()
  local errorsBefore = #host.errors()
  panel.events.GetChunk = case[2]
  pageDown()
  local before = commands
  panel.ValorePulsante[13] = -1               -- compact and restore: the buttons still work
  panel.ValorePulsante[1] = -1
  local reported = #host.errors() - errorsBefore
  print(("%d. the host %s: %s; the panel answers (%d rows, record %d, %d commands ran)"):format(
    i, case[1], reported > 0 and "reported" or "nothing to report", list.ListCount,
    list.PuntatoreFileLista, commands - before))
end
startOver()
for _ = 1, 3 do pageDown() end
print(("a good host again: %d rows, record %d of %d, \"%s\""):format(
  list.ListCount, list.PuntatoreFileLista, total, list.Descrizione))
if host.shot(window, out .. "/bad_host.png") then print("picture " .. out .. "/bad_host.png") end
