-- A long list paged through GetChunk and InitChunk: the host writes each page the panel asks
-- for, as the scroll bar of the list window moves past the chunk it holds.
local check = dofile((arg[0]:match("^(.*/)") or "./") .. "check.lua")
local panel = check.panel()
local pager = host.new("Quindel.ListPager", check.sample .. "/ListaMM.lst", 14)
local chunk = check.scratch .. "/paging_chunk.lst"

local asked = {}
panel.events.GetChunk = function(tipo, nome, posizione)
  check.equal(math.type(tipo), "integer", "TipoLista")
  check.equal(nome, chunk, "NomeFile")
  asked[#asked + 1] = posizione
  assert(pager:ScriviChunk(chunk, posizione))
  panel:InitChunk(false, tipo, chunk, pager.Totale, posizione)
end

panel.ListaMM.NomeFileLista = chunk
assert(pager:ScriviChunk(chunk, 1))
panel:InitChunk(true, 1, chunk, pager.Totale, 1)
check.equal(panel.ListaMM.ListCount, 14, "one page loaded")
check.equal(panel.ListaMM.NumRecordEffettiviInLista, 145, "the whole list's length")

panel.ValorePulsante[9] = -1                      -- the multimedia list
local frm, box = panel.ListaMM.frm, panel.ListaMM.ObjTList
check.equal(frm.Visible, true, "list window")
-- Clicks on the scroll bar below its thumb page down; every page is a new chunk.
for page = 1, 4 do
  host.click(frm, box.Width + 120, box.Height - 500)
  host.run(200)
  check.equal(#asked, page, "chunks asked for")
end
check.equal(asked[1], 2, "first chunk")
for i = 2, #asked do check.equal(asked[i] - asked[i - 1], 14, "a page further") end
check.equal(panel.ListaMM.PuntatoreFileLista, asked[#asked] + 13, "the current record")
check.equal(#host.errors(), 0, "no handler failed")
print("paging: " .. table.concat(asked, " "))
