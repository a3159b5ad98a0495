-- The host table: forms, virtual time and timers, mouse and keys at window coordinates in
-- twips, pictures, host-kit objects.
local check = dofile((arg[0]:match("^(.*/)") or "./") .. "check.lua")

check.equal(host.backend, "headless", "backend")
check.equal(host.twips_per_pixel_x, 15, "twips per pixel")

-- Forms.
local form = host.form{caption = "Wisła", left = 1500, top = 1500, width = 6000, height = 3000}
check.equal(form.Caption, "Wisła", "Caption")
check.equal(form.Width, 6000, "Width")
check.equal(form.Visible, false, "a new form is hidden")
form:Show()
check.equal(form.Visible, true, "shown")

-- Time is virtual: it moves only when the script lets it, timers fire on the way.
local t0 = host.now()
local fired = {}
host.after(250, function() fired[#fired + 1] = host.now() - t0 end)
host.after(100, function() fired[#fired + 1] = host.now() - t0 end)
host.after(50, function() error("timer bug") end)
host.run(99)
check.equal(#fired, 0, "nothing due yet")
host.run(1000)
check.equal(host.now() - t0, 1099, "exactly the time asked for")
check.equal(#fired, 2, "both timers")
check.equal(fired[1], 100, "first timer")
check.equal(fired[2], 250, "second timer")
assert(host.errors()[1]:find("timer bug"), "a failing callback is reported")

-- Mouse: clicks at twips over a window go through the input funnel to the window under them.
local panel = CreateObject("OCX_Pilonda2.Quindel", form)
panel:Move(0, 0, 5900, 600)
panel.NomeFileListaLemmiCollegati = check.sample .. "/ListaLemmi.lst"
local events = {}
panel.events.PulsantePremuto = function(i, v) events[#events + 1] = {i, v} end
panel.events.ClickListaLemmi = function(i) events[#events + 1] = {"row", i} end
host.click(panel, check.first_button.x, check.first_button.y)
host.run(300)
check.equal(#events, 1, "a click runs the first button's command")
check.equal(events[1][1], 1, "button 1")
panel.ValorePulsante[3] = -1                       -- the linked-entries list
check.equal(events[2][1], 3, "button 3")
table.remove(events, 1)
local lista = panel.ListaLemmi
local listForm, listBox = lista.frm, lista.ObjTList
check.equal(listForm.Visible, true, "the list window is open")
-- The second row, by pressing and releasing separately.
local row = listBox.Height // panel.MassimoRecordListaVisibili
host.move(listBox, 300, row + row // 2)
host.press(1, 20)
host.release(1, 20)
host.run(100)
check.equal(events[2][1], "row", "a row chosen")
check.equal(events[2][2], 1, "the second row")
-- Keys go to the window with the focus: Enter chooses the current row again.
host.key(13)
host.run(50)
check.equal(#events, 3, "Enter")
check.equal(events[3][2], 1, "the same row")

-- Pictures: PNG files of a window and of the whole screen.
local function isPng(file)
  local f = io.open(file, "rb")
  if not f then return false end
  local head = f:read(8)
  f:close()
  return head == "\137PNG\r\n\26\n"
end
local shot = check.scratch .. "/host_form.png"
assert(host.shot(form, shot) and isPng(shot), shot)
assert(host.shot(listForm, check.scratch .. "/host_list.png"))
assert(host.shot(panel, check.scratch .. "/host_panel.png"))
assert(host.shot(nil, check.scratch .. "/host_screen.png"))
os.remove(shot)

-- Message boxes: none shown so far, answers may be queued ahead.
check.equal(#host.boxes(), 0, "boxes")
host.answer(vbRetry, vbCancel)
host.clearboxes()

-- Host-kit objects.
local pager = host.new("Quindel.ListPager", check.sample .. "/ListaMM.lst", 14)
check.equal(pager.Totale, 145, "records of the sample")
check.equal(pager.Pagina, 14, "page")
check.equal(pager:PrimoDelChunk(140), 132, "last page starts early")
assert(pager:ScriviChunk(check.scratch .. "/host_chunk.lst", 1))
check.equal(TypeName(host.new("quindel.form")), "Form", "kit ids ignore case")

-- Unloading the form takes the panel's windows with it.
host.unload(form)
check.equal(form.Visible, false, "unloaded")
print("host: done")
