-- The headless demo as a host script: the panel on a form of its own with the bundled sample
-- entry, clicked through as a user would; every event the host receives is printed and the
-- panel and its list window are saved as PNG files.
--   quindel-lua examples/demo.lua OUTDIR [SAMPLEDIR]
-- The component must be registered first: quindel-regsvr lib/libQuindel2.so
local here = arg[0]:match("^(.*/)") or "./"
local out = arg[1] or "out"
local sample = arg[2] or here .. "../resources/sample"
local kPage = 14
os.execute("mkdir -p '" .. out .. "'")

-- The centre of the strip's first button, in twips over the panel. The other buttons are pressed
-- through the panel's ValorePulsante, as a host does: where they sit depends on which are shown.
local first = {x = 240, y = 240}

local form = host.form{caption = "Wisła - encyklopedia multimedialna", border = 0,
                       left = 1500, top = 1500, width = 10200, height = 600}
local ok, panel = pcall(CreateObject, "OCX_Pilonda2.Quindel", form)
if not ok then
  io.stderr:write(tostring(panel), "\nRegister the component first: quindel-regsvr libQuindel2.so\n")
  os.exit(1)
end
panel:Move(0, 0, 9900, 600)
form:Show()

-- The host pages the multimedia list to the panel and prints every event.
local pager = host.new("Quindel.ListPager", sample .. "/ListaMM.lst", kPage)
if pager.Totale == 0 then
  io.stderr:write("sample lists not found in " .. sample .. "\n")
  os.exit(1)
end
local chunk = out .. "/chunk.lst"
function panel.events.PulsantePremuto(i, v)
  print(("  event PulsantePremuto(%d, %d)"):format(i, v))
end
function panel.events.ClickListaOggettiMM(i)
  print(("  event ClickListaOggettiMM(%d): %s"):format(i, panel.ListaMM.Descrizione))
end
function panel.events.ClickListaLemmi(i)
  print(("  event ClickListaLemmi(%d): %s"):format(i, panel.ListaLemmi.Descrizione))
end
function panel.events.GetChunk(tipo, nome, pos)
  print(("  event GetChunk(%d, %s, %d): writing records from %d"):format(
    tipo, nome:match("[^/]*$"), pos, pager:PrimoDelChunk(pos)))
  pager:ScriviChunk(chunk, pos)
  panel:InitChunk(false, tipo, chunk, pager.Totale, pos)
end

panel.ListaMM.NomeFileLista = chunk
panel.NomeFileListaLemmiCollegati = sample .. "/ListaLemmi.lst"
pager:ScriviChunk(chunk, 1)
panel:InitChunk(true, 1, chunk, pager.Totale, 1)
print(("sample: %d multimedia objects (pages of %d), %d linked entries"):format(
  pager.Totale, kPage, panel.ListaLemmi.ListCount))

local function shot(window, name)
  -- A picture of the whole screen is the headless backend's; elsewhere, of the panel's form.
  if window == nil and host.backend ~= "headless" then window = form end
  local file = out .. "/" .. name
  if host.shot(window, file) then print("  picture " .. file) end
end
-- Away from every window: below the panel's form.
local function away(after)
  host.move(form, 6000, 3000, after)
end
local function press(i, what)
  print(("press button %d (%s)"):format(i, what))
  panel.ValorePulsante[i] = -1
  host.run(400)
end
local function clickFirst(what)
  print(("click button 1 (%s)"):format(what))
  host.move(panel, first.x, first.y)
  host.press(1, 80)
  host.release(1, 80)
  away(50)
  host.run(400)
end

shot(nil, "panel.png")

print("hover over button 1")
-- The hover wait runs inside the mouse move: the picture is taken from a timer inside it.
host.after(600, function()
  shot(nil, "panel_tooltip.png")
  away()
end)
host.move(panel, first.x, first.y)
host.run(1000)

press(9, "multimedia list")
local list = panel.ListaMM
local box, listForm = list.ObjTList, list.frm
local row = box.Height // panel.MassimoRecordListaVisibili
print("choose the third row of the list")
host.click(box, 300, 2 * row + row // 2)
away(20)
host.run(100)
print("scroll the list four pages down")
for _ = 1, 4 do
  host.click(listForm, box.Width + 120, box.Height - 500)
  host.run(200)
end
shot(nil, "panel_list.png")
shot(listForm, "list_window.png")
press(11, "next object")
press(3, "linked entries")
press(13, "compact")
shot(nil, "panel_compact.png")
clickFirst("restore")
shot(nil, "panel_restored.png")
print(("done: current object %d of %d, \"%s\""):format(list.PuntatoreFileLista, pager.Totale,
                                                        list.Descrizione))
