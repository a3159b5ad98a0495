-- Methods and properties by name: results with by-reference arguments, optional arguments,
-- indexed properties, the kinds a member does not support, the extender's members.
local check = dofile((arg[0]:match("^(.*/)") or "./") .. "check.lua")
local panel = check.panel()

-- A method gives its result, then the final value of each by-reference argument: here the
-- string "0" comes back as the Integer the member declares.
local result, indice = panel:CLickLista("0")
check.equal(result, nil, "a Sub's result")
check.equal(indice, 0, "by-reference argument")
check.equal(math.type(indice), "integer", "by-reference argument's kind")
check.equal(select("#", panel:CLickLista(0)), 2, "result count")

-- Optional arguments: left out or nil, both are Missing.
panel:ChiudiTutteLeformAperte()
panel:ChiudiTutteLeformAperte(nil)

-- Argument checks belong to the member.
check.error(450, function() panel:MostraOggetto(1) end)
check.error(449, function() panel:CLickLista() end)
check.error(9, function() panel:CLickLista(5) end)

-- Indexed properties: three ways to read, one to write.
panel.ToolTipPulsante[3] = "Hasła"
check.equal(panel.ToolTipPulsante[3], "Hasła", "t[i]")
check.equal(panel:ToolTipPulsante(3), "Hasła", "obj:P(i)")
check.equal(panel.ToolTipPulsante(3), "Hasła", "obj.P(i)")
panel.IsPulsanteAbilitato[4] = false
check.equal(panel.IsPulsanteAbilitato[4], false, "IsPulsanteAbilitato")
check.error(450, function() panel.IsPulsanteVisibile = true end)   -- no index, first time
check.error(450, function() panel.ToolTipPulsante = "x" end)       -- and once known

-- Kinds a member does not have.
check.error(438, function() return panel.DontUnload end)
check.error(438, function() panel.ListaMM = Nothing end)
check.error(450, function() panel.MostraOggetto = 1 end)
check.error(438, function() return panel.NoSuchThing end)
check.error(438, function() panel:NoSuchMethod() end)

-- Names are found whatever their case; the cache does not mix them up.
check.equal(panel.volumeaudio, panel.VolumeAudio, "case")
panel.VOLUMEAUDIO = 12
check.equal(panel.VolumeAudio, 12, "case, written")

-- Objects the control hands out are objects of their own.
check.equal(panel.ListaMM.TipoLista, 1, "ListaMM")
check.equal(panel.ListaLemmi.TipoLista, 0, "ListaLemmi")
check.equal(panel.ListaMM, panel.ListaMM, "the same object twice")
check.equal(panel.SliderAvanzamento.Min <= panel.SliderAvanzamento.Max, true, "slider")

-- The container's extender: the control's place on its form.
panel.Left = 30
check.equal(panel.Left, 30, "Left")
panel:Move(0, 0, 9900, 600)
check.equal(panel.Width, 9900, "Width")
check.equal(math.type(panel.hWnd), "integer", "hWnd")
print("methods: done")
