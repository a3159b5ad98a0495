-- A host that pages a long list to the panel: it keeps the whole list, and each time the panel
-- asks (GetChunk) it writes the page asked for into the chunk file and hands it over with
-- InitChunk, before the event returns. The script walks the list window from the first record
-- to the last, a page at a time, and prints what it was asked for.
--   quindel-lua examples/long_list.lua [LISTFILE [PAGE [OUTDIR]]]
local here = arg[0]:match("^(.*/)") or "./"
local listFile = arg[1] or here .. "../resources/sample/ListaMM.lst"
local page = tonumber(arg[2] or "14")
local out = arg[3] or os.getenv("TMPDIR") or "/tmp"

local form = host.form{caption = "Long list", border = 0, left = 1500, top = 1500,
                       width = 10200, height = 600}
local panel = CreateObject("OCX_Pilonda2.Quindel", form)
panel:Move(0, 0, 9900, 600)
form:Show()
panel.MassimoRecordListaVisibili = page

local pager = host.new("Quindel.ListPager", listFile, page)
local total = pager.Totale
assert(total > page, listFile .. " has " .. total .. " records: not a long list for pages of " .. page)
local chunk = out .. "/long_list_chunk.lst"
local asked = 0
function panel.events.GetChunk(tipo, nome, pos)
  asked = asked + 1
  local first = pager:PrimoDelChunk(pos)
  print(("GetChunk #%d: list %d wants records from %d; writing %d..%d"):format(
    asked, tipo, pos, first, math.min(first + page - 1, total)))
  pager:ScriviChunk(chunk, pos)
  panel:InitChunk(false, tipo, chunk, total, pos)
end

-- The first page goes with the new list; the panel learns the whole list's length from it.
panel.ListaMM.NomeFileLista = chunk
pager:ScriviChunk(chunk, 1)
panel:InitChunk(true, 1, chunk, total, 1)
print(("%d records in pages of %d: %d loaded, list window shows %d"):format(
  total, page, panel.ListaMM.ListCount, panel.MassimoRecordListaVisibili))

panel.ValorePulsante[9] = -1                 -- opens the multimedia list window
local list = panel.ListaMM
local box, window = list.ObjTList, list.frm
-- Clicks on the scroll bar below its thumb, a page down each, while they get further; then the
-- next-object button to the last record.
local clicks, steps, last = 0, 0, -1
while list.PuntatoreFileLista > last do
  last = list.PuntatoreFileLista
  host.click(window, box.Width + 120, box.Height - 500)
  host.run(150)
  clicks = clicks + 1
end
while list.PuntatoreFileLista < total and steps < page do
  panel.ValorePulsante[11] = -1
  steps = steps + 1
end
print(("after %d page clicks and %d steps: record %d of %d, \"%s\""):format(
  clicks, steps, list.PuntatoreFileLista, total, list.Descrizione))
print(("the host wrote %d chunks; the panel never held more than %d records"):format(
  asked, list.ListCount))
if host.shot(window, out .. "/long_list.png") then print("picture " .. out .. "/long_list.png") end
