-- Values cross into the control's typed properties and come back as the table in the README
-- says: each row is a property, the Lua value set, and what reading it gives (or the run-time
-- error the assignment raises).
local check = dofile((arg[0]:match("^(.*/)") or "./") .. "check.lua")
local panel, form = check.panel()

local rows = {
  -- Long
  {"VolumeAudio", 100, 100},
  {"VolumeAudio", 300, 255},
  {"VolumeAudio", 100.5, 100},          -- rounds half to even
  {"VolumeAudio", 101.5, 102},
  {"VolumeAudio", "77", 77},
  {"VolumeAudio", "abc", nil, 13},
  {"HeightAI", 2^31, nil, 6},
  {"HeightAI", -2147483648, -2147483648},
  {"HeightAI", Null, nil, 94},
  {"HeightAI", nil, 0},                 -- nil is Empty: 0 as a number
  -- Byte
  {"NumBitmapVerticali", 255, 255},
  {"NumBitmapVerticali", 256, nil, 6},
  {"NumBitmapVerticali", -1, nil, 6},
  -- Integer (inert: accepted, reads 0)
  {"VelocitaMoviola", 40000, nil, 6},
  {"VelocitaMoviola", 12, 0},
  -- Boolean
  {"IsFloating", true, true},
  {"IsFloating", 0, false},
  {"IsFloating", 5, true},              -- any non-zero value is True
  {"IsFloating", "False", false},
  {"IsFloating", "maybe", nil, 13},
  -- String
  {"FilePerCopia", "copia.rtf", "copia.rtf"},
  {"FilePerCopia", 12, "12"},
  {"FilePerCopia", 1.5, "1.5"},
  {"FilePerCopia", true, "True"},
  {"FilePerCopia", "Wisła", "Wisła"},   -- UTF-8 both ways
  -- Object
  {"ControlloImmagine", form, form},
  {"ControlloImmagine", nil, nil},      -- nil is Nothing for an object property
  {"ControlloImmagine", Nothing, nil},
  {"ControlloImmagine", 5, nil, 13},
}
for i, r in ipairs(rows) do
  local property, value, expected, err = r[1], r[2], r[3], r[4]
  local where = "row " .. i .. " (" .. property .. ")"
  if err then
    check.error(err, function() panel[property] = value end)
  else
    panel[property] = value
    local got = panel[property]
    check.equal(got, expected, where)
    check.equal(math.type(got), math.type(expected), where .. " number kind")
  end
end

-- What each declared type reads as in Lua.
check.equal(math.type(panel.VolumeAudio), "integer", "Long")
check.equal(math.type(panel.NumBitmapOrizzontali), "integer", "Byte")
check.equal(math.type(panel.ValorePulsante[1]), "integer", "Integer")
check.equal(type(panel.IsFloating), "boolean", "Boolean")
check.equal(type(panel.FilePerCopia), "string", "String")
check.equal(type(panel.ListaMM), "userdata", "Object")
check.equal(panel.ControlloTesto, nil, "Nothing")

-- TypeName: what a Lua value becomes on its way into a component.
local names = {
  {1, "Long"}, {2^40, "Double"}, {1.25, "Double"}, {"x", "String"}, {true, "Boolean"},
  {nil, "Empty"}, {Null, "Null"}, {Nothing, "Nothing"}, {panel, "Quindel"}, {form, "Form"},
}
for _, n in ipairs(names) do check.equal(TypeName(n[1]), n[2], tostring(n[1])) end
check.error(13, TypeName, {})
check.error(13, TypeName, print)
print("conversions: " .. #rows .. " rows")
